#include "core/tooltips/cTooltips.h"

#include <commctrl.h>

namespace {

void InitTips()
{
    static bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

}  // namespace

TOOLINFOA cTooltips::Tool()
{
    TOOLINFOA ti{};
    // The smaller record suits both versions of the common controls.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS | (centered_ ? TTF_CENTERTIP : 0);
    ti.hwnd = parent_;
    ti.uId = 0;
    ti.rect = toolRect_;
    ti.hinst = GetModuleHandleA(nullptr);
    ti.lpszText = const_cast<char*>(tipText_.c_str());
    return ti;
}

void cTooltips::Build()
{
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    DWORD style = WS_POPUP | WS_BORDER | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (style_ == StyleBalloon)
        style |= TTS_BALLOON;
    if (!parent_)
        return;
    InitTips();
    hwnd_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        return;
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    GetClientRect(parent_, &toolRect_);
    TOOLINFOA ti = Tool();
    SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(hwnd_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    SendMessageA(hwnd_, TTM_SETTITLEA, static_cast<WPARAM>(icon_), reinterpret_cast<LPARAM>(title_.c_str()));
    if (foreColor_ != 0)
        SendMessageA(hwnd_, TTM_SETTIPTEXTCOLOR, foreColor_, 0);
    if (backColor_ != 0)
        SendMessageA(hwnd_, TTM_SETTIPBKCOLOR, backColor_, 0);
}

void cTooltips::Rebuild()
{
    bool wasActive = active_;
    Build();
    SetActive(wasActive);
}

void cTooltips::CreateBalloon(HWND Parent, const std::string& Text, const std::string& Title, int32_t Icon,
                              const std::function<void()>& clearOwnTip)
{
    parent_ = Parent;
    style_ = StyleBalloon;
    tipText_ = Text;
    title_ = Title;
    icon_ = Icon;
    Build();
    SetActive(true);
    if (clearOwnTip)
        clearOwnTip();
}

void cTooltips::CreateTip(HWND Parent, const std::string& Text, const std::string& Title, int32_t Icon,
                          const std::function<void()>& clearOwnTip)
{
    parent_ = Parent;
    style_ = StyleRectangle;
    tipText_ = Text;
    title_ = Title;
    icon_ = (Icon == 1 || Icon > 3) ? 0 : Icon;
    Build();
    SetActive(true);
    if (clearOwnTip)
        clearOwnTip();
}

void cTooltips::SetActive(bool on)
{
    active_ = on;
    if (hwnd_)
        SendMessageA(hwnd_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

void cTooltips::SetParentControl(HWND control)
{
    parent_ = control;
    Rebuild();
}

void cTooltips::SetStyle(int32_t v)
{
    style_ = v;
    Rebuild();
}

void cTooltips::SetCentered(bool v)
{
    centered_ = v;
    Rebuild();
}

void cTooltips::SetIcon(int32_t v)
{
    icon_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, TTM_SETTITLEA, static_cast<WPARAM>(icon_), reinterpret_cast<LPARAM>(title_.c_str()));
    Rebuild();
}

void cTooltips::SetTitle(const std::string& v)
{
    title_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, TTM_SETTITLEA, static_cast<WPARAM>(icon_), reinterpret_cast<LPARAM>(title_.c_str()));
    Rebuild();
}

void cTooltips::SetForeColor(COLORREF v)
{
    foreColor_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, TTM_SETTIPTEXTCOLOR, foreColor_, 0);
    Rebuild();
}

void cTooltips::SetBackColor(COLORREF v)
{
    backColor_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, TTM_SETTIPBKCOLOR, backColor_, 0);
    Rebuild();
}

void cTooltips::SetTipText(const std::string& v)
{
    tipText_ = v;
    if (hwnd_) {
        TOOLINFOA ti = Tool();
        SendMessageA(hwnd_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    Rebuild();
}

bool cTooltips::Remove()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    return false;
}
