#pragma once
// The small floating window that holds floating panes: a tool window with a thin caption,
// close and pin buttons, moved by its caption and kept reachable inside the work area.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

class CPaneWnd;
class CDockFrameBase;
class CDockSection;
class CLayoutBlock;

class CMiniFrame {
public:
  CMiniFrame();
  virtual ~CMiniFrame();
  CMiniFrame(const CMiniFrame&) = delete;
  CMiniFrame& operator=(const CMiniFrame&) = delete;

  // A new frame listed last in the search order; rect (screen) is its remembered place.
  static CMiniFrame* CreateFloating(const RECT* rect);

  // Registers "MIFRAMEWND" and creates the window; rect is left, top, right, bottom.
  int Create(const char* title, DWORD style, const RECT& rect, HWND parent);
  // Takes a pane in (the window is made for the first one, at the pane's float rectangle).
  // Later panes go in at side of the frame's layout, or become a tab of tabOf.
  void AttachPane(CPaneWnd* pane, int side = 3, CPaneWnd* tabOf = nullptr, CPaneWnd* besideOf = nullptr);
  // A toolbar frame: holds only this toolbar pane, at rect (screen, window rectangle).
  void AttachToolbarPane(CPaneWnd* pane, const RECT& rect);
  // A press on a toolbar frame's caption drags its pane (it may dock again).
  std::function<void(POINT)> paneDrag;
  // The frame's layout tree: leaves of one pane or of a tab group, split by bars.
  CLayoutBlock* Root() const;
  CDockFrameBase* LayoutFrame() const { return layout_.get(); }
  // Where a pane dragged to a screen point would go: an edge of the frame (0-3), a tab of
  // *tabOf (4: the single pane under the frame's caption, or the pane whose caption strip is
  // under the point), beside *tabOf at side zone - 5 (5-8: the nearest edge of the pane under
  // the point), or in at the bottom (-1). ghost gets the outline to draw.
  int DropZone(POINT screen, RECT& ghost, CPaneWnd** tabOf = nullptr) const;
  // The pane left; an emptied frame leaves the search list and closes.
  void RemovePane(CPaneWnd* pane);
  bool HasSeveralPanes(const CPaneWnd* excluded, bool countHidden) const;
  CPaneWnd* GetFirstPane() const;
  const std::vector<CPaneWnd*>& Panes() const { return panes_; }

  void GetFloatRect(RECT& out) const;
  void SetFloatRect(int left, int top, int right, int bottom);
  // With nothing left to show: remembers the window's place and destroys the window; the
  // object stays (listed owners delete it) so the place survives.
  void CloseIfEmpty();
  void ClearTitle();
  void UpdateTitle(CPaneWnd* pane);
  void Layout(int cx, int cy);
  // Double click on the caption: every pane toggles between floating and docked.
  void ToggleAll();
  // The whole layout leaves the frame for another: the frame gives up its tree and its panes
  // (their frame links cleared), leaves the list and closes. Null when it holds nothing.
  CLayoutBlock* TakeTree(std::vector<CPaneWnd*>& panes);
  // A whole layout taken from another frame goes in at side (0-3) of this frame's layout.
  void InsertBlockAtSide(CLayoutBlock* block, int side, const std::vector<CPaneWnd*>& panes);

  void MoveToListFront();
  void RemoveFromFrameList();
  static void ReleaseIfUnlisted(CMiniFrame* frame);
  // Every floating frame goes, listed or waiting for its deferred deletion.
  static void DestroyAll();
  static const std::vector<CMiniFrame*>& FloatingFrames();
  static bool IsListed(const CMiniFrame* frame);
  static CMiniFrame* FromHandle(HWND hwnd);
  // 1 when the frame of that window shows a first pane whose form holds a tabbed dialog.
  static int TestPaneOfWindow(HWND window);
  static int LiveCount();

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void DrawCaption();

  HWND hwnd = nullptr;
  HWND ownerWindow = nullptr;  // the main frame window, parent of the floating window
  CPaneWnd* pane = nullptr;
  int active = 0;
  int closeUp = 1, pinUp = 1;
  RECT closeRect{}, pinRect{};
  int frameDragging = 0;
  int holdsFormPanes = 1;
  int deleteOnDestroy = 1;
  int hasTopBand = 0;
  int singlePaneCaption = 0;
  int windowCreated = 0;
  RECT workArea{};  // empty: no boundary check
  bool ghostOnDesktop = true;
  bool hasFloatRect = false;
  RECT floatRect{};
  // A press on a sizing border: a pane frame leaves it to Windows (1); a toolbar frame runs
  // its own resize loop, fitting the toolbar through fitToExtent (0).
  int StartResize(int hit, POINT screen);
  std::function<SIZE(int extent, bool vertical)> fitToExtent;
  int resizeLast = 0;
  int resizeHit = 0;
  int resizeStartX = 0, resizeStartY = 0;
  // Toggling a pane back into the main frame belongs to the pane; the frame only asks.
  void (*toggleFloat)(CPaneWnd*) = nullptr;

private:
  void OnNcLButtonDown(WPARAM hit, POINT screen);
  // Press on a caption button, tracked until release; true when released on it.
  bool RunCaptionButton(int& up, const RECT& screenButton);
  void InsertIntoTree(CPaneWnd* pane, int side, CPaneWnd* tabOf, CPaneWnd* besideOf);
  void RemoveFromTree(CPaneWnd* pane);
  bool InTree(const CLayoutBlock* block) const;
  std::vector<CPaneWnd*> panes_;
  std::unique_ptr<CDockFrameBase> layout_;
  CDockSection* section_ = nullptr;  // owned by layout_
};
