#include <gtest/gtest.h>

#include "docking/FakePane.h"
#include "docking/LayoutHelpers.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/framework/PointerArray.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/toolband/CToolBand.h"

namespace {

struct Row {
  CToolBand band{1};
  FakePane a{"a", 100, 26}, b{"b", 120, 26}, c{"c", 80, 26};
  Row()
  {
    band.m_rc = RECT{0, 0, 500, 28};
    for (FakePane* p : {&a, &b, &c}) {
      band.InsertPaneNear(p, nullptr, 2);
      p->m_shown = true;
      band.RestoreBlock(nullptr, p);
    }
  }
  std::vector<int> Starts() const { return {a.m_rc.left, b.m_rc.left, c.m_rc.left}; }
};

}  // namespace

TEST(ToolBand, ToolbarsJoinTheRowEndToEndAcrossItsThickness)
{
  Row r;
  EXPECT_EQ(r.Starts(), (std::vector<int>{0, 100, 220}));
  EXPECT_EQ(r.b.m_rc.right, 220);
  EXPECT_EQ(r.b.m_rc.bottom, 28);
  ASSERT_EQ(r.band.m_pRoot->m_pPane, &r.a);
  ASSERT_EQ(r.band.m_pRoot->m_pSecond->m_pPane, &r.b);
  std::vector<CToolBand::RowPane> list;
  EXPECT_EQ(r.band.CollectRowPanes(list, &r.c), 2);
}

TEST(ToolBand, DropAtAPointPushesNeighboursAsideAndShrinkingPullsBack)
{
  Row r;
  FakePane d("d", 60, 26);
  d.m_shown = true;
  // Between a and b: b and c move on just enough.
  r.band.InsertPaneAtPoint(&d, 90, 10);
  r.band.RestoreBlock(nullptr, &d);
  EXPECT_EQ(d.m_rc.left, 100);
  EXPECT_EQ(r.b.m_rc.left, 160);
  EXPECT_EQ(r.c.m_rc.left, 280);
  EXPECT_EQ(r.band.m_pRoot->m_pSecond->m_pPane, &d);
  // A shorter row: the toolbar beyond its end comes back inside, using the gap before it.
  r.c.m_rc = RECT{400, 0, 480, 28};
  r.band.m_rc.right = 440;
  r.band.Layout(nullptr, 0, nullptr);
  EXPECT_EQ(r.c.m_rc.left, 360);
  EXPECT_EQ(r.c.m_rc.right, 440);
  EXPECT_EQ(r.b.m_rc.left, 160);
  // Too short for all: stacked from the start.
  r.band.m_rc.right = 300;
  r.band.Layout(nullptr, 0, nullptr);
  EXPECT_EQ(r.a.m_rc.left, 0);
  EXPECT_EQ(d.m_rc.left, 100);
  EXPECT_EQ(r.b.m_rc.left, 160);
}

TEST(ToolBand, LeavingToolbarsCloseUpAndTheLastOneEmptiesTheRow)
{
  Row r;
  r.band.m_rc.right = 250;
  r.band.Layout(nullptr, 0, nullptr);  // 300 of toolbars in 250
  CLayoutBlock* bBlock = r.b.m_pBlock;
  EXPECT_EQ(r.band.CollapseBlock(nullptr, bBlock, RECT{}), 0);
  EXPECT_EQ(r.c.m_rc.left, 170);  // closes up over b's room until it fits
  EXPECT_EQ(r.band.RemoveBlock(bBlock), 0);
  EXPECT_EQ(r.band.m_pRoot->m_pSecond->m_pPane, &r.c);
  // The root goes: its successor becomes the root.
  CLayoutBlock* aBlock = r.band.m_pRoot;
  EXPECT_EQ(r.band.RemoveBlock(aBlock), 0);
  EXPECT_EQ(r.band.m_pRoot->m_pPane, &r.c);
  EXPECT_EQ(r.band.m_pRoot->m_pParent, nullptr);
  // The only toolbar left: the row is empty once it goes.
  EXPECT_EQ(r.band.CollapseBlock(nullptr, r.band.m_pRoot, RECT{}), 1);
  EXPECT_EQ(r.band.RemoveBlock(r.band.m_pRoot), 1);
}

TEST(ToolBand, BandWindowsAreListedWhileTheyLive)
{
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  const int before = CToolBand::ListedBands();
  {
    CToolBand band(3);
    band.m_hWndParent = parent;
    band.MovePane(nullptr, RECT{0, 272, 400, 300});
    ASSERT_NE(band.m_hWnd, nullptr);
    EXPECT_EQ(CToolBand::FromHandle(band.m_hWnd), &band);
    EXPECT_EQ(CToolBand::ListedBands(), before + 1);
    char cls[64] = {};
    GetClassNameA(band.m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, CToolBand::kClassName);
  }
  EXPECT_EQ(CToolBand::ListedBands(), before);
  DestroyWindow(parent);
}

#include "docking/layout/DockDragInfo.h"

