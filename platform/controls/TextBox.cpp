#include "platform/controls/TextBox.h"

#include "platform/AnsiText.h"

namespace platform::forms {

static std::string WindowText(HWND h)
{
    int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(h, s.data(), n + 1);
    return CutAtNul(s);
}

TextBox::TextBox(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

std::string TextBox::Text() const { return hwnd_ ? WindowText(hwnd_) : text_; }

void TextBox::Text(const std::string& v)
{
    EnsureLoaded();
    if (Text() == v)
        return;
    text_ = v;
    if (hwnd_) {
        ++quiet_;
        SetWindowTextA(hwnd_, v.c_str());
        --quiet_;
    }
    Change.Raise(Source("Change"));
}

void TextBox::Locked(bool v)
{
    locked_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, EM_SETREADONLY, v, 0);
}

void TextBox::MaxLength(int v)
{
    maxLength_ = v < 0 ? 0 : v;
    if (hwnd_)
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

int TextBox::SelStart() const
{
    DWORD s = 0, e = 0;
    if (HWND h = hWnd())
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int>(s);
}

void TextBox::SelStart(int v)
{
    if (HWND h = hWnd())
        SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(v), v);
}

int TextBox::SelLength() const
{
    DWORD s = 0, e = 0;
    if (HWND h = hWnd())
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int>(e - s);
}

void TextBox::SelLength(int v)
{
    int s = SelStart();
    if (HWND h = hWnd())
        SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(s), s + (v < 0 ? 0 : v));
}

std::string TextBox::SelText() const
{
    int s = SelStart(), n = SelLength();
    std::string t = Text();
    if (s < 0 || s > static_cast<int>(t.size()))
        return {};
    return t.substr(static_cast<size_t>(s), static_cast<size_t>(n));
}

void TextBox::SelText(const std::string& v)
{
    if (HWND h = hWnd()) {
        std::string before = Text();
        ++quiet_;
        SendMessageA(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(v.c_str()));
        --quiet_;
        if (Text() != before)
            Change.Raise(Source("Change"));
    }
}

HWND TextBox::CreateWindowFor(HWND parent, int id)
{
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine_) {
        style |= ES_MULTILINE | ES_WANTRETURN;
        if (!(scrollBars_ & 1))
            style &= ~ES_AUTOHSCROLL;
        style |= ES_AUTOVSCROLL;
    }
    if (scrollBars_ & 1)
        style |= WS_HSCROLL;
    if (scrollBars_ & 2)
        style |= WS_VSCROLL;
    if (align_ == 1)
        style |= ES_RIGHT;
    else if (align_ == 2)
        style |= ES_CENTER;
    if (locked_)
        style |= ES_READONLY;
    if (password_)
        style |= ES_PASSWORD;
    ++quiet_;
    HWND h = MakeWindow("EDIT", text_, style, WS_EX_CLIENTEDGE, parent, id);
    --quiet_;
    if (h) {
        if (maxLength_)
            SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
        if (password_)
            SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(password_)), 0);
    }
    return h;
}

bool TextBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        if (quiet_ == 0)
            Change.Raise(Source("Change"));
        result = 0;
        return true;
    }
    return false;
}

void TextBox::BeforeDestroy()
{
    if (hwnd_)
        text_ = WindowText(hwnd_);
}

Label::Label(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}

DWORD Label::StaticStyle() const
{
    DWORD style = SS_NOTIFY;
    style |= align_ == 1 ? SS_RIGHT : align_ == 2 ? SS_CENTER : SS_LEFT;
    if (!wordWrap_ && align_ == 0)
        style = (style & ~SS_LEFT) | SS_LEFTNOWORDWRAP;
    if (!mnemonic_)
        style |= SS_NOPREFIX;
    return style;
}

void Label::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_) {
        SetWindowTextA(hwnd_, v.c_str());
        if (backStyle_ == 0) {
            // The text is drawn over the container: repaint what was under the old text.
            RECT r;
            GetWindowRect(hwnd_, &r);
            HWND parent = GetParent(hwnd_);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            InvalidateRect(parent, &r, TRUE);
        }
    }
}

void Label::Alignment(int v)
{
    align_ = v;
    if (hwnd_) {
        LONG s = GetWindowLongA(hwnd_, GWL_STYLE) & ~(SS_TYPEMASK);
        SetWindowLongA(hwnd_, GWL_STYLE, s | static_cast<LONG>(StaticStyle() & SS_TYPEMASK));
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void Label::BackStyle(int v)
{
    backStyle_ = v;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND Label::CreateWindowFor(HWND parent, int id)
{
    return MakeWindow("STATIC", caption_, StaticStyle() | (border_ ? WS_BORDER : 0), 0, parent, id);
}

bool Label::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        Click.Raise(Source("Click"));
        result = 0;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == STN_DBLCLK) {
        DblClick.Raise(Source("DblClick"));
        result = 0;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, TranslateColor(ForeColor()));
        if (backStyle_ == 0) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            SetBkColor(dc, TranslateColor(BackColor()));
            result = reinterpret_cast<LRESULT>(BackBrush());
        }
        return true;
    }
    return false;
}

}  // namespace platform::forms
