// The FDPane control at run time: the form it sits on becomes a pane on its first show, and the
// control's properties move that pane.
#include <gtest/gtest.h>

#include <memory>

#include "docking/com/FDPaneCtl.h"
#include "docking/layout/LayoutBlock.h"
#include "TestHost.h"
#include "docking/float/CMiniFrame.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/FDPaneBody.h"
#include "support/TestEnv.h"

namespace {

struct Frame : CDockFrameBase {
  explicit Frame(HWND window) : CDockFrameBase(1) { m_hWndFrame = window; }
};

struct CountingBody : CFDPaneBody {
  using CFDPaneBody::CFDPaneBody;
  int shown = 0, hidden = 0;
  void FireShown() override {
    ++shown;
    CFDPaneBody::FireShown();
  }
  void FireHidden() override {
    ++hidden;
    CFDPaneBody::FireHidden();
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
}

class FDPaneBody : public testing::Test {
protected:
  void SetUp() override {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                           nullptr);
    frame = std::make_unique<Frame>(host);
    form = CreateWindowExA(0, "STATIC", "Information", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, 0, 200, 200, nullptr,
                           nullptr, nullptr, nullptr);
    control = new CFDPaneCtl();
  }
  void TearDown() override {
    body.reset();
    if (control) control->Release();
    frame.reset();
    if (form) DestroyWindow(form);
    if (host) DestroyWindow(host);
    for (CMiniFrame* f : std::vector<CMiniFrame*>(CMiniFrame::FloatingFrames())) delete f;
    Pump();
  }
  void Start() {
    body = std::make_unique<CountingBody>(control);
    body->frameOverride = frame.get();
    body->Activate(form);
    SendMessageA(form, WM_SHOWWINDOW, TRUE, 0);  // the form's first show
    Pump();
  }

