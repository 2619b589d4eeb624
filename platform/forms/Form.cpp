#include "platform/forms/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "platform/QlError.h"
#include "platform/forms/Dispatch.h"
#include "platform/forms/MDIForm.h"
#include "platform/forms/Menu.h"
#include "platform/forms/MessageLoop.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "platform/forms/WindowClasses.h"
#include "platform/ole/OleControl.h"

namespace platform::forms {

static std::unordered_map<HWND, Form*>& FormWindows()
{
    // Never destroyed: forms held by globals go at exit, after this would be.
    static auto* map = new std::unordered_map<HWND, Form*>;
    return *map;
}

static Form* g_creating = nullptr;

static bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form()
{
    if (hwnd_ || loaded_)
        Teardown();
    if (brush_)
        DeleteObject(brush_);
    ReleaseFormContainer(*this);
}

Form* Form::FromWindow(HWND hwnd)
{
    auto& m = FormWindows();
    auto it = m.find(hwnd);
    return it == m.end() ? nullptr : it->second;
}

void Form::AddComponent(Component* c) { components_.push_back(c); }

void Form::RemoveComponent(Component* c)
{
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    if (auto* t = dynamic_cast<Timer*>(c))
        timerIds_.erase(t);
}

int Form::TimerId(const Timer* t) const
{
    auto it = timerIds_.find(t);
    if (it != timerIds_.end())
        return it->second;
    auto& ids = const_cast<std::map<const Timer*, int>&>(timerIds_);
    int id = const_cast<Form*>(this)->nextTimerId_++;
    ids[t] = id;
    return id;
}

Control* Form::ControlNamed(const std::string& name, int index) const
{
    for (Component* c : components_) {
        auto* ctl = dynamic_cast<Control*>(c);
        if (ctl && EqualNoCase(ctl->Name(), name) && ctl->Index() == index)
            return ctl;
    }
    return nullptr;
}

DWORD Form::Style() const
{
    DWORD s = WS_CLIPCHILDREN;
    switch (border_) {
    case vbBSNone: s |= WS_POPUP; break;
    case vbFixedSingle: s |= WS_CAPTION | WS_BORDER; break;
    case vbFixedDialog: s |= WS_CAPTION | WS_DLGFRAME; break;
    case vbFixedToolWindow: s |= WS_CAPTION; break;
    case vbSizableToolWindow: s |= WS_CAPTION | WS_THICKFRAME; break;
    default: s |= WS_CAPTION | WS_THICKFRAME; break;
    }
    if (controlBox_ && border_ != vbBSNone) {
        s |= WS_SYSMENU;
        bool tool = border_ == vbFixedToolWindow || border_ == vbSizableToolWindow;
        if (minButton_ && !tool && border_ != vbFixedDialog)
            s |= WS_MINIMIZEBOX;
        if (maxButton_ && !tool && border_ != vbFixedDialog)
            s |= WS_MAXIMIZEBOX;
    }
    return s;
}

DWORD Form::ExStyle() const
{
    DWORD s = WS_EX_CONTROLPARENT;
    if (border_ == vbFixedToolWindow || border_ == vbSizableToolWindow)
        s |= WS_EX_TOOLWINDOW;
    if (border_ == vbFixedDialog)
        s |= WS_EX_DLGMODALFRAME;
    if (taskbar_ && border_ != vbFixedToolWindow && border_ != vbSizableToolWindow)
        s |= WS_EX_APPWINDOW;
    return s;
}

const char* Form::WindowClass() const { return FormClassName(); }

HWND Form::CreateFormWindow(DWORD style, DWORD exStyle, const RECT& outer)
{
    if (mdiChild_) {
        if (MDIForm* main = MDIForm::Current()) {
            RECT c;
            GetClientRect(main->MDIClient(), &c);
            return CreateWindowExA(exStyle | WS_EX_MDICHILD, WindowClass(), caption_.c_str(),
                                   (style & ~WS_POPUP) | WS_CHILD, CW_USEDEFAULT, CW_USEDEFAULT,
                                   outer.right - outer.left, outer.bottom - outer.top, main->MDIClient(), nullptr,
                                   GetModuleHandleA(nullptr), this);
        }
    }
    return CreateWindowExA(exStyle, WindowClass(), caption_.c_str(), style, outer.left, outer.top,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), this);
}

