#include "platform/forms/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <unordered_map>

#include "platform/QlError.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"

namespace platform::forms {

static std::unordered_map<HWND, Control*>& Windows()
{
    // Never destroyed: controls of forms held by globals go at exit, after this would be.
    static auto* map = new std::unordered_map<HWND, Control*>;
    return *map;
}

COLORREF TranslateColor(OleColor c)
{
    if (c & 0x80000000u)
        return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

int ShiftState()
{
    int s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        s |= vbAltMask;
    return s;
}

Control::Control(Form& form, std::string name, int index) : Component(form, std::move(name), index)
{
    font_ = form.Font();
}

Control::~Control()
{
    if (hwnd_) {
        RemoveWindowSubclass(hwnd_, SubclassProc, 0);
        Windows().erase(hwnd_);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (brush_)
        DeleteObject(brush_);
}

HWND Control::hWnd() const
{
    EnsureLoaded();
    return hwnd_;
}

void Control::Container(Control& container)
{
    if (&container != this && container.IsContainer())
        container_ = &container;
}

HWND Control::ContainerWindow() const
{
    if (container_)
        return container_->ClientWindow();
    return form_.Window();
}

RECT Control::PixelRect() const
{
    RECT r;
    r.left = TwipsToPixelsX(left_);
    r.top = TwipsToPixelsY(top_);
    r.right = r.left + TwipsToPixelsX(width_);
    r.bottom = r.top + TwipsToPixelsY(height_);
    return r;
}

void Control::Create()
{
    if (hwnd_)
        return;
    HWND parent = ContainerWindow();
    if (!parent)
        return;
    static int nextId = 100;
    int id = nextId++;
    if (nextId > 0x7F00)
        nextId = 100;
    hwnd_ = CreateWindowFor(parent, id);
    if (!hwnd_)
        throw QlError(0, Name(), "cannot create the control's window");
    Windows()[hwnd_] = this;
    SetWindowSubclass(hwnd_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ApplyFont();
    if (!enabled_)
        EnableWindow(hwnd_, FALSE);
    AfterCreate();
    if (!tooltip_.empty())
        ToolTipText(tooltip_);
}

void Control::Destroy()
{
    if (!hwnd_)
        return;
    BeforeDestroy();
    if (hwnd_)
        DestroyWindow(hwnd_);
}

HWND Control::MakeWindow(const char* cls, const std::string& text, DWORD style, DWORD exStyle, HWND parent, int id)
{
    RECT r = PixelRect();
    if (visible_)
        style |= WS_VISIBLE;
    return CreateWindowExA(exStyle, cls, text.c_str(), style | WS_CHILD, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void Control::Move(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        throw QlError(380, Name(), "Invalid property value");
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_) {
        RECT r = PixelRect();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool Control::Visible() const
{
    if (hwnd_)
        return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    return visible_;
}

void Control::Visible(bool v)
{
    visible_ = v;
    if (hwnd_)
        ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
}

void Control::Enabled(bool v)
{
    enabled_ = v;
    if (hwnd_)
        EnableWindow(hwnd_, v ? TRUE : FALSE);
}

void Control::ToolTipText(const std::string& v)
{
    tooltip_ = v;
    if (!hwnd_)
        return;
    HWND tip = form_.tooltip_;
    if (!tip && !v.empty()) {
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              form_.Window(), nullptr, GetModuleHandleA(nullptr), nullptr);
        form_.tooltip_ = tip;
    }
    if (!tip)
        return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = form_.Window();
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (!v.empty()) {
        ti.lpszText = const_cast<char*>(tooltip_.c_str());
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void Control::Font(const StdFont& f)
{
    font_ = f;
    ApplyFont();
}

void Control::ApplyFont()
{
    if (hwnd_)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void Control::ForeColor(OleColor c)
{
    fore_ = c;
    colorsSet_ = true;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::BackColor(OleColor c)
{
    back_ = c;
    colorsSet_ = true;
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Control::BackBrush()
{
    if (!brush_)
        brush_ = CreateSolidBrush(TranslateColor(back_));
    return brush_;
}

void Control::Align(int v)
{
    align_ = v;
    if (hwnd_)
        form_.LayoutAligned();
}

void LayoutAlignedControls(Form& form, RECT& rest)
{
    for (Component* c : form.Components()) {
        auto* ctl = dynamic_cast<Control*>(c);
        if (!ctl || ctl->align_ == 0 || ctl->Container() || !ctl->hwnd_ || !ctl->Visible())
            continue;
        RECT wr;
        GetWindowRect(ctl->hwnd_, &wr);
        int w = wr.right - wr.left, h = wr.bottom - wr.top;
        RECT r{};
        switch (ctl->align_) {
        case 1: r = {rest.left, rest.top, rest.right, rest.top + h}; rest.top += h; break;
        case 2: r = {rest.left, rest.bottom - h, rest.right, rest.bottom}; rest.bottom -= h; break;
        case 3: r = {rest.left, rest.top, rest.left + w, rest.bottom}; rest.left += w; break;
        case 4: r = {rest.right - w, rest.top, rest.right, rest.bottom}; rest.right -= w; break;
        default: continue;
        }
        if (rest.top > rest.bottom) rest.top = rest.bottom;
        if (rest.left > rest.right) rest.left = rest.right;
        SetWindowPos(ctl->hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ctl->left_ = PixelsToTwipsX(r.left);
        ctl->top_ = PixelsToTwipsY(r.top);
        ctl->width_ = PixelsToTwipsX(r.right - r.left);
        ctl->height_ = PixelsToTwipsY(r.bottom - r.top);
    }
}

void Control::SetFocus()
{
    if (HWND h = hWnd())
        ::SetFocus(h);
}

void Control::Refresh()
{
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

void Control::ZOrder(int position)
{
    if (HWND h = hWnd())
        SetWindowPos(h, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Control* Control::FromWindow(HWND hwnd)
{
    auto& m = Windows();
    auto it = m.find(hwnd);
    return it == m.end() ? nullptr : it->second;
}

bool Control::Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND from = nullptr;
    switch (msg) {
    case WM_COMMAND:
        from = reinterpret_cast<HWND>(lp);
        break;
    case WM_NOTIFY:
        from = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        from = reinterpret_cast<HWND>(lp);
        break;
    case WM_DRAWITEM:
        from = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
        return false;
    default:
        return false;
    }
    Control* c = from ? FromWindow(from) : nullptr;
    // Notifications from a control's inner windows (a combo's edit, a list view's header)
    // go to the control that owns them.
    if (!c && from && msg == WM_NOTIFY)
        c = FromWindow(GetParent(from));
    if (!c)
        return false;
    if (c->OnReflected(msg, wp, lp, result))
        return true;
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && c->colorsSet_) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, TranslateColor(c->fore_));
        SetBkColor(dc, TranslateColor(c->back_));
        result = reinterpret_cast<LRESULT>(c->BackBrush());
        return true;
    }
    return false;
}

void Control::MouseToUnits(int px, int py, int& x, int& y) const
{
    x = PixelsToTwipsX(px);
    y = PixelsToTwipsY(py);
}

static int ButtonOf(UINT msg, WPARAM wp)
{
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return vbLeftButton;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return vbRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return vbMiddleButton;
    default: {
        int b = 0;
        if (wp & MK_LBUTTON) b |= vbLeftButton;
        if (wp & MK_RBUTTON) b |= vbRightButton;
        if (wp & MK_MBUTTON) b |= vbMiddleButton;
        return b;
    }
    }
}

bool Control::HandleOwnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (form_.HandleKey(msg, wp, lp, true)) {
            result = 0;
            return true;
        }
        if (msg == WM_CHAR) {
            int key = static_cast<int>(wp);
            KeyPress.Raise(Source("KeyPress"), key);
            if (key == 0) {
                result = 0;
                return true;
            }
        } else {
            int key = static_cast<int>(wp);
            if (msg == WM_KEYDOWN)
                KeyDown.Raise(Source("KeyDown"), key, ShiftState());
            else
                KeyUp.Raise(Source("KeyUp"), key, ShiftState());
            if (key == 0) {
                result = 0;
                return true;
            }
        }
        break;
    case WM_SETFOCUS:
        GotFocus.Raise(Source("GotFocus"));
        break;
    case WM_KILLFOCUS:
        LostFocus.Raise(Source("LostFocus"));
        break;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && (pointer_ != 0 || Screen::MousePointer() != 0)) {
            HCURSOR c = Screen::MousePointer() != 0 ? CursorFor(Screen::MousePointer())
                        : pointer_ == vbCustom ? mouseIcon_ : CursorFor(pointer_);
            if (c) {
                SetCursor(c);
                result = TRUE;
                return true;
            }
        }
        break;
    default:
        break;
    }
    if (RaisesMouseEvents()) {
        int x, y;
        switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
            MouseToUnits(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), x, y);
            MouseDown.Raise(Source("MouseDown"), ButtonOf(msg, wp), ShiftState(), x, y);
            break;
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
            MouseToUnits(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), x, y);
            MouseUp.Raise(Source("MouseUp"), ButtonOf(msg, wp), ShiftState(), x, y);
            if (IsWindow(hwnd))
                AfterMouseUp(ButtonOf(msg, wp));
            break;
        case WM_MOUSEMOVE:
            MouseToUnits(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), x, y);
            MouseMove.Raise(Source("MouseMove"), ButtonOf(msg, wp), ShiftState(), x, y);
            break;
        case WM_LBUTTONDBLCLK:
            DblClick.Raise(Source("DblClick"));
            break;
        default:
            break;
        }
    }
    return false;
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref)
{
    auto* self = reinterpret_cast<Control*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, 0);
        Windows().erase(hwnd);
        if (self->hwnd_ == hwnd)
            self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    // The form (and so this control) stays alive while its handlers run, whatever they unload.
    auto keep = self->form_.weak_from_this().lock();
    LRESULT result = 0;
    if (self->OnOwnMessage(msg, wp, lp, result) || !IsWindow(hwnd))
        return result;
    if (self->HandleOwnMessage(hwnd, msg, wp, lp, result) || !IsWindow(hwnd))
        return result;
    // Containers pass their children's notifications on.
    if (self->IsContainer() && Reflect(msg, wp, lp, result))
        return result;
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace platform::forms
