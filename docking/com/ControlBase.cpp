#include "docking/com/ControlBase.h"

#include "docking/com/ConnectionPoint.h"
#include "docking/com/StreamIo.h"
#include "docking/com/TypeLib.h"
#include "docking/framework/Guard.h"
#include "docking/framework/Module.h"

#include <new>

namespace {

constexpr uint32_t kMapVersion = 0x0300;

template <class T> void SetPtr(T*& slot, T* value)
{
    if (value) value->AddRef();
    if (slot) slot->Release();
    slot = value;
}

}  // namespace

CControlBase::CControlBase(REFCLSID clsid, REFIID dual, REFIID events, DWORD miscStatus)
    : m_clsid(clsid), m_iidDual(dual), m_iidEvents(events), m_miscStatus(miscStatus)
{
    m_pEvents = new CConnectionPoint(this, events);
    dockmod::AddRef();
}

CControlBase::~CControlBase()
{
    m_pEvents->Detach();
    m_pEvents->Release();
    SetPtr(m_pInPlaceSite, static_cast<IOleInPlaceSite*>(nullptr));
    SetPtr(m_pClientSite, static_cast<IOleClientSite*>(nullptr));
    SetPtr(m_pViewSink, static_cast<IAdviseSink*>(nullptr));
    SetPtr(m_pOleAdvise, static_cast<IOleAdviseHolder*>(nullptr));
    dockmod::Release();
}

HRESULT CControlBase::BaseQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject) *ppv = static_cast<IOleInPlaceActiveObject*>(this);
    else if (riid == IID_IOleControl) *ppv = static_cast<IOleControl*>(this);
    else if (riid == IID_IQuickActivate) *ppv = static_cast<IQuickActivate*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2) *ppv = static_cast<IViewObject2*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) *ppv = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IPersistPropertyBag) *ppv = static_cast<IPersistPropertyBag*>(this);
    else if (riid == IID_IConnectionPointContainer) *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) *ppv = static_cast<IProvideClassInfo2*>(this);
    if (!*ppv)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}

// ---- IDispatch --------------------------------------------------------------------------

HRESULT CControlBase::DispGetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = docktlb::Library() ? 1 : 0;
    return S_OK;
}

HRESULT CControlBase::DispGetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return docktlb::TypeInfoOf(m_iidDual, info);
}

HRESULT CControlBase::DispGetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    ITypeInfo* info = nullptr;
    HRESULT hr = docktlb::TypeInfoOf(m_iidDual, &info);
    if (FAILED(hr)) return hr;
    hr = info->GetIDsOfNames(names, count, ids);
    info->Release();
    return hr;
}

HRESULT CControlBase::DispInvoke(IDispatch* self, DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* excep, UINT* argError)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = docktlb::TypeInfoOf(m_iidDual, &info);
    if (FAILED(hr)) return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    hr = info->Invoke(self, id, flags, params ? params : &none, result, excep, argError);
    info->Release();
    return hr;
}

HRESULT CControlBase::GetOwnProperty(DISPID id, VARIANT* value)
{
    VariantInit(value);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return DispInvoke(Dual(), id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

HRESULT CControlBase::PutOwnProperty(DISPID id, const VARIANT& value)
{
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&arg, &named, 1, 1};
    return DispInvoke(Dual(), id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

bool CControlBase::AmbientUserMode() const
{
    if (!m_pClientSite)
        return true;
    IDispatch* ambient = nullptr;
    if (FAILED(m_pClientSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))))
        return true;
    VARIANT v;
    VariantInit(&v);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    bool run = true;
    if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                  &v, nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL)))
        run = V_BOOL(&v) != VARIANT_FALSE;
    VariantClear(&v);
    ambient->Release();
    return run;
}

void CControlBase::FireEvent(DISPID id, VARIANT* args, UINT count) { m_pEvents->Fire(id, args, count); }

// ---- IOleObject -------------------------------------------------------------------------

STDMETHODIMP CControlBase::SetClientSite(IOleClientSite* site)
{
    return dockguard::Com("SetClientSite", [&]() -> HRESULT {
        SetPtr(m_pClientSite, site);
        if (site)
            OnClientSiteSet();
        return S_OK;
    });
}

STDMETHODIMP CControlBase::GetClientSite(IOleClientSite** site)
{
    if (!site) return E_POINTER;
    *site = m_pClientSite;
    if (m_pClientSite) m_pClientSite->AddRef();
    return S_OK;
}

