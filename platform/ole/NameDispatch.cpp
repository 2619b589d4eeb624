#include "platform/ole/NameDispatch.h"

#include <algorithm>

#include "platform/ole/DispatchHelpers.h"
#include "platform/ole/SnapshotEnum.h"

namespace platform::forms {

NameDispatch::NameDispatch(std::vector<std::pair<std::string, DISPID>> names, Getter get, Putter put,
                           std::vector<IID> extra)
    : names_(std::move(names)), get_(std::move(get)), put_(std::move(put)), extra_(std::move(extra))
{
}

STDMETHODIMP NameDispatch::QueryInterface(REFIID riid, void** ppv)
{
    bool ok = riid == IID_IUnknown || riid == IID_IDispatch ||
              std::any_of(extra_.begin(), extra_.end(), [&](const IID& i) { return i == riid; });
    if (!ok) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

void NameDispatch::Orphan()
{
    get_ = nullptr;
    put_ = nullptr;
}

STDMETHODIMP NameDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return ResolveNames(names_, names, count, ids);
}

STDMETHODIMP NameDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO*, UINT*)
{
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (!put_)
            return DISP_E_MEMBERNOTFOUND;
        if (!params || params->cArgs < 1)
            return DISP_E_BADPARAMCOUNT;
        Var v;
        VariantCopy(&v.v, &params->rgvarg[0]);
        return put_(id, v);
    }
    if (!get_)
        return DISP_E_MEMBERNOTFOUND;
    Var r;
    HRESULT hr = get_(id, r);
    if (SUCCEEDED(hr))
        HandOut(r, result);
    return hr;
}

namespace {
struct VariantItems {
    using Interface = IEnumVARIANT;
    using Item = Var;
    using Out = VARIANT;
    static const IID& Iid() { return IID_IEnumVARIANT; }
    static void Hold(Var&) {}
    static void Drop(Var&) {}
    static void CopyOut(const Var& item, VARIANT& out)
    {
        VariantInit(&out);
        VariantCopy(&out, const_cast<VARIANT*>(&item.v));
    }
};
}  // namespace

IEnumVARIANT* NewVariantEnum(std::vector<Var> items) { return new SnapshotEnum<VariantItems>(std::move(items)); }

}  // namespace platform::forms
