#pragma once
// The popup that shows an unpinned pane over the layout, next to the strip that opened it.
// The main frame tracks it and deletes it; deleting gives the pane window back.
#include <windows.h>

#include <string>

#include "docking/frame/MainDockFrame.h"

class CAutoHideBar;
class CPaneBase;

class CPinPopupFrame : public CTrackedPopup {
public:
  static constexpr const char* kClassName = "PINPOPUPFRAMEWND";
  static constexpr DWORD kStyle = 0x90840000;  // popup, visible, border, sizing frame

  CPinPopupFrame(CAutoHideBar* strip, CPaneBase* pane);
  ~CPinPopupFrame() override;
  CPinPopupFrame(const CPinPopupFrame&) = delete;
  CPinPopupFrame& operator=(const CPinPopupFrame&) = delete;

  bool Create(const std::string& title, DWORD style, const RECT& rc, HWND parent);

  HWND Window() const override { return m_hWnd; }
  HWND StripWindow() const override { return m_hWndStrip; }
  bool StripHitTab(POINT screen) const override;
  void SlideBack() override {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  static CPinPopupFrame* FromHandle(HWND hwnd);
  static int ListedPopups();

  HWND m_hWnd = nullptr;
  HWND m_hWndStrip = nullptr;
  HWND m_hWndMainFrame = nullptr;
  CPaneBase* m_pPane;
  CAutoHideBar* m_pStrip;

private:
  static LRESULT CALLBACK ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
