// The MDI main form: bars first, the MDI client in the rest; children unload first.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/controls/StatusBar.h"
#include "platform/forms/MDIForm.h"

using namespace platform::forms;

namespace {

std::vector<std::string> g_order;

class frmMainTest : public MDIForm {
public:
    frmMainTest() : MDIForm("frmMain") {}
    StatusBar sb{*this, "sb"};

protected:
    void Design() override
    {
        Move(0, 0, 9000, 7000);
        sb.Height(300);
        sb.AddPanel("Ready", 2000);
    }
    void Form_QueryUnload(int&, int mode) override { g_order.push_back("main " + std::to_string(mode)); }
};

class frmChild : public Form {
public:
    frmChild() : Form("frmViewer") { MDIChild(true); }

protected:
    void Form_QueryUnload(int&, int mode) override { g_order.push_back("child " + std::to_string(mode)); }
};

RECT InParent(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(MdiForm, ClientTakesWhatTheBarsLeaveAndChildrenUnloadFirst)
{
    g_order.clear();
    auto main = std::make_shared<frmMainTest>();
    main->Show();
    char cls[64] = {};
    GetClassNameA(GetWindow(main->Window(), GW_CHILD), cls, sizeof cls);
    HWND client = main->MDIClient();
    ASSERT_NE(client, nullptr);
    RECT bar = InParent(main->sb.Window()), mdi = InParent(client), all;
    GetClientRect(main->Window(), &all);
    EXPECT_EQ(mdi.bottom, bar.top);
    EXPECT_EQ(bar.bottom, all.bottom);
    main->Width(10000);
    bar = InParent(main->sb.Window());
    mdi = InParent(client);
    GetClientRect(main->Window(), &all);
    EXPECT_EQ(mdi.bottom, bar.top) << "laid out again on resize";
    EXPECT_EQ(mdi.right, all.right);

    auto child = std::make_shared<frmChild>();
    child->Show();
    EXPECT_EQ(GetParent(child->Window()), client);
    main->Unload(vbFormCode);
    EXPECT_EQ(g_order, (std::vector<std::string>{"child 4", "main 1"}));
    EXPECT_FALSE(child->IsLoaded());
    EXPECT_FALSE(main->IsLoaded());
}
