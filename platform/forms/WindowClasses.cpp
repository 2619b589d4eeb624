#include "platform/forms/WindowClasses.h"

#include <commctrl.h>

namespace platform::forms {

static bool Registered(HINSTANCE inst, const char* name)
{
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExA(inst, name, &existing) != 0;
}

bool RegisterSuperclass(const char* name, const char* baseClass)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (Registered(inst, name))
        return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, baseClass, &wc))
        return false;
    wc.cbSize = sizeof wc;
    wc.hInstance = inst;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    return RegisterClassExA(&wc) != 0;
}

bool RegisterOwnClass(const char* name, WNDPROC proc, UINT style, HBRUSH background)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (Registered(inst, name))
        return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace platform::forms
