#pragma once
// The strip along one side of the main frame that shows unpinned panes as tabs; resting the
// mouse on a tab opens the pane in a popup next to the strip.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "docking/autohide/AutoHideLayout.h"
#include "docking/toolband/CToolBand.h"

class CPinPopupFrame;

// What a strip needs of the main frame that owns it.
class CAutoHideHost {
public:
  virtual ~CAutoHideHost() = default;
  virtual HWND FrameWindow() = 0;
  // The popup the frame tracks now, or null.
  virtual CPinPopupFrame* TrackedPopup() = 0;
  // The frame takes the popup over (and deletes the one it tracked before).
  virtual void TrackPopup(CPinPopupFrame* popup) = 0;
  virtual void ClearPopupTouched() = 0;
  // The frame's popup-closing test, fed a mouse move at a screen point.
  virtual void PopupMouseMove(HWND under, POINT screen) = 0;
  // The strip of another side (for the room its neighbours take), or null.
  virtual class CAutoHideBar* StripOf(int side) = 0;
  virtual HFONT CaptionFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
  virtual bool PaneHasImage(CPaneBase* pane) { return PaneImage(pane) != nullptr; }
  // The picture a pane's tab shows (its owner's image), or null; the host keeps the reference.
  virtual IUnknown* PaneImage(CPaneBase*) { return nullptr; }
};

class CAutoHideBar : public CToolBand {
public:
  static constexpr UINT kHoverTimer = 1;
  static constexpr UINT kHoverPeriod = 350;
  static constexpr UINT kPopupPeriod = 250;

  struct Tab {
    int start = 0, end = 0;
    std::string caption, fullCaption;
    CPaneBase* pane = nullptr;
  };

  CAutoHideBar(int side, CAutoHideHost* host);
  ~CAutoHideBar() override;

  void AddTab(CPaneBase* pane);
  // Tabs left.
  int RemoveTab(CPaneBase* pane);
  void SetTabText(CPaneBase* pane, const std::string& text);
  // The caller owns the entries; the strip is empty afterwards.
  std::vector<Tab> TakeAllTabs();
  void ShowPopup(CPaneBase* pane);
  void StopHoverTimer();
  bool HitTestTab(POINT screen) const;
  void Recalc();
  const std::vector<Tab>& Tabs() const { return m_tabs; }
  bool TimerRunning() const { return m_hover.timerId == 1; }

  // Takes no pane: makes the strip window when needed and places it.
  void MovePane(CPaneBase* pane, const RECT& rc) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  int m_bVisible = 1;
  int m_nStartInset = 0, m_nEndInset = 0;
  // Text width of a caption; the strips at the left and right measure with an upright face.
  std::function<int(const std::string&, bool vertical)> measure;
  // Cursor and window lookups of the timer tick.
  std::function<POINT()> cursorPos;
  std::function<HWND(POINT)> windowAt;

private:
  void HoverCheck(POINT client);
  void OnTimer();
  void Paint(HDC dc);
  int MeasureText(const std::string& text) const;
  CAutoHideHost* m_pHost;
  std::vector<Tab> m_tabs;
  AutoHideLayout::Hover m_hover;
};
