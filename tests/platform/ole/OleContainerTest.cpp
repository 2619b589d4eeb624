// The control container against a small control of this test's own: activation (quick or
// in place), ambient and extender properties, the container's enumeration, events through
// a connection point, late-bound calls, and the teardown order.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/QlError.h"
#include "platform/controls/StatusBar.h"
#include "platform/forms/Form.h"
#include "platform/ole/OleControl.h"

using namespace platform::forms;

namespace {

// {5B0C7E51-3C4B-4E63-9E55-0C1D2A3B4C5D}
const IID DIID_TestEvents = {0x5b0c7e51, 0x3c4b, 0x4e63, {0x9e, 0x55, 0x0c, 0x1d, 0x2a, 0x3b, 0x4c, 0x5d}};
const CLSID CLSID_TestControl = {0x5b0c7e52, 0x3c4b, 0x4e63, {0x9e, 0x55, 0x0c, 0x1d, 0x2a, 0x3b, 0x4c, 0x5d}};

std::vector<std::string> g_log;

std::string Str(BSTR b)
{
    std::string s;
    for (UINT i = 0; b && i < SysStringLen(b); ++i)
        s += static_cast<char>(b[i]);
    return s;
}

Var GetByName(IDispatch* d, const wchar_t* name)
{
    Var r;
    DISPID id;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    if (FAILED(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)))
        return r;
    DISPPARAMS none{};
    d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &r.v, nullptr, nullptr);
    return r;
}

