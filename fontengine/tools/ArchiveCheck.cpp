#include "fontengine/tools/ArchiveCheck.h"

#include <windows.h>

#include <zlib.h>

#include <vector>

#include "core/files/modFileFunctions.h"
#include "core/zip/cUnzip.h"
#include "platform/zip/ZipFiles.h"

namespace qlArchiveCheck {

namespace {

// Streamed: a font of any size is checked in bounded memory.
bool FileCrc(const std::string& path, uint32_t& crc, uint64_t& size)
{
    qlzip::InFile file;
    if (!file.Open(qlzip::FromAnsi(path)))
        return false;
    std::vector<char> buffer(1 << 18);
    uLong c = crc32(0L, Z_NULL, 0);
    size = 0;
    for (size_t got = buffer.size(); got == buffer.size();) {
        if (!file.Read(buffer.data(), buffer.size(), got))
            return false;
        c = crc32(c, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(got));
        size += got;
    }
    crc = static_cast<uint32_t>(c);
    return true;
}

}  // namespace

bool Holds(const std::string& zipPath, const std::vector<std::string>& files, std::string& why)
{
    cUnzip unzip;
    unzip.SetZipFile(zipPath);
    if (unzip.Directory() != 0) {
        why = "The archive " + zipPath + " cannot be listed";
        return false;
    }
    if (unzip.FileCount() != static_cast<int32_t>(files.size())) {
        why = "The archive " + zipPath + " holds " + std::to_string(unzip.FileCount()) + " entries, not " +
              std::to_string(files.size());
        return false;
    }
    for (const std::string& file : files) {
        std::string name = modFileFunctions::GetFileName(file);
        uint32_t crc = 0;
        uint64_t size = 0;
        if (!FileCrc(file, crc, size)) {
            why = "Cannot read " + file + " to check the archive";
            return false;
        }
        bool found = false;
        for (int32_t i = 1; i <= unzip.FileCount() && !found; ++i)
            found = unzip.FileDirectory(i).empty() && lstrcmpiA(unzip.Filename(i).c_str(), name.c_str()) == 0 &&
                    unzip.FileCRC(i) == crc && static_cast<uint32_t>(unzip.FileSize(i)) == size;
        if (!found) {
            why = "The archive " + zipPath + " has no entry matching " + file;
            return false;
        }
    }
    for (int32_t i = 1; i <= unzip.FileCount(); ++i)
        unzip.SetFileSelected(i, true);
    unzip.SetTestZip(true);
    if (!unzip.Unzip()) {
        why = "The archive " + zipPath + " does not read back to its CRCs";
        return false;
    }
    return true;
}

}  // namespace qlArchiveCheck
