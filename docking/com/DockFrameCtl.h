#pragma once
// The DockFrame control: invisible at run time; its first activation in a running host makes
// the process's main dock frame around the host window.
#include "docking/com/ControlBase.h"
#include "XMoorline_h.h"

#include <memory>
#include <vector>

class CImageItem;
class CMainDockFrame;
class CMenuImageStore;

class CDockFrameCtl : public IDockFrame, public CControlBase {
public:
    CDockFrameCtl();
    ~CDockFrameCtl() override;
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
    STDMETHODIMP Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e, UINT* a) override
    {
        return DispInvoke(static_cast<IDockFrame*>(this), id, r, l, f, p, v, e, a);
    }

    STDMETHODIMP SaveStates(VARIANT* key) override;
    STDMETHODIMP LoadStates(VARIANT* key) override;
    STDMETHODIMP SetSDIClientWindow(LONG hwnd) override;
    STDMETHODIMP get_DragAreaStyle(DragHandle* value) override;
    STDMETHODIMP put_DragAreaStyle(DragHandle value) override;
    STDMETHODIMP DesignSetDirty(unsigned char* info, LONG* id) override;
    STDMETHODIMP SetImageList(IDispatch* list) override;
    STDMETHODIMP SetImageIndex(BSTR title, LONG index) override;
    STDMETHODIMP AdjustLayout() override;
    STDMETHODIMP EnableTVReturnQuery() override;
    STDMETHODIMP DisableTVReturnQuery() override;
    STDMETHODIMP SetRegRootKey(RegRootKey root) override;
    STDMETHODIMP ClearLayout() override;
    STDMETHODIMP EnableBoundaryCheck(VARIANT_BOOL enable) override;

    // The host form through the extender's "Parent"; the caller releases it.
    IDispatch* GetHostForm();
    CMainDockFrame* Frame() const { return m_pFrame; }
    int DragAreaStyleValue() const { return m_dragAreaStyle; }
    const std::vector<std::unique_ptr<CImageItem>>& Pictures() const { return m_pictures; }
    bool AddPicture(const uint8_t* bytes, size_t size);

    // Largest picture count read from stored data.
    static constexpr uint32_t kMaxPictures = 1024;

protected:
    IDispatch* Dual() override { return static_cast<IDockFrame*>(this); }
    const PersistedProperty* Properties(int& count) const override;
    HRESULT SaveTail(IStream* stream) override;
    HRESULT LoadTail(IStream* stream) override;
    ULONG TailSize() const override;
    HRESULT SaveBagTail(IPropertyBag* bag) override;
    HRESULT LoadBagTail(IPropertyBag* bag, IErrorLog* log) override;
    void OnInitNew() override;
    void OnClientSiteSet() override { ActivateFrame(); }
    void OnQuickActivated() override { ActivateFrame(); }
    int DesignBitmapId() const override { return 102; }
    bool BagExtentLow16() const override { return true; }

private:
    void ActivateFrame();
    LONG m_ref = 1;
    std::vector<std::unique_ptr<CImageItem>> m_pictures;
    int m_dragAreaStyle = 0;
    HWND m_hWndHost = nullptr;
    IDispatch* m_pDesignerHost = nullptr;
    CMainDockFrame* m_pFrame = nullptr;
    CMenuImageStore* m_pImageStore = nullptr;
    bool m_bDesignerHostMode = false;
    bool m_bActivating = false;
};
