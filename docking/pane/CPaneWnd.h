#pragma once
// The window that turns a hosted form into a dockable pane: it takes the form in as a child,
// draws a 16-pixel caption strip with close and pin buttons, and starts drags from it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "docking/drag/PaneDragLoop.h"
#include "docking/layout/PaneBase.h"
#include "docking/pane/PaneGeometry.h"

class CPaneOwner;
class CMiniFrame;
class CDockFrameBase;

class CPaneWnd : public CPaneBase {
public:
  CPaneWnd();
  ~CPaneWnd() override;
  CPaneWnd(const CPaneWnd&) = delete;
  CPaneWnd& operator=(const CPaneWnd&) = delete;

  // Takes the form in: a child window of parent, the form re-parented into it without its
  // frame bits. 1 on success.
  int Attach(HWND form, HWND parent);
  // Gives the form back to the window it came from (hidden, its style restored), so the form
  // outlives the pane window.
  void ReleaseForm();
  // Destroys the window; the object goes with it.
  void Destroy();

  void SetTitle(const std::string& text);
  const std::string& Title() const { return title; }
  // Shows or hides the pane; the owner hears of it. A hidden pane leaves its place (the layout
  // closes up, a tab group keeps its other tabs) and a shown one goes back to it.
  void SetVisible(bool show);
  // Back to the place the pane left when it was hidden: its floating frame, its block, or a new
  // section at its side. False when there is no frame to go to.
  bool PlaceAgain();
  bool IsVisible() const { return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE); }
  // A tab of a docked group that another tab of the group hides.
  bool IsTabBehind() const;
  void SetPinState(int state);
  // What the layout tree asks of a pane, answered from the window.
  RECT GetRectInFrame() const override;
  RECT GetScreenRect() const override;
  RECT GetClientScreenRect() const override;
  void MoveTo(const RECT& rc, HDWP* batch) override;
  void Show(bool show) override;
  bool IsShown() const override { return IsVisible(); }
  void ReparentTo(HWND parent) override;
  HWND GetWindow() const override { return hwnd; }
  // A new section's ghost spans the side it docks at and is as thick as the pane docks,
  // never more than the target leaves room for.
  void AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT& against, bool fixed) override;
  void RelayContent() override { LayoutContent(); }

  // Docks the pane at side of frame (a new innermost section there).
  void DockTo(CDockFrameBase* frame, int side, int sectionIndex = -1);
  // Joins the reference pane's leaf as a tab, or takes a new leaf at side of it.
  bool JoinAsTab(CPaneWnd* reference);
  bool DockBeside(CPaneWnd* reference, int side);
  // Leaves its place and joins another floating frame.
  // zone: an edge of the target's layout (0-3), a tab of tabOf (4; its first pane when null),
  // beside tabOf at side zone - 5 (5-8), or -1 (bottom).
  void JoinFrame(CMiniFrame* target, int zone = -1, CPaneWnd* tabOf = nullptr);
  // Draws this pane's caption active and every other pane's inactive.
  void Activate();
  // Every pane but except (of those docked when dockedOnly) draws its caption inactive.
  static void ActivateAll(CPaneWnd* except, bool dockedOnly);
  // Whether the hosted form holds a tabbed-dialog control, which handles Alt keys itself.
  bool IsMDIChildForm() const;
  // Double click on the caption: the pane's whole tab group toggles, else the pane alone.
  void ToggleGroup();
  // Double click on the caption: a docked pane floats, a floating one returns to its side.
  virtual void ToggleFloat();
  int prevSide = -1;
  // The leaf the pane left when it floated: a vacant placeholder it goes back into, or the
  // tab group it came from. Cleared when the block is deleted.
  CLayoutBlock* prevBlock = nullptr;
  int prevIndex = -1;
  void OnBlockGone(const CLayoutBlock* block) override;
  // Back to the place recorded when the pane floated; false when nothing of it is left.
  bool ReturnToPrevious();
  // Leaves its docked place (remembered as previous) or its floating frame, and hides.
  void LeavePlace();
  // Forgets every place the pane could return to (the layout is cleared).
  void ForgetPlace();
  // Records the current docked place as the one to return to.
  void RememberPlace() { RememberPrevious(); }
  // Set while the pane is hidden after floating: showing it floats it again.
  bool hiddenFloating = false;
  // Takes the pane out of the frame it is docked in.
  void Undock();
  CDockFrameBase* container = nullptr;
  // The main frame: asked for drop targets while the pane is dragged, also when floating.
  CDockFrameBase* dockFrame = nullptr;

  // Floats the pane at its float rectangle, in a frame of its own.
  virtual void Float();
  // Hides the pane through its close button.
  virtual void Close();

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void LayoutContent();
  virtual void OnTimer();
  void DrawCaption(bool active);
  // HTCAPTION on the caption strip, -1 elsewhere.
  int NcHitTest(POINT screen) const;
  // Caption strip thickness the non-client calculation reserves now.
  int WantedCaptionSize() const;
  bool StripOnLeft() const { return PaneGeometry::StripOnLeft(dragAreaStyle, side) && docked; }

  // A drag started from this pane's tab: only this pane moves; along its own strip it
  // changes places with the other tabs.
  void BeginTabDrag(POINT screen);
  // Press on the caption at a screen point: a button press or a drag.
  void OnNcLButtonDown(POINT screen);
  // A drag started from the caption of the floating frame that holds this pane alone: the whole
  // frame moves, and a drop on a dock zone docks the pane. True when the pane left the frame.
  bool BeginFrameDrag(POINT screen);
  // Unpinned (through the main frame when docked there) or pinned again.
  void TogglePin();

  // Where a drag would drop; without one the pane floats at the ghost's place.
  std::function<PaneDragLoop::Target(CPaneWnd&, POINT)> dropSearch;
  std::function<void(CPaneWnd&, const PaneDragLoop::Target&)> dropAction;
  // Desktop drawing off (tests draw nothing on the screen).
  bool ghostOnDesktop = true;

  static CPaneWnd* FromHandle(HWND hwnd);
  static int LiveCount();
  // Called with every pane that is going, before it is deleted, so references to it are cleared.
  static void AddForgetHook(std::function<void(CPaneWnd*)> hook);

  CPaneOwner* owner = nullptr;
  HWND hwnd = nullptr;
  HWND hostedWnd = nullptr;
  HWND formOldParent = nullptr;
  LONG formOldStyle = 0;
  std::string title;
  int dragAreaStyle = 1;  // 0 text caption, 1 grip without text
  int pinState = 1;       // 0 disabled, 1 pinned, 2 unpinned
  int side = 0;
  bool docked = false;              // in the main frame
  bool sharesMiniFrame = false;     // in a floating frame with other panes
  int captionSize = 0;
  int captionActive = -1;
  int placed = 1;
  // Out of every place after a layout reset, until the owner places it again with the
  // host's values of then (its next show or hide, or the reset's posted message).
  bool resetPending = false;
  bool resetShown = false;     // shown when the reset took it out
  int resetPinState = -1;      // a pin state put meanwhile, applied once placed
  bool resetStyleSet = false;  // a new initial side put meanwhile
  bool resetRefSet = false;    // a layout reference put meanwhile
  int dragging = 0;
  int closeUp = 1, pinUp = 1;
  RECT closeRect{}, pinRect{};
  int floatLeft = 0, floatTop = 0, floatWidth = -100, floatHeight = -200;
  int dockedWidth = 0, dockedHeight = 0;
  RECT workArea{};  // empty: no boundary check
  HWND tabStripWnd = nullptr;
  CMiniFrame* miniFrame = nullptr;  // the floating frame holding the pane, if any  // the leaf's tab strip while this pane shows two or more tabs

