// The main window's load, its preset layouts as the docking library reports them, the
// question before closing while fonts are queued, and the saved layout.
#include <windows.h>

#include "inspect/frmPropertyFont.h"
#include "inspect/frmPropertyTB.h"
#include "inspect/frmPropertyViewer.h"
#include "preview/frmFontBrowser.h"
#include "preview/frmViewer.h"
#include "shell/frmFonts.h"
#include "shell/frmHelp.h"
#include "shell/frmMain.h"
#include "tools/frmProcess.h"
#include "ShellTestSupport.h"

using namespace platform::forms;

namespace {

constexpr const char* kQuestion = "You have fonts pending removal.  Do you want to exit without removing them?";

RECT PaneRect(PaneForm& f)
{
    RECT r{};
    GetWindowRect(GetParent(f.Window()), &r);
    return r;
}

bool LayoutSaved()
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + ShellTest::LayoutKey()).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

// Runs one ShellSecondStart test in a process of its own; its exit code.
DWORD RunSecondStart(const std::string& test, const std::string& id)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=ShellSecondStart." + test;
    SetEnvironmentVariableA("QL_SHELL_TEST_ID", id.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("QL_SHELL_TEST_ID", nullptr);
    if (!started)
        return ~0u;
    DWORD code = ~0u;
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}

bool PaneWindowVisible(PaneForm& f) { return IsWindowVisible(GetParent(f.Window())); }

}  // namespace

TEST_F(ShellTest, LoadGivesCaptionStatusBarAndTheDefaultLayout)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    EXPECT_EQ(main.Caption(), "Quillery Pro ");
    ASSERT_EQ(main.sb.PanelCount(), 4);
    EXPECT_EQ(main.sb.PanelText(1), std::to_string(modMain::FontModel->Fonts()->Count()) + " installed fonts");
    EXPECT_EQ(main.DragAreaStyle(), DragHandle::TextDisplay) << "title_window missing: titles show their text";
    EXPECT_EQ(Forms::frmViewer->QueuePicture(), "Empty");

    frmFonts& fonts = *Forms::frmFonts;
    frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
    EXPECT_EQ(Forms::frmPropertyTB->CurrentDockStyle(), DockStyle::DockToTop);
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmHelp->CurrentDockStyle(), DockStyle::DockToBottom);
    EXPECT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToRight);
    // Placed relative to the installed fonts: the browser joins its block, the viewer
    // settings go below it in the same column.
    EXPECT_EQ(Forms::frmFontBrowser->CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(viewer.CurrentDockStyle(), DockStyle::DockToLeft);
    const RECT f = PaneRect(fonts), v = PaneRect(viewer);
    EXPECT_EQ(v.left, f.left);
    EXPECT_GT(v.top, f.top);
    for (PaneForm* p : std::initializer_list<PaneForm*>{&*Forms::frmPropertyTB, &fonts, &*Forms::frmHelp, &viewer,
                                                       &*Forms::frmPropertyFont})
        EXPECT_TRUE(p->PaneVisible()) << p->Name();
    EXPECT_FALSE(Forms::frmFontBrowser->PaneVisible()) << "the installed fonts' tab, behind them";
    for (int i : {0, 1, 7, 8, 9})
        EXPECT_TRUE(main.mnuView(i).Checked()) << "mnuView(" << i << ")";
    EXPECT_TRUE(main.mnuHelp.Checked());
    EXPECT_FALSE(main.mnuView(3).Checked()) << "the magnifier is not part of the layout";
    EXPECT_TRUE(main.mnuPresetViews(0).Checked());
    EXPECT_FALSE(main.mnuFSMain.Enabled());
    EXPECT_FALSE(main.mnuFontsPopup.Visible());
    EXPECT_EQ(main.mnuView(7).ItemText(), "&Font Properties\tF3");
    EXPECT_EQ(FailureText(), "");
}

TEST_F(ShellTest, TitleWindowFalseHidesPaneTitles)
{
    PutSetting("title_window", "False");
    Forms::frmMain->Show();
    EXPECT_EQ(Forms::frmMain->DragAreaStyle(), DragHandle::NoTextDisplay);
}

TEST_F(ShellTest, PresetCommandsTickTheirItem)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    for (int preset : {1, 2, 0}) {
        main.mnuPresetViews(preset).RaiseClick();
        Pump();
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(main.mnuPresetViews(k).Checked(), k == preset) << preset << " ticks only itself";
        EXPECT_TRUE(Forms::frmFonts->PaneVisible()) << preset;
        EXPECT_TRUE(Forms::frmPropertyViewer->PaneVisible()) << preset;
    }
    EXPECT_EQ(FailureText(), "");
}

