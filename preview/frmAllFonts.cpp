#include "preview/frmAllFonts.h"

namespace Forms {
platform::forms::FormRef<::frmAllFonts> frmAllFonts;
}

frmAllFonts::frmAllFonts() : PaneForm("frmAllFonts") {}

void frmAllFonts::Design()
{
    PaneForm::Design();
    Caption("Detailed View");
}
