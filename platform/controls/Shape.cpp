#include "platform/controls/Shape.h"

#include <algorithm>

#include "platform/ScopedWin.h"
#include "platform/controls/PaintWhole.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK DecorProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    // Clicks go through to what lies under the decoration.
    if (m == WM_NCHITTEST)
        return HTTRANSPARENT;
    return DefWindowProcA(h, m, w, l);
}

static HWND MakeDecor(HWND parent, int id, bool visible, RECT r)
{
    RegisterOwnClass("QlDecoration", DecorProc, 0, nullptr);
    HWND h = CreateWindowExA(WS_EX_TRANSPARENT, "QlDecoration", "", WS_CHILD | (visible ? WS_VISIBLE : 0), 0, 0, 1, 1,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                             nullptr);
    if (h)
        MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    return h;
}

Line::Line(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}

void Line::Points(int x1, int y1, int x2, int y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    int pad = PixelsToTwipsX(width_);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pad, std::abs(y2 - y1) + pad);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Line::BorderColor(OleColor c)
{
    color_ = c;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Line::BorderWidth(int px)
{
    width_ = std::max(1, px);
    Points(x1_, y1_, x2_, y2_);
}

HWND Line::CreateWindowFor(HWND parent, int id) { return MakeDecor(parent, id, visible_, PixelRect()); }

bool Line::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result)
{
    return PaintWhole(hwnd_, msg, result, [&](HDC dc) {
        int ox = std::min(x1_, x2_), oy = std::min(y1_, y2_);
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, width_, TranslateColor(color_)));
        Selection selectedPen(dc, pen.Get());
        MoveToEx(dc, TwipsToPixelsX(x1_ - ox), TwipsToPixelsY(y1_ - oy), nullptr);
        LineTo(dc, TwipsToPixelsX(x2_ - ox), TwipsToPixelsY(y2_ - oy));
    });
}

void Shape::ShapeKind(int v)
{
    shape_ = v;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Shape::BorderColor(OleColor c)
{
    border_ = c;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Shape::FillStyle(int v)
{
    fillStyle_ = v;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Shape::FillColor(OleColor c)
{
    fill_ = c;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND Shape::CreateWindowFor(HWND parent, int id) { return MakeDecor(parent, id, visible_, PixelRect()); }

bool Shape::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result)
{
    return PaintWhole(hwnd_, msg, result, [&](HDC dc) {
        RECT r;
        GetClientRect(hwnd_, &r);
        if (shape_ == vbShapeSquare || shape_ == vbShapeCircle || shape_ == vbShapeRoundedSquare) {
            int s = std::min(r.right, r.bottom);
            r.left = (r.right - s) / 2;
            r.top = (r.bottom - s) / 2;
            r.right = r.left + s;
            r.bottom = r.top + s;
        }
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, TranslateColor(border_)));
        GdiObject<HBRUSH> brush(fillStyle_ == 0 ? CreateSolidBrush(TranslateColor(fill_)) : nullptr);
        Selection selectedPen(dc, pen.Get());
        Selection selectedBrush(dc, brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
        if (shape_ == vbShapeOval || shape_ == vbShapeCircle)
            Ellipse(dc, r.left, r.top, r.right, r.bottom);
        else if (shape_ == vbShapeRoundedRectangle || shape_ == vbShapeRoundedSquare)
            RoundRect(dc, r.left, r.top, r.right, r.bottom, 12, 12);
        else
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
    });
}

}  // namespace platform::forms