TEST_F(ShellTest, ViewingPresetPlacesItsPanes)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    main.mnuPresetViews(2).RaiseClick();
    Pump();
    EXPECT_EQ(Forms::frmFonts->CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmFontBrowser->CurrentDockStyle(), DockStyle::DockToRight);
    EXPECT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToBottom);
    EXPECT_EQ(Forms::frmPropertyViewer->CurrentDockStyle(), DockStyle::DockToLeft);
}

namespace {

// The default layout: toolbar top, installed fonts left with the browser as its tab and the
// viewer settings below them, help bottom, font properties right; all shown.
void ExpectDefaultLayout(frmMain& main)
{
    frmFonts& fonts = *Forms::frmFonts;
    frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
    EXPECT_EQ(Forms::frmPropertyTB->CurrentDockStyle(), DockStyle::DockToTop);
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmFontBrowser->CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(viewer.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmHelp->CurrentDockStyle(), DockStyle::DockToBottom);
    EXPECT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToRight);
    const RECT f = PaneRect(fonts), v = PaneRect(viewer);
    EXPECT_EQ(v.left, f.left);
    EXPECT_GT(v.top, f.bottom - 1);
    for (PaneForm* p : std::initializer_list<PaneForm*>{&*Forms::frmPropertyTB, &fonts, &*Forms::frmHelp, &viewer,
                                                       &*Forms::frmPropertyFont})
        EXPECT_TRUE(p->PaneVisible()) << p->Name();
    EXPECT_FALSE(Forms::frmFontBrowser->PaneVisible()) << "the installed fonts' tab, behind them";
    EXPECT_TRUE(main.mnuView(1).Checked()) << "the browser is open";
    EXPECT_TRUE(main.mnuView(7).Checked());
}

}  // namespace

