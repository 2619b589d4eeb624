#include "docking/framework/PointerArray.h"
#include "docking/framework/Subclass.h"
#include "docking/framework/WinWnd.h"
#include "support/TestEnv.h"

#include <commctrl.h>
#include <gtest/gtest.h>

TEST(DockPointerArray, KeepsAFreeSlotAndRefusesBadIndices)
{
    CPointerArray a;
    int x[12];
    for (int i = 0; i < 9; ++i) a.Add(&x[i]);
    EXPECT_EQ(a.GetCapacity(), 10);
    a.Add(&x[9]);
    EXPECT_EQ(a.GetCapacity(), 20);
    EXPECT_EQ(a.InsertAt(&x[10], 11), 0);
    EXPECT_EQ(a.InsertAt(&x[10], -1), 0);
    EXPECT_EQ(a.GetCount(), 10);
    EXPECT_EQ(a.InsertAt(&x[10], 10), 1);
    EXPECT_EQ(a.GetAt(10), &x[10]);
    EXPECT_EQ(a.InsertAt(&x[11], 0), 1);
    EXPECT_EQ(a.GetAt(0), &x[11]);
    EXPECT_EQ(a.GetAt(1), &x[0]);
    EXPECT_EQ(a.RemoveAt(12), 12);
    EXPECT_EQ(a.RemoveAt(-1), 12);
    EXPECT_EQ(a.RemoveAt(0), 11);
    EXPECT_EQ(a.GetAt(0), &x[0]);
    int found = -1;
    PointerPair* p = PointerArrayFindByKey(a, &x[5], nullptr, found);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(PointerArrayFindByKey(a, &x[5], &x[1], found), p);
    EXPECT_EQ(found, 1);
    delete p;
}

namespace {
class Recorder : public CWinWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 7) return 77;
        return CWinWnd::WindowProc(message, wParam, lParam);
    }
};

LRESULT CALLBACK later(HWND h, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR)
{
    if (m == WM_USER + 10) return 100;
    return DefSubclassProc(h, m, wp, lp);
}

class Swallower : public CSubclassOwner {
public:
    LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 9) return 99;
        return CallNext(hwnd, message, wParam, lParam);
    }
};
}  // namespace

TEST(DockWinWnd, MapLivesWithItsWindows)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    RECT rc = {0, 0, 50, 50};
    {
        Recorder w;
        ASSERT_EQ(w.Create("t", WS_POPUP, rc, nullptr, 0), 1);
        EXPECT_EQ(SendMessageA(w.m_hWnd, WM_USER + 7, 0, 0), 77);
        EXPECT_NE(CWinWnd::WindowMap(), nullptr);
    }
    EXPECT_EQ(CWinWnd::WindowMap(), nullptr);
    // A window of the class that was never listed gets the default handling.
    HWND stray = CreateWindowExA(0, CWinWnd::ClassName(), "s", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(SendMessageA(stray, WM_USER + 7, 0, 0), 0);
    char text[8] = {};
    GetWindowTextA(stray, text, sizeof(text));
    EXPECT_STREQ(text, "s");
    DestroyWindow(stray);
    Recorder again;
    EXPECT_EQ(again.Create("u", WS_POPUP, rc, nullptr, 0), 1);
    EXPECT_NE(CWinWnd::WindowMap(), nullptr);
}

TEST(DockSubclass, LaterSubclassesSurviveOurRemoval)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    HWND w = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    Swallower ours;
    ASSERT_EQ(SubclassWindow(&ours, w), 1);
    EXPECT_EQ(SubclassWindow(&ours, w), 0);
    EXPECT_EQ(SendMessageA(w, WM_USER + 9, 0, 0), 99);
    // Someone else subclasses after us.
    ASSERT_TRUE(SetWindowSubclass(w, later, 1, 0));
    UnsubclassWindow(&ours, w);
    EXPECT_EQ(SendMessageA(w, WM_USER + 10, 0, 0), 100);
    EXPECT_EQ(SendMessageA(w, WM_USER + 9, 0, 0), 0);
    char text[8] = {};
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "x");
    RemoveWindowSubclass(w, later, 1);
    DestroyWindow(w);
}

#include "docking/framework/DrawHelpers.h"
#include "docking/framework/Guard.h"

#include <stdexcept>

namespace {
class Thrower : public CWinWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 3) throw std::runtime_error("boom");
        return CWinWnd::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

TEST(DockBoundaries, ExceptionsStopAtComAndWindowBoundaries)
{
    EXPECT_EQ(dockguard::Com("t", []() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(dockguard::Com("t", []() -> HRESULT { throw 1; }), E_UNEXPECTED);
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    Thrower w;
    RECT rc = {0, 0, 10, 10};
    ASSERT_EQ(w.Create("t", WS_POPUP, rc, nullptr, 0), 1);
    EXPECT_EQ(SendMessageA(w.m_hWnd, WM_USER + 3, 0, 0), 0);
    EXPECT_TRUE(IsWindow(w.m_hWnd));
}

TEST(DockDrawing, QuitDuringThePaintPumpIsPostedAgain)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    HWND w = CreateWindowExA(0, "STATIC", "x", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    InvalidateRect(w, nullptr, TRUE);
    PostQuitMessage(7);
    HDC dc = PumpPaintAndLock(w, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (dc) {
        LockWindowUpdate(nullptr);
        ReleaseDC(w, dc);
    }
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(w);
}

TEST(DockDrawing, CaptionPainterLeavesTheWindowText)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    HWND w = CreateWindowExA(0, "STATIC", "Fonts", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    RECT pin = {-1, -1, -1, -1}, close = {};
    DrawFloatCaption(w, nullptr, true, false, "Fonts", 1, nullptr, &close, true, true);
    char text[16] = {};
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "Fonts");
    EXPECT_EQ(close.right, 198);
    EXPECT_EQ(close.left, 186);
    EXPECT_EQ(pin.left, -1);  // no pin without an output rectangle
    DrawFloatCaption(w, nullptr, false, false, "Fonts", 2, &pin, &close, false, false);
    EXPECT_EQ(pin.right, close.left - 6);
    EXPECT_NE(GetHalftoneBrush(), nullptr);
    EXPECT_EQ(GetHalftoneBrush(), GetHalftoneBrush());
    DestroyWindow(w);
}
