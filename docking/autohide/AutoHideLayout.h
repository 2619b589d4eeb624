#pragma once
// The arithmetic of auto-hide strips apart from their windows: tab extents, the room left for
// the perpendicular strips, the popup's rectangle and the hover decision.
#include <windows.h>

#include <vector>

namespace AutoHideLayout {

struct Extent {
  int start = 0, end = 0;
};

// Tabs laid end to end from startInset: text + 8, and 18 more with an image.
std::vector<Extent> LayoutTabs(const std::vector<int>& textWidths, const std::vector<bool>& hasImage, int startInset);

// Index of the first tab whose open interval holds the coordinate, -1 none.
int TabAt(const std::vector<Extent>& tabs, int along);

// How far a visible perpendicular strip reaches into this one from its start (or end).
int StartInset(int side, const RECT& strip, const RECT* other);
int EndInset(int side, const RECT& strip, const RECT* other);

// Where the popup of a pane window of size (w, h), grown by the frame borders, opens next to
// the strip of side (parent client coordinates).
RECT PopupRect(int side, const RECT& strip, int startInset, int endInset, int w, int h, int cxFrame, int cyFrame);

// One hover check: the popup opens when the mouse rests on the same tab at two checks in a
// row and that tab's pane is not already shown.
struct Hover {
  int timerId = -1;
  int hoverIndex = -1;
};
bool HoverOpens(Hover& state, int tab, bool tabAlreadyShown);

}  // namespace AutoHideLayout
