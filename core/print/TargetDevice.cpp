#include "core/print/TargetDevice.h"

#include <commctrl.h>
#include <richedit.h>

namespace ql::print {

namespace {

constexpr UINT_PTR kOwnerId = 0x51545244;  // one subclass per control, whatever calls it

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR dc)
{
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, OwnerProc, id);
        LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        DeleteDC(reinterpret_cast<HDC>(dc));
        return r;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void GiveTargetDevice(HWND rtb, HDC dc, LONG lineWidth)
{
    if (!rtb || !IsWindow(rtb)) {
        DeleteDC(dc);
        return;
    }
    SendMessageA(rtb, EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(dc), lineWidth);
    DWORD_PTR previous = 0;
    bool had = GetWindowSubclass(rtb, OwnerProc, kOwnerId, &previous) != FALSE;
    if (!SetWindowSubclass(rtb, OwnerProc, kOwnerId, reinterpret_cast<DWORD_PTR>(dc))) {
        // Nobody could delete it later: the control goes back to its window's width.
        SendMessageA(rtb, EM_SETTARGETDEVICE, 0, 0);
        DeleteDC(dc);
        return;
    }
    if (had && previous && previous != reinterpret_cast<DWORD_PTR>(dc))
        DeleteDC(reinterpret_cast<HDC>(previous));
}

}  // namespace ql::print
