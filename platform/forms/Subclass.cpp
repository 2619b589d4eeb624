#include "platform/forms/Subclass.h"

#include <commctrl.h>

#include "platform/forms/Dispatch.h"

namespace platform::forms {

bool Subclass::Attach(HWND hwnd, Handler handler, std::string source)
{
    Detach();
    if (!hwnd || !IsWindow(hwnd))
        return false;
    handler_ = std::move(handler);
    source_ = std::move(source);
    if (!SetWindowSubclass(hwnd, Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = hwnd;
    return true;
}

void Subclass::Detach()
{
    if (hwnd_) {
        RemoveWindowSubclass(hwnd_, Proc, reinterpret_cast<UINT_PTR>(this));
        hwnd_ = nullptr;
    }
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref)
{
    auto* self = reinterpret_cast<Subclass*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Proc, id);
        self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    bool handled = false;
    if (self->handler_) {
        Handler h = self->handler_;
        Dispatch(self->source_, [&] { handled = h(hwnd, msg, wp, lp, result); });
    }
    if (handled)
        return result;
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace platform::forms
