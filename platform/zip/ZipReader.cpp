#include "platform/zip/ZipReader.h"

#include "platform/zip/ZipCrypto.h"
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipResult.h"

#include <zlib.h>

#include <cctype>
#include <memory>
#include <set>

namespace qlzip {

namespace {

constexpr size_t kInChunk = 1 << 16;
constexpr size_t kOutChunk = 1 << 18;

std::string MethodName(uint16_t method)
{
    switch (method) {
    case 0: return "Stored";
    case 8: return "Deflated";
    default: return "Method " + std::to_string(method);
    }
}

ZipEntryInfo Describe(const CentralEntry& e)
{
    ZipEntryInfo info;
    info.name = Utf8ToAnsi(e.name);
    info.nameUtf8 = e.name;
    info.size = e.size;
    info.packedSize = e.PackedSize();
    info.ratio = e.size ? int32_t((uint64_t(info.packedSize) * 100 + e.size / 2) / e.size) : 0;
    info.crc = e.crc;
    info.method = e.method;
    info.methodName = MethodName(e.method);
    info.dosDate = e.dosDate;
    info.dosTime = e.dosTime;
    info.time = FromDos(e.dosDate, e.dosTime);
    info.flags = e.flags;
    info.encrypted = e.Encrypted();
    info.directory = e.IsDirectory();
    return info;
}

bool StartsWithFolder(const std::string& path, const std::string& folder)
{
    if (path.size() <= folder.size())
        return false;
    for (size_t i = 0; i < folder.size(); ++i)
        if (std::tolower((unsigned char)path[i]) != std::tolower((unsigned char)folder[i]))
            return false;
    return folder.back() == '\\' || path[folder.size()] == '\\';
}

class Extractor {
public:
    Extractor(const UnzipOptions& options, UnzipEvents& events) : options_(options), events_(events) {}

    int32_t Run(const std::string& zipPath, const std::vector<std::string>& include, std::string& errorText);

private:
    void Note(int32_t code, const std::string& text)
    {
        if (result_ == ZipOk) {
            result_ = code;
            errorText_ = text;
        }
    }
    // Outcomes of ExtractOne besides the result codes.
    static constexpr int32_t kLeftAlone = -1;        // an existing file the owner keeps
    static constexpr int32_t kFolderInTheWay = -2;
    int32_t ExtractOne(const CentralEntry& e, const std::string& target);
    int32_t WriteOne(const CentralEntry& e, uint64_t dataStart, const std::string& target, bool& replacing);
    void NoteWrongPassword(const std::string& answer);
    int32_t Unlock(const CentralEntry& e, const unsigned char* header, std::unique_ptr<ZipCrypto>& crypto);
    int32_t Decode(const CentralEntry& e, uint64_t dataStart, OutFile* out);
    bool Wanted(const CentralEntry& e, std::vector<bool>& used) const;
    // Whether an existing target may be replaced.
    bool MayReplace(const std::string& target);
    void MakeFolderOnce(const std::string& folder)
    {
        if (made_.insert(folder).second)
            MakeFolder(folder);
    }

