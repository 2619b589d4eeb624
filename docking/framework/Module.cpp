#include "docking/framework/Module.h"

namespace dockmod {

namespace {
long g_live = 0;
}

HINSTANCE Instance()
{
    static HINSTANCE instance = [] {
        HMODULE mod = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&Instance), &mod);
        return static_cast<HINSTANCE>(mod);
    }();
    return instance;
}

std::string ModulePath()
{
    char buf[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(Instance(), buf, sizeof(buf) - 1);
    return std::string(buf, n);
}

void AddRef() { InterlockedIncrement(&g_live); }
void Release() { InterlockedDecrement(&g_live); }
long LiveCount() { return g_live; }

}  // namespace dockmod
