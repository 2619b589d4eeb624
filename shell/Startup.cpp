#include "shell/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include <ctime>
#include <functional>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/forms/App.h"
#include "preview/frmViewer.h"
#include "shell/CommandLine.h"
#include "shell/ShellSettings.h"
#include "shell/StartupSettings.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

namespace modMain {

std::string AppVersion;

namespace {

// A failing step of the start is skipped, quietly: the next one still runs.
void Step(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
    }
}

std::string NowText()
{
    char text[64] = {};
    SYSTEMTIME t;
    GetLocalTime(&t);
    char date[32] = {}, time[32] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof time);
    snprintf(text, sizeof text, "%s %s", date, time);
    return text;
}

}  // namespace

void Main(const std::string& commandTail)
{
    Step([] { LogError("main", "starting", NowText()); });
    Step([] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
    });
    Step([] { FontModel = std::make_shared<qlMain>(); });
    Step([] { StartupSettings::Apply(*FontModel->Display(), ShellSettings::Get); });
    Step([] {
        AppVersion = std::to_string(platform::forms::App::Major()) + "." +
                     std::to_string(platform::forms::App::Minor());
    });
    Step([] { Forms::frmSplash->Show(platform::forms::vbModal); });
    Step([&] {
        const std::string package = CommandLine::PackagePath(commandTail);
        // The package manager comes later; until then the path is only noted.
        if (!package.empty())
            LogError("modMain: Main", 0, "font package not opened (no package manager): " + package);
    });
    // The preview is a child of the main window: the main window loads first (hidden),
    // the preview's colours are set, then the main window shows.
    Step([] { Forms::frmMain.Loaded(); });
    Step([] { Forms::frmViewer->rtbFonts.BackColor(FontModel->Display()->BackColor()); });
    Step([] { Forms::frmViewer->picPreview.BackColor(FontModel->Display()->BackColor()); });
    Step([] { Forms::frmMain->Show(); });
}

}  // namespace modMain
