#include "platform/controls/Toolbar.h"

#include <algorithm>

#include "platform/QlError.h"
#include "platform/ScopedWin.h"
#include "platform/controls/ImageList.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static Toolbar::MenuChooser g_menuChooser = nullptr;
void Toolbar::SetMenuChooser(MenuChooser chooser) { g_menuChooser = chooser; }

static LRESULT CALLBACK OuterProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

Toolbar::Toolbar(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    Align(1);
}

HWND Toolbar::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass(ToolbarClassName(), OuterProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return MakeWindow(ToolbarClassName(), "", WS_CLIPCHILDREN, 0, parent, id);
}

void Toolbar::AfterCreate()
{
    bar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                               (wrappable_ ? TBSTYLE_WRAPABLE : 0) |
                               CCS_NOPARENTALIGN,
                           0, 0, 10, 10, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    if (images_)
        SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    for (const Button& b : buttons_)
        Insert(b);
    Fit();
}

void Toolbar::Insert(const Button& b)
{
    if (!bar_)
        return;
    TBBUTTON tb{};
    tb.iBitmap = b.style == tbrPlaceholder ? TwipsToPixelsX(b.width) : (b.image > 0 ? b.image - 1 : I_IMAGENONE);
    tb.idCommand = b.command;
    tb.fsState = static_cast<BYTE>((b.enabled ? TBSTATE_ENABLED : 0) | (b.value ? TBSTATE_CHECKED : 0));
    switch (b.style) {
    case tbrCheck: tb.fsStyle = BTNS_CHECK; break;
    case tbrButtonGroup: tb.fsStyle = BTNS_CHECKGROUP; break;
    case tbrSeparator:
    case tbrPlaceholder: tb.fsStyle = BTNS_SEP; break;
    case tbrDropdown: tb.fsStyle = BTNS_DROPDOWN; break;
    default: tb.fsStyle = BTNS_BUTTON; break;
    }
    tb.iString = b.caption.empty() ? -1 : reinterpret_cast<INT_PTR>(b.caption.c_str());
    SendMessageA(bar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
}

void Toolbar::Fit()
{
    if (!bar_)
        return;
    SendMessageA(bar_, TB_AUTOSIZE, 0, 0);
    RECT r;
    GetClientRect(hwnd_, &r);
    DWORD size = static_cast<DWORD>(SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0));
    int h = HIWORD(size) + 4;
    if (wrappable_) {
        // Wrapped into rows: as high as the lowest button.
        const int count = static_cast<int>(SendMessageA(bar_, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (SendMessageA(bar_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                h = std::max(h, static_cast<int>(item.bottom) + 4);
        }
    }
    MoveWindow(bar_, 0, 0, r.right, h, TRUE);
    RECT wr;
    GetWindowRect(hwnd_, &wr);
    if (wr.bottom - wr.top != h) {
        SetWindowPos(hwnd_, nullptr, 0, 0, wr.right - wr.left, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Height(PixelsToTwipsY(h));
    }
}

int Toolbar::AddButton(const std::string& key, const std::string& caption, int style, int image)
{
    if (!key.empty())
        for (const Button& b : buttons_)
            if (b.key == key)
                throw QlError(35602, Name(), "Key is not unique in collection");
    Button b;
    b.key = key;
    b.caption = caption;
    b.style = style;
    b.image = image;
    b.command = 1000 + static_cast<int>(buttons_.size());
    buttons_.push_back(b);
    Insert(buttons_.back());
    Fit();
    return ButtonCount();
}

void Toolbar::AddButtonMenu(const std::string& buttonKey, const std::string& key, const std::string& text)
{
    Find(buttonKey).menu.push_back({key, text});
}

Toolbar::Button& Toolbar::Find(const std::string& key)
{
    for (Button& b : buttons_)
        if (b.key == key)
            return b;
    throw QlError(35601, Name(), "Element not found");
}

const Toolbar::Button& Toolbar::Find(const std::string& key) const
{
    return const_cast<Toolbar*>(this)->Find(key);
}

int Toolbar::ButtonIndex(const std::string& key) const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].key == key)
            return static_cast<int>(i) + 1;
    throw QlError(35601, Name(), "Element not found");
}

const std::string& Toolbar::ButtonKey(int index) const
{
    if (index < 1 || index > ButtonCount())
        throw QlError(35600, Name(), "Index out of bounds");
    return buttons_[static_cast<size_t>(index - 1)].key;
}

int Toolbar::ButtonStyle(int index) const
{
    if (index < 1 || index > ButtonCount())
        throw QlError(35600, Name(), "Index out of bounds");
    return buttons_[static_cast<size_t>(index - 1)].style;
}

bool Toolbar::ButtonEnabled(const std::string& key) const { return Find(key).enabled; }

void Toolbar::ButtonEnabled(const std::string& key, bool v)
{
    Button& b = Find(key);
    b.enabled = v;
    if (bar_)
        SendMessageA(bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(b.command), v);
}

bool Toolbar::ButtonValue(const std::string& key) const
{
    const Button& b = Find(key);
    if (bar_)
        return SendMessageA(bar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(b.command), 0) != 0;
    return b.value;
}

void Toolbar::ButtonValue(const std::string& key, bool v)
{
    Button& b = Find(key);
    b.value = v;
    if (bar_)
        SendMessageA(bar_, TB_CHECKBUTTON, static_cast<WPARAM>(b.command), v);
}

void Toolbar::ButtonToolTip(const std::string& key, const std::string& text) { Find(key).tip = text; }

int Toolbar::ButtonWidthOf(int index) const
{
    if (index < 1 || index > ButtonCount())
        throw QlError(35600, Name(), "Index out of bounds");
    const Button& b = buttons_[static_cast<size_t>(index - 1)];
    if (bar_) {
        RECT r{};
        SendMessageA(bar_, TB_GETITEMRECT, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&r));
        return PixelsToTwipsX(r.right - r.left);
    }
    return b.width;
}

