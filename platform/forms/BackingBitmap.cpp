#include "platform/forms/BackingBitmap.h"

#include <algorithm>

namespace platform::forms {

bool BackingBitmap::Ensure(int width, int height, COLORREF back)
{
    if (dc && width <= w && height <= h)
        return false;
    HDC screen = GetDC(nullptr);
    HDC ndc = CreateCompatibleDC(screen);
    int nw = std::max(width, w), nh = std::max(height, h);
    HBITMAP nbmp = CreateCompatibleBitmap(screen, nw, nh);
    ReleaseDC(nullptr, screen);
    HGDIOBJ nold = SelectObject(ndc, nbmp);
    RECT all{0, 0, nw, nh};
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(ndc, &all, brush);
    DeleteObject(brush);
    if (dc) {
        // Growing keeps what was drawn.
        BitBlt(ndc, 0, 0, w, h, dc, 0, 0, SRCCOPY);
        Drop();
    }
    dc = ndc;
    bmp = nbmp;
    old = nold;
    w = nw;
    h = nh;
    return true;
}

void BackingBitmap::Drop()
{
    if (dc) {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
        dc = nullptr;
        bmp = nullptr;
        old = nullptr;
        w = h = 0;
    }
}

void BackingBitmap::PaintTo(HDC target, const RECT& area) const
{
    if (dc)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top,
               SRCCOPY);
}

}  // namespace platform::forms
