// Pane windows docked into a frame window: the rectangles the layout gives them, their
// caption strips and the hosted forms inside.
#include <gtest/gtest.h>

#include <cstdio>

#include "docking/float/CMiniFrame.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/SplitterBar.h"
#include "docking/splitter/SplitterWindow.h"
#include "docking/tabs/TabStripWindow.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/PaneOwner.h"
#include "support/TestEnv.h"

#include <commctrl.h>
#include <olectl.h>

namespace {

struct Frame : CDockFrameBase {
  explicit Frame(HWND window) : CDockFrameBase(1) { m_hWndFrame = window; }
};

struct Events : CPaneOwner {
  std::vector<int> docked;
  int shown = 0, hidden = 0;
  std::string GetLayoutName() override { return ""; }
  void SetOwnStyleChange(bool) override {}
  bool CanDock(int) override { return true; }
  void FireShown() override { ++shown; }
  void FireHidden() override { ++hidden; }
  void FireDockStyleChanged(int side) override { docked.push_back(side); }
  void PaneGone() override {}
  IUnknown* TabPicture() override { return picture; }
  IUnknown* picture = nullptr;
};

void Pump(int ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    Sleep(5);
  } while (GetTickCount() < end);
}

std::string Dump(const RECT& r) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
  return buf;
}

