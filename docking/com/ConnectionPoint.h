#pragma once
// The one event connection point of a control, for its default source dispinterface.
#include <ocidl.h>

#include <vector>

class CConnectionPoint final : public IConnectionPoint {
public:
    CConnectionPoint(IConnectionPointContainer* container, REFIID iid);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** e) override;

    // Calls every connected sink with DISPATCH_METHOD.
    void Fire(DISPID id, VARIANT* args, UINT count);
    // The container goes: drop the sinks and the back link.
    void Detach();
    size_t SinkCount() const { return m_sinks.size(); }

private:
    ~CConnectionPoint();
    struct Sink {
        DWORD cookie;
        IDispatch* sink;
    };
    LONG m_ref = 1;
    IConnectionPointContainer* m_pContainer;
    IID m_iid;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

// Enumerator over one connection point.
HRESULT CreateConnectionPointEnum(IConnectionPoint* point, IEnumConnectionPoints** e);
