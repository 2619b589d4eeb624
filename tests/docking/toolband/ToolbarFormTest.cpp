// A toolbar form of the forms layer (a Toolbar of ten buttons and an FDPane of type 1) in a
// host carrying a DockFrame, under Xvfb: it docks in rows on every side, floats in a toolbar
// frame that resizes through the fitted sizes, docks back beside another toolbar, and a second
// process restores the saved rows with the same rectangles.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>

#include "HostedForms.h"
#include "docking/com/ClassFactory.h"
#include "docking/float/FrameResizeLoop.h"
#include "docking/framework/Subclass.h"
#include "docking/pane/ToolbarSource.h"
#include "docking/toolband/CToolBand.h"
#include "docking/toolband/CToolbarPaneWnd.h"
#include "platform/controls/Toolbar.h"
#include "platform/forms/Form.h"
#include "platform/ole/OleControl.h"
#include "support/TestEnv.h"

namespace pf = platform::forms;

namespace {

IClassFactory* PaneFactory()
{
  static IClassFactory* factory = [] {
    IClassFactory* f = nullptr;
    dockserver::GetClassObject(CLSID_FDPane, IID_IClassFactory, reinterpret_cast<void**>(&f));
    return f;
  }();
  return factory;
}

// The program's toolbar form: ten buttons, a separator after the fifth.
class frmToolbar : public pf::Form {
public:
  frmToolbar(const char* tag, int side) : pf::Form("frmToolbar"), tag_(tag), side_(side) {}
  pf::Toolbar Toolbar2{*this, "Toolbar2"};
  pf::OleControl ctlPane{*this, "ctlPane"};

  frmToolbar* reference = nullptr;  // layout reference, given before the first show
  bool startHidden = false;
  std::vector<std::string> events;  // the pane control's events: "dock <side>", "shown", "hidden"

  CFDPaneCtl* Control() const { return CFDPaneCtl::FromInterface(ctlPane.Object()); }
  CToolbarPaneWnd* Pane() const
  {
    CFDPaneCtl* c = Control();
    return c && c->Body() ? dynamic_cast<CToolbarPaneWnd*>(c->Body()->Pane()) : nullptr;
  }

protected:
  void Design() override
  {
    Caption(tag_);
    ClientSize(6000, 500);
    ctlPane.Factory(PaneFactory());
    ctlPane.DesignValue("FDType", pf::Var::I4(1));
    ctlPane.DesignValue("InitDockStyle", pf::Var::I4(side_));
    ctlPane.Tag(tag_);
    ctlPane.EventsInterface(DIID__IFDPaneEvents);
    if (startHidden) ctlPane.DesignValue("PaneVisible", pf::Var::Bool(false));
    if (Toolbar2.ButtonCount() == 0)
      for (int i = 1; i <= 10; ++i) {
        Toolbar2.AddButton("b" + std::to_string(i), "Btn" + std::to_string(i));
        if (i == 5) Toolbar2.AddButton("", "", pf::tbrSeparator);
      }
  }

  void Form_Load() override
  {
    ctlPane.ControlEvent = [this](DISPID id, const std::vector<pf::Var>& args) {
      if (id == 1) events.push_back("dock " + std::to_string(args.empty() ? -1 : args[0].AsLong()));
      if (id == 2) events.push_back("hidden");
      if (id == 3) events.push_back("shown");
    };
    if (reference) ctlPane.Call("SetLayoutReference", {pf::Var::Dispatch(reference->ctlPane.DispatchObject())});
  }

private:
  std::string tag_;
  int side_;
};

void Wait(int ms)
{
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(ms)) {
    hostedforms::Pump();
    Sleep(10);
  }
}

// Pending work done, and the toolbar pane's relayout run now rather than on its timer, so a
// busy machine cannot make the checks early.
void Settle(CToolbarPaneWnd* pane)
{
  hostedforms::Pump();
  if (pane && pane->hwnd) SendMessageA(pane->hwnd, WM_TIMER, CToolbarPaneWnd::kRelayoutTimer, 0);
  hostedforms::Pump();
}