class TestControl : public IOleObject,
                    public IOleInPlaceObject,
                    public IDispatch,
                    public IConnectionPointContainer,
                    public IConnectionPoint,
                    public IPersistStreamInit,
                    public IQuickActivate {
public:
    explicit TestControl(bool quick) : quick_(quick) {}
    bool quick_;
    ULONG refs = 1;
    IOleClientSite* site = nullptr;
    IDispatch* sink = nullptr;
    HWND wnd = nullptr;
    long value = 0;
    bool userMode = false;
    std::string extName, extTag, parentName;
    int enumerated = -1;
    bool barPlaced = false;

    // The host's status bar must be in its final place when the control activates.
    void LookAtBars()
    {
        IOleInPlaceSite* ips = nullptr;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips))))
            return;
        HWND host = nullptr;
        ips->GetWindow(&host);
        ips->Release();
        HWND bar = FindWindowExA(host, nullptr, "StatusBar20WndClass", nullptr);
        if (!bar)
            return;
        RECT b, c;
        GetWindowRect(bar, &b);
        MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&b), 2);
        GetClientRect(host, &c);
        barPlaced = b.bottom == c.bottom && b.left == 0 && b.right == c.right;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (riid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
        else if (riid == IID_IConnectionPointContainer) *ppv = static_cast<IConnectionPointContainer*>(this);
        else if (riid == IID_IPersistStreamInit || riid == IID_IPersist) *ppv = static_cast<IPersistStreamInit*>(this);
        else if (riid == IID_IQuickActivate && quick_) *ppv = static_cast<IQuickActivate*>(this);
        else { *ppv = nullptr; return E_NOINTERFACE; }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG r = --refs;
        if (r == 0) {
            g_log.push_back("control freed");
            delete this;
        }
        return r;
    }

    void LookAtHost()
    {
        IDispatch* amb = nullptr;
        if (SUCCEEDED(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&amb)))) {
            Var v;
            DISPPARAMS none{};
            amb->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v.v, nullptr, nullptr);
            userMode = v.AsBool();
            amb->Release();
        }
        IOleControlSite* cs = nullptr;
        if (SUCCEEDED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&cs)))) {
            IDispatch* ext = nullptr;
            if (SUCCEEDED(cs->GetExtendedControl(&ext))) {
                extName = GetByName(ext, L"Name").AsString();
                extTag = GetByName(ext, L"Tag").AsString();
                Var parent = GetByName(ext, L"Parent");
                if (parent.v.vt == VT_DISPATCH && parent.v.pdispVal)
                    parentName = GetByName(parent.v.pdispVal, L"Name").AsString();
                ext->Release();
            }
            cs->Release();
        }
        IOleContainer* c = nullptr;
        if (SUCCEEDED(site->GetContainer(&c))) {
            IEnumUnknown* e = nullptr;
            if (SUCCEEDED(c->EnumObjects(OLECONTF_EMBEDDINGS | OLECONTF_OTHERS | 0xFFFF, &e))) {
                enumerated = 0;
                IUnknown* u;
                ULONG got;
                while (e->Next(1, &u, &got) == S_OK) {
                    ++enumerated;
                    u->Release();
                }
                e->Release();
            }
            c->Release();
        }
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* s) override
    {
        g_log.push_back(s ? "SetClientSite" : "SetClientSite(null)");
        if (site) site->Release();
        site = s;
        if (site) site->AddRef();
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** s) override { *s = site; if (site) site->AddRef(); return S_OK; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        g_log.push_back("Close");
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* s, LONG, HWND parent, LPCRECT r) override
    {
        g_log.push_back("DoVerb");
        IOleInPlaceSite* ips = nullptr;
        if (SUCCEEDED(s->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips)))) {
            HWND w = nullptr;
            ips->GetWindow(&w);
            ips->OnInPlaceActivate();
            ips->Release();
            wnd = CreateWindowExA(0, "STATIC", "test", WS_CHILD | WS_VISIBLE, r->left, r->top, r->right - r->left,
                                  r->bottom - r->top, w, nullptr, nullptr, nullptr);
        }
        (void)verb;
        (void)parent;
        LookAtHost();
        LookAtBars();
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* c) override { *c = CLSID_TestControl; return S_OK; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* s) override { *s = OLEMISC_ACTIVATEWHENVISIBLE; return S_OK; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* w) override { *w = wnd; return wnd ? S_OK : E_FAIL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        g_log.push_back("InPlaceDeactivate");
        if (wnd) DestroyWindow(wnd);
        wnd = nullptr;
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT r, LPCRECT) override
    {
        if (wnd) MoveWindow(wnd, r->left, r->top, r->right - r->left, r->bottom - r->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IDispatch: "Value" (1, property), "Fire" (2, method: raises event 3 with Value)
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override
    {
        std::wstring n = names[0];
        if (n == L"Value") { *ids = 1; return S_OK; }
        if (n == L"Fire") { *ids = 2; return S_OK; }
        *ids = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id == 1 && (flags & DISPATCH_PROPERTYPUT)) {
            if (p->cNamedArgs != 1 || p->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_PARAMNOTOPTIONAL;
            Var v;
            VariantCopy(&v.v, &p->rgvarg[0]);
            value = v.AsLong();
            g_log.push_back("put Value " + std::to_string(value));
            return S_OK;
        }
        if (id == 1) {
            result->vt = VT_I4;
            result->lVal = value;
            return S_OK;
        }
        if (id == 2 && (flags & DISPATCH_METHOD)) {
            if (sink) {
                VARIANT arg;
                arg.vt = VT_I4;
                arg.lVal = value;
                DISPPARAMS dp{&arg, nullptr, 1, 0};
                sink->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr);
            }
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    // IConnectionPointContainer / IConnectionPoint (one sink)
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** cp) override
    {
        if (riid != DIID_TestEvents) { *cp = nullptr; return CONNECT_E_NOCONNECTION; }
        *cp = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP GetConnectionInterface(IID* iid) override { *iid = DIID_TestEvents; return S_OK; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** c) override
    {
        *c = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* unk, DWORD* cookie) override
    {
        if (sink) return CONNECT_E_ADVISELIMIT;
        if (FAILED(unk->QueryInterface(DIID_TestEvents, reinterpret_cast<void**>(&sink))))
            return CONNECT_E_CANNOTCONNECT;
        g_log.push_back("Advise");
        *cookie = 7;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override
    {
        if (cookie != 7 || !sink) return CONNECT_E_NOCONNECTION;
        g_log.push_back("Unadvise");
        sink->Release();
        sink = nullptr;
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* c) override { *c = CLSID_TestControl; return S_OK; }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override
    {
        g_log.push_back("InitNew");
        return S_OK;
    }

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* qc, QACONTROL* ctl) override
    {
        g_log.push_back(std::string("QuickActivate") + ((qc->dwAmbientFlags & QACONTAINER_USERMODE) ? " user" : ""));
        SetClientSite(qc->pClientSite);
        LookAtBars();
        if (qc->pUnkEventSink) {
            DWORD cookie = 0;
            Advise(qc->pUnkEventSink, &cookie);
            ctl->dwEventCookie = cookie;
        }
        ctl->dwMiscStatus = OLEMISC_ACTIVATEWHENVISIBLE;
        return S_OK;
    }
    STDMETHODIMP SetContentExtent(LPSIZEL) override { return S_OK; }
    STDMETHODIMP GetContentExtent(LPSIZEL) override { return E_NOTIMPL; }
};

TestControl* g_last = nullptr;

class Factory : public IClassFactory {
public:
    explicit Factory(bool quick) : quick_(quick) {}
    bool quick_;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) { *ppv = this; return S_OK; }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        auto* c = new TestControl(quick_);
        g_last = c;
        HRESULT hr = c->QueryInterface(riid, ppv);
        c->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_quickFactory(true);
Factory g_plainFactory(false);

class frmHost : public Form {
public:
    explicit frmHost(bool quick) : Form("frmHost"), quick_(quick) {}
    bool quick_;
    OleControl ctlPane{*this, "ctlPane"};
    OleControl ctlOther{*this, "ctlOther"};
    StatusBar sb{*this, "sb"};  // declared after the controls, still placed before them
    std::vector<std::string> events;

protected:
    void Design() override
    {
        ctlPane.Factory(quick_ ? static_cast<IClassFactory*>(&g_quickFactory) : &g_plainFactory);
        ctlPane.EventsInterface(DIID_TestEvents);
        ctlPane.DesignValue("Value", Var::I4(12));
        ctlPane.Tag("AB");
        ctlPane.Move(150, 150, 1500, 750);
        ctlOther.Factory(&g_plainFactory);
    }
    void Form_Load() override
    {
        g_log.push_back("Form_Load");
        ctlPane.ControlEvent = [this](DISPID id, const std::vector<Var>& args) {
            events.push_back(std::to_string(id) + ":" + (args.empty() ? "" : std::to_string(args[0].AsLong())));
        };
    }
    void Form_Unload(int&) override { g_log.push_back("Form_Unload"); }
};

}  // namespace

class OleContainer : public testing::TestWithParam<bool> {};

TEST_P(OleContainer, HostsAControlWithSitesExtenderEventsAndOrderlyTeardown)
{
    bool quick = GetParam();
    g_log.clear();
    auto f = std::make_shared<frmHost>(quick);
    f->Load();
    ASSERT_TRUE(f->ctlPane.Created());
    TestControl* c = g_last;  // the second control was created last
    ASSERT_NE(c, nullptr);

    // The first control's activation, in order; the second one's follows.
    std::vector<std::string> first(g_log.begin(), g_log.begin() + 5);
    if (quick)
        EXPECT_EQ(first, (std::vector<std::string>{"QuickActivate user", "SetClientSite", "Advise", "InitNew",
                                                   "put Value 12"}));
    else
        EXPECT_EQ(first, (std::vector<std::string>{"SetClientSite", "InitNew", "put Value 12", "Advise", "DoVerb"}));
    EXPECT_EQ(g_log.back(), "Form_Load") << "controls are active before the form's Load runs";

    // What the first control saw of its host.
    IOleObject* ole = nullptr;
    ASSERT_HRESULT_SUCCEEDED(f->ctlPane.Object()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)));
    auto* pane = static_cast<TestControl*>(ole);
    EXPECT_TRUE(pane->userMode);
    EXPECT_EQ(pane->extName, "ctlPane");
    EXPECT_EQ(pane->extTag, "AB");
    EXPECT_EQ(pane->parentName, "frmHost");
    EXPECT_GE(pane->enumerated, 1);
    EXPECT_TRUE(pane->barPlaced);
    EXPECT_EQ(GetParent(pane->wnd), f->Window());
    ole->Release();
    (void)c;

    // Late-bound calls and events.
    EXPECT_EQ(f->ctlPane.Get("Value").AsLong(), 12);
    f->ctlPane.Put("Value", Var::I4(5));
    f->ctlPane.Call("Fire");
    EXPECT_EQ(f->events, (std::vector<std::string>{"3:5"}));
    EXPECT_THROW(f->ctlPane.Get("NoSuchThing"), QlError);

    // The extender hides the control's window on Visible = False.
    f->ctlPane.Visible(false);
    EXPECT_FALSE(IsWindowVisible(f->ctlPane.ControlWindow()));

    g_log.clear();
    f->Unload(vbFormCode);
    // Controls go (last registered first) before the form's window; each is closed,
    // unadvised and released.
    ASSERT_GE(g_log.size(), 5u);
    EXPECT_EQ(g_log[0], "Form_Unload");
    // The pane control goes last (the other one was registered after it).
    auto pos = [](const char* s) {
        for (size_t i = g_log.size(); i-- > 0;)
            if (g_log[i] == s) return static_cast<int>(i);
        return -1;
    };
    EXPECT_LT(pos("Unadvise"), pos("InPlaceDeactivate"));
    EXPECT_LT(pos("InPlaceDeactivate"), pos("Close"));
    EXPECT_LT(pos("Close"), pos("SetClientSite(null)"));
    EXPECT_NE(pos("control freed"), -1);
}

