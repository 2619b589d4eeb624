#include <gtest/gtest.h>

#include <random>

#include "docking/toolband/RowPacking.h"

using RowPacking::Item;

namespace {

std::vector<Item> Row(std::initializer_list<std::pair<int, int>> l)
{
  std::vector<Item> v;
  for (auto [s, n] : l) v.push_back(Item{s, n});
  return v;
}

void ExpectPacked(const std::vector<Item>& v, int rowLength, bool fits)
{
  for (size_t i = 1; i < v.size(); ++i)
    EXPECT_LE(v[i - 1].End(), v[i].start) << "overlap at " << i;
  if (fits && !v.empty()) {
    EXPECT_GE(v.front().start, 0);
    EXPECT_LE(v.back().End(), rowLength);
  }
}

}  // namespace

TEST(RowPacking, DropIntoAFullRowLaysAllFromTheStart)
{
  auto row = Row({{0, 100}, {120, 100}, {0, 150}, {260, 100}});
  EXPECT_EQ(RowPacking::PushAside(row, 2, 230, 400), 200);
  EXPECT_EQ(row[0].start, 0);
  EXPECT_EQ(row[1].start, 100);
  EXPECT_EQ(row[3].start, 350);
}

TEST(RowPacking, DropBetweenTwoPushesNeighboursJustEnough)
{
  // Row 500 with a at 0..100 and c at 260..360; the new one wanted at 180 fits between.
  auto row = Row({{0, 100}, {0, 100}, {260, 100}});
  EXPECT_EQ(RowPacking::PushAside(row, 1, 130, 500), 130);
  EXPECT_EQ(row[0].start, 0);
  EXPECT_EQ(row[2].start, 260);  // 130 + 100 <= 260: c stays
  row = Row({{0, 100}, {0, 100}, {260, 100}});
  EXPECT_EQ(RowPacking::PushAside(row, 1, 200, 500), 200);
  EXPECT_EQ(row[2].start, 300);  // pushed on just enough

  // Wanted position overlapping the one before, with no room behind it: it starts after it.
  row = Row({{0, 100}, {0, 100}, {200, 100}});
  EXPECT_EQ(RowPacking::PushAside(row, 1, 50, 500), 100);
  EXPECT_EQ(row[0].start, 0);
  EXPECT_EQ(row[2].start, 200);
  // Room behind: the one before moves back just enough.
  row = Row({{100, 100}, {0, 100}, {400, 50}});
  EXPECT_EQ(RowPacking::PushAside(row, 1, 150, 500), 150);
  EXPECT_EQ(row[0].start, 50);
  EXPECT_EQ(row[2].start, 400);
  // Near the end: the ones after are pushed on and the new one moves back so all fit.
  row = Row({{0, 100}, {0, 100}, {300, 150}});
  EXPECT_EQ(RowPacking::PushAside(row, 1, 380, 500), 250);
  EXPECT_EQ(row[2].start, 350);
  ExpectPacked(row, 500, true);
}

TEST(RowPacking, RandomDropsKeepOrderAndStayInside)
{
  std::mt19937 rng(77);
  for (int round = 0; round < 2000; ++round) {
    const int n = 1 + rng() % 6;
    const int rowLength = 100 + rng() % 600;
    std::vector<Item> row;
    int pos = 0;
    for (int i = 0; i < n; ++i) {
      const int len = 10 + rng() % 120;
      pos += rng() % 40;
      row.push_back(Item{pos, len});
      pos += len;
    }
    const int index = rng() % n;
    const int total = [&] { int t = 0; for (auto& i : row) t += i.length; return t; }();
    // The others form a valid row before the drop.
    std::vector<Item> others;
    for (int i = 0; i < n; ++i) if (i != index) others.push_back(row[i]);
    if (total < rowLength) {
      RowPacking::Repack(others, rowLength - row[index].length);
      int k = 0;
      for (int i = 0; i < n; ++i) if (i != index) row[i] = others[k++];
    }
    RowPacking::PushAside(row, index, static_cast<int>(rng() % 800) - 100, rowLength);
    ExpectPacked(row, rowLength, total <= rowLength);
    if (HasFailure()) { ADD_FAILURE() << "round " << round; return; }
  }
}

TEST(RowPacking, ShorterRowPullsToolbarsBack)
{
  auto row = Row({{0, 100}, {150, 100}, {300, 100}});
  RowPacking::Repack(row, 350);
  EXPECT_EQ(row[0].start, 0);
  EXPECT_EQ(row[1].start, 150);
  EXPECT_EQ(row[2].start, 250);
  RowPacking::Repack(row, 260);
  ExpectPacked(row, 260, false);
  EXPECT_EQ(row[0].start, 0);
  EXPECT_EQ(row[1].start, 100);
  EXPECT_EQ(row[2].start, 200);  // too long for the row: stacked from the start
  // Nothing beyond the end: untouched.
  row = Row({{10, 50}, {100, 50}});
  RowPacking::Repack(row, 400);
  EXPECT_EQ(row[0].start, 10);
  EXPECT_EQ(row[1].start, 100);
}

TEST(RowPacking, LeavingToolbarLetsOverflowCloseUp)
{
  auto row = Row({{0, 100}, {100, 100}, {200, 150}, {350, 100}});
  RowPacking::CloseUpAfter(row, 1, 400);  // overflow 50: the ones after move back by 50
  EXPECT_EQ(row[2].start, 150);
  EXPECT_EQ(row[3].start, 300);
  row = Row({{0, 100}, {150, 100}});
  RowPacking::CloseUpAfter(row, 0, 400);  // no overflow: nothing moves
  EXPECT_EQ(row[1].start, 150);
}

TEST(RowPacking, OnlyTheMiddleHalfOfARowJoinsIt)
{
  const RECT horizontal{100, 0, 500, 40};
  EXPECT_TRUE(RowPacking::JoinsRow(horizontal, 1, POINT{300, 20}));
  EXPECT_FALSE(RowPacking::JoinsRow(horizontal, 1, POINT{300, 10}));  // the outer quarter
  EXPECT_FALSE(RowPacking::JoinsRow(horizontal, 1, POINT{300, 30}));
  EXPECT_TRUE(RowPacking::JoinsRow(horizontal, 3, POINT{300, 29}));
  EXPECT_FALSE(RowPacking::JoinsRow(horizontal, 1, POINT{100, 20}));  // on the leading edge
  const RECT vertical{0, 100, 40, 500};
  EXPECT_TRUE(RowPacking::JoinsRow(vertical, 0, POINT{20, 300}));
  EXPECT_FALSE(RowPacking::JoinsRow(vertical, 2, POINT{5, 300}));
}
