// Panes of a program's main window driven as a user and the program drive them: close buttons,
// hidden and shown panes, tab groups, caption styles, frame-caption drags and the layout reset.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "HostedChecks.h"
#include "HostedForms.h"
#include "docking/autohide/CPinPopupFrame.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"
#include "docking/pane/CaptionFonts.h"
#include "support/TestEnv.h"

using namespace hostedforms;
using hostedchecks::CheckPanes;
using hostedchecks::FindHole;

namespace {

void PumpFor(int ms)
{
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Pump();
    Sleep(5);
  } while (GetTickCount() < end);
}

// Presses a pane's close button and releases it there.
void ClickClose(CPaneWnd* pane)
{
  RECT w{};
  GetWindowRect(pane->hwnd, &w);
  const POINT at{w.right - 9, w.top + 9};
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x - origin.x, at.y - origin.y));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  Pump();
}

// Drags a pane by its own caption to a screen point.
void DragCaption(CPaneWnd* pane, POINT to)
{
  RECT w{};
  GetWindowRect(pane->hwnd, &w);
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 30, w.top + 8));
  Pump();
}

// Drags a floating frame by its caption to a screen point.
void DragFrame(CMiniFrame* frame, POINT to)
{
  CPaneWnd* first = frame->GetFirstPane();
  RECT w{};
  GetWindowRect(frame->hwnd, &w);
  POINT origin{0, 0};
  ClientToScreen(first->hwnd, &origin);
  PostMessageA(first->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  PostMessageA(first->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 20, w.top + GetSystemMetrics(SM_CYFRAME) + 6));
  Pump();
}

bool Shown(Form& f)
{
  VARIANT_BOOL v = 0;
  f.control->get_PaneVisible(&v);
  return v != 0;
}

class HostedPanes : public testing::Test {
protected:
  void SetUp() override
  {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    run = std::make_unique<ProgramRun>();
  }
  void TearDown() override { run.reset(); }
  std::string Problems(int style = 0)
  {
    std::string out = FindHole(run->host);
    if (CMainDockFrame* f = run->Frame()) out += CheckPanes(*f, style);
    return out;
  }
  std::unique_ptr<ProgramRun> run;
};

