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
// second run within the minute, or the same minute of another year).
std::string NewArchivePath(std::string folder, const SYSTEMTIME& t)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02u%02u%02u%02u", unsigned(t.wMonth % 100), unsigned(t.wDay % 100),
                  unsigned(t.wHour % 100), unsigned(t.wMinute % 100));
    std::string base = folder + "Archive_" + stamp;
    std::string path = base + ".qlp";
    for (int n = 2; GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++n) {
        if (n > kMaxArchivesPerMinute)
            throw QlError(kPathFileAccess, "qlTools", "No free archive name in " + folder);
        path = base + "_" + std::to_string(n) + ".qlp";
    }
    return path;
}

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

        std::string path = NewArchivePath(root.FolderArchive(), qlToolsPlaces::Now());
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
            modMain::LogError(kSource, kPathFileAccess,
                              "The archive " + path + " could not be written; its fonts stay queued");
            return false;
        }
        // Nothing is deleted on the strength of an archive that does not read back.
        std::string why;
        if (!qlArchiveCheck::Holds(path, files, why)) {
            DeleteFileA(path.c_str());
            modMain::LogError(kSource, kPathFileAccess, why + "; its fonts stay queued");
            return false;
        }

        packed.insert(packed.end(), sharing.begin(), sharing.end());
        for (const Packed& k : packed) {
            DeleteFileA(k.file.c_str());
            try {
                queue->Remove(k.entry->FaceName());
            } catch (const QlError&) {
            }
        }
        return true;
    } catch (const QlError& e) {
        modMain::LogError(kSource, e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError(kSource, 5, e.what());
    }
    return false;
}
