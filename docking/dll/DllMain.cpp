#include "docking/com/ClassFactory.h"
#include "docking/com/Registration.h"
#include "docking/framework/Guard.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return dockserver::CanUnloadNow(); }

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return dockguard::Com("DllGetClassObject", [&] { return dockserver::GetClassObject(clsid, riid, ppv); });
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    return dockguard::Com("DllRegisterServer", [] { return dockreg::RegisterServer(); });
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    return dockguard::Com("DllUnregisterServer", [] { return dockreg::UnregisterServer(); });
}
