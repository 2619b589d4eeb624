#pragma once
// What must hold for a program's main window after any pane operation: its client area is
// covered, every tab of a group can be reached, docked panes show the caption strip of the
// frame's style, and every strip tab names a live unpinned pane.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "HostedForms.h"
#include "docking/autohide/CAutoHideBar.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"

namespace hostedchecks {

inline std::string RectText(const RECT& r)
{
  std::ostringstream o;
  o << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  return o.str();
}

// The first point of the host's client area above its status bar that no visible child
// window covers; empty when there is none.
inline std::string FindHole(const TestHostWindow& host)
{
  RECT area{};
  GetClientRect(host.frame, &area);
  if (host.statusBar && IsWindowVisible(host.statusBar)) area.bottom = ChildRect(host.statusBar).top;
  std::vector<RECT> covered;
  for (HWND w = GetWindow(host.frame, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (IsWindowVisible(w) && w != host.statusBar) covered.push_back(ChildRect(w));
  for (int y = area.top; y < area.bottom; y += 2)
    for (int x = area.left; x < area.right; x += 2) {
      const POINT pt{x, y};
      bool in = false;
      for (const RECT& r : covered)
        if (PtInRect(&r, pt)) {
          in = true;
          break;
        }
      if (in) continue;
      std::ostringstream o;
      o << "hole at " << x << "," << y << "; children:";
      for (const RECT& r : covered) o << " [" << RectText(r) << "]";
      return o.str();
    }
  return "";
}

inline bool InTree(const CLayoutBlock* root, const CLayoutBlock* b)
{
  if (!root) return false;
  return root == b || InTree(root->m_pFirst, b) || InTree(root->m_pSecond, b);
}

inline void CheckTabGroups(const CLayoutBlock* b, std::string& out)
{
  if (!b) return;
  CheckTabGroups(b->m_pFirst, out);
  CheckTabGroups(b->m_pSecond, out);
  const CTabStrip* strip = b->m_pTabStrip;
  if (!strip || b->m_bVacant) return;
  if (strip->TabCount() < 2) out += "a strip of fewer than two tabs; ";
  auto* current = dynamic_cast<CPaneWnd*>(b->m_pPane);
  if (!current || !current->IsVisible()) out += "a tab group without a shown tab; ";
  if (!strip->m_hWnd || !IsWindowVisible(strip->m_hWnd)) out += "a tab group whose strip cannot be seen; ";
  for (CPaneBase* p : strip->GetPanes()) {
    auto* w = dynamic_cast<CPaneWnd*>(p);
    if (!w || CPaneWnd::FromHandle(w->hwnd) != w) out += "a tab names a freed pane; ";
  }
}

// Problems of the main frame's panes, strips and tab groups; empty when there are none.
inline std::string CheckPanes(CMainDockFrame& frame, int dragAreaStyle)
{
  std::string out;
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < frame.SectionCount(side); ++i) CheckTabGroups(frame.SectionAt(side, i)->m_pRoot, out);
  for (int side = 0; side < 4; ++side) {
    CAutoHideBar* strip = frame.m_pStrips[side];
    if (!strip) continue;
    if (strip->Tabs().empty()) out += "an empty strip stays; ";
    for (const CAutoHideBar::Tab& t : strip->Tabs()) {
      auto* w = dynamic_cast<CPaneWnd*>(t.pane);
      if (!w || CPaneWnd::FromHandle(w->hwnd) != w) {
        out += "a strip tab outlives its pane; ";
        continue;
      }
      if (!w->m_bUnpinned || w->pinState != 2) out += "a strip tab of a pinned pane; ";
    }
  }
  for (int i = 0; i < CPaneBase::LiveCount(); ++i) {
    auto* w = dynamic_cast<CPaneWnd*>(CPaneBase::LiveAt(i));
    if (!w || !w->hwnd || !w->owner) continue;
    if (w->dragAreaStyle != dragAreaStyle) out += "a pane without the frame's caption style; ";
    if (w->container == &frame && w->IsVisible() && w->captionSize != 16) out += "a docked pane without caption strip; ";
    if (w->m_bUnpinned && (w->side < 0 || w->side > 3 || !frame.m_pStrips[w->side])) out += "an unpinned pane without strip; ";
    if (w->m_bUnpinned && (w->container || w->miniFrame)) out += "an unpinned pane that is docked or floating; ";
    if (w->container == &frame) {
      const CDockSection* s = frame.SectionAt(w->m_nSide, w->m_nSectionIndex);
      if (!w->m_pBlock || !s || !InTree(s->m_pRoot, w->m_pBlock)) {
        std::ostringstream o;
        o << "a docked pane whose section index is stale (" << w->title << " side " << w->m_nSide << " #"
          << w->m_nSectionIndex << "); ";
        out += o.str();
      }
    }
    if ((w->pinState == 2) != w->m_bUnpinned) out += "a pin state without its strip tab; ";
  }
  return out;
}

inline void DescribeBlock(const CLayoutBlock* b, std::ostringstream& o, int depth)
{
  if (!b) return;
  o << std::string(static_cast<size_t>(depth) * 2, ' ') << (b->m_bVacant ? "vacant " : "") << "block";
  if (auto* w = dynamic_cast<CPaneWnd*>(b->m_pPane)) o << " pane '" << w->title << "' shown " << w->IsVisible();
  if (b->m_pTabStrip) o << " tabs " << b->m_pTabStrip->TabCount();
  if (b->m_pSlots) o << " slots " << b->m_pSlots->size();
  o << "\n";
  DescribeBlock(b->m_pFirst, o, depth + 1);
  DescribeBlock(b->m_pSecond, o, depth + 1);
}

// The frame's sections and blocks, for failure messages.
inline std::string Describe(CMainDockFrame& frame)
{
  std::ostringstream o;
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < frame.SectionCount(side); ++i) {
      const CDockSection* s = frame.SectionAt(side, i);
      o << "side " << side << " #" << i << " rect " << RectText(s->m_rc) << " shown " << s->m_bShown << " row "
        << s->m_bRow << "\n";
      DescribeBlock(s->m_pRoot, o, 1);
    }
  return o.str();
}

}  // namespace hostedchecks
