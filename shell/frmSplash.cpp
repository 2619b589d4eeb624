#include "shell/frmSplash.h"

#include <windows.h>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/forms/MessageLoop.h"
#include "shell/DrawnIcons.h"
#include "shell/LogFailure.h"
#include "shell/Startup.h"

namespace Forms {
platform::forms::FormRef<::frmSplash> frmSplash;
}

using namespace platform::forms;

namespace {
int g_firstTickMs = 1000;
int g_pauseMs = 500;

void WhiteArial(Label& l, double size, bool bold)
{
    StdFont f("Arial", size);
    f.Bold(bold);
    l.Font(f);
    l.ForeColor(RGB(0xFF, 0xFF, 0xFF));
    l.BackStyle(0);
}
}  // namespace

frmSplash::frmSplash() : Form("frmSplash") {}

void frmSplash::SetTimingsForTests(int firstTickMs, int pauseMs)
{
    g_firstTickMs = firstTickMs;
    g_pauseMs = pauseMs;
}

void frmSplash::Design()
{
    BorderStyle(vbBSNone);
    ShowInTaskbar(false);
    StartUpPosition(vbStartUpScreen);
    ClientSize(7200, 4200);
    BackColor(RGB(0x1C, 0x2A, 0x4A));
    Frame1.Move(0, 0, 7200, 4200);
    Frame1.BackColor(RGB(0x1C, 0x2A, 0x4A));
    Frame1.BorderStyle(0);
    Timer1.Interval(g_firstTickMs);
    Timer1.Enabled(true);

    Image1.Container(Frame1);
    Image1.Move(360, 360, 720, 720);
    Image1.Picture(DrawnIcons::Get("Quillery", 48), true);
    lblProduct.Container(Frame1);
    lblProduct.Move(1320, 360, 5500, 600);
    lblProduct.Caption("Quillery Pro");
    WhiteArial(lblProduct, 18, true);
    lblVersion.Container(Frame1);
    lblVersion.Move(1320, 960, 5500, 360);
    lblVersion.Caption("Version 4.0");
    WhiteArial(lblVersion, 12, true);
    lblPlatform.Container(Frame1);
    lblPlatform.Move(1320, 1380, 5500, 480);
    lblPlatform.Caption("Win 2k/XP/VISTA");
    WhiteArial(lblPlatform, 15.75, true);
    Line1_0.Container(Frame1);
    Line1_0.Points(360, 2000, 6840, 2000);
    Line1_0.BorderColor(RGB(0xFF, 0xFF, 0xFF));
    lblMain.Container(Frame1);
    lblMain.Move(360, 2140, 6480, 720);
    lblMain.WordWrap(true);
    WhiteArial(lblMain, 8.25, false);
    lblWarning.Container(Frame1);
    lblWarning.Move(360, 2900, 6480, 480);
    lblWarning.WordWrap(true);
    lblWarning.Caption("Fonts are system files: keep a backup of every font you remove.");
    WhiteArial(lblWarning, 8.25, false);
    Line1_1.Container(Frame1);
    Line1_1.Points(360, 3440, 6840, 3440);
    Line1_1.BorderColor(RGB(0xFF, 0xFF, 0xFF));
    lblStatus.Container(Frame1);
    lblStatus.Move(360, 3540, 4200, 300);
    lblStatus.Caption("...initializing.............");
    WhiteArial(lblStatus, 8.25, false);
    lblCopyright.Container(Frame1);
    lblCopyright.Move(4560, 3540, 2280, 300);
    lblCopyright.Alignment(1);
    lblCopyright.Caption("Copyright Tamsel");
    WhiteArial(lblCopyright, 8.25, false);
}

void frmSplash::Form_Load()
{
    reading_ = false;
    lblVersion.Caption("Version " + modMain::AppVersion);
    lblMain.Caption(std::string("The premium font management application.  More information about Quillery Pro can ") +
                    "be found at " + kProductSite);
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void frmSplash::Pause()
{
    DoEvents();
    if (g_pauseMs > 0)
        Sleep(static_cast<DWORD>(g_pauseMs));
}

// The read runs once: the timer stops at the first tick (the read pumps messages, a
// second tick must not start a second read), and the window refuses to close meanwhile.
void frmSplash::Timer1_Timer()
{
    Timer1.Enabled(false);
    reading_ = true;
    try {
        lblStatus.Caption("...loading font list.............");
        Pause();
        if (modMain::FontModel)
            modMain::FontModel->Fonts()->GetInstalledFonts(this);
        lblStatus.Caption("...starting application...........");
        Pause();
    } catch (const std::exception& e) {
        // Logged, and start-up goes on with what was read: a splash that retried for
        // ever would keep the program from starting.
        LogFailure("frmSplash: Timer1_Timer", e);
    }
    reading_ = false;
    Unload(vbFormCode);
}

void frmSplash::ProgressUpdate(std::int32_t current, std::int32_t total, const std::string&)
{
    // Drawing the line and pumping the queue cost far more than reading a font: both wait
    // for a short while between fonts, and the last font of a run always shows its count.
    if (!progressThrottle_.Due(current, total, GetTickCount()))
        return;
    lblStatus.Caption("...processing font " + std::to_string(current) + " of " + std::to_string(total) + "....");
    DoEvents();
}

void frmSplash::Form_QueryUnload(int& cancel, int)
{
    if (reading_)
        cancel = 1;
}

void frmSplash::Form_Unload(int&)
{
    Forms::frmSplash.Release();
}