// Distinct tops (horizontal rows) of the buttons the inner toolbar shows.
int ToolbarRows(HWND bar)
{
  std::set<LONG> tops;
  const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & BTNS_SEP) continue;
    RECT r{};
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    tops.insert(r.top);
  }
  return static_cast<int>(tops.size());
}

// Whether every button the toolbar shows lies inside the pane's client area.
bool AllButtonsInside(CToolbarPaneWnd* pane, HWND bar)
{
  RECT client{};
  GetClientRect(pane->hwnd, &client);
  const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & BTNS_SEP) continue;  // a separator at a row's end takes no room
    RECT r{};
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(bar, pane->hwnd, reinterpret_cast<POINT*>(&r), 2);
    if (r.right > client.right + 1 || r.bottom > client.bottom + 1) {
      RECT br{};
      GetClientRect(bar, &br);
      ADD_FAILURE() << "button " << i << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom
                    << " client " << client.right << "x" << client.bottom << " bar " << br.right << "x" << br.bottom;
      return false;
    }
  }
  return true;
}

struct Host {
  Host() : host(800, 600, 22), site(host.frame)
  {
    dock = hostedforms::ActivateOn(site);
    dock->SetRegRootKey(KeyCurentUser);
    ShowWindow(host.frame, SW_SHOWNA);
  }
  ~Host()
  {
    for (auto& f : forms) f->Unload(pf::vbFormCode);
    forms.clear();
    dock->Release();
    hostedforms::Pump();
  }
  frmToolbar& Add(const char* tag, int side, frmToolbar* reference = nullptr, bool hidden = false)
  {
    forms.push_back(std::make_shared<frmToolbar>(tag, side));
    forms.back()->reference = reference;
    forms.back()->startHidden = hidden;
    forms.back()->Show();
    Wait(120);
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
    hostedforms::Pump();
    return hr;
  }
  CMainDockFrame* Frame() const { return static_cast<CDockFrameCtl*>(dock)->Frame(); }
  // Where a form's toolbar is: its pane, or its frame when floating (host coordinates).
  std::string DumpOne(const frmToolbar& f) const
  {
    std::ostringstream o;
    CToolbarPaneWnd* p = f.Pane();
    o << f.Caption() << ": ";
    if (!p || !IsWindowVisible(p->hwnd)) {
      o << "hidden\n";
      return o.str();
    }
    RECT r{};
    GetWindowRect(p->miniFrame ? p->miniFrame->hwnd : p->hwnd, &r);
    MapWindowPoints(nullptr, host.frame, reinterpret_cast<POINT*>(&r), 2);
    o << r.left << "," << r.top << "," << r.right << "," << r.bottom << " side " << p->side
      << (p->docked ? " docked" : " floating") << "\n";
    return o.str();
  }
  std::string Dump() const
  {
    std::ostringstream o;
    const RECT c = ChildRect(host.mdiClient);
    o << "client " << c.left << "," << c.top << "," << c.right << "," << c.bottom << "\n";
    for (const auto& f : forms) o << DumpOne(*f);
    return o.str();
  }
  TestHostWindow host;
  TestSite site;
  IDockFrame* dock = nullptr;
  std::vector<std::shared_ptr<frmToolbar>> forms;
};

