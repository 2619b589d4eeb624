#include "platform/controls/RichTextBox.h"

#include <richedit.h>

#include <cmath>
#include <cstring>

#include "platform/QlError.h"
#include "platform/AnsiText.h"

namespace platform::forms {

RichTextBox::RichTextBox(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

HWND RichTextBox::CreateWindowFor(HWND parent, int id)
{
    static HMODULE lib = LoadLibraryA("riched20.dll");
    if (!lib)
        throw QlError(0, Name(), "RichEdit is not available");
    // Controls laid over the box (the preview's queue indicator) must not be painted over
    // when the box repaints after a resize or a scroll.
    DWORD style = WS_TABSTOP | WS_CLIPSIBLINGS | ES_NOHIDESEL | ES_SAVESEL;
    if (multiLine_)
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (scrollBars_ & 1)
        style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (scrollBars_ & 2)
        style |= WS_VSCROLL;
    if (locked_)
        style |= ES_READONLY;
    return MakeWindow(RICHEDIT_CLASSA, "", style, WS_EX_CLIENTEDGE, parent, id);
}

void RichTextBox::AfterCreate()
{
    // Proof sheets of every installed font run far past the 32K default.
    SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageA(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(TranslateColor(BackColor())));
}

std::string RichTextBox::Text() const
{
    HWND h = hWnd();
    GETTEXTLENGTHEX gl{GTL_DEFAULT | GTL_NUMCHARS, CP_ACP};
    LRESULT n = SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) * 2 + 2, '\0');
    GETTEXTEX gt{};
    gt.cb = static_cast<DWORD>(s.size());
    gt.flags = GT_DEFAULT;
    gt.codepage = CP_ACP;
    SendMessageA(h, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(s.data()));
    return CutAtNul(s);
}

void RichTextBox::Text(const std::string& v) { SetWindowTextA(hWnd(), v.c_str()); }

int RichTextBox::SelStart() const
{
    CHARRANGE r{};
    SendMessageA(hWnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMin;
}

void RichTextBox::SelStart(int v)
{
    CHARRANGE r{v, v};
    SendMessageA(hWnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int RichTextBox::SelLength() const
{
    CHARRANGE r{};
    SendMessageA(hWnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMax - r.cpMin;
}

void RichTextBox::SelLength(int v)
{
    CHARRANGE r{};
    SendMessageA(hWnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    r.cpMax = r.cpMin + (v < 0 ? 0 : v);
    SendMessageA(hWnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::string RichTextBox::SelText() const
{
    int n = SelLength();
    std::string s(static_cast<size_t>(n) * 2 + 2, '\0');
    SendMessageA(hWnd(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(s.data()));
    return CutAtNul(s);
}

void RichTextBox::SelText(const std::string& v)
{
    SendMessageA(hWnd(), EM_REPLACESEL, updating_ ? FALSE : TRUE, reinterpret_cast<LPARAM>(v.c_str()));
}

static CHARFORMAT2A GetFormat(HWND h)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(h, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

void RichTextBox::SetFormat(DWORD mask, DWORD effects, const void*)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = mask;
    cf.dwEffects = effects;
    SendMessageA(hWnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

std::string RichTextBox::SelFontName() const { return GetFormat(hWnd()).szFaceName; }

void RichTextBox::SelFontName(const std::string& v)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE;
    std::strncpy(cf.szFaceName, v.c_str(), LF_FACESIZE - 1);
    SendMessageA(hWnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

double RichTextBox::SelFontSize() const { return GetFormat(hWnd()).yHeight / 20.0; }

void RichTextBox::SelFontSize(double points)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_SIZE;
    cf.yHeight = static_cast<LONG>(std::lround(points * 20));
    SendMessageA(hWnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

bool RichTextBox::SelBold() const { return (GetFormat(hWnd()).dwEffects & CFE_BOLD) != 0; }
void RichTextBox::SelBold(bool v) { SetFormat(CFM_BOLD, v ? CFE_BOLD : 0); }
bool RichTextBox::SelItalic() const { return (GetFormat(hWnd()).dwEffects & CFE_ITALIC) != 0; }
void RichTextBox::SelItalic(bool v) { SetFormat(CFM_ITALIC, v ? CFE_ITALIC : 0); }
bool RichTextBox::SelUnderline() const { return (GetFormat(hWnd()).dwEffects & CFE_UNDERLINE) != 0; }
void RichTextBox::SelUnderline(bool v) { SetFormat(CFM_UNDERLINE, v ? CFE_UNDERLINE : 0); }
COLORREF RichTextBox::SelColor() const { return GetFormat(hWnd()).crTextColor; }

void RichTextBox::SelColor(COLORREF c)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = c;
    SendMessageA(hWnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void RichTextBox::SelCharset(int charset)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_CHARSET;
    cf.bCharSet = static_cast<BYTE>(charset);
    SendMessageA(hWnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void RichTextBox::BackColor(OleColor c)
{
    Control::BackColor(c);
    if (hwnd_)
        SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(TranslateColor(c)));
}

void RichTextBox::Locked(bool v)
{
    locked_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, EM_SETREADONLY, v, 0);
}

void RichTextBox::Append(const std::string& text)
{
    HWND h = hWnd();
    CHARRANGE end{-1, -1};
    SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {
struct StreamState {
    const std::string* text;
    size_t pos;
};
DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* got)
{
    auto* s = reinterpret_cast<StreamState*>(cookie);
    size_t n = std::min(static_cast<size_t>(cb), s->text->size() - s->pos);
    std::memcpy(buf, s->text->data() + s->pos, n);
    s->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}
}  // namespace

void RichTextBox::TextRTF(const std::string& rtf)
{
    StreamState st{&rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&st), 0, ReadRtf};
    SendMessageA(hWnd(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

void RichTextBox::SelRTF(const std::string& rtf)
{
    StreamState st{&rtf, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&st), 0, ReadRtf};
    SendMessageA(hWnd(), EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&es));
}

void RichTextBox::Recreate()
{
    if (!hwnd_ || updating_)
        return;
    Destroy();
    Create();
}

void RichTextBox::BeginUpdate()
{
    HWND h = hWnd();
    if (updating_++ == 0) {
        // A hidden box draws nothing anyway, and turning drawing back on would mark it
        // visible without showing it: its frame (the scroll bars) would stay unpainted
        // and showing it afterwards would do nothing.
        redrawOff_ = IsWindowVisible(h) != FALSE;
        if (redrawOff_)
            SendMessageA(h, WM_SETREDRAW, FALSE, 0);
        SendMessageA(h, EM_SETUNDOLIMIT, 0, 0);
    }
}

void RichTextBox::EndUpdate()
{
    if (updating_ == 0 || --updating_ > 0)
        return;
    HWND h = hWnd();
    SendMessageA(h, EM_SETUNDOLIMIT, 100, 0);
    if (redrawOff_) {
        SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        // The frame too: a scroll bar shown or hidden during the fill was never drawn.
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        redrawOff_ = false;
    }
}

bool RichTextBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        if (!updating_)
            Change.Raise(Source("Change"));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace platform::forms
