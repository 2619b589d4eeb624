#pragma once
// The uninstall process queue window (its list and its run come with the queue tools).
#include "platform/forms/Form.h"

class frmProcess : public platform::forms::Form {
public:
    frmProcess();

protected:
    void Design() override;
};

namespace Forms {
extern platform::forms::FormRef<::frmProcess> frmProcess;
}
