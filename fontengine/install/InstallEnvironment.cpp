#include "fontengine/install/InstallEnvironment.h"

#include <shlobj.h>

#include <vector>

namespace qlInstall {

namespace {

const Overrides* g_overrides = nullptr;

std::string TrimRight(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.pop_back();
    return s;
}

std::string UpToNul(const char* buffer, size_t size)
{
    size_t n = 0;
    while (n < size && buffer[n])
        ++n;
    return std::string(buffer, n);
}

// Asks the shell to create its Fonts folder entry (the 9x shell writes the value lazily).
void StartShellFontsFolderCommand()
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    char cmd[] = "rundll32.exe SHELL32.DLL,SHHelpShortcuts_RunDLL FontsFolder";
    if (CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace

void SetOverrides(const Overrides* overrides) { g_overrides = overrides; }

OsInfo OsInfoFrom(const OsVersion& v)
{
    OsInfo info;
    if (v.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (v.minor == 0)
            info.code = 1;
        else if (v.minor == 10)
            info.code = (v.build & 0xFFFF) == 2222 ? 3 : 2;
        info.family9x = true;
    } else if (v.platformId == VER_PLATFORM_WIN32_NT) {
        if (v.major == 3)
            info.code = 4;
        else if (v.major == 4)
            info.code = 5;
        else if (v.major == 5)
            info.code = 6;
    }
    return info;
}

OsInfo GetOSCode()
{
    if (g_overrides && g_overrides->os)
        return *g_overrides->os;
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (!GetVersionExA(&vi))
        return {};
    return OsInfoFrom({vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber});
}

std::string AddBackslash(std::string path)
{
    std::string trimmed = TrimRight(path);
    if (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/'))
        return path;
    return trimmed + "\\";
}

std::string GetTempDir()
{
    if (g_overrides && !g_overrides->tempFolder.empty())
        return AddBackslash(g_overrides->tempFolder);
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n < 1 || n > MAX_PATH)
        return GetWinDir();
    return AddBackslash(UpToNul(buffer, n));
}

std::string GetWinDir()
{
    char buffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (n < 1 || n > MAX_PATH)
        return {};
    return AddBackslash(UpToNul(buffer, n));
}

std::string GetShellFontsFolder()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::string result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, "Fonts", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0 &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> data(size + 1, 0);
        DWORD got = size;
        if (RegQueryValueExA(key, "Fonts", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) ==
            ERROR_SUCCESS) {
            std::string folder = UpToNul(data.data(), got);
            if (!folder.empty())
                result = AddBackslash(folder);
        }
    }
    RegCloseKey(key);
    return result;
}

std::string FontsDirFor(const OsInfo& os)
{
    if (os.family9x)
        return GetShellFontsFolder();
    if (os.code == 4) {  // NT 3.x keeps its fonts beside the system files
        std::string win = GetWinDir();
        return win.empty() ? win : win + "SYSTEM\\";
    }
    char buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        std::string folder = UpToNul(buffer, MAX_PATH);
        if (!folder.empty())
            return AddBackslash(folder);
    }
    return {};
}

std::string GetFontsDir()
{
    if (g_overrides && !g_overrides->fontsFolder.empty())
        return AddBackslash(g_overrides->fontsFolder);
    OsInfo os = GetOSCode();
    std::string folder = FontsDirFor(os);
    if (folder.empty() && os.family9x) {
        StartShellFontsFolderCommand();
        folder = FontsDirFor(os);
        if (folder.empty())
            StartShellFontsFolderCommand();
    }
    return folder;
}

FontsKeyLocation FontsKeyFor(const OsInfo& os)
{
    FontsKeyLocation loc;
    loc.path = os.family9x ? "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts"
                           : "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    return loc;
}

FontsKeyLocation GetFontsKey()
{
    if (g_overrides && g_overrides->fontsKey)
        return *g_overrides->fontsKey;
    return FontsKeyFor(GetOSCode());
}

}  // namespace qlInstall
