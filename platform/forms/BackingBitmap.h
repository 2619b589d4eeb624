#pragma once

#include <windows.h>

namespace platform::forms {

// The off-screen copy of a window's drawing (AutoRedraw). It only ever grows,
// so shrinking a window and growing it back keeps what was drawn.
struct BackingBitmap {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    int w = 0, h = 0;

    // Makes room for w x h pixels; new area is filled with back.
    // Returns true when a new DC was made (callers select their font again).
    bool Ensure(int width, int height, COLORREF back);
    void Drop();
    // Copies the given area (a paint rectangle) onto a window DC.
    void PaintTo(HDC target, const RECT& area) const;
};

}  // namespace platform::forms
