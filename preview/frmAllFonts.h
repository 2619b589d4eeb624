#pragma once
// The pane of the detailed list of all installed fonts.
#include "shell/PaneForm.h"

class frmAllFonts : public PaneForm {
public:
    frmAllFonts();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmAllFonts> frmAllFonts;
}
