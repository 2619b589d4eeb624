#include "platform/controls/PictureBox.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "platform/ScopedWin.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK PictureProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

PictureBox::PictureBox(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}

PictureBox::~PictureBox() { DropBacking(); }

HWND PictureBox::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass(PictureBoxClassName(), PictureProc, CS_DBLCLKS | CS_OWNDC, nullptr);
    return MakeWindow(PictureBoxClassName(), "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                      border_ ? WS_EX_CLIENTEDGE : 0, parent, id);
}

void PictureBox::AfterCreate()
{
    ownDC_ = GetDC(hwnd_);
    SelectDrawFont(ownDC_);
    if (autoRedraw_) {
        EnsureBacking();
        Cls();
    }
}

void PictureBox::BeforeDestroy()
{
    DropBacking();
    ownDC_ = nullptr;
}

void PictureBox::SelectDrawFont(HDC dc)
{
    if (dc) {
        SelectObject(dc, Font().Handle());
        SetTextColor(dc, TranslateColor(ForeColor()));
        SetBkMode(dc, TRANSPARENT);
    }
}

HDC PictureBox::hDC()
{
    EnsureLoaded();
    if (!hwnd_)
        return nullptr;
    if (autoRedraw_) {
        EnsureBacking();
        SelectDrawFont(backing_.dc);
        return backing_.dc;
    }
    SelectDrawFont(ownDC_);
    return ownDC_;
}

