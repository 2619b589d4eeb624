#include <gtest/gtest.h>

#include "docking/splitter/SplitterGeometry.h"

using namespace SplitterGeometry;

namespace {

const RECT kClient{0, 0, 800, 600};

TEST(SplitterLimits, SectionsKeepTheirMinimumAndTheInnerSections) {
  // A left section 150 wide with 100 pixels of inner sections beside it.
  Limits l = SectionLimits(0, RECT{0, 0, 150, 600}, kClient, 100);
  EXPECT_EQ(l.lower, 16);
  EXPECT_EQ(l.upper, 800 - 100 - 16);
  l = SectionLimits(1, RECT{0, 0, 800, 120}, kClient, 0);
  EXPECT_EQ(l.lower, 8);
  EXPECT_EQ(l.upper, 592);
  l = SectionLimits(2, RECT{650, 0, 800, 600}, kClient, 30);
  EXPECT_EQ(l.lower, 34);
  EXPECT_EQ(l.upper, 784);
  l = SectionLimits(3, RECT{0, 450, 800, 600}, kClient, 0);
  EXPECT_EQ(l.lower, 4);
  EXPECT_EQ(l.upper, 592);
  // No room: the drag does not start.
  EXPECT_FALSE(SectionLimits(0, RECT{0, 0, 150, 600}, RECT{0, 0, 40, 600}, 10).Usable());
}

TEST(SplitterLimits, BlockBarsStayEightPixelsInsideBothChildren) {
  Limits l = BlockLimits(1, RECT{0, 0, 200, 100}, RECT{0, 104, 200, 300});
  EXPECT_EQ(l.lower, 8);
  EXPECT_EQ(l.upper, 292);
  l = BlockLimits(0, RECT{10, 0, 100, 300}, RECT{104, 0, 250, 300});
  EXPECT_EQ(l.lower, 18);
  EXPECT_EQ(l.upper, 242);
}

TEST(SplitterTracker, FollowsTheCursorOnItsAxisOnly) {
  const RECT bar{150, 0, 154, 600};
  Limits l = SectionLimits(0, RECT{0, 0, 150, 600}, kClient, 0);
  RECT t = TrackerAt(bar, 0, 300, 77, l);
  EXPECT_EQ(t.left, 300);
  EXPECT_EQ(t.right, 304);
  EXPECT_EQ(t.top, 0);
  EXPECT_EQ(t.bottom, 600);
  // A left section cannot be dragged narrower than 16 pixels.
  t = TrackerAt(bar, 0, 3, 0, l);
  EXPECT_EQ(t.left, 16);
  EXPECT_EQ(CommitDelta(bar, t, 0), 16 - 150);
  // A top section not lower than 8.
  const RECT hbar{0, 120, 800, 124};
  t = TrackerAt(hbar, 1, 0, -50, SectionLimits(1, RECT{0, 0, 800, 120}, kClient, 0));
  EXPECT_EQ(t.top, 8);
  EXPECT_EQ(t.bottom, 12);
}

TEST(SplitterCommit, MovesTheSplitAndStoresTheRatio) {
  RECT first{0, 0, 200, 100}, second{0, 104, 200, 304};
  float ratio = MoveSplit(first, second, 1, 50);
  EXPECT_EQ(first.bottom, 150);
  EXPECT_EQ(second.top, 154);
  EXPECT_FLOAT_EQ(ratio, 150.0f / 150.0f);
  // The second child without extent stores 999.
  RECT a{0, 0, 100, 50}, b{0, 54, 100, 100};
  EXPECT_FLOAT_EQ(MoveSplit(a, b, 1, 46), 999.0f);
  RECT c{0, 0, 60, 50}, d{64, 0, 100, 50};
  EXPECT_FLOAT_EQ(MoveSplit(c, d, 0, 36), 999.0f);
}

TEST(SplitterCommit, SectionRootGrowsAtItsInnerEdge) {
  const RECT root{0, 0, 150, 600};
  EXPECT_EQ(GrowSectionRoot(root, 0, 20).right, 170);
  EXPECT_EQ(GrowSectionRoot(RECT{650, 0, 800, 600}, 2, -20).left, 630);
  EXPECT_EQ(GrowSectionRoot(RECT{0, 0, 800, 100}, 1, 5).bottom, 105);
  EXPECT_EQ(GrowSectionRoot(RECT{0, 500, 800, 600}, 3, -5).top, 495);
}

}  // namespace
