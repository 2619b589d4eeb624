#pragma once
// The module the docking code lives in (XMoorline.dll, or a test executable that links it),
// and the count of live objects and locks that DllCanUnloadNow answers from.
#include <windows.h>

#include <string>

namespace dockmod {

HINSTANCE Instance();
std::string ModulePath();

void AddRef();
void Release();
long LiveCount();

}  // namespace dockmod
