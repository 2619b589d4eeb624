#pragma once
// The FDPane control: makes the form it sits on a dockable pane. This part keeps its
// properties, stored data, events and layout reference; the pane window attaches to it.
#include "docking/com/ControlBase.h"
#include "XMoorline_h.h"

#include <cstdint>
#include <memory>
#include <vector>

class CMenuImageStore;
class CFDPaneBody;

class CFDPaneCtl : public IFDPane, public CControlBase {
public:
    CFDPaneCtl();
    ~CFDPaneCtl() override;
    static HRESULT Create(REFIID riid, void** ppv);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return DispGetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return DispGetTypeInfo(i, l, t); }
    STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override
    {
        return DispGetIDsOfNames(r, n, c, l, d);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e, UINT* a) override;

    STDMETHODIMP get_FDType(FloatDockType* v) override;
    STDMETHODIMP put_FDType(FloatDockType v) override;
    STDMETHODIMP get_PaneVisible(VARIANT_BOOL* v) override;
    STDMETHODIMP put_PaneVisible(VARIANT_BOOL v) override;
    STDMETHODIMP get_InitDockStyle(DockStyle* v) override;
    STDMETHODIMP put_InitDockStyle(DockStyle v) override;
    STDMETHODIMP get_CurrentDockStyle(DockStyle* v) override;
    STDMETHODIMP ReDock() override;
    STDMETHODIMP ReFloat() override;
    STDMETHODIMP get_CanDockLeft(VARIANT_BOOL* v) override { return GetDockBit(0, v); }
    STDMETHODIMP put_CanDockLeft(VARIANT_BOOL v) override { return PutDockBit(0, v); }
    STDMETHODIMP get_CanDockTop(VARIANT_BOOL* v) override { return GetDockBit(1, v); }
    STDMETHODIMP put_CanDockTop(VARIANT_BOOL v) override { return PutDockBit(1, v); }
    STDMETHODIMP get_CanDockRight(VARIANT_BOOL* v) override { return GetDockBit(2, v); }
    STDMETHODIMP put_CanDockRight(VARIANT_BOOL v) override { return PutDockBit(2, v); }
    STDMETHODIMP get_CanDockBottom(VARIANT_BOOL* v) override { return GetDockBit(3, v); }
    STDMETHODIMP put_CanDockBottom(VARIANT_BOOL v) override { return PutDockBit(3, v); }
    STDMETHODIMP Remove() override { return S_OK; }
    STDMETHODIMP SetImageList(IDispatch* list) override;
    STDMETHODIMP SetImageIndex(BSTR title, LONG index) override;
    STDMETHODIMP SetLayoutReference(IFDPane* pane) override;
    STDMETHODIMP get_PinState(PinType* v) override;
    STDMETHODIMP put_PinState(PinType v) override;
    STDMETHODIMP GetCustInfo(LONG* result) override;
    STDMETHODIMP get_InitDockHW(short* v) override;
    STDMETHODIMP put_InitDockHW(short v) override;
    STDMETHODIMP get_InitFloatLeft(short* v) override;
    STDMETHODIMP put_InitFloatLeft(short v) override;
    STDMETHODIMP get_InitFloatTop(short* v) override;
    STDMETHODIMP put_InitFloatTop(short v) override;
    STDMETHODIMP get_InitFloatWidth(short* v) override;
    STDMETHODIMP put_InitFloatWidth(short v) override;
    STDMETHODIMP get_InitFloatHeight(short* v) override;
    STDMETHODIMP put_InitFloatHeight(short v) override;

    void FireDockStyleChanged(int style);
    void FireHidden();
    void FireShown();

    // The live control behind an interface pointer, or null when it is not one of ours.
    static CFDPaneCtl* FromInterface(IUnknown* unknown);
    CFDPaneCtl* LayoutReference() const { return m_pLayoutRef; }
    void DropLayoutReference() { m_pLayoutRef = nullptr; }
    CFDPaneBody* Body() const { return m_pBody.get(); }
    CMenuImageStore* ImageStore() const { return m_pImageStore; }

    uint32_t m_canDockMask = 0xFFFF;
    int m_paneVisible = 1;
    int16_t m_initDockHW = 150;
    int16_t m_initFloatLeft = 200, m_initFloatTop = 200, m_initFloatWidth = 200, m_initFloatHeight = 200;
    int m_fdType = 0;
    int m_pinState = 1;
    int m_initDockStyle = 0;

protected:
    IDispatch* Dual() override { return static_cast<IFDPane*>(this); }
    const PersistedProperty* Properties(int& count) const override;
    HRESULT SaveTail(IStream* stream) override;
    HRESULT LoadTail(IStream* stream) override;
    ULONG TailSize() const override { return 25; }
    HRESULT SaveBagTail(IPropertyBag* bag) override;
    HRESULT LoadBagTail(IPropertyBag* bag, IErrorLog* log) override;
    int DesignBitmapId() const override { return 104; }
    // At run time the form the control sits on becomes a pane (docking/pane/FDPaneBody).
    void OnClientSiteSet() override;
    // A container that quick-activates gives the site there and never calls SetClientSite.
    void OnQuickActivated() override { OnClientSiteSet(); }

private:
    HRESULT GetDockBit(int bit, VARIANT_BOOL* v);
    HRESULT PutDockBit(int bit, VARIANT_BOOL v);
    LONG m_ref = 1;
    CFDPaneCtl* m_pLayoutRef = nullptr;
    CMenuImageStore* m_pImageStore;
    std::unique_ptr<CFDPaneBody> m_pBody;
};
