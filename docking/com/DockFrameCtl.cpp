#include "docking/com/DockFrameCtl.h"

#include "docking/com/ImageItem.h"
#include "docking/com/StreamIo.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/framework/Guard.h"
#include "docking/framework/HostProps.h"
#include "docking/menu/MenuImageStore.h"
#include "docking/platform_text.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

const PersistedProperty kProperties[] = {{L"DragAreaStyle", 4, VT_I4}};

// The key a VARIANT argument selects: a string (also by reference), or the default key when
// the argument was left out. Anything else selects nothing.
bool SelectKey(const VARIANT* v, std::string& key)
{
    if (!v || V_VT(v) == VT_ERROR) {
        key.clear();
        return true;
    }
    if (V_VT(v) == VT_BSTR) {
        key = docktext::FromBstr(V_BSTR(v));
        return true;
    }
    if (V_VT(v) == (VT_BSTR | VT_BYREF)) {
        if (!V_BSTRREF(v))
            return false;
        key = docktext::FromBstr(*V_BSTRREF(v));
        return true;
    }
    if (V_VT(v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(v))
        return SelectKey(V_VARIANTREF(v), key);
    return false;
}

bool ClassContains(HWND hwnd, const char* part)
{
    char cls[200] = {};
    GetClassNameA(hwnd, cls, 199);
    return std::strstr(cls, part) != nullptr;
}

}  // namespace

CDockFrameCtl::CDockFrameCtl()
    : CControlBase(CLSID_DockFrame, IID_IDockFrame, DIID__IDockFrameEvents,
                   OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE |
                       OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE)
{
}

CDockFrameCtl::~CDockFrameCtl()
{
    if (m_pDesignerHost)
        m_pDesignerHost->Release();
    if (m_pFrame) {
        m_pFrame->Detach();
        m_pFrame->m_pImageStore = nullptr;
    }
    delete m_pImageStore;
    delete m_pFrame;
}

HRESULT CDockFrameCtl::Create(REFIID riid, void** ppv)
{
    auto* object = new (std::nothrow) CDockFrameCtl();
    if (!object)
        return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

STDMETHODIMP CDockFrameCtl::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IDockFrame) {
        *ppv = static_cast<IDockFrame*>(this);
        AddRef();
        return S_OK;
    }
    return BaseQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CDockFrameCtl::AddRef() { return InterlockedIncrement(&m_ref); }

STDMETHODIMP_(ULONG) CDockFrameCtl::Release()
{
    const LONG r = InterlockedDecrement(&m_ref);
    if (!r) delete this;
    return r;
}

void CDockFrameCtl::ActivateFrame()
{
    if (m_bActivating || m_pFrame || CMainDockFrame::RegisteredHost() || !m_pClientSite)
        return;
    m_bActivating = true;
    IOleInPlaceSite* site = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(m_pClientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site)))) {
        site->GetWindow(&window);
        site->Release();
    }
    if (window) {
        HWND host = window;
        for (HWND w = window; w; w = GetParent(w)) {
            if (ClassContains(w, "ABSDyna")) {
                m_bDesignerHostMode = true;
                for (HWND up = GetParent(w); up; up = GetParent(up))
                    if (ClassContains(up, "MDIForm")) {
                        host = up;
                        break;
                    }
                break;
            }
        }
        if (AmbientUserMode()) {
            m_hWndHost = host;
            m_pFrame = new CMainDockFrame(this);
            m_pFrame->m_bDesignerHostMode = m_bDesignerHostMode;
            m_pFrame->m_pImageStore = m_pImageStore;
            m_pFrame->Attach(host);
        }
    }
    m_bActivating = false;
}

IDispatch* CDockFrameCtl::GetHostForm()
{
    if (!m_pClientSite)
        return nullptr;
    IOleControlSite* control = nullptr;
    if (FAILED(m_pClientSite->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&control))))
        return nullptr;
    IDispatch* extender = nullptr;
    IDispatch* form = nullptr;
    if (SUCCEEDED(control->GetExtendedControl(&extender)) && extender) {
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(GetDispatchProperty(extender, "Parent", DISPATCH_PROPERTYGET, &v))) {
            if (V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v)) {
                form = V_DISPATCH(&v);
                form->AddRef();
            } else if (V_VT(&v) == VT_UNKNOWN && V_UNKNOWN(&v)) {
                V_UNKNOWN(&v)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&form));
            }
        }
        VariantClear(&v);
        extender->Release();
    }
    control->Release();
    return form;
}

// ---- IDockFrame -------------------------------------------------------------------------

