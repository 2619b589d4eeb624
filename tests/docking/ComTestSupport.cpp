#include "ComTestSupport.h"

#include "docking/com/ClassFactory.h"

#include <shlwapi.h>

std::string DllPath()
{
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path(buf);
    path.resize(path.find_last_of('\\') + 1);
    return path + "XMoorline.dll";
}

IUnknown* MakeControlUnknown(REFCLSID clsid)
{
    IClassFactory* factory = nullptr;
    if (FAILED(dockserver::GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    IUnknown* u = nullptr;
    factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&u));
    factory->Release();
    return u;
}

IStream* StreamOf(const std::string& bytes)
{
    return SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
}

std::string StreamBytes(IStream* stream)
{
    STATSTG st = {};
    stream->Stat(&st, STATFLAG_NONAME);
    std::string out(static_cast<size_t>(st.cbSize.QuadPart), '\0');
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(out.data(), static_cast<ULONG>(out.size()), &got);
    out.resize(got);
    return out;
}

MemoryBag::MemoryBag() = default;

MemoryBag::~MemoryBag()
{
    for (auto& kv : values)
        VariantClear(&kv.second);
}

STDMETHODIMP MemoryBag::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
        *ppv = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    auto it = values.find(name);
    if (it == values.end())
        return E_INVALIDARG;
    const VARTYPE want = V_VT(value);
    VariantInit(value);
    HRESULT hr = VariantCopy(value, &it->second);
    if (SUCCEEDED(hr) && want != VT_EMPTY && want != V_VT(value))
        hr = VariantChangeType(value, value, 0, want);
    return hr;
}

STDMETHODIMP MemoryBag::Write(LPCOLESTR name, VARIANT* value)
{
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr)) return hr;
    auto it = values.find(name);
    if (it != values.end()) VariantClear(&it->second);
    values[name] = copy;
    return S_OK;
}

void MemoryBag::SetI4(const wchar_t* name, LONG v)
{
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    Write(name, &x);
}

void MemoryBag::SetI2(const wchar_t* name, short v)
{
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_I2;
    V_I2(&x) = v;
    Write(name, &x);
}

void MemoryBag::SetBytes(const wchar_t* name, const std::string& bytes)
{
    SAFEARRAY* sa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(sa, &data);
    memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(sa);
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_ARRAY | VT_UI1;
    V_ARRAY(&x) = sa;
    Write(name, &x);
    VariantClear(&x);
}
