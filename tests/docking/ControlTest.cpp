#include "ComTestSupport.h"
#include "XMoorline_h.h"
#include "docking/com/FDPaneCtl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// An event sink that records the dispatch identifiers it is called with.
class Sink : public IDispatch {
public:
    std::vector<DISPID> calls;
    std::vector<LONG> firstArgs;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID__IFDPaneEvents) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override
    {
        calls.push_back(id);
        firstArgs.push_back(p && p->cArgs ? V_I4(&p->rgvarg[0]) : -1);
        return S_OK;
    }
};

HRESULT InvokePut(IDispatch* d, DISPID id, VARIANT v)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&v, &named, 1, 1};
    return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(DockControls, DispatchThroughTheTypeLibrary)
{
    IFDPane* pane = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    ASSERT_NE(pane, nullptr);
    LPOLESTR name = const_cast<LPOLESTR>(L"pinstate");
    DISPID id = 0;
    ASSERT_EQ(pane->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 17);
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = 2;
    EXPECT_EQ(InvokePut(pane, 17, v), S_OK);
    PinType pin;
    pane->get_PinState(&pin);
    EXPECT_EQ(pin, UnPinned);
    V_I2(&v) = 10;
    V_VT(&v) = VT_I2;
    InvokePut(pane, 21, v);  // a floating width below 20 is ignored
    short w;
    pane->get_InitFloatWidth(&w);
    EXPECT_EQ(w, 200);
    VARIANT_BOOL can;
    pane->put_CanDockRight(5);
    pane->get_CanDockRight(&can);
    EXPECT_EQ(can, 1);  // 1 for true, as stored
    IProvideClassInfo2* ci = nullptr;
    ASSERT_EQ(pane->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&ci)), S_OK);
    GUID g;
    ci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &g);
    EXPECT_TRUE(IsEqualGUID(g, DIID__IFDPaneEvents));
    ci->Release();
    IOleObject* ole = nullptr;
    pane->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    DWORD misc = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    EXPECT_EQ(misc, 131473u);
    ole->Release();
    pane->Release();

    IDockFrame* frame = MakeControl<IDockFrame>(CLSID_DockFrame, IID_IDockFrame);
    frame->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    EXPECT_EQ(misc, 132497u);
    ole->Release();
    // Members without a frame answer S_OK and leave [out] values defined.
    LONG out = 12345;
    EXPECT_EQ(frame->DesignSetDirty(nullptr, &out), S_OK);
    EXPECT_EQ(out, 0);
    VARIANT key;
    VariantInit(&key);
    V_VT(&key) = VT_I4;
    EXPECT_EQ(frame->SaveStates(&key), S_OK);
    EXPECT_EQ(frame->ClearLayout(), S_OK);
    frame->Release();
}

TEST(DockControls, LayoutReferenceAcceptsOnlyLivePanesOfThisLibrary)
{
    IFDPane* a = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    IFDPane* b = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    auto* ca = static_cast<CFDPaneCtl*>(a);
    Sink foreign;  // answers neither IFDPane nor the live list
    EXPECT_EQ(a->SetLayoutReference(reinterpret_cast<IFDPane*>(static_cast<IDispatch*>(&foreign))), S_OK);
    EXPECT_EQ(ca->LayoutReference(), nullptr);
    EXPECT_EQ(a->SetLayoutReference(a), S_OK);
    EXPECT_EQ(ca->LayoutReference(), nullptr);
    EXPECT_EQ(a->SetLayoutReference(b), S_OK);
    EXPECT_EQ(ca->LayoutReference(), static_cast<CFDPaneCtl*>(b));
    // Late bound, as the host calls it.
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_DISPATCH;
    V_DISPATCH(&arg) = &foreign;
    DISPPARAMS params = {&arg, nullptr, 1, 0};
    EXPECT_EQ(a->Invoke(15, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(ca->LayoutReference(), static_cast<CFDPaneCtl*>(b));
    b->Release();  // a reference to a control that went is dropped
    EXPECT_EQ(ca->LayoutReference(), nullptr);
    a->Release();
}

TEST(DockControls, EventsReachAdvisedSinks)
{
    IFDPane* pane = MakeControl<IFDPane>(CLSID_FDPane, IID_IFDPane);
    IConnectionPointContainer* cpc = nullptr;
    ASSERT_EQ(pane->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)), S_OK);
    IConnectionPoint* cp = nullptr;
    ASSERT_EQ(cpc->FindConnectionPoint(DIID__IFDPaneEvents, &cp), S_OK);
    Sink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
    auto* ctl = static_cast<CFDPaneCtl*>(pane);
    ctl->FireDockStyleChanged(3);
    ctl->FireHidden();
    ctl->FireShown();
    EXPECT_EQ(sink.calls, (std::vector<DISPID>{1, 2, 3}));
    EXPECT_EQ(sink.firstArgs[0], 3);
    EXPECT_EQ(cp->Unadvise(cookie), S_OK);
    ctl->FireHidden();
    EXPECT_EQ(sink.calls.size(), 3u);
    cp->Release();
    cpc->Release();
    pane->Release();
}

#include "docking/framework/HostProps.h"

TEST(DockHostProps, ByteArraysAreCheckedBeforeTheyAreRead)
{
    std::vector<uint8_t> out;
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    EXPECT_FALSE(SafeArrayToBytes(v, out));
    SAFEARRAYBOUND two[2] = {{3, 0}, {3, 0}};
    V_VT(&v) = VT_ARRAY | VT_UI1;
    V_ARRAY(&v) = SafeArrayCreate(VT_UI1, 2, two);
    EXPECT_FALSE(SafeArrayToBytes(v, out));
    VariantClear(&v);
    SAFEARRAYBOUND one = {4, 5};  // lower bound 5
    V_VT(&v) = VT_ARRAY | VT_UI1;
    V_ARRAY(&v) = SafeArrayCreate(VT_UI1, 1, &one);
    ASSERT_TRUE(SafeArrayToBytes(v, out));
    EXPECT_EQ(out.size(), 4u);
    VariantClear(&v);
}
