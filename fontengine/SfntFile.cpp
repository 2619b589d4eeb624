#include "fontengine/SfntFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace fontengine {

namespace {

using Buffer = std::vector<std::uint8_t>;

// The reachable part of a naming table: 65535 records and strings at 16-bit offsets.
constexpr std::uint32_t kNameBytes = 1u << 20;
constexpr std::uint32_t kHeadBytes = 16;  // up to the magic number
constexpr std::uint32_t kOS2Bytes = 64;   // up to fsSelection

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : h_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ReadOnlyFile()
    {
        if (IsOpen())
            CloseHandle(h_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return h_ != INVALID_HANDLE_VALUE; }

    // The bytes at the offset, fewer at the end of the file, none past it. The start of
    // the file is read once: the header, the directory and often the small tables lie there.
    Buffer ReadAt(std::uint64_t offset, std::uint32_t length)
    {
        if (!startRead_) {
            start_ = ReadFromFile(0, kStartBytes);
            startRead_ = true;
        }
        if (offset + length <= start_.size() || (start_.size() < kStartBytes && offset + length > start_.size())) {
            // Within the start, or past the end of a file shorter than the start.
            const std::size_t from = static_cast<std::size_t>(std::min<std::uint64_t>(offset, start_.size()));
            const std::size_t to = static_cast<std::size_t>(std::min<std::uint64_t>(offset + length, start_.size()));
            return Buffer(start_.begin() + static_cast<std::ptrdiff_t>(from), start_.begin() + static_cast<std::ptrdiff_t>(to));
        }
        return ReadFromFile(offset, length);
    }

private:
    static constexpr std::uint32_t kStartBytes = 64 * 1024;

    Buffer ReadFromFile(std::uint64_t offset, std::uint32_t length) const
    {
        Buffer b(length);
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        if (length == 0 || !ReadFile(h_, b.data(), length, &got, &at))
            got = 0;
        b.resize(got);
        return b;
    }

    HANDLE h_;
    Buffer start_;
    bool startRead_ = false;
};

void PutU16BE(Buffer& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

void PutU32BE(Buffer& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// How many bytes of a directory entry's table the reader can use; 0 for tables it
// passes over (their tags stay, a signature table is noticed by its tag alone).
std::uint32_t Wanted(const Buffer& entry, std::uint32_t length, bool firstHead, bool lastName)
{
    using fontparsers::TagIs;
    if (TagIs(entry, 0, "head"))
        return firstHead ? std::min(length, kHeadBytes) : 0;
    if (TagIs(entry, 0, "name"))
        return lastName ? std::min(length, kNameBytes) : 0;
    if (TagIs(entry, 0, "OS/2"))
        return std::min(length, kOS2Bytes);
    return 0;
}

}  // namespace

fontparsers::SfntInfo ReadSfntFile(const std::string& path, std::uint32_t fontIndex)
{
    using namespace fontparsers;
    ReadOnlyFile file(path);
    if (!file.IsOpen())
        return {};

    // A collection member is read as the single font it describes; the collection's own
    // fields are kept from its header.
    bool isCollection = false;
    std::uint32_t collectionCount = 0;
    std::uint64_t base = 0;
    if (TagIs(file.ReadAt(0, 4), 0, "ttcf")) {
        isCollection = true;
        const Buffer header = file.ReadAt(8, 4);
        SfntInfo info;
        info.isCollection = true;
        if (!ReadU32BE(header, 0, info.collectionCount) || fontIndex >= info.collectionCount)
            return info;
        collectionCount = info.collectionCount;
        std::uint32_t memberOffset = 0;
        if (!ReadU32BE(file.ReadAt(12 + std::uint64_t(fontIndex) * 4, 4), 0, memberOffset))
            return info;
        base = memberOffset;
    }

    // A copy of the font holding its directory and the wanted tables, packed after it.
    Buffer packed = file.ReadAt(base, 12);
    std::uint16_t numTables = 0;
    if (packed.size() == 12 && ReadU16BE(packed, 4, numTables)) {
        const Buffer dir = file.ReadAt(base + 12, std::uint32_t(numTables) * 16);
        const std::size_t count = dir.size() / 16;  // a cut entry ends the directory
        PutU16BE(packed, 4, static_cast<std::uint16_t>(count));
        packed.insert(packed.end(), dir.begin(), dir.begin() + static_cast<std::ptrdiff_t>(count * 16));
        std::size_t firstHead = count, lastName = count;
        for (std::size_t i = 0; i < count; ++i) {
            Buffer tag(dir.begin() + static_cast<std::ptrdiff_t>(i * 16), dir.begin() + static_cast<std::ptrdiff_t>(i * 16 + 4));
            if (TagIs(tag, 0, "head") && firstHead == count)
                firstHead = i;
            if (TagIs(tag, 0, "name"))
                lastName = i;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = 12 + i * 16;
            std::uint32_t offset = 0, length = 0;
            ReadU32BE(packed, entry + 8, offset);
            ReadU32BE(packed, entry + 12, length);
            Buffer tag(packed.begin() + static_cast<std::ptrdiff_t>(entry), packed.begin() + static_cast<std::ptrdiff_t>(entry + 4));
            // Table offsets count from the start of the file, also in a collection.
            const Buffer table = file.ReadAt(offset, Wanted(tag, length, i == firstHead, i == lastName));
            PutU32BE(packed, entry + 8, static_cast<std::uint32_t>(packed.size()));
            PutU32BE(packed, entry + 12, static_cast<std::uint32_t>(table.size()));
            packed.insert(packed.end(), table.begin(), table.end());
        }
    }
    SfntInfo info = ReadSfnt(packed, 0);
    info.isCollection = isCollection;
    info.collectionCount = collectionCount;
    return info;
}

}  // namespace fontengine
