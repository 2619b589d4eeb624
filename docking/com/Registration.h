#pragma once
// Self-registration of the two control classes, written out by hand.
#include <windows.h>

#include <string>

namespace dockreg {

// Writes the ProgID and class keys of both classes below root (HKEY_CLASSES_ROOT for the real
// thing). Each class key is replaced when it exists; the CLSID key itself is never removed.
HRESULT RegisterClasses(HKEY root, const std::string& modulePath);
HRESULT UnregisterClasses(HKEY root);

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace dockreg