TEST_F(ShellTest, PresetsPlaceTheirPanesAfterTheUserMovedThem)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    frmFonts& fonts = *Forms::frmFonts;
    // The user floats the installed fonts, closes the font properties and the browser.
    SendMessageA(GetParent(fonts.Window()), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Pump();
    ASSERT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToNone);
    main.mnuView(7).RaiseClick();
    Forms::frmFontBrowser->PaneVisible(false);
    Pump();
    ASSERT_FALSE(Forms::frmPropertyFont.IsLoaded() && Forms::frmPropertyFont->PaneVisible());
    ASSERT_FALSE(Forms::frmFontBrowser->PaneVisible());

    main.mnuPresetViews(2).RaiseClick();
    Pump();
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmFontBrowser->CurrentDockStyle(), DockStyle::DockToRight);
    EXPECT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToBottom);
    EXPECT_EQ(Forms::frmPropertyViewer->CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_GT(PaneRect(*Forms::frmPropertyViewer).top, PaneRect(fonts).top);
    EXPECT_TRUE(Forms::frmFontBrowser->PaneVisible());
    EXPECT_TRUE(Forms::frmPropertyFont->PaneVisible());
    EXPECT_EQ(Forms::frmHelp->CurrentDockStyle(), DockStyle::DockToBottom) << "untouched: its initial side";
    EXPECT_TRUE(Forms::frmHelp->PaneVisible());

    // Simple sets two panes; the others go back to the sides they were last given.
    SendMessageA(GetParent(Forms::frmPropertyViewer->Window()), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Pump();
    main.mnuPresetViews(1).RaiseClick();
    Pump();
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(Forms::frmPropertyViewer->CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(PaneRect(*Forms::frmPropertyViewer).left, PaneRect(fonts).left);
    EXPECT_GT(PaneRect(*Forms::frmPropertyViewer).top, PaneRect(fonts).top);
    EXPECT_EQ(Forms::frmFontBrowser->CurrentDockStyle(), DockStyle::DockToRight);

    main.mnuPresetViews(0).RaiseClick();
    Pump();
    ExpectDefaultLayout(main);
    EXPECT_EQ(FailureText(), "");
}

TEST_F(ShellTest, FirstStartShowsTheSixPanesOfTheDefaultLayout)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    ExpectDefaultLayout(main);
    const RECT v = PaneRect(*Forms::frmPropertyViewer);
    EXPECT_NEAR(v.bottom - v.top, 250, 20) << "250 high";
    EXPECT_EQ(FailureText(), "");
}

TEST_F(ShellTest, ExitWhileFontsAreQueuedAsksFirst)
{
    PutSetting("window_settings", "True");
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    Forms::frmViewer->SetQueuePicture("Full");

    // No: nothing closes, nothing is saved, the queue window opens.
    BeginScript({vbNo});
    main.mnuExit.RaiseClick();
    Pump();
    ASSERT_EQ(ScriptLog().size(), 1u);
    EXPECT_EQ(ScriptLog()[0].text, kQuestion);
    EXPECT_EQ(ScriptLog()[0].detail, "Quillery Pro");
    EXPECT_EQ(ScriptLog()[0].flags, vbYesNo | vbQuestion);
    EndScript();
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_TRUE(Forms::frmViewer.IsLoaded());
    EXPECT_TRUE(Forms::frmFonts.IsLoaded()) << "no window goes before the answer";
    EXPECT_TRUE(Forms::frmProcess.IsLoaded());
    EXPECT_FALSE(LayoutSaved());

    // Yes: the layout is saved and every window closes, the main window last.
    BeginScript({vbYes});
    main.Unload(vbFormControlMenu);
    EndScript();
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_TRUE(platform::LoadedFormsSnapshot().empty());
    EXPECT_TRUE(LayoutSaved());
}

TEST_F(ShellTest, ExitWithAnEmptyQueueAsksNothingAndSavesOnlyWhenTrue)
{
    PutSetting("window_settings", "true");
    Forms::frmMain->Show();
    BeginScript();
    Forms::frmMain->Unload(vbFormControlMenu);
    EXPECT_TRUE(ScriptLog().empty());
    EndScript();
    EXPECT_TRUE(platform::LoadedFormsSnapshot().empty());
    EXPECT_FALSE(LayoutSaved()) << "\"true\" is not \"True\"";
}

TEST_F(ShellTest, SessionEndAsksTheSameQuestion)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Forms::frmViewer->SetQueuePicture("Full");
    BeginScript({vbNo});
    EXPECT_EQ(SendMessageA(main.Window(), WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(ScriptLog().size(), 1u);
    EndScript();
    EXPECT_TRUE(main.IsLoaded());
    BeginScript({vbYes});
    EXPECT_NE(SendMessageA(main.Window(), WM_QUERYENDSESSION, 0, 0), 0);
    SendMessageA(main.Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ScriptLog().size(), 1u) << "asked once for the whole session end";
    EndScript();
    EXPECT_TRUE(platform::LoadedFormsSnapshot().empty());
}

// A pane floated in one run floats again in the next (a second process), when
// window_settings is "True".
TEST_F(ShellTest, SavedLayoutComesBackInTheNextStart)
{
    PutSetting("window_settings", "True");
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    Forms::frmPropertyFont->FDPane1.Invoke(7, DISPATCH_METHOD);  // ReFloat
    Pump();
    ASSERT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToNone);
    main.Unload(vbFormControlMenu);
    ASSERT_TRUE(LayoutSaved());

    EXPECT_EQ(RunSecondStart("FindsTheFloatingPane", Id()), 0u) << "the second start did not find the floating pane";
}

class ShellSecondStart : public ShellTest {};

// Run by the test above in a process of its own.
TEST_F(ShellSecondStart, FindsTheFloatingPane)
{
    if (!std::getenv("QL_SHELL_TEST_ID"))
        GTEST_SKIP() << "started by SavedLayoutComesBackInTheNextStart";
    Forms::frmMain->Show();
    Pump();
    EXPECT_EQ(Forms::frmPropertyFont->CurrentDockStyle(), DockStyle::DockToNone);
    EXPECT_EQ(Forms::frmFonts->CurrentDockStyle(), DockStyle::DockToLeft);
}

// Run by ClosedAndUnpinnedPanesComeBackAsLeftInTheNextStart in a process of its own.
TEST_F(ShellSecondStart, FindsClosedAndUnpinnedPanesAsLeft)
{
    if (!std::getenv("QL_SHELL_TEST_ID"))
        GTEST_SKIP() << "started by ClosedAndUnpinnedPanesComeBackAsLeftInTheNextStart";
    Forms::frmMain->Show();
    Pump();
    frmFonts& fonts = *Forms::frmFonts;
    frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
    EXPECT_FALSE(Forms::frmPropertyFont->PaneVisible()) << "closed when saved";
    EXPECT_FALSE(Forms::frmHelp->PaneVisible()) << "unpinned: on its strip until it pops out, as when saved";
    EXPECT_FALSE(PaneWindowVisible(*Forms::frmHelp)) << "unpinned when saved";
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_TRUE(PaneWindowVisible(fonts));
    EXPECT_TRUE(viewer.PaneVisible());
    EXPECT_TRUE(PaneWindowVisible(viewer)) << "docked below the installed fonts when saved";
    EXPECT_EQ(viewer.CurrentDockStyle(), DockStyle::DockToLeft);
    const RECT f = PaneRect(fonts), v = PaneRect(viewer);
    EXPECT_EQ(v.left, f.left);
    EXPECT_GT(v.top, f.top);
    EXPECT_GT(v.bottom - v.top, 0);
}

// A pane closed and one unpinned in one run: the next start finds every other pane where
// it was, the closed one hidden and the unpinned one on its strip.
TEST_F(ShellTest, ClosedAndUnpinnedPanesComeBackAsLeftInTheNextStart)
{
    PutSetting("window_settings", "True");
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    Forms::frmPropertyFont->PaneVisible(false);
    Forms::frmHelp->PinState(PinType::UnPinned);
    Pump();
    ASSERT_FALSE(Forms::frmPropertyFont->PaneVisible());
    ASSERT_FALSE(PaneWindowVisible(*Forms::frmHelp)) << "unpinned: on its strip, not docked";
    ASSERT_TRUE(PaneWindowVisible(*Forms::frmPropertyViewer));
    main.Unload(vbFormControlMenu);
    ASSERT_TRUE(LayoutSaved());
    EXPECT_EQ(RunSecondStart("FindsClosedAndUnpinnedPanesAsLeft", Id()), 0u);
}

// Items named in the menu-image table get their picture beside them, found by caption.
TEST_F(ShellTest, MenuItemsGetTheirPictures)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    HMENU help = main.mnuWindow.Popup();
    ASSERT_NE(help, nullptr);
    SendMessageA(main.Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 4);
    auto bitmapOf = [&](Menu& item) {
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_BITMAP;
        GetMenuItemInfoA(help, static_cast<UINT>(item.CommandId()), FALSE, &mii);
        return mii.hbmpItem;
    };
    EXPECT_EQ(bitmapOf(main.mnuAbout), HBMMENU_CALLBACK);
    EXPECT_EQ(bitmapOf(main.mnuHelpFileContents), HBMMENU_CALLBACK);
    EXPECT_EQ(bitmapOf(main.mnuTip), nullptr) << "no picture for the tip of the day";

    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = static_cast<UINT>(main.mnuAbout.CommandId());
    EXPECT_TRUE(SendMessageA(main.Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)));
    EXPECT_EQ(mi.itemWidth, 16u);
}

