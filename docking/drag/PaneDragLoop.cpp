#include "docking/drag/PaneDragLoop.h"

#include "docking/drag/DragDrawing.h"

PaneDragLoop::PaneDragLoop(HWND window, Mode mode, Client client)
    : window_(window), mode_(mode), client_(std::move(client)) {}

void PaneDragLoop::Move(POINT pt) {
  if (mode_ == Mode::ButtonPress) {
    const bool over = PtInRect(&pressed_, pt) != 0;
    if (over != over_) {
      over_ = over;
      if (client_.buttonState) client_.buttonState(over);
    }
    return;
  }
  current_ = client_.search ? client_.search(pt) : Target{};
  if (current_.suppress) {
    // Over the dragged tab's own strip: the strip draws itself; give the desktop back.
    ghost_.Release();
    return;
  }
  if (useDesktop && !ghost_.HasDC() && !ghost_.Acquire()) return;
  ghost_.Draw(current_.ghost, current_.zone, current_.asTab);
}

void PaneDragLoop::EndDrag() {
  ghost_.Erase();
  if (GetCapture() == window_) ReleaseCapture();
  if (mode_ == Mode::Drag) ghost_.Release();
}

PaneDragLoop::End PaneDragLoop::Run(const RECT& pressedRect) {
  if (GetCapture() || !window_) return End::NotStarted;
  pressed_ = pressedRect;
  over_ = true;
  if (mode_ == Mode::Drag && useDesktop && !ghost_.Acquire()) return End::Quit;
  SetCapture(window_);
  End end = End::LostCapture;
  MSG msg;
  while (GetCapture() == window_) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      DragDrawing::RepostQuit(msg);
      end = End::Quit;
      break;
    }
    if (got < 0) break;
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      if (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT) {
        ghost_.Redraw();
        continue;
      }
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && mode_ == Mode::Drag) {
        end = End::Cancelled;
        break;
      }
    } else if (msg.message == WM_MOUSEMOVE) {
      POINT pt = msg.pt;
      if (msg.hwnd) {
        pt = POINT{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        ClientToScreen(msg.hwnd, &pt);
      }
      Move(pt);
      continue;
    } else if (msg.message == WM_LBUTTONUP) {
      POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      if (msg.hwnd) ClientToScreen(msg.hwnd, &pt);
      EndDrag();
      if (mode_ == Mode::ButtonPress) {
        if (client_.buttonReleased) client_.buttonReleased(PtInRect(&pressed_, pt) != 0);
      } else if (!current_.suppress && client_.drop) {
        client_.drop(current_, pt);
      }
      return End::Dropped;
    } else if (msg.message == WM_RBUTTONDOWN) {
      end = End::Cancelled;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EndDrag();
  return end;
}
