// Dragging a toolbar pane: by its grip when docked, by its frame's caption when floating. It
// joins a row in the middle half of a row of its thickness, opens a new row at an edge of the
// layout, or floats where it is let go.
#include "docking/toolband/CToolbarPaneWnd.h"

#include <algorithm>

#include "docking/drag/DropGeometry.h"
#include "docking/drag/PaneDragLoop.h"
#include "docking/float/CMiniFrame.h"
#include "docking/float/FloatGeometry.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/toolband/CToolBand.h"
#include "docking/toolband/ToolbarPaneGeometry.h"

CToolbarPaneWnd::DropTarget CToolbarPaneWnd::FindDrop(POINT screen)
{
  DropTarget t;
  if (dockFrame) {
    DockDragInfo drag;
    drag.isFormPane = 0;
    drag.pane = this;
    // A floating toolbar drags its whole frame.
    drag.sourceRect = GetScreenRect();
    if (miniFrame && miniFrame->hwnd) GetWindowRect(miniFrame->hwnd, &drag.sourceRect);
    drag.sourceFloating = docked ? 0 : 1;
    drag.sourceContainer = container;
    drag.sourceSide = side;
    drag.sourceIndex = m_nSectionIndex;
    drag.sourceBlock = m_pBlock;
    // Rows first: the middle half of a row of the right thickness joins it.
    for (int s = 0; s < 4 && t.zone == 255; ++s)
      for (int i = 0; i < dockFrame->SectionCount(s) && t.zone == 255; ++i) {
        auto* row = dynamic_cast<CToolBand*>(dockFrame->SectionAt(s, i));
        if (!row || !row->m_hWnd || !IsWindowVisible(row->m_hWnd)) continue;
        SIZE size{};
        CPaneBase* target = nullptr;
        DockDragInfo probe = drag;
        if (row->HitTest(dockFrame, probe, screen.x, screen.y, size, target) == 2 * s + 1) {
          t.zone = s;
          t.row = row;
          t.index = i;
        }
      }
    if (t.zone == 255) {
      SIZE size{};
      const int zone = dockFrame->FindDropTarget(drag, this, screen.x, screen.y, size);
      if (zone >= 0 && zone <= 3) {
        t.zone = zone;
        t.index = drag.atFrameEdge ? 0 : drag.targetIndex;
      }
    }
    if (t.zone <= 3 && !CanDockSide(t.zone)) t = DropTarget{};
  }
  if (t.zone <= 3) {
    // The ghost keeps the grab point's place within the pane.
    const SIZE g = AdjustDropSize(t.zone);
    const int left = screen.x - grabX_ * g.cx / std::max(1, dragW_);
    const int top = screen.y - grabY_ * g.cy / std::max(1, dragH_);
    t.ghost = RECT{left, top, left + g.cx, top + g.cy};
    return t;
  }
  t.zone = 8;
  const int w = floatWidth > 0 ? floatWidth : 200, h = floatHeight > 0 ? floatHeight : 200;
  POINT o = DropGeometry::FloatGhostOrigin(screen, grabX_, grabY_, dragW_, dragH_, w, h);
  if (!IsRectEmpty(&workArea)) o = DropGeometry::ClampFloatGhost(o, w, h, workArea);
  t.ghost = RECT{o.x, o.y, o.x + w, o.y + h};
  return t;
}

void CToolbarPaneWnd::Drop(const DropTarget& t)
{
  if (t.zone > 3 || !dockFrame) {
    floatLeft = t.ghost.left;
    floatTop = t.ghost.top;
    if (!IsRectEmpty(&workArea)) FloatGeometry::KeepInBounds(floatLeft, floatTop, floatWidth, workArea);
    Float();
    return;
  }
  if (t.row) {
    JoinRow(t.row, POINT{t.ghost.left, t.ghost.top});
    return;
  }
  DockAt(dockFrame, t.zone, t.index);
}

void CToolbarPaneWnd::BeginToolbarDrag(POINT screen)
{
  if (!hwnd)
    return;
  RECT w{};
  if (miniFrame && miniFrame->hwnd) GetWindowRect(miniFrame->hwnd, &w);
  else GetWindowRect(hwnd, &w);
  grabX_ = screen.x - w.left;
  grabY_ = screen.y - w.top;
  dragW_ = std::max<LONG>(1, w.right - w.left);
  dragH_ = std::max<LONG>(1, w.bottom - w.top);
  pending_ = DropTarget{};
  int moves = 0;
  PaneDragLoop::Client client;
  client.search = [this, &moves](POINT pt) {
    ++moves;
    pending_ = FindDrop(pt);
    PaneDragLoop::Target t;
    t.zone = pending_.zone;
    t.ghost = pending_.ghost;
    return t;
  };
  bool dropped = false;
  client.drop = [&dropped](const PaneDragLoop::Target&, POINT) { dropped = true; };
  dragging = 1;
  const HWND self = hwnd;
  PaneDragLoop loop(miniFrame && miniFrame->hwnd ? miniFrame->hwnd : hwnd, PaneDragLoop::Mode::Drag, client);
  loop.useDesktop = ghostOnDesktop;
  loop.Run();
  if (!IsWindow(self))
    return;
  dragging = 0;
  // A press released without a move is a click.
  if (dropped && moves > 0) Drop(pending_);
}

void CToolbarPaneWnd::AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT&, bool)
{
  if (drag.zone >= 0 && drag.zone <= 3)
    size = AdjustDropSize(drag.zone);
}

void CToolbarPaneWnd::SetDropZone(DockDragInfo& drag, int s, CPaneBase*, int insertSide)
{
  drag.zone = s;
  drag.insertSide = insertSide;
}
