#include "docking/com/FDPaneCtl.h"
#include "docking/pane/FDPaneBody.h"

#include "docking/com/StreamIo.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/framework/Guard.h"
#include "docking/menu/MenuImageStore.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/platform_text.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const PersistedProperty kProperties[] = {
    {L"DockType", 1, VT_I4},     {L"PaneVisible", 2, VT_BOOL},  {L"DockStyle", 3, VT_I4},
    {L"CanDockLeft", 8, VT_BOOL}, {L"CanDockTop", 9, VT_BOOL},   {L"CanDockRight", 10, VT_BOOL},
    {L"CanDockBottom", 11, VT_BOOL}};

const char kSignature[7] = {'K', 'M', 'n', '3', 'T', 'Y', 'P'};

std::vector<CFDPaneCtl*>& LiveControls()
{
    static std::vector<CFDPaneCtl*> controls;
    return controls;
}

int ValidPinState(long value) { return value >= 0 && value <= 2 ? static_cast<int>(value) : 1; }

}  // namespace

CFDPaneCtl::CFDPaneCtl()
    : CControlBase(CLSID_FDPane, IID_IFDPane, DIID__IFDPaneEvents,
                   OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                       OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE),
      m_pImageStore(new CMenuImageStore())
{
    LiveControls().push_back(this);
}

CFDPaneCtl::~CFDPaneCtl()
{
    // The pane goes first and gives the form back to the host.
    m_pBody.reset();
    auto& live = LiveControls();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    for (CFDPaneCtl* other : live)
        if (other->m_pLayoutRef == this) other->m_pLayoutRef = nullptr;
    delete m_pImageStore;
}

HRESULT CFDPaneCtl::Create(REFIID riid, void** ppv)
{
    auto* object = new (std::nothrow) CFDPaneCtl();
    if (!object)
        return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

STDMETHODIMP CFDPaneCtl::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IFDPane) {
        *ppv = static_cast<IFDPane*>(this);
        AddRef();
        return S_OK;
    }
    return BaseQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CFDPaneCtl::AddRef() { return InterlockedIncrement(&m_ref); }

STDMETHODIMP_(ULONG) CFDPaneCtl::Release()
{
    const LONG r = InterlockedDecrement(&m_ref);
    if (!r) delete this;
    return r;
}

STDMETHODIMP CFDPaneCtl::Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                UINT* a)
{
    // SetLayoutReference takes any object late-bound: one that is not a pane of ours is
    // ignored like every argument of the wrong type, not refused by the type library.
    if (id == 15 && (f & DISPATCH_METHOD) && p && p->cArgs == 1) {
        const VARIANT* arg = &p->rgvarg[0];
        if (V_VT(arg) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(arg))
            arg = V_VARIANTREF(arg);
        IUnknown* u = nullptr;
        if (V_VT(arg) == VT_DISPATCH || V_VT(arg) == VT_UNKNOWN) u = V_UNKNOWN(arg);
        else if (V_VT(arg) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(arg)) u = *V_DISPATCHREF(arg);
        if (CFDPaneCtl* other = FromInterface(u))
            return SetLayoutReference(static_cast<IFDPane*>(other));
        return S_OK;
    }
    return DispInvoke(static_cast<IFDPane*>(this), id, r, l, f, p, v, e, a);
}

CFDPaneCtl* CFDPaneCtl::FromInterface(IUnknown* unknown)
{
    if (!unknown)
        return nullptr;
    IFDPane* pane = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IFDPane, reinterpret_cast<void**>(&pane))) || !pane)
        return nullptr;
    CFDPaneCtl* found = nullptr;
    for (CFDPaneCtl* c : LiveControls())
        if (static_cast<IFDPane*>(c) == pane) found = c;
    pane->Release();
    return found;
}

