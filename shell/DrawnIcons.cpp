#include "shell/DrawnIcons.h"

#include <map>
#include <utility>

namespace DrawnIcons {
namespace {

COLORREF ColourOf(const std::string& key)
{
    static const COLORREF palette[] = {RGB(0x2E, 0x5E, 0xAA), RGB(0x1F, 0x8A, 0x4C), RGB(0xB3, 0x5C, 0x1E),
                                       RGB(0x7A, 0x3E, 0x9D), RGB(0x00, 0x7C, 0x89), RGB(0x9E, 0x2A, 0x2B)};
    unsigned h = 0;
    for (char c : key)
        h = h * 31 + static_cast<unsigned char>(c);
    return palette[h % (sizeof palette / sizeof palette[0])];
}

// Draws the picture into a colour DC and its mask (black where opaque).
void Paint(HDC colour, HDC mask, const std::string& key, int size)
{
    RECT all{0, 0, size, size};
    FillRect(mask, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(colour, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int m = size / 8;
    HGDIOBJ oldMaskBrush = SelectObject(mask, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldMaskPen = SelectObject(mask, GetStockObject(BLACK_PEN));
    if (key == "Empty" || key == "Full") {
        const bool full = key == "Full";
        const COLORREF c = full ? RGB(0xC0, 0x20, 0x20) : RGB(0x70, 0x70, 0x70);
        HBRUSH brush = CreateSolidBrush(full ? c : RGB(0xF0, 0xF0, 0xF0));
        HPEN pen = CreatePen(PS_SOLID, size >= 24 ? 2 : 1, c);
        HGDIOBJ ob = SelectObject(colour, brush), op = SelectObject(colour, pen);
        Rectangle(colour, m, size / 3, size - m, size - m);
        Rectangle(mask, m, size / 3, size - m, size - m);
        if (full) {
            Ellipse(colour, m + 1, m, size - m - 1, size / 3 + m);
            Ellipse(mask, m + 1, m, size - m - 1, size / 3 + m);
        }
        SelectObject(colour, ob);
        SelectObject(colour, op);
        DeleteObject(brush);
        DeleteObject(pen);
    } else {
        HBRUSH brush = CreateSolidBrush(ColourOf(key));
        HGDIOBJ ob = SelectObject(colour, brush);
        HGDIOBJ op = SelectObject(colour, GetStockObject(NULL_PEN));
        RoundRect(colour, 0, 0, size + 1, size + 1, size / 3, size / 3);
        RoundRect(mask, 0, 0, size, size, size / 3, size / 3);
        SelectObject(colour, ob);
        SelectObject(colour, op);
        DeleteObject(brush);
        HFONT font = CreateFontA(-(size * 3 / 4), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 ANTIALIASED_QUALITY, 0, "Arial");
        HGDIOBJ of = SelectObject(colour, font);
        SetBkMode(colour, TRANSPARENT);
        SetTextColor(colour, RGB(0xFF, 0xFF, 0xFF));
        char letter[2] = {key.empty() ? '?' : static_cast<char>(toupper(static_cast<unsigned char>(key[0]))), 0};
        DrawTextA(colour, letter, 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(colour, of);
        DeleteObject(font);
    }
    SelectObject(mask, oldMaskBrush);
    SelectObject(mask, oldMaskPen);
}

HICON Make(const std::string& key, int size)
{
    HDC screen = GetDC(nullptr);
    HDC cdc = CreateCompatibleDC(screen);
    HDC mdc = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    HGDIOBJ oc = SelectObject(cdc, colour), om = SelectObject(mdc, mask);
    Paint(cdc, mdc, key, size);
    SelectObject(cdc, oc);
    SelectObject(mdc, om);
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour;
    ii.hbmMask = mask;
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(colour);
    DeleteObject(mask);
    DeleteDC(cdc);
    DeleteDC(mdc);
    ReleaseDC(nullptr, screen);
    return icon;
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