  HWND host = nullptr, form = nullptr;
  std::unique_ptr<Frame> frame;
  CFDPaneCtl* control = nullptr;
  std::unique_ptr<CountingBody> body;
};

TEST_F(FDPaneBody, FirstShowDocksTheFormAtItsInitialSide) {
  control->m_initDockStyle = 2;
  control->m_initDockHW = 180;
  Start();
  CPaneWnd* pane = body->Pane();
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(GetParent(form), pane->hwnd);
  RECT r = pane->GetRectInFrame();
  EXPECT_EQ(r.right, 800);
  EXPECT_EQ(r.right - r.left, 180);
  EXPECT_EQ(body->CurrentDockStyle(), 2);
  EXPECT_EQ(body->shown, 1);
  EXPECT_TRUE(body->PaneVisible());
  // A second show makes no second pane.
  SendMessageA(form, WM_SHOWWINDOW, TRUE, 0);
  EXPECT_EQ(body->Pane(), pane);
}

TEST_F(FDPaneBody, PaneVisibleHidesAndShowsWithEvents) {
  Start();
  ASSERT_TRUE(body->PaneVisible());
  body->SetPaneVisible(false);
  EXPECT_FALSE(body->PaneVisible());
  EXPECT_EQ(body->hidden, 1);
  EXPECT_EQ(control->m_paneVisible, 0);
  body->SetPaneVisible(false);  // unchanged: no second event
  EXPECT_EQ(body->hidden, 1);
  body->SetPaneVisible(true);
  EXPECT_TRUE(body->PaneVisible());
  EXPECT_EQ(body->shown, 2);
  EXPECT_EQ(body->Pane()->GetRectInFrame().left, 0);
}

TEST_F(FDPaneBody, CaptionAndStyleOfTheFormStayTheControlsBusiness) {
  Start();
  SetWindowTextA(form, "New title");
  EXPECT_EQ(body->Pane()->Title(), "New title");
  char own[32] = {};
  GetWindowTextA(form, own, sizeof own);
  EXPECT_STREQ(own, "Information") << "the form's own text is not changed";
  // A program that puts the caption back on the pane form changes nothing of the frame bits.
  SetWindowLongA(form, GWL_STYLE, GetWindowLongA(form, GWL_STYLE) | WS_CAPTION);
  EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(FDPaneBody, InitialPlaceIsTheInitialSideOrFloats) {
  control->m_initDockStyle = 0;
  control->m_canDockMask = 0x000E;  // not left: the mask is for drags, a host's place stands
  Start();
  EXPECT_EQ(body->CurrentDockStyle(), 0);
  body.reset();

  DestroyWindow(form);
  control->m_initDockStyle = 4;
  control->m_initFloatLeft = 120;
  control->m_initFloatTop = 130;
  control->m_initFloatWidth = 260;
  control->m_initFloatHeight = 190;
  form = CreateWindowExA(0, "STATIC", "Information", WS_POPUP | WS_CAPTION, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                         nullptr);
  Start();
  CPaneWnd* pane = body->Pane();
  ASSERT_NE(pane, nullptr);
  ASSERT_NE(pane->miniFrame, nullptr);
  EXPECT_EQ(body->CurrentDockStyle(), 4);
  RECT w{};
  GetWindowRect(pane->miniFrame->hwnd, &w);
  EXPECT_EQ(w.left, 120);
  EXPECT_EQ(w.right - w.left, 260);
}

TEST_F(FDPaneBody, TeardownGivesTheFormBack) {
  Start();
  HWND paneWindow = body->Pane()->hwnd;
  body.reset();
  EXPECT_FALSE(IsWindow(paneWindow));
  ASSERT_TRUE(IsWindow(form));
  EXPECT_EQ(GetParent(form), nullptr);
  EXPECT_EQ(frame->m_rcClient.left, 0) << "the frame gave the pane's room back";
}

}  // namespace

namespace {

// Two controls on two forms, hosted through a test site; the second names the first as its
// layout reference.
class LayoutReference : public FDPaneBody {
protected:
  void SetUp() override {
    FDPaneBody::SetUp();
    if (IsSkipped()) return;
    formB = CreateWindowExA(0, "STATIC", "Viewer settings", WS_POPUP | WS_CAPTION, 0, 0, 200, 200, nullptr, nullptr,
                            nullptr, nullptr);
    siteA = std::make_unique<TestSite>(form);
    siteB = std::make_unique<TestSite>(formB);
    other = new CFDPaneCtl();
  }
  void TearDown() override {
    if (other) {
      other->SetClientSite(nullptr);
      other->Release();
    }
    if (control) control->SetClientSite(nullptr);
    if (formB) DestroyWindow(formB);
    FDPaneBody::TearDown();
  }
  void Host(CFDPaneCtl* c, TestSite* site, HWND f) {
    c->SetClientSite(site);
    ASSERT_NE(c->Body(), nullptr);
    c->Body()->frameOverride = frame.get();
    SendMessageA(f, WM_SHOWWINDOW, TRUE, 0);
    Pump();
    ASSERT_NE(c->Body()->Pane(), nullptr);
  }
  HWND formB = nullptr;
  std::unique_ptr<TestSite> siteA, siteB;
  CFDPaneCtl* other = nullptr;
};

TEST_F(LayoutReference, ASecondPaneBecomesATabOfItsReference) {
  Host(control, siteA.get(), form);
  other->m_initDockStyle = 4;
  other->SetLayoutReference(control);
  Host(other, siteB.get(), formB);
  CPaneWnd* a = control->Body()->Pane();
  CPaneWnd* b = other->Body()->Pane();
  ASSERT_NE(a->m_pBlock, nullptr);
  EXPECT_EQ(a->m_pBlock, b->m_pBlock);
  EXPECT_EQ(a->m_pBlock->TabCount(), 2);
  EXPECT_TRUE(b->IsShown());
  EXPECT_FALSE(a->IsShown());
  VARIANT_BOOL visible = VARIANT_FALSE;
  other->get_PaneVisible(&visible);
  EXPECT_EQ(visible, VARIANT_TRUE);
}

TEST_F(LayoutReference, OrTakesItsOwnLeafBelowIt) {
  Host(control, siteA.get(), form);
  other->m_initDockStyle = 3;
  other->m_initDockHW = 120;
  other->SetLayoutReference(control);
  Host(other, siteB.get(), formB);
  CPaneWnd* a = control->Body()->Pane();
  CPaneWnd* b = other->Body()->Pane();
  EXPECT_NE(a->m_pBlock, b->m_pBlock);
  EXPECT_EQ(frame->SectionCount(0), 1) << "both share the left section";
  const RECT ra = a->GetRectInFrame(), rb = b->GetRectInFrame();
  EXPECT_EQ(ra.left, rb.left);
  EXPECT_EQ(rb.top, ra.bottom + 4);
  EXPECT_EQ(rb.bottom, 600);
  EXPECT_NEAR(rb.bottom - rb.top, 120, 2);
  DockStyle style = DockToNone;
  other->get_CurrentDockStyle(&style);
  EXPECT_EQ(style, 0);
}

}  // namespace

namespace {

// A host object answering a few named properties late-bound.
class NamedProps : public IDispatch {
public:
  void Set(const wchar_t* name, const VARIANT& value) {
    names_.push_back(name);
    VARIANT v;
    VariantInit(&v);
    VariantCopy(&v, const_cast<VARIANT*>(&value));
    values_.push_back(v);
  }
  ~NamedProps() {
    for (VARIANT& v : values_) VariantClear(&v);
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    for (size_t i = 0; i < names_.size(); ++i)
      if (names_[i] == names[0]) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || id > static_cast<DISPID>(values_.size()) || !result) return DISP_E_MEMBERNOTFOUND;
    return VariantCopy(result, &values_[id - 1]);
  }

private:
  std::vector<std::wstring> names_;
  std::vector<VARIANT> values_;
};

VARIANT Text(const wchar_t* s) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(s);
  return v;
}