void Toolbar::ButtonWidthOf(const std::string& key, int twips)
{
    Button& b = Find(key);
    b.width = twips;
    if (bar_) {
        TBBUTTONINFOA bi{};
        bi.cbSize = sizeof bi;
        bi.dwMask = TBIF_SIZE;
        bi.cx = static_cast<WORD>(TwipsToPixelsX(twips));
        SendMessageA(bar_, TB_SETBUTTONINFOA, static_cast<WPARAM>(b.command), reinterpret_cast<LPARAM>(&bi));
    }
}

void Toolbar::ImageList(platform::forms::ImageList& images)
{
    images_ = &images;
    if (bar_) {
        SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Handle()));
        Fit();
    }
}

int Toolbar::ButtonHeight() const
{
    return bar_ ? PixelsToTwipsY(HIWORD(SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0))) : 0;
}

int Toolbar::ButtonWidth() const
{
    return bar_ ? PixelsToTwipsX(LOWORD(SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0))) : 0;
}

bool Toolbar::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE:
        if (bar_) {
            RECT r;
            GetWindowRect(bar_, &r);
            const bool widthChanged = r.right - r.left != LOWORD(lp);
            MoveWindow(bar_, 0, 0, LOWORD(lp), r.bottom - r.top, TRUE);
            // A wrapping toolbar lays its rows out again for the new width and takes their height.
            if (wrappable_ && widthChanged)
                Fit();
        }
        return false;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == bar_) {
            int cmd = LOWORD(wp);
            for (const Button& b : buttons_)
                if (b.command == cmd) {
                    std::string key = b.key;
                    ButtonClick.Raise(Source("ButtonClick"), key);
                    break;
                }
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->code == TBN_DROPDOWN) {
            auto* nm = reinterpret_cast<NMTOOLBARA*>(lp);
            for (const Button& b : buttons_) {
                if (b.command != nm->iItem || b.menu.empty())
                    continue;
                std::string key = b.key;
                int chosen = 0;
                if (g_menuChooser) {
                    chosen = g_menuChooser(*this, key);
                } else {
                    HMENU m = CreatePopupMenu();
                    for (size_t i = 0; i < b.menu.size(); ++i)
                        AppendMenuA(m, b.menu[i].text == "-" ? MF_SEPARATOR : MF_STRING, i + 1, b.menu[i].text.c_str());
                    RECT r;
                    SendMessageA(bar_, TB_GETRECT, static_cast<WPARAM>(b.command), reinterpret_cast<LPARAM>(&r));
                    MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&r), 2);
                    // Tracked with the inner toolbar as owner: the docking library subclasses it.
                    chosen = TrackPopupMenu(m, TPM_RETURNCMD | TPM_LEFTALIGN, r.left, r.bottom, 0, bar_, nullptr);
                    DestroyMenu(m);
                }
                if (chosen >= 1 && chosen <= static_cast<int>(b.menu.size())) {
                    std::string menuKey = b.menu[static_cast<size_t>(chosen - 1)].key;
                    ButtonMenuClick.Raise(Source("ButtonMenuClick"), key, menuKey);
                }
                break;
            }
            result = TBDDRET_DEFAULT;
            return true;
        }
        if (hdr->code == TTN_GETDISPINFOA) {
            auto* di = reinterpret_cast<NMTTDISPINFOA*>(lp);
            for (const Button& b : buttons_)
                if (static_cast<UINT_PTR>(b.command) == hdr->idFrom) {
                    di->lpszText = const_cast<char*>(b.tip.c_str());
                    break;
                }
            result = 0;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

}  // namespace platform::forms

