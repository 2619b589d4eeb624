#pragma once
// Reference counting for a COM object made of the given interfaces: one count for
// all of them, and the object deletes itself on the last Release.
#include <windows.h>

namespace platform::forms {

template <class... Interfaces>
class RefCounted : public Interfaces... {
public:
    virtual ~RefCounted() = default;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG r = --refs_;
        if (r == 0)
            delete this;
        return r;
    }

private:
    ULONG refs_ = 1;
};

}  // namespace platform::forms