std::string Env(const char* name)
{
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

class ToolbarForm : public testing::Test {
protected:
  void SetUp() override
  {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  }
};

TEST_F(ToolbarForm, DocksOnEverySideWrappingAsTheFitSays)
{
  Host h;
  frmToolbar& f = h.Add("ToolsA", 1);
  CToolbarPaneWnd* pane = f.Pane();
  ASSERT_NE(f.Control(), nullptr);
  ASSERT_NE(f.Control()->Body(), nullptr);
  EXPECT_EQ(f.Control()->m_fdType, 1);
  ASSERT_NE(f.Control()->Body()->Pane(), nullptr);
  ASSERT_NE(pane, nullptr) << "a form of type 1 with a toolbar is a toolbar pane";
  EXPECT_FALSE(pane->IsFormPane());
  EXPECT_EQ(pane->pinState, 0);
  CToolbarSource* source = f.Control()->Body()->Toolbar();
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->InnerWindow(), f.Toolbar2.ToolbarWindow());
  CToolbarFit& fit = source->Fit();
  ASSERT_EQ(fit.buttons.size(), 11u);
  EXPECT_EQ(fit.groups.size(), 2u);
  EXPECT_GT(fit.rowHeight, 0);

  HWND bar = f.Toolbar2.ToolbarWindow();
  EXPECT_TRUE(IsSubclassedBy(source, bar)) << "menus the toolbar opens get the pane's images";
  EXPECT_TRUE(f.Toolbar2.Wrappable()) << "the pane makes the toolbar wrap";
  CMainDockFrame* frame = h.Frame();
  for (int side : {1, 3, 0, 2}) {
    SCOPED_TRACE(side);
    pane->DockAt(frame, side);
    Settle(pane);
    ASSERT_TRUE(pane->docked);
    CToolBand* row = pane->RowOf();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->m_nSide, side);
    const SIZE want = pane->AdjustDropSize(side);
    const RECT r = pane->GetScreenRect();
    EXPECT_EQ(r.right - r.left, want.cx);
    EXPECT_EQ(r.bottom - r.top, want.cy);
    const bool horizontal = side == 1 || side == 3;
    CToolbarFit::Wrap wrap;
    fit.ComputeRows();
    fit.WrapAt(horizontal ? 1e6f : 3.0f, &wrap);
    EXPECT_EQ(ToolbarRows(bar), wrap.rows);
    EXPECT_EQ(ToolbarRows(bar), horizontal ? 1 : 10);
    EXPECT_TRUE(AllButtonsInside(pane, bar));
  }
  EXPECT_EQ(frame->SectionCount(1) + frame->SectionCount(3) + frame->SectionCount(0), 0)
      << "a row goes with its last toolbar";

  // Hidden and shown again through the control: its row keeps its place meanwhile (without
  // taking room), and it comes back there.
  CToolBand* row = pane->RowOf();
  const RECT before = pane->GetScreenRect();
  f.events.clear();
  f.ctlPane.Put("PaneVisible", pf::Var::Bool(false));
  hostedforms::Pump();
  EXPECT_FALSE(IsWindowVisible(pane->hwnd));
  EXPECT_NE(pane->RememberedPlace(), nullptr);
  EXPECT_EQ(ChildRect(h.host.mdiClient).right, 800) << "the hidden row takes no room";
  EXPECT_EQ(f.ctlPane.Get("PaneVisible").AsBool(), false);
  f.ctlPane.Put("PaneVisible", pf::Var::Bool(true));
  Settle(pane);
  EXPECT_TRUE(IsWindowVisible(pane->hwnd));
  EXPECT_EQ(pane->RowOf(), row);
  const RECT after = pane->GetScreenRect();
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(pane->RememberedPlace(), nullptr);
  EXPECT_EQ(f.events, (std::vector<std::string>{"hidden", "dock 2", "shown"}));
}

