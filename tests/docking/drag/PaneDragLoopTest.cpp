// The pane drag loop fed with queued input; the ghost is drawn into a memory bitmap so that
// drawing and erasing can be checked pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "docking/drag/PaneDragLoop.h"
#include "support/TestEnv.h"

namespace {

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

class PaneDrag : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    // A window at the screen origin, so its client points are screen points.
    pane = CreateWindowExA(0, "STATIC", "pane", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(pane, nullptr);
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bmp = CreateCompatibleBitmap(screen, 400, 400);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, 400, 400, BLACKNESS);
  }
  void TearDown() override {
    if (dc) {
      SelectObject(dc, old);
      DeleteObject(bmp);
      DeleteDC(dc);
    }
    if (pane) DestroyWindow(pane);
    Drain();
  }
  void Queue(UINT message, WPARAM w, int x, int y) { PostMessageA(pane, message, w, MAKELPARAM(x, y)); }
  int LitPixels() {
    int n = 0;
    for (int y = 0; y < 400; y += 1)
      for (int x = 0; x < 400; x += 1)
        if (GetPixel(dc, x, y) != RGB(0, 0, 0)) ++n;
    return n;
  }
  PaneDragLoop::End Run(PaneDragLoop& loop, const RECT& pressed = RECT{}) {
    loop.useDesktop = false;
    loop.Ghost().UseDC(dc);
    PaneDragLoop::End end = loop.Run(pressed);
    Drain();
    return end;
  }
  PaneDragLoop::Client DragClient() {
    PaneDragLoop::Client c;
    c.search = [this](POINT pt) {
      points.push_back(pt);
      if (points.size() == 2) litDuringDrag = LitPixels();
      PaneDragLoop::Target t;
      t.zone = pt.x < 100 ? 0 : 8;
      t.ghost = RECT{pt.x, pt.y, pt.x + 60, pt.y + 40};
      t.asTab = pt.y > 150;
      return t;
    };
    c.drop = [this](const PaneDragLoop::Target& t, POINT) {
      ++drops;
      dropped = t;
    };
    return c;
  }

  HWND pane = nullptr;
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  std::vector<POINT> points;
  int litDuringDrag = -1;
  int drops = 0;
  PaneDragLoop::Target dropped;
};

TEST_F(PaneDrag, ReleaseDropsAtTheLastTargetAndErasesTheGhost) {
  PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, DragClient());
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 50, 60);
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 150, 170);
  Queue(WM_KEYDOWN, VK_CONTROL, 0, 0);
  Queue(WM_LBUTTONUP, 0, 150, 170);
  EXPECT_EQ(Run(loop), PaneDragLoop::End::Dropped);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].x, 150);
  EXPECT_GT(litDuringDrag, 0) << "the first outline is on screen while the cursor moves on";
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(dropped.zone, 8);
  EXPECT_TRUE(dropped.asTab);
  EXPECT_EQ(LitPixels(), 0) << "nothing of the ghost is left";
  EXPECT_FALSE(loop.Ghost().Drawn());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PaneDrag, EscapeRightButtonAndQuitCancel) {
  for (UINT cancel : {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN)}) {
    PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, DragClient());
    Queue(WM_MOUSEMOVE, MK_LBUTTON, 50, 60);
    Queue(cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : 0, 0, 0);
    Queue(WM_LBUTTONUP, 0, 50, 60);
    EXPECT_EQ(Run(loop), PaneDragLoop::End::Cancelled);
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(LitPixels(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, DragClient());
  loop.useDesktop = false;
  loop.Ghost().UseDC(dc);
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 50, 60);
  PostQuitMessage(3);
  EXPECT_EQ(loop.Run(), PaneDragLoop::End::Quit);
  EXPECT_EQ(drops, 0);
  EXPECT_EQ(LitPixels(), 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(PaneDrag, SuppressedTargetDrawsAndDropsNothing) {
  PaneDragLoop::Client c = DragClient();
  c.search = [](POINT pt) {
    PaneDragLoop::Target t;
    t.zone = 0;
    t.ghost = RECT{pt.x, pt.y, pt.x + 50, pt.y + 50};
    t.suppress = true;
    return t;
  };
  PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, c);
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 50, 60);
  Queue(WM_LBUTTONUP, 0, 50, 60);
  EXPECT_EQ(Run(loop), PaneDragLoop::End::Dropped);
  EXPECT_EQ(drops, 0);
  EXPECT_EQ(LitPixels(), 0);
}

TEST_F(PaneDrag, ButtonPressFollowsTheCursorAndActsOnlyOnTheButton) {
  std::vector<bool> states;
  int released = 0;
  bool onButton = true;
  PaneDragLoop::Client c;
  c.buttonState = [&](bool over) { states.push_back(over); };
  c.buttonReleased = [&](bool on) {
    ++released;
    onButton = on;
  };
  const RECT close{284, 2, 298, 16};
  {
    PaneDragLoop loop(pane, PaneDragLoop::Mode::ButtonPress, c);
    Queue(WM_MOUSEMOVE, MK_LBUTTON, 200, 100);  // off: drawn up
    Queue(WM_KEYDOWN, VK_ESCAPE, 0, 0);         // no effect on a press
    Queue(WM_MOUSEMOVE, MK_LBUTTON, 290, 8);    // back on: drawn pressed
    Queue(WM_MOUSEMOVE, MK_LBUTTON, 200, 100);
    Queue(WM_LBUTTONUP, 0, 200, 100);
    EXPECT_EQ(Run(loop, close), PaneDragLoop::End::Dropped);
  }
  EXPECT_EQ(states, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(released, 1);
  EXPECT_FALSE(onButton) << "a release outside the pressed button does not close";
  {
    PaneDragLoop loop(pane, PaneDragLoop::Mode::ButtonPress, c);
    Queue(WM_LBUTTONUP, 0, 290, 8);
    Run(loop, close);
  }
  EXPECT_TRUE(onButton);
}

TEST_F(PaneDrag, OnTheRealDesktopTheLoopCleansUp) {
  PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, DragClient());
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 50, 60);
  Queue(WM_MOUSEMOVE, MK_LBUTTON, 120, 60);
  Queue(WM_LBUTTONUP, 0, 120, 60);
  EXPECT_EQ(loop.Run(), PaneDragLoop::End::Dropped);
  Drain();
  EXPECT_EQ(drops, 1);
  EXPECT_FALSE(loop.Ghost().Drawn());
  EXPECT_FALSE(loop.Ghost().HasDC());
}

TEST_F(PaneDrag, AnotherCaptureStopsThePress) {
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetCapture(other);
  PaneDragLoop loop(pane, PaneDragLoop::Mode::Drag, DragClient());
  EXPECT_EQ(loop.Run(), PaneDragLoop::End::NotStarted);
  ReleaseCapture();
  DestroyWindow(other);
}

}  // namespace
