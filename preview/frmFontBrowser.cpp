#include "preview/frmFontBrowser.h"

namespace Forms {
platform::forms::FormRef<::frmFontBrowser> frmFontBrowser;
}

frmFontBrowser::frmFontBrowser() : PaneForm("frmFontBrowser") {}

void frmFontBrowser::Design()
{
    PaneForm::Design();
    Caption("Font Browser");
}
