#include "inspect/frmPropertyViewer.h"

namespace Forms {
platform::forms::FormRef<::frmPropertyViewer> frmPropertyViewer;
}

frmPropertyViewer::frmPropertyViewer() : PaneForm("frmPropertyViewer") {}

void frmPropertyViewer::Design()
{
    PaneForm::Design();
    Caption("Viewer Properties");
}
