#include "platform/zip/ZipWriter.h"

#include "platform/zip/ZipCrypto.h"
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipFormat.h"
#include "platform/zip/ZipResult.h"

#include <zlib.h>

#include <cctype>
#include <algorithm>
#include <deque>
#include <future>
#include <memory>
#include <thread>

namespace qlzip {

namespace {

constexpr uint16_t kVersion = 20;
constexpr uint32_t kArchiveAttribute = 0x20;

bool IsAbsolute(const std::string& p)
{
    return (p.size() >= 2 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

std::string Resolve(const std::string& fileSpec, const std::string& basePath)
{
    std::string base = basePath;
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    while (!base.empty() && base.front() == ' ')
        base.erase(0, 1);
    if (base.empty() || IsAbsolute(fileSpec))
        return fileSpec;
    if (base.back() != '\\' && base.back() != '/')
        base += '\\';
    return base + fileSpec;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower((unsigned char)c));
    return s;
}

// Raw deflate into out; false when zlib fails.
bool Deflate(const std::string& in, int level, std::string& out)
{
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    out.resize(deflateBound(&z, uLong(in.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return rc == Z_STREAM_END;
}

struct Prepared {
    int32_t code = ZipOk;
    std::string data;     // the file, kept only when it is stored
    std::string packed;   // the deflated file
    uint64_t size = 0;
    uint32_t crc = 0;
    uint16_t method = 0;
    DosStamp stamp;
};

Prepared Prepare(const std::string& path, int level);

struct Failure {
    int32_t code;
    std::string text;
};

class Writer {
public:
    Writer(const std::string& zipPath, const ZipWriteOptions& options, ZipWriteEvents& events)
        : zipPath_(zipPath), options_(options), events_(events) {}

    int32_t Run(const std::vector<std::string>& specs, std::string& errorText);

private:
    struct Source {
        std::string path;
        std::string name;
    };

    void Fail(int32_t code, const std::string& text) { throw Failure{code, text}; }
    void CollectSources(const std::vector<std::string>& specs);
    void ReadExisting();
    void AskPasswordAndComment();
    void CopyKept();
    void AddSources();
    void AddSource(const Source& source, const Prepared& prepared);
    void Finish();
    void Put(const std::string& bytes)
    {
        if (!out_.Write(bytes))
            Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
    }
    uint32_t Offset()
    {
        if (out_.Position() > 0xFFFFFFFFu)
            Fail(ZipUnsupported, "The archive would exceed 4 GB");
        return uint32_t(out_.Position());
    }

    std::string zipPath_;
    const ZipWriteOptions& options_;
    ZipWriteEvents& events_;
    std::vector<Source> sources_;
    InFile existing_;
    CentralDirectory oldDir_;
    bool haveExisting_ = false;
    std::string password_;
    std::string comment_;
    bool haveComment_ = false;
    std::string tempPath_;
    OutFile out_;
    std::string central_;
    size_t count_ = 0;
};

void Writer::CollectSources(const std::vector<std::string>& specs)
{
    for (const std::string& fileSpec : specs) {
        if (fileSpec.empty())
            continue;
        Source s;
        s.path = Resolve(fileSpec, options_.basePath);
        s.name = EntryNameFor(s.path, options_);
        if (!options_.deleteEntries && KindOf(s.path) != PathKind::File)
            Fail(ZipMissingFile, "Not a file: " + s.path);
        if (s.name.empty())
            Fail(ZipMissingFile, "No file name in " + s.path);
        for (const Source& other : sources_)
            if (SameEntryName(other.name, s.name, false))
                Fail(ZipDuplicateName, "Two files would be stored as " + s.name);
        sources_.push_back(std::move(s));
    }
    if (sources_.empty())
        Fail(ZipNothingToDo, "No files were given");
}

void Writer::ReadExisting()
{
    PathKind kind = KindOf(zipPath_);
    if (kind == PathKind::Folder)
        Fail(ZipWriteError, "The archive path is a folder: " + zipPath_);
    if (kind == PathKind::Missing)
        return;
    if (!existing_.Open(zipPath_))
        Fail(ZipReadError, "Cannot read the existing archive " + zipPath_);
    if (existing_.Size() == 0)
        return;
    if (int32_t rc = ReadCentralDirectory(existing_, oldDir_))
        Fail(rc, "The existing archive cannot be updated: " + ZipResultText(rc));
    haveExisting_ = true;
    comment_ = oldDir_.comment;
    haveComment_ = !comment_.empty();
}

void Writer::AskPasswordAndComment()
{
    if (options_.deleteEntries)
        return;
    if (options_.encrypt) {
        std::string first;
        if (!events_.Password(first, false) || first.empty())
            Fail(ZipCancelled, "No password was given");
        std::string again;
        if (!events_.Password(again, true) || again.empty())
            Fail(ZipCancelled, "No password was given");
        if (again != first)
            Fail(ZipWrongPassword, "The passwords do not match");
        password_ = first;
    }
    if (options_.addComment) {
        std::string comment;
        if (!events_.Comment(comment))
            Fail(ZipCancelled, "No comment was given");
        if (comment.size() > 0xFFFF)
            comment.resize(0xFFFF);
        comment_ = comment;
        haveComment_ = true;
    }
}

void Writer::CopyKept()
{
    if (!haveExisting_) {
        if (options_.deleteEntries)
            Fail(ZipNothingMatched, "There is no archive to delete from");
        return;
    }
    bool matched = false;
    std::string buffer;
    for (const CentralEntry& e : oldDir_.entries) {
        bool replaced = false;
        for (const Source& s : sources_)
            if (SameEntryName(e.name, s.name, false))
                replaced = true;
        if (replaced) {
            matched = true;
            if (options_.deleteEntries)
                events_.Progress("deleting: " + e.name);
            continue;
        }
        uint64_t dataStart = 0;
        if (int32_t rc = LocateData(existing_, e, oldDir_.offset, dataStart))
            Fail(rc, "The existing archive is damaged at " + e.name);
        uint64_t end = dataStart + e.compressedSize;
        if (e.flags & kFlagDescriptor) {
            unsigned char sig[4];
            size_t len = existing_.ReadAt(end, sig, 4) && Get32(sig) == kDescriptorSig ? 16 : 12;
            if (end + len <= oldDir_.offset)
                end += len;
        }
        uint32_t newOffset = Offset();
        for (uint64_t pos = e.localOffset; pos < end;) {
            size_t n = size_t(std::min<uint64_t>(end - pos, 1 << 20));
            buffer.resize(n);
            if (!existing_.ReadAt(pos, buffer.data(), n))
                Fail(ZipReadError, "Cannot read the existing archive " + zipPath_);
            Put(buffer);
            pos += n;
        }
        std::string record = e.record;
        for (int i = 0; i < 4; ++i)
            record[42 + i] = char((newOffset >> (8 * i)) & 0xFF);
        central_ += record;
        ++count_;
    }
    if (options_.deleteEntries && !matched)
        Fail(ZipNothingMatched, "None of the names is in the archive");
}

// Reading, CRC and compression of one source: no callbacks and no shared state, so
// several files can be prepared at once while the calling thread writes.
Prepared Prepare(const std::string& path, int level)
{
    Prepared p;
    try {
        if (!ReadWholeFile(path, p.data)) {
            p.code = ZipReadError;
            return p;
        }
        CivilTime when;
        if (GetModifiedTime(path, when))
            p.stamp = ToDos(when);
        p.size = p.data.size();
        p.crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(p.data.data()), uInt(p.data.size())));
        if (!p.data.empty() && Deflate(p.data, level, p.packed) && p.packed.size() < p.data.size()) {
            p.method = 8;
            p.data.clear();
            p.data.shrink_to_fit();
        } else {
            p.packed.clear();
        }
    } catch (const std::bad_alloc&) {
        p = Prepared{};
        p.code = ZipNoMemory;
    }
    return p;
}

void Writer::AddSources()
{
    // Compression runs ahead on a few worker threads; callbacks and all writing stay
    // on the calling thread, in order.
    unsigned ahead = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::deque<std::future<Prepared>> pending;
    size_t next = 0;
    for (const Source& s : sources_) {
        while (next < sources_.size() && pending.size() < ahead) {
            pending.push_back(std::async(std::launch::async, Prepare, sources_[next].path, options_.level));
            ++next;
        }
        if (events_.Service(s.name))
            Fail(ZipCancelled, "Cancelled at " + s.name);
        Prepared p = pending.front().get();
        pending.pop_front();
        if (p.code == ZipNoMemory)
            Fail(ZipNoMemory, "Out of memory reading " + s.path);
        if (p.code != ZipOk)
            Fail(ZipReadError, "Cannot read " + s.path);
        AddSource(s, p);
    }
}

void Writer::AddSource(const Source& s, const Prepared& p)
{
    const std::string& data = p.data;
    uint16_t method = p.method;
    uint32_t crc = p.crc;
    DosStamp stamp = p.stamp;
    uint64_t size = p.size;
    const std::string& body = method == 8 ? p.packed : data;
    uint16_t flags = password_.empty() ? 0 : kFlagEncrypted;
    uint64_t stored = body.size() + (flags ? kCryptHeaderSize : 0);
    if (size >= 0xFFFFFFFFu || stored >= 0xFFFFFFFFu)
        Fail(ZipUnsupported, "File too large for a zip without ZIP64: " + s.path);

    std::string head;
    auto common = [&](std::string& r) {
        Put16(r, kVersion);
        Put16(r, flags);
        Put16(r, method);
        Put16(r, stamp.time);
        Put16(r, stamp.date);
        Put32(r, crc);
        Put32(r, uint32_t(stored));
        Put32(r, uint32_t(size));
        Put16(r, uint16_t(s.name.size()));
        Put16(r, 0);
    };
    uint32_t offset = Offset();
    Put32(head, kLocalSig);
    common(head);
    head += s.name;
    Put(head);
    if (flags) {
        ZipCrypto crypto(password_);
        Put(crypto.MakeHeader((unsigned char)(crc >> 24)));
        std::string secret = body;
        crypto.Encrypt(reinterpret_cast<unsigned char*>(secret.data()), secret.size());
        Put(secret);
    } else {
        Put(body);
    }
    Offset();

    std::string& r = central_;
    Put32(r, kCentralSig);
    Put16(r, kVersion);   // made by: MS-DOS attributes, version 2.0
    common(r);
    Put16(r, 0);          // comment length
    Put16(r, 0);          // disk
    Put16(r, 0);          // internal attributes
    Put32(r, kArchiveAttribute);
    Put32(r, offset);
    r += s.name;
    ++count_;

    std::string how = method == 8 ? "deflated" : "stored";
    int saved = size == 0 ? 0 : int(100 - (uint64_t(body.size()) * 100 + size / 2) / size);
    events_.Progress("  adding: " + s.name + " (" + how + " " + std::to_string(saved < 0 ? 0 : saved) + "%)");
}

void Writer::Finish()
{
    if (count_ > 0xFFFF)
        Fail(ZipUnsupported, "Too many entries for a zip without ZIP64");
    uint32_t cdOffset = Offset();
    Put(central_);
    uint32_t cdSize = uint32_t(central_.size());
    Offset();
    std::string end;
    Put32(end, kEndSig);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, uint16_t(count_));
    Put16(end, uint16_t(count_));
    Put32(end, cdSize);
    Put32(end, cdOffset);
    std::string comment = haveComment_ ? comment_ : std::string();
    Put16(end, uint16_t(comment.size()));
    end += comment;
    Put(end);
    if (!out_.Close())
        Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
    existing_.Close();
    if (!MoveIntoPlace(tempPath_, zipPath_))
        Fail(ZipWriteError, "Cannot replace " + zipPath_);
}

int32_t Writer::Run(const std::vector<std::string>& specs, std::string& errorText)
{
    try {
        CollectSources(specs);
        ReadExisting();
        AskPasswordAndComment();
        if (!out_.CreateBeside(zipPath_, tempPath_)) {
            tempPath_.clear();
            Fail(ZipWriteError, "Cannot create a temporary file beside " + zipPath_);
        }
        CopyKept();
        if (!options_.deleteEntries)
            AddSources();
        Finish();
        return ZipOk;
    } catch (const Failure& f) {
        errorText = f.text;
        out_.Abandon();
        if (!tempPath_.empty())
            RemoveFile(tempPath_);
        return f.code;
    } catch (const std::bad_alloc&) {
        errorText = "Out of memory";
        out_.Abandon();
        if (!tempPath_.empty())
            RemoveFile(tempPath_);
        return ZipNoMemory;
    }
}

}  // namespace

std::string EntryNameFor(const std::string& sourcePath, const ZipWriteOptions& options)
{
    if (!options.storeFolderNames) {
        size_t cut = sourcePath.find_last_of("\\/:");
        return cut == std::string::npos ? sourcePath : sourcePath.substr(cut + 1);
    }
    std::string path = sourcePath;
    std::string base = options.basePath;
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    if (!base.empty() && Lower(path).rfind(Lower(base), 0) == 0)
        path.erase(0, base.size());
    else if (path.size() >= 2 && path[1] == ':')
        path.erase(0, 2);
    while (!path.empty() && (path[0] == '\\' || path[0] == '/'))
        path.erase(0, 1);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

int32_t WriteArchive(const std::string& zipPath, const std::vector<std::string>& specs,
                     const ZipWriteOptions& options, ZipWriteEvents& events, std::string* errorText)
{
    std::string text;
    int32_t rc;
    {
        Writer w(zipPath, options, events);
        rc = w.Run(specs, text);
    }
    if (errorText)
        *errorText = text;
    return rc;
}

}  // namespace qlzip
