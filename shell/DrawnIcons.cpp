#include "shell/DrawnIcons.h"

#include <map>
#include <utility>

#include "platform/ScopedWin.h"

namespace DrawnIcons {
namespace {

using platform::GdiObject;
using platform::Selection;

COLORREF ColourOf(const std::string& key)
{
    static const COLORREF palette[] = {RGB(0x2E, 0x5E, 0xAA), RGB(0x1F, 0x8A, 0x4C), RGB(0xB3, 0x5C, 0x1E),
                                       RGB(0x7A, 0x3E, 0x9D), RGB(0x00, 0x7C, 0x89), RGB(0x9E, 0x2A, 0x2B)};
    unsigned h = 0;
    for (char c : key)
        h = h * 31 + static_cast<unsigned char>(c);
    return palette[h % (sizeof palette / sizeof palette[0])];
}

// A tray: outlined grey when empty, red with a heap on it when full.
void PaintTray(HDC colour, HDC mask, bool full, int size)
{
    const int m = size / 8;
    const COLORREF c = full ? RGB(0xC0, 0x20, 0x20) : RGB(0x70, 0x70, 0x70);
    GdiObject<HBRUSH> brush(CreateSolidBrush(full ? c : RGB(0xF0, 0xF0, 0xF0)));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, size >= 24 ? 2 : 1, c));
    Selection b(colour, brush.Get()), p(colour, pen.Get());
    Selection mb(mask, GetStockObject(BLACK_BRUSH)), mp(mask, GetStockObject(BLACK_PEN));
    Rectangle(colour, m, size / 3, size - m, size - m);
    Rectangle(mask, m, size / 3, size - m, size - m);
    if (full) {
        Ellipse(colour, m + 1, m, size - m - 1, size / 3 + m);
        Ellipse(mask, m + 1, m, size - m - 1, size / 3 + m);
    }
}

// A rounded square in the key's colour with the key's first letter.
void PaintLetter(HDC colour, HDC mask, const std::string& key, int size)
{
    RECT all{0, 0, size, size};
    {
        GdiObject<HBRUSH> brush(CreateSolidBrush(ColourOf(key)));
        Selection b(colour, brush.Get()), p(colour, GetStockObject(NULL_PEN));
        Selection mb(mask, GetStockObject(BLACK_BRUSH)), mp(mask, GetStockObject(BLACK_PEN));
        RoundRect(colour, 0, 0, size + 1, size + 1, size / 3, size / 3);
        RoundRect(mask, 0, 0, size, size, size / 3, size / 3);
    }
    GdiObject<HFONT> font(CreateFontA(-(size * 3 / 4), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                      ANTIALIASED_QUALITY, 0, "Arial"));
    Selection f(colour, font.Get());
    SetBkMode(colour, TRANSPARENT);
    SetTextColor(colour, RGB(0xFF, 0xFF, 0xFF));
    char letter[2] = {key.empty() ? '?' : static_cast<char>(toupper(static_cast<unsigned char>(key[0]))), 0};
    DrawTextA(colour, letter, 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

HICON Make(const std::string& key, int size)
{
    platform::WindowDC screen(nullptr);
    platform::OwnedDC cdc(CreateCompatibleDC(screen.Get())), mdc(CreateCompatibleDC(screen.Get()));
    GdiObject<HBITMAP> colour(CreateCompatibleBitmap(screen.Get(), size, size));
    GdiObject<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
    {
        Selection c(cdc.Get(), colour.Get()), m(mdc.Get(), mask.Get());
        RECT all{0, 0, size, size};
        // Mask white is transparent; the picture's pixels are drawn black into it.
        FillRect(mdc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(cdc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (key == "Empty" || key == "Full")
            PaintTray(cdc.Get(), mdc.Get(), key == "Full", size);
        else
            PaintLetter(cdc.Get(), mdc.Get(), key, size);
    }
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour.Get();
    ii.hbmMask = mask.Get();
    return CreateIconIndirect(&ii);
}

}  // namespace

HICON Get(const std::string& key, int size)
{
    static std::map<std::pair<std::string, int>, HICON> made;
    auto k = std::make_pair(key, size);
    auto it = made.find(k);
    if (it != made.end())
        return it->second;
    HICON icon = Make(key, size);
    made[k] = icon;
    return icon;
}

}  // namespace DrawnIcons
