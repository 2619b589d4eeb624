#include "docking/framework/Subclass.h"

#include "docking/framework/Guard.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<CSubclassOwner*, HWND>>& Registry()
{
    static std::vector<std::pair<CSubclassOwner*, HWND>> list;
    return list;
}

LRESULT CALLBACK SubclassDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR refData)
{
    auto* owner = reinterpret_cast<CSubclassOwner*>(refData);
    if (message == WM_NCDESTROY) {
        // The window goes: drop our entry so no later message finds a stale owner.
        LRESULT r = dockguard::Call<LRESULT>("SubclassDispatchProc", 0,
                                             [&] { return owner->SubclassProc(hwnd, message, wParam, lParam); });
        UnsubclassWindow(owner, hwnd);
        return r;
    }
    return dockguard::Call<LRESULT>("SubclassDispatchProc", 0,
                                    [&] { return owner->SubclassProc(hwnd, message, wParam, lParam); });
}

}  // namespace

LRESULT CSubclassOwner::CallNext(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

int SubclassWindow(CSubclassOwner* owner, HWND hwnd)
{
    if (!hwnd || !owner)
        return 0;
    auto& reg = Registry();
    for (auto& e : reg)
        if (e.second == hwnd)
            return 0;
    if (!SetWindowSubclass(hwnd, SubclassDispatchProc, reinterpret_cast<UINT_PTR>(owner),
                           reinterpret_cast<DWORD_PTR>(owner)))
        return 0;
    reg.emplace_back(owner, hwnd);
    return 1;
}

void UnsubclassWindow(CSubclassOwner* owner, HWND hwnd)
{
    if (!hwnd)
        return;
    RemoveWindowSubclass(hwnd, SubclassDispatchProc, reinterpret_cast<UINT_PTR>(owner));
    auto& reg = Registry();
    auto it = std::find(reg.begin(), reg.end(), std::make_pair(owner, hwnd));
    if (it != reg.end())
        reg.erase(it);
}

bool IsSubclassedBy(CSubclassOwner* owner, HWND hwnd)
{
    auto& reg = Registry();
    return std::find(reg.begin(), reg.end(), std::make_pair(owner, hwnd)) != reg.end();
}

int SubclassedWindowCount() { return static_cast<int>(Registry().size()); }
