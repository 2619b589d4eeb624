// Unpinning through the FDPane control: the pane leaves the layout for a tab on a strip along
// its side, the strip opens it in a popup the frame tracks, and pinning it again docks it back.
#include <gtest/gtest.h>

#include "HostedForms.h"
#include "docking/autohide/CPinPopupFrame.h"
#include "support/TestEnv.h"

using namespace hostedforms;

namespace {

std::string Rect(const RECT& r)
{
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace

TEST(FramePin, UnpinnedPanesGoToTheirSidesStripAndComeBack)
{
  if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  ProgramRun run;
  Form& fonts = run.Add("Installed Fonts", 0, 180);
  fonts.Show();
  Form& info = run.Add("Information", 3, 130);
  info.Show();
  CMainDockFrame* frame = run.Frame();
  ASSERT_NE(frame, nullptr);
  const std::string before = run.Dump();

  EXPECT_EQ(info.control->put_PinState(UnPinned), S_OK);
  Pump();
  CAutoHideBar* strip = frame->m_pStrips[3];
  ASSERT_NE(strip, nullptr);
  ASSERT_NE(strip->m_hWnd, nullptr);
  EXPECT_TRUE(IsWindowVisible(strip->m_hWnd));
  ASSERT_EQ(strip->Tabs().size(), 1u);
  EXPECT_EQ(strip->Tabs()[0].pane, info.Pane());
  EXPECT_FALSE(IsWindowVisible(info.Pane()->hwnd));
  // The strip takes 22 pixels above the status bar; the rest is the layout's again.
  EXPECT_EQ(Rect(ChildRect(strip->m_hWnd)), "0,556,800,578");
  EXPECT_EQ(ChildRect(run.host.mdiClient).bottom, 556);
  EXPECT_EQ(ChildRect(fonts.Pane()->hwnd).bottom, 556);

  // The popup shows the pane next to the strip; the frame tracks it.
  strip->ShowPopup(info.Pane());
  Pump();
  CPinPopupFrame* popup = frame->TrackedPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->m_pPane, info.Pane());
  EXPECT_EQ(GetParent(info.Pane()->hwnd), popup->m_hWnd);
  EXPECT_TRUE(IsWindowVisible(popup->m_hWnd));

  // A second side gets its own strip; pinning the whole side empties and removes it.
  EXPECT_EQ(fonts.control->put_PinState(UnPinned), S_OK);
  Pump();
  ASSERT_NE(frame->m_pStrips[0], nullptr);
  EXPECT_EQ(ChildRect(run.host.mdiClient).left, 22);
  frame->PinAllOfSide(0);
  Pump();
  EXPECT_EQ(frame->m_pStrips[0], nullptr);
  EXPECT_TRUE(IsWindowVisible(fonts.Pane()->hwnd));

  // Pinned again: popup closed, strip gone, the pane docked at its side as before.
  EXPECT_EQ(info.control->put_PinState(Pinned), S_OK);
  Pump();
  EXPECT_EQ(frame->TrackedPopup(), nullptr);
  EXPECT_EQ(frame->m_pStrips[3], nullptr);
  EXPECT_EQ(info.Pane()->pinState, 1);
  EXPECT_EQ(run.Dump(), before);
}