TEST_F(HostedPanes, AClosedPaneGivesItsPlaceBackAndReturnsToIt)
{
  Form& left = run->Add("Installed Fonts", 0, 200);
  left.Show();
  Form& bottom = run->Add("Information", 3, 120);
  bottom.Show();
  const std::string before = run->Dump();
  ASSERT_EQ(Problems(), "");

  ClickClose(left.Pane());
  EXPECT_FALSE(Shown(left));
  EXPECT_EQ(Problems(), "") << "the close button leaves no hole";
  EXPECT_EQ(ChildRect(run->host.mdiClient).left, 0);
  EXPECT_EQ(ChildRect(bottom.Pane()->hwnd).left, 0) << "the bottom pane takes the width back";

  EXPECT_EQ(left.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  Pump();
  EXPECT_EQ(run->Dump(), before) << "shown again, the pane is where it was";
  EXPECT_EQ(Problems(), "");

  EXPECT_EQ(bottom.control->put_PaneVisible(VARIANT_FALSE), S_OK);
  Pump();
  EXPECT_EQ(Problems(), "");
  EXPECT_EQ(ChildRect(left.Pane()->hwnd).bottom, ChildRect(run->host.statusBar).top);
  EXPECT_EQ(bottom.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  Pump();
  EXPECT_EQ(run->Dump(), before);
}

TEST_F(HostedPanes, ShowingATabBehindAnotherBringsItToTheFront)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  Form& c = run->Add("Preview", 3, 120, a.control);  // below the group: the leaf shrinks
  c.Show();
  Pump();
  CLayoutBlock* leaf = a.Pane()->m_pBlock;
  ASSERT_NE(leaf, nullptr);
  ASSERT_NE(leaf->m_pTabStrip, nullptr);
  ASSERT_EQ(leaf->m_pPane, b.Pane());
  EXPECT_FALSE(Shown(a)) << "behind the glyphs";

  EXPECT_EQ(a.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  Pump();
  EXPECT_EQ(leaf->m_pPane, a.Pane());
  EXPECT_TRUE(Shown(a));
  EXPECT_FALSE(Shown(b));
  EXPECT_EQ(ChildRect(a.Pane()->hwnd).bottom, ChildRect(b.Pane()->hwnd).bottom) << "in the leaf's place";
  EXPECT_LT(ChildRect(a.Pane()->hwnd).bottom, ChildRect(c.Pane()->hwnd).top + 1) << "not over the pane below";
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, ClosingTheShownTabLeavesTheGroupReachable)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  Form& c = run->Add("Preview", 4, 200, a.control);
  c.Show();
  CLayoutBlock* leaf = a.Pane()->m_pBlock;
  ASSERT_NE(leaf, nullptr);
  ASSERT_NE(leaf->m_pTabStrip, nullptr);
  ASSERT_EQ(leaf->m_pTabStrip->TabCount(), 3);
  CPaneWnd* current = dynamic_cast<CPaneWnd*>(leaf->m_pPane);
  ASSERT_NE(current, nullptr);

  ClickClose(current);
  EXPECT_FALSE(current->IsVisible());
  ASSERT_NE(leaf->m_pTabStrip, nullptr) << "two tabs are left";
  EXPECT_EQ(leaf->m_pTabStrip->TabCount(), 2);
  EXPECT_FALSE(leaf->m_pTabStrip->HasPane(current));
  EXPECT_EQ(Problems(), "");

  // The next close leaves one pane alone in the leaf.
  CPaneWnd* second = dynamic_cast<CPaneWnd*>(leaf->m_pPane);
  ASSERT_NE(second, nullptr);
  ClickClose(second);
  EXPECT_EQ(leaf->m_pTabStrip, nullptr);
  CPaneWnd* last = dynamic_cast<CPaneWnd*>(leaf->m_pPane);
  ASSERT_NE(last, nullptr);
  EXPECT_TRUE(last->IsVisible());
  EXPECT_EQ(Problems(), "");

  // Shown again, both join the group they left.
  Form* forms[3] = {&a, &b, &c};
  for (Form* f : forms)
    if (f->Pane() == current || f->Pane() == second) f->control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  ASSERT_NE(leaf->m_pTabStrip, nullptr);
  EXPECT_EQ(leaf->m_pTabStrip->TabCount(), 3);
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, PanesTakeTheFramesCaptionStyle)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  EXPECT_EQ(a.Pane()->dragAreaStyle, 0) << "TextDisplay is the control's default";
  EXPECT_EQ(a.Pane()->captionSize, 16);
  EXPECT_EQ(Problems(0), "");

  // The style set later reaches the panes made afterwards.
  EXPECT_EQ(run->dock->put_DragAreaStyle(NoTextDisplay), S_OK);
  Form& b = run->Add("Information", 1, 120);
  b.Show();
  EXPECT_EQ(b.Pane()->dragAreaStyle, 1);
  EXPECT_TRUE(b.Pane()->StripOnLeft()) << "a pane at the top without text has its grip down its left";
  EXPECT_EQ(a.Pane()->dragAreaStyle, 0);
}

TEST_F(HostedPanes, ALoneFloatingPaneDragsBackIntoTheDockByItsFrameCaption)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  const std::string before = run->Dump();
  EXPECT_EQ(a.control->ReFloat(), S_OK);
  Pump();
  CMiniFrame* frame = a.Pane()->miniFrame;
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->hwnd, nullptr);
  EXPECT_EQ(Problems(), "");

  // Grabbed by the frame's caption and dropped on the main window's left edge.
  RECT host{};
  GetClientRect(run->host.frame, &host);
  MapWindowPoints(run->host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  const POINT to{host.left + 4, (host.top + host.bottom) / 2};
  RECT w{};
  GetWindowRect(frame->hwnd, &w);
  const POINT grab{w.left + 20, w.top + GetSystemMetrics(SM_CYFRAME) + 6};
  CPaneWnd* pane = a.Pane();
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
  PumpFor(30);
  EXPECT_EQ(pane->miniFrame, nullptr);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  ASSERT_EQ(pane->container, run->Frame());
  EXPECT_EQ(pane->side, 0);
  EXPECT_EQ(Problems(), "");

  // A drag that ends on no dock zone just moves the frame.
  a.control->ReFloat();
  Pump();
  frame = pane->miniFrame;
  ASSERT_NE(frame, nullptr);
  GetWindowRect(frame->hwnd, &w);
  const POINT grab2{w.left + 20, w.top + GetSystemMetrics(SM_CYFRAME) + 6};
  const POINT to2{grab2.x + 30, grab2.y + 20};
  ClientToScreen(pane->hwnd, &(origin = POINT{0, 0}));
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to2.x - origin.x, to2.y - origin.y));
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to2.x - origin.x, to2.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab2.x, grab2.y));
  PumpFor(30);
  ASSERT_EQ(pane->miniFrame, frame);
  RECT moved{};
  GetWindowRect(frame->hwnd, &moved);
  EXPECT_EQ(moved.left, w.left + 30);
  EXPECT_EQ(moved.top, w.top + 20);
  (void)before;
}

