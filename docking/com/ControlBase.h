#pragma once
// The OLE control plumbing both controls share: embedding, in-place and quick activation,
// view drawing, persistence of the property map, events and class information. The dual
// interface itself is the derived class's; IDispatch comes from the embedded type library.
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>

class CConnectionPoint;

// A property persisted by name and, in a stream, as a tagged value.
struct PersistedProperty {
    const wchar_t* name;
    DISPID dispid;
    VARTYPE vt;  // VT_I4 or VT_BOOL
};

class CControlBase : public IOleObject,
                     public IOleInPlaceObject,
                     public IOleInPlaceActiveObject,
                     public IOleControl,
                     public IQuickActivate,
                     public IViewObject2,
                     public IPersistStreamInit,
                     public IPersistPropertyBag,
                     public IConnectionPointContainer,
                     public IProvideClassInfo2 {
public:
    CControlBase(REFCLSID clsid, REFIID dual, REFIID events, DWORD miscStatus);
    virtual ~CControlBase();

    // The derived class's QueryInterface asks this for everything but its dual interface.
    HRESULT BaseQueryInterface(REFIID riid, void** ppv);

    // IDispatch of the dual interface, through the type library.
    HRESULT DispGetTypeInfoCount(UINT* count);
    HRESULT DispGetTypeInfo(UINT index, LCID lcid, ITypeInfo** info);
    HRESULT DispGetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids);
    HRESULT DispInvoke(IDispatch* self, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excep, UINT* argError);

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** e) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override { return S_OK; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    STDMETHODIMP SetContentExtent(LPSIZEL size) override;
    STDMETHODIMP GetContentExtent(LPSIZEL size) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return m_bDirty ? S_OK : S_FALSE; }
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // Ambient user mode of the site; true (run time) when the site does not say.
    bool AmbientUserMode() const;
    IOleClientSite* ClientSite() const { return m_pClientSite; }
    SIZEL Extent() const { return m_extent; }
    void FireEvent(DISPID id, VARIANT* args, UINT count);

protected:
    virtual IDispatch* Dual() = 0;
    virtual const PersistedProperty* Properties(int& count) const = 0;
    virtual HRESULT SaveTail(IStream* stream) = 0;
    virtual HRESULT LoadTail(IStream* stream) = 0;
    virtual ULONG TailSize() const = 0;
    virtual HRESULT SaveBagTail(IPropertyBag* bag) = 0;
    virtual HRESULT LoadBagTail(IPropertyBag* bag, IErrorLog* log) = 0;
    virtual void OnInitNew() {}
    virtual void OnClientSiteSet() {}
    virtual void OnQuickActivated() {}
    virtual int DesignBitmapId() const = 0;
    // Loading from a property bag keeps only the low 16 bits of the stored extent.
    virtual bool BagExtentLow16() const { return false; }

    HRESULT GetOwnProperty(DISPID id, VARIANT* value);
    HRESULT PutOwnProperty(DISPID id, const VARIANT& value);
    HRESULT InPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT pos);

    CLSID m_clsid;
    IID m_iidDual;
    IID m_iidEvents;
    DWORD m_miscStatus;
    IOleClientSite* m_pClientSite = nullptr;
    IOleInPlaceSite* m_pInPlaceSite = nullptr;
    IOleAdviseHolder* m_pOleAdvise = nullptr;
    IAdviseSink* m_pViewSink = nullptr;
    DWORD m_viewAspects = 0, m_viewFlags = 0;
    CConnectionPoint* m_pEvents;
    SIZEL m_extent = {688, 688};
    RECT m_rcPos = {0, 0, 0, 0};
    HWND m_hWndParent = nullptr;
    bool m_bInPlaceActive = false;
    bool m_bDirty = false;
};
