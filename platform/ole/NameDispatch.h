#pragma once
// A small by-name IDispatch: fixed names and ids, property gets and puts (and methods)
// through callbacks. Reference counted; answers QueryInterface for IDispatch and for any
// extra interface ids given (as the same IDispatch).
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ole/OleControl.h"
#include "platform/ole/RefCounted.h"

namespace platform::forms {

class NameDispatch : public RefCounted<IDispatch> {
public:
    using Getter = std::function<HRESULT(DISPID, Var&)>;
    using Putter = std::function<HRESULT(DISPID, const Var&)>;
    NameDispatch(std::vector<std::pair<std::string, DISPID>> names, Getter get, Putter put = nullptr,
                 std::vector<IID> extra = {});

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    // Cuts the callbacks (the object behind them is gone); calls then fail.
    void Orphan();

private:
    std::vector<std::pair<std::string, DISPID>> names_;
    Getter get_;
    Putter put_;
    std::vector<IID> extra_;
};

// An IEnumVARIANT over a snapshot of values.
IEnumVARIANT* NewVariantEnum(std::vector<Var> items);

}  // namespace platform::forms
