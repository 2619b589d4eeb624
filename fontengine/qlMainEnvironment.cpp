#include "fontengine/qlMainEnvironment.h"

#include <windows.h>

#include <shlobj.h>

#include "core/COpSysInfo.h"
#include "core/registry/cRegistry.h"
#include "platform/AnsiText.h"

std::string qlMainEnvironment::Platform()
{
    return COpSysInfo().Platform();
}

std::optional<std::string> qlMainEnvironment::ShellFoldersFonts()
{
    cRegistry reg;
    reg.ClassKey(kHKeyCurrentUser);
    reg.SectionKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    if (!reg.KeyExists())
        return std::nullopt;
    reg.ValueKey("Fonts");
    return RegValueText(reg.Value());
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