TEST_F(ToolbarForm, FloatsResizesThroughTheFittedSizesAndDocksBackBesideAnother)
{
  Host h;
  frmToolbar& a = h.Add("ToolsA", 1);
  frmToolbar& b = h.Add("ToolsB", 1);
  CToolbarPaneWnd* pa = a.Pane();
  CToolbarPaneWnd* pb = b.Pane();
  ASSERT_TRUE(pa && pb);
  CToolBand* rowB = pb->RowOf();
  ASSERT_NE(rowB, nullptr);
  EXPECT_NE(rowB, pa->RowOf()) << "each opened a row of its own";
  EXPECT_EQ(a.events, (std::vector<std::string>{"dock 1", "shown"}));
  a.events.clear();

  // A double click floats it and brings it back to the same place of its row.
  const RECT docked = pa->GetScreenRect();
  SendMessageA(pa->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  Wait(120);
  ASSERT_NE(pa->miniFrame, nullptr);
  EXPECT_NE(pa->RememberedPlace(), nullptr) << "the row keeps its place while it floats";
  EXPECT_EQ(h.Frame()->SectionCount(1), 2);
  EXPECT_EQ(a.ctlPane.Get("CurrentDockStyle").AsLong(), 4);
  a.ctlPane.Call("ReDock");
  Wait(120);
  EXPECT_EQ(a.ctlPane.Get("CurrentDockStyle").AsLong(), 1);
  EXPECT_EQ(pa->miniFrame, nullptr);
  const RECT back = pa->GetScreenRect();
  EXPECT_TRUE(EqualRect(&docked, &back));
  EXPECT_EQ(a.events, (std::vector<std::string>{"dock 4", "dock 1"}));

  pa->ToggleFloat();
  Wait(120);
  CMiniFrame* mini = pa->miniFrame;
  ASSERT_NE(mini, nullptr);
  EXPECT_EQ(mini->holdsFormPanes, 0);
  EXPECT_EQ(pa->RowOf(), nullptr);
  RECT placeB = pb->GetScreenRect();
  MapWindowPoints(nullptr, h.host.frame, reinterpret_cast<POINT*>(&placeB), 2);
  EXPECT_EQ(ChildRect(h.host.mdiClient).top, placeB.bottom) << "its row no longer takes room";
  // The host changes size meanwhile: B's row follows, the remembered place stays out of sight.
  h.host.Resize(700, 500);
  Wait(80);
  EXPECT_EQ(ChildRect(h.host.mdiClient).top, placeB.bottom);
  EXPECT_NE(pa->RememberedPlace(), nullptr);
  const std::vector<SIZE> candidates = a.Control()->Body()->Toolbar()->Fit().candidates;
  ASSERT_GE(candidates.size(), 3u);
  for (size_t i = 1; i < candidates.size(); ++i) EXPECT_LT(candidates[i - 1].cx, candidates[i].cx);
  RECT c{};
  GetClientRect(mini->hwnd, &c);
  EXPECT_TRUE(std::any_of(candidates.begin(), candidates.end(), [&](SIZE s) { return s.cx == c.right; }))
      << "the frame floats at a fitted size";

  // Closed from its frame: the frame goes out of sight with it, and comes back with it.
  a.events.clear();
  pa->Close();
  hostedforms::Pump();
  EXPECT_FALSE(IsWindowVisible(mini->hwnd));
  EXPECT_FALSE(a.ctlPane.Get("PaneVisible").AsBool());
  a.ctlPane.Put("PaneVisible", pf::Var::Bool(true));
  hostedforms::Pump();
  EXPECT_TRUE(IsWindowVisible(mini->hwnd));
  EXPECT_EQ(pa->miniFrame, mini);
  EXPECT_EQ(a.events, (std::vector<std::string>{"hidden", "shown"}));

  // Dragging the right border through every fitted width.
  HWND bar = a.Toolbar2.ToolbarWindow();
  FrameResizeLoop loop(mini->hwnd, HTRIGHT, mini->fitToExtent, RECT{});
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    SCOPED_TRACE(it->cx);
    RECT w{}, cl{};
    GetWindowRect(mini->hwnd, &w);
    GetClientRect(mini->hwnd, &cl);
    const int bw = (w.right - w.left) - cl.right;
    // The border where a client of one pixel more than this candidate would end.
    loop.ResizeTo(POINT{w.left + bw / 2 + it->cx + 1, w.top + 5});
    Settle(pa);
    GetClientRect(mini->hwnd, &cl);
    EXPECT_EQ(cl.right, it->cx);
    EXPECT_EQ(cl.bottom, it->cy + 4);
    EXPECT_TRUE(AllButtonsInside(pa, bar));
  }
  EXPECT_GT(ToolbarRows(bar), 1) << "the narrowest size wraps the toolbar";

  // Dragged back onto B's row, to its right: it joins that row beside B.
  const RECT rb = pb->GetScreenRect();
  const POINT onRow{rb.right + 40, (rb.top + rb.bottom) / 2};
  CToolbarPaneWnd::DropTarget t = pa->FindDrop(onRow);
  EXPECT_EQ(t.zone, 1);
  EXPECT_EQ(t.row, rowB);
  pa->Drop(t);
  Wait(120);
  EXPECT_EQ(pa->miniFrame, nullptr);
  EXPECT_EQ(pa->RowOf(), rowB);
  const RECT ra = pa->GetScreenRect();
  EXPECT_EQ(ra.top, rb.top);
  EXPECT_GE(ra.left, rb.right) << "beside B, not over it";
  EXPECT_EQ(h.Frame()->SectionCount(1), 1) << "the place it floated from is given up";
}

