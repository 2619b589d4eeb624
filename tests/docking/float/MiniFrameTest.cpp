// Floating frames with real pane windows: caption sharing, clamps, activation order, closing
// and the deletion that waits for the frame's own handler.
#include <gtest/gtest.h>

#include "docking/float/CMiniFrame.h"
#include "docking/pane/CPaneWnd.h"
#include "support/TestEnv.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

class MiniFrame : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    framesBefore = CMiniFrame::LiveCount();
  }
  void TearDown() override {
    for (CPaneWnd* p : panes)
      if (CPaneWnd::FromHandle(p->hwnd) == p) p->Destroy();
    for (HWND f : forms) DestroyWindow(f);
    if (host) DestroyWindow(host);
    Pump();
    // Whatever frames the test made are gone with their panes, or window-less and listed.
    for (CMiniFrame* f : std::vector<CMiniFrame*>(CMiniFrame::FloatingFrames())) delete f;
  }
  CPaneWnd* NewPane(const char* caption) {
    HWND form = CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    forms.push_back(form);
    auto* p = new CPaneWnd();
    p->ghostOnDesktop = false;
    EXPECT_EQ(p->Attach(form, host), 1);
    ShowWindow(p->hwnd, SW_SHOWNA);
    panes.push_back(p);
    return p;
  }
  static RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }

  HWND host = nullptr;
  int framesBefore = 0;
  std::vector<HWND> forms;
  std::vector<CPaneWnd*> panes;
};

