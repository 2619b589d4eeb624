// Where a toolbar pane goes: a new row at a side, an existing row near a point, the place its
// row remembers for it, or a toolbar frame of its own; and back.
#include "docking/toolband/CToolbarPaneWnd.h"

#include <algorithm>
#include <memory>

#include "docking/float/CMiniFrame.h"
#include "docking/float/FloatGeometry.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/pane/PaneOwner.h"
#include "docking/toolband/CToolBand.h"

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
  // Bit 0 as saved: shown and floating, or hidden out of any container; bit 1 shown.
  block->m_nRestore = ((floating && visible) || !visible ? 1 : 0) | (visible ? 2 : 0);
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

void CToolbarPaneWnd::LeaveRow(RowExit exit)
{
  const bool remember = exit != RowExit::Forget;
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
    RememberInRow(block, prevRowPoint, exit == RowExit::Float, exit == RowExit::Float);
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

void CToolbarPaneWnd::HideFromContainer()
{
  if (!hwnd)
    return;
  if (miniFrame) {
    ShowWindow(hwnd, SW_HIDE);  // the frame follows
    return;
  }
  LeaveRow(RowExit::Hide);
  docked = false;
  ShowWindow(hwnd, SW_HIDE);
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
  LeaveRow(RowExit::Float);
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
  HideFromContainer();
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