void Form::ClientSize(int width, int height)
{
    clientW_ = width;
    clientH_ = height;
}

void Form::Load()
{
    if (loaded_ || loading_)
        return;
    RegisterFormClasses();
    auto keep = weak_from_this().lock();
    loading_ = true;
    Dispatch(Src("Design"), [this] { Design(); });

    DWORD style = Style();
    DWORD exStyle = ExStyle();
    RECT outer{0, 0, TwipsToPixelsX(width_), TwipsToPixelsY(height_)};
    if (clientW_ >= 0 && clientH_ >= 0) {
        RECT r{0, 0, TwipsToPixelsX(clientW_), TwipsToPixelsY(clientH_)};
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
        outer = RECT{0, 0, r.right - r.left, r.bottom - r.top};
        // A menu bar takes client height too; the caller sized the client.
    }
    int w = outer.right - outer.left, h = outer.bottom - outer.top;
    int x, y;
    if (left_ >= 0 && top_ >= 0) {
        x = TwipsToPixelsX(left_);
        y = TwipsToPixelsY(top_);
    } else {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + std::max(0, static_cast<int>((work.right - work.left - w) / 2));
        y = work.top + std::max(0, static_cast<int>((work.bottom - work.top - h) / 2));
    }
    outer = RECT{x, y, x + w, y + h};

    g_creating = this;
    hwnd_ = CreateFormWindow(style, exStyle, outer);
    g_creating = nullptr;
    if (!hwnd_) {
        loading_ = false;
        throw QlError(0, name_, "cannot create the form's window");
    }
    FormWindows()[hwnd_] = this;
    if (icon_) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    if (!enabledDesign_)
        EnableWindow(hwnd_, FALSE);

    // Windows, menus and bars first, placed; hosted controls after them, so that a
    // control measuring the form's bars at activation finds them where they stay.
    std::vector<Component*> done;
    for (Component* c : std::vector<Component*>(components_))
        if (!dynamic_cast<OleControl*>(c))
            CreateComponent(c, done);
    BuildMenus();
    LayoutAligned();
    for (Component* c : std::vector<Component*>(components_))
        CreateComponent(c, done);

    loaded_ = true;
    everLoaded_ = true;
    loading_ = false;
    resizedSinceLoad_ = false;
    RegisterLoadedForm(this);
    Dispatch(Src("Form_Load"), [this] { Form_Load(); });
    loadDone_ = loaded_;
}

void Form::CreateComponent(Component* c, std::vector<Component*>& done)
{
    if (std::find(done.begin(), done.end(), c) != done.end())
        return;
    done.push_back(c);
    if (auto* ctl = dynamic_cast<Control*>(c)) {
        if (Control* container = ctl->Container())
            CreateComponent(container, done);
    }
    Dispatch(c->Source("Create"), [c] { c->Create(); });
}

void Form::BuildMenus()
{
    DestroyMenus();
    bool any = false;
    for (Component* c : components_) {
        auto* m = dynamic_cast<Menu*>(c);
        if (m && !m->ParentMenu())
            any = true;
    }
    if (any) {
        menuBar_ = CreateMenu();
        for (Component* c : components_) {
            auto* m = dynamic_cast<Menu*>(c);
            if (m && !m->ParentMenu())
                m->Build(menuBar_);
        }
    }
    UpdateMenuBar();
    MenusChanged();
}

void Form::UpdateMenuBar()
{
    if (!hwnd_ || mdiChild_)
        return;
    bool visible = menuBar_ && GetMenuItemCount(menuBar_) > 0;
    HMENU want = visible ? menuBar_ : nullptr;
    if (GetMenu(hwnd_) != want)
        SetMenu(hwnd_, want);
    else if (want)
        DrawMenuBar(hwnd_);
}

