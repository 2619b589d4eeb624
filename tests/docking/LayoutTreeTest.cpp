#include "LayoutHelpers.h"
#include "LayoutInvariants.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/TabStrip.h"

#include <gtest/gtest.h>

namespace {

struct Frame : CDockFrameBase {
    Frame() : CDockFrameBase(1) { UseClientArea(*this, 800, 600); }
};

void Dock(Frame& f, FakePane& p, int side, int index = -1)
{
    p.m_nSide = side;
    p.m_nSectionIndex = index;
    f.DockPane(&p, 0, nullptr);
}

}  // namespace

TEST(DockLayout, SectionsAroundTheClientArea)
{
    Frame f;
    f.m_insets[1] = 30;  // a toolbar of the host
    FakePane left("left", 150, 100), bottom("bottom", 100, 120), right("right", 200, 100);
    Dock(f, left, 0);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(left.m_rc.left, 0);
    EXPECT_EQ(left.m_rc.top, 30);
    EXPECT_EQ(left.m_rc.right, 150);
    EXPECT_EQ(left.m_rc.bottom, 600);
    Dock(f, bottom, 3);
    EXPECT_EQ(CheckLayout(f), "");
    // The bottom section meets the left one.
    EXPECT_EQ(bottom.m_rc.left, 154);
    EXPECT_EQ(bottom.m_rc.top, 480);
    Dock(f, right, 2);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(f.m_rcClient.left, 154);
    EXPECT_EQ(f.m_rcClient.top, 30);
    EXPECT_EQ(f.m_rcClient.bottom, 476);
    // A new outermost top section: the left one now starts below it.
    FakePane top("top", 100, 50);
    Dock(f, top, 1, 0);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(top.m_rc.top, 30);
    EXPECT_EQ(left.m_rc.top, 84);
}

TEST(DockLayout, SplitKeepsTheLeafsPlaceholderData)
{
    CLayoutBlock parent;
    FakePane a("a");
    SetRect(&a.m_rc, 0, 0, 200, 300);
    parent.m_pPane = &a;
    a.m_pBlock = &parent;
    parent.m_pPlaceholderFloat = std::make_unique<RECT>(RECT{1, 2, 3, 4});
    parent.AddTabSlot("remembered", 1, POINT{-4000, -4000}, 5, 300);
    auto* fresh = new CLayoutBlock();
    parent.Split(fresh, 2, false, SIZE{50, 0});
    ASSERT_NE(parent.m_pFirst, nullptr);
    CLayoutBlock* copy = parent.m_pFirst;
    EXPECT_EQ(parent.m_pSecond, fresh);
    EXPECT_EQ(copy->m_pPane, &a);
    EXPECT_EQ(a.m_pBlock, copy);
    ASSERT_TRUE(copy->m_pPlaceholderFloat);
    ASSERT_TRUE(copy->m_pSlots);
    EXPECT_EQ((*copy->m_pSlots)[0].width, 200);  // 10 or less is stored as 200
    EXPECT_EQ(parent.m_pPane, nullptr);
    EXPECT_FALSE(parent.m_pSlots);
    EXPECT_TRUE(fresh->m_bVacant);
    EXPECT_EQ(copy->m_nOwnSide, 0);
    EXPECT_EQ(fresh->m_nOwnSide, 2);
    EXPECT_FLOAT_EQ(parent.m_fRatio, 150.0f / 50.0f);
    // A proposed size not smaller than the block leaves 1.0.
    CLayoutBlock other;
    FakePane b("b");
    SetRect(&b.m_rc, 0, 0, 100, 100);
    other.m_pPane = &b;
    other.Split(new CLayoutBlock(), 1, true, SIZE{0, 100});
    EXPECT_FLOAT_EQ(other.m_fRatio, 1.0f);
}

TEST(DockLayout, EmptinessAndSentinels)
{
    CLayoutBlock root;
    FakePane a("a");
    root.m_pPane = &a;
    EXPECT_EQ(root.IsEmpty(), 1);  // a root leaf counts as empty even while it shows a pane
    auto* x = new CLayoutBlock();
    auto* y = new CLayoutBlock();
    root.m_pPane = nullptr;
    root.m_pFirst = x;
    root.m_pSecond = y;
    x->m_pParent = y->m_pParent = &root;
    x->m_bVacant = y->m_bVacant = true;
    RECT rc;
    root.GetBlockRect(rc);
    EXPECT_EQ(rc.left, -6000);
    EXPECT_EQ(rc.bottom, -6000);
    x->m_bVacant = false;
    x->m_pPane = &a;
    a.m_pBlock = x;
    EXPECT_EQ(root.IsEmpty(), 0);
}