struct ExtenderSite : TestSite {
  using TestSite::TestSite;
  IDispatch* extender = nullptr;
  STDMETHODIMP GetExtendedControl(IDispatch** d) override {
    *d = extender;
    if (extender) extender->AddRef();
    return extender ? S_OK : E_NOTIMPL;
  }
};

TEST(FDPaneLayoutName, TagOfTwoOrMoreCharactersElseTheFormsName) {
  NamedProps form, extender;
  VARIANT name = Text(L"frmInfo");
  form.Set(L"Name", name);
  VARIANT parent;
  parent.vt = VT_DISPATCH;
  parent.pdispVal = &form;
  VARIANT tagA = Text(L"A"), tagAB = Text(L"AB");
  extender.Set(L"Tag", tagA);
  extender.Set(L"Parent", parent);
  ExtenderSite site(nullptr);
  site.extender = &extender;
  CFDPaneCtl* control = new CFDPaneCtl();
  control->SetClientSite(&site);
  CFDPaneBody body(control);
  EXPECT_EQ(body.GetLayoutName(), "frmInfo");

  NamedProps extender2;
  extender2.Set(L"Tag", tagAB);
  extender2.Set(L"Parent", parent);
  site.extender = &extender2;
  EXPECT_EQ(body.GetLayoutName(), "AB");
  site.extender = nullptr;
  EXPECT_EQ(body.GetLayoutName(), "");
  control->SetClientSite(nullptr);
  control->Release();
  VariantClear(&name);
  VariantClear(&tagA);
  VariantClear(&tagAB);
}

}  // namespace

namespace {

class FDPaneMdi : public FDPaneBody {
protected:
  void MakeMdiClient() {
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    mdi = CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 600, 400, host, nullptr,
                          nullptr, &ccs);
    ASSERT_NE(mdi, nullptr);
    frame->m_hWndMdiClient = mdi;
  }
  HWND mdi = nullptr;
};

TEST_F(FDPaneMdi, APaneTurnsIntoAnMdiChildAndBackToItsPlace) {
  MakeMdiClient();
  control->m_initDockStyle = 0;
  control->m_initDockHW = 160;
  Start();
  CPaneWnd* pane = body->Pane();
  ASSERT_NE(pane, nullptr);
  ASSERT_EQ(pane->container, frame.get());
  CLayoutBlock* leaf = pane->m_pBlock;

  ASSERT_TRUE(body->MakeMdiChild());
  EXPECT_EQ(GetParent(form), mdi);
  EXPECT_EQ(pane->container, nullptr);
  EXPECT_FALSE(pane->IsVisible());
  EXPECT_FALSE(body->PaneVisible());
  const LONG child = GetWindowLongA(form, GWL_STYLE);
  EXPECT_EQ(child & 0x00CF0000, 0x00CF0000) << "an MDI child has its frame back";
  EXPECT_TRUE(child & WS_CHILD);

  ASSERT_TRUE(body->MakePane());
  EXPECT_EQ(GetParent(form), pane->hwnd);
  EXPECT_EQ(pane->container, frame.get());
  EXPECT_EQ(pane->side, 0);
  EXPECT_EQ(pane->m_pBlock, leaf) << "back into the place it left";
  EXPECT_TRUE(pane->IsVisible());
  EXPECT_EQ(GetWindowLongA(form, GWL_STYLE) & 0x00CF0000, 0);
}

TEST_F(FDPaneMdi, AFormSavedAsMdiFormStaysAnOrdinaryWindowAtFirst) {
  MakeMdiClient();
  control->m_fdType = 2;
  Start();
  EXPECT_EQ(body->Pane(), nullptr);
  EXPECT_EQ(body->shown, 1);
  EXPECT_NE(GetParent(form), host);
  // Turned into a pane later, it is made then.
  ASSERT_TRUE(body->MakePane());
  ASSERT_NE(body->Pane(), nullptr);
  EXPECT_EQ(GetParent(form), body->Pane()->hwnd);
}

TEST_F(FDPaneBody, WithoutAnMdiClientTheMdiTypeIsRefusedAndTheFormBecomesAPane) {
  control->m_fdType = 2;
  Start();
  EXPECT_NE(body->Pane(), nullptr);
  EXPECT_EQ(control->m_fdType, 0);
  EXPECT_FALSE(body->MakeMdiChild());
  EXPECT_FALSE(body->MakePane());
}

}  // namespace
