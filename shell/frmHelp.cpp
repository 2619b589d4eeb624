#include "shell/frmHelp.h"

namespace Forms {
platform::forms::FormRef<::frmHelp> frmHelp;
}

frmHelp::frmHelp() : PaneForm("frmHelp") {}

void frmHelp::Design()
{
    PaneForm::Design();
    Caption("Information");
}

void frmHelp::Form_Resize() { rtbHelp.Move(0, 0, ScaleWidth(), ScaleHeight()); }
