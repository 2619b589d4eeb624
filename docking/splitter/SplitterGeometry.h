#pragma once
// Limits and results of a splitter drag, in the frame's client coordinates.
#include <windows.h>

namespace SplitterGeometry {

struct Limits {
  int lower = 0;
  int upper = 0;
  bool Usable() const { return lower < upper; }
};

// Bars of orientation 1 and 3 lie horizontally and move up and down.
inline bool IsHorizontal(int orientation) { return orientation == 1 || orientation == 3; }

// Edge splitter of a section on side (0 left, 1 top, 2 right, 3 bottom): the section keeps a
// minimum and the sections further in (innerSum) keep their room.
Limits SectionLimits(int side, const RECT& section, const RECT& client, int innerSum);

// Bar between the two children of a split block (first = left/top).
Limits BlockLimits(int orientation, const RECT& first, const RECT& second);

// Tracker rectangle for a cursor at (x, y): keeps its size, moves along the bar's axis, clamped.
RECT TrackerAt(const RECT& tracker, int orientation, int x, int y, const Limits& limits);

// Distance the bar moves when the tracker is released.
int CommitDelta(const RECT& bar, const RECT& tracker, int orientation);

// Moves the split between two child rectangles by delta along the bar's axis and gives the new
// ratio (first / second, 999 when the second has no extent left).
float MoveSplit(RECT& first, RECT& second, int orientation, int delta);

// Root block rectangle of a section after its edge bar moved by delta (the inner edge moves).
RECT GrowSectionRoot(const RECT& root, int side, int delta);

}  // namespace SplitterGeometry