INSTANTIATE_TEST_SUITE_P(Activation, OleContainer, testing::Values(true, false));

TEST(OleContainerFace, FormAnswersByNameAndEnumeratesItsControls)
{
    auto f = std::make_shared<frmHost>(false);
    f->Caption("Host");
    f->Load();
    IDispatch* d = FormDispatch(*f);
    EXPECT_EQ(GetByName(d, L"Name").AsString(), "frmHost");
    EXPECT_EQ(GetByName(d, L"ScaleMode").AsLong(), 1);
    EXPECT_EQ(GetByName(d, L"hWnd").AsLong(), static_cast<long>(reinterpret_cast<LONG_PTR>(f->Window())));
    Var icon = GetByName(d, L"Icon");
    EXPECT_EQ(icon.v.vt, VT_DISPATCH);
    d->Release();
    IOleContainer* c = FormContainer(*f);
    IEnumUnknown* e = nullptr;
    ASSERT_HRESULT_SUCCEEDED(c->EnumObjects(0xFFFF, &e));
    IUnknown* items[4] = {};
    ULONG got = 0;
    e->Next(4, items, &got);
    EXPECT_EQ(got, 2u);
    for (ULONG i = 0; i < got; ++i) {
        IOleObject* o = nullptr;
        ASSERT_HRESULT_SUCCEEDED(items[i]->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&o)));
        CLSID id;
        o->GetUserClassID(&id);
        EXPECT_TRUE(IsEqualCLSID(id, CLSID_TestControl));
        o->Release();
        items[i]->Release();
    }
    e->Release();
    c->Release();
    f->Unload(vbFormCode);
}

