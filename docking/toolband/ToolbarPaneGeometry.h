#pragma once
// Where a toolbar pane puts its grip and its toolbar, and how much room it asks for when it
// docks: plain rectangle arithmetic.
#include <windows.h>

namespace ToolbarPaneGeometry {

constexpr int kGrip = 16;

// Rows along the top and bottom carry the grip at the left, rows at the sides at the top.
inline bool GripAtLeft(int side) { return side == 1 || side == 3; }

// Client area inside the window rectangle: a docked pane gives up its grip.
RECT ReserveGrip(RECT window, bool docked, int side);
// Whether a screen point lies on the grip.
bool OnGrip(const RECT& window, POINT screen, bool docked, int side);
// The toolbar's rectangle in the client area: docked rows leave a small margin for the edge.
RECT ContentRect(const RECT& client, bool docked, int side);
// Docked size for a fitted toolbar size: the grip's 16 along the grip's direction, 6 across.
SIZE DropSize(SIZE fitted, int zone);

}  // namespace ToolbarPaneGeometry
