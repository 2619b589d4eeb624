#include "docking/float/FloatGeometry.h"

#include <algorithm>

namespace FloatGeometry {

void ClampWindowPos(WINDOWPOS& pos, const RECT& currentWindow, const RECT& workArea) {
  if (pos.flags & SWP_NOMOVE) return;
  const int cx = (pos.flags & SWP_NOSIZE) ? currentWindow.right - currentWindow.left : pos.cx;
  if (pos.y > workArea.bottom - 15) pos.y = workArea.bottom - 15;
  if (pos.x + cx < workArea.left + 15) pos.x = workArea.left - cx + 15;
  if (pos.x > workArea.right - 15) pos.x = workArea.right - 15;
}

void KeepInBounds(int& left, int& top, int width, const RECT& workArea) {
  if (top < workArea.top) top = workArea.top;
  if (left > workArea.right - 15) left = workArea.right - 15;
  if (top > workArea.bottom - 15) top = workArea.bottom - 15;
  if (left + width - 15 < workArea.left) left = workArea.left - width + 15;
}

POINT MinTrackSize(bool holdsFormPanes, int nonClientHeight) {
  if (holdsFormPanes) return POINT{38, 24};
  return POINT{24, std::max(0, nonClientHeight)};
}

RECT NonClientInset(DWORD style, const RECT& window, int cxFrame, int cyFrame, int cxBorder,
                    int cyBorder) {
  RECT r = window;
  const bool sizing = (style & 0x40600) != 0;
  const int dx = sizing ? cxFrame : cxBorder;
  const int dy = sizing ? cyFrame : cyBorder;
  r.left += dx;
  r.right -= dx;
  r.top += dy;
  r.bottom -= dy;
  if ((style & WS_CAPTION) == WS_CAPTION) r.top += 16;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

int ResizeRequest(int hit, const RECT& window, const RECT& client, int x, int y, bool& vertical) {
  const int bw = (window.right - window.left) - (client.right - client.left);
  const int bh = (window.bottom - window.top) - (client.bottom - client.top);
  vertical = false;
  switch (hit) {
    case HTLEFT: case HTTOPLEFT: case HTBOTTOMLEFT: return window.right - bw / 2 - x;
    case HTRIGHT: case HTTOPRIGHT: case HTBOTTOMRIGHT: return x - bw / 2 - window.left;
    case HTTOP: vertical = true; return window.bottom - y - bh;
    case HTBOTTOM: vertical = true; return y - window.top - bh;
    default: return 0;
  }
}

RECT ResizedWindow(int hit, const RECT& window, const RECT& client, SIZE fitted) {
  const int bw = (window.right - window.left) - (client.right - client.left);
  const int bh = (window.bottom - window.top) - (client.bottom - client.top);
  const int w = std::max(0L, fitted.cx) + bw;
  const int h = std::max(0L, fitted.cy) + bh + 4;
  RECT r{window.left, window.top, window.left + w, window.top + h};
  if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) {
    r.right = window.right;
    r.left = window.right - w;
  } else if (hit == HTTOP) {
    r.bottom = window.bottom;
    r.top = window.bottom - h;
  }
  return r;
}

bool ResizeAllowed(const RECT& proposed, const RECT& workArea) {
  if (proposed.right <= workArea.left + 15) return false;
  if (proposed.top + 15 >= workArea.bottom) return false;
  if (proposed.left + 15 >= workArea.right) return false;
  return true;
}

}  // namespace FloatGeometry