// Runs only when started by the test below, as the program's next run.
TEST(ToolbarFormNextRun, ChildRun)
{
  const std::string key = Env("QL_TOOLBAR_LAYOUT_KEY"), out = Env("QL_TOOLBAR_LAYOUT_DUMP");
  if (key.empty() || out.empty()) GTEST_SKIP() << "started by ASecondProcessRestoresTheRows";
  Host h;
  ASSERT_EQ(h.Call(&IDockFrame::LoadStates, key), S_OK);
  // Shown in the other order than they were docked; both keep their saved places.
  h.Add("ToolsC", 3);
  h.Add("ToolsB", 3);
  h.Add("ToolsA", 3);
  frmToolbar& d = h.Add("ToolsD", 1, nullptr, true);  // the program keeps it hidden at start
  std::swap(h.forms[0], h.forms[2]);
  std::string dump = h.Dump();
  // Shown later, it goes to the place its row kept for it.
  d.ctlPane.Put("PaneVisible", pf::Var::Bool(true));
  Settle(d.Pane());
  dump += "again " + h.DumpOne(d);
  ASSERT_TRUE(ql::test::WriteFileBytes(out, dump));
}

TEST_F(ToolbarForm, ASecondProcessRestoresTheRows)
{
  if (!Env("QL_TOOLBAR_LAYOUT_KEY").empty()) GTEST_SKIP();
  const std::string key = "QlTest\\toolbar-rows-" + std::to_string(GetCurrentProcessId());
  SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str());
  std::string expected;
  {
    Host h;
    frmToolbar& a = h.Add("ToolsA", 1);
    frmToolbar& b = h.Add("ToolsB", 1);
    frmToolbar& c = h.Add("ToolsC", 0);
    frmToolbar& d = h.Add("ToolsD", 3);
    ASSERT_TRUE(a.Pane() && b.Pane() && c.Pane() && d.Pane());
    // C floats, moved and narrowed in its frame after it left its row.
    c.Pane()->Float();
    Wait(120);
    ASSERT_NE(c.Pane()->miniFrame, nullptr);
    CMiniFrame* mini = c.Pane()->miniFrame;
    const std::vector<SIZE>& sizes = c.Control()->Body()->Toolbar()->Fit().candidates;
    ASSERT_GE(sizes.size(), 2u);
    RECT w{}, cl{};
    GetWindowRect(mini->hwnd, &w);
    GetClientRect(mini->hwnd, &cl);
    const int bw = (w.right - w.left) - cl.right, bh = (w.bottom - w.top) - cl.bottom;
    SetWindowPos(mini->hwnd, nullptr, 300, 250, sizes[1].cx + bw, sizes[1].cy + bh + 4, SWP_NOZORDER | SWP_NOACTIVATE);
    Wait(80);
    // A beside B in B's row, a little apart.
    const RECT rb = b.Pane()->GetScreenRect();
    ASSERT_TRUE(a.Pane()->JoinRow(b.Pane()->RowOf(), POINT{rb.right + 30, rb.top}));
    Wait(120);
    ASSERT_EQ(a.Pane()->RowOf(), b.Pane()->RowOf());
    // D is hidden: its row keeps its place.
    const std::string shownD = h.DumpOne(d);
    d.ctlPane.Put("PaneVisible", pf::Var::Bool(false));
    hostedforms::Pump();
    expected = h.Dump() + "again " + shownD;
    EXPECT_NE(expected.find(" floating"), std::string::npos) << expected;
    EXPECT_EQ(h.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  const std::string dir = ql::test::MakeScratchDir("dock-toolbar-rows");
  const std::string dump = dir + "\\layout.txt";
  EXPECT_EQ(ql::test::RunThisProgram("ToolbarFormNextRun.ChildRun", {{"QL_TOOLBAR_LAYOUT_KEY", key}, {"QL_TOOLBAR_LAYOUT_DUMP", dump}}), 0);
  EXPECT_EQ(ql::test::ReadFileBytes(dump), expected);
  ql::test::RemoveTree(dir);
  SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str());
}

