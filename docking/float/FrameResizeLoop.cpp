#include "docking/float/FrameResizeLoop.h"

#include "docking/drag/DragDrawing.h"
#include "docking/float/FloatGeometry.h"

FrameResizeLoop::FrameResizeLoop(HWND frame, int hit, Fit fit, const RECT& workArea)
    : frame_(frame), hit_(hit), fit_(std::move(fit)), workArea_(workArea) {}

bool FrameResizeLoop::ResizeTo(POINT screen) {
  if (!fit_ || !IsWindow(frame_)) return false;
  RECT w{}, c{};
  GetWindowRect(frame_, &w);
  GetClientRect(frame_, &c);
  bool vertical = false;
  const int extent = FloatGeometry::ResizeRequest(hit_, w, c, screen.x, screen.y, vertical);
  if (extent <= 0) return false;
  const SIZE fitted = fit_(extent, vertical);
  if (fitted.cx <= 0 || fitted.cx == last_) return false;
  const RECT r = FloatGeometry::ResizedWindow(hit_, w, c, fitted);
  // Judged per move: a later move may bring the frame back inside.
  if (!IsRectEmpty(&workArea_) && !FloatGeometry::ResizeAllowed(r, workArea_)) return false;
  last_ = fitted.cx;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  // One pixel taller first, so the content is laid out again even when the size comes back.
  SetWindowPos(frame_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + 1, flags);
  SetWindowPos(frame_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
  return true;
}

FrameResizeLoop::End FrameResizeLoop::Run() {
  if (!frame_ || GetCapture()) return End::NotStarted;
  last_ = 0;
  SetCapture(frame_);
  End end = End::LostCapture;
  MSG msg;
  while (GetCapture() == frame_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      DragDrawing::RepostQuit(msg);
      end = End::Quit;
      break;
    }
    if (got < 0) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      if (msg.hwnd) ClientToScreen(msg.hwnd, &pt);
      ResizeTo(pt);
      continue;
    }
    if (msg.message == WM_LBUTTONUP) {
      end = End::Released;
      break;
    }
    if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
      end = End::Cancelled;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (GetCapture() == frame_) ReleaseCapture();
  return end;
}
