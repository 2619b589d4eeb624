#pragma once
// Lists and extracts zip archives. Entry names from an archive are never trusted:
// every output name is reduced to a safe name inside the target folder, or refused.
#include "platform/zip/ZipFormat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qlzip {

struct ZipEntryInfo {
    std::string name;          // "/" separators, in the ANSI code page
    std::string nameUtf8;      // the same name in full
    uint32_t size = 0;
    uint32_t packedSize = 0;   // compressed data, without an encryption header
    int32_t ratio = 0;         // round(100 * packedSize / size)
    uint32_t crc = 0;
    uint16_t method = 0;
    std::string methodName;
    uint16_t dosDate = 0, dosTime = 0;
    CivilTime time;
    uint16_t flags = 0;
    bool encrypted = false;
    bool directory = false;
};

int32_t ListArchive(const std::string& zipPath, std::vector<ZipEntryInfo>& out, std::string* errorText = nullptr);

// Answers to an overwrite question.
enum OverwriteAnswer : int32_t {
    OverwriteSkip = 100,
    OverwriteReplace = 102,
    OverwriteReplaceAll = 103,
    OverwriteReplaceNone = 104,
};

struct UnzipOptions {
    std::string folder;              // target folder ("" is the current folder)
    bool useFolderNames = false;     // off: every file lands in folder itself
    bool overwriteExisting = false;  // replace existing files without asking
    bool promptToOverwrite = false;  // otherwise ask; with neither, existing files stay
    bool caseSensitive = false;      // matching of the include names
    bool testOnly = false;           // check every entry, write nothing
};

class UnzipEvents {
public:
    virtual ~UnzipEvents() = default;
    // An existing file would be replaced: one of the OverwriteAnswer values.
    virtual int32_t Replace(const std::string& path) { return OverwriteSkip; }
    // The password of an encrypted entry; false cancels the run. Asked again after a
    // wrong answer (also one that passed the check byte but gave a wrong CRC), a bounded
    // number of times per run.
    virtual bool Password(std::string& password) { return false; }
    virtual void Progress(const std::string& message) {}
    // Called before each entry; true stops the run.
    virtual bool Service(const std::string& name) { return false; }
};

constexpr int kMaxWrongPasswords = 3;

// Extracts the entries named in include (every entry when it is empty; names in the
// ANSI code page, or UTF-8 as nameUtf8 lists them). Each file is
// written to a temporary name, checked against its size and CRC, and only then put in
// place, so a damaged entry never replaces an existing file. A failing entry does not
// stop the others; the result is the first failure, 0 when everything succeeded.
int32_t ExtractArchive(const std::string& zipPath, const std::vector<std::string>& include,
                       const UnzipOptions& options, UnzipEvents& events, std::string* errorText = nullptr);

// The relative output path for an entry name ("\" separators), or "" when the name
// cannot be written safely.
std::string SafeOutputName(const std::string& entryName, bool useFolderNames);

}  // namespace qlzip
