#include "docking/autohide/AutoHideLayout.h"

#include <algorithm>

namespace AutoHideLayout {

std::vector<Extent> LayoutTabs(const std::vector<int>& textWidths, const std::vector<bool>& hasImage, int startInset)
{
  std::vector<Extent> out;
  int pos = startInset;
  for (size_t i = 0; i < textWidths.size(); ++i) {
    const int length = std::max(0, textWidths[i]) + 8 + (i < hasImage.size() && hasImage[i] ? 18 : 0);
    out.push_back(Extent{pos, pos + length});
    pos += length;
  }
  return out;
}

int TabAt(const std::vector<Extent>& tabs, int along)
{
  for (size_t i = 0; i < tabs.size(); ++i)
    if (along > tabs[i].start && along < tabs[i].end) return static_cast<int>(i);
  return -1;
}

namespace {
bool Horizontal(int side) { return side == 1 || side == 3; }
bool Crosses(int side, const RECT& strip, const RECT& other)
{
  return Horizontal(side) ? other.top < strip.bottom && other.bottom > strip.top
                          : other.left < strip.right && other.right > strip.left;
}
}  // namespace

int StartInset(int side, const RECT& strip, const RECT* other)
{
  if (!other || !Crosses(side, strip, *other))
    return 0;
  return Horizontal(side) ? std::max(0L, std::min(other->right, strip.right) - strip.left)
                          : std::max(0L, std::min(other->bottom, strip.bottom) - strip.top);
}

int EndInset(int side, const RECT& strip, const RECT* other)
{
  if (!other || !Crosses(side, strip, *other))
    return 0;
  return Horizontal(side) ? std::max(0L, strip.right - std::max(other->left, strip.left))
                          : std::max(0L, strip.bottom - std::max(other->top, strip.top));
}

RECT PopupRect(int side, const RECT& strip, int startInset, int endInset, int w, int h, int cxFrame, int cyFrame)
{
  const int width = w + 2 * cxFrame, height = h + 2 * cyFrame;
  RECT rc;
  switch (side) {
  case 0: rc = RECT{strip.right, strip.top + startInset, strip.right + width, strip.bottom - endInset}; break;
  case 2: rc = RECT{strip.left - width, strip.top + startInset, strip.left, strip.bottom - endInset}; break;
  case 1: rc = RECT{strip.left + startInset, strip.bottom, strip.right - endInset, strip.bottom + height}; break;
  default: rc = RECT{strip.left + startInset, strip.top - height, strip.right - endInset, strip.top}; break;
  }
  return rc;
}

bool HoverOpens(Hover& state, int tab, bool tabAlreadyShown)
{
  if (tab < 0)
    return false;
  if (tab != state.hoverIndex || tabAlreadyShown) {
    state.hoverIndex = tab;
    return false;
  }
  return true;
}

}  // namespace AutoHideLayout
