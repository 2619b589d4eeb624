// The main window hosts the docking frame and the pane windows through the forms
// layer's OLE container; the panes tick their View menu items as they show and hide.
#include "inspect/frmPropertyFont.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "ShellTestSupport.h"

TEST_F(ShellTest, MainWindowHostsDockedPanesThatTickTheirMenuItems)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    ASSERT_TRUE(main.Dock1.Created());

    frmFonts& fonts = *Forms::frmFonts;
    frmPropertyFont& props = *Forms::frmPropertyFont;
    ASSERT_TRUE(fonts.FDPane1.Created());
    EXPECT_TRUE(IsChild(main.Window(), fonts.Window())) << "the pane window lives inside the main window";
    EXPECT_TRUE(IsChild(main.Window(), props.Window()));
    EXPECT_TRUE(fonts.PaneVisible());
    EXPECT_EQ(fonts.CurrentDockStyle(), DockStyle::DockToLeft);
    EXPECT_EQ(props.CurrentDockStyle(), DockStyle::DockToRight);
    EXPECT_TRUE(main.mnuView(0).Checked());
    EXPECT_TRUE(main.mnuView(7).Checked());

    fonts.PaneVisible(false);
    Pump();
    EXPECT_FALSE(fonts.PaneVisible());
    EXPECT_FALSE(main.mnuView(0).Checked()) << "OnHidden clears the tick";
    EXPECT_TRUE(main.mnuView(7).Checked());

    main.mnuView(0).RaiseClick();
    Pump();
    EXPECT_TRUE(fonts.PaneVisible());
    EXPECT_TRUE(main.mnuView(0).Checked()) << "OnShown sets the tick";
}

// A pane window that was never shown counts as hidden, so the View command shows it.
TEST_F(ShellTest, ViewCommandShowsAPaneNeverShownBefore)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    main.mnuView(5).RaiseClick();  // the detailed list: not part of the default layout
    Pump();
    ASSERT_TRUE(modMain::IsLoaded("frmAllFonts"));
    EXPECT_TRUE(main.mnuView(5).Checked());
    main.mnuView(5).RaiseClick();
    Pump();
    EXPECT_FALSE(main.mnuView(5).Checked());
}

#include <functional>
#include <set>
#include <map>

#include "inspect/frmGlyphs.h"
#include "inspect/frmPropViewer.h"
#include "inspect/frmPropertyTB.h"
#include "inspect/frmPropertyViewer.h"
#include "preview/frmAllFonts.h"
#include "preview/frmBig.h"
#include "preview/frmFontBrowser.h"
#include "shell/frmHelp.h"
#include "tools/frmFontPackager.h"

namespace {
std::map<std::string, std::function<PaneForm&()>> PaneWindows()
{
    return {{"frmFonts", [] { return std::ref<PaneForm>(*Forms::frmFonts); }},
            {"frmFontBrowser", [] { return std::ref<PaneForm>(*Forms::frmFontBrowser); }},
            {"frmBig", [] { return std::ref<PaneForm>(*Forms::frmBig); }},
            {"frmFontPackager", [] { return std::ref<PaneForm>(*Forms::frmFontPackager); }},
            {"frmAllFonts", [] { return std::ref<PaneForm>(*Forms::frmAllFonts); }},
            {"frmPropertyFont", [] { return std::ref<PaneForm>(*Forms::frmPropertyFont); }},
            {"frmPropertyViewer", [] { return std::ref<PaneForm>(*Forms::frmPropertyViewer); }},
            {"frmPropertyTB", [] { return std::ref<PaneForm>(*Forms::frmPropertyTB); }},
            {"frmHelp", [] { return std::ref<PaneForm>(*Forms::frmHelp); }},
            {"frmGlyphs", [] { return std::ref<PaneForm>(*Forms::frmGlyphs); }},
            {"frmPropViewer", [] { return std::ref<PaneForm>(*Forms::frmPropViewer); }}};
}
}  // namespace

// Every pane of the table: a window outside the preset layout appears where its design
// values put it, and every pane ticks its menu item.
TEST_F(ShellTest, EveryPaneOfTheTableAppearsAsItsRowSays)
{
    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    const std::set<std::string> inLayout = {"frmFonts", "frmFontBrowser", "frmPropertyFont",
                                            "frmPropertyViewer", "frmPropertyTB", "frmHelp"};
    auto windows = PaneWindows();
    ASSERT_EQ(windows.size(), PaneTable::Rows().size());
    for (const PaneRow& row : PaneTable::Rows()) {
        SCOPED_TRACE(row.form);
        PaneForm& pane = windows.at(row.form)();
        if (!inLayout.count(row.form)) {
            EXPECT_FALSE(pane.PaneVisible());
            pane.Show();
            Pump();
            // (The package manager's first side, bottom, is not among the sides it may dock
            // to; the library then picks one it may.)
            const bool allowed = row.side == DockStyle::DockToNone ||
                                 (row.side == DockStyle::DockToLeft && row.canLeft) ||
                                 (row.side == DockStyle::DockToTop && row.canTop) ||
                                 (row.side == DockStyle::DockToRight && row.canRight) ||
                                 (row.side == DockStyle::DockToBottom && row.canBottom);
            if (row.pin == PinType::Pinned && allowed)
                EXPECT_EQ(pane.CurrentDockStyle(), row.side);
        }
        // The browser is the installed fonts' tab, behind them.
        EXPECT_EQ(pane.PaneVisible(), row.form != std::string("frmFontBrowser"));
        if (*row.menu)
            EXPECT_TRUE(main.FindMenu(row.menu, row.menuIndex)->Checked());
    }
    EXPECT_EQ(FailureText(), "");
}
