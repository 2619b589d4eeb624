#pragma once
// A rich-text control's target device (EM_SETTARGETDEVICE) owned for as long as the
// control uses it: the device context goes when the control gets another one from here
// or is destroyed, so laying text out for a printer leaks nothing.
#include <windows.h>

namespace ql::print {

// Makes dc the control's target device with that line width (twips) and takes it over.
// Without a control the device context is deleted at once.
void GiveTargetDevice(HWND rtb, HDC dc, LONG lineWidth);

}  // namespace ql::print