STDMETHODIMP CControlBase::Close(DWORD) { return InPlaceDeactivate(); }

HRESULT CControlBase::InPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT pos)
{
    if (m_bInPlaceActive)
        return S_OK;
    IOleClientSite* use = site ? site : m_pClientSite;
    if (!use)
        return E_UNEXPECTED;
    IOleInPlaceSite* ips = nullptr;
    if (FAILED(use->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips))))
        return E_NOINTERFACE;
    if (ips->CanInPlaceActivate() != S_OK) {
        ips->Release();
        return E_FAIL;
    }
    ips->OnInPlaceActivate();
    SetPtr(m_pInPlaceSite, ips);
    ips->Release();
    HWND window = parent;
    if (!window)
        m_pInPlaceSite->GetWindow(&window);
    m_hWndParent = window;
    if (pos)
        m_rcPos = *pos;
    m_bInPlaceActive = true;
    return S_OK;
}

STDMETHODIMP CControlBase::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos)
{
    return dockguard::Com("DoVerb", [&]() -> HRESULT {
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(site, parent, pos);
        case OLEIVERB_HIDE:
            return InPlaceDeactivate();
        default:
            return OLEOBJ_S_INVALIDVERB;
        }
    });
}

STDMETHODIMP CControlBase::EnumVerbs(IEnumOLEVERB** e) { return OleRegEnumVerbs(m_clsid, e); }

STDMETHODIMP CControlBase::GetUserClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CControlBase::GetUserType(DWORD form, LPOLESTR* type) { return OleRegGetUserType(m_clsid, form, type); }

STDMETHODIMP CControlBase::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    m_extent = *size;
    m_bDirty = true;
    return S_OK;
}

STDMETHODIMP CControlBase::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = m_extent;
    return S_OK;
}

STDMETHODIMP CControlBase::Advise(IAdviseSink* sink, DWORD* cookie)
{
    if (!m_pOleAdvise && FAILED(CreateOleAdviseHolder(&m_pOleAdvise)))
        return E_OUTOFMEMORY;
    return m_pOleAdvise->Advise(sink, cookie);
}

STDMETHODIMP CControlBase::Unadvise(DWORD cookie)
{
    return m_pOleAdvise ? m_pOleAdvise->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP CControlBase::EnumAdvise(IEnumSTATDATA** e)
{
    if (!e) return E_POINTER;
    *e = nullptr;
    return m_pOleAdvise ? m_pOleAdvise->EnumAdvise(e) : E_FAIL;
}

STDMETHODIMP CControlBase::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status) return E_POINTER;
    *status = m_miscStatus;
    return S_OK;
}

// ---- in place ---------------------------------------------------------------------------

STDMETHODIMP CControlBase::GetWindow(HWND* hwnd)
{
    if (!hwnd) return E_POINTER;
    *hwnd = m_hWndParent;
    return m_hWndParent ? S_OK : E_FAIL;
}

STDMETHODIMP CControlBase::InPlaceDeactivate()
{
    if (!m_bInPlaceActive)
        return S_OK;
    m_bInPlaceActive = false;
    if (m_pInPlaceSite) {
        m_pInPlaceSite->OnInPlaceDeactivate();
        SetPtr(m_pInPlaceSite, static_cast<IOleInPlaceSite*>(nullptr));
    }
    return S_OK;
}

STDMETHODIMP CControlBase::SetObjectRects(LPCRECT pos, LPCRECT)
{
    if (pos) m_rcPos = *pos;
    return S_OK;
}

STDMETHODIMP CControlBase::GetControlInfo(CONTROLINFO* info)
{
    if (!info) return E_POINTER;
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

// ---- quick activation -------------------------------------------------------------------

STDMETHODIMP CControlBase::QuickActivate(QACONTAINER* container, QACONTROL* control)
{
    return dockguard::Com("QuickActivate", [&]() -> HRESULT {
        if (!container || !control || container->cbSize < offsetof(QACONTAINER, pAdviseSink) + sizeof(void*))
            return E_INVALIDARG;
        const ULONG controlSize = control->cbSize;
        if (controlSize < offsetof(QACONTROL, dwPropNotifyCookie) + sizeof(DWORD))
            return E_INVALIDARG;
        SetPtr(m_pClientSite, container->pClientSite);
        if (container->pAdviseSink)
            SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
        control->dwMiscStatus = m_miscStatus;
        control->dwViewStatus = 0;
        control->dwEventCookie = 0;
        control->dwPropNotifyCookie = 0;
        if (controlSize >= sizeof(QACONTROL))
            control->dwPointerActivationPolicy = 0;
        if (container->pUnkEventSink)
            m_pEvents->Advise(container->pUnkEventSink, &control->dwEventCookie);
        OnQuickActivated();
        return S_OK;
    });
}

STDMETHODIMP CControlBase::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }
STDMETHODIMP CControlBase::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

