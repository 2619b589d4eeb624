#include "tools/frmFontPackager.h"

namespace Forms {
platform::forms::FormRef<::frmFontPackager> frmFontPackager;
}

frmFontPackager::frmFontPackager() : PaneForm("frmFontPackager") {}

void frmFontPackager::Design()
{
    PaneForm::Design();
    Caption("Package Manager");
}
