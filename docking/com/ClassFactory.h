#pragma once
// Class objects of the library's two control classes.
#include <unknwn.h>

namespace dockserver {

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv);
HRESULT CanUnloadNow();

}  // namespace dockserver