#include "platform/controls/Toolbar.h"

namespace {
const IID IID_TestToolbar = {0x66833FE4, 0x8583, 0x11D1, {0xB1, 0x6A, 0x00, 0xC0, 0xF0, 0x28, 0x36, 0x28}};

class frmToolPane : public Form {
public:
    frmToolPane() : Form("frmPropertyTB") {}
    Toolbar Toolbar2{*this, "Toolbar2"};

protected:
    void Design() override
    {
        if (Toolbar2.ButtonCount() == 0) {
            Toolbar2.AddButton("a", "A");
            Toolbar2.AddButton("", "", tbrSeparator);
            Toolbar2.AddButton("gap", "", tbrPlaceholder);
            Toolbar2.ButtonWidthOf("gap", 1200);
        }
    }
};
}  // namespace

TEST(OleContainerFace, ToolbarIsFoundByItsInterfaceAndReadByName)
{
    auto f = std::make_shared<frmToolPane>();
    f->Load();
    IOleContainer* c = FormContainer(*f);
    IEnumUnknown* e = nullptr;
    ASSERT_HRESULT_SUCCEEDED(c->EnumObjects(0xFFFF, &e));
    IUnknown* u = nullptr;
    ULONG got = 0;
    ASSERT_EQ(e->Next(1, &u, &got), S_OK);
    IDispatch* tb = nullptr;
    ASSERT_HRESULT_SUCCEEDED(u->QueryInterface(IID_TestToolbar, reinterpret_cast<void**>(&tb)));
    u->Release();
    e->Release();
    c->Release();

    HWND outer = reinterpret_cast<HWND>(static_cast<LONG_PTR>(GetByName(tb, L"hWnd").AsLong()));
    char cls[64] = {};
    GetClassNameA(outer, cls, sizeof cls);
    EXPECT_STREQ(cls, "Toolbar20WndClass");
    EXPECT_GT(GetByName(tb, L"ButtonHeight").AsDouble(), 0);

    // put Wrappable = True
    DISPID id;
    LPOLESTR n = const_cast<LPOLESTR>(L"Wrappable");
    ASSERT_HRESULT_SUCCEEDED(tb->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
    Var t = Var::Bool(true);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&t.v, &named, 1, 1};
    ASSERT_HRESULT_SUCCEEDED(tb->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    EXPECT_TRUE(GetWindowLongA(f->Toolbar2.ToolbarWindow(), GWL_STYLE) & TBSTYLE_WRAPABLE);

    Var buttons = GetByName(tb, L"Buttons");
    ASSERT_EQ(buttons.v.vt, VT_DISPATCH);
    n = const_cast<LPOLESTR>(L"_NewEnum");
    ASSERT_HRESULT_SUCCEEDED(buttons.v.pdispVal->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
    EXPECT_EQ(id, DISPID_NEWENUM);
    Var en;
    DISPPARAMS none{};
    ASSERT_HRESULT_SUCCEEDED(buttons.v.pdispVal->Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                                        &none, &en.v, nullptr, nullptr));
    IEnumVARIANT* ev = nullptr;
    ASSERT_HRESULT_SUCCEEDED(en.v.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&ev)));
    std::vector<long> styles;
    double gapWidth = 0;
    VARIANT item;
    while (ev->Next(1, &item, &got) == S_OK) {
        styles.push_back(GetByName(item.pdispVal, L"Style").AsLong());
        if (styles.back() == tbrPlaceholder)
            gapWidth = GetByName(item.pdispVal, L"Width").AsDouble();
        VariantClear(&item);
    }
    ev->Release();
    EXPECT_EQ(styles, (std::vector<long>{tbrDefault, tbrSeparator, tbrPlaceholder}));
    EXPECT_NEAR(gapWidth, 1200, 30);
    tb->Release();
    f->Unload(vbFormCode);
}
