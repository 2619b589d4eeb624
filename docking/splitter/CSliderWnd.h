#pragma once
// A thin bar the user drags with the mouse: a modal capture loop moves an inverted tracker
// between two limits and applies the move on release. Escape, the right button, a lost
// capture or WM_QUIT cancel it without any change.
#include <windows.h>

#include "docking/splitter/SplitterGeometry.h"

class CSliderWnd {
public:
  CSliderWnd();
  virtual ~CSliderWnd();
  CSliderWnd(const CSliderWnd&) = delete;
  CSliderWnd& operator=(const CSliderWnd&) = delete;

  // Creates the bar window (class MOORSLIDERWNDCLASS) at rect in parent; 1 when it exists.
  int Create(const char* name, DWORD style, const RECT& rect, HWND parent);

  virtual void Offset(int delta, HDWP* batch) = 0;
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) { return 0; }
  virtual void EndDrag() = 0;
  virtual void TrackTo(int x, int y);

  // 1 when the drag was applied, 0 when it was cancelled or could not start.
  int RunDragLoop();
  void StopTracking();
  void DrawTracker(bool eraseOnly);
  void OnTrackKey(int key, bool down);

  // Screen position of a mouse message taken from the capture window.
  static POINT MessageScreenPoint(const MSG& msg);
  static CSliderWnd* FromHandle(HWND hwnd);
  static int LiveCount();

  HWND window = nullptr;
  int orientation = 0;
  int blockSplitter = 0;
  SplitterGeometry::Limits limits;
  RECT tracker{};    // frame client coordinates
  RECT lastDrawn{};  // empty before the first drawing
  int tracking = 0;
  HDC drawingDC = nullptr;
  HWND dcWindow = nullptr;  // null: the screen
  HWND frameWindow = nullptr;  // the frame whose client coordinates the tracker uses
};
