#pragma once
// Position and size rules of floating frames, apart from their windows.
#include <windows.h>

namespace FloatGeometry {

// Keeps a frame that is being moved reachable: at least 15 pixels inside the work area at the
// left, right and bottom. A move without a size change is judged by the current size; a change
// that does not move the frame is left alone.
void ClampWindowPos(WINDOWPOS& pos, const RECT& currentWindow, const RECT& workArea);

// The same rule for a remembered float rectangle, which also keeps its top inside the area.
void KeepInBounds(int& left, int& top, int width, const RECT& workArea);

// Smallest size the user may give a frame; a toolbar frame is as high as its non-client part.
POINT MinTrackSize(bool holdsFormPanes, int nonClientHeight);

// Client area inside a frame window of style: sizing or thin border, then the small caption.
// Never inverted.
RECT NonClientInset(DWORD style, const RECT& window, int cxFrame, int cyFrame, int cxBorder,
                    int cyBorder);

// Float rectangle that a frame gives out when it never stored one.
inline RECT DefaultFloatRect() { return RECT{100, 100, 300, 300}; }

// Requested extent of a toolbar frame while its border hit is dragged to (x, y); vertical tells
// whether the request is a height. 0 for a hit code that is no sizing border.
int ResizeRequest(int hit, const RECT& window, const RECT& client, int x, int y, bool& vertical);

// New window rectangle for a fitted content size, keeping the edge opposite to the dragged one.
RECT ResizedWindow(int hit, const RECT& window, const RECT& client, SIZE fitted);

// A resized toolbar frame must keep more than 15 pixels inside the work area.
bool ResizeAllowed(const RECT& proposed, const RECT& workArea);

}  // namespace FloatGeometry
