#pragma once
// A program's main window with a DockFrame on it and forms carrying FDPane controls, driven
// through the controls as the program drives them (under Xvfb).
#include <windows.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ComTestSupport.h"
#include "TestHost.h"
#include "XMoorline_h.h"
#include "docking/com/DockFrameCtl.h"
#include "docking/com/FDPaneCtl.h"
#include "docking/float/CMiniFrame.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/FDPaneBody.h"

#include <gtest/gtest.h>

namespace hostedforms {

inline void Pump()
{
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

inline IDockFrame* ActivateOn(TestSite& site)
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

}  // namespace hostedforms
