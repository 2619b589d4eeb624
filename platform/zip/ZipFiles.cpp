// The file layer over the Windows API (ZipFilesPosix.cpp is the native twin).
#ifdef _WIN32
#include "platform/zip/ZipFiles.h"

#include "platform/zip/ZipFormat.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace qlzip {

namespace {

constexpr size_t kOutBuffer = 1 << 20;

HANDLE H(void* h) { return static_cast<HANDLE>(h); }

std::wstring Wide(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

std::string Narrow(const wchar_t* w, int length, UINT codePage)
{
    int n = WideCharToMultiByte(codePage, 0, w, length, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, w, length, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

InFile::~InFile() { Close(); }

bool InFile::Open(const std::string& path)
{
    Close();
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    size_ = uint64_t(size.QuadPart);
    return true;
}

void InFile::Close()
{
    if (handle_)
        CloseHandle(H(handle_));
    handle_ = nullptr;
    size_ = 0;
}

bool InFile::Seek(uint64_t offset)
{
    if (!handle_)
        return false;
    LARGE_INTEGER pos;
    pos.QuadPart = LONGLONG(offset);
    return SetFilePointerEx(H(handle_), pos, nullptr, FILE_BEGIN) != 0;
}

bool InFile::Read(void* buffer, size_t n, size_t& got)
{
    got = 0;
    if (!handle_)
        return false;
    auto* p = static_cast<char*>(buffer);
    while (got < n) {
        DWORD chunk = DWORD(std::min<size_t>(n - got, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(H(handle_), p + got, chunk, &read, nullptr))
            return false;
        if (read == 0)
            break;
        got += read;
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
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    handle_ = h;
    position_ = 0;
    failed_ = false;
    haveTime_ = false;
    buffer_.clear();
    buffer_.reserve(kOutBuffer);
    return true;
}

bool OutFile::Create(const std::string& path) { return Open(path, CREATE_ALWAYS); }

bool OutFile::CreateNew(const std::string& path) { return Open(path, CREATE_NEW); }

bool OutFile::CreateBeside(const std::string& path, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    size_t cut = path.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    for (int tries = 0; tries < 1000; ++tries) {
        tempPath = folder + "~qz" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tmp";
        if (Open(tempPath, CREATE_NEW))
            return true;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

void OutFile::SetModifiedTime(const CivilTime& t)
{
    SYSTEMTIME st{};
    st.wYear = WORD(t.year);
    st.wMonth = WORD(t.month);
    st.wDay = WORD(t.day);
    st.wHour = WORD(t.hour);
    st.wMinute = WORD(t.minute);
    st.wSecond = WORD(t.second);
    FILETIME local, utc;
    haveTime_ = SystemTimeToFileTime(&st, &local) && LocalFileTimeToFileTime(&local, &utc);
    if (haveTime_)
        time_ = (unsigned long long)utc.dwHighDateTime << 32 | utc.dwLowDateTime;
}

bool OutFile::Flush()
{
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        DWORD written = 0;
        DWORD chunk = DWORD(std::min<size_t>(buffer_.size() - done, 1u << 30));
        if (!WriteFile(H(handle_), buffer_.data() + done, chunk, &written, nullptr) || written == 0)
            failed_ = true;
        done += written;
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

bool OutFile::SeekTo(uint64_t offset)
{
    LARGE_INTEGER pos;
    pos.QuadPart = LONGLONG(offset);
    return SetFilePointerEx(H(handle_), pos, nullptr, FILE_BEGIN) != 0;
}

bool OutFile::PatchAt(uint64_t offset, const void* data, size_t n)
{
    if (!handle_ || failed_ || offset + n > position_ || !Flush())
        return false;
    DWORD written = 0;
    if (!SeekTo(offset) || !WriteFile(H(handle_), data, DWORD(n), &written, nullptr) || written != n ||
        !SeekTo(position_))
        failed_ = true;
    return !failed_;
}

bool OutFile::Truncate(uint64_t offset)
{
    if (!handle_ || failed_ || offset > position_ || !Flush())
        return false;
    if (!SeekTo(offset) || !SetEndOfFile(H(handle_)))
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
        ok = FlushFileBuffers(H(handle_)) != 0;
    if (ok && haveTime_) {
        FILETIME ft{DWORD(time_), DWORD(time_ >> 32)};
        ::SetFileTime(H(handle_), nullptr, nullptr, &ft);
    }
    ok = CloseHandle(H(handle_)) && ok;
    handle_ = nullptr;
    return ok;
}

void OutFile::Abandon()
{
    if (handle_)
        CloseHandle(H(handle_));
    handle_ = nullptr;
    buffer_.clear();
}

PathKind KindOf(const std::string& path)
{
    DWORD attr = GetFileAttributesW(Wide(path).c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attr & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool GetModifiedTime(const std::string& path, CivilTime& out)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st))
        return false;
    out = CivilTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    return true;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, bool replace)
{
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), flags) != 0;
}

bool RemoveFile(const std::string& path)
{
    std::wstring w = Wide(path);
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(w.c_str()) != 0;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0 || KindOf(path) == PathKind::Folder;
}

bool MakeFolders(const std::string& path)
{
    if (path.empty() || KindOf(path) == PathKind::Folder)
        return !path.empty();
    size_t cut = path.find_last_of("\\/");
    // Stop at a drive ("C:") or the root of a UNC path: those are never made.
    if (cut != std::string::npos && cut > 0 && !(cut == 2 && path[1] == ':')) {
        std::string parent = path.substr(0, cut);
        if (parent.find_first_not_of("\\/") != std::string::npos && !MakeFolders(parent))
            return false;
    }
    return MakeFolder(path);
}

bool ProcessRuns(uint32_t processId)
{
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!h)
        return GetLastError() != ERROR_INVALID_PARAMETER;   // denied: it exists
    DWORD code = 0;
    bool runs = !GetExitCodeProcess(h, &code) || code == STILL_ACTIVE;
    CloseHandle(h);
    return runs;
}

void RemoveAbandonedTemporaries(const std::string& folder)
{
    std::string base = folder.empty() ? std::string(".\\") : folder;
    if (base.back() != '\\' && base.back() != '/')
        base += '\\';
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Wide(base + "~qz*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> gone;
    do {
        std::string name = Narrow(fd.cFileName, int(wcslen(fd.cFileName)), CP_UTF8);
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsAbandonedTemporary(name))
            gone.push_back(base + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    for (const std::string& path : gone)
        RemoveFile(path);
}

std::string FullPath(const std::string& path)
{
    std::wstring w = Wide(path);
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return std::string();
    std::wstring buffer(n, L'\0');
    n = GetFullPathNameW(w.c_str(), DWORD(buffer.size()), buffer.data(), nullptr);
    if (n == 0 || n >= buffer.size())
        return std::string();
    return Narrow(buffer.data(), int(n), CP_UTF8);
}

std::string Utf8ToAnsi(const std::string& utf8)
{
    std::wstring w = Wide(utf8);
    return Narrow(w.data(), int(w.size()), CP_ACP);
}

std::string FromAnsi(const std::string& ansi)
{
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring w(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), w.data(), n);
    return Narrow(w.data(), int(w.size()), CP_UTF8);
}

}  // namespace qlzip

#endif  // _WIN32
