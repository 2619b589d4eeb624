#include "platform/controls/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/QlError.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static constexpr UINT_PTR kLockTimer = 0x5B;

StatusBar::StatusBar(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    Align(2);
}

HWND StatusBar::CreateWindowFor(HWND parent, int id)
{
    RegisterSuperclass(StatusBarClassName(), STATUSCLASSNAMEA);
    // The form places it (aligned bottom); the bar must not move itself on every resize.
    return MakeWindow(StatusBarClassName(), "", CCS_NORESIZE | CCS_NOPARENTALIGN | SBARS_SIZEGRIP, 0, parent, id);
}

void StatusBar::AfterCreate()
{
    Apply();
    SetTimer(hwnd_, kLockTimer, 500, nullptr);
}

std::string StatusBar::Shown(const Panel& p) const
{
    if (p.style == sbrCaps)
        return (GetKeyState(VK_CAPITAL) & 1) ? "CAPS" : "";
    if (p.style == sbrNum)
        return (GetKeyState(VK_NUMLOCK) & 1) ? "NUM" : "";
    return p.text;
}

void StatusBar::Apply()
{
    if (!hwnd_ || panels_.empty())
        return;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        x += TwipsToPixelsX(panels_[i].width);
        edges.push_back(i + 1 == panels_.size() ? -1 : x);
    }
    SendMessageA(hwnd_, SB_SIMPLE, FALSE, 0);
    SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < panels_.size(); ++i) {
        std::string t = Shown(panels_[i]);
        SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(t.c_str()));
    }
}

int StatusBar::AddPanel(const std::string& text, int widthTwips, int style)
{
    panels_.push_back({text, std::max(0, widthTwips), style});
    Apply();
    return PanelCount();
}

std::string StatusBar::PanelText(int index) const
{
    if (index < 1 || index > PanelCount())
        throw QlError(35600, Name(), "Index out of bounds");
    return Shown(panels_[static_cast<size_t>(index - 1)]);
}

void StatusBar::PanelText(int index, const std::string& text)
{
    if (index < 1 || index > PanelCount())
        throw QlError(35600, Name(), "Index out of bounds");
    panels_[static_cast<size_t>(index - 1)].text = text;
    if (HWND h = hWnd())
        SendMessageA(h, SB_SETTEXTA, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SimpleText(const std::string& text)
{
    if (HWND h = hWnd()) {
        SendMessageA(h, SB_SIMPLE, TRUE, 0);
        SendMessageA(h, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

bool StatusBar::OnOwnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_TIMER && wp == kLockTimer) {
        for (size_t i = 0; i < panels_.size(); ++i)
            if (panels_[i].style != sbrText) {
                std::string t = Shown(panels_[i]);
                SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(t.c_str()));
            }
        result = 0;
        return true;
    }
    if (msg == WM_DESTROY)
        KillTimer(hwnd_, kLockTimer);
    return false;
}

Slider::Slider(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}

HWND Slider::CreateWindowFor(HWND parent, int id)
{
    RegisterSuperclass(SliderClassName(), TRACKBAR_CLASSA);
    HWND h = MakeWindow(SliderClassName(), "", WS_TABSTOP | TBS_AUTOTICKS | TBS_HORZ, 0, parent, id);
    if (h) {
        SendMessageA(h, TBM_SETRANGEMIN, FALSE, min_);
        SendMessageA(h, TBM_SETRANGEMAX, FALSE, max_);
        SendMessageA(h, TBM_SETTICFREQ, static_cast<WPARAM>(tick_), 0);
        SendMessageA(h, TBM_SETPOS, TRUE, value_);
    }
    return h;
}

void Slider::Min(int v)
{
    min_ = v;
    value_ = std::max(value_, std::min(min_, max_));
    if (hwnd_)
        SendMessageA(hwnd_, TBM_SETRANGEMIN, TRUE, v);
}

void Slider::Max(int v)
{
    max_ = v;
    value_ = std::min(value_, std::max(min_, max_));
    if (hwnd_)
        SendMessageA(hwnd_, TBM_SETRANGEMAX, TRUE, v);
}

int Slider::Value() const { return hwnd_ ? static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0)) : value_; }

void Slider::Value(int v)
{
    if (v < std::min(min_, max_) || v > std::max(min_, max_))
        throw QlError(380, Name(), "Invalid property value");
    EnsureLoaded();
    if (v == Value())
        return;
    value_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, TBM_SETPOS, TRUE, v);
    Change.Raise(Source("Change"));
}

bool Slider::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_HSCROLL && msg != WM_VSCROLL)
        return false;
    int now = Value();
    if (LOWORD(wp) == TB_THUMBTRACK) {
        if (now != value_) {
            value_ = now;
            Scroll.Raise(Source("Scroll"));
        }
    } else if (LOWORD(wp) != TB_ENDTRACK) {
        value_ = now;
        Change.Raise(Source("Change"));
    }
    result = 0;
    return true;
}

}  // namespace platform::forms
