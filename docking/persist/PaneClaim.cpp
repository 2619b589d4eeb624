#include "docking/persist/PaneClaim.h"

#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockSection.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/PaneGeometry.h"
#include "docking/pane/PaneOwner.h"
#include "docking/persist/LayoutStore.h"
#include "docking/splitter/SplitterWindow.h"

namespace PaneClaim {

std::string NameOf(const CPaneBase* pane)
{
  if (!pane) return {};
  if (const auto* wnd = dynamic_cast<const CPaneWnd*>(pane)) {
    if (wnd->owner) {
      std::string name = wnd->owner->GetLayoutName();
      if (!name.empty()) return name;
    }
    if (!wnd->title.empty()) return wnd->title;
  }
  return pane->m_title;
}

bool Claim(CDockFrameBase& frame, CPaneWnd* pane)
{
  if (!pane || !pane->hwnd || !pane->m_bFormPane || pane->container || pane->miniFrame) return false;
  const std::string name = NameOf(pane);
  LayoutStore::SavedPlace place;
  if (name.empty() || !LayoutStore::FindBlockByTitle(frame, name, place)) return false;
  const CDockSection* section = frame.SectionAt(place.side, place.index);
  const bool shown = (place.misc & 1) != 0 || (place.misc & 4) != 0;
  if (!section || section->m_bRow || !shown || (place.misc & 8) != 0) return false;
  if (pane->owner && !pane->owner->CanDock(place.side)) return false;

  // The same set-up as a fresh dock, but into the stored leaf rather than a new section.
  const int side = place.side;
  pane->side = side;
  pane->dockFrame = &frame;
  pane->m_title = pane->title;
  pane->m_bFloating = false;
  if (pane->dockedWidth > 0) pane->m_nDockedWidth = pane->dockedWidth;
  if (pane->dockedHeight > 0) pane->m_nDockedHeight = pane->dockedHeight;
  pane->docked = true;
  pane->sharesMiniFrame = false;
  pane->m_bCaptionAtSide = PaneGeometry::StripOnLeft(pane->dragAreaStyle, side);
  pane->ReparentTo(frame.m_hWndFrame);
  SetWindowPos(pane->hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  pane->container = &frame;
  if (!LayoutStore::ClaimSavedPlace(frame, pane, name)) {
    pane->container = nullptr;
    pane->docked = false;
    return false;
  }
  SplitterWindow::AdoptAll(&frame);
  // A tab saved behind another stays hidden; shown, its stale window would cover its neighbours.
  if (!pane->IsTabBehind()) pane->Show(true);
  pane->placed = 1;
  pane->LayoutContent();
  if (pane->owner) pane->owner->FireDockStyleChanged(side);
  return true;
}

}  // namespace PaneClaim