void PictureBox::AutoRedraw(bool v)
{
    if (v == autoRedraw_)
        return;
    autoRedraw_ = v;
    if (!hwnd_)
        return;
    if (v) {
        EnsureBacking();
        Cls();
    } else {
        DropBacking();
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void PictureBox::ClientPixels(int& w, int& h) const
{
    RECT r{0, 0, 0, 0};
    if (hwnd_)
        GetClientRect(hwnd_, &r);
    else {
        RECT pr = PixelRect();
        r.right = pr.right - pr.left;
        r.bottom = pr.bottom - pr.top;
    }
    w = std::max(1, static_cast<int>(r.right));
    h = std::max(1, static_cast<int>(r.bottom));
}

void PictureBox::EnsureBacking()
{
    int w, h;
    ClientPixels(w, h);
    if (backing_.Ensure(w, h, TranslateColor(BackColor())))
        SelectDrawFont(backing_.dc);
}

void PictureBox::DropBacking() { backing_.Drop(); }

void PictureBox::Picture(HANDLE picture, bool isIcon)
{
    picture_ = picture;
    pictureIsIcon_ = isIcon;
    if (hwnd_) {
        if (autoRedraw_)
            Cls();
        else
            InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void PictureBox::DrawPicture(HDC dc)
{
    if (!picture_)
        return;
    if (pictureIsIcon_) {
        DrawIconEx(dc, 0, 0, static_cast<HICON>(picture_), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    BITMAP bm{};
    if (!GetObjectA(picture_, sizeof bm, &bm))
        return;
    OwnedDC src(CreateCompatibleDC(dc));
    Selection picture(src.Get(), picture_);
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY);
}

void PictureBox::Dirty()
{
    if (hwnd_ && autoRedraw_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void PictureBox::Cls()
{
    curX_ = scaleLeft_;
    curY_ = scaleTop_;
    HDC dc = hDC();
    if (!dc)
        return;
    int w, h;
    ClientPixels(w, h);
    if (autoRedraw_) {
        w = backing_.w;
        h = backing_.h;
    }
    RECT r{0, 0, w, h};
    FillRect(dc, &r, GdiObject<HBRUSH>(CreateSolidBrush(TranslateColor(BackColor()))).Get());
    DrawPicture(dc);
    Dirty();
}

void PictureBox::UserScale()
{
    if (scaleMode_ == vbUser)
        return;
    double w = ScaleWidth(), h = ScaleHeight();
    scaleMode_ = vbUser;
    scaleW_ = w;
    scaleH_ = h;
}

double PictureBox::UnitTwips(bool vertical) const
{
    switch (scaleMode_) {
    case vbTwips: return 1;
    case vbPoints: return 20;
    case vbPixels: return vertical ? Screen::TwipsPerPixelY() : Screen::TwipsPerPixelX();
    case vbCharacters: return vertical ? 240 : 120;
    case vbInches: return 1440;
    case vbMillimeters: return 1440 / 25.4;
    case vbCentimeters: return 1440 / 2.54;
    default: return 1;
    }
}

void PictureBox::ScaleMode(int mode)
{
    if (mode < vbUser || mode > vbCentimeters)
        return;
    if (mode == vbUser) {
        UserScale();
        return;
    }
    scaleMode_ = mode;
    scaleLeft_ = scaleTop_ = 0;
}

double PictureBox::ScaleWidth() const
{
    if (scaleMode_ == vbUser)
        return scaleW_;
    int w, h;
    ClientPixels(w, h);
    return w * Screen::TwipsPerPixelX() / UnitTwips(false);
}

double PictureBox::ScaleHeight() const
{
    if (scaleMode_ == vbUser)
        return scaleH_;
    int w, h;
    ClientPixels(w, h);
    return h * Screen::TwipsPerPixelY() / UnitTwips(true);
}

void PictureBox::ScaleWidth(double v)
{
    UserScale();
    if (v != 0)
        scaleW_ = v;
}

void PictureBox::ScaleHeight(double v)
{
    UserScale();
    if (v != 0)
        scaleH_ = v;
}

void PictureBox::Scale(double x1, double y1, double x2, double y2)
{
    UserScale();
    scaleLeft_ = x1;
    scaleTop_ = y1;
    if (x2 != x1)
        scaleW_ = x2 - x1;
    if (y2 != y1)
        scaleH_ = y2 - y1;
}

int PictureBox::XToPixels(double x) const
{
    int w, h;
    ClientPixels(w, h);
    double sw = ScaleWidth();
    if (sw == 0)
        return 0;
    return static_cast<int>(std::floor((x - scaleLeft_) * w / sw + 0.5));
}

int PictureBox::YToPixels(double y) const
{
    int w, h;
    ClientPixels(w, h);
    double sh = ScaleHeight();
    if (sh == 0)
        return 0;
    return static_cast<int>(std::floor((y - scaleTop_) * h / sh + 0.5));
}

double PictureBox::PixelsToX(int px) const
{
    int w, h;
    ClientPixels(w, h);
    return scaleLeft_ + px * ScaleWidth() / w;
}

double PictureBox::PixelsToY(int py) const
{
    int w, h;
    ClientPixels(w, h);
    return scaleTop_ + py * ScaleHeight() / h;
}

void PictureBox::MouseToUnits(int px, int py, int& x, int& y) const
{
    x = static_cast<int>(std::lround(PixelsToX(px)));
    y = static_cast<int>(std::lround(PixelsToY(py)));
}

void PictureBox::Print(const std::string& text, bool newline)
{
    HDC dc = hDC();
    if (!dc)
        return;
    int x = XToPixels(curX_), y = YToPixels(curY_);
    SIZE sz{0, 0};
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    GetTextExtentPoint32A(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()), &sz);
    if (newline) {
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        curX_ = scaleLeft_;
        curY_ = PixelsToY(y + tm.tmHeight);
    } else {
        curX_ = PixelsToX(x + (text.empty() ? 0 : sz.cx));
    }
    Dirty();
}

double PictureBox::TextWidth(const std::string& text)
{
    HDC dc = hDC();
    if (!dc || text.empty())
        return 0;
    SIZE sz{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    int w, h;
    ClientPixels(w, h);
    return sz.cx * ScaleWidth() / w;
}

double PictureBox::TextHeight(const std::string& text)
{
    HDC dc = hDC();
    if (!dc)
        return 0;
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    int lines = 1;
    for (char c : text)
        if (c == '\n')
            ++lines;
    int w, h;
    ClientPixels(w, h);
    return tm.tmHeight * lines * ScaleHeight() / h;
}

void PictureBox::PSet(double x, double y, OleColor color)
{
    HDC dc = hDC();
    if (!dc)
        return;
    int px = XToPixels(x), py = YToPixels(y);
    if (drawWidth_ <= 1) {
        SetPixelV(dc, px, py, TranslateColor(color));
    } else {
        RECT r{px - drawWidth_ / 2, py - drawWidth_ / 2, px - drawWidth_ / 2 + drawWidth_, py - drawWidth_ / 2 + drawWidth_};
        FillRect(dc, &r, GdiObject<HBRUSH>(CreateSolidBrush(TranslateColor(color))).Get());
    }
    curX_ = x;
    curY_ = y;
    Dirty();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, OleColor color, bool box, bool filled)
{
    HDC dc = hDC();
    if (!dc)
        return;
    int ax = XToPixels(x1), ay = YToPixels(y1), bx = XToPixels(x2), by = YToPixels(y2);
    COLORREF c = TranslateColor(color);
    if (box && filled) {
        RECT r{std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1};
        FillRect(dc, &r, GdiObject<HBRUSH>(CreateSolidBrush(c)).Get());
    } else {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, drawWidth_, c));
        Selection selectedPen(dc, pen.Get());
        if (box) {
            Selection hollow(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1);
        } else {
            MoveToEx(dc, ax, ay, nullptr);
            ::LineTo(dc, bx, by);
            // The end point belongs to the line, as the old runtime drew it.
            SetPixelV(dc, bx, by, c);
        }
    }
    curX_ = x2;
    curY_ = y2;
    Dirty();
}

void PictureBox::LineTo(double x2, double y2, OleColor color) { Line(curX_, curY_, x2, y2, color); }

bool PictureBox::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        if (autoRedraw_) {
            result = 1;
            return true;
        } else {
            RECT r;
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, BackBrush());
            DrawPicture(reinterpret_cast<HDC>(wp));
            result = 1;
            return true;
        }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        if (autoRedraw_)
            backing_.PaintTo(dc, ps.rcPaint);
        EndPaint(hwnd_, &ps);
        if (!autoRedraw_)
            Paint.Raise(Source("Paint"));
        result = 0;
        return true;
    }
    case WM_SIZE:
        if (autoRedraw_)
            EnsureBacking();
        Resize.Raise(Source("Resize"));
        return false;
    case WM_LBUTTONUP:
        // Click follows MouseUp (raised by the base after this).
        return false;
    default:
        break;
    }
    (void)lp;
    return false;
}

}  // namespace platform::forms
