#pragma once
// The pane of the font magnifier.
#include "shell/PaneForm.h"

class frmBig : public PaneForm {
public:
    frmBig();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmBig> frmBig;
}