void Form::MenusChanged()
{
    if (accel_) {
        DestroyAcceleratorTable(accel_);
        accel_ = nullptr;
    }
    if (!hwnd_)
        return;
    std::vector<ACCEL> table;
    for (Component* c : components_) {
        auto* m = dynamic_cast<Menu*>(c);
        ACCEL a;
        if (m && !m->Shortcut().empty() && Menu::ParseShortcut(m->Shortcut(), a)) {
            a.cmd = static_cast<WORD>(m->CommandId());
            table.push_back(a);
        }
    }
    if (!table.empty())
        accel_ = CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

void Form::DestroyMenus()
{
    // Hidden items are not attached to any menu: their popups go one by one.
    for (Component* c : components_) {
        auto* m = dynamic_cast<Menu*>(c);
        if (m && m->popup_ && !m->visible_)
            DestroyMenu(m->popup_);
    }
    if (hwnd_ && GetMenu(hwnd_) && !mdiChild_)
        SetMenu(hwnd_, nullptr);
    if (menuBar_)
        DestroyMenu(menuBar_);
    menuBar_ = nullptr;
    for (Component* c : components_)
        if (auto* m = dynamic_cast<Menu*>(c))
            m->Destroy();
}

void Form::Show(int modal, Form* owner)
{
    EnsureLoaded();
    if (!loaded_ || !hwnd_)
        return;
    auto keep = weak_from_this().lock();
    if (modal == vbModal && IsWindowVisible(hwnd_))
        throw QlError(400, name_, "Form already displayed; can't show modally");
    if (owner && owner != this && !mdiChild_ && !(GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD)) {
        if (HWND ow = owner->hWnd())
            SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ow));
    } else if (modal == vbModal && !mdiChild_ && !(GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD)) {
        HWND active = GetActiveWindow();
        if (active && active != hwnd_)
            SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(active));
    }
    int cmd = state_ == vbMaximized ? SW_SHOWMAXIMIZED : state_ == vbMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
    // A real ShowWindow: pane forms create their pane on WM_SHOWWINDOW.
    ShowWindow(hwnd_, cmd);
    if (!loaded_ || !hwnd_)
        return;
    if (!resizedSinceLoad_)
        RaiseResize();
    if (modal == vbModal && loaded_)
        RunModalLoop();
}

static BOOL CALLBACK CollectEnabled(HWND w, LPARAM lp)
{
    auto* list = reinterpret_cast<std::vector<HWND>*>(lp);
    if (IsWindowVisible(w) && IsWindowEnabled(w))
        list->push_back(w);
    return TRUE;
}