// ---- view -------------------------------------------------------------------------------

STDMETHODIMP CControlBase::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                                BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    return dockguard::Com("Draw", [&]() -> HRESULT {
        if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!dc || !bounds) return E_INVALIDARG;
        if (AmbientUserMode()) return S_OK;
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(dockmod::Instance(), MAKEINTRESOURCEA(DesignBitmapId()), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (!bitmap) return S_OK;
        BITMAP bm;
        GetObjectA(bitmap, sizeof(bm), &bm);
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bitmap);
        const int w = std::min<LONG>(bm.bmWidth, bounds->right - bounds->left);
        const int h = std::min<LONG>(bm.bmHeight, bounds->bottom - bounds->top);
        if (w > 0 && h > 0)
            BitBlt(dc, bounds->left, bounds->top, w, h, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bitmap);
        return S_OK;
    });
}

STDMETHODIMP CControlBase::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    m_viewAspects = aspects;
    m_viewFlags = flags;
    SetPtr(m_pViewSink, sink);
    return S_OK;
}

STDMETHODIMP CControlBase::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects) *aspects = m_viewAspects;
    if (flags) *flags = m_viewFlags;
    if (sink) {
        *sink = m_pViewSink;
        if (m_pViewSink) m_pViewSink->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CControlBase::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}

// ---- persistence ------------------------------------------------------------------------

STDMETHODIMP CControlBase::GetClassID(CLSID* clsid) { return GetUserClassID(clsid); }

STDMETHODIMP CControlBase::InitNew()
{
    return dockguard::Com("InitNew", [&]() -> HRESULT {
        OnInitNew();
        return S_OK;
    });
}

STDMETHODIMP CControlBase::Save(LPSTREAM stream, BOOL clearDirty)
{
    return dockguard::Com("Save(stream)", [&]() -> HRESULT {
        if (!stream) return E_POINTER;
        if (!dockio::WriteU32(stream, kMapVersion) || !dockio::WriteU32(stream, static_cast<uint32_t>(m_extent.cx)) ||
            !dockio::WriteU32(stream, static_cast<uint32_t>(m_extent.cy)))
            return STG_E_WRITEFAULT;
        int count = 0;
        const PersistedProperty* props = Properties(count);
        for (int i = 0; i < count; ++i) {
            VARIANT v;
            HRESULT hr = GetOwnProperty(props[i].dispid, &v);
            if (SUCCEEDED(hr)) hr = VariantChangeType(&v, &v, 0, props[i].vt);
            if (FAILED(hr)) return hr;
            const uint16_t type = props[i].vt;
            bool ok = dockio::Write(stream, &type, 2);
            if (props[i].vt == VT_BOOL) {
                const int16_t b = V_BOOL(&v);
                ok = ok && dockio::Write(stream, &b, 2);
            } else {
                const int32_t n = V_I4(&v);
                ok = ok && dockio::Write(stream, &n, 4);
            }
            VariantClear(&v);
            if (!ok) return STG_E_WRITEFAULT;
        }
        const HRESULT hr = SaveTail(stream);
        if (SUCCEEDED(hr) && clearDirty) m_bDirty = false;
        return hr;
    });
}

