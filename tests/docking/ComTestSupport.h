#pragma once
// Helpers for tests of the COM surface: memory streams and property bags, controls made
// through the class factory, and the built DLL's path.
#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>

std::string DllPath();

// A control of the given class through the library's class factory.
template <class T> T* MakeControl(REFCLSID clsid, REFIID iid);
IUnknown* MakeControlUnknown(REFCLSID clsid);

// A memory stream holding bytes, positioned at its start.
IStream* StreamOf(const std::string& bytes);
std::string StreamBytes(IStream* stream);

// An in-memory property bag; Read converts to the requested type when one is given.
class MemoryBag : public IPropertyBag {
public:
    MemoryBag();
    ~MemoryBag();
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    std::map<std::wstring, VARIANT> values;
    void SetI4(const wchar_t* name, LONG v);
    void SetI2(const wchar_t* name, short v);
    void SetBytes(const wchar_t* name, const std::string& bytes);
};

template <class T> T* MakeControl(REFCLSID clsid, REFIID iid)
{
    IUnknown* u = MakeControlUnknown(clsid);
    T* out = nullptr;
    if (u) {
        u->QueryInterface(iid, reinterpret_cast<void**>(&out));
        u->Release();
    }
    return out;
}
