// The file layer over POSIX, for native builds of the engine (the benchmark and
// tools); the program itself uses ZipFiles.cpp. Paths may use "\" as the separator,
// as the engine does: it is turned into "/" here, and FullPath gives "\" back.
#ifndef _WIN32
#include "platform/zip/ZipFiles.h"

#include "platform/zip/ZipFormat.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace qlzip {

namespace {

constexpr size_t kOutBuffer = 1 << 20;

std::string Native(std::string p)
{
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

int Fd(void* h) { return int(reinterpret_cast<intptr_t>(h)) - 1; }
void* Handle(int fd) { return reinterpret_cast<void*>(intptr_t(fd) + 1); }

}  // namespace

InFile::~InFile() { Close(); }

bool InFile::Open(const std::string& path)
{
    Close();
    int fd = ::open(Native(path).c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = Handle(fd);
    size_ = uint64_t(st.st_size);
    return true;
}

void InFile::Close()
{
    if (handle_)
        ::close(Fd(handle_));
    handle_ = nullptr;
    size_ = 0;
}

bool InFile::Seek(uint64_t offset) { return handle_ && lseek(Fd(handle_), off_t(offset), SEEK_SET) >= 0; }

bool InFile::Read(void* buffer, size_t n, size_t& got)
{
    got = 0;
    if (!handle_)
        return false;
    while (got < n) {
        ssize_t r = ::read(Fd(handle_), static_cast<char*>(buffer) + got, n - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        if (r == 0)
            break;
        got += size_t(r);
    }
    return true;
}

bool InFile::ReadAt(uint64_t offset, void* buffer, size_t n)
{
    if (offset > size_ || n > size_ - offset)
        return false;
    size_t got = 0;
    return Seek(offset) && Read(buffer, n, got) && got == n;
}

OutFile::~OutFile() { Abandon(); }

bool OutFile::Open(const std::string& path, unsigned long disposition)
{
    Abandon();
    int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | (disposition ? O_EXCL : O_TRUNC), 0644);
    if (fd < 0)
        return false;
    handle_ = Handle(fd);
    position_ = 0;
    failed_ = false;
    haveTime_ = false;
    buffer_.clear();
    buffer_.reserve(kOutBuffer);
    return true;
}

bool OutFile::Create(const std::string& path) { return Open(path, 0); }

bool OutFile::CreateNew(const std::string& path) { return Open(path, 1); }

bool OutFile::CreateBeside(const std::string& path, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    size_t cut = path.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    for (int tries = 0; tries < 1000; ++tries) {
        tempPath = folder + "~qz" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
        if (Open(tempPath, 1))
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void OutFile::SetModifiedTime(const CivilTime& t)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    time_t when = mktime(&tm);
    haveTime_ = when != time_t(-1);
    time_ = (unsigned long long)when;
}

bool OutFile::Flush()
{
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        ssize_t w = ::write(Fd(handle_), buffer_.data() + done, buffer_.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            failed_ = true;
        else
            done += size_t(w);
    }
    buffer_.clear();
    return !failed_;
}

bool OutFile::Write(const void* data, size_t n)
{
    if (!handle_ || failed_)
        return false;
    position_ += n;
    if (buffer_.size() + n > kOutBuffer && !Flush())
        return false;
    if (n >= kOutBuffer) {
        buffer_.assign(static_cast<const char*>(data), n);
        return Flush();
    }
    buffer_.append(static_cast<const char*>(data), n);
    return true;
}

bool OutFile::SeekTo(uint64_t offset) { return lseek(Fd(handle_), off_t(offset), SEEK_SET) >= 0; }

bool OutFile::PatchAt(uint64_t offset, const void* data, size_t n)
{
    if (!handle_ || failed_ || offset + n > position_ || !Flush())
        return false;
    if (pwrite(Fd(handle_), data, n, off_t(offset)) != ssize_t(n))
        failed_ = true;
    return !failed_;
}

bool OutFile::Truncate(uint64_t offset)
{
    if (!handle_ || failed_ || offset > position_ || !Flush())
        return false;
    if (ftruncate(Fd(handle_), off_t(offset)) != 0 || !SeekTo(offset))
        failed_ = true;
    position_ = offset;
    return !failed_;
}

bool OutFile::Close(bool sync)
{
    if (!handle_)
        return false;
    bool ok = Flush();
    if (ok && sync)
        ok = fsync(Fd(handle_)) == 0;
    if (ok && haveTime_) {
        struct timespec times[2] = {{time_t(time_), 0}, {time_t(time_), 0}};
        futimens(Fd(handle_), times);
    }
    ok = ::close(Fd(handle_)) == 0 && ok;
    handle_ = nullptr;
    return ok;
}

void OutFile::Abandon()
{
    if (handle_)
        ::close(Fd(handle_));
    handle_ = nullptr;
    buffer_.clear();
}

PathKind KindOf(const std::string& path)
{
    struct stat st;
    if (stat(Native(path).c_str(), &st) != 0)
        return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

bool GetModifiedTime(const std::string& path, CivilTime& out)
{
    struct stat st;
    std::tm tm{};
    if (stat(Native(path).c_str(), &st) != 0 || !localtime_r(&st.st_mtime, &tm))
        return false;
    out = CivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return true;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, bool replace)
{
    if (replace)
        return std::rename(Native(from).c_str(), Native(to).c_str()) == 0;
    // A hard link fails on an existing name, atomically; the temporary name then goes.
    if (::link(Native(from).c_str(), Native(to).c_str()) != 0)
        return false;
    ::unlink(Native(from).c_str());
    return true;
}

bool RemoveFile(const std::string& path) { return unlink(Native(path).c_str()) == 0; }

bool MakeFolder(const std::string& path)
{
    return mkdir(Native(path).c_str(), 0755) == 0 || KindOf(path) == PathKind::Folder;
}

bool MakeFolders(const std::string& path)
{
    std::string p = Native(path);
    if (p.empty())
        return false;
    for (size_t cut = p.find('/', 1); cut != std::string::npos; cut = p.find('/', cut + 1))
        mkdir(p.substr(0, cut).c_str(), 0755);
    return MakeFolder(p);
}

bool ProcessRuns(uint32_t processId) { return kill(pid_t(processId), 0) == 0 || errno == EPERM; }

void RemoveAbandonedTemporaries(const std::string& folder)
{
    std::string base = Native(folder.empty() ? std::string(".") : folder);
    DIR* d = opendir(base.c_str());
    if (!d)
        return;
    std::vector<std::string> gone;
    while (dirent* e = readdir(d))
        if (IsAbandonedTemporary(e->d_name))
            gone.push_back(base + "/" + e->d_name);
    closedir(d);
    for (const std::string& path : gone)
        unlink(path.c_str());
}

std::string FullPath(const std::string& path)
{
    std::string p = Native(path);
    if (p.empty() || p[0] != '/') {
        std::vector<char> cwd(4096);
        if (!getcwd(cwd.data(), cwd.size()))
            return std::string();
        p = std::string(cwd.data()) + "/" + p;
    }
    // Lexical clean-up, as GetFullPathName does: "." and ".." resolved, doubled separators dropped.
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos)
            end = p.size();
        std::string part = p.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts)
        out += "\\" + part;
    if (p.size() > 1 && p.back() == '/')
        out += "\\";
    return out.empty() ? std::string("\\") : out;
}

std::string Utf8ToAnsi(const std::string& utf8) { return utf8; }
std::string FromAnsi(const std::string& ansi) { return ansi; }

}  // namespace qlzip

#endif  // !_WIN32
