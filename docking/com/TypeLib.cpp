#include "docking/com/TypeLib.h"

#include "docking/framework/Module.h"
#include "docking/platform_text.h"

#include <string>

namespace docktlb {

namespace {
ITypeLib* g_lib = nullptr;
}

ITypeLib* Library()
{
    if (g_lib)
        return g_lib;
    std::string path = dockmod::ModulePath();
    ITypeLib* lib = nullptr;
    if (FAILED(LoadTypeLibEx(docktext::ToWide(path).c_str(), REGKIND_NONE, &lib))) {
        const size_t dot = path.find_last_of('.');
        const size_t slash = path.find_last_of("\\/");
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            path.resize(dot);
        path += ".tlb";
        if (FAILED(LoadTypeLibEx(docktext::ToWide(path).c_str(), REGKIND_NONE, &lib)))
            lib = nullptr;
    }
    g_lib = lib;
    return g_lib;
}

HRESULT TypeInfoOf(REFGUID guid, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ITypeLib* lib = Library();
    if (!lib)
        return TYPE_E_CANTLOADLIBRARY;
    return lib->GetTypeInfoOfGuid(guid, info);
}

}  // namespace docktlb
