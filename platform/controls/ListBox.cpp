#include "platform/controls/ListBox.h"

#include "platform/QlError.h"
#include "platform/AnsiText.h"

namespace platform::forms {

static void InvalidIndex(const std::string& name) { throw QlError(381, name, "Invalid property array index"); }

ListBox::ListBox(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

HWND ListBox::CreateWindowFor(HWND parent, int id)
{
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | ExtraStyle();
    if (sorted_)
        style |= LBS_SORT;
    if (multi_ == 1)
        style |= LBS_MULTIPLESEL;
    else if (multi_ == 2)
        style |= LBS_EXTENDEDSEL;
    return MakeWindow("LISTBOX", "", style, WS_EX_CLIENTEDGE, parent, id);
}

void ListBox::CheckIndex(int index) const
{
    if (index < 0 || index >= ListCount())
        InvalidIndex(Name());
}

void ListBox::AddItem(const std::string& item, int index)
{
    HWND h = hWnd();
    if (index < -1 || index > ListCount())
        InvalidIndex(Name());
    LRESULT r = (index < 0) ? SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()))
                            : SendMessageA(h, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(item.c_str()));
    newIndex_ = static_cast<int>(r);
    last_ = ListIndex();
}

void ListBox::RemoveItem(int index)
{
    CheckIndex(index);
    SendMessageA(hWnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    last_ = ListIndex();
}

void ListBox::Clear()
{
    SendMessageA(hWnd(), LB_RESETCONTENT, 0, 0);
    last_ = -1;
}

int ListBox::ListCount() const { return static_cast<int>(SendMessageA(hWnd(), LB_GETCOUNT, 0, 0)); }

std::string ListBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    HWND h = hWnd();
    LRESULT n = SendMessageA(h, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    return CutAtNul(s);
}

void ListBox::List(int index, const std::string& text)
{
    CheckIndex(index);
    HWND h = hWnd();
    intptr_t data = ItemData(index);
    bool sel = Selected(index);
    SendMessageA(h, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(h, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(h, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    if (sel && multi_ == 0)
        SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ListBox::ListIndex() const
{
    HWND h = hWnd();
    if (multi_ != 0)
        return static_cast<int>(SendMessageA(h, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
}

void ListBox::ListIndex(int v)
{
    if (v < -1 || v >= ListCount())
        throw QlError(380, Name(), "Invalid property value");
    HWND h = hWnd();
    if (multi_ == 0) {
        if (ListIndex() == v)
            return;
        SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(v), 0);
    } else {
        if (ListIndex() == v)
            return;
        SendMessageA(h, LB_SETCARETINDEX, static_cast<WPARAM>(v), FALSE);
    }
    last_ = v;
    Click.Raise(Source("Click"));
}

std::string ListBox::Text() const
{
    int i = ListIndex();
    return i >= 0 ? List(i) : std::string();
}

intptr_t ListBox::ItemData(int index) const
{
    CheckIndex(index);
    return static_cast<intptr_t>(SendMessageA(hWnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ListBox::ItemData(int index, intptr_t v)
{
    CheckIndex(index);
    SendMessageA(hWnd(), LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(v));
}

int ListBox::TopIndex() const { return static_cast<int>(SendMessageA(hWnd(), LB_GETTOPINDEX, 0, 0)); }
void ListBox::TopIndex(int v) { SendMessageA(hWnd(), LB_SETTOPINDEX, static_cast<WPARAM>(v), 0); }

bool ListBox::Selected(int index) const
{
    CheckIndex(index);
    return SendMessageA(hWnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::Selected(int index, bool v)
{
    CheckIndex(index);
    HWND h = hWnd();
    if (multi_ == 0) {
        if (v)
            ListIndex(index);
        else if (ListIndex() == index)
            ListIndex(-1);
        return;
    }
    if (Selected(index) == v)
        return;
    SendMessageA(h, LB_SETSEL, v, index);
    Click.Raise(Source("Click"));
}

int ListBox::SelCount() const
{
    if (multi_ == 0)
        return ListIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageA(hWnd(), LB_GETSELCOUNT, 0, 0));
}

bool ListBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_COMMAND)
        return false;
    if (HIWORD(wp) == LBN_SELCHANGE) {
        int now = ListIndex();
        if (multi_ != 0 || now != last_) {
            last_ = now;
            Click.Raise(Source("Click"));
        }
        result = 0;
        return true;
    }
    if (HIWORD(wp) == LBN_DBLCLK) {
        DblClick.Raise(Source("DblClick"));
        result = 0;
        return true;
    }
    return false;
}

ComboBox::ComboBox(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

HWND ComboBox::CreateWindowFor(HWND parent, int id)
{
    DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
    style |= style_ == vbComboDropdownList ? CBS_DROPDOWNLIST : style_ == vbComboSimple ? CBS_SIMPLE : CBS_DROPDOWN;
    if (sorted_)
        style |= CBS_SORT;
    // The height is the drop-down's: the closed box takes its own height from the font.
    RECT r = PixelRect();
    int listHeight = (r.bottom - r.top) + 200;
    HWND h = CreateWindowExA(0, "COMBOBOX", "", style | WS_CHILD | (visible_ ? WS_VISIBLE : 0), r.left, r.top,
                             r.right - r.left, listHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (h && style_ != vbComboDropdownList && !text_.empty()) {
        ++quiet_;
        SetWindowTextA(h, text_.c_str());
        --quiet_;
    }
    return h;
}

void ComboBox::CheckIndex(int index) const
{
    if (index < 0 || index >= ListCount())
        InvalidIndex(Name());
}

void ComboBox::AddItem(const std::string& item, int index)
{
    HWND h = hWnd();
    if (index < -1 || index > ListCount())
        InvalidIndex(Name());
    LRESULT r = (index < 0) ? SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()))
                            : SendMessageA(h, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(item.c_str()));
    newIndex_ = static_cast<int>(r);
    last_ = ListIndex();
}

void ComboBox::RemoveItem(int index)
{
    CheckIndex(index);
    SendMessageA(hWnd(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    last_ = ListIndex();
}

void ComboBox::Clear()
{
    ++quiet_;
    SendMessageA(hWnd(), CB_RESETCONTENT, 0, 0);
    --quiet_;
    last_ = -1;
}

int ComboBox::ListCount() const { return static_cast<int>(SendMessageA(hWnd(), CB_GETCOUNT, 0, 0)); }

std::string ComboBox::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    HWND h = hWnd();
    LRESULT n = SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    return CutAtNul(s);
}

int ComboBox::ListIndex() const { return static_cast<int>(SendMessageA(hWnd(), CB_GETCURSEL, 0, 0)); }

void ComboBox::ListIndex(int v)
{
    if (v < -1 || v >= ListCount())
        throw QlError(380, Name(), "Invalid property value");
    if (ListIndex() == v)
        return;
    std::string before = Text();
    ++quiet_;
    SendMessageA(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(v), 0);
    --quiet_;
    last_ = v;
    Click.Raise(Source("Click"));
}

intptr_t ComboBox::ItemData(int index) const
{
    CheckIndex(index);
    return static_cast<intptr_t>(SendMessageA(hWnd(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ComboBox::ItemData(int index, intptr_t v)
{
    CheckIndex(index);
    SendMessageA(hWnd(), CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(v));
}

std::string ComboBox::Text() const
{
    HWND h = hWnd();
    if (style_ == vbComboDropdownList) {
        int i = ListIndex();
        return i >= 0 ? List(i) : std::string();
    }
    int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(h, s.data(), n + 1);
    return CutAtNul(s);
}

void ComboBox::Text(const std::string& v)
{
    HWND h = hWnd();
    if (style_ == vbComboDropdownList) {
        LRESULT i = SendMessageA(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(v.c_str()));
        if (i != CB_ERR)
            ListIndex(static_cast<int>(i));
        return;
    }
    if (Text() == v)
        return;
    text_ = v;
    ++quiet_;
    SetWindowTextA(h, v.c_str());
    --quiet_;
    Change.Raise(Source("Change"));
}

bool ComboBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_COMMAND)
        return false;
    switch (HIWORD(wp)) {
    case CBN_SELCHANGE: {
        if (quiet_)
            return true;
        int now = ListIndex();
        if (now != last_) {
            last_ = now;
            Click.Raise(Source("Click"));
        }
        return true;
    }
    case CBN_EDITCHANGE:
        if (!quiet_)
            Change.Raise(Source("Change"));
        return true;
    case CBN_DROPDOWN:
        DropDown.Raise(Source("DropDown"));
        return true;
    default:
        return false;
    }
    (void)result;
}

}  // namespace platform::forms
