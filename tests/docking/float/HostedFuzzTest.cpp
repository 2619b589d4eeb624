// Random sequences over a program's main window with every kind of place at once (four sides,
// a group of three tabs, a floating frame of two panes, strips on two sides): after each close,
// hide, show, pin, unpin, float, dock, frame-caption drag, teardown or layout reset the client
// area is covered, every tab can be reached, and nothing names a pane that is gone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "HostedChecks.h"
#include "HostedForms.h"
#include "support/TestEnv.h"

using namespace hostedforms;

namespace {

struct FormSpec {
  const char* caption;
  int side;
  int size;
  int tabOf;  // index of the form it joins as a tab, -1 none
};

const FormSpec kForms[] = {
    {"Installed Fonts", 0, 180, -1}, {"Toolbar Pane", 1, 60, -1}, {"Glyphs", 2, 160, -1},  {"Tab Two", 4, 160, 2},
    {"Tab Three", 4, 160, 2},        {"Information", 3, 110, -1}, {"Floating One", 4, 150, -1}, {"Floating Two", 4, 150, -1},
};
constexpr int kCount = sizeof(kForms) / sizeof(kForms[0]);

struct Program {
  ProgramRun run;
  Form* forms[kCount] = {};

  Form* Make(int i)
  {
    const FormSpec& s = kForms[i];
    CFDPaneCtl* ref = s.tabOf >= 0 && forms[s.tabOf] ? forms[s.tabOf]->control : nullptr;
    Form& f = run.Add(s.caption, s.side, s.size, ref);
    f.Show();
    forms[i] = &f;
    return &f;
  }
  void Remove(int i)
  {
    for (auto it = run.forms.begin(); it != run.forms.end(); ++it)
      if (it->get() == forms[i]) {
        run.forms.erase(it);
        break;
      }
    forms[i] = nullptr;
    Pump();
  }
};

void ClickCloseOf(CPaneWnd* pane)
{
  RECT w{};
  GetWindowRect(pane->hwnd, &w);
  const POINT at{w.right - 9, w.top + 9};
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x - origin.x, at.y - origin.y));
  SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

