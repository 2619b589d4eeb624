#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/tooltips/cTooltips.h"
#include "support/TestEnv.h"

namespace {

std::string TipTextOf(HWND tip, HWND control)
{
    char buf[512] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = control;
    ti.uId = 0;
    ti.lpszText = buf;
    SendMessageA(tip, TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&ti));
    return buf;
}

class Tooltips : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ql::test::HaveDisplay())
            GTEST_SKIP() << "no display";
        form = CreateWindowExA(0, "STATIC", "form", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
        button = CreateWindowExA(0, "BUTTON", "Search", WS_CHILD | WS_VISIBLE, 10, 10, 120, 30, form, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(button, nullptr);
    }
    void TearDown() override
    {
        if (form)
            DestroyWindow(form);
    }
    HWND form = nullptr;
    HWND button = nullptr;
};

}  // namespace

TEST_F(Tooltips, BalloonAttachesToTheControl)
{
    cTooltips tip;
    bool cleared = false;
    tip.CreateBalloon(button, "Searches the whole disk", "Search", 1, [&] { cleared = true; });
    HWND w = tip.hWnd();
    ASSERT_TRUE(IsWindow(w));
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, TOOLTIPS_CLASSA);
    LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & TTS_BALLOON);
    EXPECT_TRUE(style & TTS_NOPREFIX);
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(w, GW_OWNER), form);  // a popup's owner is the control's top-level window
    EXPECT_EQ(SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(w, TTM_GETMAXTIPWIDTH, 0, 0), 300);
    EXPECT_EQ(TipTextOf(w, button), "Searches the whole disk");
    EXPECT_TRUE(cleared);
    EXPECT_TRUE(tip.Active());
    EXPECT_EQ(tip.Style(), 1);
}

TEST_F(Tooltips, SettersRebuildTheWindow)
{
    cTooltips tip;
    tip.CreateBalloon(button, "Text", "Old title", 1);
    HWND first = tip.hWnd();
    tip.SetTitle("New title");
    HWND second = tip.hWnd();
    EXPECT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    tip.SetBackColor(RGB(255, 255, 200));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tip.hWnd(), TTM_GETTIPBKCOLOR, 0, 0)), RGB(255, 255, 200));
    tip.SetTipText("Other text");
    EXPECT_EQ(TipTextOf(tip.hWnd(), button), "Other text");
    tip.SetActive(false);
    tip.SetStyle(0);
    EXPECT_FALSE(GetWindowLongA(tip.hWnd(), GWL_STYLE) & TTS_BALLOON);
    EXPECT_FALSE(tip.Active());  // a rebuild keeps the active state
    EXPECT_FALSE(tip.Remove());
    EXPECT_EQ(tip.hWnd(), nullptr);
}

TEST_F(Tooltips, WithoutAParentSettersOnlyStore)
{
    cTooltips tip;
    tip.SetTitle("T");
    tip.SetTipText("x");
    tip.SetCentered(true);
    EXPECT_EQ(tip.hWnd(), nullptr);
    EXPECT_EQ(tip.Title(), "T");
    tip.CreateTip(button, "Plain", "T", 1);
    EXPECT_EQ(tip.Icon(), 0);  // the information icon is not offered here
    EXPECT_EQ(tip.Style(), 0);
    EXPECT_NE(tip.hWnd(), nullptr);
    HWND w = tip.hWnd();
    DestroyWindow(form);  // the control's window takes the tip along
    form = nullptr;
    EXPECT_FALSE(IsWindow(w));
}
