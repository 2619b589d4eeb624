#include "inspect/frmPropertyTB.h"

namespace Forms {
platform::forms::FormRef<::frmPropertyTB> frmPropertyTB;
}

frmPropertyTB::frmPropertyTB() : PaneForm("frmPropertyTB") {}

void frmPropertyTB::Design()
{
    PaneForm::Design();
    Caption("Properties");
}
