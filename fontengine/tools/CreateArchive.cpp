#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/QlError.h"
#include "core/files/modFileFunctions.h"
#include "core/modMain.h"
#include "core/zip/cZip.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/qlMain.h"
#include "fontengine/tools/ArchiveCheck.h"
#include "fontengine/tools/ToolsCommon.h"
#include "fontengine/tools/qlTools.h"

#undef DeleteFile

namespace {

constexpr const char* kSource = "qlTools: CreateArchive";
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kPathFileAccess = 75;
constexpr int kMaxArchivesPerMinute = 9999;

struct Packed {
    std::shared_ptr<qlProcess> entry;
    std::string file;
};

bool IsRemovedForArchive(const qlProcess& p)
{
    try {
        return p.Process() == qlProcess::RemoveForArchive && p.Success();
    } catch (const QlError&) {
        return false;  // an entry without a code is not one of ours
    }
}

// Archive_mmddhhnn.qlp, or Archive_mmddhhnn_2.qlp and up when that name is taken (a
// second run within the minute, another instance of the program, or the same minute of
// another year). The name is reserved by creating it empty, so that no other run can
// take it too; the zip engine replaces exactly such an empty file.
std::string ReserveArchivePath(std::string folder, const SYSTEMTIME& t)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02u%02u%02u%02u", unsigned(t.wMonth % 100), unsigned(t.wDay % 100),
                  unsigned(t.wHour % 100), unsigned(t.wMinute % 100));
    std::string base = folder + "Archive_" + stamp;
    for (int n = 1; n <= kMaxArchivesPerMinute; ++n) {
        std::string path = n == 1 ? base + ".qlp" : base + "_" + std::to_string(n) + ".qlp";
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return path;
        }
        DWORD error = GetLastError();
        bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                     (error == ERROR_ACCESS_DENIED && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (!taken)
            throw QlError(kPathFileAccess, "qlTools", "Cannot create an archive in " + folder + " (error " +
                                                          std::to_string(error) + "); its fonts stay queued");
    }
    throw QlError(kPathFileAccess, "qlTools", "No free archive name in " + folder + "; its fonts stay queued");
}

// The reserved name is this run's alone: whatever is under it now, this run wrote.
void Discard(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace

bool qlTools::CreateArchive()
{
    try {
        qlMain& root = qlToolsCommon::RootOf(parent_);
        std::shared_ptr<qlProcesses> queue = root.Processes();

        std::vector<Packed> packed;   // one entry per archive member
        std::vector<Packed> sharing;  // entries whose file is already a member
        bool any = false;
        for (const std::shared_ptr<qlProcess>& p : *queue) {
            if (!p || !IsRemovedForArchive(*p))
                continue;
            any = true;
            std::string file = p->Filename();
            if (!modFileFunctions::FileExists(file)) {
                modMain::LogError(kSource, kFileNotFound, "File not found: " + file + " (" + p->FaceName() + ")");
                continue;
            }
            bool same = false, clash = false;
            for (const Packed& k : packed) {
                same = same || qlInstall::SamePath(k.file, file);
                clash = clash || lstrcmpiA(modFileFunctions::GetFileName(k.file).c_str(),
                                           modFileFunctions::GetFileName(file).c_str()) == 0;
            }
            if (same)
                sharing.push_back({p, file});
            else if (!clash)  // members have bare names: another file of that name waits for the next archive
                packed.push_back({p, file});
        }
        if (!any || packed.empty())
            return false;

        std::string path = ReserveArchivePath(root.FolderArchive(), qlToolsPlaces::Now());
        cZip zip;
        zip.SetEncrypt(false);
        zip.SetAddComment(false);
        zip.SetZipFile(path);
        zip.SetStoreFolderNames(false);
        zip.SetRecurseSubDirs(false);
        zip.ClearFileSpecs();
        std::vector<std::string> files;
        for (const Packed& k : packed) {
            zip.AddFileSpec(k.file);
            files.push_back(k.file);
        }
        zip.Zip();
        if (!zip.Success()) {
            Discard(path);
            modMain::LogError(kSource, kPathFileAccess,
                              "The archive " + path + " could not be written; its fonts stay queued");
            return false;
        }
        // Nothing is deleted on the strength of an archive that does not read back.
        std::string why;
        if (!qlArchiveCheck::Holds(path, files, why)) {
            Discard(path);
            modMain::LogError(kSource, kPathFileAccess, why + "; its fonts stay queued");
            return false;
        }

        // A file another program holds open stays, and so does its entry: the next run
        // archives it again rather than forget it.
        packed.insert(packed.end(), sharing.begin(), sharing.end());
        bool allGone = true;
        for (const Packed& k : packed) {
            bool deleted = DeleteFileA(k.file.c_str()) != 0;
            DWORD error = GetLastError();
            if (!deleted && modFileFunctions::FileExists(k.file)) {
                modMain::LogError(kSource, static_cast<int32_t>(error),
                                  "Cannot delete " + k.file + " after archiving it in " + path + "; " +
                                      k.entry->FaceName() + " stays queued");
                allGone = false;
                continue;
            }
            try {
                queue->Remove(k.entry->FaceName());
            } catch (const QlError&) {
            }
        }
        return allGone;
    } catch (const QlError& e) {
        modMain::LogError(kSource, e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError(kSource, 5, e.what());
    }
    return false;
}