TEST(ToolBand, DraggedToolbarsJoinOnlyAMatchingRowsMiddle)
{
  Row r;  // 0..500 x 0..28, toolbars 26 high
  r.band.m_rc.bottom = 26;
  FakePane t("t", 70, 26);
  DockDragInfo drag;
  drag.isFormPane = 0;
  drag.pane = &t;
  SIZE size{};
  CPaneBase* target = nullptr;
  EXPECT_EQ(r.band.HitTest(nullptr, drag, 250, 13, size, target), 3);  // 2 x side + 1
  EXPECT_EQ(drag.zone, 1);
  EXPECT_EQ(size.cx, 70);
  // The outer quarter: the edge test of the row decides (its lower edge here).
  EXPECT_EQ(r.band.HitTest(nullptr, drag, 250, 24, size, target), 7);
  FakePane tall("tall", 70, 40);
  drag.pane = &tall;
  EXPECT_EQ(r.band.HitTest(nullptr, drag, 250, 13, size, target), 255);  // does not fit the row
  // A form pane docks along the row's edge and takes its thickness across.
  drag.isFormPane = 1;
  size = SIZE{150, 150};
  const int zone = r.band.HitTest(nullptr, drag, 250, 2, size, target);
  EXPECT_NE(zone, 255);
  EXPECT_EQ(size.cy, 26);

  // Alone in its row: a drop near the row's edge onto itself is no drop.
  CToolBand lone(1);
  lone.m_rc = RECT{0, 0, 500, 26};
  FakePane only("only", 70, 26);
  only.m_shown = true;
  lone.InsertPaneNear(&only, nullptr, 2);
  drag.isFormPane = 0;
  drag.pane = &only;
  EXPECT_EQ(lone.HitTest(nullptr, drag, 250, 2, size, target), 255);
}

namespace {
struct RowFrame : CDockFrameBase {
  explicit RowFrame(int width) : CDockFrameBase(1) { UseClientArea(*this, width, 600); }
  ~RowFrame() override
  {
    for (auto* list : m_pSides) list->RemoveAll();  // the test owns its row
  }
  using CDockFrameBase::InsertSection;
};

// A row whose toolbars stand at 0, 150 and 400, placed by a frame width wide; their starts.
std::vector<int> PlaceRow(int width, int& clientTop)
{
  RowFrame f(width);
  CToolBand band{1};
  FakePane a{"a", 100, 26}, b{"b", 120, 26}, c{"c", 80, 26};
  int at = 0;
  for (FakePane* p : {&a, &b, &c}) {
    band.InsertPaneNear(p, nullptr, 2);
    p->m_shown = true;
    p->m_rc = RECT{at, 0, at + p->m_nDockedWidth, 26};
    at = at == 0 ? 150 : 400;
  }
  const int index = f.InsertSection(&band, 1, 0);
  f.PlaceSection(&band, 1, index, true, width, 28, band.m_pRoot);
  EXPECT_EQ(a.m_rc.bottom - a.m_rc.top, 28);
  EXPECT_EQ(c.m_rc.right - c.m_rc.left, 80);
  clientTop = f.m_rcClient.top;
  return {a.m_rc.left, b.m_rc.left, c.m_rc.left};
}
}  // namespace

TEST(ToolBand, AFramePlacesARowOfSeveralToolbarsAlongItsBandWithoutABar)
{
  int top = 0;
  // Where they stand, when the row has room for them...
  EXPECT_EQ(PlaceRow(800, top), (std::vector<int>{0, 150, 400}));
  // The row has no splitter bar: the client area starts right below it.
  EXPECT_EQ(top, 28);
  // ...else pulled back from the end just enough.
  EXPECT_EQ(PlaceRow(350, top), (std::vector<int>{0, 150, 270}));
}

TEST(ToolBand, AToolbarMovedAlongItsOwnRowChangesPlacesWithoutLeavingIt)
{
  Row r;
  // a (0-100) goes beyond b: after b, as near to 180 as the row allows.
  r.band.InsertNear(&r.a, 180, 10);
  EXPECT_EQ(r.band.m_pRoot->m_pPane, &r.b);
  EXPECT_EQ(r.band.m_pRoot->m_pSecond->m_pPane, &r.a);
  EXPECT_EQ(r.band.m_pRoot->m_pSecond->m_pSecond->m_pPane, &r.c);
  EXPECT_EQ(r.a.m_rc.left, 180);
  EXPECT_EQ(r.b.m_rc.right, 180) << "b gives way to the left, just enough";
  EXPECT_EQ(r.c.m_rc.left, 280) << "c gives way to the right, just enough";
  EXPECT_EQ(r.a.m_pBlock, r.band.m_pRoot->m_pSecond);
  // Alone in its row it only moves along.
  CToolBand lone(3);
  lone.m_rc = RECT{0, 0, 500, 28};
  FakePane d("d", 60, 26);
  d.m_shown = true;
  lone.InsertPaneNear(&d, nullptr, 2);
  lone.RestoreBlock(nullptr, &d);
  lone.InsertNear(&d, 150, 5);
  EXPECT_EQ(d.m_rc.left, 150);
  EXPECT_EQ(lone.m_pRoot->m_pPane, &d);
  EXPECT_EQ(lone.m_pRoot->m_pSecond, nullptr);
  // A pane of another row is left alone.
  r.band.InsertNear(&d, 0, 0);
  EXPECT_EQ(d.m_pBlock, lone.m_pRoot);
}
