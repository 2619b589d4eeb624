#pragma once
// The message boxes that core shows go through one seam, so that a test can answer or
// record them instead of blocking on a modal box.
#include <windows.h>

#include <functional>
#include <string>

namespace ql {

using MessageBoxSeam = std::function<int(HWND owner, const std::string& text, const std::string& title, UINT flags)>;

// Replaces the box (an empty function restores MessageBoxA); returns the previous seam.
MessageBoxSeam SetMessageBoxSeam(MessageBoxSeam seam);

// Shows a box through the seam; the result is the button's id (IDOK, ...).
int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags);

}  // namespace ql
