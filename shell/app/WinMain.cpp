#include <windows.h>

#include <memory>

#include "platform/forms/DemoForm.h"
#include "platform/forms/MessageLoop.h"

// Until the main window exists, the program shows the forms layer's own window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OleInitialize(nullptr);
    int rc = 0;
    {
        auto demo = std::make_shared<platform::forms::frmDemo>();
        demo->Show();
        rc = platform::forms::RunMessageLoop();
    }
    OleUninitialize();
    return rc;
}
