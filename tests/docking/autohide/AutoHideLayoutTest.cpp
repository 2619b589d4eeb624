#include <gtest/gtest.h>

#include "docking/autohide/AutoHideLayout.h"

using namespace AutoHideLayout;

TEST(AutoHideLayout, TabsRunFromTheInsetWithRoomForImages)
{
  const auto tabs = LayoutTabs({40, 60, 10}, {false, true, false}, 22);
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_EQ(tabs[0].start, 22);
  EXPECT_EQ(tabs[0].end, 70);
  EXPECT_EQ(tabs[1].end, 70 + 60 + 8 + 18);
  EXPECT_EQ(tabs[2].start, tabs[1].end);
  EXPECT_EQ(TabAt(tabs, 22), -1);  // open intervals: the edges belong to no tab
  EXPECT_EQ(TabAt(tabs, 23), 0);
  EXPECT_EQ(TabAt(tabs, 70), -1);
  EXPECT_EQ(TabAt(tabs, 71), 1);
  EXPECT_EQ(TabAt(tabs, 5000), -1);
}

TEST(AutoHideLayout, PerpendicularStripsLeaveRoomAtTheEnds)
{
  const RECT top{0, 0, 800, 22}, left{0, 0, 22, 600}, right{778, 0, 800, 600};
  EXPECT_EQ(StartInset(1, top, &left), 22);
  EXPECT_EQ(EndInset(1, top, &right), 22);
  EXPECT_EQ(StartInset(1, top, nullptr), 0);
  const RECT lower{0, 100, 22, 600};
  EXPECT_EQ(StartInset(0, lower, &top), 0);  // the top strip ends above it
  const RECT bottom{0, 578, 800, 600};
  EXPECT_EQ(EndInset(0, left, &bottom), 22);
}

TEST(AutoHideLayout, PopupOpensBesideTheStripOfEachSide)
{
  const RECT left{0, 30, 22, 600}, top{0, 0, 800, 22}, right{778, 30, 800, 600}, bottom{0, 578, 800, 600};
  RECT rc = PopupRect(0, left, 22, 22, 200, 300, 4, 4);
  EXPECT_EQ(rc.left, 22);
  EXPECT_EQ(rc.right, 22 + 208);
  EXPECT_EQ(rc.top, 52);
  EXPECT_EQ(rc.bottom, 578);
  rc = PopupRect(2, right, 0, 0, 200, 300, 4, 4);
  EXPECT_EQ(rc.right, 778);
  EXPECT_EQ(rc.left, 778 - 208);
  rc = PopupRect(1, top, 22, 0, 200, 150, 4, 4);
  EXPECT_EQ(rc.top, 22);
  EXPECT_EQ(rc.bottom, 22 + 158);
  EXPECT_EQ(rc.left, 22);
  rc = PopupRect(3, bottom, 0, 22, 200, 150, 4, 4);
  EXPECT_EQ(rc.bottom, 578);
  EXPECT_EQ(rc.top, 578 - 158);
  EXPECT_EQ(rc.right, 778);
}

TEST(AutoHideLayout, OnlyRestingOnOneTabOpensIt)
{
  Hover h;
  // Moving across three tabs, one per check: nothing opens.
  EXPECT_FALSE(HoverOpens(h, 0, false));
  EXPECT_FALSE(HoverOpens(h, 1, false));
  EXPECT_FALSE(HoverOpens(h, 2, false));
  // Resting on the last one for a check more opens it.
  EXPECT_TRUE(HoverOpens(h, 2, false));
  // Its pane shown already: no second popup.
  EXPECT_FALSE(HoverOpens(h, 2, true));
  EXPECT_TRUE(HoverOpens(h, 2, false));
  // Off the tabs: nothing, and the last tab is kept.
  EXPECT_FALSE(HoverOpens(h, -1, false));
  EXPECT_TRUE(HoverOpens(h, 2, false));
}
