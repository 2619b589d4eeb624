#include <gtest/gtest.h>

#include "docking/tabs/CaptionText.h"
#include "docking/tabs/TabOrder.h"

namespace {

// Every character 6 pixels wide, dots 3: easy to compute by hand.
int FakeWidth(const std::string& s) {
  int w = 0;
  for (char c : s) w += c == '.' ? 3 : 6;
  return w;
}
const CaptionText::MeasureFn kFake = FakeWidth;

TEST(FitWithEllipsis, KeepsShortensOrDropsTheCaption) {
  // Wide enough: the text as it is.
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed Fonts", 200, 98, 8, 18), "Installed Fonts");
  // room = 60 - 29 = 31: "Ins..." is 27 wide, "Inst..." 33 > 31, so the result is "Inst..".
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed Fonts", 60, 98, 8, 18), "Inst..");
  // Only dots: room 5 holds one dot; room 7 holds two; room 9 three, then "I..." (15) does not fit.
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed", 34, 98, 8, 18), ".");
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed", 36, 98, 8, 18), "..");
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed", 38, 98, 8, 18), "I..");
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed", 31, 98, 8, 18), "");
  EXPECT_EQ(CaptionText::FitWithEllipsis(kFake, "Installed", 28, 98, 8, 18), "");
}

TEST(ComputeTabExtents, NaturalWidthsAndSqueezedTabs) {
  CaptionText::TabExtent a("Fonts"), b("Browser"), c("Info");
  b.hasPicture = true;
  std::vector<CaptionText::TabExtent*> tabs{&a, &b, &c};
  // Room for all: each tab is its text + 8 (+18 with a picture), laid from x = 0.
  CaptionText::ComputeTabExtents(tabs, kFake, 300, 0, true);
  EXPECT_EQ(a.left, 0);
  EXPECT_EQ(a.right, 38);
  EXPECT_EQ(b.left, 38);
  EXPECT_EQ(b.right, 38 + 42 + 26);
  EXPECT_EQ(c.right, 106 + 32);
  EXPECT_EQ(b.shownCaption, "Browser");

  // Strip 71 wide: available 69 of 138, every edge scaled by half.
  CaptionText::ComputeTabExtents(tabs, kFake, 71, 0, true);
  EXPECT_EQ(a.right, 19);
  EXPECT_EQ(b.left, 19);
  EXPECT_EQ(b.right, 53);
  EXPECT_EQ(c.right, 69);
  EXPECT_EQ(b.shownCaption, ".");  // 34 wide leaves room 5: one dot
  EXPECT_EQ(a.shownCaption, "");   // 19 wide leaves no room
}

TEST(ComputeTabExtents, WithoutFittingKeepsNaturalExtentsFromStart) {
  CaptionText::TabExtent a("Left strip");
  std::vector<CaptionText::TabExtent*> tabs{&a};
  CaptionText::ComputeTabExtents(tabs, kFake, 10, 5, false);
  EXPECT_EQ(a.left, 5);
  EXPECT_EQ(a.right, 5 + 60 + 8);
  EXPECT_EQ(a.shownCaption, "Left strip");
}

TEST(ComputeTabExtents, RealFontShortensWithinTheTab) {
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
  ASSERT_NE(font, nullptr);
  auto measure = CaptionText::FontMeasure(font);
  EXPECT_GT(measure("Installed Fonts"), measure("Fonts"));
  const std::string full = "A rather long caption for a tab";
  const int natural = measure(full) + 26;
  for (int width = 20; width < natural; width += 7) {
    std::string shown = CaptionText::FitWithEllipsis(font, full, width, natural, 8, 18);
    const int room = width - 29;
    if (room < 0) {
      EXPECT_EQ(shown, "");
      continue;
    }
    if (shown.size() > 2 && shown.compare(shown.size() - 2, 2, "..") == 0 && shown[0] != '.') {
      const std::string prefix = shown.substr(0, shown.size() - 2);
      EXPECT_EQ(full.compare(0, prefix.size(), prefix), 0) << shown;
      EXPECT_GT(measure(prefix + "..."), room) << shown;                       // n characters do not fit
      EXPECT_LE(measure(prefix.substr(0, prefix.size() - 1) + "..."), room) << shown;  // n - 1 do
    } else {
      EXPECT_LE(shown.size(), 2u) << shown;  // dots only
      for (char ch : shown) EXPECT_EQ(ch, '.');
    }
  }
  DeleteObject(font);
}

TEST(TabOrder, RemovalKeepsTheShownTabSelected) {
  // Tabs 0..3 with tab 3 shown: removing tab 0 keeps the same pane, now at index 2.
  EXPECT_EQ(TabOrder::SelectedAfterRemoval(0, 3), 2);
  EXPECT_EQ(TabOrder::SelectedAfterRemoval(1, 2), 1);
  // Removing the shown tab selects the one before it, or the first.
  EXPECT_EQ(TabOrder::SelectedAfterRemoval(3, 3), 2);
  EXPECT_EQ(TabOrder::SelectedAfterRemoval(0, 0), 0);
  // A tab after the shown one leaves the index.
  EXPECT_EQ(TabOrder::SelectedAfterRemoval(2, 1), 1);
}

}  // namespace