namespace {

// A press at a screen point of window's non-client area, then moves and a release queued for
// the drag loop it starts (in window's client coordinates, as the loop reads them).
void DragFrom(HWND window, POINT press, const std::vector<POINT>& path)
{
  for (POINT p : path) {
    ScreenToClient(window, &p);
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  POINT last = path.back();
  ScreenToClient(window, &last);
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
  Wait(120);
}

}  // namespace

TEST_F(ToolbarForm, DraggedByItsGripOrItsFrameCaptionItDocksWhereItIsDropped)
{
  Host h;
  frmToolbar& a = h.Add("ToolsA", 1);
  frmToolbar& b = h.Add("ToolsB", 1);
  CToolbarPaneWnd* pa = a.Pane();
  CToolbarPaneWnd* pb = b.Pane();
  ASSERT_TRUE(pa && pb);
  pa->ghostOnDesktop = pb->ghostOnDesktop = false;

  // By its grip to just outside the layout's bottom edge: a new row there.
  RECT host{};
  GetClientRect(h.host.frame, &host);
  MapWindowPoints(h.host.frame, nullptr, reinterpret_cast<POINT*>(&host), 2);
  const RECT wa = pa->GetScreenRect();
  const POINT grip{wa.left + 5, (wa.top + wa.bottom) / 2};
  const POINT below{(host.left + host.right) / 2, host.bottom - h.host.statusHeight + 5};
  DragFrom(pa->hwnd, grip, {POINT{grip.x + 20, grip.y + 20}, below});
  EXPECT_TRUE(pa->docked);
  EXPECT_EQ(pa->side, 3);
  ASSERT_NE(pa->RowOf(), nullptr);
  EXPECT_EQ(pa->RowOf()->m_nSide, 3);
  RECT ra = pa->GetScreenRect();
  EXPECT_EQ(ra.bottom, host.bottom - h.host.statusHeight);

  // Out into the middle: it floats in a toolbar frame.
  ra = pa->GetScreenRect();
  const POINT middle{(host.left + host.right) / 2, (host.top + host.bottom) / 2};
  DragFrom(pa->hwnd, POINT{ra.left + 5, ra.top + 5}, {POINT{ra.left + 30, ra.top - 30}, middle});
  ASSERT_NE(pa->miniFrame, nullptr);
  EXPECT_FALSE(pa->docked);

  // By the frame's caption onto B's row, beyond B: it joins that row.
  HWND frame = pa->miniFrame->hwnd;
  RECT fw{};
  GetWindowRect(frame, &fw);
  const POINT caption{fw.left + 20, fw.top + GetSystemMetrics(SM_CYFRAME) + 6};
  const RECT rb = pb->GetScreenRect();
  DragFrom(frame, caption, {POINT{caption.x + 10, caption.y}, POINT{rb.right + 60, (rb.top + rb.bottom) / 2}});
  EXPECT_EQ(pa->miniFrame, nullptr);
  EXPECT_EQ(pa->RowOf(), pb->RowOf());
  EXPECT_EQ(pa->GetScreenRect().top, rb.top);
}

TEST_F(ToolbarForm, ALayoutReferenceTakesTheToolbarIntoItsRow)
{
  Host h;
  frmToolbar& a = h.Add("ToolsA", 3);
  frmToolbar& b = h.Add("ToolsB", 3, &a);
  ASSERT_TRUE(a.Pane() && b.Pane());
  EXPECT_EQ(b.Pane()->RowOf(), a.Pane()->RowOf());
  const RECT ra = a.Pane()->GetScreenRect();
  EXPECT_EQ(b.Pane()->GetScreenRect().left, ra.right) << "right after its reference";

  frmToolbar& c = h.Add("ToolsC", 1, &a);  // a reference on another side still counts
  ASSERT_NE(c.Pane(), nullptr);
  EXPECT_EQ(c.Pane()->RowOf(), a.Pane()->RowOf());
  const RECT rc = c.Pane()->GetScreenRect();
  EXPECT_EQ(rc.left, ra.right) << "next to its reference, before the one there";
  EXPECT_EQ(b.Pane()->GetScreenRect().left, rc.right) << "the row is full: end to end";
  EXPECT_EQ(h.Frame()->SectionCount(3), 1);
  EXPECT_EQ(h.Frame()->SectionCount(1), 0);
}

TEST_F(ToolbarForm, HiddenAtStartItDocksAtItsInitialSideWhenShown)
{
  Host h;
  frmToolbar& a = h.Add("ToolsA", 2, nullptr, true);
  ASSERT_NE(a.Pane(), nullptr);
  EXPECT_FALSE(IsWindowVisible(a.Pane()->hwnd));
  EXPECT_EQ(h.Frame()->SectionCount(2), 0);
  a.ctlPane.Put("PaneVisible", pf::Var::Bool(true));
  Wait(80);
  ASSERT_NE(a.Pane()->RowOf(), nullptr);
  EXPECT_EQ(a.Pane()->RowOf()->m_nSide, 2);
  EXPECT_TRUE(IsWindowVisible(a.Pane()->hwnd));
}

TEST_F(ToolbarForm, AToolbarFormUnloadedWhileDockedLeavesItsPlaceByName)
{
  const std::string key = "QlTest\\toolbar-unload-" + std::to_string(GetCurrentProcessId());
  Host h;
  frmToolbar& a = h.Add("ToolsA", 3);
  h.Add("ToolsB", 3, &a);
  ASSERT_EQ(h.forms[1]->Pane()->RowOf(), a.Pane()->RowOf());
  // B's form goes first, as a program unloads its pane forms before it saves at the end.
  const HWND paneB = h.forms[1]->Pane()->hwnd;
  const int panes = CPaneWnd::LiveCount();
  h.forms[1]->Unload(pf::vbFormCode);
  h.forms.pop_back();
  hostedforms::Pump();
  ASSERT_FALSE(IsWindow(paneB));
  ASSERT_EQ(CPaneWnd::LiveCount(), panes - 1) << "the pane window is gone";
  EXPECT_EQ(h.Call(&IDockFrame::SaveStates, key), S_OK);
  const std::string row = "Software\\" + key + "\\BottomSectionsPro\\SEC0\\ROOTBLOCK\\";
  char title[128] = {};
  DWORD size = sizeof title;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, (row + "BLOCK1").c_str(), "WINDOWTITLE", RRF_RT_REG_SZ, nullptr, title, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(title, "ToolsB");
  size = sizeof title;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, (row + "BLOCK0").c_str(), "WINDOWTITLE", RRF_RT_REG_SZ, nullptr, title, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(title, "ToolsA");
  SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str());
}

TEST_F(ToolbarForm, ClearLayoutDocksEveryToolbarAtItsInitialSide)
{
  Host h;
  frmToolbar& a = h.Add("ToolsA", 1);
  frmToolbar& b = h.Add("ToolsB", 3);
  const std::string initial = h.Dump();
  CToolbarPaneWnd* pa = a.Pane();
  CToolbarPaneWnd* pb = b.Pane();
  ASSERT_TRUE(pa && pb);
  SendMessageA(pa->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);  // floats
  Wait(120);
  ASSERT_NE(pa->miniFrame, nullptr);
  pb->DockAt(h.Frame(), 0);
  Settle(pb);
  EXPECT_EQ(h.dock->ClearLayout(), S_OK);
  Settle(pa);
  Settle(pb);
  EXPECT_EQ(pa->miniFrame, nullptr);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  EXPECT_EQ(pa->side, 1);
  EXPECT_EQ(pb->side, 3);
  EXPECT_TRUE(pa->docked && pb->docked);
  EXPECT_EQ(h.Dump(), initial);
}
