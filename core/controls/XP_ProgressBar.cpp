#include "core/controls/XP_ProgressBar.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/controls/GdiTally.h"

namespace {

// Rounds to the nearest integer, halves to even (the default floating rounding mode).
long CLng(double v) { return std::lrint(v); }

int R(COLORREF c) { return GetRValue(c); }
int G(COLORREF c) { return GetGValue(c); }
int B(COLORREF c) { return GetBValue(c); }

void Frame(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH b = ql::gdi::SolidBrush(colour);
    FrameRect(dc, &r, b);
    ql::gdi::Delete(b);
}

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH b = ql::gdi::SolidBrush(colour);
    FillRect(dc, &r, b);
    ql::gdi::Delete(b);
}

const COLORREF kBlack = 0;
const COLORREF kWhite = 0xFFFFFF;

}  // namespace

// ---- colour and drawing operations ----

COLORREF XP_ProgressBar::Translate(int32_t oleColour)
{
    if (oleColour < 0)
        return GetSysColor(static_cast<int>(static_cast<uint32_t>(oleColour) & 0x7FFFFFFF));
    return static_cast<COLORREF>(oleColour) & 0xFFFFFF;
}

COLORREF XP_ProgressBar::Lighten(COLORREF c, int a)
{
    auto ch = [a](int v) {
        int r = a + (255 - a) * v / 255;
        return r > 255 ? 255 : r;
    };
    return RGB(ch(R(c)), ch(G(c)), ch(B(c)));
}

COLORREF XP_ProgressBar::Mix(COLORREF c1, COLORREF c2, int a)
{
    auto ch = [a](int v1, int v2) {
        return static_cast<int>(CLng((255.0 - a) * v2 / 255.0 + a * static_cast<double>(v1) / 255.0));
    };
    return RGB(ch(R(c1), R(c2)), ch(G(c1), G(c2)), ch(B(c1), B(c2)));
}

