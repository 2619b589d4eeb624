#include <gtest/gtest.h>

#include <memory>

#include "docking/autohide/CAutoHideBar.h"
#include "docking/autohide/CPinPopupFrame.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/layout/PaneBase.h"

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND MakeWindow(const char* cls, DWORD style, int x, int y, int w, int h, HWND parent)
{
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "QlAutoHideTestWnd";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, cls, "", style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A pane with a real child window.
class WinPane : public CPaneBase {
public:
  WinPane(const char* title, HWND parent)
  {
    m_title = title;
    hwnd = MakeWindow("QlAutoHideTestWnd", WS_CHILD, 0, 0, 200, 300, parent);
  }
  ~WinPane() override { DestroyWindow(hwnd); }
  RECT GetRectInFrame() const override
  {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }
  RECT GetScreenRect() const override
  {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return rc;
  }
  RECT GetClientScreenRect() const override { return GetScreenRect(); }
  void MoveTo(const RECT& rc, HDWP*) override
  {
    SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Show(bool show) override { ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE); }
  bool IsShown() const override { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }
  void ReparentTo(HWND parent) override { SetParent(hwnd, parent); }
  HWND GetWindow() const override { return hwnd; }
  HWND hwnd;
};

// The main frame's part: it tracks one popup and closes it once the mouse stayed away.
class Host : public CAutoHideHost {
public:
  explicit Host(HWND frame) : frame_(frame) {}
  ~Host() override { delete popup; }
  HWND FrameWindow() override { return frame_; }
  CPinPopupFrame* TrackedPopup() override { return popup; }
  void TrackPopup(CPinPopupFrame* p) override
  {
    if (popup && popup != p) delete popup;
    popup = p;
    tracking = PopupTracking();
    ++opened;
    openedAt = GetTickCount();
  }
  void ClearPopupTouched() override { tracking.touched = false; }
  void PopupMouseMove(HWND under, POINT screen) override
  {
    if (!popup) return;
    PopupMouseEvent e{};
    e.message = WM_MOUSEMOVE;
    e.hitTest = HTCLIENT;
    e.now = GetTickCount();
    for (HWND w = under; w && !e.targetInPopup; w = GetParent(w))
      if (w == popup->Window()) e.targetInPopup = true;
    e.onStripTab = under == popup->StripWindow() && popup->StripHitTab(screen);
    e.targetInFrame = under == frame_ || IsChild(frame_, under);
    if (e.targetInPopup) lastInside = e.now;
    if (PopupShouldClose(tracking, e)) {
      CPinPopupFrame* p = popup;
      popup = nullptr;
      delete p;
      closedAt = GetTickCount();
    }
  }
  CAutoHideBar* StripOf(int side) override { return side >= 0 && side < 4 ? strips[side] : nullptr; }

  CAutoHideBar* strips[4] = {};
  CPinPopupFrame* popup = nullptr;
  PopupTracking tracking;
  int opened = 0;
  DWORD openedAt = 0, closedAt = 0, lastInside = 0;

private:
  HWND frame_;
};

template <class F> bool PumpUntil(F done, DWORD ms)
{
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
  return true;
}

struct Fixture : ::testing::Test {
  void SetUp() override
  {
    frame = MakeWindow("QlAutoHideTestWnd", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr);
    ASSERT_NE(frame, nullptr);
    host = std::make_unique<Host>(frame);
    strip = new CAutoHideBar(0, host.get());
    strip->m_hWndParent = frame;
    host->strips[0] = strip;
    strip->MovePane(nullptr, RECT{0, 0, 22, 600});
    ASSERT_NE(strip->m_hWnd, nullptr);
    pane = std::make_unique<WinPane>("Installed Fonts", frame);
    other = std::make_unique<WinPane>("Font Browser", frame);
  }
  void TearDown() override
  {
    host.reset();
    delete strip;
    pane.reset();
    other.reset();
    DestroyWindow(frame);
  }
  POINT TabCentre(int i)
  {
    const auto& t = strip->Tabs()[i];
    POINT pt{11, (t.start + t.end) / 2};
    ClientToScreen(strip->m_hWnd, &pt);
    return pt;
  }
  HWND frame = nullptr;
  std::unique_ptr<Host> host;
  CAutoHideBar* strip = nullptr;
  std::unique_ptr<WinPane> pane, other;
};

}  // namespace

