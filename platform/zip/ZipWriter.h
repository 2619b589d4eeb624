#pragma once
// Writes a zip archive: new files deflated (or stored when that is smaller), optionally
// encrypted; an existing archive is updated, its other members copied unchanged.
#include <cstdint>
#include <string>
#include <vector>

namespace qlzip {

struct ZipWriteOptions {
    bool encrypt = false;
    bool addComment = false;
    // Off: entries get the bare file name. On: the path below basePath (or the path
    // without its drive), with "/" separators.
    bool storeFolderNames = false;
    // Remove the entries named by the specifications instead of adding files.
    bool deleteEntries = false;
    // Relative specifications are taken from here.
    std::string basePath;
    int level = 6;
    // Threads compressing small files ahead of the writer (0: as many cores as there
    // are, at most 4). Large files are always streamed on the calling thread.
    unsigned threads = 0;
};

// What the engine asks its caller, synchronously, on the calling thread.
class ZipWriteEvents {
public:
    virtual ~ZipWriteEvents() = default;
    // The password for encryption; asked once and then again with confirm set, to
    // verify it. False cancels.
    virtual bool Password(std::string& password, bool confirm) { return false; }
    // The archive comment; false cancels.
    virtual bool Comment(std::string& comment) { return false; }
    virtual void Progress(const std::string& message) {}
    // Called before each file; true stops the operation.
    virtual bool Service(const std::string& name) { return false; }
};

// Stores every specified file or fails as a whole: the archive is built in a temporary
// file beside zipPath, flushed to the disk and put in place only when complete, so on
// any failure an existing archive is left as it was. A new archive never replaces a
// file that appeared at zipPath meanwhile (an empty file there counts as a reserved
// name and is replaced). Files are read and written in bounded buffers, whatever their
// size. Names outside ASCII are stored as UTF-8 (flag bit 11). The partial archives
// that killed runs left beside zipPath go first. Returns 0 on success.
// errorText, when given, receives a description of the failure.
int32_t WriteArchive(const std::string& zipPath, const std::vector<std::string>& specs,
                     const ZipWriteOptions& options, ZipWriteEvents& events, std::string* errorText = nullptr);

// The entry name a source path gets.
std::string EntryNameFor(const std::string& sourcePath, const ZipWriteOptions& options);

}  // namespace qlzip
