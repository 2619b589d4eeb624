#include "inspect/frmPropViewer.h"

namespace Forms {
platform::forms::FormRef<::frmPropViewer> frmPropViewer;
}

frmPropViewer::frmPropViewer() : PaneForm("frmPropViewer") {}

void frmPropViewer::Design()
{
    PaneForm::Design();
    Caption("Property Viewer");
}
