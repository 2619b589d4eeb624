#pragma once
// The pane of the font properties grid.
#include "shell/PaneForm.h"

class frmPropertyFont : public PaneForm {
public:
    frmPropertyFont();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropertyFont> frmPropertyFont;
}
