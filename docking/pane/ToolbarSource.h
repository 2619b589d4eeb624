#pragma once
// The toolbar control of a toolbar form as the pane sees it: found among the form's objects by
// its interface, read by name ("hWnd", "Buttons", "ButtonHeight", ...), and turned into the
// fitting object's buttons and candidate sizes. Its inner toolbar window is subclassed so the
// menus it opens are drawn with the pane's images.
#include <windows.h>
#include <ocidl.h>

#include "docking/framework/Subclass.h"
#include "docking/toolband/CToolbarFit.h"

class CMenuImageStore;

class CToolbarSource : public CSubclassOwner {
public:
  // The toolbar interfaces of the two common-control generations.
  static const IID kToolbarIid;
  static const IID kToolbarIidOld;

  explicit CToolbarSource(CMenuImageStore* images);
  ~CToolbarSource() override;
  CToolbarSource(const CToolbarSource&) = delete;
  CToolbarSource& operator=(const CToolbarSource&) = delete;

  // First object of the container that answers a toolbar interface; scaleMode is the form's.
  bool Find(IOleContainer* container, int scaleMode);
  // Adopts a toolbar object directly (the form's enumeration found it).
  void SetToolbar(IDispatch* toolbar);
  bool Found() const { return toolbar_ != nullptr; }
  // Reads the toolbar's window, sizes and button enumerator (once per enumerator).
  void Read();
  // Drops the button enumerator and reads the toolbar again.
  void Reread();
  // Button records and groups from the toolbar's buttons.
  void BuildFitList();
  // Rows for a pane of the form's client size at side; the fitted size in pixels.
  SIZE FitToolbar(SIZE client, int side);
  // The single row and every narrower wrap within the limits (pixels, 0 none).
  void ComputeFitCandidates(int limitWidth = 0, int limitHeight = 0);
  // Docked size of the toolbar for a zone, in pixels.
  SIZE FittedSize(int zone);
  // A floating toolbar's size for an extent along a dragged border (pixels); cx 0 for none.
  SIZE FitToExtent(int extent, bool vertical);
  // The first candidate at least size.cx wide.
  SIZE FitAtLeast(SIZE size);
  // The toolbar control's window ("hWnd").
  HWND ToolbarWindow() const { return toolbarFormWnd_; }
  HWND InnerWindow() const { return toolbarWnd_; }
  CToolbarFit& Fit() { return fit_; }
  void Release();

  SIZE fittedHorizontal{0, 0}, fittedVertical{0, 0};

  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  CMenuImageStore* images_;
  IDispatch* toolbar_ = nullptr;
  IEnumVARIANT* buttons_ = nullptr;
  HWND toolbarFormWnd_ = nullptr;
  HWND toolbarWnd_ = nullptr;
  float buttonWidth_ = 0;
  CToolbarFit fit_;
};