TEST(DockLayout, SlotsByTitleAndPane)
{
    CLayoutBlock leaf;
    leaf.AddTabSlot("Fonts", 1, POINT{-4000, -4000}, 100, 100);
    leaf.AddTabSlot("Preview", 3, POINT{-4000, -4000}, 100, 100);
    EXPECT_EQ(leaf.RemoveSlotByTitle("fONTS"), 1);
    FakePane p("p"), q("q");
    leaf.EnsureSlot(&p);
    leaf.EnsureSlot(&p);
    leaf.EnsureSlot(&q);
    EXPECT_EQ(leaf.TabIndexOfPane(&q), 2);
    leaf.SwapSlots(&p, &q);
    EXPECT_EQ(leaf.TabIndexOfPane(&q), 1);
    p.m_pBlock = q.m_pBlock = &leaf;
    EXPECT_EQ(leaf.RemoveSlotByPane(nullptr), 0);
    EXPECT_EQ(p.m_pBlock, nullptr);
    EXPECT_EQ(q.m_pBlock, nullptr);
}

TEST(DockLayout, RemoveBlockPromotesTheSurvivor)
{
    Frame f;
    FakePane a("a"), b("b"), c("c");
    Dock(f, a, 0);
    SplitBeside(f, &a, &b, 3);
    SplitBeside(f, &b, &c, 2);
    ASSERT_EQ(CheckLayout(f), "");
    CDockSection* s = f.SectionAt(0, 0);
    // b and c share a parent below the root; removing b lifts c into that parent's place.
    CLayoutBlock* cBlock = c.m_pBlock;
    CLayoutBlock* middle = cBlock->m_pParent;
    const int middleSide = middle->m_nOwnSide;
    EXPECT_EQ(s->RemoveBlock(b.m_pBlock), 0);
    EXPECT_EQ(cBlock->m_pParent, s->m_pRoot);
    EXPECT_EQ(cBlock->m_nOwnSide, middleSide);
    EXPECT_EQ(c.m_pBlock, cBlock);
}

TEST(DockLayout, HidingAndRestoringAPaneGivesItsShareBack)
{
    Frame f;
    FakePane a("a", 200, 100), b("b");
    Dock(f, a, 0);
    SplitBeside(f, &a, &b, 3);
    const RECT before = b.m_rc;
    f.ReleasePane(&b, nullptr);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(a.m_rc.bottom, 600);  // a took the whole section
    ASSERT_NE(b.m_pBlock, nullptr);
    EXPECT_TRUE(b.m_pBlock->m_bVacant);
    f.DockPane(&b, 0, nullptr);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(b.m_rc.top, before.top);
    EXPECT_EQ(b.m_rc.bottom, before.bottom);
    // Hiding the only pane of a section gives its space back to the client area.
    f.ReleasePane(&a, nullptr);
    f.ReleasePane(&b, nullptr);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(f.m_rcClient.left, 0);
    f.DockPane(&a, 0, nullptr);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(a.m_rc.right - a.m_rc.left, 200);
}

TEST(DockLayout, TabsOnALeaf)
{
    Frame f;
    FakePane a("a"), b("b"), c("c");
    Dock(f, a, 2);
    f.SectionAt(2, 0)->m_pRoot->AddPaneAsTab(&b, false);
    EXPECT_EQ(CheckLayout(f), "");
    CLayoutBlock* leaf = a.m_pBlock;
    ASSERT_NE(leaf->m_pTabStrip, nullptr);
    EXPECT_EQ(leaf->TabCount(), 2);
    EXPECT_EQ(leaf->m_pPane, &b);
    EXPECT_FALSE(a.m_shown);
    leaf->AddPaneAsTab(&c, false);
    EXPECT_EQ(leaf->TabCount(), 3);
    f.ReleasePane(&c, &f);  // closing the selected tab shows another one
    EXPECT_EQ(CheckLayout(f), "");
    f.ReleasePane(&b, &f);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(leaf->m_pTabStrip, nullptr);  // one pane left: no strip
    EXPECT_EQ(leaf->m_pPane, &a);
    EXPECT_TRUE(a.m_shown);
}

TEST(DockLayout, HitTestProposesTabsOnCaptionsButNotOnTheDraggedPane)
{
    Frame f;
    FakePane a("a"), b("b");
    Dock(f, a, 0);
    DockDragInfo drag;
    drag.pane = &b;
    SIZE size = {100, 100};
    CPaneBase* target = nullptr;
    CLayoutBlock* root = f.SectionAt(0, 0)->m_pRoot;
    EXPECT_EQ(root->HitTest(drag, 50, 5, size, target), 1);
    EXPECT_EQ(drag.asTab, 1);
    EXPECT_EQ(target, &a);
    DockDragInfo own;
    own.pane = &a;
    target = nullptr;
    EXPECT_NE(root->HitTest(own, 50, 5, size, target), 1);
    EXPECT_EQ(own.asTab, 0);
    // Near the bottom edge inside: a split below, half the height proposed.
    DockDragInfo below;
    below.pane = &b;
    size = SIZE{100, 5000};
    EXPECT_EQ(root->HitTest(below, 50, 595, size, target), 7);
    EXPECT_EQ(size.cy, 300);
}

