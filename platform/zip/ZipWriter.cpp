#include "platform/zip/ZipWriter.h"

#include "platform/zip/ZipCrypto.h"
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipFormat.h"
#include "platform/zip/ZipNameCoding.h"
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
// Made by "Windows NTFS", version 2.0: DOS attributes as with MS-DOS, but Info-ZIP does
// not take the name for code page 437 and convert it, UTF-8 flag or not.
constexpr uint16_t kMadeBy = (11 << 8) | kVersion;
constexpr uint32_t kArchiveAttribute = 0x20;
// Files up to this size are read and compressed ahead, in memory; larger ones are
// streamed in chunks, so memory stays bounded whatever the sources hold.
constexpr uint64_t kAheadLimit = 8u << 20;
constexpr size_t kChunk = 1 << 18;
constexpr unsigned kMaxThreads = 4;

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

uint32_t Crc(uint32_t crc, const char* data, size_t n)
{
    return uint32_t(crc32(crc, reinterpret_cast<const Bytef*>(data), uInt(n)));
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
    bool stream = false;  // too large to hold: the writer streams it
    std::string body;     // the stored or deflated bytes
    uint64_t size = 0;
    uint32_t crc = 0;
    uint16_t method = 0;
    DosStamp stamp;
};

// Reading, CRC and compression of one small source: no callbacks and no shared state,
// so several files can be prepared at once while the calling thread writes.
Prepared Prepare(const std::string& path, int level)
{
    Prepared p;
    try {
        InFile in;
        if (!in.Open(path)) {
            p.code = ZipReadError;
            return p;
        }
        CivilTime when;
        if (GetModifiedTime(path, when))
            p.stamp = ToDos(when);
        if (in.Size() > kAheadLimit) {
            p.stream = true;
            return p;
        }
        // One byte more than the size: a file that grew meanwhile is seen and streamed.
        std::string data(size_t(in.Size()) + 1, '\0');
        size_t got = 0;
        if (!in.Read(data.data(), data.size(), got)) {
            p.code = ZipReadError;
            return p;
        }
        if (got > kAheadLimit) {
            p.stream = true;
            return p;
        }
        data.resize(got);
        p.size = got;
        p.crc = Crc(0, data.data(), data.size());
        std::string packed;
        if (!data.empty() && Deflate(data, level, packed) && packed.size() < data.size()) {
            p.method = 8;
            p.body = std::move(packed);
        } else {
            p.body = std::move(data);
        }
    } catch (const std::bad_alloc&) {
        p = Prepared{};
        p.code = ZipNoMemory;
    }
    return p;
}

struct Failure {
    int32_t code;
    std::string text;
};

// What the values of one member's headers are.
struct EntryHead {
    uint16_t flags = 0;
    uint16_t method = 0;
    DosStamp stamp;
    uint32_t crc = 0;
    uint64_t stored = 0;   // with the encryption header
    uint64_t size = 0;
};

// The fields that local header and central record share, from "version needed" on.
std::string CommonFields(const EntryHead& h, const std::string& name)
{
    std::string r;
    Put16(r, kVersion);
    Put16(r, h.flags);
    Put16(r, h.method);
    Put16(r, h.stamp.time);
    Put16(r, h.stamp.date);
    Put32(r, h.crc);
    Put32(r, uint32_t(h.stored));
    Put32(r, uint32_t(h.size));
    Put16(r, uint16_t(name.size()));
    Put16(r, 0);
    return r;
}

std::string LocalHeader(const EntryHead& h, const std::string& name)
{
    std::string r;
    Put32(r, kLocalSig);
    return r + CommonFields(h, name) + name;
}

