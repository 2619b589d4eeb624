#include <gtest/gtest.h>

#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockSection.h"

#include "docking/toolband/CToolBand.h"
#include "docking/toolband/CToolbarPaneWnd.h"
#include "docking/toolband/ToolbarPaneGeometry.h"

using namespace ToolbarPaneGeometry;

TEST(ToolbarPaneGeometry, GripAndToolbarRectangles)
{
  const RECT win{100, 50, 400, 80};
  EXPECT_EQ(ReserveGrip(win, true, 1).left, 116);
  EXPECT_EQ(ReserveGrip(win, true, 0).top, 66);
  EXPECT_EQ(ReserveGrip(win, false, 1).left, 100);  // floating: no grip
  EXPECT_TRUE(OnGrip(win, POINT{110, 60}, true, 3));
  EXPECT_FALSE(OnGrip(win, POINT{120, 60}, true, 3));
  EXPECT_FALSE(OnGrip(win, POINT{110, 60}, false, 3));
  RECT rc = ContentRect(RECT{0, 0, 284, 30}, true, 1);
  EXPECT_EQ(rc.top, 2);
  EXPECT_EQ(rc.right, 283);
  EXPECT_EQ(rc.bottom, 28);
  rc = ContentRect(RECT{0, 0, 30, 284}, true, 2);
  EXPECT_EQ(rc.left, 2);
  EXPECT_EQ(rc.right, 28);
  EXPECT_EQ(rc.bottom, 283);
  rc = ContentRect(RECT{0, 0, 2, 2}, true, 1);  // tiny: never inverted
  EXPECT_GE(rc.bottom, rc.top);
  EXPECT_EQ(DropSize(SIZE{100, 22}, 1).cx, 116);
  EXPECT_EQ(DropSize(SIZE{100, 22}, 1).cy, 28);
  EXPECT_EQ(DropSize(SIZE{24, 200}, 0).cx, 30);
  EXPECT_EQ(DropSize(SIZE{24, 200}, 0).cy, 216);
}

namespace {
int g_sizes = 0;
LRESULT CALLBACK FormProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
  if (m == WM_SIZE) ++g_sizes;
  return DefWindowProcA(h, m, w, l);
}
}  // namespace

TEST(ToolbarPane, DockedPaneHasAGripAndRelaysItsToolbar)
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QlToolbarFormTest";
  RegisterClassA(&wc);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 200, nullptr, nullptr, nullptr, nullptr);
  HWND form = CreateWindowExA(0, "QlToolbarFormTest", "Properties", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(parent && form);
  auto* pane = new CToolbarPaneWnd();
  ASSERT_EQ(pane->Attach(form, parent), 1);
  EXPECT_FALSE(pane->IsFormPane());
  EXPECT_EQ(pane->pinState, 0);
  pane->docked = true;
  pane->side = 1;
  SetWindowPos(pane->hwnd, nullptr, 10, 10, 300, 30, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  RECT client;
  GetClientRect(pane->hwnd, &client);
  EXPECT_EQ(client.right, 284);
  pane->LayoutContent();
  RECT fr;
  GetWindowRect(form, &fr);
  MapWindowPoints(nullptr, pane->hwnd, reinterpret_cast<POINT*>(&fr), 2);
  RECT win;
  GetWindowRect(pane->hwnd, &win);
  POINT origin{0, 0};
  ClientToScreen(pane->hwnd, &origin);
  EXPECT_EQ(origin.x - win.left, 16);
  EXPECT_EQ(fr.top, 2);
  EXPECT_EQ(fr.right - fr.left, 283);
  EXPECT_EQ(fr.bottom - fr.top, 26);
  EXPECT_EQ(SendMessageA(pane->hwnd, WM_NCHITTEST, 0, MAKELPARAM(win.left + 5, win.top + 10)), HTCAPTION);
  EXPECT_EQ(SendMessageA(pane->hwnd, WM_NCHITTEST, 0, MAKELPARAM(win.left + 50, win.top + 10)), HTCLIENT);

  // The relayout timer: one size change and back, within a short while.
  g_sizes = 0;
  pane->StartRelayoutTimer();
  const DWORD start = GetTickCount();
  while (g_sizes < 2 && GetTickCount() - start < 5000) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_GE(g_sizes, 2);
  EXPECT_GE(GetTickCount() - start, 30u);  // not before the timer
  GetWindowRect(pane->hwnd, &win);
  EXPECT_EQ(win.right - win.left, 300);
  EXPECT_EQ(win.bottom - win.top, 30);

  // A new row for this pane is a toolbar band.
  pane->m_nSide = 3;
  CDockSection* section = pane->MakeSection();
  EXPECT_EQ(section, pane->band);
  EXPECT_TRUE(section->m_bRow);
  EXPECT_EQ(pane->band->m_nSide, 3);
  delete section;

  // Docked through the frame it stays a toolbar pane, in a row of its own.
  CDockFrameBase frame(1);
  frame.m_hWndFrame = parent;
  frame.m_bUseOverride = true;
  SetRect(&frame.m_rcFrameClientOverride, 0, 0, 600, 200);
  pane->DockTo(&frame, 1);
  EXPECT_FALSE(pane->IsFormPane());
  ASSERT_EQ(frame.SectionCount(1), 1);
  EXPECT_TRUE(frame.SectionAt(1, 0)->m_bRow);
  pane->Undock();

  pane->Destroy();
  EXPECT_TRUE(IsWindow(form));  // the form outlives the pane window
  DestroyWindow(form);
  DestroyWindow(parent);
}
