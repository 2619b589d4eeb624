#include "DialogDriver.h"

#include <dlgs.h>

namespace ql::test {

namespace {
DialogDriver* g_active = nullptr;
}

DialogDriver::DialogDriver(Script script) : script_(std::move(script))
{
    g_active = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (timer_)
        KillTimer(nullptr, timer_);
    g_active = nullptr;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE && g_active && !g_active->dialog_) {
        HWND w = reinterpret_cast<HWND>(wp);
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            g_active->dialog_ = w;
            g_active->owner_ = GetWindow(w, GW_OWNER);
            g_active->timer_ = SetTimer(nullptr, 0, 200, Tick);
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_active || g_active->ran_) {
        KillTimer(nullptr, id);
        return;
    }
    bool done = g_active->script_(g_active->dialog_);
    if (!done && ++g_active->tries_ >= 50)
        Press(g_active->dialog_, IDCANCEL);  // never leave a test hanging on a dialog
    if (done || g_active->tries_ >= 50) {
        KillTimer(nullptr, id);
        g_active->timer_ = 0;
        g_active->ran_ = true;
    }
}

void DialogDriver::Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void DialogDriver::TypeFileName(HWND dialog, const char* text)
{
    // The name box is an edit (edt1) or a combo box (cmb13) with an edit inside.
    HWND box = GetDlgItem(dialog, edt1);
    if (!box)
        box = GetDlgItem(dialog, cmb13);
    SetWindowTextA(box, text);
}

}  // namespace ql::test
