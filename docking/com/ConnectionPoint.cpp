#include "docking/com/ConnectionPoint.h"

#include "docking/framework/Guard.h"

#include <olectl.h>

#include <new>

namespace {

class CEnumConnections final : public IEnumConnections {
public:
    explicit CEnumConnections(std::vector<CONNECTDATA> items) : m_items(std::move(items)) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumConnections) {
            *ppv = static_cast<IEnumConnections*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_ref); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG r = InterlockedDecrement(&m_ref);
        if (!r) {
            for (auto& c : m_items) c.pUnk->Release();
            delete this;
        }
        return r;
    }
    STDMETHODIMP Next(ULONG n, CONNECTDATA* out, ULONG* fetched) override
    {
        if (!out) return E_POINTER;
        ULONG got = 0;
        while (got < n && m_pos < m_items.size()) {
            out[got] = m_items[m_pos++];
            out[got].pUnk->AddRef();
            ++got;
        }
        if (fetched) *fetched = got;
        return got == n ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG n) override
    {
        m_pos += n;
        if (m_pos > m_items.size()) { m_pos = m_items.size(); return S_FALSE; }
        return S_OK;
    }
    STDMETHODIMP Reset() override { m_pos = 0; return S_OK; }
    STDMETHODIMP Clone(IEnumConnections** e) override
    {
        if (!e) return E_POINTER;
        for (auto& c : m_items) c.pUnk->AddRef();
        auto* copy = new (std::nothrow) CEnumConnections(m_items);
        if (!copy) return E_OUTOFMEMORY;
        copy->m_pos = m_pos;
        *e = copy;
        return S_OK;
    }

private:
    LONG m_ref = 1;
    std::vector<CONNECTDATA> m_items;
    size_t m_pos = 0;
};

class CEnumPoints final : public IEnumConnectionPoints {
public:
    explicit CEnumPoints(IConnectionPoint* p) : m_point(p) { m_point->AddRef(); }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumConnectionPoints) {
            *ppv = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_ref); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG r = InterlockedDecrement(&m_ref);
        if (!r) { m_point->Release(); delete this; }
        return r;
    }
    STDMETHODIMP Next(ULONG n, IConnectionPoint** out, ULONG* fetched) override
    {
        if (!out) return E_POINTER;
        ULONG got = 0;
        if (n > 0 && m_pos == 0) {
            out[0] = m_point;
            m_point->AddRef();
            got = 1;
            m_pos = 1;
        }
        if (fetched) *fetched = got;
        return got == n ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG n) override { m_pos += n; return m_pos <= 1 ? S_OK : S_FALSE; }
    STDMETHODIMP Reset() override { m_pos = 0; return S_OK; }
    STDMETHODIMP Clone(IEnumConnectionPoints** e) override
    {
        if (!e) return E_POINTER;
        auto* copy = new (std::nothrow) CEnumPoints(m_point);
        if (!copy) return E_OUTOFMEMORY;
        copy->m_pos = m_pos;
        *e = copy;
        return S_OK;
    }

private:
    ~CEnumPoints() = default;
    LONG m_ref = 1;
    IConnectionPoint* m_point;
    ULONG m_pos = 0;
};

}  // namespace

HRESULT CreateConnectionPointEnum(IConnectionPoint* point, IEnumConnectionPoints** e)
{
    if (!e) return E_POINTER;
    *e = new (std::nothrow) CEnumPoints(point);
    return *e ? S_OK : E_OUTOFMEMORY;
}

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* container, REFIID iid)
    : m_pContainer(container), m_iid(iid)
{
}

CConnectionPoint::~CConnectionPoint() { Detach(); }

void CConnectionPoint::Detach()
{
    for (Sink& s : m_sinks)
        s.sink->Release();
    m_sinks.clear();
    m_pContainer = nullptr;
}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CConnectionPoint::AddRef() { return InterlockedIncrement(&m_ref); }

STDMETHODIMP_(ULONG) CConnectionPoint::Release()
{
    const LONG r = InterlockedDecrement(&m_ref);
    if (!r) delete this;
    return r;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container) return E_POINTER;
    *container = m_pContainer;
    if (!m_pContainer) return E_UNEXPECTED;
    m_pContainer->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    return dockguard::Com("CConnectionPoint::Advise", [&]() -> HRESULT {
        if (!sink || !cookie) return E_POINTER;
        *cookie = 0;
        IDispatch* disp = nullptr;
        if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&disp))) &&
            FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp))))
            return CONNECT_E_CANNOTCONNECT;
        m_sinks.push_back({m_nextCookie, disp});
        *cookie = m_nextCookie++;
        return S_OK;
    });
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie)
{
    for (size_t i = 0; i < m_sinks.size(); ++i)
        if (m_sinks[i].cookie == cookie) {
            IDispatch* sink = m_sinks[i].sink;
            m_sinks.erase(m_sinks.begin() + i);
            sink->Release();
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** e)
{
    return dockguard::Com("CConnectionPoint::EnumConnections", [&]() -> HRESULT {
        if (!e) return E_POINTER;
        std::vector<CONNECTDATA> items;
        for (Sink& s : m_sinks) {
            s.sink->AddRef();
            items.push_back({s.sink, s.cookie});
        }
        *e = new CEnumConnections(std::move(items));
        return S_OK;
    });
}

void CConnectionPoint::Fire(DISPID id, VARIANT* args, UINT count)
{
    // A sink may unadvise while it is called: work on a copy.
    std::vector<IDispatch*> sinks;
    for (Sink& s : m_sinks) {
        s.sink->AddRef();
        sinks.push_back(s.sink);
    }
    DISPPARAMS params = {args, nullptr, count, 0};
    for (IDispatch* s : sinks) {
        s->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        s->Release();
    }
}
