#pragma once
// The pane of the property report window.
#include "shell/PaneForm.h"

class frmPropViewer : public PaneForm {
public:
    frmPropViewer();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropViewer> frmPropViewer;
}
