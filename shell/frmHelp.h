#pragma once
// The information pane: quick help on what the user works with.
#include "platform/controls/RichTextBox.h"
#include "shell/PaneForm.h"

class frmHelp : public PaneForm {
public:
    frmHelp();

    platform::forms::RichTextBox rtbHelp{*this, "rtbHelp"};

protected:
    void Design() override;
    void Form_Resize() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmHelp> frmHelp;
}
