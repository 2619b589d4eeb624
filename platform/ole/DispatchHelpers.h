#pragma once
// Pieces every by-name IDispatch here needs: a fixed name table and handing a result
// over to the caller.
#include <windows.h>

#include <string>

#include "platform/AnsiText.h"
#include "platform/ole/OleControl.h"

namespace platform::forms {

inline const char* NameChars(const char* s) { return s; }
inline const char* NameChars(const std::string& s) { return s.c_str(); }

// GetIDsOfNames against (name, id) pairs, names matched without regard to case.
// Only the member name is looked up; named arguments are not known.
template <class Names>
HRESULT ResolveNames(const Names& table, LPOLESTR* names, UINT count, DISPID* ids)
{
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i > 0) {
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        std::string n = ToAnsi(reinterpret_cast<const char16_t*>(names[i]));
        bool found = false;
        for (auto& [name, id] : table)
            if (lstrcmpiA(NameChars(name), n.c_str()) == 0) {
                ids[i] = id;
                found = true;
            }
        if (!found)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

// Moves r into the caller's result (if one was asked for); r is left empty.
inline void HandOut(Var& r, VARIANT* result)
{
    if (result) {
        VariantInit(result);
        *result = r.v;
        VariantInit(&r.v);
    }
}

}  // namespace platform::forms
