#pragma once
// The pane of the folder font browser.
#include "shell/PaneForm.h"

class frmFontBrowser : public PaneForm {
public:
    frmFontBrowser();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmFontBrowser> frmFontBrowser;
}
