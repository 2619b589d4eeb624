#pragma once
// Paint handling for windows that draw all of themselves: the background is never
// erased (no flicker), and draw(dc) runs between BeginPaint and EndPaint.
#include <windows.h>

namespace platform::forms {

template <class Draw>
bool PaintWhole(HWND hwnd, UINT msg, LRESULT& result, Draw&& draw)
{
    if (msg == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (msg != WM_PAINT)
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    draw(dc);
    EndPaint(hwnd, &ps);
    result = 0;
    return true;
}

}  // namespace platform::forms
