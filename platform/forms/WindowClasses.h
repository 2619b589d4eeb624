#pragma once
// The window classes of the forms and controls. The docking library recognises the
// program's bars and tree views by these names, so they are fixed.
#include <windows.h>

namespace platform::forms {

inline const char* FormClassName() { return "ThunderRT6FormDC"; }
inline const char* MDIFormClassName() { return "ThunderRT6MDIForm"; }
inline const char* PictureBoxClassName() { return "ThunderRT6PictureBoxDC"; }
inline const char* FrameClassName() { return "ThunderRT6Frame"; }
inline const char* StatusBarClassName() { return "StatusBar20WndClass"; }
inline const char* TreeViewClassName() { return "TreeView20WndClass"; }
inline const char* ToolbarClassName() { return "Toolbar20WndClass"; }
inline const char* ListViewClassName() { return "ListView20WndClass"; }
inline const char* SliderClassName() { return "Slider20WndClass"; }

// Registers the form classes (and initialises the common controls); idempotent.
void RegisterFormClasses();

// A class that behaves as baseClass under another name (the system's own procedure).
// Idempotent; false when the base class is unknown.
bool RegisterSuperclass(const char* name, const char* baseClass);

// An own class with the given procedure; idempotent.
bool RegisterOwnClass(const char* name, WNDPROC proc, UINT style, HBRUSH background);

}  // namespace platform::forms