STDMETHODIMP CControlBase::Load(LPSTREAM stream)
{
    return dockguard::Com("Load(stream)", [&]() -> HRESULT {
        if (!stream) return E_POINTER;
        uint32_t version = 0, cx = 0, cy = 0;
        if (!dockio::ReadU32(stream, version) || version > kMapVersion || !dockio::ReadU32(stream, cx) ||
            !dockio::ReadU32(stream, cy))
            return E_FAIL;
        m_extent.cx = static_cast<LONG>(cx);
        m_extent.cy = static_cast<LONG>(cy);
        int count = 0;
        const PersistedProperty* props = Properties(count);
        for (int i = 0; i < count; ++i) {
            uint16_t type = 0;
            if (!dockio::Read(stream, &type, 2)) return E_FAIL;
            VARIANT v;
            VariantInit(&v);
            if (type == VT_BOOL || type == VT_I2) {
                int16_t n = 0;
                if (!dockio::Read(stream, &n, 2)) return E_FAIL;
                V_VT(&v) = type;
                if (type == VT_BOOL) V_BOOL(&v) = n;
                else V_I2(&v) = n;
            } else if (type == VT_I4 || type == VT_UI4) {
                int32_t n = 0;
                if (!dockio::Read(stream, &n, 4)) return E_FAIL;
                V_VT(&v) = VT_I4;
                V_I4(&v) = n;
            } else {
                return E_FAIL;
            }
            PutOwnProperty(props[i].dispid, v);
        }
        LoadTail(stream);
        m_bDirty = false;
        return S_OK;
    });
}

STDMETHODIMP CControlBase::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size) return E_POINTER;
    int count = 0;
    const PersistedProperty* props = Properties(count);
    ULONG total = 12;
    for (int i = 0; i < count; ++i)
        total += props[i].vt == VT_BOOL ? 4 : 6;
    size->QuadPart = total + TailSize();
    return S_OK;
}

STDMETHODIMP CControlBase::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    return dockguard::Com("Save(bag)", [&]() -> HRESULT {
        if (!bag) return E_POINTER;
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_UI4;
        V_UI4(&v) = static_cast<ULONG>(m_extent.cx);
        HRESULT hr = bag->Write(L"_cx", &v);
        V_UI4(&v) = static_cast<ULONG>(m_extent.cy);
        if (SUCCEEDED(hr)) hr = bag->Write(L"_cy", &v);
        if (FAILED(hr)) return hr;
        int count = 0;
        const PersistedProperty* props = Properties(count);
        for (int i = 0; i < count; ++i) {
            VARIANT p;
            hr = GetOwnProperty(props[i].dispid, &p);
            if (SUCCEEDED(hr)) hr = VariantChangeType(&p, &p, 0, props[i].vt);
            if (SUCCEEDED(hr)) hr = bag->Write(props[i].name, &p);
            VariantClear(&p);
            if (FAILED(hr)) return hr;
        }
        hr = SaveBagTail(bag);
        if (SUCCEEDED(hr) && clearDirty) m_bDirty = false;
        return hr;
    });
}

STDMETHODIMP CControlBase::Load(IPropertyBag* bag, IErrorLog* log)
{
    return dockguard::Com("Load(bag)", [&]() -> HRESULT {
        if (!bag) return E_POINTER;
        for (int which = 0; which < 2; ++which) {
            VARIANT v;
            VariantInit(&v);
            V_VT(&v) = VT_UI4;
            if (SUCCEEDED(bag->Read(which ? L"_cy" : L"_cx", &v, log)) && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_UI4))) {
                ULONG n = V_UI4(&v);
                if (BagExtentLow16()) n &= 0xFFFF;
                (which ? m_extent.cy : m_extent.cx) = static_cast<LONG>(n);
            }
            VariantClear(&v);
        }
        int count = 0;
        const PersistedProperty* props = Properties(count);
        // A missing entry keeps the current value.
        for (int i = 0; i < count; ++i) {
            VARIANT v;
            VariantInit(&v);
            V_VT(&v) = props[i].vt;
            if (SUCCEEDED(bag->Read(props[i].name, &v, log)))
                PutOwnProperty(props[i].dispid, v);
            VariantClear(&v);
        }
        LoadBagTail(bag, log);
        m_bDirty = false;
        return S_OK;
    });
}

// ---- events and class information -------------------------------------------------------

STDMETHODIMP CControlBase::EnumConnectionPoints(IEnumConnectionPoints** e)
{
    return CreateConnectionPointEnum(m_pEvents, e);
}

STDMETHODIMP CControlBase::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (!point) return E_POINTER;
    *point = nullptr;
    if (riid != m_iidEvents) return CONNECT_E_NOCONNECTION;
    *point = m_pEvents;
    m_pEvents->AddRef();
    return S_OK;
}

STDMETHODIMP CControlBase::GetClassInfo(ITypeInfo** info) { return docktlb::TypeInfoOf(m_clsid, info); }

STDMETHODIMP CControlBase::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = m_iidEvents;
    return S_OK;
}