private:
  void RememberPrevious();
  void LeaveMiniFrame(HWND newParent);
  void DropPreviousPlaceholder();
  void RunButtonPress(bool close, const RECT& screenButton);
  void RunDrag(POINT screen);
  PaneDragLoop::Target FloatTarget(POINT screen) const;
  PaneDragLoop::Target FrameTarget(POINT screen);
  void FrameDrop(const PaneDragLoop::Target& t);
  // The drop of a drag of this pane alone.
  void DropAt(const PaneDragLoop::Target& t);
  // The other panes of this pane's tab group, by window; they follow it with RejoinGroup.
  std::vector<HWND> GroupMates() const;
  void RejoinGroup(const std::vector<HWND>& mates);
  // Drop of a whole frame of several panes at an edge: its layout becomes a new section.
  void DockFrameTree(const PaneDragLoop::Target& t);
  bool OverOwnStrip(POINT screen);
  bool tabDrag_ = false;
  bool frameDrag_ = false;
  CMiniFrame* dropFrame_ = nullptr;
  int dropFrameZone_ = -1;
  HWND dropFrameTab_ = nullptr;  // by window: the pane may go while the drag runs
  int moves_ = 0;
  int dropIndex_ = -1;
  int dropAtEdge_ = 0;
  CPaneBase* dropTabTarget_ = nullptr;
  CPaneBase* dropTargetPane_ = nullptr;
  int dropInsertSide_ = -1;
  int grabX_ = 0, grabY_ = 0, dragW_ = 0, dragH_ = 0;
};
