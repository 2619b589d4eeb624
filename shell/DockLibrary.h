#pragma once
// Where the docking library's classes come from: the registered classes when the library
// is registered, else DllGetClassObject of XMoorline.dll beside the program, so the
// program also runs from its own folder on a machine where the library was never
// registered. The choice is made once per process, for both classes alike (a frame and
// its panes must come from one copy of the library).
#include <windows.h>

#include <string>

namespace DockLibrary {

enum class Source { Registered, BesideProgram, None };

// The class factory of the library's class (a reference of the caller's own), or
// nullptr after a message box saying that the library cannot be found.
IClassFactory* ClassFactory(const CLSID& clsid);

// The source chosen so far (None before the first call or when nothing worked).
Source CurrentSource();

// The file the library is loaded from beside the program.
std::string BesideProgramPath();

// ---- Seams for tests ------------------------------------------------------------
// Forgets the choice; with registration off the registered classes are not asked, and
// a non-empty folder replaces the program's folder.
void ResetForTests(bool useRegistration = true, const std::string& folder = std::string());

}  // namespace DockLibrary
