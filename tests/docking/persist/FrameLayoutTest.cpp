// The layout through the control surface: one host saves it, a later host (a fresh frame, as in
// the next run of the program) loads it, clears as the program does at start-up, and its forms
// come back to the places they had.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ComTestSupport.h"
#include "TestHost.h"
#include "XMoorline_h.h"
#include "docking/com/DockFrameCtl.h"
#include "docking/com/FDPaneCtl.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/FDPaneBody.h"
#include "support/TestEnv.h"

namespace {

void Pump()
{
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

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
  qa->Release();
  return frame;
}

struct Form {
  Form(const char* caption, int side, int size, CFDPaneCtl* reference = nullptr)
  {
    window = CreateWindowExA(0, "STATIC", caption, WS_POPUP | WS_CAPTION, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                             nullptr);
    site = std::make_unique<TestSite>(window);
    control = new CFDPaneCtl();
    control->m_initDockStyle = side;
    control->m_initDockHW = static_cast<short>(size);
    if (reference) control->SetLayoutReference(reference);
  }
  ~Form()
  {
    control->SetClientSite(nullptr);
    control->Release();
    DestroyWindow(window);
  }
  // The form's first show: its pane window is made and placed.
  void Show()
  {
    control->SetClientSite(site.get());
    SendMessageA(window, WM_SHOWWINDOW, TRUE, 0);
    Pump();
  }
  CPaneWnd* Pane() const { return control->Body() ? control->Body()->Pane() : nullptr; }
  HWND window;
  std::unique_ptr<TestSite> site;
  CFDPaneCtl* control;
};

// One run of the program: its main window, the DockFrame on it and its forms.
struct ProgramRun {
  ProgramRun() : host(800, 600, 22), site(host.frame)
  {
    dock = ActivateOn(site);
    dock->SetRegRootKey(KeyCurentUser);
  }
  ~ProgramRun()
  {
    forms.clear();
    dock->Release();
    Pump();
  }
  Form& Add(const char* caption, int side, int size, CFDPaneCtl* reference = nullptr)
  {
    forms.push_back(std::make_unique<Form>(caption, side, size, reference));
    return *forms.back();
  }
  HRESULT Call(HRESULT (STDMETHODCALLTYPE IDockFrame::*method)(VARIANT*), const std::string& key)
  {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(nullptr, static_cast<UINT>(key.size()));
    MultiByteToWideChar(CP_ACP, 0, key.c_str(), static_cast<int>(key.size()), V_BSTR(&v), static_cast<int>(key.size()));
    const HRESULT hr = (dock->*method)(&v);
    VariantClear(&v);
    Pump();
    return hr;
  }
  CMainDockFrame* Frame() const { return static_cast<CDockFrameCtl*>(dock)->Frame(); }
  // Where every form's pane and the MDI client are, by caption.
  std::string Dump() const
  {
    std::ostringstream o;
    const RECT c = ChildRect(host.mdiClient);
    o << "client " << c.left << "," << c.top << "," << c.right << "," << c.bottom << "\n";
    for (const auto& f : forms) {
      char caption[64] = {};
      GetWindowTextA(f->window, caption, sizeof(caption));
      CPaneWnd* p = f->Pane();
      o << caption << ": ";
      if (!p || !IsWindowVisible(p->hwnd)) {
        o << "hidden\n";
        continue;
      }
      const RECT r = ChildRect(p->hwnd);
      o << r.left << "," << r.top << "," << r.right << "," << r.bottom << " side " << p->side << "\n";
    }
    return o.str();
  }
  TestHostWindow host;
  TestSite site;
  IDockFrame* dock = nullptr;
  std::vector<std::unique_ptr<Form>> forms;
};

class FrameLayout : public testing::Test {
protected:
  void SetUp() override
  {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    key = "QlTest\\frame-layout-" + std::to_string(GetCurrentProcessId());
    SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str());
  }
  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str()); }
  std::string key;
};

}  // namespace

TEST_F(FrameLayout, TheNextRunRestoresTheSavedPlacesThroughTheStartUpClear)
{
  std::string saved;
  {
    ProgramRun first;
    Form& fonts = first.Add("Installed Fonts", 0, 180);
    fonts.Show();
    Form& info = first.Add("Information", 3, 130);
    info.Show();
    Form& glyphs = first.Add("Glyphs", 4, 0, info.control);  // a tab beside Information
    glyphs.Show();
    ASSERT_NE(glyphs.Pane(), nullptr);
    ASSERT_EQ(glyphs.Pane()->m_pBlock, info.Pane()->m_pBlock);
    saved = first.Dump();
    ASSERT_NE(saved.find("Installed Fonts: 0,0,180,"), std::string::npos) << saved;
    ASSERT_NE(saved.find("Glyphs: 184,448,800,578 side 3"), std::string::npos) << saved;
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + key).c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
  RegCloseKey(k);

  ProgramRun next;
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  // The program's start-up: clear, then its forms with their default places, which the saved
  // layout overrides.
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  next.Add("Information", 1, 60).Show();
  next.Add("Glyphs", 0, 70).Show();
  EXPECT_EQ(next.Dump(), saved);
  EXPECT_EQ(next.forms[2]->Pane()->m_pBlock, next.forms[1]->Pane()->m_pBlock);

  // Loaded once per frame: a second load changes nothing; once panes are in, a clear clears.
  const int sections = next.Frame()->SectionCount(0) + next.Frame()->SectionCount(3);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(next.Frame()->SectionCount(0) + next.Frame()->SectionCount(3), sections);
  EXPECT_EQ(next.Frame()->m_bLoadPending, 0);
}

TEST_F(FrameLayout, WithoutAStoredLayoutFormsTakeTheirOwnPlaces)
{
  ProgramRun run;
  EXPECT_EQ(run.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(run.Frame()->m_bLoadPending, 0);
  EXPECT_EQ(run.dock->ClearLayout(), S_OK);
  EXPECT_EQ(run.Frame()->m_bLayoutLoaded, 0);
  Form& fonts = run.Add("Installed Fonts", 2, 90);
  fonts.Show();
  ASSERT_NE(fonts.Pane(), nullptr);
  EXPECT_EQ(fonts.Pane()->side, 2);
}
