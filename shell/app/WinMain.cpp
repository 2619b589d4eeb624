#include <windows.h>

#include <memory>

#include "platform/QlError.h"
#include "core/modMain.h"
#include "platform/ErrorReporter.h"
#include "platform/forms/DemoForm.h"
#include "platform/forms/MessageLoop.h"

static void ReportToLog(const std::string& source, int32_t number, const std::string& description)
{
    modMain::LogError(source, number, description);
}

// Until the main window exists, the program shows the forms layer's own window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OleInitialize(nullptr);
    platform::SetErrorReporter(ReportToLog);
    int rc = 0;
    try {
        auto demo = std::make_shared<platform::forms::frmDemo>();
        demo->Show();
        rc = platform::forms::RunMessageLoop();
    } catch (const QlError& e) {
        modMain::LogError("modMain: Main", e.Number, e.Description);
        MessageBoxA(nullptr, e.Description.c_str(), "Quillery Pro", MB_OK | MB_ICONERROR);
        rc = 1;
    } catch (const std::exception& e) {
        modMain::LogError("modMain: Main", 0, e.what());
        MessageBoxA(nullptr, e.what(), "Quillery Pro", MB_OK | MB_ICONERROR);
        rc = 1;
    }
    OleUninitialize();
    return rc;
}
