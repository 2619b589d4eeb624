#pragma once
// Return in a tree view of a pane form toggles the selected node instead of reaching the form's
// default button; while Return is held elsewhere, caret queries answer no item unless the main
// frame lets them through (EnableTVReturnQuery).
#include <windows.h>

namespace TreeViewReturn {

// Subclasses window and every window below it whose class is a tree view's.
void HookTreeViews(HWND window);
// Whether the window carries the Return-key procedure.
bool IsHooked(HWND treeView);
// Whether caret queries pass while Return is held elsewhere; set by the main frame.
void SetQueryAllowed(bool (*allowed)());

}  // namespace TreeViewReturn
