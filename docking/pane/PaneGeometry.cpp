#include "docking/pane/PaneGeometry.h"

#include <algorithm>

namespace PaneGeometry {

CaptionLayout NoTextCaption(bool onLeft, bool pinEnabled, int w, int h) {
  CaptionLayout c;
  if (!onLeft) {
    c.strip = RECT{0, 0, w, kCaption};
    c.grip = RECT{0, 0, std::max(0, w - (pinEnabled ? 33 : 15)), kCaption};
    c.close = RECT{w - 16, 2, w - 2, 16};
    if (pinEnabled) c.pin = RECT{w - 30, 0, w - 18, 16};
  } else {
    c.strip = RECT{0, 0, kCaption, h};
    c.grip = RECT{0, pinEnabled ? 33 : 15, kCaption, std::max(pinEnabled ? 33 : 15, h)};
    c.close = RECT{2, 2, 16, 16};
    if (pinEnabled) c.pin = RECT{0, 17, 16, 29};
  }
  return c;
}

CaptionLayout TextCaption(bool pinEnabled, int w) {
  CaptionLayout c;
  c.strip = RECT{0, 0, w, kCaption};
  const int top = 2 + (14 - 12) / 2;
  c.close = RECT{w - 14, top, w - 2, top + 12};
  if (pinEnabled) c.pin = RECT{c.close.left - 18, top, c.close.left - 6, top + 12};
  return c;
}

RECT ReserveCaption(const RECT& window, int captionSize, bool onLeft) {
  RECT r = window;
  if (onLeft)
    r.left = std::min(r.right, r.left + captionSize);
  else
    r.top = std::min(r.bottom, r.top + captionSize);
  return r;
}

bool OnCaption(const RECT& window, POINT pt, int captionSize, bool onLeft) {
  if (captionSize <= 0) return false;
  if (pt.x < window.left || pt.x >= window.right || pt.y < window.top || pt.y >= window.bottom)
    return false;
  return onLeft ? pt.x < window.left + captionSize : pt.y < window.top + captionSize;
}

RECT CloseHitRect(const RECT& window, bool noTextStripOnLeftDocked) {
  if (noTextStripOnLeftDocked) return RECT{window.left, window.top, window.left + 16, window.top + 16};
  return RECT{window.right - 16, window.top + 2, window.right - 2, window.top + 16};
}

ContentLayout LayoutContent(const RECT& client, bool tabbed) {
  ContentLayout c;
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  if (tabbed) {
    if (w > 0 && h > kTabStrip) {
      c.form = RECT{client.left, client.top, client.right, client.bottom - kTabStrip};
      c.placeForm = true;
    }
    c.tabs = RECT{client.left, std::max(client.top, client.bottom - kTabStrip), client.right, client.bottom};
    c.placeTabs = true;
    return c;
  }
  if (w > 0 && h > 0) {
    c.form = client;
    c.placeForm = true;
  }
  return c;
}

void CapDockedSize(int side, int clientWidth, int clientHeight, int& width, int& height) {
  if (side == 1 || side == 3) {
    height = std::max(0, std::min(height, clientHeight - 20));
  } else if (side == 0 || side == 2) {
    width = std::max(0, std::min(width, clientWidth - 20));
  } else {
    width = std::max(0, clientWidth / 2);
    height = std::max(0, clientHeight / 2);
  }
}

void UsableFloatExtent(int& origin, int& extent, int screenExtent) {
  if (extent < 1 || extent > screenExtent) {
    origin = 200;
    extent = 200;
  }
}

}  // namespace PaneGeometry