void Form::RunModalLoop()
{
    auto keep = weak_from_this().lock();
    std::vector<HWND> others;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&others));
    std::vector<HWND> disabled;
    for (HWND w : others) {
        if (w == hwnd_ || GetWindow(w, GW_OWNER) == hwnd_)
            continue;
        EnableWindow(w, FALSE);
        disabled.push_back(w);
    }
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    modal_ = true;
    MSG msg;
    while (loaded_ && hwnd_ && IsWindowVisible(hwnd_)) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r <= 0) {
            if (r == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    modal_ = false;
    for (HWND w : disabled)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
    if (owner && IsWindow(owner) && IsWindowVisible(owner))
        SetActiveWindow(owner);
}

void Form::Hide()
{
    EnsureLoaded();
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Unload(int mode)
{
    if (!loaded_ || unloading_)
        return true;
    auto keep = weak_from_this().lock();
    if (!BeforeUnload(mode))
        return false;
    if (!loaded_)
        return true;
    int cancel = 0;
    Dispatch(Src("Form_QueryUnload"), [&] { Form_QueryUnload(cancel, mode); });
    if (cancel || !loaded_)
        return !loaded_;
    Dispatch(Src("Form_Unload"), [&] { Form_Unload(cancel); });
    if (cancel || !loaded_)
        return !loaded_;
    Teardown();
    return true;
}

void Form::Teardown()
{
    unloading_ = true;
    UnregisterLoadedForm(this);
    // Hosted controls go first (last created first), while the windows they were
    // measured against still stand; then the rest in reverse order.
    std::vector<Component*> list(components_.rbegin(), components_.rend());
    std::stable_partition(list.begin(), list.end(), [](Component* c) { return dynamic_cast<OleControl*>(c) != nullptr; });
    for (Component* c : list)
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            Dispatch(c->Source("Destroy"), [c] { c->Destroy(); });
    DestroyMenus();
    if (accel_) {
        DestroyAcceleratorTable(accel_);
        accel_ = nullptr;
    }
    if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    if (hwnd_) {
        HWND w = hwnd_;
        if (mdiChild_ && GetParent(w))
            SendMessageA(GetParent(w), WM_MDIDESTROY, reinterpret_cast<WPARAM>(w), 0);
        if (IsWindow(w))
            DestroyWindow(w);
        FormWindows().erase(w);
        hwnd_ = nullptr;
    }
    DropBacking();
    loaded_ = false;
    loadDone_ = false;
    resizedSinceLoad_ = false;
    unloading_ = false;
}

int Form::Screen_TwipsX() { return Screen::TwipsPerPixelX(); }
int Form::Screen_TwipsY() { return Screen::TwipsPerPixelY(); }

void Form::EnsureBacking()
{
    if (!hwnd_)
        return;
    RECT r;
    GetClientRect(hwnd_, &r);
    backing_.Ensure(std::max(1, static_cast<int>(r.right)), std::max(1, static_cast<int>(r.bottom)),
                    TranslateColor(back_));
}

void Form::DropBacking() { backing_.Drop(); }

void Form::AutoRedraw(bool v)
{
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

HDC Form::hDC()
{
    EnsureLoaded();
    if (!hwnd_)
        return nullptr;
    HDC dc;
    if (autoRedraw_) {
        EnsureBacking();
        dc = backing_.dc;
    } else {
        dc = GetDC(hwnd_);  // the class keeps one DC per window: no release needed
        ReleaseDC(hwnd_, dc);
    }
    SelectObject(dc, font_.Handle());
    SetTextColor(dc, TranslateColor(fore_));
    SetBkMode(dc, TRANSPARENT);
    return dc;
}

void Form::Cls()
{
    curX_ = curY_ = 0;
    HDC dc = hDC();
    if (!dc)
        return;
    RECT r;
    GetClientRect(hwnd_, &r);
    if (autoRedraw_)
        r = RECT{0, 0, backing_.w, backing_.h};
    HBRUSH b = CreateSolidBrush(TranslateColor(back_));
    FillRect(dc, &r, b);
    DeleteObject(b);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form::Print(const std::string& text, bool newline)
{
    HDC dc = hDC();
    if (!dc)
        return;
    int x = PxX(curX_), y = PxY(curY_);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SIZE sz{0, 0};
    if (!text.empty())
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    if (newline) {
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        curX_ = 0;
        curY_ = UnitsY(y + tm.tmHeight);
    } else {
        curX_ = UnitsX(x + sz.cx);
    }
    if (autoRedraw_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

double Form::TextWidth(const std::string& text)
{
    HDC dc = hDC();
    if (!dc || text.empty())
        return 0;
    SIZE sz{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    return UnitsX(sz.cx);
}

double Form::TextHeight(const std::string& text)
{
    HDC dc = hDC();
    if (!dc)
        return 0;
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    return UnitsY(tm.tmHeight * lines);
}

void LayoutAlignedControls(Form& form, RECT& rest);

void Form::LayoutAligned()
{
    if (!hwnd_)
        return;
    RECT rest;
    GetClientRect(hwnd_, &rest);
    LayoutAlignedControls(*this, rest);
}

void Form::RaiseResize()
{
    resizedSinceLoad_ = true;
    Dispatch(Src("Form_Resize"), [this] { Form_Resize(); });
}

void Form::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_)
        SetWindowTextA(hwnd_, v.c_str());
}

static RECT WindowRectInParent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    if (HWND parent = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr)
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Form::Left() const { return hwnd_ ? PixelsToTwipsX(WindowRectInParent(hwnd_).left) : std::max(left_, 0); }
int Form::Top() const { return hwnd_ ? PixelsToTwipsY(WindowRectInParent(hwnd_).top) : std::max(top_, 0); }

int Form::Width() const
{
    if (!hwnd_)
        return width_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    return PixelsToTwipsX(r.right - r.left);
}

int Form::Height() const
{
    if (!hwnd_)
        return height_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    return PixelsToTwipsY(r.bottom - r.top);
}

void Form::Move(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        throw QlError(380, name_, "Invalid property value");
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    clientW_ = clientH_ = -1;
    if (hwnd_)
        MoveWindow(hwnd_, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height),
                   TRUE);
}

int Form::ScaleWidth() const
{
    if (!hwnd_)
        return clientW_ >= 0 ? clientW_ : width_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return static_cast<int>(UnitsX(r.right));
}

int Form::ScaleHeight() const
{
    if (!hwnd_)
        return clientH_ >= 0 ? clientH_ : height_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return static_cast<int>(UnitsY(r.bottom));
}

int Form::WindowState() const
{
    if (!hwnd_)
        return state_;
    if (IsIconic(hwnd_))
        return vbMinimized;
    if (IsZoomed(hwnd_))
        return vbMaximized;
    return vbNormal;
}

void Form::WindowState(int v)
{
    state_ = v;
    if (hwnd_ && IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, v == vbMaximized ? SW_MAXIMIZE : v == vbMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void Form::BackColor(OleColor c)
{
    back_ = c;
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::Icon(HICON icon)
{
    icon_ = icon;
    if (hwnd_) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Form::MousePointer(int p)
{
    pointer_ = p;
    if (hwnd_) {
        POINT pt;
        GetCursorPos(&pt);
        SetCursorPos(pt.x, pt.y);
    }
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
bool Form::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != 0 : enabledDesign_; }

void Form::Enabled(bool v)
{
    enabledDesign_ = v;
    if (hwnd_)
        EnableWindow(hwnd_, v);
}

void Form::SetFocus()
{
    if (HWND h = hWnd())
        ::SetFocus(h);
}

void Form::ZOrder(int position)
{
    if (HWND h = hWnd())
        SetWindowPos(h, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Refresh()
{
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

void Form::PopupMenu(Menu& menu, int x, int y)
{
    Form& owner = menu.Parent();
    owner.EnsureLoaded();
    EnsureLoaded();
    if (!menu.Popup() || !owner.Window())
        return;
    POINT pt;
    if (x >= 0 && y >= 0 && hwnd_) {
        pt = POINT{TwipsToPixelsX(x), TwipsToPixelsY(y)};
        ClientToScreen(hwnd_, &pt);
    } else {
        GetCursorPos(&pt);
    }
    int id;
    if (Menu::PopupChooser chooser = Menu::GetPopupChooser()) {
        SendMessageA(owner.Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.Popup()), 0);
        id = chooser(menu);
    } else {
        id = TrackPopupMenu(menu.Popup(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, pt.x, pt.y, 0,
                            owner.Window(), nullptr);
    }
    if (id == 0)
        return;
    for (Component* c : owner.Components()) {
        auto* m = dynamic_cast<Menu*>(c);
        if (m && m->CommandId() == id) {
            if (m->Enabled())
                m->RaiseClick();
            return;
        }
    }
}

LRESULT Form::DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (mdiChild_)
        return DefMDIChildProcA(hwnd, msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool Form::HandleKey(UINT msg, WPARAM wp, LPARAM lp, bool fromControl)
{
    if (fromControl && !keyPreview_)
        return false;
    int key = static_cast<int>(wp);
    if (msg == WM_KEYDOWN)
        Dispatch(Src("Form_KeyDown"), [&] { Form_KeyDown(key, ShiftState()); });
    else if (msg == WM_KEYUP)
        Dispatch(Src("Form_KeyUp"), [&] { Form_KeyUp(key, ShiftState()); });
    else if (msg == WM_CHAR)
        Dispatch(Src("Form_KeyPress"), [&] { Form_KeyPress(key); });
    else
        return false;
    return key == 0;
}

static bool VisibleChain(const Menu* m)
{
    for (; m; m = m->ParentMenu())
        if (!m->Visible() || !m->Enabled())
            return false;
    return true;
}

LRESULT Form::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (OnMessage(msg, wp, lp, result))
        return result;
    if (Control::Reflect(msg, wp, lp, result))
        return result;
    switch (msg) {
    case WM_CLOSE:
        Unload(vbFormControlMenu);
        return 0;
    case WM_QUERYENDSESSION: {
        int cancel = 0;
        Dispatch(Src("Form_QueryUnload"), [&] { Form_QueryUnload(cancel, vbAppWindows); });
        return cancel ? FALSE : TRUE;
    }
    case WM_SIZE:
        if (autoRedraw_)
            EnsureBacking();
        LayoutAligned();
        if (loadDone_ && loaded_)
            RaiseResize();
        break;
    case WM_COMMAND:
        if (lp == 0) {
            int id = LOWORD(wp);
            if (id == IDOK || id == IDCANCEL) {
                for (Component* c : std::vector<Component*>(components_))
                    if (auto* ctl = dynamic_cast<Control*>(c); ctl && ctl->OnDialogCommand(id))
                        return 0;
                return 0;
            }
            for (Component* c : components_) {
                auto* m = dynamic_cast<Menu*>(c);
                if (m && m->CommandId() == id) {
                    // Shortcuts of hidden or disabled items do nothing.
                    if (HIWORD(wp) != 1 || VisibleChain(m))
                        m->RaiseClick();
                    return 0;
                }
            }
        }
        break;
    case DM_GETDEFID:
        for (Component* c : components_)
            if (auto* ctl = dynamic_cast<Control*>(c); ctl && ctl->IsDefaultButton() && ctl->Window())
                return MAKELRESULT(GetDlgCtrlID(ctl->Window()), DC_HASDEFID);
        return 0;
    case WM_TIMER:
        for (Component* c : components_) {
            auto* t = dynamic_cast<Timer*>(c);
            if (t && TimerId(t) == static_cast<int>(wp)) {
                t->Fire();
                return 0;
            }
        }
        break;
    case WM_INITMENUPOPUP:
        for (Component* c : components_) {
            auto* m = dynamic_cast<Menu*>(c);
            if (m && m->Popup() == reinterpret_cast<HMENU>(wp)) {
                m->RaiseClick();
                return 0;
            }
        }
        break;
    case WM_ERASEBKGND: {
        if (!brush_)
            brush_ = CreateSolidBrush(TranslateColor(back_));
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush_);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (autoRedraw_)
            backing_.PaintTo(dc, ps.rcPaint);
        EndPaint(hwnd, &ps);
        if (!autoRedraw_)
            Dispatch(Src("Form_Paint"), [this] { Form_Paint(); });
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && loadDone_)
            Dispatch(Src("Form_Activate"), [this] { Form_Activate(); });
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (HandleKey(msg, wp, lp, false))
            return 0;
        break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_MOUSEMOVE: {
        int x = static_cast<int>(UnitsX(GET_X_LPARAM(lp))), y = static_cast<int>(UnitsY(GET_Y_LPARAM(lp)));
        int button = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP ? vbLeftButton
                   : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP ? vbRightButton
                   : msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP ? vbMiddleButton
                   : ((wp & MK_LBUTTON) ? vbLeftButton : 0) | ((wp & MK_RBUTTON) ? vbRightButton : 0);
        int shift = ShiftState();
        if (msg == WM_MOUSEMOVE)
            Dispatch(Src("Form_MouseMove"), [&] { Form_MouseMove(button, shift, x, y); });
        else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
            Dispatch(Src("Form_MouseDown"), [&] { Form_MouseDown(button, shift, x, y); });
        else {
            Dispatch(Src("Form_MouseUp"), [&] { Form_MouseUp(button, shift, x, y); });
            if (msg == WM_LBUTTONUP && loaded_)
                Dispatch(Src("Form_Click"), [this] { Form_Click(); });
        }
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        Dispatch(Src("Form_DblClick"), [this] { Form_DblClick(); });
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd) {
            int p = Screen::MousePointer() != 0 ? Screen::MousePointer() : pointer_;
            if (HCURSOR c = CursorFor(p)) {
                SetCursor(c);
                return TRUE;
            }
        } else if (LOWORD(lp) == HTCLIENT && Screen::MousePointer() != 0) {
            if (HCURSOR c = CursorFor(Screen::MousePointer())) {
                SetCursor(c);
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return DefaultProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Form* self = FromWindow(hwnd);
    if (!self && g_creating) {
        self = g_creating;
        FormWindows()[hwnd] = self;
        if (!self->hwnd_)
            self->hwnd_ = hwnd;
    }
    if (!self)
        return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->DefaultProc(hwnd, msg, wp, lp);
        FormWindows().erase(hwnd);
        if (self->hwnd_ == hwnd)
            self->hwnd_ = nullptr;
        return r;
    }
    // Keep the object alive while its own handler runs, whatever the handler unloads.
    auto keep = self->weak_from_this().lock();
    LRESULT r = 0;
    if (!Dispatch(self->Src("WindowProc"), [&] { r = self->Proc(hwnd, msg, wp, lp); }))
        r = DefWindowProcA(hwnd, msg, wp, lp);
    return r;
}

}  // namespace platform::forms

namespace platform::forms {

void RegisterFormClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    INITCOMMONCONTROLSEX icc{static_cast<DWORD>(sizeof(INITCOMMONCONTROLSEX)), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterOwnClass(FormClassName(), Form::FormProc(), CS_DBLCLKS | CS_OWNDC, nullptr);
    RegisterOwnClass(MDIFormClassName(), Form::FormProc(), CS_DBLCLKS, nullptr);
}

}  // namespace platform::forms
