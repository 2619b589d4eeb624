#include "docking/toolband/CToolbarPaneWnd.h"

#include <algorithm>
#include <memory>

#include "docking/drag/DropGeometry.h"
#include "docking/drag/PaneDragLoop.h"
#include "docking/float/CMiniFrame.h"
#include "docking/float/FloatGeometry.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/pane/PaneOwner.h"
#include "docking/toolband/CToolBand.h"
#include "docking/toolband/ToolbarPaneGeometry.h"

CToolbarPaneWnd::CToolbarPaneWnd()
{
  m_bFormPane = false;
  pinState = 0;
}

CToolbarPaneWnd::~CToolbarPaneWnd()
{
  // The row keeps the place by name, so a layout saved later still holds it; no block may
  // point at the pane once it is gone.
  if (container) {
    CLayoutBlock* block = m_pBlock;
    const RECT w = GetScreenRect();
    container = nullptr;
    if (block && block->m_pPane == this) RememberInRow(block, POINT{w.left, w.top}, false, true);
  } else if (placeBlock_) {
    UpdateRememberedPlace();
  }
  placeBlock_ = nullptr;
}

void CToolbarPaneWnd::RememberInRow(CLayoutBlock* block, POINT dockedAt, bool floating, bool visible)
{
  block->m_pPane = nullptr;
  block->m_bVacant = true;
  block->m_placeholderTitle = layoutName.empty() ? title : layoutName;
  block->m_bHasPlaceholderTitle = !block->m_placeholderTitle.empty();
  block->m_pPlaceholderFloat =
      std::make_unique<RECT>(RECT{floatLeft, floatTop, floatLeft + floatWidth, floatTop + floatHeight});
  block->m_placeholderPos = dockedAt;
  block->m_defaultSize = SIZE{m_nDockedWidth, m_nDockedHeight};
  block->m_nPlaceholderFloating = floating ? 1 : 0;
  block->m_nRestore = (floating ? 1 : 0) | (visible ? 2 : 0);
  block->m_nPlaceholderExtra = 1;
}

void CToolbarPaneWnd::UpdateRememberedPlace()
{
  if (!placeBlock_ || !miniFrame || !miniFrame->hwnd)
    return;
  RECT w{};
  GetWindowRect(miniFrame->hwnd, &w);
  placeBlock_->m_pPlaceholderFloat = std::make_unique<RECT>(w);
  placeBlock_->m_nRestore = 1 | (IsVisible() ? 2 : 0);
}

void CToolbarPaneWnd::AdoptRememberedPlace(CLayoutBlock* block, int s)
{
  placeBlock_ = block;
  prevRowSide = s;
}

void CToolbarPaneWnd::OnBlockGone(const CLayoutBlock* block)
{
  CPaneWnd::OnBlockGone(block);
  if (placeBlock_ == block) placeBlock_ = nullptr;
}

CToolBand* CToolbarPaneWnd::RowHolding(const CLayoutBlock* block, int* index) const
{
  if (!block || !dockFrame)
    return nullptr;
  for (int s = 0; s < 4; ++s)
    for (int i = 0; i < dockFrame->SectionCount(s); ++i) {
      auto* row = dynamic_cast<CToolBand*>(dockFrame->SectionAt(s, i));
      if (!row) continue;
      int guard = 0;
      for (const CLayoutBlock* b = row->m_pRoot; b && guard < 4096; b = b->m_pSecond, ++guard)
        if (b == block) {
          if (index) *index = i;
          return row;
        }
    }
  return nullptr;
}

void CToolbarPaneWnd::DropRememberedPlace()
{
  CLayoutBlock* block = placeBlock_;
  placeBlock_ = nullptr;
  int index = -1;
  CToolBand* row = RowHolding(block, &index);
  if (!row || block->m_pPane)
    return;
  dockFrame->RemovePaneFromSection(block, nullptr, block->m_placeholderTitle.c_str(), row->m_nSide, index);
}

CDockSection* CToolbarPaneWnd::MakeSection()
{
  band = new CToolBand(m_nSide);
  if (hwnd)
    band->m_hWndParent = GetParent(hwnd);
  if (band->m_hWnd)
    band->ReparentPane(this);
  return band;
}

