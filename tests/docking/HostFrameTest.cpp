// A host window carrying a DockFrame gets its frame around the MDI client.
#include "ComTestSupport.h"
#include "TestHost.h"
#include "XMoorline_h.h"
#include "docking/com/DockFrameCtl.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/framework/Subclass.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/SplitterBar.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

// A pane whose window is a plain child of the frame window.
class WindowPane : public CPaneBase {
public:
    WindowPane(HWND parent, int width)
    {
        m_nDockedWidth = width;
        m_nDockedHeight = width;
        m_hWnd = CreateWindowExA(0, "STATIC", "pane", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent, nullptr,
                                 nullptr, nullptr);
    }
    ~WindowPane() override { DestroyWindow(m_hWnd); }
    RECT GetRectInFrame() const override { return ChildRect(m_hWnd); }
    RECT GetScreenRect() const override
    {
        RECT rc;
        GetWindowRect(m_hWnd, &rc);
        return rc;
    }
    RECT GetClientScreenRect() const override { return GetScreenRect(); }
    void MoveTo(const RECT& rc, HDWP* batch) override { DeferMoveRect(m_hWnd, rc, batch); }
    void Show(bool show) override { ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE); }
    bool IsShown() const override { return IsWindowVisible(m_hWnd) != 0; }
    void ReparentTo(HWND parent) override { if (parent) SetParent(m_hWnd, parent); }
    HWND GetWindow() const override { return m_hWnd; }
    HWND m_hWnd;
};

IDockFrame* ActivateOn(TestSite& site)
{
    IDockFrame* frame = MakeControl<IDockFrame>(CLSID_DockFrame, IID_IDockFrame);
    IQuickActivate* qa = nullptr;
    frame->QueryInterface(IID_IQuickActivate, reinterpret_cast<void**>(&qa));
    QACONTAINER container = {};
    container.cbSize = sizeof(container);
    container.pClientSite = &site;
    container.dwAmbientFlags = QACONTAINER_USERMODE;
    QACONTROL control = {};
    control.cbSize = sizeof(control);
    EXPECT_EQ(qa->QuickActivate(&container, &control), S_OK);
    EXPECT_EQ(control.dwMiscStatus, 132497u);
    qa->Release();
    return frame;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

}  // namespace