TEST(DockLayout, ShrinkKeepsSixteenPixels)
{
    Frame f;
    FakePane a("a", 20, 100);
    Dock(f, a, 0);
    int start = 0, end = 0;
    f.ShrinkSections(0, -10, start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(a.m_rc.right - a.m_rc.left, 16);
    f.UpdateClientRect(nullptr);
    EXPECT_EQ(CheckLayout(f), "");
}

TEST(DockLayout, DockingAZeroSizedToolbarUsesTwenty)
{
    Frame f;
    FakePane t("tools", 0, 0);
    t.m_bFormPane = false;
    Dock(f, t, 1);
    EXPECT_EQ(t.m_rc.bottom - t.m_rc.top, 20);
    EXPECT_EQ(CheckLayout(f), "");
}

TEST(DockLayout, HostResizeMovesTheFarSections)
{
    Frame f;
    FakePane r("r", 100, 100), b("b", 100, 80);
    Dock(f, r, 2);
    Dock(f, b, 3);
    f.OnHostSize(SIZE_RESTORED, 800, 600);
    UseClientArea(f, 900, 700);
    f.OnHostSize(SIZE_RESTORED, 900, 700);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(r.m_rc.right, 900);
    EXPECT_EQ(b.m_rc.bottom, 700);
    f.OnHostSize(SIZE_MINIMIZED, 0, 0);
    EXPECT_EQ(r.m_rc.right, 900);
}

TEST(DockLayout, DropTargetsAroundAndInsideTheLayout)
{
    Frame f;
    FakePane a("a", 200, 100), dragged("d");
    Dock(f, a, 0);
    DockDragInfo drag;
    drag.pane = &dragged;
    SetRect(&drag.sourceRect, 0, 0, 120, 90);
    SIZE size;
    // Just outside the dock area's top edge: a new outermost top section.
    EXPECT_EQ(f.FindDropTarget(drag, &dragged, 400, -5, size), 1);
    EXPECT_EQ(drag.targetIndex, 0);
    // On a's caption: a tab drop on a.
    drag = DockDragInfo();
    drag.pane = &dragged;
    SetRect(&drag.sourceRect, 0, 0, 120, 90);
    EXPECT_EQ(f.FindDropTarget(drag, &dragged, 100, 8, size), 0);
    EXPECT_EQ(drag.asTab, 1);
    EXPECT_EQ(drag.tabTarget, &a);
    // Inside the client area near its right edge: a new innermost right section.
    drag = DockDragInfo();
    drag.pane = &dragged;
    SetRect(&drag.sourceRect, 0, 0, 120, 90);
    EXPECT_EQ(f.FindDropTarget(drag, &dragged, 795, 300, size), 2);
    EXPECT_EQ(drag.targetIndex, -1);
    // The middle of the client area: no dock (the pane floats).
    EXPECT_EQ(f.FindDropTarget(drag, &dragged, 500, 300, size), 255);
}

TEST(DockLayout, RememberedPanesFindTheirPlaceByTitle)
{
    Frame f;
    FakePane a("Fonts", 200, 100), b("Preview");
    Dock(f, a, 2);
    SplitBeside(f, &a, &b, 3);
    // Preview is closed: its slot remembers the title, its leaf stays vacant.
    ASSERT_EQ(f.RememberPane(&b), 1);
    f.ReleasePane(&b, nullptr);
    ASSERT_EQ(CheckLayout(f), "");
    CLayoutBlock* place = b.m_pBlock;
    ASSERT_NE(place, nullptr);
    ASSERT_TRUE(place->m_pSlots);
    EXPECT_EQ((*place->m_pSlots)[0].title, "Preview");
    EXPECT_EQ((*place->m_pSlots)[0].misc, 3);
    // A fresh pane of that title (a new run) is given the same place.
    FakePane again("Preview");
    CDockFrameBase::Placement where;
    EXPECT_EQ(f.FindPlacement(&again, "PREVIEW", where), place);
    EXPECT_EQ(where.side, 2);
    EXPECT_EQ(where.flags, 3);
    EXPECT_EQ(again.m_pBlock, place);
    EXPECT_EQ(again.m_nSectionIndex, 0);
    b.m_pBlock = nullptr;
    f.DockPane(&again, 0, nullptr);
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(again.m_rc.left, a.m_rc.left);
    CDockFrameBase::Placement none;
    EXPECT_EQ(f.FindPlacement(&again, "Unknown", none), nullptr);
}

TEST(DockLayout, AWholeTreeDocksAsANewSection)
{
    Frame f;
    FakePane a("a"), b("b");
    auto* root = new CLayoutBlock();
    auto* first = new CLayoutBlock();
    auto* second = new CLayoutBlock();
    root->m_pFirst = first;
    root->m_pSecond = second;
    first->m_pParent = second->m_pParent = root;
    root->m_nSplitSide = 1;
    first->m_nOwnSide = 1;
    second->m_nOwnSide = 3;
    first->m_pPane = &a;
    second->m_pPane = &b;
    a.m_pBlock = first;
    b.m_pBlock = second;
    root->m_pSplitter = new CSplitterBar(1, &f);
    f.InsertBlock(root, 0, -1, SIZE{180, 300});
    EXPECT_EQ(CheckLayout(f), "");
    EXPECT_EQ(a.m_pFrame, &f);
    EXPECT_EQ(b.m_nSide, 0);
    EXPECT_EQ(a.m_rc.right - a.m_rc.left, 180);
    EXPECT_EQ(f.m_rcClient.left, 184);
}

TEST(DockLayout, CollectingCountingAndSavableContent)
{
    Frame f;
    FakePane a("a"), b("b"), c("c"), untitled("");
    Dock(f, a, 0);
    SplitBeside(f, &a, &b, 3);
    b.m_pBlock->AddPaneAsTab(&c, false);
    CLayoutBlock* root = f.SectionAt(0, 0)->m_pRoot;
    std::vector<CPaneBase*> panes;
    root->CollectPanes(panes);
    EXPECT_EQ(panes, (std::vector<CPaneBase*>{&a, &b, &c}));
    EXPECT_EQ(root->CountOtherPanes(&a, true), 1);
    EXPECT_GT(root->CountOtherPanes(&a, false), 1);  // a tab group counts as more than one
    EXPECT_GT(root->CountOtherPanes(nullptr, true), 1);
    EXPECT_EQ(CLayoutBlock::HasSavableContent(root), 1);
    EXPECT_EQ(CLayoutBlock::HasSavableContent(nullptr), 0);
    CLayoutBlock lone;
    lone.m_pPane = &untitled;
    EXPECT_EQ(CLayoutBlock::HasSavableContent(&lone), 0);
    lone.m_pPane = nullptr;
    lone.AddTabSlot("Remembered", 1, POINT{-4000, -4000}, 100, 100);
    EXPECT_EQ(CLayoutBlock::HasSavableContent(&lone), 1);
    // The last shown child going vacant makes every ancestor vacant.
    a.m_pBlock->m_bVacant = true;
    EXPECT_EQ(a.m_pBlock->PropagateVacancy(), 0);
    b.m_pBlock->m_bVacant = true;
    EXPECT_EQ(b.m_pBlock->PropagateVacancy(), 1);
    EXPECT_TRUE(root->m_bVacant);
    EXPECT_EQ(root->FirstLeaf(), nullptr);
    b.m_pBlock->m_bVacant = false;
    f.ClearVacancyUp(b.m_pBlock);
    EXPECT_FALSE(root->m_bVacant);
    EXPECT_EQ(root->FirstLeaf(), b.m_pBlock);
}

TEST(DockLayout, CloneTreeTakesSplittersAndTabsOver)
{
    Frame f;
    FakePane a("a"), b("b"), c("c");
    Dock(f, a, 1);
    SplitBeside(f, &a, &b, 2);
    b.m_pBlock->AddPaneAsTab(&c, false);
    CLayoutBlock* source = f.SectionAt(1, 0)->m_pRoot;
    CSplitterBar* bar = source->m_pSplitter;
    ASSERT_NE(bar, nullptr);
    CLayoutBlock copy;
    copy.CloneTree(source, nullptr);
    EXPECT_EQ(copy.m_pSplitter, bar);
    EXPECT_EQ(bar->m_pBlock, &copy);
    EXPECT_EQ(source->m_pSplitter, nullptr);
    ASSERT_NE(copy.m_pSecond, nullptr);
    EXPECT_EQ(copy.m_pSecond->TabCount(), 2);
    EXPECT_EQ(source->m_pSecond->m_pTabStrip, nullptr);
    EXPECT_EQ(copy.m_pFirst->m_pPane, &a);
    EXPECT_FLOAT_EQ(copy.m_fRatio, source->m_fRatio);
    f.ClearAllSections();
}
