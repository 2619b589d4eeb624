#include "shell/DockLibrary.h"

#include "core/modMain.h"
#include "platform/ScopedWin.h"
#include "platform/forms/Seams.h"
#include "shell/DockTypes.h"

namespace DockLibrary {
namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

struct State {
    Source source = Source::None;
    bool decided = false;
    bool useRegistration = true;
    std::string folder;
    HMODULE module = nullptr;  // kept for the process's life: its objects may outlive any owner
    GetClassObjectFn getClassObject = nullptr;
    bool told = false;
};

State& S()
{
    static State s;
    return s;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    size_t slash = p.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : p.substr(0, slash);
}

IClassFactory* FromRegistration(const CLSID& clsid)
{
    IClassFactory* f = nullptr;
    if (FAILED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&f))))
        return nullptr;
    return f;
}

bool LoadBeside()
{
    State& s = S();
    if (s.getClassObject)
        return true;
    std::string path = BesideProgramPath();
    HMODULE m = LoadLibraryA(path.c_str());
    if (!m) {
        modMain::LogError("DockLibrary: LoadLibrary", static_cast<int32_t>(GetLastError()), path);
        return false;
    }
    auto fn = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(m, "DllGetClassObject")));
    if (!fn) {
        FreeLibrary(m);
        modMain::LogError("DockLibrary: DllGetClassObject", 0, path + " has no DllGetClassObject");
        return false;
    }
    s.module = m;
    s.getClassObject = fn;
    return true;
}

IClassFactory* FromBeside(const CLSID& clsid)
{
    if (!LoadBeside())
        return nullptr;
    IClassFactory* f = nullptr;
    if (FAILED(S().getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&f))))
        return nullptr;
    return f;
}

void TellOnce()
{
    State& s = S();
    if (s.told)
        return;
    s.told = true;
    platform::forms::MsgBox(
        "The docking library XMoorline.dll is not registered and was not found beside the program (" +
            BesideProgramPath() +
            ").  Reinstall Quillery Pro, or register the library with \"regsvr32 XMoorline.dll\".",
        platform::forms::vbCritical);
}

}  // namespace

IClassFactory* ClassFactory(const CLSID& clsid)
{
    // COM must be up before the registered classes can be asked.
    static bool ole = SUCCEEDED(OleInitialize(nullptr));
    (void)ole;
    State& s = S();
    if (!s.decided) {
        // Decided on the frame's class: both classes come from one copy of the library.
        platform::ComPtr<IClassFactory> probe(s.useRegistration ? FromRegistration(dock::kClsidDockFrame) : nullptr);
        if (probe) {
            s.source = Source::Registered;
        } else if (LoadBeside()) {
            s.source = Source::BesideProgram;
        } else {
            s.source = Source::None;
        }
        s.decided = true;
    }
    IClassFactory* f = nullptr;
    if (s.source == Source::Registered)
        f = FromRegistration(clsid);
    // A registration that went away since (unregistered meanwhile) still leaves the copy
    // beside the program.
    if (!f && s.source != Source::None)
        f = FromBeside(clsid);
    if (!f)
        TellOnce();
    return f;
}

Source CurrentSource() { return S().source; }

std::string BesideProgramPath()
{
    const std::string& folder = S().folder;
    return (folder.empty() ? ProgramFolder() : folder) + "\\XMoorline.dll";
}

void ResetForTests(bool useRegistration, const std::string& folder)
{
    State& s = S();
    s.decided = false;
    s.source = Source::None;
    s.useRegistration = useRegistration;
    s.told = false;
    if (s.folder != folder) {
        // Another folder means another file; the loaded module stays loaded (objects of
        // it may still live) but is no longer used.
        s.getClassObject = nullptr;
        s.module = nullptr;
    }
    s.folder = folder;
}

}  // namespace DockLibrary