// What was at the archive's path when the run started.
enum class Found { Nothing, EmptyFile, Archive };

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
    void AddPrepared(const Source& source, Prepared& prepared);
    void AddStreamed(const Source& source, const DosStamp& stamp);
    // Streams the file from its start as one member's data (after the local header).
    void StreamBody(InFile& in, const Source& s, bool deflate, uint32_t checkCrc, EntryHead& head);
    void AddCentral(const EntryHead& head, const Source& source, uint32_t offset, uint64_t packed);
    uint16_t FlagsFor(const Source& s) const
    {
        return uint16_t((password_.empty() ? 0 : kFlagEncrypted) | (IsAscii(s.name) ? 0 : kFlagUtf8));
    }
    void Finish();
    void Put(const char* data, size_t n)
    {
        if (!out_.Write(data, n))
            Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
    }
    void Put(const std::string& bytes) { Put(bytes.data(), bytes.size()); }
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
    Found found_ = Found::Nothing;
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
    ZipWriteOptions named = options_;
    named.basePath = FromAnsi(options_.basePath);
    for (const std::string& fileSpec : specs) {
        if (fileSpec.empty())
            continue;
        Source s;
        s.path = Resolve(FromAnsi(fileSpec), named.basePath);
        s.name = EntryNameFor(s.path, named);
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
    found_ = Found::EmptyFile;
    if (existing_.Size() == 0)
        return;
    found_ = Found::Archive;
    if (int32_t rc = ReadCentralDirectory(existing_, oldDir_))
        Fail(rc, "The existing archive cannot be updated: " + ZipResultText(rc));
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
    if (found_ != Found::Archive) {
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
        if (int32_t rc = LocateData(existing_, e, dataStart))
            Fail(rc, "The existing archive is damaged at " + e.name);
        uint64_t end = dataStart + e.compressedSize;
        if (e.flags & kFlagDescriptor) {
            unsigned char sig[4];
            size_t len = existing_.ReadAt(end, sig, 4) && Get32(sig) == kDescriptorSig ? 16 : 12;
            if (end + len <= e.spanEnd)
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

void Writer::AddSources()
{
    // Small files are compressed ahead on worker threads; callbacks and all writing stay
    // on the calling thread, in order. With one thread everything runs on the caller's.
    unsigned threads = options_.threads ? options_.threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, kMaxThreads);
    auto policy = threads > 1 ? std::launch::async : std::launch::deferred;
    std::deque<std::future<Prepared>> pending;
    size_t next = 0;
    for (const Source& s : sources_) {
        while (next < sources_.size() && pending.size() < threads) {
            pending.push_back(std::async(policy, Prepare, sources_[next].path, options_.level));
            ++next;
        }
        if (events_.Service(Utf8ToAnsi(s.name)))
            Fail(ZipCancelled, "Cancelled at " + s.name);
        Prepared p = pending.front().get();
        pending.pop_front();
        if (p.code == ZipNoMemory)
            Fail(ZipNoMemory, "Out of memory reading " + s.path);
        if (p.code != ZipOk)
            Fail(ZipReadError, "Cannot read " + s.path);
        if (p.stream)
            AddStreamed(s, p.stamp);
        else
            AddPrepared(s, p);
    }
}

void Writer::AddPrepared(const Source& s, Prepared& p)
{
    EntryHead h;
    h.flags = FlagsFor(s);
    h.method = p.method;
    h.stamp = p.stamp;
    h.crc = p.crc;
    h.size = p.size;
    h.stored = p.body.size() + (password_.empty() ? 0 : kCryptHeaderSize);
    uint32_t offset = Offset();
    Put(LocalHeader(h, s.name));
    if (!password_.empty()) {
        ZipCrypto crypto(password_);
        Put(crypto.MakeHeader((unsigned char)(p.crc >> 24)));
        crypto.Encrypt(reinterpret_cast<unsigned char*>(p.body.data()), p.body.size());
    }
    Put(p.body);
    AddCentral(h, s, offset, p.body.size());
}

void Writer::StreamBody(InFile& in, const Source& s, bool deflating, uint32_t checkCrc, EntryHead& h)
{
    if (!in.Seek(0))
        Fail(ZipReadError, "Cannot read " + s.path);
    std::unique_ptr<ZipCrypto> crypto;
    if (!password_.empty()) {
        crypto = std::make_unique<ZipCrypto>(password_);
        Put(crypto->MakeHeader((unsigned char)(checkCrc >> 24)));
    }
    z_stream z{};
    if (deflating && deflateInit2(&z, options_.level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        Fail(ZipNoMemory, "Out of memory compressing " + s.path);
    std::unique_ptr<z_stream, int (*)(z_stream*)> guard(deflating ? &z : nullptr, deflateEnd);
    std::string inBuf(kChunk, '\0'), outBuf(kChunk, '\0');
    auto emit = [&](char* data, size_t n) {
        if (crypto)
            crypto->Encrypt(reinterpret_cast<unsigned char*>(data), n);
        Put(data, n);
    };
    h.size = 0;
    h.crc = 0;
    for (;;) {
        size_t got = 0;
        if (!in.Read(inBuf.data(), kChunk, got))
            Fail(ZipReadError, "Cannot read " + s.path);
        h.size += got;
        if (h.size >= 0xFFFFFFFFu)
            Fail(ZipUnsupported, "File too large for a zip without ZIP64: " + s.path);
        h.crc = Crc(h.crc, inBuf.data(), got);
        bool last = got < kChunk;
        if (!deflating) {
            emit(inBuf.data(), got);
        } else {
            z.next_in = reinterpret_cast<Bytef*>(inBuf.data());
            z.avail_in = uInt(got);
            do {
                z.next_out = reinterpret_cast<Bytef*>(outBuf.data());
                z.avail_out = uInt(kChunk);
                if (deflate(&z, last ? Z_FINISH : Z_NO_FLUSH) == Z_STREAM_ERROR)
                    Fail(ZipNoMemory, "Compression failed for " + s.path);
                emit(outBuf.data(), kChunk - z.avail_out);
            } while (z.avail_out == 0);
        }
        if (last)
            break;
    }
}

void Writer::AddStreamed(const Source& s, const DosStamp& stamp)
{
    InFile in;
    if (!in.Open(s.path))
        Fail(ZipReadError, "Cannot read " + s.path);
    if (in.Size() >= 0xFFFFFFFFu)
        Fail(ZipUnsupported, "File too large for a zip without ZIP64: " + s.path);
    // The encryption header's check byte comes from the CRC: a first pass finds it.
    uint32_t checkCrc = 0;
    if (!password_.empty()) {
        std::string buf(kChunk, '\0');
        for (size_t got = kChunk; got == kChunk;) {
            if (!in.Read(buf.data(), kChunk, got))
                Fail(ZipReadError, "Cannot read " + s.path);
            checkCrc = Crc(checkCrc, buf.data(), got);
        }
    }
    EntryHead h;
    h.flags = FlagsFor(s);
    h.method = 8;
    h.stamp = stamp;
    uint32_t offset = Offset();
    Put(LocalHeader(h, s.name));   // sizes and CRC follow once the data is written
    uint64_t dataStart = out_.Position();
    StreamBody(in, s, true, checkCrc, h);
    if (out_.Position() - dataStart >= h.size + (password_.empty() ? 0 : kCryptHeaderSize)) {
        // Deflate did not pay: the data goes again, stored.
        if (!out_.Truncate(dataStart))
            Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
        h.method = 0;
        StreamBody(in, s, false, checkCrc, h);
    }
    if (!password_.empty() && h.crc != checkCrc)
        Fail(ZipReadError, "The file changed while it was stored: " + s.path);
    h.stored = out_.Position() - dataStart;
    Offset();
    std::string local = LocalHeader(h, s.name);
    if (!out_.PatchAt(offset, local.data(), local.size()))
        Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
    AddCentral(h, s, offset, h.stored - (password_.empty() ? 0 : kCryptHeaderSize));
}

void Writer::AddCentral(const EntryHead& h, const Source& s, uint32_t offset, uint64_t packed)
{
    if (h.size >= 0xFFFFFFFFu || h.stored >= 0xFFFFFFFFu)
        Fail(ZipUnsupported, "File too large for a zip without ZIP64: " + s.path);
    Offset();
    std::string& r = central_;
    Put32(r, kCentralSig);
    Put16(r, kMadeBy);
    r += CommonFields(h, s.name);
    Put16(r, 0);          // comment length
    Put16(r, 0);          // disk
    Put16(r, 0);          // internal attributes
    Put32(r, kArchiveAttribute);
    Put32(r, offset);
    r += s.name;
    ++count_;

    std::string how = h.method == 8 ? "deflated" : "stored";
    int saved = h.size == 0 ? 0 : int(100 - (packed * 100 + h.size / 2) / h.size);
    events_.Progress("  adding: " + Utf8ToAnsi(s.name) + " (" + how + " " + std::to_string(saved < 0 ? 0 : saved) +
                     "%)");
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
    // On the disk before it takes the archive's name: callers delete the originals next.
    if (!out_.Close(true))
        Fail(ZipWriteError, "Cannot write the temporary archive " + tempPath_);
    existing_.Close();
    // A new archive never replaces what another process put under its name meanwhile.
    bool replace = found_ != Found::Nothing;
    if (!MoveIntoPlace(tempPath_, zipPath_, replace))
        Fail(ZipWriteError, (replace ? "Cannot replace " : "Another file took the name ") + zipPath_);
}

int32_t Writer::Run(const std::vector<std::string>& specs, std::string& errorText)
{
    try {
        CollectSources(specs);
        size_t cut = zipPath_.find_last_of("\\/");
        RemoveAbandonedTemporaries(cut == std::string::npos ? std::string() : zipPath_.substr(0, cut));
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
        Writer w(FromAnsi(zipPath), options, events);
        rc = w.Run(specs, text);
    }
    if (errorText)
        *errorText = Utf8ToAnsi(text);
    return rc;
}

}  // namespace qlzip
