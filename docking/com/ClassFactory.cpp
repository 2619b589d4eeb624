#include "docking/com/ClassFactory.h"

#include "docking/com/DockFrameCtl.h"
#include "docking/com/FDPaneCtl.h"
#include "docking/framework/Guard.h"
#include "docking/framework/Module.h"

#include <new>

namespace {

using CreateFn = HRESULT (*)(REFIID, void**);

class CClassFactory final : public IClassFactory {
public:
    explicit CClassFactory(CreateFn create) : m_create(create) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
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
        if (!r) delete this;
        return r;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return dockguard::Com("CreateInstance", [&] { return m_create(riid, ppv); });
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock) dockmod::AddRef();
        else dockmod::Release();
        return S_OK;
    }

private:
    LONG m_ref = 1;
    CreateFn m_create;
};

}  // namespace

namespace dockserver {

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    CreateFn create = nullptr;
    if (clsid == CLSID_DockFrame) create = &CDockFrameCtl::Create;
    else if (clsid == CLSID_FDPane) create = &CFDPaneCtl::Create;
    else return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) CClassFactory(create);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

HRESULT CanUnloadNow() { return dockmod::LiveCount() == 0 ? S_OK : S_FALSE; }

}  // namespace dockserver
