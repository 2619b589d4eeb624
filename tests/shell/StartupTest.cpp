// The whole start in-process: splash, installed fonts, view settings, main window.
#include "preview/frmViewer.h"
#include "shell/Startup.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "ShellTestSupport.h"

using namespace platform::forms;

namespace {
bool g_closeTried = false;
bool g_splashStayed = false;
// While the splash reads, try to close it (as Alt+F4 would).
void CALLBACK TryToClose(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_closeTried || !Forms::frmSplash.IsLoaded())
        return;
    frmSplash& s = *Forms::frmSplash;
    if (s.lblStatus.Caption().rfind("...processing font", 0) != 0)
        return;
    g_closeTried = true;
    SendMessageA(s.Window(), WM_CLOSE, 0, 0);
    g_splashStayed = Forms::frmSplash.IsLoaded();
}
}  // namespace

class StartupTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        frmSplash::SetTimingsForTests(10, 0);
    }
    void TearDown() override
    {
        frmSplash::SetTimingsForTests(1000, 500);
        ShellTest::TearDown();
    }
};

TEST_F(StartupTest, AnEmptySettingsKeyStartsWithTheDefaults)
{
    modMain::Main("");
    Pump();
    EXPECT_FALSE(Forms::frmSplash.IsLoaded()) << "the splash unloads itself after the read";
    ASSERT_TRUE(Forms::frmMain.IsLoaded());
    EXPECT_TRUE(IsWindowVisible(Forms::frmMain->Window()));
    const auto& d = *modMain::FontModel->Display();
    EXPECT_EQ(d.BackColor(), 16777215u);
    EXPECT_EQ(d.FontSize(), 14);
    EXPECT_EQ(d.Text(), "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz");
    const int count = modMain::FontModel->Fonts()->Count();
    EXPECT_GT(count, 0) << "the splash read the installed fonts";
    EXPECT_EQ(Forms::frmMain->sb.PanelText(1), std::to_string(count) + " installed fonts");
    EXPECT_EQ(Forms::frmViewer->rtbFonts.BackColor(), 16777215u);
    EXPECT_TRUE(Forms::frmFonts->PaneVisible());
    EXPECT_EQ(FailureText(), "");
}

TEST_F(StartupTest, StoredSettingsAreUsedAndAPackageArgumentDoesNotStopTheStart)
{
    PutSetting("prop_backcolor", "255");
    PutSetting("prop_size", "abc");
    PutSetting("display_text", "5");
    PutSetting("prop_customtext", "Hello");
    modMain::Main("\"C:\\Fonts\\My Pack.qlp\"");
    Pump();
    ASSERT_TRUE(Forms::frmMain.IsLoaded());
    const auto& d = *modMain::FontModel->Display();
    EXPECT_EQ(d.BackColor(), 255u);
    EXPECT_EQ(d.FontSize(), 14) << "a size that is no number takes the default";
    EXPECT_EQ(d.Text(), "Hello");
    EXPECT_EQ(Forms::frmViewer->rtbFonts.BackColor(), 255u);
    EXPECT_EQ(Forms::frmViewer->picPreview.BackColor(), 255u);
}

TEST_F(StartupTest, SplashShowsTheReadsProgress)
{
    frmSplash::SetTimingsForTests(60000, 0);
    frmSplash& splash = *Forms::frmSplash;
    EXPECT_EQ(splash.lblStatus.Caption(), "...initializing.............");
    splash.ProgressUpdate(3, 10);
    EXPECT_EQ(splash.lblStatus.Caption(), "...processing font 3 of 10....");
    EXPECT_EQ(splash.lblVersion.Caption(), "Version " + modMain::AppVersion);
    splash.Unload(vbFormCode);
    EXPECT_FALSE(Forms::frmSplash.Exists()) << "the splash drops its shared instance";
}

TEST_F(StartupTest, SplashEndsAFastReadOnItsFinalCount)
{
    frmSplash::SetTimingsForTests(60000, 0);
    frmSplash& splash = *Forms::frmSplash;
    for (int i = 1; i <= 2000; ++i)
        splash.ProgressUpdate(i, 2000);
    EXPECT_EQ(splash.lblStatus.Caption(), "...processing font 2000 of 2000....");
    splash.Unload(vbFormCode);
}

TEST_F(StartupTest, SplashCannotBeClosedWhileItReads)
{
    g_closeTried = g_splashStayed = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 1, TryToClose);
    modMain::Main("");
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_closeTried) << "the read ended before a close could be tried";
    EXPECT_TRUE(g_splashStayed);
    EXPECT_GT(modMain::FontModel->Fonts()->Count(), 0) << "the read went to its end";
    EXPECT_TRUE(Forms::frmMain.IsLoaded());
}
