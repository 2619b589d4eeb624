// Splitter drags driven by messages queued before the drag loop starts: the loop takes them
// in order, as it would take the user's input.
#include <gtest/gtest.h>

#include <memory>

#include "docking/splitter/CSplitterWnd.h"
#include "support/TestEnv.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Lets what is queued run (paints included, or they would come back for ever).
void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

class SplitterDrag : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    frame = CreateWindowExA(0, "STATIC", "frame", WS_POPUP, 50, 50, 600, 400, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    CSplitterWnd::Owner owner;
    owner.limits = [this] { return limitsToGive; };
    owner.commit = [this](int delta) {
      ++commits;
      lastDelta = delta;
    };
    bar = std::make_unique<CSplitterWnd>(0, frame, owner);
    ASSERT_EQ(bar->CreateBar(RECT{150, 0, 154, 400}), 1);
    ASSERT_EQ(CSliderWnd::FromHandle(bar->window), bar.get());
  }
  void TearDown() override {
    bar.reset();
    if (frame) DestroyWindow(frame);
    Drain();
  }
  // Presses the bar, queues the rest of the gesture and lets the first move start the drag.
  void Drag(const std::vector<MSG>& queued) {
    SendMessageA(bar->window, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 100));
    for (const MSG& m : queued) PostMessageA(m.hwnd ? m.hwnd : bar->window, m.message, m.wParam, m.lParam);
    SendMessageA(bar->window, WM_MOUSEMOVE, MK_LBUTTON, At(2, 100));
    Drain();  // what the loop left behind (a cancelled drag leaves the button release)
  }
  static MSG Msg(UINT message, WPARAM w, LPARAM l) {
    MSG m{};
    m.message = message;
    m.wParam = w;
    m.lParam = l;
    return m;
  }

  HWND frame = nullptr;
  std::unique_ptr<CSplitterWnd> bar;
  SplitterGeometry::Limits limitsToGive{16, 500};
  int commits = 0;
  int lastDelta = 0;
};

TEST_F(SplitterDrag, ReleaseMovesTheBarWithinItsLimits) {
  // Bar client coordinates: x = 102 lies at frame x 252.
  Drag({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(50, 100)), Msg(WM_MOUSEMOVE, MK_LBUTTON, At(102, 100)),
        Msg(WM_LBUTTONUP, 0, At(102, 100))});
  EXPECT_EQ(commits, 1);
  EXPECT_EQ(lastDelta, 102);
  EXPECT_EQ(bar->BarRect().left, 252);
  EXPECT_EQ(bar->BarRect().right, 256);
  EXPECT_EQ(bar->tracking, 0);
  EXPECT_EQ(GetCapture(), nullptr);

  // Far past the lower limit: held at 16.
  Drag({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(-900, 100)), Msg(WM_LBUTTONUP, 0, At(-900, 100))});
  EXPECT_EQ(commits, 2);
  EXPECT_EQ(bar->BarRect().left, 16);
}

TEST_F(SplitterDrag, EscapeRightButtonAndQuitLeaveEverythingInPlace) {
  for (UINT cancel : {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN)}) {
    Drag({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(80, 100)), Msg(cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : 0, 0),
          Msg(WM_LBUTTONUP, 0, At(80, 100))});
    EXPECT_EQ(commits, 0);
    EXPECT_EQ(bar->BarRect().left, 150);
    EXPECT_TRUE(IsRectEmpty(&bar->lastDrawn)) << "the tracker is erased";
    EXPECT_EQ(bar->drawingDC, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  // WM_QUIT ends the drag and is handed on to the outer loop.
  SendMessageA(bar->window, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 100));
  PostMessageA(bar->window, WM_MOUSEMOVE, MK_LBUTTON, At(80, 100));
  PostQuitMessage(7);
  SendMessageA(bar->window, WM_MOUSEMOVE, MK_LBUTTON, At(2, 100));
  EXPECT_EQ(commits, 0);
  EXPECT_EQ(bar->BarRect().left, 150);
  MSG msg;
  bool quitAgain = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quitAgain = msg.wParam == 7;
    else DispatchMessageA(&msg);
  }
  EXPECT_TRUE(quitAgain);
}

TEST_F(SplitterDrag, ControlKeyRedrawsWithoutMoving) {
  Drag({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(40, 100)), Msg(WM_KEYDOWN, VK_CONTROL, 0), Msg(WM_KEYUP, VK_CONTROL, 0),
        Msg(WM_LBUTTONUP, 0, At(40, 100))});
  EXPECT_EQ(commits, 1);
  EXPECT_EQ(lastDelta, 40);
}

TEST_F(SplitterDrag, NoDragWithoutRoomOrWhileAnotherWindowCaptures) {
  limitsToGive = {300, 300};
  Drag({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(40, 100)), Msg(WM_LBUTTONUP, 0, At(40, 100))});
  EXPECT_EQ(commits, 0);

  limitsToGive = {16, 500};
  SetCapture(frame);
  EXPECT_EQ(bar->RunDragLoop(), 0);
  ReleaseCapture();
  EXPECT_EQ(commits, 0);
}

TEST(SliderMap, BarsLeaveTheMapWithTheirObject) {
  if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  const int before = CSliderWnd::LiveCount();
  HWND hwnd;
  {
    CSplitterWnd bar(1, frame, {});
    ASSERT_EQ(bar.CreateBar(RECT{0, 40, 100, 44}), 1);
    hwnd = bar.window;
    EXPECT_EQ(CSliderWnd::LiveCount(), before + 1);
    // A message for a bar that is no longer there goes to the default handling.
  }
  EXPECT_EQ(CSliderWnd::FromHandle(hwnd), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CSliderWnd::LiveCount(), before);
  DestroyWindow(frame);
}

}  // namespace
