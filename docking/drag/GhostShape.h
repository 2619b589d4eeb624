#pragma once
// The outline drawn while a pane is dragged: a frame of four bars, or a tab-shaped outline.
#include <windows.h>
#include <vector>

namespace GhostShape {

// One bar of the outline: origin and extent (never negative).
struct Bar {
  int x, y, w, h;
  bool operator==(const Bar&) const = default;
};

// Border thickness: thin for a dock zone (0-3), thicker for the halftone float ghost.
inline int BorderFor(int zone) { return zone <= 3 ? 2 : 3; }

// Bars of the outline of (x, y, w, h) with border t; a tab outline when asTab.
std::vector<Bar> Bars(int x, int y, int w, int h, int t, bool asTab);

// Draws the bars with PATINVERT in the DC's selected brush (drawing twice erases).
void Invert(HDC dc, const std::vector<Bar>& bars);

}  // namespace GhostShape
