#pragma once
// The pane of the glyph outline viewer.
#include "shell/PaneForm.h"

class frmGlyphs : public PaneForm {
public:
    frmGlyphs();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmGlyphs> frmGlyphs;
}
