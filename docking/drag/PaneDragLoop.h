#pragma once
// The modal capture loop of a pane drag, or of a press on a caption button. The owner gives
// the drop-target search of one cursor position and the drop; the loop owns capture, the
// ghost and the ways out: release drops, Escape or the right button cancel, a lost capture or
// WM_QUIT end it (the quit is handed on to the outer loop).
#include <windows.h>

#include <functional>

#include "docking/drag/GhostTracker.h"

class PaneDragLoop {
public:
  // What the search found for a cursor position.
  struct Target {
    int zone = 255;  // 0-3 a side, 8 float, 255 none
    RECT ghost{};    // screen rectangle of the outline
    bool asTab = false;
    bool suppress = false;  // over the dragged tab's own strip: no outline, nothing on release
  };
  struct Client {
    std::function<Target(POINT)> search;         // drag: where the pane would go
    std::function<void(const Target&, POINT)> drop;
    std::function<void(bool over)> buttonState;  // press: the cursor is over the pressed button
    std::function<void(bool onButton)> buttonReleased;
  };

  enum class Mode { Drag, ButtonPress };
  enum class End { Dropped, Cancelled, LostCapture, Quit, NotStarted };

  PaneDragLoop(HWND window, Mode mode, Client client);

  // Runs until the drag ends. The button of a press is tested with pressedRect (screen).
  End Run(const RECT& pressedRect = RECT{});

  GhostTracker& Ghost() { return ghost_; }
  const Target& Current() const { return current_; }
  // Skips the desktop DC (tests give the tracker a DC of their own).
  bool useDesktop = true;

private:
  void Move(POINT pt);
  void EndDrag();
  HWND window_;
  Mode mode_;
  Client client_;
  GhostTracker ghost_;
  Target current_;
  RECT pressed_{};
  bool over_ = true;
};
