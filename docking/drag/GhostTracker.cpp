#include "docking/drag/GhostTracker.h"

#include "docking/drag/DragDrawing.h"

bool GhostTracker::Acquire() {
  if (dc_) return true;
  dc_ = PumpPaintAndLock(GetDesktopWindow(), DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  ownsDC_ = dc_ != nullptr;
  return dc_ != nullptr;
}

void GhostTracker::Release() {
  Erase();
  if (dc_ && ownsDC_) {
    LockWindowUpdate(nullptr);
    ReleaseDC(GetDesktopWindow(), dc_);
  }
  dc_ = nullptr;
  ownsDC_ = false;
}

void GhostTracker::Invert(const RECT& r, int zone, bool asTab) {
  if (!dc_) return;
  HBRUSH brush = zone <= 3 ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : GetHalftoneBrush();
  HGDIOBJ old = SelectObject(dc_, brush);
  GhostShape::Invert(dc_, GhostShape::Bars(r.left, r.top, r.right - r.left, r.bottom - r.top,
                                           GhostShape::BorderFor(zone), asTab));
  SelectObject(dc_, old);
}

void GhostTracker::Erase() {
  if (!drawn_) return;
  Invert(last_, lastZone_, lastTab_);
  drawn_ = false;
}

void GhostTracker::Draw(const RECT& rect, int zone, bool asTab) {
  Erase();
  if (!dc_) return;
  Invert(rect, zone, asTab);
  drawn_ = true;
  last_ = rect;
  lastZone_ = zone;
  lastTab_ = asTab;
}

void GhostTracker::Redraw() {
  if (!drawn_) return;
  const RECT r = last_;
  Draw(r, lastZone_, lastTab_);
}
