#include <windows.h>

#include <exception>

#include "core/modMain.h"
#include "platform/forms/App.h"
#include "platform/forms/MessageLoop.h"
#include "platform/forms/Seams.h"
#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OleInitialize(nullptr);
    modMain::InstallErrorReporter();
    platform::forms::SetAppTitle("Quillery Pro");
    int rc = 0;
    try {
        modMain::Main(platform::forms::App::Command());
        rc = platform::forms::RunMessageLoop();
    } catch (const std::exception& e) {
        // Reported instead of ending without a word.
        modMain::LogError("modMain: Main", 0, e.what());
        MessageBoxA(nullptr, e.what(), "Quillery Pro", MB_OK | MB_ICONERROR);
        rc = 1;
    }
    OleUninitialize();
    return rc;
}
