#include <gtest/gtest.h>

#include "docking/pane/PaneGeometry.h"

using namespace PaneGeometry;

namespace {

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PaneCaption, NoTextStripAlongTheTopOrDownTheLeft) {
  EXPECT_TRUE(StripOnLeft(1, 1));
  EXPECT_TRUE(StripOnLeft(1, 3));
  EXPECT_FALSE(StripOnLeft(1, 0));
  EXPECT_FALSE(StripOnLeft(0, 3));

  CaptionLayout top = NoTextCaption(false, true, 200, 300);
  EXPECT_TRUE(Same(top.grip, RECT{0, 0, 167, 16}));
  EXPECT_TRUE(Same(top.close, RECT{184, 2, 198, 16}));
  EXPECT_TRUE(Same(top.pin, RECT{170, 0, 182, 16}));
  CaptionLayout noPin = NoTextCaption(false, false, 200, 300);
  EXPECT_TRUE(Same(noPin.grip, RECT{0, 0, 185, 16}));
  EXPECT_TRUE(IsRectEmpty(&noPin.pin));

  CaptionLayout left = NoTextCaption(true, true, 300, 120);
  EXPECT_TRUE(Same(left.strip, RECT{0, 0, 16, 120}));
  EXPECT_TRUE(Same(left.close, RECT{2, 2, 16, 16}));
  EXPECT_TRUE(Same(left.pin, RECT{0, 17, 16, 29}));
  EXPECT_TRUE(Same(left.grip, RECT{0, 33, 16, 120}));
}

TEST(PaneCaption, TextStyleButtons) {
  CaptionLayout c = TextCaption(true, 200);
  EXPECT_TRUE(Same(c.close, RECT{186, 3, 198, 15}));
  EXPECT_TRUE(Same(c.pin, RECT{168, 3, 180, 15}));
}

TEST(PaneCaption, HitTestsAndReservedArea) {
  const RECT window{100, 100, 300, 250};
  EXPECT_TRUE(OnCaption(window, POINT{150, 110}, 16, false));
  EXPECT_FALSE(OnCaption(window, POINT{150, 116}, 16, false));
  EXPECT_TRUE(OnCaption(window, POINT{110, 200}, 16, true));
  EXPECT_FALSE(OnCaption(window, POINT{150, 110}, 16, true));
  // A pane alone in a floating frame has no strip: nothing is caption.
  EXPECT_FALSE(OnCaption(window, POINT{150, 101}, 0, false));

  EXPECT_TRUE(Same(ReserveCaption(window, 16, false), RECT{100, 116, 300, 250}));
  EXPECT_TRUE(Same(ReserveCaption(window, 16, true), RECT{116, 100, 300, 250}));
  EXPECT_TRUE(Same(ReserveCaption(RECT{0, 0, 50, 10}, 16, false), RECT{0, 10, 50, 10}));

  EXPECT_TRUE(Same(CloseHitRect(window, false), RECT{284, 102, 298, 116}));
  EXPECT_TRUE(Same(CloseHitRect(window, true), RECT{100, 100, 116, 116}));
}

TEST(PaneContent, FormAndTabStrip) {
  ContentLayout c = LayoutContent(RECT{0, 0, 200, 300}, true);
  EXPECT_TRUE(c.placeForm);
  EXPECT_TRUE(Same(c.form, RECT{0, 0, 200, 274}));
  EXPECT_TRUE(Same(c.tabs, RECT{0, 274, 200, 300}));
  c = LayoutContent(RECT{0, 0, 200, 20}, true);
  EXPECT_FALSE(c.placeForm);
  EXPECT_GE(c.tabs.bottom - c.tabs.top, 0);
  c = LayoutContent(RECT{0, 0, 200, 300}, false);
  EXPECT_TRUE(Same(c.form, RECT{0, 0, 200, 300}));
  c = LayoutContent(RECT{0, 0, 0, 300}, false);
  EXPECT_FALSE(c.placeForm);
}

TEST(PaneSizes, DockedSizesAreCappedAndFloatSizesFallBack) {
  int w = 900, h = 900;
  CapDockedSize(0, 640, 480, w, h);
  EXPECT_EQ(w, 620);
  EXPECT_EQ(h, 900);
  CapDockedSize(3, 640, 480, w, h);
  EXPECT_EQ(h, 460);
  w = h = 50;
  CapDockedSize(1, 10, 10, w, h);
  EXPECT_EQ(h, 0);  // never negative
  CapDockedSize(8, 640, 480, w, h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);

  int origin = 30, extent = -100;
  UsableFloatExtent(origin, extent, 1024);
  EXPECT_EQ(origin, 200);
  EXPECT_EQ(extent, 200);
  origin = 30;
  extent = 5000;
  UsableFloatExtent(origin, extent, 1024);
  EXPECT_EQ(extent, 200);
  origin = 30;
  extent = 300;
  UsableFloatExtent(origin, extent, 1024);
  EXPECT_EQ(origin, 30);
  EXPECT_EQ(extent, 300);
}

}  // namespace
