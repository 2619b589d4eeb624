#pragma once
// The pane of the properties toolbar.
#include "platform/controls/Toolbar.h"
#include "shell/PaneForm.h"

class frmPropertyTB : public PaneForm {
public:
    frmPropertyTB();

    platform::forms::Toolbar Toolbar2{*this, "Toolbar2"};

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmPropertyTB> frmPropertyTB;
}
