// A form hosted in a pane window: re-parenting, caption strip, close press, float drag and the
// teardown that hands the form back.
#include <gtest/gtest.h>

#include "docking/pane/CPaneWnd.h"
#include "docking/pane/PaneOwner.h"
#include "support/TestEnv.h"

namespace {

struct FakeOwner : CPaneOwner {
  int shown = 0, hidden = 0, gone = 0, styleOn = 0, styleOff = 0;
  std::string GetLayoutName() override { return "frmTest"; }
  void SetOwnStyleChange(bool on) override { (on ? styleOn : styleOff)++; }
  bool CanDock(int) override { return true; }
  void FireShown() override { ++shown; }
  void FireHidden() override { ++hidden; }
  void FireDockStyleChanged(int) override {}
  void PaneGone() override { ++gone; }
};

void Pump(int ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    Sleep(5);
  }
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class PaneWnd : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, nullptr,
                           nullptr, nullptr);
    form = CreateWindowExA(0, "STATIC", "Installed Fonts", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 300,
                           300, 250, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host && form);
    pane = new CPaneWnd();
    pane->owner = &owner;
    pane->ghostOnDesktop = false;
    ASSERT_EQ(pane->Attach(form, host), 1);
  }
  void TearDown() override {
    if (pane && CPaneWnd::LiveCount() > 0 && pane->hwnd) pane->Destroy();
    if (form) DestroyWindow(form);
    if (host) DestroyWindow(host);
    Pump(10);
  }
  // Docks the pane at the frame's left edge, 200 x 300.
  void Dock(int dragStyle, int side) {
    pane->docked = true;
    pane->side = side;
    pane->dragAreaStyle = dragStyle;
    SetWindowPos(pane->hwnd, nullptr, 0, 0, 200, 300, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    Pump(120);  // the one-shot layout timer
  }
  RECT Client() const {
    RECT r{};
    GetClientRect(pane->hwnd, &r);
    return r;
  }

  FakeOwner owner;
  HWND host = nullptr, form = nullptr;
  CPaneWnd* pane = nullptr;
};

TEST_F(PaneWnd, AttachTakesTheFormInWithoutItsFrame) {
  EXPECT_EQ(GetParent(form), pane->hwnd);
  const LONG style = GetWindowLongA(form, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_EQ(style & 0x00CF0000, 0);
  EXPECT_EQ(owner.styleOn, 1);
  EXPECT_EQ(owner.styleOff, 1);
  EXPECT_EQ(pane->Title(), "Installed Fonts");
  EXPECT_EQ(CPaneWnd::FromHandle(pane->hwnd), pane);

  Dock(0, 0);
  // The caption strip takes 16 pixels at the top; the form fills the rest and is shown.
  EXPECT_EQ(Client().right, 200);
  EXPECT_EQ(Client().bottom, 284);
  RECT f{};
  GetWindowRect(form, &f);
  EXPECT_EQ(f.right - f.left, 200);
  EXPECT_EQ(f.bottom - f.top, 284);
  EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PaneWnd, CaptionStripPlacementAndHitTest) {
  Dock(1, 1);  // no-text style at the top: the strip runs down the left edge
  EXPECT_EQ(Client().right, 184);
  EXPECT_EQ(Client().bottom, 300);
  EXPECT_EQ(SendMessageA(pane->hwnd, WM_NCHITTEST, 0, Point(5, 200)), HTCAPTION);
  EXPECT_NE(SendMessageA(pane->hwnd, WM_NCHITTEST, 0, Point(50, 5)), HTCAPTION);

  // Alone in a floating frame: no strip of its own, nothing is caption.
  pane->docked = false;
  SetWindowPos(pane->hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(pane->captionSize, 0);
  EXPECT_EQ(Client().bottom, 300);
  EXPECT_NE(SendMessageA(pane->hwnd, WM_NCHITTEST, 0, Point(50, 5)), HTCAPTION);
  // Sharing the frame with another pane brings the strip back.
  pane->sharesMiniFrame = true;
  SetWindowPos(pane->hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(pane->captionSize, 16);
}

TEST_F(PaneWnd, CloseButtonHidesOnlyWhenReleasedOnIt) {
  Dock(0, 0);
  // Pressed on the close button (screen 190, 8 = client 190, -8), released beside it.
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 100));
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, Point(100, 100));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, Point(190, 8));
  EXPECT_TRUE(pane->IsVisible());
  EXPECT_EQ(owner.hidden, 0);
  EXPECT_EQ(pane->closeUp, 1);

  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, Point(190, -8));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, Point(190, 8));
  EXPECT_FALSE(pane->IsVisible());
  EXPECT_EQ(owner.hidden, 1);
  pane->SetVisible(true);
  EXPECT_EQ(owner.shown, 1);
  EXPECT_TRUE(pane->IsVisible());
}

TEST_F(PaneWnd, CaptionDragFloatsAtTheGhostHeldInTheWorkArea) {
  Dock(0, 0);
  pane->floatWidth = 200;
  pane->floatHeight = 150;
  pane->workArea = RECT{0, 0, 1024, 740};
  // Grabbed at (100, 8) of a 200-wide pane: the ghost keeps the cursor at its middle.
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(400, 284));
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(500, -200));  // above the screen top
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, Point(500, -200));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, Point(100, 8));
  EXPECT_EQ(pane->floatLeft, 500 - 100);
  EXPECT_EQ(pane->floatTop, 0);

  // Escape leaves the float place as it was.
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(700, 300));
  PostMessageA(pane->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, Point(100, 8));
  Pump(10);
  EXPECT_EQ(pane->floatLeft, 400);
  EXPECT_EQ(pane->dragging, 0);
}

TEST_F(PaneWnd, TeardownHandsTheFormBackAndForgetsThePane) {
  Dock(0, 0);
  CPaneWnd* forgotten = nullptr;
  static CPaneWnd** sink = nullptr;
  sink = &forgotten;
  CPaneWnd::AddForgetHook([](CPaneWnd* p) { if (sink) *sink = p; });
  const int before = CPaneWnd::LiveCount();
  CPaneWnd* dying = pane;
  HWND paneWindow = pane->hwnd;
  DestroyWindow(paneWindow);  // as a parent that goes would do
  pane = nullptr;
  EXPECT_FALSE(IsWindow(paneWindow));
  ASSERT_TRUE(IsWindow(form)) << "the host's form survives the pane window";
  EXPECT_EQ(GetParent(form), nullptr);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(owner.gone, 1);
  EXPECT_EQ(forgotten, dying);
  EXPECT_EQ(CPaneWnd::LiveCount(), before - 1);
  EXPECT_EQ(CPaneWnd::FromHandle(paneWindow), nullptr);
  sink = nullptr;
}

}  // namespace
