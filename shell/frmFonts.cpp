#include "shell/frmFonts.h"

namespace Forms {
platform::forms::FormRef<::frmFonts> frmFonts;
}

frmFonts::frmFonts() : PaneForm("frmFonts") {}

void frmFonts::Design()
{
    PaneForm::Design();
    Caption("Installed Fonts");
}

void frmFonts::Form_Resize() { tvFonts.Move(0, 0, ScaleWidth(), ScaleHeight()); }
