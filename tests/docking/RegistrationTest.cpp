#include "ComTestSupport.h"
#include "docking/com/Registration.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

std::string ReadValue(HKEY root, const std::string& key, const char* name = nullptr)
{
    char buf[1024] = {};
    DWORD size = sizeof(buf) - 1, type = 0;
    if (SHGetValueA(root, key.c_str(), name, &type, buf, &size) != ERROR_SUCCESS)
        return "<missing>";
    return buf;
}

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

// Every key below root, as paths.
void Collect(HKEY root, const std::string& path, std::set<std::string>& out)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof(name);
        if (RegEnumKeyExA(k, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::string sub = path.empty() ? name : path + "\\" + name;
        out.insert(sub);
        Collect(root, sub, out);
    }
    RegCloseKey(k);
}

struct ScratchKey {
    HKEY key = nullptr;
    std::string path;
    ScratchKey()
    {
        path = "Software\\QlTest\\dock" + std::to_string(std::random_device{}());
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    ~ScratchKey()
    {
        RegCloseKey(key);
        SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    }
};

const char kFrame[] = "CLSID\\{16DDE9F0-55CB-44D3-8F72-D18FE3EC069D}";
const char kPane[] = "CLSID\\{16DDE9F5-55CB-44D3-8F72-D18FE3EC069D}";

}  // namespace