void XP_ProgressBar::DrawLine(int x1, int y1, int x2, int y2, HDC dc, COLORREF colour)
{
    ql::gdi::Object<HPEN> pen(ql::gdi::SolidPen(colour));
    platform::Selection selected(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void XP_ProgressBar::DrawGradient(COLORREF c1, COLORREF c2, int x1, int y1, int x2, int y2, HDC dc,
                                  bool verticalLines)
{
    // x2 (vertical lines) or y2 (horizontal lines) is the count of steps; with none
    // there is nothing to spread the colours over.
    int n = verticalLines ? x2 : y2;
    if (n <= 0)
        return;
    float sr = static_cast<float>(R(c2) - R(c1)) / n;
    float sg = static_cast<float>(G(c2) - G(c1)) / n;
    float sb = static_cast<float>(B(c2) - B(c1)) / n;
    for (int i = 0; i <= n; ++i) {
        COLORREF c = RGB(CLng(R(c1) + sr * i), CLng(G(c1) + sg * i), CLng(B(c1) + sb * i));
        if (verticalLines)
            DrawLine(x1 + i, y1, x1 + i, y2, dc, c);
        else
            DrawLine(x1, y1 + i, x2, y1 + i, dc, c);
    }
}

// ---- properties ----

XP_ProgressBar::XP_ProgressBar() : colour_(Translate(static_cast<int32_t>(0x8000000D))) {}

XP_ProgressBar::~XP_ProgressBar() { FreeSurface(); }

void XP_ProgressBar::Notify(const char* name)
{
    if (PropertyChanged)
        PropertyChanged(name);
}

void XP_ProgressBar::Redraw()
{
    if (hwnd_)
        DrawProgressBar();
}

double XP_ProgressBar::Value() const
{
    return static_cast<double>(CLng(percent_ / 100.0 * (static_cast<double>(max_) - min_) + min_));
}

void XP_ProgressBar::SetValue(double value)
{
    // An empty range (Max = Min, e.g. a total of 0) shows an empty bar.
    double range = static_cast<double>(max_) - min_;
    percent_ = range == 0 ? 0 : static_cast<int32_t>(CLng((value - min_) * 100.0 / range));
    Redraw();
}

void XP_ProgressBar::SetMax(int32_t v)
{
    max_ = v;
    Notify("Max");
}

void XP_ProgressBar::SetMin(int32_t v)
{
    min_ = v;
    Notify("Min");
}

void XP_ProgressBar::SetScrolling(int32_t style)
{
    style_ = style;
    Notify("Scrolling");
    Redraw();
}

void XP_ProgressBar::SetOrientation(int32_t v)
{
    orientation_ = v;
    Notify("Orientation");
    Redraw();
}

void XP_ProgressBar::SetShowText(bool on)
{
    showText_ = on;
    Notify("ShowText");
    Redraw();
}

void XP_ProgressBar::SetColor(int32_t oleColour)
{
    colour_ = Translate(oleColour);
    Notify("Color");
    Redraw();
}

void XP_ProgressBar::SetBrushStyle(int32_t hatch)
{
    brushStyle_ = hatch;
    Notify("BrushStyle");
}

void XP_ProgressBar::SetImage(HBITMAP bitmap)
{
    image_ = bitmap;
    Notify("Image");
    Redraw();
}

// ---- saved properties ----

void XP_ProgressBar::ReadProperties(IControlPropertyBag& bag)
{
    SetFont(static_cast<HFONT>(ql::props::Handle(bag, "Font", nullptr)));
    SetBrushStyle(ql::props::Long(bag, "BrushStyle", 4));
    SetColor(ql::props::Long(bag, "Color", static_cast<int32_t>(0x8000000D)));
    SetImage(static_cast<HBITMAP>(ql::props::Handle(bag, "Image", nullptr)));
    SetMax(ql::props::Long(bag, "Max", 100));
    SetMin(ql::props::Long(bag, "Min", 0));
    SetOrientation(ql::props::Long(bag, "Orientation", 0));
    SetScrolling(ql::props::Long(bag, "Scrolling", 0));
    SetShowText(ql::props::Flag(bag, "ShowText", false));
    SetValue(ql::props::Number(bag, "Value", 0));
}

void XP_ProgressBar::WriteProperties(IControlPropertyBag& bag) const
{
    bag.Write("Font", static_cast<void*>(font_), static_cast<void*>(nullptr));
    bag.Write("BrushStyle", brushStyle_, 4);
    bag.Write("Color", static_cast<int32_t>(colour_), static_cast<int32_t>(0x8000000D));
    bag.Write("Image", static_cast<void*>(image_), static_cast<void*>(nullptr));
    bag.Write("Max", max_, 100);
    bag.Write("Min", min_, 0);
    bag.Write("Orientation", orientation_, 0);
    bag.Write("Scrolling", style_, 0);
    bag.Write("ShowText", showText_, false);
    bag.Write("Value", Value(), 0.0);
}

// ---- off-screen surface ----

void XP_ProgressBar::FreeSurface()
{
    if (memDc_) {
        SelectObject(memDc_, oldBitmap_);
        ql::gdi::Delete(bitmap_);
        ql::gdi::DeleteDc(memDc_);
    }
    memDc_ = nullptr;
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    surfaceW_ = surfaceH_ = 0;
    surfaceInUse_ = false;
}

void XP_ProgressBar::SethDC(HDC ownDc)
{
    RECT rc{};
    if (hwnd_)
        GetClientRect(hwnd_, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    bool build = memDc_ ? (w > surfaceW_ || h > surfaceH_) : (w > 0 && h > 0);
    if (build) {
        FreeSurface();
        platform::OwnedDC screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
        if (screen) {
            ql::gdi::DC mem(ql::gdi::CompatibleDC(screen.Get()));
            ql::gdi::Object<HBITMAP> bmp(mem ? ql::gdi::CompatibleBitmap(screen.Get(), w, h) : nullptr);
            if (mem && bmp) {
                memDc_ = mem.Detach();
                bitmap_ = bmp.Detach();
                oldBitmap_ = SelectObject(memDc_, bitmap_);
                surfaceW_ = w;
                surfaceH_ = h;
                surfaceInUse_ = true;
            }
        }
    }
    drawDc_ = surfaceInUse_ ? memDc_ : ownDc;
}

void XP_ProgressBar::pDraw(HDC dc, int xSrc, int ySrc, int width, int height, int xDst, int yDst) const
{
    if (!memDc_)
        return;
    if (width < 1)
        width = surfaceW_;
    if (height < 1)
        height = surfaceH_;
    BitBlt(dc, xDst, yDst, width, height, memDc_, xSrc, ySrc, SRCCOPY);
}

// ---- drawing ----

void XP_ProgressBar::DrawProgressBar(HDC target)
{
    if (!hwnd_)
        return;
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    std::optional<platform::WindowDC> window;
    HDC own = target;
    if (!own) {
        window.emplace(hwnd_);
        own = window->Get();
    }
    if (own) {
        if (surfaceInUse_) {
            Render(memDc_, rc);
            BitBlt(own, 0, 0, rc.right, rc.bottom, memDc_, 0, 0, SRCCOPY);
        } else {
            Render(own, rc);
        }
    }
}

void XP_ProgressBar::Render(HDC dc, const RECT& client)
{
    if (percent_ > 100)
        percent_ = 100;
    RECT r = client;
    Fill(dc, r, style_ == 6 ? kBlack : kWhite);

    const double p = percent_;
    const COLORREF c = colour_;
    const int W = r.right - r.left, Bt = r.bottom, Rt = r.right;
    auto x = [&](double d, int w) { return static_cast<int>(CLng(p / d * w + r.left)); };

    switch (style_) {
    case 3: {
        Frame(dc, r, Lighten(c, 100));
        RECT f{1, 1, x(100, W), Bt - 1};
        Fill(dc, f, Lighten(c, 180));
        break;
    }
    case 4:
        DrawEdge(dc, &r, 6, BF_RECT);
        DrawGradient(Lighten(c, 140), Lighten(c, 200), 2, 2, x(100, W - 4), Bt - 3, dc, true);
        break;
    case 5: {
        Frame(dc, r, Lighten(c, 10));
        int X = x(101, W);
        DrawGradient(c, Lighten(c, 100), 2, 2, Rt - 2, Bt - 5, dc, false);
        DrawGradient(Lighten(c, 250), c, 3, 3, X, Bt - 6, dc, false);
        DrawLine(X, 2, X, Bt - 2, dc, Lighten(c, 25));
        break;
    }
    case 6:
        Frame(dc, r, Mix(c, kBlack, 200));
        DrawGradient(kBlack, Lighten(Mix(c, kBlack, 100), 10), 2, 2, x(100, W - 5), Bt - 2, dc, true);
        break;
    case 7: {
        DrawEdge(dc, &r, 9, BF_RECT);
        RECT f{2, 2, x(101, W), Bt - 2};
        ql::gdi::Object<HBRUSH> hatch(ql::gdi::HatchBrush(brushStyle_, c));
        COLORREF oldBk = SetBkColor(dc, Lighten(c, 140));
        if (hatch)
            FillRect(dc, &f, hatch.Get());
        SetBkColor(dc, oldBk);
        break;
    }
    case 8:
        DrawEdge(dc, &r, 2, BF_RECT);
        if (image_) {
            ql::gdi::Object<HBRUSH> pattern(ql::gdi::PatternBrush(image_));
            if (pattern) {
                platform::Selection selected(dc, pattern.Get());
                PatBlt(dc, 2, 2, x(101, W), Bt - 4, PATCOPY);
            }
        }
        break;
    case 9: {
        int X = x(100, W - 4);
        int h = static_cast<int>(CLng((Bt - 3) / 2.0));
        DrawGradient(kWhite, 0xC0C0C0, 2, 2, Rt - 3, h, dc, false);
        DrawGradient(0xC0C0C0, 0xC0C0C0, 2, h, Rt - 3, h, dc, false);
        DrawGradient(Lighten(c, 150), Mix(c, kBlack, 180), 2, 2, X, h, dc, false);
        DrawGradient(Mix(c, kBlack, 190), c, 2, h, X, h, dc, false);
        DrawBlockFrame(dc, r);
        break;
    }
    default:
        DrawBlockStyles(dc, r);
        break;
    }
    if (showText_)
        PaintText(dc, r);
}

void XP_ProgressBar::DrawBlockStyles(HDC dc, RECT r)
{
    const COLORREF c = colour_;
    const double p = percent_;
    const int Bt = r.bottom, Rt = r.right;
    const int blockW = style_ == 0 ? 6 : 0, gap = 2, step = blockW + gap;
    r.left += 3;
    RECT f = r;
    double fraction = p / 98.0;
    if (fraction < 0)
        fraction = 0;
    const bool horizontal = orientation_ == 0;
    if (horizontal) {
        int X = static_cast<int>(CLng((r.right - r.left) * fraction + r.left));
        f.right = X - ((X - f.left) % step);
        if (f.right < r.left)
            f.right = r.left;
    } else {
        int Y = static_cast<int>(CLng((r.bottom - r.top) * (1 - fraction) + r.top));
        f.top = Y - ((Y - f.bottom) % step);
        if (f.top > r.bottom)
            f.top = r.bottom;
    }
    const COLORREF L = Lighten(c, 150);
    if (horizontal) {
        if (f.right <= 14)
            f.right = 12;
        RECT t{4, 8, Rt < f.right + 4 ? f.right - 4 : f.right, Bt - 8};
        if (style_ != 2) {
            DrawGradient(L, c, 4, 3, t.right, 6, dc, false);
            Fill(dc, t, c);
            DrawGradient(c, L, 4, t.bottom - 2, t.right, 6, dc, false);
        } else {
            for (int k = 0; k < 3; ++k) {
                int left = static_cast<int>(CLng(12 * k + f.right - (100 - p) / 100 * 45));
                DrawGradient(Lighten(c, 220 - 40 * k), Lighten(c, 200 - 40 * k), left, 3, 9, Bt - 2, dc, true);
            }
        }
    } else {
        RECT t{9, f.top, Rt - 8, Bt};
        if (style_ != 2) {
            DrawGradient(L, c, 4, f.top, 4, Bt, dc, true);
            Fill(dc, t, c);
            DrawGradient(c, L, Rt - 8, f.top, 4, Bt, dc, true);
        } else {
            for (int k = 0; k < 3; ++k) {
                int top = 12 * k + f.top;
                DrawGradient(Lighten(c, 220 - 40 * k), Lighten(c, 200 - 40 * k), Rt - 2, top, 2, 9, dc, false);
            }
        }
    }
    if (style_ == 0) {
        if (horizontal) {
            for (int s = f.left + 6; s <= f.right; s += 8) {
                RECT sep{s + 1, 0, s + 3, Bt};
                Fill(dc, sep, kWhite);
            }
        } else {
            for (int s = f.bottom; s >= f.top + 6; s -= 8) {
                RECT sep{0, s - 2, Rt, s};
                Fill(dc, sep, kWhite);
            }
        }
    }
    r.left -= 3;
    DrawBlockFrame(dc, r);
}

void XP_ProgressBar::DrawBlockFrame(HDC dc, const RECT& r)
{
    const int Bt = r.bottom, Rt = r.right;
    DrawLine(2, 1, Rt - 2, 1, dc, 0xBEBEBE);
    DrawLine(2, Bt - 2, Rt - 2, Bt - 2, dc, 0xEFEFEF);
    DrawLine(1, 2, 1, Bt - 2, dc, 0xBEBEBE);
    DrawLine(2, 2, 2, Bt - 2, dc, 0xEFEFEF);
    DrawLine(2, 2, Rt - 2, 2, dc, 0xEFEFEF);
    DrawLine(Rt - 2, 2, Rt - 2, Bt - 2, dc, 0xEFEFEF);
    Frame(dc, r, 0x686868);
    struct Px {
        int x, y;
        COLORREF c;
    };
    const Px corners[] = {
        {0, 0, 0xFFFFFF}, {0, 1, 0xA6ABAC}, {0, 2, 0x7D7E7F}, {1, 0, 0xA7ABAC}, {1, 1, 0x777777},
        {2, 0, 0x7D7E7F}, {2, 2, 0xBEBEBE},
        {0, Bt - 1, 0xFFFFFF}, {1, Bt - 1, 0xA6ABAC}, {2, Bt - 1, 0x7D7E7F}, {0, Bt - 3, 0x7D7E7F},
        {0, Bt - 2, 0xA7ABAC}, {1, Bt - 2, 0x777777},
        {Rt - 1, 0, 0xFFFFFF}, {Rt - 1, 1, 0xBEBEBE}, {Rt - 1, 2, 0x7D7E7F}, {Rt - 2, 2, 0xBEBEBE},
        {Rt - 2, 1, 0x686868},
        {Rt - 1, Bt - 1, 0xFFFFFF}, {Rt - 1, Bt - 2, 0xBEBEBE}, {Rt - 1, Bt - 3, 0x7D7E7F},
        {Rt - 2, Bt - 2, 0x777777}, {Rt - 2, Bt - 1, 0xBEBEBE}, {Rt - 3, Bt - 1, 0x7D7E7F},
    };
    for (const Px& px : corners)
        SetPixelV(dc, px.x, px.y, px.c);
}

void XP_ProgressBar::PaintText(HDC dc, const RECT& r)
{
    const int Bt = r.bottom, Rt = r.right;
    std::string text = style_ == 2 ? "Searching.." : std::to_string(percent_) + " %";
    platform::Selection font(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, style_ == 6 ? 0xC0C0C0 : kBlack);
    RECT m{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
    int w = m.right - m.left, h = m.bottom - m.top;
    RECT t;
    t.left = static_cast<int>(CLng(Rt / 2.0 - w / 2.0));
    t.top = static_cast<int>(CLng(Bt / 2.0 - h / 2.0));
    t.right = t.left + w;
    t.bottom = t.top + h;
    const bool twoTone = style_ == 6 || style_ == 9;
    const double edge = percent_ / 100.0 * Rt;
    if (!twoTone || !(edge > t.right))
        DrawTextA(dc, text.c_str(), -1, &t, DT_SINGLELINE);
    if (twoTone && edge >= t.left) {
        RECT over = t;
        over.right = static_cast<int>(CLng(edge));
        SetTextColor(dc, style_ == 6 ? Lighten(colour_, 80) : kWhite);
        DrawTextA(dc, text.c_str(), -1, &over, DT_SINGLELINE);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

// ---- window class ----

namespace {

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* bar = reinterpret_cast<XP_ProgressBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE: {
        auto* created = new XP_ProgressBar();
        created->SethWnd(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_CREATE:
    case WM_SIZE:
        if (bar) {
            platform::WindowDC own(hwnd);
            bar->SethDC(own.Get());
            if (msg == WM_CREATE)
                bar->DrawProgressBar();
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (bar && dc)
            bar->DrawProgressBar(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete bar;
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

bool XP_ProgressBar::Register()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kClassName, &wc))
        return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND XP_ProgressBar::Create(HWND parent, int x, int y, int width, int height, int id)
{
    if (!Register())
        return nullptr;
    DWORD style = WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
    return CreateWindowExA(0, kClassName, "", style, x, y, width, height, parent,
                           parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

XP_ProgressBar* XP_ProgressBar::FromHwnd(HWND hwnd)
{
    char name[64] = {};
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) || lstrcmpiA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<XP_ProgressBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
