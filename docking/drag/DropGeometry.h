#pragma once
// Size and position rules of a pane drop, apart from the windows involved.
#include <windows.h>
#include <optional>

namespace DropGeometry {

// Proposed ghost size and origin while the cursor is over a dock zone.
struct Proposal {
  int width = 0;
  int height = 0;
  int ghostX = 0;
  int ghostY = 0;
};

// Fits a proposed size to the target rectangle at zone 0-3: along the edge the target's extent
// (unless fixed), across it at most limit (tabs keep theirs). A ghost at the right or bottom keeps
// its far edge.
void AdjustDropSize(int zone, Proposal& p, int limit, const RECT& target, bool fixed, bool asTab,
                    bool inMiniFrame);

// Top-left of a floating ghost that keeps the grab point's proportional place under the cursor.
POINT FloatGhostOrigin(POINT cursor, int grabX, int grabY, int dragWidth, int dragHeight,
                       int ghostWidth, int ghostHeight);

// Keeps a floating ghost of the given size reachable inside the work area: its top within the
// area, and at least 15 pixels of it inside at the left, right and bottom.
POINT ClampFloatGhost(POINT origin, int width, int height, const RECT& workArea);

// Split ratio of a parent block that makes a new child at ownSide take docked pixels.
// None when the docked size does not lie strictly inside the parent's extent.
std::optional<float> RatioFromDockedSize(const RECT& parent, int splitSide, int ownSide,
                                         int dockedWidth, int dockedHeight);

}  // namespace DropGeometry
