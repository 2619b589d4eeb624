#include "inspect/frmPropertyFont.h"

namespace Forms {
platform::forms::FormRef<::frmPropertyFont> frmPropertyFont;
}

frmPropertyFont::frmPropertyFont() : PaneForm("frmPropertyFont") {}

void frmPropertyFont::Design()
{
    PaneForm::Design();
    Caption("Font Properties");
}
