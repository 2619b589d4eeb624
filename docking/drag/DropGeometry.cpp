#include "docking/drag/DropGeometry.h"

#include <algorithm>

namespace DropGeometry {

void AdjustDropSize(int zone, Proposal& p, int limit, const RECT& target, bool fixed, bool asTab,
                    bool inMiniFrame) {
  const bool shrinkAcross = !asTab && (inMiniFrame || !fixed);
  if (zone == 1 || zone == 3) {
    if (!fixed) p.width = target.right - target.left;
    const int before = p.height;
    if (shrinkAcross) p.height = std::min(p.height, limit);
    if (zone == 3) p.ghostY += before - p.height;
  } else if (zone == 0 || zone == 2) {
    if (!fixed) p.height = target.bottom - target.top;
    const int before = p.width;
    if (shrinkAcross) p.width = std::min(p.width, limit);
    if (zone == 2) p.ghostX += before - p.width;
  }
}

POINT FloatGhostOrigin(POINT cursor, int grabX, int grabY, int dragWidth, int dragHeight,
                       int ghostWidth, int ghostHeight) {
  POINT o = cursor;
  if (dragWidth > 0) o.x = cursor.x - static_cast<int>(static_cast<long long>(ghostWidth) * grabX / dragWidth);
  if (dragHeight > 0) o.y = cursor.y - static_cast<int>(static_cast<long long>(ghostHeight) * grabY / dragHeight);
  return o;
}

POINT ClampFloatGhost(POINT origin, int width, int height, const RECT& workArea) {
  POINT o = origin;
  if (o.y < workArea.top) o.y = workArea.top;
  if (o.y > workArea.bottom - 15) o.y = workArea.bottom - 15;
  if (o.x + width - 15 < workArea.left) o.x = workArea.left - width + 15;
  if (o.x > workArea.right - 15) o.x = workArea.right - 15;
  return o;
}

std::optional<float> RatioFromDockedSize(const RECT& parent, int splitSide, int ownSide,
                                         int dockedWidth, int dockedHeight) {
  float ratio;
  if (splitSide == 1 || splitSide == 3) {
    const int h = parent.bottom - parent.top;
    if (dockedHeight <= 0 || dockedHeight >= h) return std::nullopt;
    ratio = ownSide == 1 ? static_cast<float>(dockedHeight) / (h - dockedHeight)
                         : static_cast<float>(h - dockedHeight) / dockedHeight;
  } else {
    const int w = parent.right - parent.left;
    if (dockedWidth <= 0 || dockedWidth >= w) return std::nullopt;
    ratio = ownSide == 0 ? static_cast<float>(dockedWidth) / (w - dockedWidth)
                         : static_cast<float>(w - dockedWidth) / dockedWidth;
  }
  return std::max(ratio, 0.01f);
}

}  // namespace DropGeometry
