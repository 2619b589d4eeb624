#pragma once
// The window of a splitter bar: the cursor, the press and the drag of CSliderWnd, with the
// limits and the applied move asked of whoever owns the bar (a section's edge or a split block).
#include <functional>

#include "docking/splitter/CSliderWnd.h"

class CSplitterWnd : public CSliderWnd {
public:
  // The owner's side of a drag: its limits (tracker position range in frame client
  // coordinates) and what the move does once released.
  struct Owner {
    std::function<SplitterGeometry::Limits()> limits;
    std::function<void(int delta)> commit;
    std::function<void()> activatedByMouse;  // the press counts as the frame's own activation
    std::function<bool()> screenDrawing;     // true while the frame draws over a popup
  };

  CSplitterWnd(int orientation, HWND frame, Owner owner);

  // A visible clip-siblings child of the frame window (id 0xFF1).
  int CreateBar(const RECT& rect);

  void Offset(int delta, HDWP* batch) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam) override;
  void EndDrag() override;
  void TrackTo(int x, int y) override;

  // Starts the drag on the first move after the press; returns 0.
  LRESULT StartDrag();
  // The bar's own rectangle in frame client coordinates.
  RECT BarRect() const;
  // Moves the bar by the tracker's distance and tells the owner.
  void Commit();

private:
  void SetSizeCursor() const;
  Owner owner_;
};
