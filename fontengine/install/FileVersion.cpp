#include "fontengine/install/FileVersion.h"

#include <windows.h>

#include <vector>

#include "fontengine/install/InstallEnvironment.h"

namespace qlInstall {

namespace {

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteTime(const std::string& path, FILETIME& out)
{
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d))
        return false;
    out = d.ftLastWriteTime;
    return true;
}

}  // namespace

std::optional<FileVersion> GetFileVersion(const std::string& path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    void* fixed = nullptr;
    UINT len = 0;
    char root[] = "\\";
    if (!VerQueryValueA(block.data(), root, &fixed, &len) || !fixed || len < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                       LOWORD(info->dwFileVersionLS)};
}

bool CompareVersions(const FileVersion& a, const FileVersion& b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return a[i] > b[i];
    return false;
}

bool IsLaterFile(const std::string& source, const std::string& target)
{
    FILETIME s{}, t{};
    if (!WriteTime(source, s))
        return false;
    if (!WriteTime(target, t))
        return true;
    return CompareFileTime(&s, &t) > 0;
}

bool IsNewer(const std::string& sourceFolder, const std::string& sourceName, const std::string& targetFolder,
             const std::string& targetName)
{
    std::string source = AddBackslash(sourceFolder) + sourceName;
    std::string target = AddBackslash(targetFolder) + targetName;
    if (!FileExists(target))
        return true;
    auto sv = GetFileVersion(source);
    auto tv = GetFileVersion(target);
    if (sv)
        return tv ? CompareVersions(*sv, *tv) : true;
    if (tv)
        return false;
    return IsLaterFile(source, target);
}

}  // namespace qlInstall