TEST_F(Fixture, TabsFollowTheUnpinnedPanes)
{
  strip->AddTab(pane.get());
  strip->AddTab(other.get());
  ASSERT_EQ(strip->Tabs().size(), 2u);
  EXPECT_EQ(strip->Tabs()[0].start, 0);
  EXPECT_GT(strip->Tabs()[0].end, 8);
  EXPECT_EQ(strip->Tabs()[1].start, strip->Tabs()[0].end);
  EXPECT_TRUE(strip->HitTestTab(TabCentre(1)));
  // Painted: the light grey strip, the tabs in the face colour.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 22, 600);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageA(strip->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 10, strip->Tabs()[1].end + 30), RGB(224, 224, 224));
  EXPECT_EQ(GetPixel(dc, 4, strip->Tabs()[0].start + 4), GetSysColor(COLOR_BTNFACE));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  strip->SetTabText(other.get(), "Browser");
  EXPECT_EQ(strip->Tabs()[1].caption, "Browser");
  WinPane stranger("Glyphs", frame);
  EXPECT_EQ(strip->RemoveTab(&stranger), 2);
  EXPECT_EQ(strip->RemoveTab(pane.get()), 1);
  EXPECT_EQ(strip->Tabs()[0].start, 0);
  EXPECT_EQ(strip->RemoveTab(other.get()), 0);
  POINT somewhere{11, 5};
  ClientToScreen(strip->m_hWnd, &somewhere);
  EXPECT_FALSE(strip->HitTestTab(somewhere));
}

TEST_F(Fixture, PopupSlidesOutOnHoverAndBackAfterTheDelay)
{
  strip->AddTab(pane.get());
  strip->AddTab(other.get());
  // The cursor as the strip sees it: other test programs share the display, so the
  // windows under a screen point are worked out from ours only.
  POINT cursor = TabCentre(0);
  strip->cursorPos = [&] { return cursor; };
  strip->windowAt = [&](POINT pt) -> HWND {
    RECT rc;
    if (host->popup && GetWindowRect(host->popup->Window(), &rc) && PtInRect(&rc, pt)) {
      HWND child = ::GetWindow(host->popup->Window(), GW_CHILD);
      return child ? child : host->popup->Window();
    }
    if (GetWindowRect(strip->m_hWnd, &rc) && PtInRect(&rc, pt)) return strip->m_hWnd;
    return frame;
  };
  POINT client = cursor;
  ScreenToClient(strip->m_hWnd, &client);
  const DWORD start = GetTickCount();
  SendMessageA(strip->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  EXPECT_TRUE(strip->TimerRunning());
  EXPECT_EQ(host->popup, nullptr);  // one check is not enough
  ASSERT_TRUE(PumpUntil([&] { return host->popup != nullptr; }, 3000));
  EXPECT_GE(host->openedAt - start, 300u);  // the 350 ms hover timer
  EXPECT_EQ(host->popup->m_pPane, pane.get());
  // Beside the strip, as wide as the pane plus the frame borders, the pane inside.
  RECT prc;
  GetWindowRect(host->popup->Window(), &prc);
  EXPECT_EQ(prc.left, 22);
  EXPECT_EQ(prc.right - prc.left, 200 + 2 * GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(GetParent(pane->hwnd), host->popup->Window());
  EXPECT_TRUE(IsWindowVisible(pane->hwnd));
  EXPECT_TRUE(GetWindowLongA(host->popup->Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // The mouse resting on it keeps it open.
  cursor = POINT{prc.left + 50, prc.top + 50};
  EXPECT_FALSE(PumpUntil([&] { return host->popup == nullptr; }, 900));
  // Away from it: closed after the delay, the pane given back hidden.
  cursor = POINT{600, 300};
  ASSERT_TRUE(PumpUntil([&] { return host->popup == nullptr; }, 3000));
  ASSERT_NE(host->lastInside, 0u);
  EXPECT_GE(host->closedAt - host->lastInside, 300u);  // not before the mouse stayed away
  EXPECT_EQ(GetParent(pane->hwnd), frame);
  EXPECT_FALSE(IsWindowVisible(pane->hwnd));
  EXPECT_EQ(host->opened, 1);
  EXPECT_EQ(CPinPopupFrame::ListedPopups(), 0);
  EXPECT_FALSE(strip->TimerRunning());
}

TEST_F(Fixture, PopupKeepsAMinimumSize)
{
  strip->AddTab(pane.get());
  strip->ShowPopup(pane.get());
  ASSERT_NE(host->popup, nullptr);
  SetWindowPos(host->popup->Window(), nullptr, 0, 0, 5, 5, SWP_NOMOVE | SWP_NOZORDER);
  MINMAXINFO info{};
  SendMessageA(host->popup->Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 30);
  EXPECT_EQ(info.ptMinTrackSize.y, 50);
  // Opening the same pane again while it is shown does not stack popups.
  EXPECT_EQ(CPinPopupFrame::ListedPopups(), 1);
}
