// Random float, attach, remove, close and destroy sequences over panes and floating frames;
// after every step each reference must name a live object that agrees with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "docking/float/CMiniFrame.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"
#include "docking/pane/CPaneWnd.h"
#include "support/TestEnv.h"

namespace {

std::set<CPaneWnd*> g_livePanes;
int g_tabGroupsSeen = 0, g_splitsSeen = 0;

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

// The panes a frame's layout tree shows, leaves and tabs, checking the links on the way.
void CollectTree(const CLayoutBlock* b, const CLayoutBlock* parent, std::multiset<const CPaneWnd*>& out) {
  if (!b) return;
  EXPECT_EQ(b->m_pParent, parent);
  if (!b->IsLeaf()) {
    EXPECT_TRUE(b->m_pFirst && b->m_pSecond) << "an inner block of a frame has two children";
    EXPECT_NE(b->m_pSplitter, nullptr) << "two children need a bar between them";
    ++g_splitsSeen;
    CollectTree(b->m_pFirst, b, out);
    CollectTree(b->m_pSecond, b, out);
    return;
  }
  EXPECT_FALSE(b->m_bVacant);
  if (b->m_pTabStrip) {
    EXPECT_GE(b->m_pTabStrip->TabCount(), 2);
    ++g_tabGroupsSeen;
    for (CPaneBase* p : b->m_pTabStrip->GetPanes()) out.insert(static_cast<const CPaneWnd*>(p));
  } else {
    EXPECT_NE(b->m_pPane, nullptr) << "an empty leaf stays in a frame";
    out.insert(static_cast<const CPaneWnd*>(b->m_pPane));
  }
}

// Every listed frame holds live panes that point back at it; every pane's frame holds it.
void CheckInvariants(const std::vector<CPaneWnd*>& panes) {
  for (CMiniFrame* f : CMiniFrame::FloatingFrames()) {
    std::multiset<const CPaneWnd*> inTree;
    CollectTree(f->Root(), nullptr, inTree);
    const std::multiset<const CPaneWnd*> held(f->Panes().begin(), f->Panes().end());
    EXPECT_EQ(inTree, held) << "the tree shows exactly the frame's panes, once each";
    for (CPaneWnd* p : f->Panes()) {
      ASSERT_TRUE(g_livePanes.count(p)) << "a frame names a freed pane";
      EXPECT_EQ(p->miniFrame, f);
      if (f->hwnd) {
        EXPECT_EQ(GetParent(p->hwnd), f->hwnd);
      }
    }
    EXPECT_EQ(f->singlePaneCaption != 0, f->Panes().size() <= 1) << "caption follows the pane count";
    if (f->hwnd) {
      EXPECT_EQ(CMiniFrame::FromHandle(f->hwnd), f);
    }
  }
  for (CPaneWnd* p : panes) {
    ASSERT_TRUE(g_livePanes.count(p));
    EXPECT_EQ(CPaneWnd::FromHandle(p->hwnd), p);
    if (CMiniFrame* f = p->miniFrame) {
      const auto& held = f->Panes();
      EXPECT_NE(std::find(held.begin(), held.end(), p), held.end()) << "a pane names a frame that lost it";
      EXPECT_EQ(p->sharesMiniFrame, held.size() > 1);
    }
  }
}

TEST(FloatFuzz, RandomSequencesKeepEveryReferenceLive) {
  if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  static bool hooked = false;
  if (!hooked) {
    CPaneWnd::AddForgetHook([](CPaneWnd* p) { g_livePanes.erase(p); });
    hooked = true;
  }
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> forms;
  std::vector<CPaneWnd*> panes;
  std::mt19937 rng(20261209);
  auto newPane = [&] {
    HWND form = CreateWindowExA(0, "STATIC", "pane", WS_POPUP | WS_CAPTION, 0, 0, 80, 60, nullptr, nullptr, nullptr, nullptr);
    forms.push_back(form);
    auto* p = new CPaneWnd();
    p->ghostOnDesktop = false;
    ASSERT_EQ(p->Attach(form, host), 1);
    ShowWindow(p->hwnd, SW_SHOWNA);
    p->floatLeft = static_cast<int>(rng() % 600);
    p->floatTop = static_cast<int>(rng() % 400);
    g_livePanes.insert(p);
    panes.push_back(p);
  };
  for (int i = 0; i < 4; ++i) newPane();

  int joins = 0;
  for (int step = 0; step < 300; ++step) {
    SCOPED_TRACE(step);
    if (panes.empty()) newPane();
    CPaneWnd* p = panes[rng() % panes.size()];
    switch (rng() % 6) {
      case 0:  // float alone
        p->Float();
        break;
      case 1: {  // join another pane's frame
        CPaneWnd* q = panes[rng() % panes.size()];
        if (q != p && q->miniFrame && q->miniFrame->hwnd && p->miniFrame != q->miniFrame) {
          if (CMiniFrame* old = p->miniFrame) {
            SetParent(p->hwnd, host);
            old->RemovePane(p);
            CMiniFrame::ReleaseIfUnlisted(old);
          }
          // Joins are rare in the sequence: take the ways in turn so that each one is met.
          static const int kOrder[8] = {4, 6, 0, 5, 7, 1, 2, 3};
          const int how = kOrder[joins++ % 8];
          // 0-3 an edge of the frame; 4-5 a tab of the frame's first pane; 6-7 beside q.
          if (how == 4 || how == 5) q->miniFrame->AttachPane(p, 3, q->miniFrame->GetFirstPane());
          else if (how > 5) q->miniFrame->AttachPane(p, static_cast<int>(rng() % 4), nullptr, q);
          else q->miniFrame->AttachPane(p, how);
        }
        break;
      }
      case 2:  // back out of its frame
        if (CMiniFrame* f = p->miniFrame) {
          SetParent(p->hwnd, host);
          f->RemovePane(p);
          if (rng() % 2) f->CloseIfEmpty(); else CMiniFrame::ReleaseIfUnlisted(f);
        }
        break;
      case 3:  // destroyed outright
        p->Destroy();
        panes.erase(std::find(panes.begin(), panes.end(), p));
        break;
      case 4:  // double click on a frame caption re-docks everything in it
        if (CMiniFrame* f = p->miniFrame; f && f->hwnd) {
          static HWND hostWindow;
          hostWindow = host;
          f->toggleFloat = [](CPaneWnd* pane) {
            CMiniFrame* frame = pane->miniFrame;
            SetParent(pane->hwnd, hostWindow);
            frame->RemovePane(pane);
            CMiniFrame::ReleaseIfUnlisted(frame);
          };
          SendMessageA(f->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        }
        break;
      default:
        newPane();
        break;
    }
    Pump();
    CheckInvariants(panes);
    if (HasFatalFailure()) break;
  }
  EXPECT_GT(g_tabGroupsSeen, 0) << "the sequence made tab groups";
  EXPECT_GT(g_splitsSeen, 0) << "the sequence split frames";
  for (CPaneWnd* p : panes) p->Destroy();
  for (CMiniFrame* f : std::vector<CMiniFrame*>(CMiniFrame::FloatingFrames())) delete f;
  for (HWND f : forms) DestroyWindow(f);
  DestroyWindow(host);
  Pump();
  EXPECT_TRUE(g_livePanes.empty());
  EXPECT_EQ(CMiniFrame::LiveCount(), 0) << "every frame was either listed or deleted";
  EXPECT_EQ(CPaneWnd::LiveCount(), 0);
}

}  // namespace
