#include "docking/com/Registration.h"

#include "docking/com/TypeLib.h"
#include "docking/framework/Module.h"
#include "docking/platform_text.h"

#include <shlwapi.h>

namespace dockreg {

namespace {

struct ClassInfo {
    const char* clsid;
    const char* name;
    const char* progId;
    const char* versionIndependent;
    const char* bitmap;
    const char* miscStatus;
};

const ClassInfo kClasses[] = {
    {"{16DDE9F0-55CB-44D3-8F72-D18FE3EC069D}", "DockFrame Class", "MoorlinePro.DockFrame.1", "MoorlinePro.DockFrame",
     "102", "132497"},
    {"{16DDE9F5-55CB-44D3-8F72-D18FE3EC069D}", "FDPane Class", "MoorlinePro.FDPane.1", "MoorlinePro.FDPane", "104",
     "131473"},
};
const char kLibId[] = "{16DDE9E3-55CB-44D3-8F72-D18FE3EC069D}";

LONG SetKey(HKEY root, const std::string& path, const char* value, const char* name = nullptr)
{
    HKEY key = nullptr;
    LONG r = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (r != ERROR_SUCCESS)
        return r;
    if (value)
        r = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(key);
    return r;
}

LONG DeleteTree(HKEY root, const std::string& path)
{
    const LONG r = SHDeleteKeyA(root, path.c_str());
    return r == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : r;
}

HRESULT RegisterOne(HKEY root, const ClassInfo& c, const std::string& module)
{
    const std::string cls = std::string("CLSID\\") + c.clsid;
    const std::string bitmap = module + ", " + c.bitmap;
    LONG r = ERROR_SUCCESS;
    auto step = [&](LONG result) { if (r == ERROR_SUCCESS) r = result; };
    step(SetKey(root, c.progId, c.name));
    step(SetKey(root, std::string(c.progId) + "\\CLSID", c.clsid));
    step(SetKey(root, c.versionIndependent, c.name));
    step(SetKey(root, std::string(c.versionIndependent) + "\\CLSID", c.clsid));
    step(SetKey(root, std::string(c.versionIndependent) + "\\CurVer", c.progId));
    step(DeleteTree(root, cls));
    step(SetKey(root, cls, c.name));
    step(SetKey(root, cls + "\\ProgID", c.progId));
    step(SetKey(root, cls + "\\VersionIndependentProgID", c.versionIndependent));
    step(SetKey(root, cls + "\\Programmable", nullptr));
    step(SetKey(root, cls + "\\Control", nullptr));
    step(SetKey(root, cls + "\\Insertable", nullptr));
    step(SetKey(root, cls + "\\InprocServer32", module.c_str()));
    step(SetKey(root, cls + "\\InprocServer32", "Apartment", "ThreadingModel"));
    step(SetKey(root, cls + "\\ToolboxBitmap32", bitmap.c_str()));
    step(SetKey(root, cls + "\\MiscStatus", "0"));
    step(SetKey(root, cls + "\\MiscStatus\\1", c.miscStatus));
    step(SetKey(root, cls + "\\TypeLib", kLibId));
    step(SetKey(root, cls + "\\Version", "1.0"));
    return HRESULT_FROM_WIN32(r);
}

}  // namespace

HRESULT RegisterClasses(HKEY root, const std::string& modulePath)
{
    for (const ClassInfo& c : kClasses) {
        const HRESULT hr = RegisterOne(root, c, modulePath);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT UnregisterClasses(HKEY root)
{
    LONG r = ERROR_SUCCESS;
    for (const ClassInfo& c : kClasses) {
        for (const std::string& path : {std::string(c.progId), std::string(c.versionIndependent),
                                        std::string("CLSID\\") + c.clsid}) {
            const LONG e = DeleteTree(root, path);
            if (r == ERROR_SUCCESS) r = e;
        }
    }
    return HRESULT_FROM_WIN32(r);
}

HRESULT RegisterServer()
{
    const std::string module = dockmod::ModulePath();
    HRESULT hr = RegisterClasses(HKEY_CLASSES_ROOT, module);
    if (FAILED(hr))
        return hr;
    ITypeLib* lib = docktlb::Library();
    if (!lib)
        return TYPE_E_CANTLOADLIBRARY;
    std::wstring path = docktext::ToWide(module);
    return RegisterTypeLib(lib, path.data(), nullptr);
}

HRESULT UnregisterServer()
{
    HRESULT hr = UnregisterClasses(HKEY_CLASSES_ROOT);
    if (FAILED(hr))
        return hr;
    ITypeLib* lib = docktlb::Library();
    if (!lib)
        return TYPE_E_CANTLOADLIBRARY;
    TLIBATTR* attr = nullptr;
    if (FAILED(hr = lib->GetLibAttr(&attr)))
        return hr;
    // Unregister exactly what was registered: identifiers from the library's own attributes.
    using UnRegisterFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
    HMODULE oleaut = GetModuleHandleA("oleaut32.dll");
    auto fn = oleaut ? reinterpret_cast<UnRegisterFn>(GetProcAddress(oleaut, "UnRegisterTypeLib")) : nullptr;
    hr = fn ? fn(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind)
            : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    lib->ReleaseTLibAttr(attr);
    return hr;
}

}  // namespace dockreg
