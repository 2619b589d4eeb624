#include "preview/frmBig.h"

namespace Forms {
platform::forms::FormRef<::frmBig> frmBig;
}

frmBig::frmBig() : PaneForm("frmBig") {}

void frmBig::Design()
{
    PaneForm::Design();
    Caption("Font Magnifier");
}
