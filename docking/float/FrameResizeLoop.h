#pragma once
// The modal loop that resizes a toolbar frame by one of its borders: the toolbar is fitted to
// the extent the cursor asks for and the frame takes the fitted size. Release ends it; Escape,
// the right button or a lost capture stop it where it is; WM_QUIT is handed on.
#include <windows.h>

#include <functional>

class FrameResizeLoop {
public:
  enum class End { Released, Cancelled, LostCapture, Quit, NotStarted };
  // The content's fitted size for a requested width (vertical: height); cx 0 means no fit.
  using Fit = std::function<SIZE(int extent, bool vertical)>;

  FrameResizeLoop(HWND frame, int hit, Fit fit, const RECT& workArea);

  End Run();
  // One cursor position (screen): resizes when the fit gives a new width inside the work area.
  // True when the window changed.
  bool ResizeTo(POINT screen);
  int LastWidth() const { return last_; }

private:
  HWND frame_;
  int hit_;
  Fit fit_;
  RECT workArea_;
  int last_ = 0;
};
