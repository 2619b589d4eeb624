#include "docking/splitter/SplitterGeometry.h"

#include <algorithm>

namespace SplitterGeometry {

Limits SectionLimits(int side, const RECT& section, const RECT& client, int innerSum) {
  Limits l;
  switch (side) {
    case 0: l.lower = section.left + 16; l.upper = client.right - innerSum - 16; break;
    case 1: l.lower = section.top + 8; l.upper = client.bottom - innerSum - 8; break;
    case 2: l.lower = client.left + innerSum + 4; l.upper = section.right - 16; break;
    case 3: l.lower = client.top + innerSum + 4; l.upper = section.bottom - 8; break;
    default: break;
  }
  return l;
}

Limits BlockLimits(int orientation, const RECT& first, const RECT& second) {
  Limits l;
  if (IsHorizontal(orientation)) {
    l.lower = first.top + 8;
    l.upper = second.bottom - 8;
  } else {
    l.lower = first.left + 8;
    l.upper = second.right - 8;
  }
  return l;
}

RECT TrackerAt(const RECT& tracker, int orientation, int x, int y, const Limits& limits) {
  RECT r = tracker;
  if (IsHorizontal(orientation)) {
    const int h = r.bottom - r.top;
    r.top = std::clamp(y, limits.lower, std::max(limits.lower, limits.upper));
    r.bottom = r.top + h;
  } else {
    const int w = r.right - r.left;
    r.left = std::clamp(x, limits.lower, std::max(limits.lower, limits.upper));
    r.right = r.left + w;
  }
  return r;
}

int CommitDelta(const RECT& bar, const RECT& tracker, int orientation) {
  return IsHorizontal(orientation) ? tracker.top - bar.top : tracker.left - bar.left;
}

float MoveSplit(RECT& first, RECT& second, int orientation, int delta) {
  if (IsHorizontal(orientation)) {
    first.bottom += delta;
    second.top += delta;
    const int h2 = second.bottom - second.top;
    if (h2 <= 0) return 999.0f;
    return static_cast<float>(std::max(0L, first.bottom - first.top)) / static_cast<float>(h2);
  }
  first.right += delta;
  second.left += delta;
  const int w2 = second.right - second.left;
  if (w2 <= 0) return 999.0f;
  return static_cast<float>(std::max(0L, first.right - first.left)) / static_cast<float>(w2);
}

RECT GrowSectionRoot(const RECT& root, int side, int delta) {
  RECT r = root;
  switch (side) {
    case 0: r.right += delta; break;
    case 2: r.left += delta; break;
    case 1: r.bottom += delta; break;
    case 3: r.top += delta; break;
    default: break;
  }
  return r;
}

}  // namespace SplitterGeometry
