#pragma once
// The engine's thin file layer: the only place that talks to the file system.
// Paths here are UTF-8, so that entry names the ANSI code page cannot hold still make
// files; the engine converts its callers' ANSI paths with FromAnsi.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qlzip {

struct CivilTime;

class InFile {
public:
    InFile() = default;
    ~InFile();
    InFile(const InFile&) = delete;
    InFile& operator=(const InFile&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    uint64_t Size() const { return size_; }
    // Reads exactly n bytes at an offset; false when the file is shorter or unreadable.
    bool ReadAt(uint64_t offset, void* buffer, size_t n);
    // Reads up to n bytes from the current position; got is what was read.
    bool Read(void* buffer, size_t n, size_t& got);
    bool Seek(uint64_t offset);

private:
    void* handle_ = nullptr;
    uint64_t size_ = 0;
};

// A buffered output file.
class OutFile {
public:
    OutFile() = default;
    ~OutFile();
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;

    // Creates the file, replacing an existing one.
    bool Create(const std::string& path);
    // Creates a file that must not exist yet.
    bool CreateNew(const std::string& path);
    // Creates a new temporary file in the folder of path; tempPath receives its name.
    bool CreateBeside(const std::string& path, std::string& tempPath);
    // The last-write time (local) the file gets when it is closed.
    void SetModifiedTime(const CivilTime& localTime);
    bool Write(const void* data, size_t n);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    uint64_t Position() const { return position_; }
    // Overwrites bytes already written (a header whose sizes are known only afterwards).
    bool PatchAt(uint64_t offset, const void* data, size_t n);
    // Drops everything from offset on; writing goes on from there.
    bool Truncate(uint64_t offset);
    // Flushes and closes; false when anything failed to reach the file. With sync the
    // data is on the disk, not only in the system's cache, when it returns true.
    bool Close(bool sync = false);
    // Closes without caring about the outcome (the file is about to be removed).
    void Abandon();

private:
    bool Flush();
    bool SeekTo(uint64_t offset);
    bool Open(const std::string& path, unsigned long disposition);
    void* handle_ = nullptr;
    bool haveTime_ = false;
    unsigned long long time_ = 0;
    std::string buffer_;
    uint64_t position_ = 0;
    bool failed_ = false;
};

enum class PathKind { Missing, File, Folder };
PathKind KindOf(const std::string& path);

// Last-write time of a file, in local time.
bool GetModifiedTime(const std::string& path, CivilTime& out);

// Puts a finished file in place. Without replace it fails when the target exists
// (checked and done in one step, so a file another process made meanwhile survives).
bool MoveIntoPlace(const std::string& from, const std::string& to, bool replace = true);
bool RemoveFile(const std::string& path);
bool MakeFolder(const std::string& path);
// Makes a folder and every missing folder above it.
bool MakeFolders(const std::string& path);

// Removes the temporary files ("~qz<process>-<n>.tmp") that a process which no longer
// runs left in a folder: partial archives of a run that was killed.
void RemoveAbandonedTemporaries(const std::string& folder);
// Whether the temporary name belongs to a process that is gone.
bool IsAbandonedTemporary(const std::string& fileName);

// The absolute form of a path ("" when it cannot be resolved).
std::string FullPath(const std::string& path);

// Between the callers' ANSI text and the engine's UTF-8 (a character the code page
// lacks becomes "?").
std::string Utf8ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);

}  // namespace qlzip
