#include "fontengine/install/ReplaceAtReboot.h"

#include <windows.h>

#include "fontengine/install/FontsKey.h"

namespace qlInstall {

namespace {

std::string FileNamePart(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ShortPath(const std::string& path)
{
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    if (n > 0 && n <= MAX_PATH)
        return std::string(buffer, n);
    // The target may not exist yet: shorten its folder and keep the name.
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return path;
    n = GetShortPathNameA(path.substr(0, slash + 1).c_str(), buffer, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return path;
    return AddBackslash(std::string(buffer, n)) + path.substr(slash + 1);
}

// A staging copy that no other file (a session install's copy, say) occupies.
bool Stage(const std::string& source, std::string& staged)
{
    std::string temp = GetTempDir();
    staged = temp + FileNamePart(source);
    if (SamePath(staged, source))
        return true;
    if (CopyFileA(source.c_str(), staged.c_str(), FALSE))
        return true;
    char unique[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(temp.c_str(), "qlf", 0, unique))
        return false;
    staged = unique;
    if (CopyFileA(source.c_str(), staged.c_str(), FALSE))
        return true;
    DeleteFileA(staged.c_str());
    return false;
}

}  // namespace

bool WriteWininitRename(const std::string& target, const std::string& staged, const std::string& iniFile)
{
    return WritePrivateProfileStringA("Rename", ShortPath(target).c_str(), ShortPath(staged).c_str(),
                                      iniFile.c_str()) != 0;
}

bool ReplaceAtReboot(const std::string& source, const std::string& target, const OsInfo& os)
{
    std::string staged;
    if (!Stage(source, staged))
        return false;
    if (os.family9x)
        return WriteWininitRename(target, staged, GetWinDir() + "WININIT.INI");
    return MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace qlInstall