TEST_F(MiniFrame, OnePaneUsesTheFrameCaptionTwoShowTheirOwn) {
  CPaneWnd* a = NewPane("Information");
  a->floatLeft = 120;
  a->floatTop = 90;  // never sized: floats at 200 x 200
  a->Float();
  CMiniFrame* frame = a->miniFrame;
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->hwnd, nullptr);
  char cls[32] = {};
  GetClassNameA(frame->hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "MIFRAMEWND");
  EXPECT_TRUE(GetWindowLongA(frame->hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  const RECT fr = WindowRect(frame->hwnd);
  EXPECT_EQ(fr.left, 120);
  EXPECT_EQ(fr.top, 90);
  EXPECT_EQ(fr.right - fr.left, 200);
  EXPECT_EQ(GetParent(a->hwnd), frame->hwnd);
  EXPECT_EQ(a->captionSize, 0);
  EXPECT_EQ(frame->singlePaneCaption, 1);
  EXPECT_TRUE(CMiniFrame::IsListed(frame));

  CPaneWnd* b = NewPane("Viewer settings");
  frame->AttachPane(b);
  EXPECT_TRUE(frame->HasSeveralPanes(nullptr, true));
  EXPECT_EQ(a->captionSize, 16);
  EXPECT_EQ(b->captionSize, 16);
  EXPECT_EQ(frame->singlePaneCaption, 0);
  char title[32] = "x";
  GetWindowTextA(frame->hwnd, title, sizeof title);
  EXPECT_STREQ(title, "");

  frame->RemovePane(b);
  EXPECT_EQ(frame->singlePaneCaption, 1);
  EXPECT_EQ(a->captionSize, 0);
  GetWindowTextA(frame->hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Information");
}

TEST_F(MiniFrame, RememberedRectangleIsImposedAndDefaultsWhenUnset) {
  CMiniFrame* fresh = CMiniFrame::CreateFloating(nullptr);
  RECT r{};
  fresh->GetFloatRect(r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 200);

  const RECT kept{300, 200, 550, 380};
  CMiniFrame* frame = CMiniFrame::CreateFloating(&kept);
  CPaneWnd* p = NewPane("Font Browser");
  p->floatLeft = 10;
  p->floatWidth = 90;
  frame->AttachPane(p);
  EXPECT_EQ(p->floatLeft, 300);
  EXPECT_EQ(p->floatWidth, 250);
  EXPECT_EQ(WindowRect(frame->hwnd).left, 300);
  delete fresh;
}

TEST_F(MiniFrame, MovesAreClampedToTheWorkAreaAndSizesHaveAFloor) {
  CPaneWnd* p = NewPane("Information");
  p->floatLeft = 100;
  p->floatTop = 100;
  p->floatWidth = 200;
  p->floatHeight = 150;
  p->Float();
  CMiniFrame* frame = p->miniFrame;
  frame->workArea = RECT{0, 0, 1024, 740};
  SetWindowPos(frame->hwnd, nullptr, -1000, 900, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r = WindowRect(frame->hwnd);
  EXPECT_EQ(r.left, -185);
  EXPECT_EQ(r.top, 725);
  // A move without a size judges by the frame's real width.
  SetWindowPos(frame->hwnd, nullptr, -150, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(frame->hwnd).left, -150);

  MINMAXINFO info{};
  SendMessageA(frame->hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 38);
  EXPECT_EQ(info.ptMinTrackSize.y, 24);
}

TEST_F(MiniFrame, ActivationPutsTheFrameFirstInTheDropSearch) {
  CPaneWnd* a = NewPane("A");
  CPaneWnd* b = NewPane("B");
  a->Float();
  b->Float();
  ASSERT_NE(a->miniFrame, b->miniFrame);
  SendMessageA(a->miniFrame->hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(CMiniFrame::FloatingFrames().front(), a->miniFrame);
  SendMessageA(b->miniFrame->hwnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_EQ(CMiniFrame::FloatingFrames().front(), b->miniFrame);
  EXPECT_EQ(b->miniFrame->active, 1);
}

TEST_F(MiniFrame, CloseIfEmptyKeepsTheFrameAndItsPlace) {
  CPaneWnd* p = NewPane("Information");
  p->floatLeft = 40;
  p->floatTop = 50;
  p->floatWidth = 220;
  p->floatHeight = 160;
  p->Float();
  CMiniFrame* frame = p->miniFrame;
  const int live = CMiniFrame::LiveCount();
  SetParent(p->hwnd, host);
  frame->RemovePane(p);
  HWND window = frame->hwnd;
  frame->CloseIfEmpty();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CMiniFrame::LiveCount(), live) << "the object outlives its window";
  RECT r{};
  frame->GetFloatRect(r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.right - r.left, 220);
  delete frame;
}

TEST_F(MiniFrame, DoubleClickThatEmptiesTheFrameDeletesItAfterTheHandler) {
  CPaneWnd* p = NewPane("Information");
  p->Float();
  CMiniFrame* frame = p->miniFrame;
  const int live = CMiniFrame::LiveCount();
  static int aliveDuringToggle = -1;
  static HWND hostWindow = nullptr;
  hostWindow = host;
  frame->toggleFloat = [](CPaneWnd* pane) {
    CMiniFrame* f = pane->miniFrame;
    SetParent(pane->hwnd, hostWindow);  // the pane goes back to the main frame
    f->RemovePane(pane);
    CMiniFrame::ReleaseIfUnlisted(f);
    aliveDuringToggle = CMiniFrame::LiveCount();
  };
  HWND window = frame->hwnd;
  SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_EQ(aliveDuringToggle, live) << "not deleted while its handler runs";
  EXPECT_EQ(CMiniFrame::LiveCount(), live - 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(p->miniFrame, nullptr);
  EXPECT_TRUE(IsWindow(p->hwnd)) << "the pane survives its frame";
}

TEST_F(MiniFrame, CaptionDragMovesTheWholeFrameOrNothingOnEscape) {
  CPaneWnd* p = NewPane("Information");
  p->floatLeft = 100;
  p->floatTop = 100;
  p->floatWidth = 200;
  p->floatHeight = 150;
  p->Float();
  CMiniFrame* frame = p->miniFrame;
  frame->ghostOnDesktop = false;
  frame->workArea = RECT{0, 0, 1024, 740};
  const RECT before = WindowRect(frame->hwnd);
  RECT client{};
  GetClientRect(frame->hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(frame->hwnd, &origin);
  // Grab the caption 50 pixels in, move 300 right and far up (held at the top).
  const POINT grab{before.left + 50, before.top + 8};
  auto post = [&](UINT m, int sx, int sy) { PostMessageA(frame->hwnd, m, MK_LBUTTON, MAKELPARAM(sx - origin.x, sy - origin.y)); };
  post(WM_MOUSEMOVE, grab.x + 300, grab.y - 500);
  post(WM_LBUTTONUP, grab.x + 300, grab.y - 500);
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
  RECT after = WindowRect(frame->hwnd);
  EXPECT_EQ(after.left, before.left + 300);
  EXPECT_EQ(after.top, 0);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(frame->frameDragging, 0);

  GetClientRect(frame->hwnd, &client);
  origin = POINT{0, 0};
  ClientToScreen(frame->hwnd, &origin);
  post(WM_MOUSEMOVE, 700, 500);
  PostMessageA(frame->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(after.left + 50, after.top + 8));
  Pump();
  EXPECT_EQ(WindowRect(frame->hwnd).left, after.left);
}

TEST_F(MiniFrame, DestroyedPaneLeavesNoReferenceInItsFrame) {
  CPaneWnd* a = NewPane("A");
  CPaneWnd* b = NewPane("B");
  a->Float();
  CMiniFrame* frame = a->miniFrame;
  frame->AttachPane(b);
  b->Destroy();
  panes.pop_back();
  ASSERT_EQ(frame->Panes().size(), 1u);
  EXPECT_EQ(frame->Panes().front(), a);
  EXPECT_EQ(frame->GetFirstPane(), a);
}

}  // namespace
