#pragma once
// The outline that follows a dragged pane on the desktop. Drawing is XOR, so the tracker keeps
// what it drew last and erases exactly that; erasing twice or releasing twice does nothing.
#include <windows.h>

#include "docking/drag/GhostShape.h"

class GhostTracker {
public:
  GhostTracker() = default;
  ~GhostTracker() { Release(); }
  GhostTracker(const GhostTracker&) = delete;
  GhostTracker& operator=(const GhostTracker&) = delete;

  // Flushes paints, locks the desktop and takes its DC; false when WM_QUIT came meanwhile.
  bool Acquire();
  // Takes a DC the caller made (tests draw into a memory DC).
  void UseDC(HDC dc) { dc_ = dc; ownsDC_ = false; }
  // Erases what is drawn, then unlocks and releases the DC.
  void Release();
  bool HasDC() const { return dc_ != nullptr; }

  // Erases the previous outline and draws rect (screen) for zone, tab-shaped when asTab.
  void Draw(const RECT& rect, int zone, bool asTab);
  // Draws the last outline again in place (Ctrl and Shift change nothing but the drawing).
  void Redraw();
  void Erase();
  bool Drawn() const { return drawn_; }
  const RECT& LastRect() const { return last_; }
  int LastZone() const { return lastZone_; }

private:
  void Invert(const RECT& rect, int zone, bool asTab);
  HDC dc_ = nullptr;
  bool ownsDC_ = false;
  bool drawn_ = false;
  RECT last_{};
  int lastZone_ = 255;
  bool lastTab_ = false;
};