STDMETHODIMP CFDPaneCtl::get_FDType(FloatDockType* v)
{
    if (!v) return E_POINTER;
    *v = static_cast<FloatDockType>(m_fdType);
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::put_FDType(FloatDockType v)
{
    if (!AmbientUserMode()) {
        m_fdType = static_cast<int>(v);
    } else if (m_pBody && m_pBody->Frame() && m_pBody->Frame()->m_hWndMdiClient) {
        // With an MDI client the form can change between a pane and an MDI child.
        if (v == StandardVBForm && m_fdType != StandardVBForm) m_pBody->MakeMdiChild();
        else if (v != StandardVBForm && m_fdType == StandardVBForm) m_pBody->MakePane();
        m_fdType = static_cast<int>(v);
    } else {
        // Without one the MDI-form type has nothing to turn into.
        m_fdType = v == StandardVBForm ? 0 : static_cast<int>(v);
    }
    m_bDirty = true;
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::get_PaneVisible(VARIANT_BOOL* v)
{
    if (!v) return E_POINTER;
    const bool visible = (m_pBody && m_pBody->Pane()) ? m_pBody->PaneVisible() : m_paneVisible != 0;
    *v = visible ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::put_PaneVisible(VARIANT_BOOL v)
{
    return dockguard::Com("FDPane: PaneVisible", [&]() -> HRESULT {
        m_paneVisible = v ? 1 : 0;
        m_bDirty = true;
        if (m_pBody && m_pBody->Pane())
            m_pBody->SetPaneVisible(v != 0);
        return S_OK;
    });
}

STDMETHODIMP CFDPaneCtl::ReDock()
{
    return dockguard::Com("FDPane: ReDock", [&]() -> HRESULT {
        if (m_pBody && !m_pBody->ReDockToolbar()) m_pBody->ReDock();
        return S_OK;
    });
}

STDMETHODIMP CFDPaneCtl::ReFloat()
{
    return dockguard::Com("FDPane: ReFloat", [&]() -> HRESULT {
        if (m_pBody) m_pBody->ReFloat();
        return S_OK;
    });
}

void CFDPaneCtl::OnClientSiteSet()
{
    if (!AmbientUserMode() || !ClientSite())
        return;
    IOleInPlaceSite* site = nullptr;
    if (FAILED(ClientSite()->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))) || !site)
        return;
    HWND form = nullptr;
    site->GetWindow(&form);
    site->Release();
    if (!form)
        return;
    if (!m_pBody)
        m_pBody = std::make_unique<CFDPaneBody>(this);
    m_pBody->Activate(form);
}

STDMETHODIMP CFDPaneCtl::get_InitDockStyle(DockStyle* v)
{
    if (!v) return E_POINTER;
    *v = static_cast<DockStyle>(m_initDockStyle);
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::put_InitDockStyle(DockStyle v)
{
    m_initDockStyle = static_cast<int>(v);
    m_bDirty = true;
    if (CPaneWnd* pane = m_pBody ? m_pBody->Pane() : nullptr; pane && pane->resetPending)
        pane->resetStyleSet = true;
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::get_CurrentDockStyle(DockStyle* v)
{
    if (!v) return E_POINTER;
    *v = static_cast<DockStyle>((m_pBody && m_pBody->Pane()) ? m_pBody->CurrentDockStyle() : m_initDockStyle);
    return S_OK;
}

HRESULT CFDPaneCtl::GetDockBit(int bit, VARIANT_BOOL* v)
{
    if (!v) return E_POINTER;
    *v = (m_canDockMask >> bit) & 1;  // 1, not VARIANT_TRUE: the stored bytes depend on it
    return S_OK;
}

HRESULT CFDPaneCtl::PutDockBit(int bit, VARIANT_BOOL v)
{
    if (v)
        m_canDockMask |= 1u << bit;
    else
        m_canDockMask &= 0xFu & ~(1u << bit);
    m_bDirty = true;
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::SetImageList(IDispatch* list)
{
    return dockguard::Com("FDPane: SetImageList", [&]() -> HRESULT {
        m_pImageStore->LoadImageList(list);
        return S_OK;
    });
}

STDMETHODIMP CFDPaneCtl::SetImageIndex(BSTR title, LONG index)
{
    return dockguard::Com("FDPane: SetImageIndex", [&]() -> HRESULT {
        m_pImageStore->SetImageIndex(docktext::FromBstr(title), index);
        return S_OK;
    });
}

STDMETHODIMP CFDPaneCtl::SetLayoutReference(IFDPane* pane)
{
    return dockguard::Com("FDPane: SetLayoutReference", [&]() -> HRESULT {
        // Only a live control of this library counts; a foreign object's answer is never trusted.
        CFDPaneCtl* other = FromInterface(pane);
        if (other && other != this) {
            m_pLayoutRef = other;
            if (CPaneWnd* own = m_pBody ? m_pBody->Pane() : nullptr; own && own->resetPending)
                own->resetRefSet = true;
        }
        return S_OK;
    });
}

STDMETHODIMP CFDPaneCtl::get_PinState(PinType* v)
{
    if (!v) return E_POINTER;
    *v = static_cast<PinType>(m_pinState);
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::put_PinState(PinType v)
{
    m_pinState = ValidPinState(static_cast<long>(v));
    m_bDirty = true;
    if (m_pBody && m_pBody->Pane())
        m_pBody->SetPinState(m_pinState);
    return S_OK;
}

STDMETHODIMP CFDPaneCtl::GetCustInfo(LONG* result)
{
    if (!result) return E_POINTER;
    *result = static_cast<LONG>(reinterpret_cast<LONG_PTR>(this));
    return S_OK;
}

#define QL_SHORT_PROP(Name, field, minimum)                                   \
    STDMETHODIMP CFDPaneCtl::get_##Name(short* v)                            \
    {                                                                         \
        if (!v) return E_POINTER;                                             \
        *v = field;                                                           \
        return S_OK;                                                          \
    }                                                                         \
    STDMETHODIMP CFDPaneCtl::put_##Name(short v)                             \
    {                                                                         \
        if (v >= (minimum)) { field = v; m_bDirty = true; }                   \
        return S_OK;                                                          \
    }
QL_SHORT_PROP(InitDockHW, m_initDockHW, 20)
QL_SHORT_PROP(InitFloatLeft, m_initFloatLeft, 0)
QL_SHORT_PROP(InitFloatTop, m_initFloatTop, 0)
QL_SHORT_PROP(InitFloatWidth, m_initFloatWidth, 20)
QL_SHORT_PROP(InitFloatHeight, m_initFloatHeight, 20)
#undef QL_SHORT_PROP

void CFDPaneCtl::FireDockStyleChanged(int style)
{
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = style;
    FireEvent(1, &arg, 1);
}

void CFDPaneCtl::FireHidden() { FireEvent(2, nullptr, 0); }
void CFDPaneCtl::FireShown() { FireEvent(3, nullptr, 0); }

const PersistedProperty* CFDPaneCtl::Properties(int& count) const
{
    count = static_cast<int>(sizeof(kProperties) / sizeof(kProperties[0]));
    return kProperties;
}

HRESULT CFDPaneCtl::SaveTail(IStream* s)
{
    const int16_t values[5] = {m_initDockHW, m_initFloatLeft, m_initFloatTop, m_initFloatWidth, m_initFloatHeight};
    const bool ok = dockio::Write(s, kSignature, 7) && dockio::WriteU32(s, 4) &&
                    dockio::WriteU32(s, static_cast<uint32_t>(m_pinState)) && dockio::Write(s, values, sizeof(values));
    return ok ? S_OK : STG_E_WRITEFAULT;
}

HRESULT CFDPaneCtl::LoadTail(IStream* s)
{
    char signature[7];
    uint32_t version = 0, pin = 0;
    if (!dockio::Read(s, signature, 7) || std::memcmp(signature, kSignature, 7) != 0 || !dockio::ReadU32(s, version) ||
        version != 4 || !dockio::ReadU32(s, pin))
        return S_OK;
    m_pinState = ValidPinState(static_cast<int32_t>(pin));
    int16_t v = 0;
    if (dockio::Read(s, &v, 2) && v > 20) m_initDockHW = v;
    int16_t* floats[4] = {&m_initFloatLeft, &m_initFloatTop, &m_initFloatWidth, &m_initFloatHeight};
    for (int16_t* f : floats) {
        if (!dockio::Read(s, &v, 2))
            break;
        if (v >= 0) *f = v;
    }
    return S_OK;
}

HRESULT CFDPaneCtl::SaveBagTail(IPropertyBag* bag)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = m_pinState;
    HRESULT hr = bag->Write(L"AutoHide", &v);
    const struct { const wchar_t* name; int16_t value; } shorts[] = {
        {L"InitDockHW", m_initDockHW},         {L"InitFloatLeft", m_initFloatLeft},
        {L"InitFloatTop", m_initFloatTop},     {L"InitFloatWidth", m_initFloatWidth},
        {L"InitFloatHeight", m_initFloatHeight}};
    for (const auto& e : shorts) {
        if (FAILED(hr)) break;
        V_VT(&v) = VT_I2;
        V_I2(&v) = e.value;
        hr = bag->Write(e.name, &v);
    }
    return hr;
}

HRESULT CFDPaneCtl::LoadBagTail(IPropertyBag* bag, IErrorLog* log)
{
    auto read = [&](const wchar_t* name, VARTYPE vt, VARIANT& v) {
        VariantInit(&v);
        V_VT(&v) = vt;
        return SUCCEEDED(bag->Read(name, &v, log)) && SUCCEEDED(VariantChangeType(&v, &v, 0, vt));
    };
    VARIANT v;
    if (read(L"AutoHide", VT_I4, v))
        m_pinState = ValidPinState(static_cast<int16_t>(V_I4(&v) & 0xFFFF));
    VariantClear(&v);
    if (read(L"InitDockHW", VT_I2, v))
        m_initDockHW = V_I2(&v) > 0 ? V_I2(&v) : 20;
    VariantClear(&v);
    const struct { const wchar_t* name; int16_t* field; } floats[] = {
        {L"InitFloatLeft", &m_initFloatLeft}, {L"InitFloatTop", &m_initFloatTop},
        {L"InitFloatWidth", &m_initFloatWidth}, {L"InitFloatHeight", &m_initFloatHeight}};
    for (const auto& f : floats) {
        if (read(f.name, VT_I2, v) && V_I2(&v) >= 0)
            *f.field = V_I2(&v);
        VariantClear(&v);
    }
    return S_OK;
}
