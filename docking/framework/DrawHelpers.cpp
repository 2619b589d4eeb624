#include "docking/framework/DrawHelpers.h"

void RectClientToScreen(HWND hwnd, RECT& rc)
{
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
}

void RectScreenToClient(HWND hwnd, RECT& rc)
{
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
}

HDC PumpPaintAndLock(HWND hwnd, DWORD dcFlags)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        const BOOL r = GetMessageA(&msg, nullptr, WM_PAINT, WM_PAINT);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return nullptr;
        }
        if (r < 0)
            break;
        DispatchMessageA(&msg);
    }
    if (LockWindowUpdate(hwnd))
        return GetDCEx(hwnd, nullptr, dcFlags);
    return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
}

HBRUSH GetHalftoneBrush()
{
    static HBRUSH brush = nullptr;
    if (!brush) {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = (i & 1) ? 0xAAAA : 0x5555;
        if (HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern)) {
            brush = CreatePatternBrush(bitmap);
            DeleteObject(bitmap);
        }
    }
    return brush;
}

void FillSolidRect(HDC dc, const RECT& rc, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
}

void FillRectOpaque(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    SetBkColor(dc, colour);
    RECT rc = {x, y, x + width, y + height};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    FillRectOpaque(dc, x, y, width - 1, 1, topLeft);
    FillRectOpaque(dc, x, y, 1, height - 1, topLeft);
    FillRectOpaque(dc, x + width - 1, y, 1, height, bottomRight);
    FillRectOpaque(dc, x, y + height - 1, width, 1, bottomRight);
}

void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, topLeft, bottomRight);
}

void DrawPinGlyph(HDC dc, const RECT& rc, bool active, int kind)
{
    if (kind != 1 && kind != 2)
        return;
    const int cx = rc.left + (rc.right - rc.left) / 2, cy = rc.top + (rc.bottom - rc.top) / 2;
    struct Stroke { int x1, y1, x2, y2; };
    const Stroke upright[] = {{cx, cy + 6, cx, cy + 2},         {cx - 3, cy + 2, cx + 4, cy + 2},
                              {cx + 2, cy + 2, cx + 2, cy - 5}, {cx + 1, cy + 2, cx + 1, cy - 5},
                              {cx + 2, cy - 5, cx - 3, cy - 5}, {cx - 2, cy - 5, cx - 2, cy + 2}};
    const Stroke lying[] = {{cx - 6, cy, cx - 2, cy},         {cx - 2, cy - 3, cx - 2, cy + 4},
                            {cx - 2, cy + 2, cx + 5, cy + 2}, {cx - 2, cy + 1, cx + 5, cy + 1},
                            {cx + 5, cy + 2, cx + 5, cy - 3}, {cx + 5, cy - 2, cx - 2, cy - 2}};
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(active ? COLOR_BTNHIGHLIGHT : COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    for (const Stroke& s : kind == 1 ? upright : lying) {
        MoveToEx(dc, s.x1, s.y1, nullptr);
        LineTo(dc, s.x2, s.y2);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawFloatCaption(HWND hwnd, HFONT font, bool active, bool framed, const char* title, int pinKind,
                      RECT* pinRectOut, RECT* closeRectOut, bool closeUp, bool pinUp)
{
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    int height = 16;
    if (framed) {
        InflateRect(&r, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
    } else {
        RECT strip = {r.left, r.top, r.right, r.top + 2};
        FillSolidRect(dc, strip, GetSysColor(COLOR_BTNFACE));
        r.top += 2;
        height = 14;
    }
    r.bottom = r.top + height;
    // Without DC_TEXT the window's own text is neither drawn nor needed; the title is drawn below.
    DrawCaption(hwnd, dc, &r, DC_GRADIENT | (active ? DC_ACTIVE : 0));
    if (title && *title) {
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        SetBkMode(dc, TRANSPARENT);
        RECT text = r;
        text.left += 2;
        text.right -= 36;
        if (framed)
            OffsetRect(&text, 0, 1);
        DrawTextA(dc, title, -1, &text, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (oldFont)
            SelectObject(dc, oldFont);
    }
    RECT close = {r.right - 14, r.top + (height - 12) / 2, r.right - 2, 0};
    close.bottom = close.top + 12;
    if (closeRectOut)
        *closeRectOut = close;
    DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closeUp ? 0 : DFCS_PUSHED));
    if (pinKind != 0 && pinRectOut) {
        RECT pin = {close.left - 18, close.top, close.left - 6, close.bottom};
        *pinRectOut = pin;
        if (!pinUp) {
            RECT frame = {pin.left - 2, pin.top - 1, pin.right + 2, pin.bottom + 1};
            Draw3dRect(dc, frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        DrawPinGlyph(dc, pin, active, pinKind);
    }
    ReleaseDC(hwnd, dc);
}

void DrawTransparentBitmap(HDC dc, bool stretch, int x, int y, int width, int height, HBITMAP bitmap,
                           COLORREF transparent)
{
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm))
        return;
    HDC work = CreateCompatibleDC(dc);
    HGDIOBJ oldWork = SelectObject(work, bitmap);
    SetMapMode(work, GetMapMode(dc));
    POINT size = {bm.bmWidth, bm.bmHeight};
    DPtoLP(work, &size, 1);
    HDC saveDc = CreateCompatibleDC(dc), maskDc = CreateCompatibleDC(dc), invDc = CreateCompatibleDC(dc),
        bufDc = CreateCompatibleDC(dc);
    HBITMAP saved = CreateCompatibleBitmap(dc, size.x, size.y);
    HBITMAP mask = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    HBITMAP inverse = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    HBITMAP buffer = CreateCompatibleBitmap(dc, size.x, size.y);
    HGDIOBJ o1 = SelectObject(saveDc, saved), o2 = SelectObject(maskDc, mask), o3 = SelectObject(invDc, inverse),
            o4 = SelectObject(bufDc, buffer);
    BitBlt(saveDc, 0, 0, size.x, size.y, work, 0, 0, SRCCOPY);
    const COLORREF oldBk = SetBkColor(work, transparent);
    BitBlt(maskDc, 0, 0, size.x, size.y, work, 0, 0, SRCCOPY);
    SetBkColor(work, oldBk);
    BitBlt(invDc, 0, 0, size.x, size.y, maskDc, 0, 0, NOTSRCCOPY);
    BitBlt(bufDc, 0, 0, size.x, size.y, dc, x, y, SRCCOPY);
    BitBlt(bufDc, 0, 0, size.x, size.y, maskDc, 0, 0, SRCAND);
    BitBlt(work, 0, 0, size.x, size.y, invDc, 0, 0, SRCAND);
    BitBlt(bufDc, 0, 0, size.x, size.y, work, 0, 0, SRCPAINT);
    if (stretch) {
        const int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, x, y, width, height, bufDc, 0, 0, size.x, size.y, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } else {
        BitBlt(dc, x, y, size.x, size.y, bufDc, 0, 0, SRCCOPY);
    }
    BitBlt(work, 0, 0, size.x, size.y, saveDc, 0, 0, SRCCOPY);
    SelectObject(saveDc, o1);
    SelectObject(maskDc, o2);
    SelectObject(invDc, o3);
    SelectObject(bufDc, o4);
    SelectObject(work, oldWork);
    DeleteObject(saved);
    DeleteObject(mask);
    DeleteObject(inverse);
    DeleteObject(buffer);
    DeleteDC(saveDc);
    DeleteDC(maskDc);
    DeleteDC(invDc);
    DeleteDC(bufDc);
    DeleteDC(work);
}
