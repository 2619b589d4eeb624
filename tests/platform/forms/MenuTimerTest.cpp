// Menus (arrays, shortcut text, hidden items, popups) and timers.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"
#include "platform/forms/MessageLoop.h"
#include "platform/forms/Timer.h"

using namespace platform::forms;

namespace {

class frmMenus : public Form {
public:
    frmMenus() : Form("frmMenus") {}
    std::vector<std::string> log;
    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFind{*this, "mnuFind"};
    Menu mnuSep{*this, "mnuSep"};
    Menu mnuRefresh{*this, "mnuRefresh"};
    Menu mnuView{*this, "mnuView"};
    Menu mnuViewItem0{*this, "mnuViewItem", 0};
    Menu mnuViewItem1{*this, "mnuViewItem", 1};
    Menu mnuViewItem2{*this, "mnuViewItem", 2};
    Menu mnuPopup{*this, "mnuPopup"};
    Menu mnuPopupCopy{*this, "mnuPopupCopy"};
    Timer tmrTick{*this, "tmrTick"};

protected:
    void Design() override
    {
        mnuFile.Caption("&File");
        mnuFind.Parent(mnuFile);
        mnuFind.Caption("&Find...");
        mnuFind.Shortcut("Ctrl+F");
        mnuSep.Parent(mnuFile);
        mnuSep.Caption("-");
        mnuRefresh.Parent(mnuFile);
        mnuRefresh.Caption("&Refresh");
        mnuRefresh.Shortcut("F5");
        mnuView.Caption("&View");
        for (Menu* m : {&mnuViewItem0, &mnuViewItem1, &mnuViewItem2}) {
            m->Parent(mnuView);
            m->Caption("Item " + std::to_string(m->Index()));
        }
        mnuPopup.Caption("Popup");
        mnuPopup.Visible(false);
        mnuPopupCopy.Parent(mnuPopup);
        mnuPopupCopy.Caption("&Copy");
    }
    void Form_Load() override
    {
        for (Menu* m : {&mnuViewItem0, &mnuViewItem1, &mnuViewItem2})
            m->Click = [this, m] { log.push_back("view " + std::to_string(m->Index())); };
        mnuFind.Click = [this] { log.push_back("find"); };
        mnuView.Click = [this] { log.push_back("view opens"); };
        mnuPopupCopy.Click = [this] { log.push_back("copy"); };
    }
};

std::string ItemText(HMENU m, int pos)
{
    char buf[128] = {};
    GetMenuStringA(m, static_cast<UINT>(pos), buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

int g_chooseId = 0;
int ChooseFirst(Menu& popup) { return popup.Items().empty() ? 0 : popup.Items()[0]->CommandId(); }

}  // namespace

TEST(Menus, ShortcutTextFollowsATabAndHiddenTitlesStayOffTheBar)
{
    auto f = std::make_shared<frmMenus>();
    f->Load();
    HMENU bar = GetMenu(f->Window());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2) << "the hidden popup title is not on the bar";
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(ItemText(file, 0), "&Find...\tCtrl+F");
    EXPECT_EQ(ItemText(file, 2), "&Refresh\tF5");
    EXPECT_EQ(ItemText(bar, 1), "&View");

    ACCEL a;
    ASSERT_TRUE(Menu::ParseShortcut("Ctrl+F", a));
    EXPECT_EQ(a.key, 'F');
    EXPECT_EQ(a.fVirt, FVIRTKEY | FCONTROL);
    ASSERT_TRUE(Menu::ParseShortcut("F5", a));
    EXPECT_EQ(a.key, VK_F5);
    EXPECT_FALSE(Menu::ParseShortcut("Ctrl+", a));
    EXPECT_NE(f->Accelerators(), nullptr);
    f->Unload(vbFormCode);
}

TEST(Menus, ArrayItemsClickHideAndComeBackInOrder)
{
    auto f = std::make_shared<frmMenus>();
    f->Load();
    HMENU view = GetSubMenu(GetMenu(f->Window()), 1);
    SendMessageA(f->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
    SendMessageA(f->Window(), WM_COMMAND, static_cast<WPARAM>(f->mnuViewItem1.CommandId()), 0);
    f->mnuViewItem1.Visible(false);
    EXPECT_EQ(GetMenuItemCount(view), 2);
    EXPECT_EQ(ItemText(view, 1), "Item 2");
    f->mnuViewItem0.Visible(false);
    f->mnuViewItem1.Visible(true);
    EXPECT_EQ(ItemText(view, 0), "Item 1");
    f->mnuViewItem0.Visible(true);
    EXPECT_EQ(ItemText(view, 0), "Item 0");
    EXPECT_EQ(ItemText(view, 2), "Item 2");
    f->mnuViewItem2.Checked(true);
    EXPECT_TRUE(GetMenuState(view, 2, MF_BYPOSITION) & MF_CHECKED);
    f->mnuViewItem2.Enabled(false);
    EXPECT_TRUE(GetMenuState(view, 2, MF_BYPOSITION) & MF_GRAYED);
    // A shortcut of a disabled item does nothing; a menu pick of it neither reaches code.
    f->mnuFind.Enabled(false);
    SendMessageA(f->Window(), WM_COMMAND, MAKEWPARAM(f->mnuFind.CommandId(), 1), 0);
    EXPECT_EQ(f->log, (std::vector<std::string>{"view opens", "view 1"}));
    f->Unload(vbFormCode);
}

TEST(Menus, PopupOfAHiddenTitleRunsTheChosenItem)
{
    auto f = std::make_shared<frmMenus>();
    f->Show();
    Menu::SetPopupChooser(ChooseFirst);
    f->PopupMenu(f->mnuPopup);
    Menu::SetPopupChooser(nullptr);
    EXPECT_EQ(f->log, (std::vector<std::string>{"copy"}));
    f->Unload(vbFormCode);
    (void)g_chooseId;
}

TEST(Timers, TicksNeverReenterTheirHandlerAndStopWithTheForm)
{
    auto f = std::make_shared<frmMenus>();
    f->Load();
    int ticks = 0, depth = 0, maxDepth = 0;
    f->tmrTick.Tick = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        DWORD until = GetTickCount() + 60;
        while (GetTickCount() < until)
            DoEvents();
        --depth;
    };
    EXPECT_THROW(f->tmrTick.Interval(70000), QlError);
    f->tmrTick.Interval(10);
    DWORD until = GetTickCount() + 400;
    while (GetTickCount() < until && ticks < 3) {
        DoEvents();
        Sleep(5);
    }
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(maxDepth, 1);
    f->Unload(vbFormCode);
    int before = ticks;
    until = GetTickCount() + 80;
    while (GetTickCount() < until) {
        DoEvents();
        Sleep(5);
    }
    EXPECT_EQ(ticks, before);
}
