#include <gtest/gtest.h>

#include "docking/float/FloatGeometry.h"

using namespace FloatGeometry;

namespace {

const RECT kWork{0, 0, 1024, 740};

WINDOWPOS Pos(int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS p{};
  p.x = x;
  p.y = y;
  p.cx = cx;
  p.cy = cy;
  p.flags = flags;
  return p;
}

TEST(FloatClamp, FrameKeepsFifteenPixelsInside) {
  const RECT current{100, 100, 300, 250};
  WINDOWPOS p = Pos(-500, 900, 200, 150, 0);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, -185);
  EXPECT_EQ(p.y, 725);
  p = Pos(1100, 10, 200, 150, 0);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, 1009);
  // Inside: untouched.
  p = Pos(-150, 10, 200, 150, 0);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, -150);
}

TEST(FloatClamp, MoveWithoutSizeUsesTheCurrentSize) {
  // cx is 0 with SWP_NOSIZE; the frame is really 200 wide and may go 185 pixels out.
  const RECT current{100, 100, 300, 250};
  WINDOWPOS p = Pos(-150, 10, 0, 0, SWP_NOSIZE);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, -150);
  p = Pos(-400, 10, 0, 0, SWP_NOSIZE);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, -185);
  // A resize in place is not a move: nothing is clamped.
  p = Pos(-400, 900, 50, 50, SWP_NOMOVE);
  ClampWindowPos(p, current, kWork);
  EXPECT_EQ(p.x, -400);
  EXPECT_EQ(p.y, 900);
}

TEST(FloatClamp, RememberedRectangleKeepsItsTopInside) {
  int left = 2000, top = -20;
  KeepInBounds(left, top, 200, kWork);
  EXPECT_EQ(left, 1009);
  EXPECT_EQ(top, 0);
  left = -300;
  top = 2000;
  KeepInBounds(left, top, 200, kWork);
  EXPECT_EQ(left, -185);
  EXPECT_EQ(top, 725);
}

TEST(FloatFrame, MinimumSizeAndNonClientArea) {
  EXPECT_EQ(MinTrackSize(true, 40).x, 38);
  EXPECT_EQ(MinTrackSize(true, 40).y, 24);
  EXPECT_EQ(MinTrackSize(false, 21).x, 24);
  EXPECT_EQ(MinTrackSize(false, 21).y, 21);
  RECT r = NonClientInset(0x90C40000, RECT{0, 0, 200, 150}, 4, 4, 1, 1);
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 196);
  EXPECT_EQ(r.bottom, 146);
  r = NonClientInset(WS_POPUP | WS_BORDER, RECT{10, 10, 50, 50}, 4, 4, 1, 1);
  EXPECT_EQ(r.left, 11);
  EXPECT_EQ(r.top, 11);
  // A tiny window gives an empty client area, never an inverted one.
  r = NonClientInset(0x90C40000, RECT{0, 0, 6, 10}, 4, 4, 1, 1);
  EXPECT_GE(r.right - r.left, 0);
  EXPECT_GE(r.bottom - r.top, 0);
  EXPECT_EQ(DefaultFloatRect().left, 100);
  EXPECT_EQ(DefaultFloatRect().right - DefaultFloatRect().left, 200);
}

TEST(FloatResize, RequestsAndResultingRectangles) {
  const RECT window{100, 100, 310, 180};  // borders 10 wide, 30 high
  const RECT client{0, 0, 200, 50};
  bool vertical = true;
  EXPECT_EQ(ResizeRequest(HTRIGHT, window, client, 400, 0, vertical), 400 - 5 - 100);
  EXPECT_FALSE(vertical);
  EXPECT_EQ(ResizeRequest(HTLEFT, window, client, 50, 0, vertical), 310 - 5 - 50);
  EXPECT_EQ(ResizeRequest(HTBOTTOM, window, client, 0, 300, vertical), 300 - 100 - 30);
  EXPECT_TRUE(vertical);
  EXPECT_EQ(ResizeRequest(HTTOP, window, client, 0, 20, vertical), 180 - 20 - 30);
  EXPECT_EQ(ResizeRequest(HTCAPTION, window, client, 0, 20, vertical), 0);

  RECT r = ResizedWindow(HTLEFT, window, client, SIZE{100, 60});
  EXPECT_EQ(r.right, 310);
  EXPECT_EQ(r.left, 310 - 110);
  EXPECT_EQ(r.bottom - r.top, 60 + 30 + 4);
  r = ResizedWindow(HTTOP, window, client, SIZE{100, 60});
  EXPECT_EQ(r.bottom, 180);
  r = ResizedWindow(HTBOTTOMRIGHT, window, client, SIZE{100, 60});
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);

  EXPECT_TRUE(ResizeAllowed(RECT{0, 0, 100, 100}, kWork));
  EXPECT_FALSE(ResizeAllowed(RECT{-100, 0, 15, 100}, kWork));
  EXPECT_FALSE(ResizeAllowed(RECT{0, 725, 100, 800}, kWork));
  EXPECT_FALSE(ResizeAllowed(RECT{1009, 0, 1100, 100}, kWork));
}

}  // namespace
