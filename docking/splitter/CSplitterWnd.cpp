#include "docking/splitter/CSplitterWnd.h"

#include "docking/drag/DragDrawing.h"

CSplitterWnd::CSplitterWnd(int orient, HWND frame, Owner owner) : owner_(std::move(owner)) {
  orientation = orient;
  frameWindow = frame;
}

int CSplitterWnd::CreateBar(const RECT& rect) {
  if (!Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, frameWindow)) return 0;
  SetWindowLongA(window, GWL_ID, 0xFF1);
  return 1;
}

RECT CSplitterWnd::BarRect() const {
  RECT r{};
  if (!window) return r;
  GetWindowRect(window, &r);
  if (frameWindow) MapWindowPoints(nullptr, frameWindow, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void CSplitterWnd::Offset(int delta, HDWP* batch) {
  if (!window) return;
  RECT r = BarRect();
  if (SplitterGeometry::IsHorizontal(orientation))
    OffsetRect(&r, 0, delta);
  else
    OffsetRect(&r, delta, 0);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (batch && *batch) {
    HDWP next = DeferWindowPos(*batch, window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    *batch = next;
    if (next) return;
  }
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

void CSplitterWnd::SetSizeCursor() const {
  SetCursor(LoadCursor(nullptr, SplitterGeometry::IsHorizontal(orientation) ? IDC_SIZENS : IDC_SIZEWE));
}

LRESULT CSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      if (owner_.activatedByMouse) owner_.activatedByMouse();
      break;
    case WM_MOUSEMOVE:
      SetSizeCursor();
      return StartDrag();
    case WM_LBUTTONDOWN: return OnButtonDown(wParam, lParam);
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      tracking = 0;
      break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CSplitterWnd::OnButtonDown(WPARAM wParam, LPARAM lParam) {
  LRESULT r = DefWindowProcA(window, WM_LBUTTONDOWN, wParam, lParam);
  tracking = 1;
  SetCapture(window);
  return r;
}

LRESULT CSplitterWnd::StartDrag() {
  if (tracking != 1) return 0;
  const bool screen = owner_.screenDrawing && owner_.screenDrawing();
  dcWindow = screen ? nullptr : frameWindow;
  if (GetCapture() == window) ReleaseCapture();
  tracking = 1;
  tracker = BarRect();
  lastDrawn = RECT{};
  limits = owner_.limits ? owner_.limits() : SplitterGeometry::Limits{};
  if (limits.Usable()) {
    drawingDC = PumpPaintAndLock(dcWindow, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (drawingDC) RunDragLoop();
  }
  tracking = 0;
  return 0;
}

void CSplitterWnd::TrackTo(int x, int y) {
  SetSizeCursor();
  CSliderWnd::TrackTo(x, y);
}

void CSplitterWnd::EndDrag() {
  tracking = 0;
  StopTracking();
  Commit();
}

void CSplitterWnd::Commit() {
  const int delta = SplitterGeometry::CommitDelta(BarRect(), tracker, orientation);
  Offset(delta, nullptr);
  if (owner_.commit) owner_.commit(delta);
}
