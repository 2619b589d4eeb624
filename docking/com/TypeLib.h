#pragma once
// The library's own type library, loaded from its module (not through the registry, which
// knows it only under the English locale).
#include <oaidl.h>

namespace docktlb {

// The loaded type library (not AddRef'ed), or null.
ITypeLib* Library();
// Type information of a GUID in it; the caller releases it.
HRESULT TypeInfoOf(REFGUID guid, ITypeInfo** info);

}  // namespace docktlb
