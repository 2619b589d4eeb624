#include "tools/frmProcess.h"

namespace Forms {
platform::forms::FormRef<::frmProcess> frmProcess;
}

frmProcess::frmProcess() : Form("frmProcess") {}

void frmProcess::Design()
{
    Caption("Uninstall Process Queue");
    ClientSize(6000, 4200);
}
