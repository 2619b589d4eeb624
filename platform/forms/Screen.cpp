#include "platform/forms/Screen.h"

#include <cmath>

namespace platform::forms {

static int DpiX()
{
    static int dpi = [] {
        HDC dc = GetDC(nullptr);
        int v = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
        if (dc)
            ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return dpi;
}

static int DpiY()
{
    static int dpi = [] {
        HDC dc = GetDC(nullptr);
        int v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc)
            ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return dpi;
}

static int g_pointer = vbDefault;

int Screen::TwipsPerPixelX() { return 1440 / DpiX(); }
int Screen::TwipsPerPixelY() { return 1440 / DpiY(); }
int Screen::Width() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
int Screen::Height() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }
int Screen::MousePointer() { return g_pointer; }

void Screen::MousePointer(int pointer)
{
    g_pointer = pointer;
    HCURSOR c = CursorFor(pointer);
    if (c)
        SetCursor(c);
    else {
        // Let the window under the cursor set its own again.
        POINT pt;
        GetCursorPos(&pt);
        SetCursorPos(pt.x, pt.y);
    }
}

int PixelsToTwipsX(int px) { return px * Screen::TwipsPerPixelX(); }
int PixelsToTwipsY(int px) { return px * Screen::TwipsPerPixelY(); }
int TwipsToPixelsX(int twips) { return static_cast<int>(std::lround(double(twips) / Screen::TwipsPerPixelX())); }
int TwipsToPixelsY(int twips) { return static_cast<int>(std::lround(double(twips) / Screen::TwipsPerPixelY())); }

HCURSOR CursorFor(int pointer)
{
    const char* id = nullptr;
    switch (pointer) {
    case vbArrow: id = IDC_ARROW; break;
    case 2: id = IDC_CROSS; break;
    case vbIbeam: id = IDC_IBEAM; break;
    case 5: id = IDC_SIZEALL; break;
    case 6: id = IDC_SIZENESW; break;
    case 7: id = IDC_SIZENS; break;
    case 8: id = IDC_SIZENWSE; break;
    case 9: id = IDC_SIZEWE; break;
    case 10: id = IDC_UPARROW; break;
    case vbHourglass: id = IDC_WAIT; break;
    case 12: id = IDC_NO; break;
    case 13: id = IDC_APPSTARTING; break;
    case 14: id = IDC_HELP; break;
    default: return nullptr;
    }
    return LoadCursorA(nullptr, id);
}

}  // namespace platform::forms
