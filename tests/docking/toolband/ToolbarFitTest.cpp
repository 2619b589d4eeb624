#include <gtest/gtest.h>

#include <random>

#include "docking/toolband/CToolbarFit.h"

namespace {

// Three buttons, a separator and two more buttons (twips).
CToolbarFit PropertyToolbar()
{
  CToolbarFit fit;
  fit.rowHeight = 330;
  fit.AddButton(345, 1);
  fit.AddButton(345, 1);
  fit.AddButton(345, 1);
  fit.AddButton(120, 3);
  fit.AddButton(345, 0);
  fit.AddButton(345, 0);
  fit.BuildGroups();
  return fit;
}

}  // namespace

TEST(ToolbarFit, GroupsEndAtSeparatorsAndRowsSkipTrailingSeparators)
{
  CToolbarFit fit = PropertyToolbar();
  ASSERT_EQ(fit.groups.size(), 2u);
  EXPECT_EQ(fit.groups[0].buttons.size(), 4u);
  EXPECT_FLOAT_EQ(fit.groups[0].start, 0);
  EXPECT_FLOAT_EQ(fit.groups[0].end, 1035);  // the separator does not count
  EXPECT_FLOAT_EQ(fit.groups[1].start, 1155);
  EXPECT_FLOAT_EQ(fit.groups[1].end, 1845);
  EXPECT_FLOAT_EQ(fit.columnWidth, 345);

  CToolbarFit::Wrap w;
  fit.WrapAt(10000, &w);
  EXPECT_FLOAT_EQ(w.width, 1845);
  EXPECT_EQ(w.rows, 1);
  EXPECT_FLOAT_EQ(w.height, 330);
  // The second group goes to a second row; a break counts at 0.66 for a standard toolbar.
  EXPECT_FLOAT_EQ(fit.WrapAt(1200, &w), 1034);
  EXPECT_EQ(w.rows, 2);
  EXPECT_FLOAT_EQ(w.height, 330 + 330 * 0.66f);
  EXPECT_FLOAT_EQ(w.rowsHeight, 660);
  fit.rowStyle = 1;
  fit.WrapAt(1200, &w);
  EXPECT_FLOAT_EQ(w.height, 660);
  // A group longer than the row is broken after its last button that fits.
  fit.WrapAt(700, &w);
  EXPECT_EQ(w.rows, 3);
  EXPECT_FLOAT_EQ(w.width, 690);
}

TEST(ToolbarFit, EveryRowTakesAButtonEvenWhenItIsWiderThanTheRow)
{
  CToolbarFit fit = PropertyToolbar();
  CToolbarFit::Wrap w;
  // The column of a vertical toolbar: 3.0 is narrower than any button.
  const float next = fit.WrapAt(3.0f, &w);
  EXPECT_EQ(w.rows, 5);
  EXPECT_FLOAT_EQ(w.width, 345);
  EXPECT_GE(next, 3.0f);  // no narrower layout: the caller stops
  const SIZE column = fit.GetFittedSize(0);
  EXPECT_EQ(column.cx, 345);
  EXPECT_EQ(column.cy, static_cast<LONG>(330 + 4 * 330 * 0.66f));
  const SIZE row = fit.GetFittedSize(1);
  EXPECT_EQ(row.cx, 1845);
  EXPECT_EQ(row.cy, 330);
}

TEST(ToolbarFit, CandidatesRunNarrowestFirstAndTheLookupsPickByThem)
{
  CToolbarFit fit = PropertyToolbar();
  fit.toPixels = [](float w, float h) { return SIZE{static_cast<LONG>(w / 15), static_cast<LONG>(h / 15)}; };
  fit.BuildCandidates();
  ASSERT_EQ(fit.candidates.size(), 4u);
  EXPECT_EQ(fit.candidates.front().cx, 23);  // one button a row
  for (size_t i = 1; i < fit.candidates.size(); ++i)
    EXPECT_LT(fit.candidates[i - 1].cx, fit.candidates[i].cx);
  EXPECT_EQ(fit.candidates.back().cx, 123);  // the single row
  EXPECT_EQ(fit.candidates.back().cy, 22);

  SIZE s{5000, 0};
  fit.FitAtLeast(s);
  EXPECT_EQ(s.cx, fit.candidates.back().cx);
  s = SIZE{1, 0};
  fit.FitAtLeast(s);
  EXPECT_EQ(s.cx, fit.candidates.front().cx);

  SIZE out{-1, -1};
  EXPECT_FALSE(fit.FitByDimension(&out, nullptr, true));
  EXPECT_EQ(out.cx, -1);
  int request = 90;
  ASSERT_TRUE(fit.FitByDimension(&out, &request, true));
  EXPECT_EQ(out.cx, 69);
  request = 1;
  fit.FitByDimension(&out, &request, true);
  EXPECT_EQ(out.cx, fit.candidates.front().cx);
  request = 1;
  fit.FitByDimension(&out, &request, false);
  EXPECT_EQ(out.cx, fit.candidates.back().cx);
  request = 1000;
  fit.FitByDimension(&out, &request, false);
  EXPECT_EQ(out.cx, fit.candidates.front().cx);

  // Limits drop the wraps that would be too high.
  fit.BuildCandidates(0, 40);
  EXPECT_EQ(fit.candidates.size(), 2u);
  for (const SIZE& c : fit.candidates) EXPECT_LE(c.cy, 40);
}

TEST(ToolbarFit, RandomToolbarsAlwaysFinishWithSortedCandidates)
{
  std::mt19937 rng(1234);
  for (int round = 0; round < 300; ++round) {
    CToolbarFit fit;
    fit.rowHeight = 20 + rng() % 20;
    fit.rowStyle = rng() % 2;
    const int n = rng() % 14;
    for (int i = 0; i < n; ++i) {
      const int kind = rng() % 5 == 0 ? 3 + rng() % 2 : 0;
      fit.AddButton(static_cast<float>(rng() % 300), kind);
    }
    fit.BuildGroups();
    fit.BuildCandidates();
    ASSERT_FALSE(fit.candidates.empty());
    for (size_t i = 1; i < fit.candidates.size(); ++i)
      ASSERT_LT(fit.candidates[i - 1].cx, fit.candidates[i].cx) << "round " << round;
    // Any row length: a result, never narrower than the widest single button.
    CToolbarFit::Wrap w;
    const float max = static_cast<float>(rng() % 400);
    fit.WrapAt(max, &w);
    for (const auto& b : fit.buttons)
      if (!CToolbarFit::IsSeparator(b.kind)) {
        ASSERT_GE(w.width, b.width);
      }
    ASSERT_TRUE(w.width <= max || w.rows >= 1);
  }
}
