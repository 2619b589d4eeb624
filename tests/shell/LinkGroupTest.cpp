// Windows of different folders call each other: the main window (shell) loads the
// preview (preview), whose queue indicator pops up the main window's menu and opens the
// queue window (tools). The test links only through the windows' link group.
#include "preview/frmViewer.h"
#include "shell/frmMain.h"
#include "tools/frmProcess.h"
#include "ShellTestSupport.h"

using namespace platform::forms;

namespace {
std::string g_popped;
int ChoosePopup(Menu& popup)
{
    g_popped = popup.Name();
    return 0;
}
}  // namespace

TEST_F(ShellTest, WindowsOfTwoFoldersCallEachOther)
{
    Forms::frmMain->Show();
    ASSERT_TRUE(Forms::frmViewer.IsLoaded()) << "the main window's load shows the preview";
    EXPECT_EQ(Forms::frmViewer->QueuePicture(), "Empty");

    Menu::SetPopupChooser(ChoosePopup);
    Forms::frmViewer->OverImage1.MouseUp.Raise("test", vbRightButton, 0, 0, 0);
    EXPECT_EQ(g_popped, "mnuProcessPopup");

    Forms::frmViewer->OverImage1.DblClick.Raise("test");
    EXPECT_TRUE(Forms::frmProcess.IsLoaded());
}
