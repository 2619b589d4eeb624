#pragma once
// What every drag tracker of the library draws with: pending paints flushed first, window
// updates locked, and an 8 x 8 halftone pattern inverted over the screen.
#include <windows.h>

namespace DragDrawing {

// Lets waiting WM_PAINT messages run, locks window updates of window and returns a DC of it
// (null when WM_QUIT arrived meanwhile; the quit is posted again).
HDC PumpPaintAndLock(HWND window, DWORD flags);

// The shared halftone brush (kept for the life of the module; null when it cannot be made).
HBRUSH HalftoneBrush();

// A modal loop that met WM_QUIT puts it back for the outer loop.
inline void RepostQuit(const MSG& msg) { PostQuitMessage(static_cast<int>(msg.wParam)); }

}  // namespace DragDrawing