TEST_F(ShellTest, CloseAllWindowsClearsEveryViewTick)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    main.mnuView(11).RaiseClick();
    Pump();
    for (int i = 0; i < main.mnuView.Count(); ++i)
        EXPECT_FALSE(main.mnuView(i).Checked()) << i;
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_TRUE(Forms::frmFonts.IsLoaded()) << "the command unloads no window";
    EXPECT_EQ(FailureText(), "");
}

TEST_F(ShellTest, StyleHelpAndSystemCommands)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    main.mnuDS(2).RaiseClick();
    EXPECT_EQ(modMain::FontModel->Display()->Style(), 3);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(main.mnuDS(k).Checked(), k == 2);

    BeginScript();
    main.mnuExplorerFontFolder.RaiseClick();
    main.mnuHelpFileIndex.RaiseClick();
    main.mnuInternetLink(1).RaiseClick();
    main.mnuInternetLink(3).RaiseClick();  // a separator
    ASSERT_EQ(ScriptLog().size(), 3u);
    EXPECT_NE(ScriptLog()[0].text.find("\\explorer.exe"), std::string::npos) << "by its full path";
    EXPECT_EQ(ScriptLog()[0].detail, "Open /e,/root," + modMain::FontModel->FontFolder());
    EXPECT_EQ(ScriptLog()[1].kind, "Help");
    EXPECT_NE(ScriptLog()[1].text.find("\\quillery pro.chm"), std::string::npos);
    EXPECT_NE(ScriptLog()[2].text.find("/forum/index.php?board=29.0"), std::string::npos);
    EndScript();
}