class PaneDock : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                           nullptr);
    frame = std::make_unique<Frame>(host);
  }
  void TearDown() override {
    for (CPaneWnd* p : panes)
      if (CPaneWnd::FromHandle(p->hwnd) == p) p->Destroy();
    frame.reset();
    for (HWND f : forms) DestroyWindow(f);
    DestroyWindow(host);
    Pump(0);
  }
  CPaneWnd* NewPane(const char* caption, int w, int h) {
    HWND form = CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_CAPTION, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                nullptr);
    forms.push_back(form);
    auto* p = new CPaneWnd();
    p->owner = &events;
    p->ghostOnDesktop = false;
    p->dragAreaStyle = 0;
    p->dockedWidth = w;
    p->dockedHeight = h;
    EXPECT_EQ(p->Attach(form, host), 1);
    panes.push_back(p);
    return p;
  }
  static RECT FormRect(CPaneWnd* p) {
    RECT r{};
    GetWindowRect(p->hostedWnd, &r);
    MapWindowPoints(nullptr, p->hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND host = nullptr;
  std::unique_ptr<Frame> frame;
  Events events;
  std::vector<HWND> forms;
  std::vector<CPaneWnd*> panes;
};

TEST_F(PaneDock, ThreePanesLeftBottomRight) {
  CPaneWnd* left = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* bottom = NewPane("Information", 100, 120);
  CPaneWnd* right = NewPane("Properties", 200, 100);
  left->DockTo(frame.get(), 0);
  bottom->DockTo(frame.get(), 3);
  right->DockTo(frame.get(), 2);
  Pump(100);
  // Left takes its 150 pixels over the full height and a 4-pixel bar; the bottom section
  // runs from that bar to the frame's right edge; the right section, docked last, stops at
  // the bottom section's bar. The client area is what is left between the bars.
  EXPECT_EQ(Dump(left->GetRectInFrame()), "0,0,150,600");
  EXPECT_EQ(Dump(bottom->GetRectInFrame()), "154,480,800,600");
  EXPECT_EQ(Dump(right->GetRectInFrame()), "600,0,800,476");
  EXPECT_EQ(Dump(frame->m_rcClient), "154,0,596,476");
  // Each form fills its pane below the 16-pixel caption strip.
  EXPECT_EQ(Dump(FormRect(left)), "0,0,150,584");
  EXPECT_EQ(Dump(FormRect(bottom)), "0,0,646,104");
  EXPECT_EQ(left->captionSize, 16);
  EXPECT_EQ(SendMessageA(right->hwnd, WM_NCHITTEST, 0, MAKELPARAM(650, 5)), HTCAPTION);
  EXPECT_EQ(events.docked, (std::vector<int>{0, 3, 2}));
}

TEST_F(PaneDock, CaptionDragDocksAtAnotherEdgeFloatsOrChangesNothing) {
  CPaneWnd* left = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* bottom = NewPane("Information", 100, 120);
  left->DockTo(frame.get(), 0);
  bottom->DockTo(frame.get(), 3);
  Pump(100);
  const std::string bottomBefore = Dump(bottom->GetRectInFrame());
  auto drag = [&](CPaneWnd* p, POINT grab, POINT to, bool escape) {
    POINT origin{0, 0};
    ClientToScreen(p->hwnd, &origin);
    PostMessageA(p->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
    if (escape) PostMessageA(p->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(p->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
    SendMessageA(p->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
    Pump(20);
  };
  // Escape: nothing moves.
  drag(left, POINT{60, 8}, POINT{806, 300}, true);
  EXPECT_EQ(Dump(left->GetRectInFrame()), "0,0,150,600");
  EXPECT_EQ(events.docked.size(), 2u);

  // Just outside the right edge: a new section there, 150 wide.
  drag(left, POINT{60, 8}, POINT{806, 300}, false);
  EXPECT_EQ(left->side, 2);
  const RECT r = left->GetRectInFrame();
  EXPECT_EQ(r.right, 800);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(events.docked.back(), 2);
  EXPECT_NE(Dump(bottom->GetRectInFrame()), bottomBefore) << "the bottom section now meets the left edge";
  EXPECT_EQ(bottom->GetRectInFrame().left, 0);

  // Into the middle of the client area: the pane floats in a frame of its own.
  drag(bottom, POINT{300, 488}, POINT{300, 200}, false);
  ASSERT_NE(bottom->miniFrame, nullptr);
  EXPECT_EQ(bottom->container, nullptr);
  EXPECT_EQ(GetParent(bottom->hwnd), bottom->miniFrame->hwnd);
}

}  // namespace

namespace {

TEST_F(PaneDock, TabbedPanesShareALeafWithAPaintedStrip) {
  CPaneWnd* a = NewPane("Installed Fonts", 200, 100);
  CPaneWnd* b = NewPane("Font Browser", 200, 100);
  a->DockTo(frame.get(), 0);
  Pump(100);
  CLayoutBlock* leaf = a->m_pBlock;
  ASSERT_NE(leaf, nullptr);
  b->ReparentTo(host);
  leaf->MakeTabs({a, b}, a, frame.get());
  // The tree placed b in a's leaf; as a docked pane it knows its frame.
  b->container = b->dockFrame = frame.get();
  b->docked = true;
  b->m_nSide = a->m_nSide;
  b->m_nSectionIndex = a->m_nSectionIndex;
  a->LayoutContent();
  CTabStrip* strip = leaf->m_pTabStrip;
  ASSERT_NE(strip, nullptr);
  ASSERT_NE(strip->m_hWnd, nullptr);
  EXPECT_TRUE(TabStripWindow::Adopted(strip));
  EXPECT_EQ(GetParent(strip->m_hWnd), a->hwnd);
  // The form leaves 26 pixels for the strip at the bottom of the pane.
  EXPECT_EQ(Dump(FormRect(a)), "0,0,200,558");
  RECT s{};
  GetWindowRect(strip->m_hWnd, &s);
  MapWindowPoints(nullptr, a->hwnd, reinterpret_cast<POINT*>(&s), 2);
  EXPECT_EQ(Dump(s), "0,558,200,584");

  // A press on the second tab shows the second pane in the same place.
  const RECT before = a->GetRectInFrame();
  int x = 0;
  while (x < 200 && TabStripWindow::TabAt(strip, x) != 1) ++x;
  ASSERT_LT(x, 200);
  // A click (press and release without a move) only selects.
  PostMessageA(b->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 1, 10));
  SendMessageA(strip->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 1, 10));
  EXPECT_EQ(strip->Selected(), 1);
  EXPECT_EQ(b->container, frame.get()) << "a click on a tab moves nothing";
  EXPECT_TRUE(b->IsShown());
  EXPECT_FALSE(a->IsShown());
  EXPECT_EQ(Dump(b->GetRectInFrame()), Dump(before));
  // Painting goes through our strip painter without trouble.
  RedrawWindow(strip->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

  // Dragging the selected tab over the first one along the strip exchanges them.
  int x0 = 1;
  while (x0 < 200 && TabStripWindow::TabUnder(strip, x0) != 0) ++x0;
  ASSERT_LT(x0, 200);
  POINT sp{0, 0};
  ClientToScreen(strip->m_hWnd, &sp);
  POINT bp{0, 0};
  ClientToScreen(b->hwnd, &bp);
  auto at = [&](int sx, int sy) { return MAKELPARAM(sx - bp.x, sy - bp.y); };
  PostMessageA(b->hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(sp.x + x0 + 1, sp.y + 10));
  PostMessageA(b->hwnd, WM_LBUTTONUP, 0, at(sp.x + x0 + 1, sp.y + 10));
  SendMessageA(strip->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 1, 10));
  Pump(10);
  EXPECT_EQ(strip->PaneAt(0), b);
  EXPECT_EQ(strip->PaneAt(strip->Selected()), b);
  EXPECT_TRUE(b->IsShown());
  EXPECT_EQ(b->container, frame.get());

  // Dragged from its tab out past the right edge: only that pane goes, the other stays.
  int xb = 0;
  while (xb < 200 && TabStripWindow::TabAt(strip, xb) != 0) ++xb;
  ClientToScreen(b->hwnd, &(bp = POINT{0, 0}));
  PostMessageA(b->hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(806, 300));
  PostMessageA(b->hwnd, WM_LBUTTONUP, 0, at(806, 300));
  SendMessageA(strip->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xb + 1, 10));
  Pump(10);
  EXPECT_EQ(b->side, 2);
  EXPECT_EQ(b->GetRectInFrame().right, 800);
  EXPECT_TRUE(a->IsShown());
  EXPECT_EQ(a->side, 0);
  EXPECT_NE(a->m_pBlock, b->m_pBlock);
}

struct Plain : CPaneBase {
  RECT GetRectInFrame() const override { return RECT{}; }
  RECT GetScreenRect() const override { return RECT{}; }
  RECT GetClientScreenRect() const override { return RECT{}; }
  void MoveTo(const RECT&, HDWP*) override {}
  void Show(bool s) override { shown = s; }
  bool IsShown() const override { return shown; }
  void ReparentTo(HWND) override {}
  bool shown = false;
};

TEST(TabStripRemoval, RemovingATabBeforeTheShownOneKeepsItShown) {
  CTabStrip strip(nullptr);
  Plain p[4];
  for (Plain& q : p) strip.AddTab(&q);
  strip.SelectTab(3);
  ASSERT_EQ(strip.PaneAt(strip.Selected()), &p[3]);
  strip.RemoveTab(&p[0]);
  EXPECT_EQ(strip.PaneAt(strip.Selected()), &p[3]) << "the pane that was shown stays selected";
  // Removing the shown tab selects the one before it; the first stays first.
  strip.RemoveTab(&p[3]);
  EXPECT_EQ(strip.PaneAt(strip.Selected()), &p[2]);
}

}  // namespace

namespace {

TEST_F(PaneDock, DraggingASectionBarResizesTheSectionAndItsNeighbours) {
  CPaneWnd* left = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* bottom = NewPane("Information", 100, 120);
  left->DockTo(frame.get(), 0);
  bottom->DockTo(frame.get(), 3);
  Pump(50);
  CDockSection* section = frame->SectionAt(0, 0);
  ASSERT_NE(section, nullptr);
  CSplitterBar* bar = section->m_pSplitter;
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->m_hWnd, nullptr);
  EXPECT_TRUE(SplitterWindow::Adopted(bar));
  auto drag = [&](int dx, bool escape) {
    SendMessageA(bar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 300));
    PostMessageA(bar->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + dx, 300));
    if (escape) PostMessageA(bar->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(bar->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2 + dx, 300));
    SendMessageA(bar->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 300));
    Pump(20);
  };
  drag(50, true);
  EXPECT_EQ(Dump(left->GetRectInFrame()), "0,0,150,600");
  // The bar's left edge follows the cursor (grabbed 2 pixels in, released at frame x 202).
  drag(50, false);
  EXPECT_EQ(Dump(left->GetRectInFrame()), "0,0,202,600");
  EXPECT_EQ(bottom->GetRectInFrame().left, 206);
  EXPECT_EQ(frame->m_rcClient.left, 206);
  // Not narrower than 16 pixels.
  drag(-500, false);
  EXPECT_EQ(left->GetRectInFrame().right, 16);
}

}  // namespace