STDMETHODIMP CDockFrameCtl::SaveStates(VARIANT* key)
{
    return dockguard::Com("DockFrame: SaveStates", [&]() -> HRESULT {
        std::string k;
        if (m_pFrame && SelectKey(key, k))
            m_pFrame->SaveStates(k);
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::LoadStates(VARIANT* key)
{
    return dockguard::Com("DockFrame: LoadStates", [&]() -> HRESULT {
        std::string k;
        if (m_pFrame && SelectKey(key, k))
            m_pFrame->LoadStates(k);
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::SetSDIClientWindow(LONG hwnd)
{
    return dockguard::Com("DockFrame: SetSDIClientWindow", [&]() -> HRESULT {
        HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd));
        if (m_pFrame && IsWindow(window)) {
            SetParent(window, m_pFrame->m_hWndFrame);
            ShowWindow(window, SW_SHOW);
            m_pFrame->SetClientWindow(window);
        }
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::get_DragAreaStyle(DragHandle* value)
{
    if (!value) return E_POINTER;
    *value = static_cast<DragHandle>(m_dragAreaStyle);
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::put_DragAreaStyle(DragHandle value)
{
    m_dragAreaStyle = static_cast<int>(value);
    m_bDirty = true;
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::DesignSetDirty(unsigned char*, LONG* id)
{
    if (id) *id = 0;
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::SetImageList(IDispatch* list)
{
    return dockguard::Com("DockFrame: SetImageList", [&]() -> HRESULT {
        if (!m_pFrame) return S_OK;
        if (!m_pImageStore) m_pImageStore = new CMenuImageStore();
        m_pImageStore->m_onMenuOpen = &DockFrameMenuOpen;
        m_pFrame->m_pImageStore = m_pImageStore;
        m_pImageStore->LoadImageList(list);
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::SetImageIndex(BSTR title, LONG index)
{
    return dockguard::Com("DockFrame: SetImageIndex", [&]() -> HRESULT {
        if (m_pFrame && m_pFrame->m_pImageStore)
            m_pFrame->m_pImageStore->SetImageIndex(docktext::FromBstr(title), index);
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::AdjustLayout()
{
    return dockguard::Com("DockFrame: AdjustLayout", [&]() -> HRESULT {
        if (m_pFrame) m_pFrame->AdjustLayout();
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::EnableTVReturnQuery()
{
    if (m_pFrame) m_pFrame->m_bTreeReturnQuery = 1;
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::DisableTVReturnQuery()
{
    if (m_pFrame) m_pFrame->m_bTreeReturnQuery = 0;
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::SetRegRootKey(RegRootKey root)
{
    // Only the four named roots: any other number could be an open key handle of the process.
    const auto value = static_cast<ULONG_PTR>(static_cast<unsigned long>(root));
    if (m_pFrame && (value == 0x80000001 || value == 0x80000002 || value == 0x80000003 || value == 0x80000005))
        m_pFrame->m_registryRoot = reinterpret_cast<HKEY>(value);
    return S_OK;
}

STDMETHODIMP CDockFrameCtl::ClearLayout()
{
    return dockguard::Com("DockFrame: ClearLayout", [&]() -> HRESULT {
        if (m_pFrame) m_pFrame->ClearLayout();
        return S_OK;
    });
}

STDMETHODIMP CDockFrameCtl::EnableBoundaryCheck(VARIANT_BOOL enable)
{
    if (m_pFrame) m_pFrame->m_bBoundaryCheck = enable == VARIANT_TRUE ? 1 : 0;
    return S_OK;
}

// ---- stored data ------------------------------------------------------------------------

const PersistedProperty* CDockFrameCtl::Properties(int& count) const
{
    count = 1;
    return kProperties;
}

void CDockFrameCtl::OnInitNew()
{
    m_pictures.clear();
    m_dragAreaStyle = 0;
}

bool CDockFrameCtl::AddPicture(const uint8_t* bytes, size_t size)
{
    auto item = std::make_unique<CImageItem>();
    if (!item->SetPackedDib(bytes, size))
        return false;
    m_pictures.push_back(std::move(item));
    return true;
}

HRESULT CDockFrameCtl::SaveTail(IStream* s)
{
    bool ok = dockio::WriteU32(s, 1) && dockio::WriteU32(s, 0) &&
              dockio::WriteU32(s, static_cast<uint32_t>(m_pictures.size()));
    for (const auto& p : m_pictures) {
        ok = ok && dockio::WriteU32(s, static_cast<uint32_t>(p->m_totalSize)) &&
             dockio::Write(s, p->m_header.data(), static_cast<ULONG>(p->m_header.size())) &&
             dockio::Write(s, p->m_bits.data(), static_cast<ULONG>(p->m_bits.size()));
    }
    ok = ok && dockio::WriteU32(s, 0);
    return ok ? S_OK : STG_E_WRITEFAULT;
}

HRESULT CDockFrameCtl::LoadTail(IStream* s)
{
    m_pictures.clear();
    uint32_t one = 0, zero = 0, count = 0;
    if (!dockio::ReadU32(s, one) || !dockio::ReadU32(s, zero) || !dockio::ReadU32(s, count))
        return S_OK;
    for (uint32_t i = 0; i < count && i < kMaxPictures; ++i) {
        uint32_t size = 0;
        // A bad size leaves the rest of the data misaligned: stop at the first one.
        if (!dockio::ReadU32(s, size) || size == 0 || size > CImageItem::kMaxSize)
            return S_OK;
        std::vector<uint8_t> data(size);
        if (!dockio::Read(s, data.data(), size))
            return S_OK;
        AddPicture(data.data(), data.size());
    }
    if (count > kMaxPictures)
        return S_OK;
    uint32_t menus = 0;
    if (!dockio::ReadU32(s, menus))
        return S_OK;
    for (uint32_t i = 0; i < menus; ++i) {
        uint32_t ignored;
        if (!dockio::ReadU32(s, ignored))
            break;
    }
    return S_OK;
}

ULONG CDockFrameCtl::TailSize() const
{
    ULONG total = 16;
    for (const auto& p : m_pictures)
        total += 4 + static_cast<ULONG>(p->m_totalSize);
    return total;
}

namespace {

HRESULT WriteI4(IPropertyBag* bag, const wchar_t* name, LONG value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return bag->Write(name, &v);
}

bool ReadI4(IPropertyBag* bag, const wchar_t* name, IErrorLog* log, LONG& value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    bool ok = SUCCEEDED(bag->Read(name, &v, log)) && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4));
    if (ok) value = V_I4(&v);
    VariantClear(&v);
    return ok;
}

std::wstring Indexed(const wchar_t* prefix, unsigned index, const wchar_t* suffix = L"")
{
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%ls%u%ls", prefix, index, suffix);
    return buf;
}

}  // namespace

HRESULT CDockFrameCtl::SaveBagTail(IPropertyBag* bag)
{
    HRESULT hr = WriteI4(bag, L"PICTCNT", static_cast<LONG>(m_pictures.size()));
    for (size_t i = 0; i < m_pictures.size() && SUCCEEDED(hr); ++i) {
        const CImageItem& p = *m_pictures[i];
        hr = WriteI4(bag, Indexed(L"ImageNo", static_cast<unsigned>(i), L"Cnt").c_str(), p.m_totalSize);
        if (FAILED(hr)) break;
        SAFEARRAY* sa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(p.m_totalSize));
        if (!sa) return E_OUTOFMEMORY;
        void* data = nullptr;
        SafeArrayAccessData(sa, &data);
        std::memcpy(data, p.m_header.data(), p.m_header.size());
        std::memcpy(static_cast<uint8_t*>(data) + p.m_header.size(), p.m_bits.data(), p.m_bits.size());
        SafeArrayUnaccessData(sa);
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_ARRAY | VT_UI1;
        V_ARRAY(&v) = sa;
        hr = bag->Write(Indexed(L"ImageNo", static_cast<unsigned>(i)).c_str(), &v);
        VariantClear(&v);
    }
    if (SUCCEEDED(hr))
        hr = WriteI4(bag, L"MENUCNT", 0);
    return hr;
}

HRESULT CDockFrameCtl::LoadBagTail(IPropertyBag* bag, IErrorLog* log)
{
    m_pictures.clear();
    LONG count = 0;
    if (!ReadI4(bag, L"PICTCNT", log, count))
        count = 0;
    for (LONG i = 0; i < count && i < static_cast<LONG>(kMaxPictures); ++i) {
        LONG size = 0;
        if (!ReadI4(bag, Indexed(L"ImageNo", i, L"Cnt").c_str(), log, size) || size <= 0)
            continue;
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_ARRAY | VT_UI1;
        std::vector<uint8_t> bytes;
        // The stored count must agree with the real length of the array.
        if (SUCCEEDED(bag->Read(Indexed(L"ImageNo", i).c_str(), &v, log)) && SafeArrayToBytes(v, bytes) &&
            bytes.size() == static_cast<size_t>(size))
            AddPicture(bytes.data(), bytes.size());
        VariantClear(&v);
    }
    LONG menus = 0;
    if (ReadI4(bag, L"MENUCNT", log, menus))
        for (LONG i = 0; i < menus && i < 1024; ++i) {
            VARIANT v;
            VariantInit(&v);
            V_VT(&v) = VT_ARRAY | VT_UI1;
            bag->Read(Indexed(L"MenuNo", i).c_str(), &v, log);  // read and discarded
            VariantClear(&v);
        }
    return S_OK;
}
