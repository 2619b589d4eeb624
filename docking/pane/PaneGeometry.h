#pragma once
// Geometry of a pane window's caption strip and content, apart from the window.
#include <windows.h>

namespace PaneGeometry {

constexpr int kCaption = 16;   // caption strip thickness
constexpr int kTabStrip = 26;  // tab strip height below tabbed content

// Where the caption strip of a pane runs: along the top, or down the left edge (the no-text
// style for panes docked at the top or bottom).
inline bool StripOnLeft(int dragAreaStyle, int side) {
  return dragAreaStyle == 1 && (side == 1 || side == 3);
}

// Buttons and grip of a caption strip in window coordinates for a w x h window.
struct CaptionLayout {
  RECT strip{};
  RECT grip{};
  RECT close{};
  RECT pin{};  // empty when the pin is disabled
};
CaptionLayout NoTextCaption(bool onLeft, bool pinEnabled, int w, int h);
// The text style: the close and pin buttons of the shared caption painter (unframed).
CaptionLayout TextCaption(bool pinEnabled, int w);

// Non-client rectangle less the caption strip (captionSize 0 leaves it whole). Never inverted.
RECT ReserveCaption(const RECT& window, int captionSize, bool onLeft);

// Whether a screen point lies on the caption strip of a window rectangle.
bool OnCaption(const RECT& window, POINT pt, int captionSize, bool onLeft);

// Close button square as the caption press tests it (screen coordinates of the window).
RECT CloseHitRect(const RECT& window, bool noTextStripOnLeftDocked);

// Form and tab strip rectangles in a pane's client area.
struct ContentLayout {
  RECT form{};
  RECT tabs{};
  bool placeForm = false;
  bool placeTabs = false;
};
ContentLayout LayoutContent(const RECT& client, bool tabbed);

// Docked sizes kept 20 pixels inside the frame's client area on their axis, never negative;
// a side outside 0-3 halves the client area.
void CapDockedSize(int side, int clientWidth, int clientHeight, int& width, int& height);

// A remembered float extent and its origin fall back to 200 at 200 when unusable.
void UsableFloatExtent(int& origin, int& extent, int screenExtent);

}  // namespace PaneGeometry
