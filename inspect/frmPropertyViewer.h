#pragma once
// The pane of the viewer settings grid.
#include "shell/PaneForm.h"

class frmPropertyViewer : public PaneForm {
public:
    frmPropertyViewer();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropertyViewer> frmPropertyViewer;
}
