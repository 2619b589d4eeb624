#include "core/controls/GdiTally.h"

namespace ql::gdi {

Tally& Counts()
{
    static Tally tally;
    return tally;
}

template <class H>
static H Counted(H h)
{
    if (h)
        ++Counts().created;
    return h;
}

HPEN SolidPen(COLORREF colour) { return Counted(CreatePen(PS_SOLID, 1, colour)); }
HBRUSH SolidBrush(COLORREF colour) { return Counted(CreateSolidBrush(colour)); }
HBRUSH HatchBrush(int style, COLORREF colour) { return Counted(CreateHatchBrush(style, colour)); }
HBRUSH PatternBrush(HBITMAP bitmap) { return bitmap ? Counted(CreatePatternBrush(bitmap)) : nullptr; }
HBITMAP CompatibleBitmap(HDC dc, int width, int height) { return Counted(CreateCompatibleBitmap(dc, width, height)); }
HDC CompatibleDC(HDC dc) { return Counted(CreateCompatibleDC(dc)); }

void Delete(HGDIOBJ object)
{
    if (object && DeleteObject(object))
        ++Counts().deleted;
}

void DeleteDc(HDC dc)
{
    if (dc && DeleteDC(dc))
        ++Counts().deleted;
}

}  // namespace ql::gdi