TEST_F(HostedPanes, AFrameOfSeveralPanesDocksItsWholeLayoutAtAnEdge)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  a.control->ReFloat();
  b.control->ReFloat();
  Pump();
  CMiniFrame* frame = a.Pane()->miniFrame;
  ASSERT_NE(frame, nullptr);
  b.Pane()->JoinFrame(frame, 2);  // b to the right of a
  Pump();
  ASSERT_EQ(frame->Panes().size(), 2u);
  ASSERT_EQ(CMiniFrame::FloatingFrames().size(), 1u);

  RECT host{};
  GetClientRect(run->host.frame, &host);
  MapWindowPoints(run->host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  const POINT to{(host.left + host.right) / 2, host.top + 3};
  CPaneWnd* first = frame->GetFirstPane();
  RECT w{};
  GetWindowRect(frame->hwnd, &w);
  const POINT grab{w.left + 20, w.top + GetSystemMetrics(SM_CYFRAME) + 6};
  POINT origin{0, 0};
  ClientToScreen(first->hwnd, &origin);
  PostMessageA(first->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  PostMessageA(first->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
  PumpFor(30);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  ASSERT_EQ(a.Pane()->container, run->Frame());
  ASSERT_EQ(b.Pane()->container, run->Frame());
  EXPECT_EQ(a.Pane()->side, 1);
  EXPECT_EQ(b.Pane()->side, 1);
  // One section at the top holds both, side by side as in the frame.
  EXPECT_EQ(a.Pane()->m_nSectionIndex, b.Pane()->m_nSectionIndex);
  const RECT ra = ChildRect(a.Pane()->hwnd), rb = ChildRect(b.Pane()->hwnd);
  EXPECT_EQ(ra.top, rb.top);
  EXPECT_LT(ra.right, rb.left);
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, ACaptionDragMovesTheWholeTabGroup)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  Form& c = run->Add("Preview", 4, 200, a.control);
  c.Show();
  CPaneWnd* current = dynamic_cast<CPaneWnd*>(a.Pane()->m_pBlock->m_pPane);
  ASSERT_NE(current, nullptr);
  RECT host{};
  GetClientRect(run->host.frame, &host);
  MapWindowPoints(run->host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  // To the inner band at the right: all three dock there, still one group.
  DragCaption(current, POINT{host.right - 4, (host.top + host.bottom) / 2});
  for (Form* f : {&a, &b, &c}) {
    ASSERT_EQ(f->Pane()->container, run->Frame());
    EXPECT_EQ(f->Pane()->side, 2) << f->Pane()->title;
    EXPECT_EQ(f->Pane()->m_pBlock, current->m_pBlock);
  }
  ASSERT_NE(current->m_pBlock->m_pTabStrip, nullptr);
  EXPECT_EQ(current->m_pBlock->m_pTabStrip->TabCount(), 3);
  EXPECT_EQ(current->m_pBlock->m_pPane, current) << "the dragged pane stays the shown tab";
  EXPECT_EQ(ChildRect(run->host.mdiClient).left, 0) << "the left side closed up";
  EXPECT_EQ(Problems(), "");

  // Dragged out onto free space, the group floats together in one frame.
  DragCaption(current, POINT{host.left + 300, host.top + 200});
  ASSERT_NE(current->miniFrame, nullptr);
  EXPECT_EQ(a.Pane()->miniFrame, current->miniFrame);
  EXPECT_EQ(b.Pane()->miniFrame, current->miniFrame);
  EXPECT_EQ(c.Pane()->miniFrame, current->miniFrame);
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, AFrameDraggedOntoAnotherFramesEdgeJoinsItsLayout)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  Form& c = run->Add("Glyphs", 2, 150);
  c.Show();
  a.control->ReFloat();
  b.control->ReFloat();
  c.control->ReFloat();
  Pump();
  CMiniFrame* first = a.Pane()->miniFrame;
  CMiniFrame* second = b.Pane()->miniFrame;
  ASSERT_TRUE(first && second && first != second);
  c.Pane()->JoinFrame(second, 3);
  SetWindowPos(first->hwnd, nullptr, 100, 100, 250, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(second->hwnd, nullptr, 500, 300, 250, 250, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  // The frame of b and c onto the left edge band, just outside the first frame's client area.
  RECT client{};
  GetClientRect(first->hwnd, &client);
  MapWindowPoints(first->hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  DragFrame(second, POINT{client.left - 3, (client.top + client.bottom) / 2});
  EXPECT_EQ(CMiniFrame::FloatingFrames().size(), 1u);
  ASSERT_EQ(b.Pane()->miniFrame, first);
  ASSERT_EQ(c.Pane()->miniFrame, first);
  EXPECT_EQ(first->Panes().size(), 3u);
  EXPECT_LT(ChildRect(b.Pane()->hwnd).right, ChildRect(a.Pane()->hwnd).left) << "the layout went in at the left";
  EXPECT_LT(ChildRect(b.Pane()->hwnd).bottom, ChildRect(c.Pane()->hwnd).top + 1) << "and kept its own order";
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, TheFrameCaptionsPinUnpinsItsPane)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  a.control->ReFloat();
  Pump();
  CMiniFrame* frame = a.Pane()->miniFrame;
  ASSERT_NE(frame, nullptr);
  SendMessageA(frame->hwnd, WM_NCPAINT, 1, 0);
  ASSERT_FALSE(IsRectEmpty(&frame->pinRect));
  RECT w{};
  GetWindowRect(frame->hwnd, &w);
  RECT pin = frame->pinRect;
  OffsetRect(&pin, w.left, w.top);
  const POINT at{(pin.left + pin.right) / 2, (pin.top + pin.bottom) / 2};
  POINT origin{0, 0};
  ClientToScreen(frame->hwnd, &origin);
  PostMessageA(frame->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x - origin.x, at.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  PumpFor(30);
  EXPECT_GE(w.left, 0);
  CPaneWnd* pane = a.Pane();
  EXPECT_EQ(pane->pinState, 2) << "the press unpins instead of moving the frame";
  EXPECT_TRUE(pane->m_bUnpinned);
  ASSERT_NE(run->Frame()->m_pStrips[0], nullptr);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, UnpinnedPanesShowInTheirPopupAndLeaveNoTabBehind)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  CMainDockFrame* frame = run->Frame();
  ASSERT_EQ(b.control->put_PinState(UnPinned), S_OK);
  Pump();
  ASSERT_NE(frame->m_pStrips[3], nullptr);
  EXPECT_FALSE(Shown(b));
  EXPECT_EQ(frame->CaptionFont(), CaptionFonts::Normal()) << "strip tabs speak the caption font";

  // Shown by the program: the popup opens; the pane stays unpinned on its strip.
  EXPECT_EQ(b.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  Pump();
  ASSERT_NE(frame->TrackedPopup(), nullptr);
  EXPECT_EQ(frame->TrackedPopup()->m_pPane, b.Pane());
  EXPECT_EQ(b.Pane()->pinState, 2);
  EXPECT_EQ(b.Pane()->container, nullptr);
  EXPECT_EQ(Problems(), "");

  // Hidden by the program: popup and tab go, the pane is pinned and hidden.
  EXPECT_EQ(b.control->put_PaneVisible(VARIANT_FALSE), S_OK);
  Pump();
  EXPECT_EQ(frame->TrackedPopup(), nullptr);
  EXPECT_EQ(frame->m_pStrips[3], nullptr);
  EXPECT_EQ(b.Pane()->pinState, 1);
  EXPECT_FALSE(Shown(b));
  EXPECT_EQ(Problems(), "");
  b.control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  EXPECT_EQ(b.Pane()->container, frame);
  EXPECT_EQ(b.Pane()->side, 3);

  // A form torn down while its pane is unpinned takes its tab along.
  ASSERT_EQ(a.control->put_PinState(UnPinned), S_OK);
  Pump();
  ASSERT_NE(frame->m_pStrips[0], nullptr);
  frame->m_pStrips[0]->ShowPopup(a.Pane());
  Pump();
  for (auto it = run->forms.begin(); it != run->forms.end(); ++it)
    if (it->get() == &a) {
      run->forms.erase(it);
      break;
    }
  Pump();
  EXPECT_EQ(frame->m_pStrips[0], nullptr);
  EXPECT_EQ(frame->TrackedPopup(), nullptr);
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, ClearLayoutPutsEveryPaneBackAtItsInitialSide)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  Form& c = run->Add("Glyphs", 2, 150);
  c.Show();
  const std::string initial = run->Dump();
  a.control->ReFloat();
  b.control->put_PinState(UnPinned);
  c.control->put_PaneVisible(VARIANT_FALSE);
  Pump();
  ASSERT_FALSE(CMiniFrame::FloatingFrames().empty());

  EXPECT_EQ(run->dock->ClearLayout(), S_OK);
  Pump();
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  EXPECT_EQ(run->Frame()->m_pStrips[3], nullptr);
  EXPECT_EQ(a.Pane()->container, run->Frame());
  EXPECT_EQ(a.Pane()->side, 0);
  EXPECT_EQ(b.Pane()->container, run->Frame());
  EXPECT_EQ(b.Pane()->pinState, 1);
  EXPECT_FALSE(Shown(c)) << "a hidden pane stays hidden";
  EXPECT_EQ(Problems(), "");
  c.control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  EXPECT_EQ(run->Dump(), initial);
}

TEST_F(HostedPanes, AfterClearLayoutTheHostsNewPlacesTakeEffectWhenItShowsThePanes)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  Form& c = run->Add("Glyphs", 2, 150);
  c.Show();
  Form& d = run->Add("Preview", 1, 100);
  d.Show();
  Pump();
  c.control->ReFloat();
  d.control->put_PaneVisible(VARIANT_FALSE);
  Pump();

  // A preset: reset, then new initial places put before each pane is shown again.
  EXPECT_EQ(run->dock->ClearLayout(), S_OK);
  EXPECT_TRUE(Shown(b)) << "waiting to be placed, a shown pane still counts as shown";
  EXPECT_FALSE(Shown(d));
  EXPECT_EQ(b.control->put_InitDockStyle(DockToRight), S_OK);
  EXPECT_EQ(b.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  EXPECT_EQ(b.Pane()->side, 2) << "placed by its show, with the side put after the reset";
  EXPECT_EQ(c.control->SetLayoutReference(a.control), S_OK);
  EXPECT_EQ(c.control->put_InitDockHW(90), S_OK);
  EXPECT_EQ(c.control->put_InitDockStyle(DockToBottom), S_OK);
  EXPECT_EQ(c.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  EXPECT_EQ(d.control->put_InitDockStyle(DockToBottom), S_OK);
  EXPECT_EQ(d.control->put_PinState(UnPinned), S_OK);
  EXPECT_EQ(d.control->put_PaneVisible(VARIANT_TRUE), S_OK);
  Pump();

  // The untouched pane is back at its initial side, shown.
  ASSERT_EQ(a.Pane()->container, run->Frame());
  EXPECT_EQ(a.Pane()->side, 0);
  EXPECT_TRUE(Shown(a));
  EXPECT_EQ(b.Pane()->container, run->Frame());
  EXPECT_EQ(b.Pane()->side, 2);
  // Placed by its reference: below it in the left column, 90 high.
  ASSERT_EQ(c.Pane()->container, run->Frame());
  EXPECT_EQ(c.Pane()->miniFrame, nullptr);
  EXPECT_EQ(c.Pane()->side, 0);
  EXPECT_EQ(c.Pane()->m_nSectionIndex, a.Pane()->m_nSectionIndex);
  EXPECT_EQ(ChildRect(c.Pane()->hwnd).left, ChildRect(a.Pane()->hwnd).left);
  EXPECT_GT(ChildRect(c.Pane()->hwnd).top, ChildRect(a.Pane()->hwnd).top);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  // The pin put while it waited: on the bottom strip.
  ASSERT_NE(run->Frame()->m_pStrips[3], nullptr);
  EXPECT_EQ(d.Pane()->pinState, 2);
  EXPECT_EQ(Problems(), "");

  // A reset the host follows with nothing: every pane back where its values say, at once
  // when the message is done.
  EXPECT_EQ(run->dock->ClearLayout(), S_OK);
  Pump();
  EXPECT_EQ(b.Pane()->side, 2);
  EXPECT_EQ(a.Pane()->side, 0);
  EXPECT_TRUE(Shown(a) && Shown(b) && Shown(c));
  EXPECT_EQ(Problems(), "");
}

}  // namespace

TEST(CaptionButtons, TheButtonFontIsThere)
{
  // Close and pin buttons are glyphs of Marlett; without it they show as letters.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  EXPECT_STREQ(face, "Marlett");
}

namespace {

// A tree view of the class the forms layer gives its tree views.
HWND MakeTreeView(HWND parent)
{
  static bool registered = false;
  if (!registered) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    GetClassInfoA(nullptr, WC_TREEVIEWA, &wc);
    wc.lpszClassName = "TreeView20WndClass";
    wc.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "TreeView20WndClass", "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 150, 150, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

HTREEITEM AddItem(HWND tree, HTREEITEM parent, const char* text)
{
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT;
  ins.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

bool Expanded(HWND tree, HTREEITEM item)
{
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void HoldReturn(bool down)
{
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_RETURN] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace

TEST_F(HostedPanes, ReturnInAPanesTreeViewTogglesTheSelectedNode)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  HWND tree = MakeTreeView(a.window);
  ASSERT_NE(tree, nullptr);
  HTREEITEM root = AddItem(tree, TVI_ROOT, "Fonts");
  AddItem(tree, root, "Arial");
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  a.Show();
  ASSERT_FALSE(Expanded(tree, root));
  EXPECT_EQ(SendMessageA(tree, WM_KEYDOWN, VK_RETURN, 0), 1);
  EXPECT_TRUE(Expanded(tree, root));
  SendMessageA(tree, WM_KEYUP, VK_RETURN, 0);
  SendMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(Expanded(tree, root));

  // Return held while the focus is elsewhere: the caret answers no item, unless allowed.
  SetFocus(run->host.mdiClient);
  HoldReturn(true);
  EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
  run->dock->EnableTVReturnQuery();
  EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(root));
  run->dock->DisableTVReturnQuery();
  HoldReturn(false);
  EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(root));
}

TEST_F(HostedPanes, ANewTitleReachesTheTabTheStripTabAndTheFrameCaption)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  CTabStrip* strip = a.Pane()->m_pBlock->m_pTabStrip;
  ASSERT_NE(strip, nullptr);
  SetWindowTextA(b.window, "Glyphs of Arial");
  EXPECT_EQ(b.Pane()->title, "Glyphs of Arial");
  EXPECT_EQ(strip->TabText(b.Pane()), "Glyphs of Arial");

  Form& c = run->Add("Information", 3, 120);
  c.Show();
  c.control->put_PinState(UnPinned);
  Pump();
  SetWindowTextA(c.window, "Information: Arial");
  ASSERT_NE(run->Frame()->m_pStrips[3], nullptr);
  EXPECT_EQ(run->Frame()->m_pStrips[3]->Tabs()[0].caption, "Information: Arial");

  c.control->put_PinState(Pinned);
  c.control->ReFloat();
  Pump();
  ASSERT_NE(c.Pane()->miniFrame, nullptr);
  SetWindowTextA(c.window, "Information: Tahoma");
  char text[64] = {};
  GetWindowTextA(c.Pane()->miniFrame->hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Information: Tahoma");
}

TEST_F(HostedPanes, AClickOnTheHostTakesTheActiveCaptionFromThePanes)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  a.Pane()->Activate();
  EXPECT_EQ(a.Pane()->captionActive, 1);
  SendMessageA(run->host.frame, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(run->host.frame), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(a.Pane()->captionActive, 0);
}

TEST_F(HostedPanes, ADoubleClickTogglesTheWholeTabGroup)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  CPaneWnd* current = dynamic_cast<CPaneWnd*>(a.Pane()->m_pBlock->m_pPane);
  ASSERT_NE(current, nullptr);
  SendMessageA(current->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  Pump();
  ASSERT_NE(a.Pane()->miniFrame, nullptr);
  EXPECT_EQ(a.Pane()->miniFrame, b.Pane()->miniFrame) << "the group floats together";
  EXPECT_EQ(Problems(), "");
  // Back by a double click on its tab strip.
  ASSERT_NE(current->m_pBlock->m_pTabStrip, nullptr);
  ASSERT_NE(current->m_pBlock->m_pTabStrip->m_hWnd, nullptr);
  SendMessageA(current->m_pBlock->m_pTabStrip->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  Pump();
  EXPECT_EQ(a.Pane()->container, run->Frame());
  EXPECT_EQ(b.Pane()->container, run->Frame());
  EXPECT_EQ(a.Pane()->m_pBlock, b.Pane()->m_pBlock) << "and docks back as one group";
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, ADockGhostStaysOnTheMainWindow)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  run->Add("Glyphs", 1, 100).Show();
  CMainDockFrame* frame = run->Frame();
  RECT host{};
  GetClientRect(run->host.frame, &host);
  MapWindowPoints(run->host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  const RECT client = ChildRect(run->host.mdiClient);
  POINT clientOrigin{client.left, client.top};
  ClientToScreen(run->host.frame, &clientOrigin);
  // A tall pane dragged to the top of the client area, and a wide one to its right.
  const struct {
    CPaneWnd* pane;
    POINT at;
    int zone;
  } drops[] = {{a.Pane(), POINT{clientOrigin.x + 200, clientOrigin.y + 3}, 1},
               {b.Pane(), POINT{host.right - 4, clientOrigin.y + 100}, 2}};
  for (const auto& d : drops) {
    DockDragInfo drag;
    drag.sourceRect = d.pane->GetScreenRect();
    drag.pane = d.pane;
    SIZE size{0, 0};
    ASSERT_EQ(frame->FindDropTarget(drag, d.pane, d.at.x, d.at.y, size), d.zone);
    const RECT ghost{drag.ghostX, drag.ghostY, drag.ghostX + drag.proposed.cx, drag.ghostY + drag.proposed.cy};
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &ghost, &host) && EqualRect(&inside, &ghost))
        << hostedchecks::RectText(ghost) << " within " << hostedchecks::RectText(host);
  }
}

TEST_F(HostedPanes, MdiChildrenRepaintWhenTheLayoutMovesTheClient)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  MDICREATESTRUCTA mcs{};
  mcs.szClass = "QlTestMdiChild";
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefMDIChildProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QlTestMdiChild";
  RegisterClassA(&wc);
  mcs.szTitle = "Preview";
  mcs.hOwner = GetModuleHandleA(nullptr);
  mcs.x = mcs.y = 10;
  mcs.cx = 300;
  mcs.cy = 200;
  HWND child = reinterpret_cast<HWND>(SendMessageA(run->host.mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  PumpFor(30);
  RECT pending{};
  ASSERT_FALSE(GetUpdateRect(child, &pending, FALSE));
  // The pane closes: the client moves left, and the child's caption is to be painted again.
  a.control->put_PaneVisible(VARIANT_FALSE);
  EXPECT_TRUE(GetUpdateRect(child, &pending, FALSE));
  SendMessageA(run->host.mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
}

TEST_F(HostedPanes, ARepinnedPaneReturnsToTheGroupItLeft)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Glyphs", 4, 200, a.control);
  b.Show();
  Form& c = run->Add("Information", 3, 120);
  c.Show();
  CLayoutBlock* leaf = a.Pane()->m_pBlock;
  ASSERT_EQ(b.Pane()->m_pBlock, leaf);
  ASSERT_EQ(b.control->put_PinState(UnPinned), S_OK);
  Pump();
  EXPECT_EQ(Problems(), "");
  ASSERT_EQ(b.control->put_PinState(Pinned), S_OK);
  Pump();
  EXPECT_EQ(b.Pane()->m_pBlock, leaf) << "back in its group, not a section of its own";
  ASSERT_NE(leaf->m_pTabStrip, nullptr);
  EXPECT_EQ(leaf->m_pTabStrip->TabCount(), 2);
  EXPECT_EQ(Problems(), "");
}

TEST_F(HostedPanes, AnEdgeDropAcrossAStripPinsThatStripsPanes)
{
  Form& a = run->Add("Installed Fonts", 0, 200);
  a.Show();
  Form& b = run->Add("Information", 3, 120);
  b.Show();
  ASSERT_EQ(a.control->put_PinState(UnPinned), S_OK);
  Pump();
  ASSERT_NE(run->Frame()->m_pStrips[0], nullptr);
  // b dropped on the outer band above the layout: a new outermost top section, which would
  // reach over the left strip.
  RECT host{};
  GetClientRect(run->host.frame, &host);
  MapWindowPoints(run->host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  DragCaption(b.Pane(), POINT{(host.left + host.right) / 2, host.top - 3});
  ASSERT_EQ(b.Pane()->side, 1);
  EXPECT_EQ(run->Frame()->m_pStrips[0], nullptr);
  EXPECT_EQ(a.Pane()->pinState, 1);
  EXPECT_EQ(a.Pane()->container, run->Frame());
  EXPECT_EQ(Problems(), "");
}

namespace {

// A form's container holding the given objects, as the forms layer's container enumerates them.
class ObjectsContainer : public IOleContainer, public IEnumUnknown {
public:
  explicit ObjectsContainer(std::vector<IUnknown*> objects) : objects_(std::move(objects)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
  {
    if (riid == IID_IUnknown || riid == IID_IOleContainer || riid == IID_IParseDisplayName)
      *ppv = static_cast<IOleContainer*>(this);
    else if (riid == IID_IEnumUnknown)
      *ppv = static_cast<IEnumUnknown*>(this);
    else
      return *ppv = nullptr, E_NOINTERFACE;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP EnumObjects(DWORD, IEnumUnknown** e) override
  {
    next_ = 0;
    *e = this;
    return S_OK;
  }
  STDMETHODIMP LockContainer(BOOL) override { return S_OK; }
  STDMETHODIMP Next(ULONG count, IUnknown** out, ULONG* fetched) override
  {
    ULONG n = 0;
    for (; n < count && next_ < objects_.size(); ++n, ++next_) {
      out[n] = objects_[next_];
      out[n]->AddRef();
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override
  {
    next_ += count;
    return S_OK;
  }
  STDMETHODIMP Reset() override
  {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumUnknown**) override { return E_NOTIMPL; }

private:
  std::vector<IUnknown*> objects_;
  size_t next_ = 0;
};

class SiteWithObjects : public TestSite {
public:
  SiteWithObjects(HWND window, IOleContainer* container) : TestSite(window), container_(container) {}
  STDMETHODIMP GetContainer(IOleContainer** c) override
  {
    *c = container_;
    return S_OK;
  }

private:
  IOleContainer* container_;
};

}  // namespace

TEST_F(HostedPanes, AFloatingPaneWithATabbedDialogKeepsItsAltKeys)
{
  // The form holds another control; the question is asked by class identifier.
  IUnknown* other = MakeControlUnknown(CLSID_FDPane);
  ObjectsContainer container({other});
  Form& a = run->Add("Font Properties", 4, 200);
  SiteWithObjects site(a.window, &container);
  a.control->SetClientSite(&site);
  SendMessageA(a.window, WM_SHOWWINDOW, TRUE, 0);
  Pump();
  CFDPaneBody* body = a.control->Body();
  ASSERT_NE(body, nullptr);
  EXPECT_TRUE(body->ContainsControlOfClass(&CLSID_FDPane, 1));
  EXPECT_FALSE(a.Pane()->IsMDIChildForm()) << "no tabbed dialog on this form";
  ASSERT_NE(a.Pane()->miniFrame, nullptr);
  EXPECT_EQ(CMiniFrame::TestPaneOfWindow(a.Pane()->miniFrame->hwnd), 0);
  a.control->SetClientSite(a.site.get());
  other->Release();
}
