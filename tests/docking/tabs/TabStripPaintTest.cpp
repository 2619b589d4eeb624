#include <gtest/gtest.h>

#include "docking/tabs/TabStripPaint.h"

namespace {

class StripBitmap : public testing::Test {
protected:
  void SetUp() override {
    screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bmp = CreateCompatibleBitmap(screen, 200, 30);
    old = SelectObject(dc, bmp);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  static COLORREF Sys(int c) { return GetSysColor(c); }

  HDC screen = nullptr, dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(StripBitmap, SelectedTabIsRaisedAndOpensIntoThePane) {
  CaptionText::TabExtent a("One"), b("Two");
  a.left = 0;
  a.right = 60;
  b.left = 60;
  b.right = 130;
  a.shownCaption = b.shownCaption = "";  // lines only
  std::vector<TabStripPaint::Tab> tabs{{&a, nullptr}, {&b, nullptr}};
  TabStripPaint::Paint(dc, RECT{0, 0, 200, 30}, tabs, 1, nullptr, false);

  // Background.
  EXPECT_EQ(At(150, 20), Sys(COLOR_BTNFACE));
  // Left edges in the highlight colour, from y = 4.
  EXPECT_EQ(At(60, 10), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(0, 10), Sys(COLOR_BTNHIGHLIGHT));
  // Bottom lines: the selected tab reaches one pixel lower (B = 24 against 23).
  EXPECT_EQ(At(80, 24), Sys(COLOR_BTNTEXT));
  EXPECT_EQ(At(30, 23), Sys(COLOR_BTNTEXT));
  EXPECT_EQ(At(30, 24), Sys(COLOR_BTNFACE));
  // The lines at y = 2 and 3 run beside the selected tab, not across it.
  EXPECT_EQ(At(30, 2), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(At(30, 3), Sys(COLOR_BTNTEXT));
  EXPECT_EQ(At(170, 3), Sys(COLOR_BTNTEXT));
  EXPECT_EQ(At(95, 3), Sys(COLOR_BTNFACE));
}

TEST_F(StripBitmap, NoDrawingPaintsOnlyTheBackground) {
  CaptionText::TabExtent a("One");
  a.right = 60;
  std::vector<TabStripPaint::Tab> tabs{{&a, nullptr}};
  TabStripPaint::Paint(dc, RECT{0, 0, 200, 30}, tabs, 0, nullptr, true);
  EXPECT_EQ(At(0, 10), Sys(COLOR_BTNFACE));
  EXPECT_EQ(At(30, 3), Sys(COLOR_BTNFACE));
}

TEST(TabHit, PressIncludesEdgesDragExcludesThem) {
  CaptionText::TabExtent a("A"), b("B");
  a.left = 0;
  a.right = 40;
  b.left = 40;
  b.right = 90;
  std::vector<const CaptionText::TabExtent*> tabs{&a, &b};
  EXPECT_EQ(TabStripPaint::TabFromX(tabs, 40), 0);
  EXPECT_EQ(TabStripPaint::TabFromX(tabs, 90), 1);
  EXPECT_EQ(TabStripPaint::TabFromX(tabs, 91), -1);
  EXPECT_EQ(TabStripPaint::TabFromX(tabs, -1), -1);
  EXPECT_EQ(TabStripPaint::TabUnderDrag(tabs, 40), -1);
  EXPECT_EQ(TabStripPaint::TabUnderDrag(tabs, 41), 1);
  EXPECT_EQ(TabStripPaint::TabUnderDrag(tabs, 0), -1);
}

}  // namespace
