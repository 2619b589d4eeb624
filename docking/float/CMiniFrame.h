#pragma once
// The small floating window that holds floating panes: a tool window with a thin caption,
// close and pin buttons, moved by its caption and kept reachable inside the work area.
#include <windows.h>

#include <functional>
#include <vector>

class CPaneWnd;

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
  void AttachPane(CPaneWnd* pane);
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

  void MoveToListFront();
  void RemoveFromFrameList();
  static void ReleaseIfUnlisted(CMiniFrame* frame);
  static const std::vector<CMiniFrame*>& FloatingFrames();
  static bool IsListed(const CMiniFrame* frame);
  static CMiniFrame* FromHandle(HWND hwnd);
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
  std::vector<CPaneWnd*> panes_;
};
