#pragma once
// What a tab strip's window does: it paints the tabs of its strip, selects a tab on a press
// and floats or docks the shown pane on a double click. Taken on by subclassing the strip's
// window once the strip shows in a pane.
#include <windows.h>

class CTabStrip;

namespace TabStripWindow {

// Subclasses the strip's window (once); nothing for a strip without a window.
void Adopt(CTabStrip* strip);
bool Adopted(const CTabStrip* strip);
// The strip's tooltip (one tool per tab with the pane's title), made on its first paint;
// null before, or without the common controls.
HWND ToolTipOf(const CTabStrip* strip);
// Tab under a client x of the strip, -1 for none (extents follow the panes' titles).
int TabAt(CTabStrip* strip, int x);
// Tab strictly inside whose edges x lies (a dragged tab passing over), -1 for none.
int TabUnder(CTabStrip* strip, int x);

}  // namespace TabStripWindow