SIZE CToolbarPaneWnd::AdjustDropSize(int zone) const
{
  const SIZE fitted = fittedSize ? fittedSize(zone) : SIZE{0, 0};
  return ToolbarPaneGeometry::DropSize(fitted, zone);
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

void CToolbarPaneWnd::SizeForSide(int s)
{
  const SIZE size = AdjustDropSize(s);
  if (size.cx <= 0 || size.cy <= 0)
    return;
  dockedWidth = m_nDockedWidth = size.cx;
  dockedHeight = m_nDockedHeight = size.cy;
}

SIZE CToolbarPaneWnd::ForwardToOwner(int extent, bool vertical)
{
  if (docked || !fitToExtent)
    return SIZE{0, 0};
  return fitToExtent(extent, vertical);
}

void CToolbarPaneWnd::LayoutContent()
{
  if (!hwnd)
    return;
  HWND toolbar = ::GetWindow(hwnd, GW_CHILD);
  if (!toolbar)
    return;
  RECT client;
  GetClientRect(hwnd, &client);
  const RECT rc = ToolbarPaneGeometry::ContentRect(client, docked, side);
  SetWindowPos(toolbar, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CToolbarPaneWnd::StartRelayoutTimer()
{
  if (hwnd)
    SetTimer(hwnd, kRelayoutTimer, kRelayoutDelay, nullptr);
}

void CToolbarPaneWnd::OnTimer()
{
  KillTimer(hwnd, kRelayoutTimer);
  if (hostedWnd && !IsWindowVisible(hostedWnd))
    ShowWindow(hostedWnd, SW_SHOWNA);
  // One size change the toolbar notices and the size it should have: it wraps again.
  RECT rc = GetRectInFrame();
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(hwnd, nullptr, rc.left, rc.top, w + 1, h + 1, flags);
  SetWindowPos(hwnd, nullptr, rc.left, rc.top, w, h, flags);
  LayoutContent();
}

bool CToolbarPaneWnd::CanDockSide(int s) const
{
  return s >= 0 && s <= 3 && (!owner || owner->CanDock(s));
}

bool CToolbarPaneWnd::RowListed(const CToolBand* row, int* index) const
{
  if (!row || !dockFrame)
    return false;
  for (int s = 0; s < 4; ++s)
    for (int i = 0; i < dockFrame->SectionCount(s); ++i)
      if (dockFrame->SectionAt(s, i) == row) {
        if (index) *index = i;
        return true;
      }
  return false;
}

CToolBand* CToolbarPaneWnd::RowOf() const
{
  if (!container || !dockFrame || container != dockFrame)
    return nullptr;
  auto* row = dynamic_cast<CToolBand*>(dockFrame->SectionAt(m_nSide, m_nSectionIndex));
  return row;
}

void CToolbarPaneWnd::LeaveRow(bool remember)
{
  if (!container) {
    if (!remember) DropRememberedPlace();
    return;
  }
  CDockFrameBase* frame = container;
  CLayoutBlock* block = m_pBlock;
  prevRowSide = side;
  prevRow = RowOf();
  const RECT w = GetScreenRect();
  prevRowPoint = POINT{w.left, w.top};
  Undock();
  if (remember && block && block->m_pPane == this && RowHolding(block, nullptr)) {
    RememberInRow(block, prevRowPoint, true, true);
    if (!block->m_bHasPlaceholderTitle) frame->RemovePaneFromSection(block, nullptr, "", prevRowSide, m_nSectionIndex);
    else placeBlock_ = block;
  } else {
    // No vacant place stays for a toolbar: its block goes, and the row with its last one.
    frame->RemovePane(this);
  }
  m_pBlock = nullptr;
  m_nSectionIndex = -1;
  if (!RowListed(prevRow, nullptr))
    prevRow = nullptr;
  if (band && !RowListed(band, nullptr))
    band = nullptr;
}

void CToolbarPaneWnd::LeaveFrame()
{
  CMiniFrame* frame = miniFrame;
  if (!frame)
    return;
  if (frame->hwnd) {
    RECT w{};
    GetWindowRect(frame->hwnd, &w);
    floatLeft = w.left;
    floatTop = w.top;
    floatWidth = w.right - w.left;
    floatHeight = w.bottom - w.top;
  }
  // Out of the frame window first: the frame takes its children with it when it goes.
  ReparentTo(dockFrame && dockFrame->m_hWndFrame ? dockFrame->m_hWndFrame : frame->ownerWindow);
  frame->RemovePane(this);
  CMiniFrame::ReleaseIfUnlisted(frame);
}

void CToolbarPaneWnd::DockAt(CDockFrameBase* frame, int s, int index)
{
  if (!frame || !hwnd || s < 0 || s > 3)
    return;
  dockFrame = frame;
  LeaveRow();
  LeaveFrame();
  SizeForSide(s);
  m_bFloating = false;
  DockTo(frame, s, index);
  LayoutContent();
  StartRelayoutTimer();
}

bool CToolbarPaneWnd::JoinRow(CToolBand* row, POINT screen)
{
  if (!row || !hwnd || !dockFrame)
    return false;
  int index = -1;
  if (!RowListed(row, &index))
    return false;
  CDockFrameBase* frame = dockFrame;
  const int s = row->m_nSide;
  if (row == RowOf()) {
    // Its own row: only the place along it changes.
    POINT p = screen;
    if (row->m_hWnd) ScreenToClient(row->m_hWnd, &p);
    row->InsertNear(this, p.x, p.y);
    StartRelayoutTimer();
    return true;
  }
  LeaveRow();
  LeaveFrame();
  if (!RowListed(row, &index))
    return false;
  SizeForSide(s);
  side = s;
  m_nSide = s;
  m_nSectionIndex = index;
  m_title = title;
  m_bFloating = false;
  docked = true;
  sharesMiniFrame = false;
  POINT p = screen;
  if (row->m_hWnd) ScreenToClient(row->m_hWnd, &p);
  row->InsertPaneAtPoint(this, p.x, p.y);
  m_pFrame = frame;
  ReparentTo(frame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  container = frame;
  frame->DockPane(this, 0, nullptr);
  Show(true);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(s);
  StartRelayoutTimer();
  return true;
}

bool CToolbarPaneWnd::TakeRowPlace(CToolBand* row, int index, CLayoutBlock* block, POINT saved)
{
  if (!row || !block || !hwnd || !dockFrame || block->m_pPane)
    return false;
  CDockFrameBase* frame = dockFrame;
  if (placeBlock_ == block) placeBlock_ = nullptr;
  LeaveRow();
  LeaveFrame();
  int at = -1;
  if (RowHolding(block, &at) != row)
    return false;
  index = at;
  // A loaded row keeps an entry's values in a first child; the pane's own values count now.
  delete block->m_pFirst;
  block->m_pFirst = nullptr;
  const int s = row->m_nSide;
  SizeForSide(s);
  side = s;
  m_nSide = s;
  m_nSectionIndex = index;
  m_pBlock = block;
  m_pFrame = frame;
  m_title = title;
  m_bFloating = false;
  docked = true;
  sharesMiniFrame = false;
  ReparentTo(frame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  container = frame;
  // A saved row of several toolbars is laid out as a row, which needs its window; a row of one
  // makes it when the toolbar moves in.
  if (!row->m_hWnd && row->m_pRoot && !row->m_pRoot->IsLeaf()) row->CreateBandWindow(frame->m_hWndFrame);
  frame->DockPane(this, 0, nullptr);
  if (row->m_hWnd) {
    POINT p = saved;
    ScreenToClient(row->m_hWnd, &p);
    row->m_nWantedStart = std::max<LONG>(0, row->Horizontal() ? p.x : p.y);
    row->RestoreBlock(frame, this);
  }
  Show(true);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(s);
  StartRelayoutTimer();
  return true;
}

bool CToolbarPaneWnd::JoinBeside(CToolbarPaneWnd* reference)
{
  CToolBand* row = reference ? reference->RowOf() : nullptr;
  if (!row || reference == this || !CanDockSide(row->m_nSide))
    return false;
  const SIZE own = AdjustDropSize(row->m_nSide);
  const int thickness = row->Horizontal() ? own.cy : own.cx;
  if (thickness != row->BandThickness())
    return false;
  const RECT r = reference->GetScreenRect();
  // At the reference's last pixel: before whatever follows it, pushing aside what it must.
  const POINT after = row->Horizontal() ? POINT{r.right - 1, r.top} : POINT{r.left, r.bottom - 1};
  return JoinRow(row, after);
}

void CToolbarPaneWnd::LeavePlace()
{
  LeaveRow();
  LeaveFrame();
  docked = false;
  if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

void CToolbarPaneWnd::Float()
{
  if (!hwnd)
    return;
  if (miniFrame) {
    if (miniFrame->hwnd)
      SetWindowPos(miniFrame->hwnd, nullptr, floatLeft, floatTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // The owner reads its buttons again and rebuilds the sizes a floating toolbar may take.
  if (refreshFit) refreshFit();
  if (floatWidth <= 0 || floatHeight <= 0) {
    const SIZE fitted = fittedSize ? fittedSize(1) : SIZE{200, 24};
    floatWidth = fitted.cx + 8;
    floatHeight = fitted.cy + 24;
  }
  LeaveRow(true);
  docked = false;
  m_bFloating = true;
  sharesMiniFrame = false;
  if (!IsRectEmpty(&workArea)) FloatGeometry::KeepInBounds(floatLeft, floatTop, floatWidth, workArea);
  auto* frame = new CMiniFrame();
  frame->ownerWindow = dockFrame && dockFrame->m_hWndFrame ? dockFrame->m_hWndFrame : GetParent(hwnd);
  frame->workArea = workArea;
  frame->ghostOnDesktop = ghostOnDesktop;
  frame->fitToExtent = [this](int extent, bool vertical) { return ForwardToOwner(extent, vertical); };
  frame->paneDrag = [this](POINT pt) { BeginToolbarDrag(pt); };
  frame->AttachToolbarPane(this, RECT{floatLeft, floatTop, floatLeft + floatWidth, floatTop + floatHeight});
  if (frame->hwnd && fitAtLeast) {
    // The frame takes the first candidate at least as wide as the float size allows, with the
    // frame's real chrome around it.
    RECT w{}, c{};
    GetWindowRect(frame->hwnd, &w);
    GetClientRect(frame->hwnd, &c);
    const int bw = (w.right - w.left) - c.right, bh = (w.bottom - w.top) - c.bottom;
    const SIZE fitted = fitAtLeast(SIZE{floatWidth - bw, floatHeight - bh});
    if (fitted.cx > 0 && fitted.cy > 0)
      SetWindowPos(frame->hwnd, nullptr, 0, 0, fitted.cx + bw, fitted.cy + bh + 4,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (owner) owner->FireDockStyleChanged(4);
  StartRelayoutTimer();
}

void CToolbarPaneWnd::Close()
{
  if (!hwnd)
    return;
  if (docked || !miniFrame)
    LeavePlace();
  else
    ShowWindow(hwnd, SW_HIDE);
  placed = 0;
  if (owner) owner->FireHidden();
}

void CToolbarPaneWnd::ToggleFloat()
{
  if (!hwnd)
    return;
  if (docked && container)
    Float();
  else
    RestoreDocked();
}

bool CToolbarPaneWnd::RestoreDocked()
{
  if (!dockFrame)
    return false;
  // Never docked yet (shown after a hidden start): its initial side.
  int s = prevRowSide >= 0 ? prevRowSide : side;
  if (!CanDockSide(s)) {
    s = -1;
    for (int i = 0; i < 4 && s < 0; ++i)
      if (CanDockSide(i)) s = i;
  }
  if (s < 0)
    return false;
  int index = -1;
  if (CToolBand* row = RowHolding(placeBlock_, &index); row && row->m_nSide == s)
    return TakeRowPlace(row, index, placeBlock_, placeBlock_->m_placeholderPos);
  if (prevRow && prevRow->m_nSide == s && RowListed(prevRow, nullptr) && prevRow->m_hWnd && JoinRow(prevRow, prevRowPoint))
    return true;
  DockAt(dockFrame, s, -1);
  return docked;
}

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

void CToolbarPaneWnd::DrawGrip()
{
  HDC dc = GetWindowDC(hwnd);
  RECT win;
  GetWindowRect(hwnd, &win);
  OffsetRect(&win, -win.left, -win.top);
  RECT edge = win;
  DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  // Two raised bars along the grip.
  for (int at : {4, 9}) {
    RECT bar = ToolbarPaneGeometry::GripAtLeft(side) ? RECT{at, 3, at + 3, win.bottom - 3}
                                                     : RECT{3, at, win.right - 3, at + 3};
    DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
  }
  ReleaseDC(hwnd, dc);
}

LRESULT CToolbarPaneWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_NCCALCSIZE: {
    auto* r = reinterpret_cast<RECT*>(lParam);
    captionSize = docked ? ToolbarPaneGeometry::kGrip : 0;
    *r = ToolbarPaneGeometry::ReserveGrip(*r, docked, side);
    return 0;
  }
  case WM_NCHITTEST: {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT win;
    GetWindowRect(hwnd, &win);
    if (ToolbarPaneGeometry::OnGrip(win, pt, docked, side))
      return HTCAPTION;
    return HTCLIENT;
  }
  case WM_NCLBUTTONDOWN: {
    // The grip has no buttons: a press there always drags.
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (docked) BeginToolbarDrag(pt);
    return 0;
  }
  case WM_SHOWWINDOW:
    // A toolbar frame holds nothing else: it shows and hides with its toolbar.
    if (miniFrame && !miniFrame->holdsFormPanes && miniFrame->hwnd && !lParam)
      ShowWindow(miniFrame->hwnd, wParam ? SW_SHOWNA : SW_HIDE);
    break;
  case WM_NCPAINT:
    if (docked)
      DrawGrip();
    return 0;
  case WM_PAINT: {
    ValidateRect(hwnd, nullptr);
    if (docked)
      DrawGrip();
    return 0;
  }
  case WM_TIMER:
    if (wParam == kRelayoutTimer) {
      OnTimer();
      return 0;
    }
    break;
  default:
    break;
  }
  return CPaneWnd::WindowProc(message, wParam, lParam);
}
