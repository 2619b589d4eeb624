#include "docking/drag/DragDrawing.h"

namespace DragDrawing {

namespace {
HBRUSH g_halftone = nullptr;
}

HDC PumpPaintAndLock(HWND window, DWORD flags) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
    BOOL got = GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT);
    if (got == 0) {
      RepostQuit(msg);
      return nullptr;
    }
    if (got < 0) break;
    DispatchMessageA(&msg);
  }
  if (LockWindowUpdate(window)) return GetDCEx(window, nullptr, flags);
  return GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE);
}

HBRUSH HalftoneBrush() {
  if (g_halftone) return g_halftone;
  WORD bits[8];
  for (int i = 0; i < 8; ++i) bits[i] = (i % 2 == 0) ? 0x5555 : 0xAAAA;
  HBITMAP bmp = CreateBitmap(8, 8, 1, 1, bits);
  if (!bmp) return nullptr;
  g_halftone = CreatePatternBrush(bmp);
  DeleteObject(bmp);
  return g_halftone;
}

}  // namespace DragDrawing
