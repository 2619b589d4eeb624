#include "fontengine/qlMainEnvironment.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/AnsiText.h"

std::string qlMainEnvironment::Platform()
{
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&vi))
        return {};
#pragma GCC diagnostic pop
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (static_cast<std::int16_t>(vi.dwBuildNumber & 0xFFFF) >= 3000)
            return "Windows Me";
        return vi.dwMinorVersion >= 10 ? "Windows 98" : "Windows 95";
    }
    if (vi.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (vi.dwMajorVersion >= 5 && vi.dwMinorVersion >= 1)
            return "Windows XP";
        return vi.dwMajorVersion >= 5 ? "Windows 2000" : "Windows NT";
    }
    return {};
}

std::optional<std::string> qlMainEnvironment::ShellFoldersFonts()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::string value;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, "Fonts", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0 &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::string buffer(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(key, "Fonts", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) == ERROR_SUCCESS)
            value = platform::CutAtNul(std::string_view(buffer.data(), got));
    }
    RegCloseKey(key);
    return value;
}

std::string qlMainEnvironment::ShellFontsFolder()
{
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return platform::CutAtNul(path);
}

std::string qlMainEnvironment::WindowsFolder()
{
    char path[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::string(path, n) : std::string();
}

std::string qlMainEnvironment::ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::string full(path, n);
    auto slash = full.find_last_of('\\');
    return slash == std::string::npos ? std::string() : full.substr(0, slash);
}
