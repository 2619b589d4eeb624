#include "docking/toolband/ToolbarPaneGeometry.h"

namespace ToolbarPaneGeometry {

RECT ReserveGrip(RECT window, bool docked, int side)
{
  if (!docked)
    return window;
  if (GripAtLeft(side))
    window.left = window.left + kGrip < window.right ? window.left + kGrip : window.right;
  else
    window.top = window.top + kGrip < window.bottom ? window.top + kGrip : window.bottom;
  return window;
}

bool OnGrip(const RECT& window, POINT screen, bool docked, int side)
{
  if (!docked || !PtInRect(&window, screen))
    return false;
  return GripAtLeft(side) ? screen.x < window.left + kGrip : screen.y < window.top + kGrip;
}

RECT ContentRect(const RECT& client, bool docked, int side)
{
  const int w = client.right - client.left, h = client.bottom - client.top;
  if (!docked)
    return client;
  RECT rc;
  if (GripAtLeft(side))
    rc = RECT{client.left, client.top + 2, client.left + w - 1, client.top + 2 + h - 4};
  else
    rc = RECT{client.left + 2, client.top, client.left + 2 + w - 4, client.top + h - 1};
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

SIZE DropSize(SIZE fitted, int zone)
{
  if (zone == 1 || zone == 3)
    return SIZE{fitted.cx + 16, fitted.cy + 6};
  return SIZE{fitted.cx + 6, fitted.cy + 16};
}

}  // namespace ToolbarPaneGeometry
