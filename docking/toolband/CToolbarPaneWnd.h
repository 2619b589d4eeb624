#pragma once
// A pane that hosts a toolbar form: docked in a toolbar row with a grip and a raised edge,
// floating in a toolbar frame without a caption strip of its own; it lays the toolbar out again
// on a short timer. Its sizes come from the owner's fitting of the toolbar's buttons.
#include <windows.h>

#include <functional>
#include <string>

#include "docking/pane/CPaneWnd.h"

class CToolBand;
class CDockFrameBase;

class CToolbarPaneWnd : public CPaneWnd {
public:
  static constexpr UINT_PTR kRelayoutTimer = 1;
  static constexpr UINT kRelayoutDelay = 40;

  CToolbarPaneWnd();
  ~CToolbarPaneWnd() override;
  // Name under which the row remembers the pane once the pane window is gone.
  std::string layoutName;

  CToolBand* band = nullptr;  // the row this pane opened for itself
  // What the owner answers about its toolbar (pixels).
  std::function<SIZE(int zone)> fittedSize;                      // docked size for a zone
  std::function<SIZE(int extent, bool vertical)> fitToExtent;    // floating: size for a border drag
  std::function<void()> refreshFit;                              // read the buttons, rebuild candidates
  std::function<SIZE(SIZE)> fitAtLeast;                          // first candidate at least as wide
  std::function<HWND()> toolbarWindow;

  CDockSection* MakeSection() override;
  void LayoutContent() override;
  void OnTimer() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void StartRelayoutTimer();
  SIZE AdjustDropSize(int zone) const;
  void AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT& against, bool fixed) override;
  void SetDropZone(DockDragInfo& drag, int side, CPaneBase* target, int insertSide) override;
  // A floating pane's size for an extent along a dragged frame border; cx 0 when none.
  SIZE ForwardToOwner(int extent, bool vertical);
  HWND GetToolbarWindow() const { return toolbarWindow ? toolbarWindow() : nullptr; }
  // The docked sizes for a side, from the fitted toolbar.
  void SizeForSide(int side);

  // A new row at side of frame (index -1: innermost).
  void DockAt(CDockFrameBase* frame, int side, int index = -1);
  // Into an existing row, near a screen point; false when the row is not the frame's.
  bool JoinRow(CToolBand* row, POINT screen);
  // Into a row's remembered place (a saved layout's entry), placed as near to the saved screen
  // point as the row allows.
  bool TakeRowPlace(CToolBand* row, int index, CLayoutBlock* block, POINT saved);
  // Next to a reference toolbar in its row, when the row's thickness matches.
  bool JoinBeside(CToolbarPaneWnd* reference);
  // Out of sight: a docked toolbar leaves its row, which keeps its place; a floating one hides
  // with its frame.
  void HideFromContainer();
  // Floats in a toolbar frame at the float rectangle, fitted to a candidate size.
  void Float() override;
  void ToggleFloat() override;
  // The toolbar frame's close button: the frame goes out of sight with the toolbar and keeps
  // its place; shown again, both come back.
  void Close() override;
  // Back into the row it floated from, or a new row at that side (the first allowed side when
  // that one is not). False when no side is allowed.
  bool RestoreDocked();
  CToolBand* RowOf() const;

  // Where a drag would take the pane.
  struct DropTarget {
    int zone = 255;               // 0-3 a side, 8 float, 255 none
    CToolBand* row = nullptr;     // joins this row
    int index = -1;               // a new row at this section index (-1 innermost)
    RECT ghost{};                 // outline, screen
  };
  DropTarget FindDrop(POINT screen);
  void Drop(const DropTarget& target);
  // The drag from the grip (docked) or the toolbar frame's caption (floating).
  void BeginToolbarDrag(POINT screen);

  // While floating (or after the pane window went) its row keeps its place under its name, so
  // a saved layout holds it and docking back returns there.
  CLayoutBlock* RememberedPlace() const { return placeBlock_; }
  // The remembered place takes the floating frame's current rectangle.
  void UpdateRememberedPlace();
  // Takes the remembered place over from a loaded layout (the pane floats meanwhile).
  void AdoptRememberedPlace(CLayoutBlock* block, int side);
  void OnBlockGone(const CLayoutBlock* block) override;

  int prevRowSide = -1;
  POINT prevRowPoint{0, 0};  // screen point of the pane in the row it left
  CToolBand* prevRow = nullptr;

private:
  void DrawGrip();
  // How a toolbar leaves its row: for good, floating, or hidden (the last two keep its place).
  enum class RowExit { Forget, Float, Hide };
  void LeaveRow(RowExit exit = RowExit::Forget);
  void RememberInRow(CLayoutBlock* block, POINT docked, bool floating, bool visible);
  void DropRememberedPlace();
  // The row that holds block and its index there; null when none does.
  CToolBand* RowHolding(const CLayoutBlock* block, int* index) const;
  CLayoutBlock* placeBlock_ = nullptr;
  void LeaveFrame();
  bool CanDockSide(int side) const;
  bool RowListed(const CToolBand* row, int* index) const;
  int grabX_ = 0, grabY_ = 0, dragW_ = 1, dragH_ = 1;
  DropTarget pending_;
};