namespace {

TEST_F(PaneDock, DoubleClicksFloatAndRedockAndACaptionDropMakesTabs) {
  CPaneWnd* left = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* right = NewPane("Font Browser", 180, 100);
  left->DockTo(frame.get(), 0);
  right->DockTo(frame.get(), 2);
  Pump(20);
  // Double click on the caption: out into a frame of its own, at its float place.
  SendMessageA(left->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(60, 8));
  ASSERT_NE(left->miniFrame, nullptr);
  EXPECT_EQ(left->container, nullptr);
  HWND frameWindow = left->miniFrame->hwnd;
  const int frames = CMiniFrame::LiveCount();
  // Double click on that frame's caption: back to the left side; the emptied frame goes once
  // its handler is done.
  SendMessageA(frameWindow, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  Pump(20);
  EXPECT_EQ(left->container, frame.get());
  EXPECT_EQ(left->side, 0);
  EXPECT_EQ(left->GetRectInFrame().left, 0);
  EXPECT_FALSE(IsWindow(frameWindow));
  EXPECT_EQ(CMiniFrame::LiveCount(), frames - 1);

  // Dragging the right pane onto the left pane's caption makes the two one tab group.
  const RECT lr = left->GetScreenRect();
  const POINT onCaption{lr.left + 40, lr.top + 8};
  POINT origin{0, 0};
  ClientToScreen(right->hwnd, &origin);
  PostMessageA(right->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onCaption.x - origin.x, onCaption.y - origin.y));
  PostMessageA(right->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(onCaption.x - origin.x, onCaption.y - origin.y));
  const RECT rr = right->GetScreenRect();
  SendMessageA(right->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(rr.left + 40, rr.top + 8));
  Pump(20);
  ASSERT_NE(left->m_pBlock, nullptr);
  EXPECT_EQ(left->m_pBlock, right->m_pBlock);
  EXPECT_EQ(left->m_pBlock->TabCount(), 2);
  EXPECT_TRUE(right->IsShown());
  EXPECT_EQ(Dump(right->GetRectInFrame()), Dump(left->GetRectInFrame()));
}

}  // namespace