#include "platform/ole/NameDispatch.h"

namespace platform::forms {

// The common-controls toolbar interfaces the docking library asks for.
static const IID IID_ToolbarA = {0x66833FE4, 0x8583, 0x11D1, {0xB1, 0x6A, 0x00, 0xC0, 0xF0, 0x28, 0x36, 0x28}};
static const IID IID_ToolbarB = {0xE6E17E8C, 0xDF38, 0x11CF, {0x8E, 0x74, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF8}};

Toolbar::~Toolbar()
{
    if (face_) {
        face_->Orphan();
        face_->Release();
    }
}

void Toolbar::Wrappable(bool v)
{
    wrappable_ = v;
    if (bar_) {
        LONG s = GetWindowLongA(bar_, GWL_STYLE);
        SetWindowLongA(bar_, GWL_STYLE, v ? (s | TBSTYLE_WRAPABLE) : (s & ~TBSTYLE_WRAPABLE));
        Fit();
    }
}

IUnknown* Toolbar::ContainedObject()
{
    if (face_)
        return face_;
    face_ = new NameDispatch(
        {{"hWnd", 1}, {"Appearance", 2}, {"Wrappable", 3}, {"ButtonHeight", 4}, {"ButtonWidth", 5}, {"Style", 6},
         {"Buttons", 7}},
        [this](DISPID id, Var& r) -> HRESULT {
            switch (id) {
            case 1: r = Var::I4(static_cast<long>(reinterpret_cast<LONG_PTR>(hWnd()))); return S_OK;
            case 2: r = Var::I4(appearance_); return S_OK;
            case 3: r = Var::Bool(wrappable_); return S_OK;
            case 4: r = Var::R4(static_cast<float>(ButtonHeight())); return S_OK;
            case 5: r = Var::R4(static_cast<float>(ButtonWidth())); return S_OK;
            case 6: r = Var::I4(1); return S_OK;  // flat
            case 7: {
                ComPtr<NameDispatch> buttons(new NameDispatch(
                    {{"_NewEnum", DISPID_NEWENUM}, {"Count", 1}},
                    [this](DISPID bid, Var& br) -> HRESULT {
                        if (bid == 1) {
                            br = Var::I4(ButtonCount());
                            return S_OK;
                        }
                        if (bid != DISPID_NEWENUM)
                            return DISP_E_MEMBERNOTFOUND;
                        std::vector<Var> items;
                        for (int i = 1; i <= ButtonCount(); ++i) {
                            float width = static_cast<float>(ButtonWidthOf(i));
                            int style = ButtonStyle(i);
                            std::string key = ButtonKey(i);
                            ComPtr<NameDispatch> b(new NameDispatch(
                                {{"Width", 1}, {"Style", 2}, {"Key", 3}, {"Index", 4}},
                                [width, style, key, i](DISPID k, Var& v) -> HRESULT {
                                    switch (k) {
                                    case 1: v = Var::R4(width); return S_OK;
                                    case 2: v = Var::I4(style); return S_OK;
                                    case 3: v = Var::Str(key); return S_OK;
                                    case 4: v = Var::I4(i); return S_OK;
                                    default: return DISP_E_MEMBERNOTFOUND;
                                    }
                                }));
                            items.push_back(Var::Dispatch(b.Get()));
                        }
                        br.v.vt = VT_UNKNOWN;
                        br.v.punkVal = NewVariantEnum(std::move(items));
                        return S_OK;
                    }));
                r = Var::Dispatch(buttons.Get());
                return S_OK;
            }
            default: return DISP_E_MEMBERNOTFOUND;
            }
        },
        [this](DISPID id, const Var& v) -> HRESULT {
            if (id == 2) {
                appearance_ = static_cast<int>(v.AsLong());
                return S_OK;
            }
            if (id == 3) {
                Wrappable(v.AsBool());
                return S_OK;
            }
            return DISP_E_MEMBERNOTFOUND;
        },
        {IID_ToolbarA, IID_ToolbarB});
    return face_;
}

}  // namespace platform::forms
