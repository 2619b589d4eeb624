#pragma once
// The pane of the detailed list of all installed fonts.
#include <string>

#include "shell/PaneForm.h"

class frmAllFonts : public PaneForm {
public:
    frmAllFonts();

    // Selects the row of a font (the list comes later).
    void HighlightFont(const std::string&) {}

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmAllFonts> frmAllFonts;
}