namespace {

TEST_F(PaneDock, ADockedPaneDraggedOntoAFloatingFrameJoinsIt) {
  CPaneWnd* floating = NewPane("Information", 150, 100);
  CPaneWnd* docked = NewPane("Installed Fonts", 150, 100);
  docked->DockTo(frame.get(), 0);
  floating->dockFrame = frame.get();
  floating->floatLeft = 400;
  floating->floatTop = 200;
  floating->floatWidth = 220;
  floating->floatHeight = 180;
  floating->Float();
  CMiniFrame* target = floating->miniFrame;
  ASSERT_NE(target, nullptr);
  POINT origin{0, 0};
  ClientToScreen(docked->hwnd, &origin);
  PostMessageA(docked->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500 - origin.x, 300 - origin.y));
  PostMessageA(docked->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(500 - origin.x, 300 - origin.y));
  const RECT r = docked->GetScreenRect();
  SendMessageA(docked->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 40, r.top + 8));
  Pump(20);
  EXPECT_EQ(docked->miniFrame, target);
  EXPECT_EQ(docked->container, nullptr);
  EXPECT_EQ(frame->SectionCount(0) == 0 || frame->m_rcClient.left == 0, true) << "the left side gave its room back";
  EXPECT_TRUE(target->HasSeveralPanes(nullptr, true));
  EXPECT_EQ(docked->captionSize, 16);
  EXPECT_EQ(floating->captionSize, 16);
  EXPECT_EQ(events.docked.back(), 4);
}

}  // namespace