    const UnzipOptions& options_;
    UnzipEvents& events_;
    const std::vector<std::string>* include_ = nullptr;
    std::vector<std::string> includeUtf8_;
    InFile file_;
    CentralDirectory dir_;
    std::string password_;
    std::vector<std::string> wrongAnswers_;
    bool stopAsking_ = false;
    bool cancelled_ = false;
    bool replaceAll_ = false;
    bool replaceNone_ = false;
    int32_t result_ = ZipOk;
    std::string errorText_;
    std::set<std::string> made_;
};

bool Extractor::Wanted(const CentralEntry& e, std::vector<bool>& used) const
{
    if (include_->empty())
        return true;
    bool hit = false;
    std::string ansi = Utf8ToAnsi(e.name);
    for (size_t i = 0; i < include_->size(); ++i)
        if (SameEntryName(includeUtf8_[i], e.name, options_.caseSensitive) ||
            SameEntryName((*include_)[i], e.name, options_.caseSensitive) ||
            SameEntryName((*include_)[i], ansi, options_.caseSensitive)) {
            used[i] = true;
            hit = true;
        }
    return hit;
}

bool Extractor::MayReplace(const std::string& target)
{
    if (options_.overwriteExisting)
        return true;
    if (!options_.promptToOverwrite || replaceNone_)
        return false;
    if (replaceAll_)
        return true;
    switch (events_.Replace(Utf8ToAnsi(target))) {
    case OverwriteReplace: return true;
    case OverwriteReplaceAll: replaceAll_ = true; return true;
    case OverwriteReplaceNone: replaceNone_ = true; return false;
    default: return false;
    }
}

int32_t Extractor::Unlock(const CentralEntry& e, const unsigned char* header, std::unique_ptr<ZipCrypto>& crypto)
{
    // With a data descriptor the check byte comes from the time, as the CRC was not known yet.
    unsigned char check = (e.flags & kFlagDescriptor) ? (unsigned char)(e.dosTime >> 8) : (unsigned char)(e.crc >> 24);
    auto tryPassword = [&](const std::string& p) {
        auto c = std::make_unique<ZipCrypto>(p);
        if (!c->CheckHeader(header, check))
            return false;
        crypto = std::move(c);
        return true;
    };
    if (!password_.empty() && tryPassword(password_))
        return ZipOk;
    while (!stopAsking_ && !cancelled_) {
        std::string answer;
        if (!events_.Password(answer) || answer.empty()) {
            cancelled_ = true;
            return ZipCancelled;
        }
        if (tryPassword(answer)) {
            password_ = answer;
            return ZipOk;
        }
        NoteWrongPassword(answer);
    }
    return cancelled_ ? ZipCancelled : ZipWrongPassword;
}

void Extractor::NoteWrongPassword(const std::string& answer)
{
    // The same wrong answer again means the caller has nothing better: stop asking.
    for (const std::string& w : wrongAnswers_)
        if (w == answer)
            stopAsking_ = true;
    wrongAnswers_.push_back(answer);
    if (int(wrongAnswers_.size()) >= kMaxWrongPasswords)
        stopAsking_ = true;
}

int32_t Extractor::Decode(const CentralEntry& e, uint64_t dataStart, OutFile* out)
{
    uint64_t remaining = e.compressedSize;
    std::unique_ptr<ZipCrypto> crypto;
    // AES (method 99) and strong encryption: no password can open them here.
    if (e.method == 99 || (e.Encrypted() && (e.flags & kFlagStrongEncryption)))
        return ZipBadEncryption;
    if (e.Encrypted()) {
        unsigned char header[kCryptHeaderSize];
        if (remaining < kCryptHeaderSize || !file_.ReadAt(dataStart, header, kCryptHeaderSize))
            return ZipBadArchive;
        if (int32_t rc = Unlock(e, header, crypto))
            return rc;
        dataStart += kCryptHeaderSize;
        remaining -= kCryptHeaderSize;
    }
    if (e.method != 0 && e.method != 8)
        return ZipBadMethod;
    if (!file_.Seek(dataStart))
        return ZipReadError;

    z_stream z{};
    bool inflating = e.method == 8;
    if (inflating && inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return ZipNoMemory;
    std::unique_ptr<z_stream, int (*)(z_stream*)> guard(inflating ? &z : nullptr, inflateEnd);

    std::string in(kInChunk, '\0');
    std::string outBuf(kOutChunk, '\0');
    uint32_t crc = 0;
    uint64_t produced = 0;
    bool ended = !inflating;
    auto emit = [&](const char* data, size_t n) -> int32_t {
        // Never more than the declared size: a lying header cannot fill the disk.
        if (n > e.size - produced)
            return ZipCrcError;
        produced += n;
        crc = uint32_t(crc32(crc, reinterpret_cast<const Bytef*>(data), uInt(n)));
        return !out || out->Write(data, n) ? ZipOk : ZipWriteError;
    };
    while (remaining > 0) {
        size_t n = size_t(std::min<uint64_t>(remaining, kInChunk));
        size_t got = 0;
        if (!file_.Read(in.data(), n, got) || got != n)
            return ZipReadError;
        remaining -= n;
        if (crypto)
            crypto->Decrypt(reinterpret_cast<unsigned char*>(in.data()), n);
        if (!inflating) {
            if (int32_t rc = emit(in.data(), n))
                return rc;
            continue;
        }
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(n);
        while (z.avail_in > 0 && !ended) {
            z.next_out = reinterpret_cast<Bytef*>(outBuf.data());
            z.avail_out = uInt(outBuf.size());
            int rc = inflate(&z, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
                return ZipCrcError;
            size_t have = outBuf.size() - z.avail_out;
            if (int32_t bad = emit(outBuf.data(), have))
                return bad;
            if (rc == Z_STREAM_END)
                ended = true;
            else if (rc == Z_BUF_ERROR && have == 0)
                break;
        }
    }
    // Flush what inflate still holds once all input is in.
    while (inflating && !ended) {
        z.next_out = reinterpret_cast<Bytef*>(outBuf.data());
        z.avail_out = uInt(outBuf.size());
        int rc = inflate(&z, Z_FINISH);
        size_t have = outBuf.size() - z.avail_out;
        if (int32_t bad = emit(outBuf.data(), have))
            return bad;
        if (rc == Z_STREAM_END)
            ended = true;
        else if (rc != Z_OK && rc != Z_BUF_ERROR)
            return ZipCrcError;
        else if (have == 0)
            break;
    }
    if (!ended || produced != e.size || crc != e.crc)
        return ZipCrcError;
    return ZipOk;
}

int32_t Extractor::ExtractOne(const CentralEntry& e, const std::string& target)
{
    uint64_t dataStart = 0;
    if (int32_t rc = LocateData(file_, e, dataStart))
        return rc;
    bool replacing = false;
    for (;;) {
        int32_t rc = options_.testOnly ? Decode(e, dataStart, nullptr) : WriteOne(e, dataStart, target, replacing);
        // One wrong password in 256 passes the check byte; its CRC failure is what shows
        // it wrong, so it counts as a wrong answer and the owner is asked again.
        if (rc == ZipCrcError && e.Encrypted() && !password_.empty()) {
            NoteWrongPassword(password_);
            // Kept when asking stops: it may still open the other entries.
            if (stopAsking_ || cancelled_)
                return ZipWrongPassword;
            password_.clear();
            continue;
        }
        if (rc == ZipOk && options_.testOnly)
            events_.Progress("    testing: " + Utf8ToAnsi(e.name) + "   OK");
        else if (rc == ZipOk)
            events_.Progress((e.method == 8 ? "  inflating: " : " extracting: ") + Utf8ToAnsi(target));
        return rc;
    }
}

int32_t Extractor::WriteOne(const CentralEntry& e, uint64_t dataStart, const std::string& target, bool& replacing)
{
    // A file that is replaced is written beside it first and swapped in only once it
    // checked out; a new file is written in place and removed again on failure.
    // Creating the file tells whether it exists: one file-system lookup, not two.
    std::string temp = target;
    OutFile out;
    if (replacing) {
        if (!out.CreateBeside(target, temp))
            return ZipWriteError;
    } else if (!out.CreateNew(target)) {
        PathKind kind = KindOf(target);
        if (kind == PathKind::Folder)
            return kFolderInTheWay;
        if (kind == PathKind::Missing)
            return ZipWriteError;
        if (!MayReplace(target))
            return kLeftAlone;
        replacing = true;
        if (!out.CreateBeside(target, temp))
            return ZipWriteError;
    }
    int32_t rc = Decode(e, dataStart, &out);
    if (rc == ZipOk)
        out.SetModifiedTime(FromDos(e.dosDate, e.dosTime));
    bool closed = out.Close();
    if (rc == ZipOk && !closed)
        rc = ZipWriteError;
    if (rc == ZipOk && replacing && !MoveIntoPlace(temp, target))
        rc = ZipWriteError;
    if (rc != ZipOk)
        RemoveFile(temp);
    return rc;
}

int32_t Extractor::Run(const std::string& zipPath, const std::vector<std::string>& include, std::string& errorText)
{
    include_ = &include;
    for (const std::string& name : include)
        includeUtf8_.push_back(FromAnsi(name));
    if (!file_.Open(zipPath)) {
        errorText = "Cannot open " + zipPath;
        return KindOf(zipPath) == PathKind::Missing ? ZipNoArchive : ZipReadError;
    }
    if (int32_t rc = ReadCentralDirectory(file_, dir_)) {
        errorText = ZipResultText(rc) + ": " + zipPath;
        return rc;
    }
    std::string folder = options_.folder.empty() ? std::string(".") : FromAnsi(options_.folder);
    if (!options_.testOnly && !MakeFolders(folder)) {
        errorText = "Cannot create the folder " + folder;
        return ZipWriteError;
    }
    std::string root = FullPath(folder);
    if (root.empty()) {
        errorText = "Bad folder " + folder;
        return ZipWriteError;
    }
    if (root.back() != '\\')
        root += '\\';

    std::vector<bool> used(include.size(), false);
    for (const CentralEntry& e : dir_.entries) {
        if (cancelled_)
            break;
        if (!Wanted(e, used))
            continue;
        if (events_.Service(e.name)) {
            cancelled_ = true;
            break;
        }
        std::string rel = SafeOutputName(e.name, options_.useFolderNames);
        if (e.IsDirectory()) {
            if (options_.useFolderNames && !options_.testOnly && !rel.empty())
                MakeFolderOnce(root + rel);
            continue;
        }
        if (rel.empty()) {
            Note(ZipUnsafeName, "Refused to extract the entry \"" + e.name + "\"");
            continue;
        }
        std::string target = FullPath(root + rel);
        if (!StartsWithFolder(target, root)) {
            Note(ZipUnsafeName, "Refused to extract the entry \"" + e.name + "\"");
            continue;
        }
        if (options_.useFolderNames && !options_.testOnly) {
            for (size_t cut = root.size(); (cut = target.find('\\', cut)) != std::string::npos; ++cut)
                MakeFolderOnce(target.substr(0, cut));
        }
        int32_t rc = ExtractOne(e, target);
        if (rc == kFolderInTheWay)
            Note(ZipWriteError, "A folder is in the way: " + target);
        else if (rc != ZipOk && rc != kLeftAlone)
            Note(rc, ZipResultText(rc) + ": " + e.name);
    }
    if (cancelled_)
        Note(ZipCancelled, ZipResultText(ZipCancelled));
    for (size_t i = 0; i < include.size(); ++i)
        if (!used[i])
            Note(ZipNothingMatched, "Not in the archive: " + includeUtf8_[i]);
    errorText = errorText_;
    return result_;
}

}  // namespace

int32_t ListArchive(const std::string& zipPath, std::vector<ZipEntryInfo>& out, std::string* errorText)
{
    out.clear();
    std::string path = FromAnsi(zipPath);
    InFile file;
    CentralDirectory dir;
    int32_t rc = file.Open(path) ? ReadCentralDirectory(file, dir)
                                 : (KindOf(path) == PathKind::Missing ? ZipNoArchive : ZipReadError);
    if (rc != ZipOk) {
        if (errorText)
            *errorText = ZipResultText(rc) + ": " + zipPath;
        return rc;
    }
    for (const CentralEntry& e : dir.entries)
        out.push_back(Describe(e));
    return ZipOk;
}

int32_t ExtractArchive(const std::string& zipPath, const std::vector<std::string>& include,
                       const UnzipOptions& options, UnzipEvents& events, std::string* errorText)
{
    std::string text;
    int32_t rc;
    try {
        Extractor x(options, events);
        rc = x.Run(FromAnsi(zipPath), include, text);
    } catch (const std::bad_alloc&) {
        rc = ZipNoMemory;
        text = ZipResultText(rc);
    }
    if (errorText)
        *errorText = Utf8ToAnsi(text);
    return rc;
}

}  // namespace qlzip
