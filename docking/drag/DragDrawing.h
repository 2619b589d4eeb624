#pragma once
// Drag trackers draw with the shared helpers; a modal loop that meets WM_QUIT hands it on.
#include <windows.h>

#include "docking/framework/DrawHelpers.h"

namespace DragDrawing {

inline void RepostQuit(const MSG& msg) { PostQuitMessage(static_cast<int>(msg.wParam)); }

}  // namespace DragDrawing
