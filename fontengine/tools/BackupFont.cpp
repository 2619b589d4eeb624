#include <windows.h>

#include "platform/QlError.h"
#include "core/files/modFileFunctions.h"
#include "core/modMain.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/install/SameContent.h"
#include "fontengine/qlMain.h"
#include "fontengine/tools/ToolsCommon.h"
#include "fontengine/tools/qlTools.h"

#undef CopyFile
#undef DeleteFile

namespace {

constexpr int32_t kFileNotFound = 53;
constexpr int32_t kFileAlreadyExists = 58;
constexpr int32_t kPathFileAccess = 75;
constexpr int32_t kMaxCopies = 9999;

// "name (n).ext"
std::string NumberedName(const std::string& fileName, int n)
{
    std::string ext = modFileFunctions::GetFileExtension(fileName);
    std::string stem = fileName.substr(0, fileName.size() - ext.size());
    return stem + " (" + std::to_string(n) + ")" + ext;
}

// The original is deleted next: its copy must be on the disk, not only in a cache.
bool FlushToDisk(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return ok;
}

}  // namespace

bool qlTools::BackupFont(const std::string& faceName, std::string* backupPath)
{
    try {
        qlMain& root = qlToolsCommon::RootOf(parent_);
        auto font = qlToolsCommon::FontOf(root, faceName);
        std::string file = qlToolsCommon::FileOf(*font, qlToolsPlaces::For(&root));
        std::string folder = root.FolderBackup();
        if (folder.empty() || folder.back() != '\\')
            folder += '\\';
        if (!modFileFunctions::FileExists(file))
            throw QlError(kFileNotFound, "qlTools", "File not found: " + file);

        // A file of the same name already there is the backup only when it holds the
        // same bytes; a different font keeps its place and this one gets a new name.
        std::string name = modFileFunctions::GetFileName(file);
        std::string target = folder + name;
        for (int n = 2;; ++n) {
            if (!modFileFunctions::FileExists(target)) {
                if (!CopyFileA(file.c_str(), target.c_str(), TRUE)) {
                    DWORD error = GetLastError();
                    // A copy cut short (a full disk) must not pass for the backup later.
                    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                        DeleteFileA(target.c_str());
                    throw QlError(static_cast<int32_t>(error), "qlTools", "Cannot copy " + file + " to " + target);
                }
                if (!qlInstall::SameContent(file, target)) {
                    DeleteFileA(target.c_str());
                    throw QlError(kPathFileAccess, "qlTools", "The copy " + target + " does not match " + file);
                }
                if (!FlushToDisk(target)) {
                    DeleteFileA(target.c_str());
                    throw QlError(kPathFileAccess, "qlTools", "The copy " + target + " did not reach the disk");
                }
                break;
            }
            if (qlInstall::SamePath(target, file) || qlInstall::SameContent(target, file))
                break;
            if (n > kMaxCopies)
                throw QlError(kFileAlreadyExists, "qlTools", "No free backup name for " + file + " in " + folder);
            target = folder + NumberedName(name, n);
        }
        if (backupPath)
            *backupPath = target;
        return true;
    } catch (const QlError& e) {
        modMain::LogError("qlTools: BackupFont", e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError("qlTools: BackupFont", 5, e.what());
    }
    return false;
}
