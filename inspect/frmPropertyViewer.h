#pragma once
// The pane of the viewer settings grid.
#include "shell/PaneForm.h"

class frmPropertyViewer : public PaneForm {
public:
    frmPropertyViewer();

    // The display font changed / the font list was reloaded (the grid comes later).
    void FontChanged() {}
    void RefreshFonts() {}

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropertyViewer> frmPropertyViewer;
}
