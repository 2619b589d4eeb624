#include "platform/controls/Frame.h"

#include <algorithm>

#include "platform/QlError.h"
#include "platform/ScopedWin.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND Frame::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass(FrameClassName(), FrameProc, CS_DBLCLKS, nullptr);
    return MakeWindow(FrameClassName(), caption_, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, id);
}

void Frame::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_) {
        SetWindowTextA(hwnd_, v.c_str());
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

bool Frame::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, BackBrush());
        result = 1;
        return true;
    }
    case WM_PAINT: {
        PaintDC paint(hwnd_);
        HDC dc = paint.Get();
        RECT r;
        GetClientRect(hwnd_, &r);
        Selection font(dc, Font().Handle());
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        if (border_) {
            RECT edge = r;
            edge.top += tm.tmHeight / 2;
            DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        }
        if (!caption_.empty()) {
            SetBkColor(dc, TranslateColor(BackColor()));
            SetTextColor(dc, TranslateColor(IsWindowEnabled(hwnd_) ? ForeColor() : SysColor(COLOR_GRAYTEXT)));
            RECT t{8, 0, r.right - 8, tm.tmHeight};
            SetBkMode(dc, OPAQUE);
            DrawTextA(dc, (" " + caption_ + " ").c_str(), -1, &t, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
    (void)lp;
}

ScrollBar::ScrollBar(Form& form, std::string name, bool vertical, int index)
    : Control(form, std::move(name), index), vertical_(vertical)
{
}

HWND ScrollBar::CreateWindowFor(HWND parent, int id)
{
    HWND h = MakeWindow("SCROLLBAR", "", WS_TABSTOP | (vertical_ ? SBS_VERT : SBS_HORZ), 0, parent, id);
    hwnd_ = h;
    Sync();
    return h;
}

void ScrollBar::Sync()
{
    if (!hwnd_)
        return;
    SCROLLINFO si{};
        si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    // The page is shown by the thumb; the range grows by it so that the end is reachable.
    si.nPage = static_cast<UINT>(std::max(1, std::min(large_, Span() + 1)));
    si.nMax = Span() + static_cast<int>(si.nPage) - 1;
    si.nPos = (value_ - min_) * Dir();
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

void ScrollBar::Min(int v)
{
    min_ = v;
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    value_ = std::clamp(value_, lo, hi);
    Sync();
}

void ScrollBar::Max(int v)
{
    max_ = v;
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    value_ = std::clamp(value_, lo, hi);
    Sync();
}

void ScrollBar::LargeChange(int v)
{
    large_ = v < 1 ? 1 : v;
    Sync();
}

void ScrollBar::Value(int v)
{
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    if (v < lo || v > hi)
        throw QlError(380, Name(), "Invalid property value");
    EnsureLoaded();
    if (v == value_)
        return;
    value_ = v;
    Sync();
    Change.Raise(Source("Change"));
}

void ScrollBar::SetFromPosition(int pos, bool tracking)
{
    pos = std::clamp(pos, 0, Span());
    int v = min_ + pos * Dir();
    if (tracking) {
        if (v != value_) {
            value_ = v;
            Sync();
            Scroll.Raise(Source("Scroll"));
        }
        return;
    }
    if (v != value_) {
        value_ = v;
        Sync();
        Change.Raise(Source("Change"));
    }
}

bool ScrollBar::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_HSCROLL && msg != WM_VSCROLL)
        return false;
    int pos = (value_ - min_) * Dir();
    switch (LOWORD(wp)) {
    case SB_LINEUP: SetFromPosition(pos - small_, false); break;
    case SB_LINEDOWN: SetFromPosition(pos + small_, false); break;
    case SB_PAGEUP: SetFromPosition(pos - large_, false); break;
    case SB_PAGEDOWN: SetFromPosition(pos + large_, false); break;
    case SB_TOP: SetFromPosition(0, false); break;
    case SB_BOTTOM: SetFromPosition(Span(), false); break;
    case SB_THUMBTRACK: {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_CTL, &si);
        SetFromPosition(si.nTrackPos, true);
        break;
    }
    case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_CTL, &si);
        int before = value_;
        SetFromPosition(si.nTrackPos, false);
        // Dragged by Scroll already: the release still counts as a change.
        if (value_ == before)
            Change.Raise(Source("Change"));
        break;
    }
    default:
        break;
    }
    result = 0;
    return true;
}

}  // namespace platform::forms
