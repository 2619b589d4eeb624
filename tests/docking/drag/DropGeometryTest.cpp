#include <gtest/gtest.h>

#include "docking/drag/DropGeometry.h"
#include "docking/drag/GhostShape.h"

using GhostShape::Bar;

namespace {

TEST(GhostShape, PlainFrameOfFourBars) {
  auto bars = GhostShape::Bars(10, 20, 100, 50, 2, false);
  std::vector<Bar> want{{10, 20, 100, 2}, {10, 20, 2, 50}, {108, 20, 2, 50}, {10, 68, 100, 2}};
  EXPECT_EQ(bars, want);
  EXPECT_EQ(GhostShape::BorderFor(2), 2);
  EXPECT_EQ(GhostShape::BorderFor(8), 3);
}

TEST(GhostShape, TabOutline) {
  // w = 60: tab of 40 starting 10 in; c = 26 - 3 = 23; body 97.
  auto bars = GhostShape::Bars(0, 0, 60, 100, 3, true);
  ASSERT_EQ(bars.size(), 8u);
  EXPECT_EQ(bars[0], (Bar{0, 0, 60, 3}));
  EXPECT_EQ(bars[1], (Bar{0, 0, 3, 74}));
  EXPECT_EQ(bars[2], (Bar{57, 0, 3, 74}));
  EXPECT_EQ(bars[3], (Bar{3, 71, 10, 3}));
  EXPECT_EQ(bars[4], (Bar{13, 71, 3, 25}));
  EXPECT_EQ(bars[5], (Bar{47, 71, 3, 25}));
  EXPECT_EQ(bars[6], (Bar{50, 71, 9, 3}));
  EXPECT_EQ(bars[7], (Bar{13, 94, 37, 3}));
}

TEST(GhostShape, NarrowTabIsTwoThirdsWideAndOneSixthIn) {
  auto bars = GhostShape::Bars(0, 0, 36, 100, 2, true);
  // a = 24, b = 6: the tab's sides stand at t + b and a + b - t.
  EXPECT_EQ(bars[4].x, 2 + 6);
  EXPECT_EQ(bars[5].x, 24 + 6 - 2);
  EXPECT_EQ(bars[7].w, 24 - 2);
}

TEST(GhostShape, TinyGhostsHaveNoNegativeBars) {
  for (int w = 0; w < 12; ++w)
    for (int h = 0; h < 30; ++h)
      for (bool tab : {false, true})
        for (const Bar& b : GhostShape::Bars(5, 5, w, h, 3, tab)) {
          EXPECT_GE(b.w, 0);
          EXPECT_GE(b.h, 0);
        }
}

TEST(AdjustDropSize, TopAndBottomTakeTheTargetWidthAndTheLimit) {
  DropGeometry::Proposal p{300, 400, 10, 500};
  DropGeometry::AdjustDropSize(3, p, 150, RECT{0, 0, 640, 480}, false, false, false);
  EXPECT_EQ(p.width, 640);
  EXPECT_EQ(p.height, 150);
  EXPECT_EQ(p.ghostY, 750);  // the bottom edge stays where it was
  // Fixed in the main frame: nothing changes; as a tab the height stays even in a mini frame.
  DropGeometry::Proposal q{300, 400, 0, 0};
  DropGeometry::AdjustDropSize(1, q, 150, RECT{0, 0, 640, 480}, true, false, false);
  EXPECT_EQ(q.width, 300);
  EXPECT_EQ(q.height, 400);
  DropGeometry::AdjustDropSize(1, q, 150, RECT{0, 0, 640, 480}, true, true, true);
  EXPECT_EQ(q.height, 400);
  DropGeometry::AdjustDropSize(1, q, 150, RECT{0, 0, 640, 480}, true, false, true);
  EXPECT_EQ(q.height, 150);
}

TEST(AdjustDropSize, LeftAndRightExchangeTheAxes) {
  DropGeometry::Proposal p{300, 100, 700, 0};
  DropGeometry::AdjustDropSize(2, p, 120, RECT{0, 0, 640, 480}, false, false, false);
  EXPECT_EQ(p.height, 480);
  EXPECT_EQ(p.width, 120);
  EXPECT_EQ(p.ghostX, 880);
}

TEST(FloatGhost, KeepsTheGrabProportionAndStaysInTheWorkArea) {
  // Grabbed at a quarter of a 200-wide pane; the ghost is 400 wide.
  POINT o = DropGeometry::FloatGhostOrigin(POINT{500, 300}, 50, 8, 200, 100, 400, 300);
  EXPECT_EQ(o.x, 400);
  EXPECT_EQ(o.y, 276);
  const RECT work{0, 0, 1024, 740};
  // Above the screen top: held at the top.
  EXPECT_EQ(DropGeometry::ClampFloatGhost(POINT{100, -50}, 200, 200, work).y, 0);
  // Past the right edge: 15 pixels stay inside.
  EXPECT_EQ(DropGeometry::ClampFloatGhost(POINT{2000, 10}, 200, 200, work).x, 1009);
  EXPECT_EQ(DropGeometry::ClampFloatGhost(POINT{-500, 10}, 200, 200, work).x, -185);
  EXPECT_EQ(DropGeometry::ClampFloatGhost(POINT{10, 900}, 200, 200, work).y, 725);
  // A work area that does not start at 0 holds the ghost at its own top.
  EXPECT_EQ(DropGeometry::ClampFloatGhost(POINT{10, 5}, 200, 200, RECT{0, 30, 1024, 740}).y, 30);
  // An unmeasured source (0 wide) does not divide by zero.
  POINT z = DropGeometry::FloatGhostOrigin(POINT{5, 6}, 1, 1, 0, 0, 200, 200);
  EXPECT_EQ(z.x, 5);
}

TEST(RatioFromDockedSize, GivesTheNewBlockItsDockedPixels) {
  const RECT parent{0, 0, 400, 300};
  EXPECT_FLOAT_EQ(*DropGeometry::RatioFromDockedSize(parent, 1, 1, 0, 100), 0.5f);
  EXPECT_FLOAT_EQ(*DropGeometry::RatioFromDockedSize(parent, 3, 3, 0, 100), 2.0f);
  EXPECT_FLOAT_EQ(*DropGeometry::RatioFromDockedSize(parent, 0, 0, 100, 0), 100.0f / 300.0f);
  EXPECT_FLOAT_EQ(*DropGeometry::RatioFromDockedSize(parent, 0, 2, 100, 0), 3.0f);
  // Floor at 0.01.
  EXPECT_FLOAT_EQ(*DropGeometry::RatioFromDockedSize(RECT{0, 0, 10000, 10}, 0, 0, 1, 0), 0.01f);
  // Outside the extent: no change.
  EXPECT_FALSE(DropGeometry::RatioFromDockedSize(parent, 1, 1, 0, 300).has_value());
  EXPECT_FALSE(DropGeometry::RatioFromDockedSize(parent, 0, 0, 0, 50).has_value());
}

}  // namespace