namespace {

TEST_F(PaneDock, OneActiveCaptionAtATime) {
  CPaneWnd* a = NewPane("A", 150, 100);
  CPaneWnd* b = NewPane("B", 150, 100);
  a->DockTo(frame.get(), 0);
  b->DockTo(frame.get(), 2);
  EXPECT_EQ(b->captionActive, 1) << "the last attached pane has the active caption";
  EXPECT_EQ(a->captionActive, 0);
  SendMessageA(a->hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(a->captionActive, 1);
  EXPECT_EQ(b->captionActive, 0);
}

}  // namespace

namespace {

// Two panes stacked in the left section; the upper one floats and comes back.
TEST_F(PaneDock, ADoubleClickedPaneReturnsToTheLeafItLeft) {
  CPaneWnd* upper = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* lower = NewPane("Font Browser", 150, 100);
  CPaneWnd* right = NewPane("Preview", 180, 100);
  upper->DockTo(frame.get(), 0);
  right->DockTo(frame.get(), 2);
  ASSERT_TRUE(lower->DockBeside(upper, 3));
  Pump(20);
  CLayoutBlock* leaf = upper->m_pBlock;
  ASSERT_NE(leaf, nullptr);
  const std::string upperRect = Dump(upper->GetRectInFrame());
  const std::string lowerRect = Dump(lower->GetRectInFrame());
  ASSERT_EQ(frame->SectionCount(0), 1);

  upper->ToggleFloat();
  ASSERT_NE(upper->miniFrame, nullptr);
  EXPECT_TRUE(leaf->m_bVacant);
  EXPECT_EQ(upper->prevBlock, leaf);
  // The lower pane takes the whole section meanwhile.
  EXPECT_EQ(lower->GetRectInFrame().top, 0);
  // A new section at the right does not confuse where the left one is now.
  CPaneWnd* extra = NewPane("Glyphs", 120, 100);
  extra->DockTo(frame.get(), 2);

  SendMessageA(upper->miniFrame->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  Pump(20);
  EXPECT_EQ(upper->container, frame.get());
  EXPECT_EQ(upper->m_pBlock, leaf) << "back into its own leaf, not a new section";
  EXPECT_FALSE(leaf->m_bVacant);
  EXPECT_EQ(frame->SectionCount(0), 1);
  EXPECT_EQ(Dump(upper->GetRectInFrame()), upperRect);
  EXPECT_EQ(Dump(lower->GetRectInFrame()), lowerRect);
  EXPECT_TRUE(upper->IsShown());
  EXPECT_EQ(upper->prevBlock, nullptr);
  EXPECT_EQ(upper->miniFrame, nullptr);
}

TEST_F(PaneDock, APaneThatLeftATabGroupRejoinsIt) {
  CPaneWnd* a = NewPane("Installed Fonts", 200, 100);
  CPaneWnd* b = NewPane("Font Browser", 200, 100);
  a->DockTo(frame.get(), 0);
  ASSERT_TRUE(b->JoinAsTab(a));
  Pump(20);
  ASSERT_EQ(a->m_pBlock->TabCount(), 2);
  CLayoutBlock* leaf = a->m_pBlock;
  b->ToggleFloat();
  ASSERT_NE(b->miniFrame, nullptr);
  EXPECT_EQ(leaf->m_pTabStrip, nullptr) << "one tab left: no strip";
  EXPECT_EQ(leaf->m_pPane, a);
  EXPECT_TRUE(a->IsShown());
  EXPECT_EQ(b->prevBlock, leaf);
  // Called outside the frame's own handler: the emptied frame goes at once, without the pane.
  b->ToggleFloat();
  ASSERT_TRUE(IsWindow(b->hwnd));
  Pump(20);
  EXPECT_EQ(b->container, frame.get());
  EXPECT_EQ(b->m_pBlock, leaf);
  EXPECT_EQ(leaf->TabCount(), 2);
  EXPECT_EQ(frame->SectionCount(0), 1);
  EXPECT_EQ(Dump(b->GetRectInFrame()), Dump(a->GetRectInFrame()));
}

TEST_F(PaneDock, AGonePlaceOrAGonePaneLeavesNoStaleReference) {
  CPaneWnd* a = NewPane("Installed Fonts", 150, 100);
  CPaneWnd* b = NewPane("Font Browser", 150, 100);
  a->DockTo(frame.get(), 0);
  ASSERT_TRUE(b->DockBeside(a, 3));
  CLayoutBlock* leafA = a->m_pBlock;
  a->ToggleFloat();
  ASSERT_EQ(a->prevBlock, leafA);
  ASSERT_EQ(leafA->m_pPane, a);
  // The pane goes while floating: its placeholder no longer names it.
  a->Destroy();
  Pump(10);
  EXPECT_EQ(leafA->m_pPane, nullptr);

  // The whole layout goes while b floats: b's previous block is forgotten, and the way
  // back opens a new section on its old side.
  b->ToggleFloat();
  ASSERT_NE(b->prevBlock, nullptr);
  frame->ClearAllSections();
  EXPECT_EQ(b->prevBlock, nullptr);
  b->ToggleFloat();
  Pump(20);
  EXPECT_EQ(b->container, frame.get());
  EXPECT_EQ(b->side, 0);
  EXPECT_EQ(frame->SectionCount(0), 1);
  EXPECT_EQ(b->GetRectInFrame().left, 0);
}

}  // namespace

namespace {

class FloatLayout : public PaneDock {
protected:
  CPaneWnd* Floating(const char* caption, int left, int top) {
    CPaneWnd* p = NewPane(caption, 150, 100);
    p->dockFrame = frame.get();
    p->floatLeft = left;
    p->floatTop = top;
    p->floatWidth = 300;
    p->floatHeight = 200;
    p->Float();
    return p;
  }
  // Drags p's caption to a screen point and releases it there.
  void DragTo(CPaneWnd* p, POINT to) {
    POINT origin{0, 0};
    ClientToScreen(p->hwnd, &origin);
    PostMessageA(p->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
    PostMessageA(p->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
    const RECT r = p->GetScreenRect();
    SendMessageA(p->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 40, r.top + 8));
    Pump(20);
  }
  static RECT ClientScreen(CMiniFrame* f) {
    RECT c{};
    GetClientRect(f->hwnd, &c);
    MapWindowPoints(f->hwnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    return c;
  }
};

TEST_F(FloatLayout, DropZonesOfAFrame) {
  CPaneWnd* a = Floating("Information", 400, 200);
  CMiniFrame* f = a->miniFrame;
  ASSERT_NE(f, nullptr);
  const RECT c = ClientScreen(f);
  const int midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
  RECT ghost{};
  EXPECT_EQ(f->DropZone(POINT{c.left - 3, midY}, ghost), 0);
  EXPECT_EQ(Dump(ghost), Dump(RECT{c.left, c.top, c.left + (c.right - c.left) / 2, c.bottom}));
  EXPECT_EQ(f->DropZone(POINT{c.right + 3, midY}, ghost), 2);
  EXPECT_EQ(ghost.right, c.right);
  EXPECT_EQ(f->DropZone(POINT{midX, c.bottom + 3}, ghost), 3);
  EXPECT_EQ(ghost.top, c.bottom - (c.bottom - c.top) / 2);
  // Over the caption of a frame showing one pane: a tab of it, outlined over the caption.
  EXPECT_EQ(f->DropZone(POINT{midX, c.top - 3}, ghost), 4);
  EXPECT_EQ(ghost.top, a->GetScreenRect().top - 18);
  // Inside the pane: beside it, outlined over half of it.
  CPaneWnd* beside = nullptr;
  const int inner = f->DropZone(POINT{midX, midY + 20}, ghost, &beside);
  EXPECT_EQ(inner, 5 + 3);
  EXPECT_EQ(beside, a);
  EXPECT_EQ(ghost.bottom, c.bottom);
  // With several panes the caption band docks at the top edge.
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  b->JoinFrame(f, 3);
  EXPECT_EQ(f->DropZone(POINT{midX, c.top - 3}, ghost), 1);
}

TEST_F(FloatLayout, PanesSplitTheFrameAtEdgesTabOnTheCaptionAndCloseUpWhenOneLeaves) {
  CPaneWnd* a = Floating("Information", 400, 200);
  CMiniFrame* f = a->miniFrame;
  ASSERT_NE(f, nullptr);
  RECT c{};
  GetClientRect(f->hwnd, &c);
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  // Dragged into the band just outside the frame's left edge: b takes its left half.
  b->DockTo(frame.get(), 1);
  const RECT cs = ClientScreen(f);
  DragTo(b, POINT{cs.left - 4, (cs.top + cs.bottom) / 2});
  ASSERT_EQ(b->miniFrame, f);
  CLayoutBlock* root = f->Root();
  ASSERT_NE(root, nullptr);
  ASSERT_FALSE(root->IsLeaf());
  EXPECT_EQ(root->m_pFirst, b->m_pBlock);
  EXPECT_EQ(root->m_pSecond, a->m_pBlock);
  const RECT rb = b->GetRectInFrame(), ra = a->GetRectInFrame();
  EXPECT_EQ(rb.left, 0);
  EXPECT_EQ(ra.right, c.right);
  EXPECT_EQ(rb.top, 0);
  EXPECT_EQ(ra.bottom, c.bottom);
  EXPECT_GT(ra.left, rb.right) << "a bar lies between them";
  ASSERT_NE(root->m_pSplitter, nullptr);
  EXPECT_EQ(GetParent(root->m_pSplitter->m_hWnd), f->hwnd);
  EXPECT_EQ(a->captionSize, 16);

  // b leaves: a fills the frame again, as a single leaf.
  b->DockTo(frame.get(), 0);
  EXPECT_EQ(f->Root(), a->m_pBlock);
  EXPECT_TRUE(f->Root()->IsLeaf());
  EXPECT_EQ(Dump(a->GetRectInFrame()), Dump(c));
  EXPECT_EQ(a->captionSize, 0);

  // Over the caption of the frame that shows a alone: b becomes a's tab.
  RECT w{};
  GetWindowRect(f->hwnd, &w);
  DragTo(b, POINT{(w.left + w.right) / 2, cs.top - 4});
  ASSERT_EQ(b->miniFrame, f);
  EXPECT_EQ(b->m_pBlock, a->m_pBlock);
  EXPECT_EQ(a->m_pBlock->TabCount(), 2);
  EXPECT_TRUE(b->IsShown());
  EXPECT_FALSE(a->IsShown());
  ASSERT_NE(a->m_pBlock->m_pTabStrip, nullptr);
  EXPECT_NE(a->m_pBlock->m_pTabStrip->m_hWnd, nullptr);

  // The tab that leaves takes nothing else with it; the frame keeps the other one.
  b->DockTo(frame.get(), 0);
  ASSERT_NE(f->Root(), nullptr);
  EXPECT_EQ(f->Root(), a->m_pBlock);
  EXPECT_EQ(f->Root()->m_pTabStrip, nullptr);
  EXPECT_TRUE(a->IsShown());
  EXPECT_EQ(a->miniFrame, f);
}

TEST_F(FloatLayout, AHiddenPaneLeavesItsFrameAndAGonePaneLeavesTheTree) {
  CPaneWnd* a = Floating("Information", 400, 200);
  CMiniFrame* f = a->miniFrame;
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  b->JoinFrame(f, 3);
  CPaneWnd* c = NewPane("Preview", 150, 100);
  c->dockFrame = frame.get();
  c->JoinFrame(f, 2);
  // Hidden, a pane leaves the frame: the others close up rather than leave a hole.
  b->SetVisible(false);
  EXPECT_FALSE(b->IsShown());
  EXPECT_EQ(b->miniFrame, nullptr);
  EXPECT_EQ(f->Panes().size(), 2u);
  // c goes while in the frame: its leaf goes with it, the other keeps its place.
  const int blocks = CLayoutBlock::LiveCount();
  c->Destroy();
  Pump(10);
  EXPECT_LT(CLayoutBlock::LiveCount(), blocks);
  EXPECT_EQ(f->Panes().size(), 1u);
  ASSERT_NE(a->m_pBlock, nullptr);
  CLayoutBlock* top = a->m_pBlock;
  while (top->m_pParent) top = top->m_pParent;
  EXPECT_EQ(top, f->Root());
  // Shown again, the hidden pane floats again.
  b->SetVisible(true);
  EXPECT_TRUE(b->IsShown());
  ASSERT_NE(b->miniFrame, nullptr);
  EXPECT_NE(b->miniFrame, f);
}

}  // namespace

namespace {

TEST_F(FloatLayout, ADropOnACaptionInsideAFrameOfSeveralPanesMakesATabOfThatPane) {
  CPaneWnd* a = Floating("Information", 400, 150);
  CMiniFrame* f = a->miniFrame;
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  b->JoinFrame(f, 3);
  ASSERT_EQ(b->captionSize, 16);
  CPaneWnd* c = NewPane("Preview", 150, 100);
  c->DockTo(frame.get(), 0);
  // Onto the lower pane's caption strip.
  const RECT wb = b->GetScreenRect();
  RECT ghost{};
  CPaneWnd* tabOf = nullptr;
  EXPECT_EQ(f->DropZone(POINT{wb.left + 30, wb.top + 8}, ghost, &tabOf), 4);
  EXPECT_EQ(tabOf, b);
  EXPECT_EQ(Dump(ghost), Dump(wb));
  // Below the strip, inside the pane: beside it (its left edge is nearest), no tab.
  EXPECT_EQ(f->DropZone(POINT{wb.left + 30, wb.top + 40}, ghost, &tabOf), 5 + 0);
  EXPECT_EQ(tabOf, b);

  DragTo(c, POINT{wb.left + 30, wb.top + 8});
  ASSERT_EQ(c->miniFrame, f);
  EXPECT_EQ(c->m_pBlock, b->m_pBlock);
  EXPECT_EQ(b->m_pBlock->TabCount(), 2);
  EXPECT_NE(a->m_pBlock, b->m_pBlock);
  EXPECT_EQ(Dump(c->GetScreenRect()), Dump(wb));
  EXPECT_EQ(f->Panes().size(), 3u);
}

}  // namespace

namespace {

int FirstTabRight(CTabStrip* strip) {
  int x = 0;
  while (x < 400 && TabStripWindow::TabAt(strip, x) != 1) ++x;
  return x;
}

TEST_F(PaneDock, TabsShowTheirTitlesAsTipsAndTheOwnersPicture) {
  CPaneWnd* a = NewPane("A1", 200, 100);
  CPaneWnd* b = NewPane("Font Browser", 200, 100);
  a->DockTo(frame.get(), 0);
  ASSERT_TRUE(b->JoinAsTab(a));
  CTabStrip* strip = a->m_pBlock->m_pTabStrip;
  ASSERT_NE(strip, nullptr);
  ASSERT_TRUE(TabStripWindow::Adopted(strip));
  SendMessageA(strip->m_hWnd, WM_PAINT, 0, 0);  // the host is hidden: paint by hand
  HWND tip = TabStripWindow::ToolTipOf(strip);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  char text[80] = {};
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = strip->m_hWnd;
  ti.uId = 2;
  ti.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, "Font Browser");
  // A renamed pane renews its tool; the count stays one per tab.
  b->SetTitle("Glyphs");
  SendMessageA(strip->m_hWnd, WM_PAINT, 0, 0);  // the host is hidden: paint by hand
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

