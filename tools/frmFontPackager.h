#pragma once
// The pane of the font package manager.
#include "shell/PaneForm.h"

class frmFontPackager : public PaneForm {
public:
    frmFontPackager();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmFontPackager> frmFontPackager;
}
