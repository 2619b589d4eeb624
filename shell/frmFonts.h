#pragma once
// The installed-fonts tree pane.
#include "platform/controls/TreeView.h"
#include "shell/PaneForm.h"

class frmFonts : public PaneForm {
public:
    frmFonts();

    platform::forms::TreeView tvFonts{*this, "tvFonts"};

protected:
    void Design() override;
    void Form_Resize() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmFonts> frmFonts;
}
