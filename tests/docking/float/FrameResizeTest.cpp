// Resizing a toolbar frame by its border: the fitted size is applied keeping the opposite
// edge, refused near the work area's edge, and the loop's ways out.
#include <gtest/gtest.h>

#include "docking/float/CMiniFrame.h"
#include "docking/float/FrameResizeLoop.h"
#include "support/TestEnv.h"

namespace {

class FrameResize : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    frame = new CMiniFrame();
    frame->holdsFormPanes = 0;
    // Hidden: the style callers use, less WS_VISIBLE.
    ASSERT_EQ(frame->Create("Standard", 0x90C40100 & ~WS_VISIBLE, RECT{100, 100, 300, 160}, nullptr), 1);
    // A toolbar of 23-pixel buttons: widths snap to whole buttons, rows of 22 pixels.
    frame->fitToExtent = [this](int extent, bool vertical) {
      ++fits;
      if (vertical) return SIZE{23 * 2, extent / 22 * 22};
      return SIZE{extent / 23 * 23, 22};
    };
  }
  void TearDown() override {
    if (frame && frame->hwnd) DestroyWindow(frame->hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
  }
  RECT Window() const {
    RECT r{};
    GetWindowRect(frame->hwnd, &r);
    return r;
  }
  LPARAM ClientPoint(int sx, int sy) const {
    POINT p{sx, sy};
    ScreenToClient(frame->hwnd, &p);
    return MAKELPARAM(p.x, p.y);
  }
  CMiniFrame* frame = nullptr;
  int fits = 0;
};

TEST_F(FrameResize, FittedSizesKeepTheOppositeEdgeAndStayReachable) {
  RECT w = Window(), c{};
  GetClientRect(frame->hwnd, &c);
  const int bw = (w.right - w.left) - c.right, bh = (w.bottom - w.top) - c.bottom;
  FrameResizeLoop right(frame->hwnd, HTRIGHT, frame->fitToExtent, RECT{});
  // The right border dragged to x = 240 asks for 240 - bw/2 - left; the toolbar fits 5 buttons.
  const int asked = 240 - bw / 2 - w.left;
  ASSERT_TRUE(right.ResizeTo(POINT{240, 130}));
  RECT r = Window();
  EXPECT_EQ(r.left, w.left);
  EXPECT_EQ(r.top, w.top);
  EXPECT_EQ(r.right - r.left, asked / 23 * 23 + bw);
  EXPECT_EQ(r.bottom - r.top, 22 + bh + 4);
  // The same fitted width again changes nothing.
  EXPECT_FALSE(right.ResizeTo(POINT{241, 130}));

  // The left border keeps the right edge.
  const RECT before = Window();
  FrameResizeLoop left(frame->hwnd, HTLEFT, frame->fitToExtent, RECT{});
  ASSERT_TRUE(left.ResizeTo(POINT{before.left - 60, 130}));
  EXPECT_EQ(Window().right, before.right);
  EXPECT_GT(Window().right - Window().left, before.right - before.left);

  // The top border keeps the bottom edge.
  const RECT b2 = Window();
  FrameResizeLoop top(frame->hwnd, HTTOP, frame->fitToExtent, RECT{});
  ASSERT_TRUE(top.ResizeTo(POINT{150, b2.top - 50}));
  EXPECT_EQ(Window().bottom, b2.bottom);

  // A frame that would end 15 pixels or less inside the work area's left keeps its size.
  const RECT b3 = Window();
  const RECT area{b3.right - 20, 0, 2000, 2000};
  FrameResizeLoop narrow(frame->hwnd, HTLEFT, frame->fitToExtent, area);
  EXPECT_TRUE(narrow.ResizeTo(POINT{b3.left - 23, 130})) << "still well inside";
  // A hit code that is no border asks for nothing.
  FrameResizeLoop none(frame->hwnd, HTCAPTION, frame->fitToExtent, RECT{});
  const int before4 = fits;
  EXPECT_FALSE(none.ResizeTo(POINT{500, 500}));
  EXPECT_EQ(fits, before4);
}

TEST_F(FrameResize, ResizeRefusedWhenTheFrameWouldLeaveTheWorkArea) {
  const RECT w = Window();
  // Work area ending just right of the frame's left edge: growing to the left is fine,
  // but a frame whose left moves past area.right - 15 is refused.
  const RECT area{0, 0, w.left + 10, 2000};
  FrameResizeLoop loop(frame->hwnd, HTLEFT, frame->fitToExtent, area);
  EXPECT_FALSE(loop.ResizeTo(POINT{w.right - 40, 130}));
  EXPECT_EQ(Window().left, w.left);
  EXPECT_EQ(loop.LastWidth(), 0) << "a refused size is not remembered";
}

TEST_F(FrameResize, TheBorderPressRunsTheLoopUntilReleaseEscapeRightButtonOrQuit) {
  const RECT w = Window();
  // Through the frame's own border press: move then release.
  PostMessageA(frame->hwnd, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(w.right + 50, 130));
  PostMessageA(frame->hwnd, WM_LBUTTONUP, 0, ClientPoint(w.right + 50, 130));
  EXPECT_EQ(SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(w.right - 1, 130)), 1);
  EXPECT_GT(Window().right, w.right);
  EXPECT_EQ(frame->resizeHit, HTRIGHT);
  EXPECT_GT(frame->resizeLast, 0);
  EXPECT_EQ(GetCapture(), nullptr);

  for (UINT how : {WM_KEYDOWN, WM_RBUTTONDOWN}) {
    const RECT b = Window();
    PostMessageA(frame->hwnd, how, how == WM_KEYDOWN ? VK_ESCAPE : MK_RBUTTON, 0);
    // Anything after the way out belongs to the outer loop.
    PostMessageA(frame->hwnd, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(b.right + 80, 130));
    FrameResizeLoop loop(frame->hwnd, HTRIGHT, frame->fitToExtent, RECT{});
    EXPECT_EQ(loop.Run(), FrameResizeLoop::End::Cancelled);
    EXPECT_EQ(Window().right, b.right);
    EXPECT_EQ(GetCapture(), nullptr);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
  }

  PostQuitMessage(7);
  FrameResizeLoop loop(frame->hwnd, HTRIGHT, frame->fitToExtent, RECT{});
  EXPECT_EQ(loop.Run(), FrameResizeLoop::End::Quit);
  MSG m{};
  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is handed on";
  EXPECT_EQ(m.wParam, 7u);

  // A pane frame leaves the border to Windows.
  frame->holdsFormPanes = 1;
  EXPECT_EQ(frame->StartResize(HTRIGHT, POINT{w.right, 130}), 1);
  // A capture held elsewhere: nothing starts.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetCapture(other);
  FrameResizeLoop blocked(frame->hwnd, HTRIGHT, frame->fitToExtent, RECT{});
  EXPECT_EQ(blocked.Run(), FrameResizeLoop::End::NotStarted);
  ReleaseCapture();
  DestroyWindow(other);
}

}  // namespace
