#pragma once
// Rectangle arithmetic of the docking layout: pure functions, no windows involved.
#include <windows.h>

#include <vector>

namespace dockgeo {

constexpr int kSplitterWidth = 4;
constexpr int kDropBand = 12;
constexpr int kNoRect = -6000;    // missing block rectangle
constexpr int kUnsetRect = -4000; // unset position or client rectangle
constexpr int kNoZone = 255;
constexpr int kMinShrunkSection = 16;

inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
inline RECT MakeRect(int l, int t, int r, int b) { RECT rc = {l, t, r, b}; return rc; }
inline RECT NoRect() { return MakeRect(kNoRect, kNoRect, kNoRect, kNoRect); }
inline bool IsStacked(int side) { return side == 1 || side == 3; }
inline int OppositeSide(int side) { return (side + 2) & 3; }

// Zone of a point against a rectangle: side * 2 + 1 within the drop band inside an edge,
// side * 2 within the band outside it, 255 elsewhere.
int DockZoneFromPoint(const RECT& rc, int x, int y);

// Extents of a split along its axis: the second child gets (h - 4) / (ratio + 1), the first
// the rest less the splitter. Never negative, however small h gets.
void SplitExtents(int h, float ratio, int& first, int& second);

// Ghost origin for a drop at zone's side of rc with a ghost of size w x h.
POINT DropOrigin(int zone, const RECT& rc, int w, int h);
// Ghost origin for a drop at the outer corner of a section's rectangle.
POINT SectionDropOrigin(int side, const RECT& rc, int w, int h);

// Space the host's own bars take at each edge of its client area. Bars flush with an edge
// count at once; the others wait and are tried again in order once the first pass moved the edges.
struct HostBar {
    RECT rc;  // client coordinates of the host
};
void MeasureBarInsets(const RECT& client, const std::vector<HostBar>& bars, int insets[4]);

// A length pair in a host scale mode converted to pixels at the given resolution.
POINT ScaleToPixels(int mode, float x, float y, int dpiX, int dpiY);

}  // namespace dockgeo
