#pragma once
// Drawing objects of the shared controls are made and released through here, so that
// a test can see that every paint gives back what it took (GetGuiResources answers 0
// under Wine).
#include <windows.h>

#include "platform/ScopedWin.h"

namespace ql::gdi {

struct Tally {
    long created = 0;
    long deleted = 0;
};

// Process-wide counts; the controls run on the user-interface thread only.
Tally& Counts();

HPEN SolidPen(COLORREF colour);
HBRUSH SolidBrush(COLORREF colour);
HBRUSH HatchBrush(int style, COLORREF colour);
HBRUSH PatternBrush(HBITMAP bitmap);  // 0 when the bitmap is unusable
HBITMAP CompatibleBitmap(HDC dc, int width, int height);
HDC CompatibleDC(HDC dc);
void Delete(HGDIOBJ object);
void DeleteDc(HDC dc);

// Owners that give back through the tally.
template <class H>
using Object = platform::GdiObject<H, Delete>;
using DC = platform::BasicOwnedDC<DeleteDc>;

}  // namespace ql::gdi