TEST(DockHost, QuickActivationBuildsTheFrameAroundTheClientArea)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    TestHostWindow host(800, 600, 22);
    const LONG_PTR mdiProc = GetWindowLongPtrA(host.mdiClient, GWLP_WNDPROC);
    TestSite site(host.frame);
    IDockFrame* control = ActivateOn(site);
    auto* ctl = static_cast<CDockFrameCtl*>(control);
    CMainDockFrame* frame = ctl->Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(CMainDockFrame::Current(), frame);
    EXPECT_EQ(frame->m_hWndMdiClient, host.mdiClient);
    EXPECT_EQ(frame->m_insets[3], 22);  // the status bar
    EXPECT_EQ(frame->m_insets[1], 0);
    EXPECT_TRUE(IsSubclassedBy(frame, host.frame));
    EXPECT_TRUE(IsSubclassedBy(frame, host.mdiClient));

    // A second control in the process makes no frame of its own.
    TestSite other(host.frame);
    IDockFrame* second = ActivateOn(other);
    EXPECT_EQ(static_cast<CDockFrameCtl*>(second)->Frame(), nullptr);
    second->Release();

    control->EnableBoundaryCheck(1);
    EXPECT_EQ(frame->m_bBoundaryCheck, 0);
    control->EnableBoundaryCheck(VARIANT_TRUE);
    EXPECT_EQ(frame->m_bBoundaryCheck, 1);
    control->SetRegRootKey(static_cast<RegRootKey>(0x1234));
    EXPECT_EQ(frame->m_registryRoot, HKEY_LOCAL_MACHINE);
    control->SetRegRootKey(KeyCurentUser);
    EXPECT_EQ(frame->m_registryRoot, HKEY_CURRENT_USER);

    // A pane docked at the left: pane, bar and MDI client share the area above the status bar.
    WindowPane left(host.frame, 150);
    left.m_nSide = 0;
    frame->DockPane(&left, 0, nullptr);
    Pump();
    RECT pane = ChildRect(left.m_hWnd);
    EXPECT_EQ(pane.left, 0);
    EXPECT_EQ(pane.right, 150);
    EXPECT_EQ(pane.bottom, 578);
    CDockSection* section = frame->SectionAt(0, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(section->m_pSplitter->m_hWnd, nullptr);
    RECT bar = ChildRect(section->m_pSplitter->m_hWnd);
    EXPECT_EQ(bar.left, 150);
    EXPECT_EQ(bar.right, 154);
    EXPECT_EQ(bar.bottom, 578);
    RECT client = ChildRect(host.mdiClient);
    EXPECT_EQ(client.left, 154);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 578);

    // The host lays out its bars and MDI client on a resize; the sections follow.
    WindowPane bottom(host.frame, 100);
    bottom.m_nSide = 3;
    frame->DockPane(&bottom, 0, nullptr);
    host.Resize(900, 700);
    Pump();
    pane = ChildRect(left.m_hWnd);
    EXPECT_EQ(pane.bottom, 678);
    RECT b = ChildRect(bottom.m_hWnd);
    EXPECT_EQ(b.bottom, 678);
    EXPECT_EQ(b.right, 900);
    client = ChildRect(host.mdiClient);
    EXPECT_EQ(client.left, 154);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(client.bottom, b.top - 4);

    // Teardown gives the host and its MDI client their own procedures back.
    frame->ReleasePane(&left, frame);
    frame->ReleasePane(&bottom, frame);
    control->Release();
    EXPECT_EQ(CMainDockFrame::Current(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(host.mdiClient, GWLP_WNDPROC), mdiProc);
    EXPECT_EQ(SubclassedWindowCount(), 0);
    host.Resize(640, 480);
    Pump();
    client = ChildRect(host.mdiClient);
    EXPECT_EQ(client.right, 640);
}

TEST(DockHost, DesignTimeMakesNoFrameAndDrawsThePicture)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    TestHostWindow host(400, 300, 0);
    TestSite site(host.frame, false);
    IDockFrame* control = ActivateOn(site);
    EXPECT_EQ(static_cast<CDockFrameCtl*>(control)->Frame(), nullptr);
    IViewObject2* view = nullptr;
    control->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&view));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bm = CreateCompatibleBitmap(screen, 40, 40);
    SelectObject(dc, bm);
    RECT all = {0, 0, 40, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECTL bounds = {0, 0, 20, 20};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0), S_OK);
    EXPECT_NE(GetPixel(dc, 0, 0) & 0xFFFFFF, 0xFFFFFFu);  // the picture's border
    EXPECT_EQ(GetPixel(dc, 25, 25) & 0xFFFFFF, 0xFFFFFFu);  // clipped to the bounds
    DeleteDC(dc);
    DeleteObject(bm);
    ReleaseDC(nullptr, screen);
    view->Release();
    control->Release();
}

TEST(DockHost, SetClientSiteAloneAlsoActivates)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    TestHostWindow host(500, 400, 20);
    TestSite site(host.frame);
    IDockFrame* control = MakeControl<IDockFrame>(CLSID_DockFrame, IID_IDockFrame);
    IOleObject* ole = nullptr;
    control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    ASSERT_EQ(ole->SetClientSite(&site), S_OK);
    CMainDockFrame* frame = static_cast<CDockFrameCtl*>(control)->Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_insets[3], 20);
    RECT client = ChildRect(host.mdiClient);
    EXPECT_EQ(client.bottom, 380);
    ole->SetClientSite(nullptr);
    ole->Release();
    control->Release();
    EXPECT_EQ(CMainDockFrame::RegisteredHost(), nullptr);
}