  // With the owner's picture every tab grows by the 18 pixels the picture takes.
  const int plain = FirstTabRight(strip);
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  IPicture* picture = nullptr;
  ASSERT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)), S_OK);
  events.picture = picture;
  EXPECT_EQ(FirstTabRight(strip), plain + 18);
  SendMessageA(strip->m_hWnd, WM_PAINT, 0, 0);  // the host is hidden: paint by hand  // paints with it
  events.picture = nullptr;
  SendMessageA(strip->m_hWnd, WM_PAINT, 0, 0);  // the host is hidden: paint by hand
  picture->Release();
}

}  // namespace

namespace {

TEST_F(FloatLayout, TheBarBetweenTwoPanesOfAFrameMovesTheSplit) {
  CPaneWnd* a = Floating("Information", 400, 150);
  CMiniFrame* f = a->miniFrame;
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  b->JoinFrame(f, 0);
  CLayoutBlock* root = f->Root();
  ASSERT_NE(root, nullptr);
  ASSERT_NE(root->m_pSplitter, nullptr);
  CSplitterBar* bar = root->m_pSplitter;
  ASSERT_NE(bar->m_hWnd, nullptr);
  EXPECT_TRUE(SplitterWindow::Adopted(bar));
  const int before = b->GetRectInFrame().right;
  SendMessageA(bar->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
  PostMessageA(bar->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(32, 50));
  PostMessageA(bar->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(32, 50));
  SendMessageA(bar->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 50));
  Pump(20);
  // The split is kept as a ratio, so the edge lands within rounding of the cursor.
  EXPECT_NEAR(b->GetRectInFrame().right, before + 30, 2);
  EXPECT_GT(a->GetRectInFrame().left, b->GetRectInFrame().right);
  RECT c{};
  GetClientRect(f->hwnd, &c);
  EXPECT_EQ(a->GetRectInFrame().right, c.right);
  // A resized frame keeps the split's proportion.
  SetWindowPos(f->hwnd, nullptr, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(10);
  GetClientRect(f->hwnd, &c);
  EXPECT_EQ(a->GetRectInFrame().right, c.right);
  EXPECT_EQ(a->GetRectInFrame().bottom, c.bottom);
}

}  // namespace

namespace {

TEST_F(FloatLayout, ADropInsideAPaneOfAFrameSplitsThatPaneAtItsNearestEdge) {
  CPaneWnd* a = Floating("Information", 400, 150);
  CMiniFrame* f = a->miniFrame;
  CPaneWnd* b = NewPane("Glyphs", 150, 100);
  b->dockFrame = frame.get();
  b->JoinFrame(f, 3);  // a above, b below
  CPaneWnd* c = NewPane("Preview", 150, 100);
  c->DockTo(frame.get(), 0);
  const RECT wb = b->GetScreenRect();
  const POINT nearRight{wb.right - 5, (wb.top + wb.bottom) / 2 + 10};
  RECT ghost{};
  CPaneWnd* beside = nullptr;
  ASSERT_EQ(f->DropZone(nearRight, ghost, &beside), 5 + 2);
  EXPECT_EQ(beside, b);
  EXPECT_EQ(ghost.right, wb.right);
  EXPECT_EQ(ghost.left, wb.right - (wb.right - wb.left) / 2);

  const RECT wa = a->GetScreenRect();
  DragTo(c, nearRight);
  ASSERT_EQ(c->miniFrame, f);
  // b's leaf became b | c; a above keeps its place and width.
  ASSERT_NE(c->m_pBlock, nullptr);
  ASSERT_NE(c->m_pBlock->m_pParent, nullptr);
  EXPECT_EQ(c->m_pBlock->m_pParent, b->m_pBlock->m_pParent);
  EXPECT_NE(c->m_pBlock->m_pParent, f->Root());
  EXPECT_EQ(Dump(a->GetScreenRect()), Dump(wa));
  const RECT rb = b->GetScreenRect(), rc = c->GetScreenRect();
  EXPECT_EQ(rb.top, wb.top);
  EXPECT_EQ(rc.top, wb.top);
  EXPECT_EQ(rc.right, wb.right);
  EXPECT_EQ(rb.left, wb.left);
  EXPECT_LT(rb.right, rc.left);
}

}  // namespace
