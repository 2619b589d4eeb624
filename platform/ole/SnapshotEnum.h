#pragma once
// An enumerator (IEnumVARIANT, IEnumUnknown, ...) over a snapshot of items taken when it
// is made. Traits give the interface, its id, how an item is held while enumerated and
// how one is handed out.
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ole/RefCounted.h"

namespace platform::forms {

template <class Traits>
class SnapshotEnum : public RefCounted<typename Traits::Interface> {
public:
    using Interface = typename Traits::Interface;
    using Item = typename Traits::Item;
    using Out = typename Traits::Out;

    explicit SnapshotEnum(std::vector<Item> items) : items_(std::move(items))
    {
        for (Item& i : items_)
            Traits::Hold(i);
    }
    ~SnapshotEnum() override
    {
        for (Item& i : items_)
            Traits::Drop(i);
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == Traits::Iid()) {
            *ppv = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP Next(ULONG celt, Out* out, ULONG* fetched) override
    {
        ULONG n = 0;
        while (n < celt && pos_ < items_.size()) {
            Traits::CopyOut(items_[pos_++], out[n]);
            ++n;
        }
        if (fetched)
            *fetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG celt) override
    {
        pos_ = std::min<size_t>(items_.size(), pos_ + celt);
        return pos_ < items_.size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        pos_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Interface** out) override
    {
        auto* e = new SnapshotEnum(items_);
        e->pos_ = pos_;
        *out = e;
        return S_OK;
    }

private:
    std::vector<Item> items_;
    size_t pos_ = 0;
};

}  // namespace platform::forms
