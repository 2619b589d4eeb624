#pragma once
// The pane of the font properties grid.
#include "shell/PaneForm.h"

class frmPropertyFont : public PaneForm {
public:
    frmPropertyFont();

    // The display font changed / the font list was reloaded (the grid comes later).
    void FontChanged() {}
    void RefreshFonts() {}

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropertyFont> frmPropertyFont;
}