TEST(DockRegistration, WritesExactlyTheClassKeys)
{
    ScratchKey root;
    // Junk under an old class key goes; other classes under CLSID stay.
    SHSetValueA(root.key, (std::string(kFrame) + "\\Stale").c_str(), nullptr, REG_SZ, "x", 2);
    SHSetValueA(root.key, "CLSID\\{00000000-1111-2222-3333-444444444444}", nullptr, REG_SZ, "other", 6);
    ASSERT_EQ(dockreg::RegisterClasses(root.key, "C:\\dir\\XMoorline.dll"), S_OK);

    std::set<std::string> keys;
    Collect(root.key, "", keys);
    const std::set<std::string> expected = {
        "CLSID", "CLSID\\{00000000-1111-2222-3333-444444444444}",
        "MoorlinePro.DockFrame.1", "MoorlinePro.DockFrame.1\\CLSID", "MoorlinePro.DockFrame",
        "MoorlinePro.DockFrame\\CLSID", "MoorlinePro.DockFrame\\CurVer",
        "MoorlinePro.FDPane.1", "MoorlinePro.FDPane.1\\CLSID", "MoorlinePro.FDPane", "MoorlinePro.FDPane\\CLSID",
        "MoorlinePro.FDPane\\CurVer",
        std::string(kFrame), std::string(kFrame) + "\\ProgID", std::string(kFrame) + "\\VersionIndependentProgID",
        std::string(kFrame) + "\\Programmable", std::string(kFrame) + "\\Control", std::string(kFrame) + "\\Insertable",
        std::string(kFrame) + "\\InprocServer32", std::string(kFrame) + "\\ToolboxBitmap32",
        std::string(kFrame) + "\\MiscStatus", std::string(kFrame) + "\\MiscStatus\\1", std::string(kFrame) + "\\TypeLib",
        std::string(kFrame) + "\\Version",
        std::string(kPane), std::string(kPane) + "\\ProgID", std::string(kPane) + "\\VersionIndependentProgID",
        std::string(kPane) + "\\Programmable", std::string(kPane) + "\\Control", std::string(kPane) + "\\Insertable",
        std::string(kPane) + "\\InprocServer32", std::string(kPane) + "\\ToolboxBitmap32",
        std::string(kPane) + "\\MiscStatus", std::string(kPane) + "\\MiscStatus\\1", std::string(kPane) + "\\TypeLib",
        std::string(kPane) + "\\Version"};
    EXPECT_EQ(keys, expected);

    HKEY r = root.key;
    EXPECT_EQ(ReadValue(r, "MoorlinePro.DockFrame.1"), "DockFrame Class");
    EXPECT_EQ(ReadValue(r, "MoorlinePro.DockFrame.1\\CLSID"), "{16DDE9F0-55CB-44D3-8F72-D18FE3EC069D}");
    EXPECT_EQ(ReadValue(r, "MoorlinePro.DockFrame\\CurVer"), "MoorlinePro.DockFrame.1");
    EXPECT_EQ(ReadValue(r, "MoorlinePro.FDPane"), "FDPane Class");
    EXPECT_EQ(ReadValue(r, kFrame), "DockFrame Class");
    EXPECT_EQ(ReadValue(r, std::string(kFrame) + "\\InprocServer32"), "C:\\dir\\XMoorline.dll");
    EXPECT_EQ(ReadValue(r, std::string(kFrame) + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(ReadValue(r, std::string(kFrame) + "\\ToolboxBitmap32"), "C:\\dir\\XMoorline.dll, 102");
    EXPECT_EQ(ReadValue(r, std::string(kPane) + "\\ToolboxBitmap32"), "C:\\dir\\XMoorline.dll, 104");
    EXPECT_EQ(ReadValue(r, std::string(kFrame) + "\\MiscStatus"), "0");
    EXPECT_EQ(ReadValue(r, std::string(kFrame) + "\\MiscStatus\\1"), "132497");
    EXPECT_EQ(ReadValue(r, std::string(kPane) + "\\MiscStatus\\1"), "131473");
    EXPECT_EQ(ReadValue(r, std::string(kPane) + "\\TypeLib"), "{16DDE9E3-55CB-44D3-8F72-D18FE3EC069D}");
    EXPECT_EQ(ReadValue(r, std::string(kPane) + "\\Version"), "1.0");
    EXPECT_EQ(ReadValue(r, std::string(kPane) + "\\VersionIndependentProgID"), "MoorlinePro.FDPane");

    ASSERT_EQ(dockreg::UnregisterClasses(root.key), S_OK);
    keys.clear();
    Collect(root.key, "", keys);
    EXPECT_EQ(keys, (std::set<std::string>{"CLSID", "CLSID\\{00000000-1111-2222-3333-444444444444}"}));
}

TEST(DockRegistration, TheBuiltLibraryRegistersItselfAndItsTypeLibrary)
{
    HMODULE dll = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(dll, nullptr);
    using Fn = HRESULT(WINAPI*)();
    auto reg = reinterpret_cast<Fn>(GetProcAddress(dll, "DllRegisterServer"));
    auto unreg = reinterpret_cast<Fn>(GetProcAddress(dll, "DllUnregisterServer"));
    auto canUnload = reinterpret_cast<Fn>(GetProcAddress(dll, "DllCanUnloadNow"));
    ASSERT_TRUE(reg && unreg && canUnload);
    EXPECT_EQ(reinterpret_cast<FARPROC>(reg), GetProcAddress(dll, MAKEINTRESOURCEA(3)));
    EXPECT_EQ(reinterpret_cast<FARPROC>(canUnload), GetProcAddress(dll, MAKEINTRESOURCEA(1)));
    ASSERT_EQ(reg(), S_OK);
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::string(kFrame) + "\\InprocServer32"), DllPath());
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "TypeLib\\{16DDE9E3-55CB-44D3-8F72-D18FE3EC069D}\\1.0"));
    // The class can be made by its ProgID through COM.
    CoInitialize(nullptr);
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"MoorlinePro.DockFrame", &clsid), S_OK);
    IUnknown* u = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&u)), S_OK);
    u->Release();
    CoFreeUnusedLibraries();
    ASSERT_EQ(unreg(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kFrame));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "MoorlinePro.FDPane.1"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "TypeLib\\{16DDE9E3-55CB-44D3-8F72-D18FE3EC069D}"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
    EXPECT_EQ(canUnload(), S_OK);
    CoUninitialize();
}

TEST(DockRegistration, Regsvr32RegistersAndRemovesTheClasses)
{
    auto run = [](const std::string& args) {
        std::string cmd = "regsvr32.exe " + args + " \"" + DllPath() + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return static_cast<DWORD>(-1);
        WaitForSingleObject(pi.hProcess, 60000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        return code;
    };
    ASSERT_EQ(run("/s"), 0u);
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::string(kPane) + "\\MiscStatus\\1"), "131473");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "MoorlinePro.FDPane\\CurVer"), "MoorlinePro.FDPane.1");
    ASSERT_EQ(run("/u /s"), 0u);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kPane));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "MoorlinePro.FDPane"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
}
