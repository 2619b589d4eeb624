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
