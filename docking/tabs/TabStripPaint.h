#pragma once
// How a tab strip looks: a row of tabs below the shown pane, the selected one raised and open
// into the pane above it.
#include <windows.h>

#include <vector>

#include "docking/tabs/CaptionText.h"

namespace TabStripPaint {

// One tab to draw; picture is the pane's IPicture when it has one (may be null).
struct Tab {
  const CaptionText::TabExtent* extent = nullptr;
  IUnknown* picture = nullptr;
};

// Whole strip: background, the other tabs, then the selected one and the line it opens.
void Paint(HDC dc, const RECT& client, const std::vector<Tab>& tabs, int selected, HFONT font, bool noDrawing);

// One tab between left and right; B is 24 for the selected tab, 23 for the others.
void DrawTab(HDC dc, int left, int right, const char* caption, bool selected, IUnknown* picture, HFONT font);

// The picture (any IUnknown that answers IPicture) 16 x 16 at x, y; nothing for others.
void RenderPicture(HDC dc, IUnknown* picture, int x, int y);

// First tab with left <= x <= right, or -1.
int TabFromX(const std::vector<const CaptionText::TabExtent*>& tabs, int x);
// First tab with left < x < right (a dragged tab passing over the strip), or -1.
int TabUnderDrag(const std::vector<const CaptionText::TabExtent*>& tabs, int x);

}  // namespace TabStripPaint