// Drags a floating frame by its caption to a screen point.
void DragFrameTo(CPaneWnd* pane, POINT to)
{
  CMiniFrame* frame = pane->miniFrame;
  RECT w{};
  GetWindowRect(frame->hwnd, &w);
  const POINT grab{w.left + 20, w.top + GetSystemMetrics(SM_CYFRAME) + 6};
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
  SendMessageA(frame->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
}

struct Counts {
  int frameDrags = 0, closes = 0, resets = 0;
};

void RunSequence(unsigned seed, int steps, Counts& counts)
{
  auto program = std::make_unique<Program>();
  for (int i = 0; i < kCount; ++i) program->Make(i);
  CMainDockFrame* frame = program->run.Frame();
  ASSERT_NE(frame, nullptr);
  // The two floating panes share one frame; two sides have strips.
  CPaneWnd* one = program->forms[6]->Pane();
  CPaneWnd* two = program->forms[7]->Pane();
  ASSERT_NE(one->miniFrame, nullptr);
  two->JoinFrame(one->miniFrame, 3);
  program->forms[1]->control->put_PinState(UnPinned);
  program->forms[5]->control->put_PinState(UnPinned);
  Pump();
  ASSERT_NE(frame->m_pStrips[1], nullptr);
  ASSERT_NE(frame->m_pStrips[3], nullptr);
  ASSERT_EQ(hostedchecks::FindHole(program->run.host) + hostedchecks::CheckPanes(*frame, 0), "");

  RECT host{};
  GetClientRect(program->run.host.frame, &host);
  MapWindowPoints(program->run.host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  const POINT edges[4] = {{host.left + 3, (host.top + host.bottom) / 2},
                          {(host.left + host.right) / 2, host.top + 3},
                          {host.right - 3, (host.top + host.bottom) / 2},
                          {(host.left + host.right) / 2, host.bottom - 25}};

  std::mt19937 rng(seed);
  std::string log = "seed " + std::to_string(seed) + "\n";
  int& frameDrags = counts.frameDrags;
  int& closes = counts.closes;
  int& resets = counts.resets;
  for (int step = 0; step < steps; ++step) {
    const int i = static_cast<int>(rng() % kCount);
    const int op = static_cast<int>(rng() % 12);
    Form* f = program->forms[i];
    if (!f) {
      program->Make(i);
      log += "make " + std::to_string(i) + "\n";
      continue;
    }
    CPaneWnd* pane = f->Pane();
    if (!pane) continue;
    std::string what;
    switch (op == 11 && rng() % 2 ? 12 : op) {
      case 0:
        // The close button of the next pane that shows one.
        for (int k = 0; k < kCount && what.empty(); ++k) {
          Form* g = program->forms[(i + k) % kCount];
          CPaneWnd* q = g ? g->Pane() : nullptr;
          if (q && q->IsVisible() && q->captionSize == 16 && q->pinState != 2) {
            ClickCloseOf(q);
            ++closes;
            what = "close";
          }
        }
        break;
      case 1: f->control->put_PaneVisible(VARIANT_FALSE); what = "hide"; break;
      case 2: f->control->put_PaneVisible(VARIANT_TRUE); what = "show"; break;
      case 3: f->control->put_PinState(UnPinned); what = "unpin"; break;
      case 4: f->control->put_PinState(Pinned); what = "pin"; break;
      case 5: f->control->ReFloat(); what = "float"; break;
      case 6: f->control->ReDock(); what = "dock"; break;
      case 7:
        if (pane->miniFrame && pane->miniFrame->hwnd) {
          DragFrameTo(pane->miniFrame->GetFirstPane(), edges[rng() % 4]);
          ++frameDrags;
          what = "frame drag";
        }
        break;
      case 8:
        if (pane->hwnd && pane->pinState != 2 && pane->IsVisible()) {
          SendMessageA(pane->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
          what = "double click";
        }
        break;
      case 9:
        if (rng() % 4 == 0) {
          program->Remove(i);
          what = "teardown";
        }
        break;
      case 10:
        if (rng() % 5 == 0) {
          program->run.dock->ClearLayout();
          ++resets;
          what = "clear layout";
        }
        break;
      case 12:
        // A docked pane's caption dragged to an edge: its group goes along.
        if (pane->container && pane->IsVisible() && pane->captionSize == 16 && pane->pinState != 2) {
          RECT w{};
          GetWindowRect(pane->hwnd, &w);
          const POINT to = edges[rng() % 4];
          POINT origin{0, 0};
          ClientToScreen(pane->hwnd, &origin);
          PostMessageA(pane->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x - origin.x, to.y - origin.y));
          PostMessageA(pane->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x - origin.x, to.y - origin.y));
          SendMessageA(pane->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 30, w.top + 8));
          what = "caption drag";
        }
        break;
      default:
        if (CPaneWnd* other = program->forms[(i + 1) % kCount] ? program->forms[(i + 1) % kCount]->Pane() : nullptr;
            other && other != pane && other->miniFrame && other->miniFrame->hwnd && pane->IsVisible() &&
            pane->pinState != 2 && !pane->miniFrame) {
          pane->JoinFrame(other->miniFrame, static_cast<int>(rng() % 4));
          what = "join frame";
        }
        break;
    }
    if (what.empty()) continue;
    Pump();
    log += std::to_string(step) + ": " + what + " " + kForms[i].caption + "\n";
    const std::string problems =
        hostedchecks::FindHole(program->run.host) + hostedchecks::CheckPanes(*frame, 0);
    ASSERT_EQ(problems, "") << log << hostedchecks::Describe(*frame);
  }
  program.reset();
  Pump();
  EXPECT_EQ(CPaneWnd::LiveCount(), 0);
}

TEST(HostedFuzz, EveryOperationKeepsTheWindowCoveredAndEveryPaneReachable)
{
  if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  Counts counts;
  // More sequences for a real hunt: QL_DOCK_FUZZ_SEEDS=100 (how many), QL_DOCK_FUZZ_FIRST=101.
  const char* env = getenv("QL_DOCK_FUZZ_SEEDS");
  const char* first = getenv("QL_DOCK_FUZZ_FIRST");
  const unsigned from = first ? static_cast<unsigned>(atoi(first)) : 1;
  const unsigned seeds = env ? static_cast<unsigned>(atoi(env)) : 3;
  for (unsigned seed = from; seed < from + seeds; ++seed) {
    RunSequence(20261209 + seed, 200, counts);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(counts.closes, 0);
  EXPECT_GT(counts.frameDrags, 0);
  EXPECT_GT(counts.resets, 0);
}

}  // namespace
