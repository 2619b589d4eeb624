#include "docking/toolband/CToolbarPaneWnd.h"

#include <algorithm>

#include "docking/float/CMiniFrame.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/LayoutBlock.h"
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
