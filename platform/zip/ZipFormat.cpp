#include "platform/zip/ZipFormat.h"

#include "platform/zip/ZipNameCoding.h"
#include "platform/zip/ZipResult.h"

#include <algorithm>
#include <cctype>

namespace qlzip {

namespace {

// The end record sits in the last 22 bytes plus at most a 65535-byte comment.
int32_t FindEnd(InFile& file, uint64_t& endPos, std::string& tail)
{
    uint64_t size = file.Size();
    if (size < kEndSize)
        return ZipBadArchive;
    size_t span = size_t(std::min<uint64_t>(size, kEndSize + 0xFFFF));
    tail.resize(span);
    if (!file.ReadAt(size - span, tail.data(), span))
        return ZipReadError;
    auto* p = reinterpret_cast<const unsigned char*>(tail.data());
    for (size_t i = span - kEndSize + 1; i-- > 0;) {
        if (Get32(p + i) != kEndSig)
            continue;
        size_t commentLen = Get16(p + i + 20);
        if (i + kEndSize + commentLen > span)
            continue;   // a stray signature inside the comment, or a cut-off record
        endPos = size - span + i;
        tail.erase(0, i);
        return ZipOk;
    }
    return ZipBadArchive;
}

}  // namespace

int32_t ReadCentralDirectory(InFile& file, CentralDirectory& out)
{
    out = CentralDirectory{};
    uint64_t endPos = 0;
    std::string end;
    if (int32_t rc = FindEnd(file, endPos, end))
        return rc;
    auto* e = reinterpret_cast<const unsigned char*>(end.data());
    uint16_t disk = Get16(e + 4), cdDisk = Get16(e + 6);
    uint16_t onDisk = Get16(e + 8), total = Get16(e + 10);
    uint32_t cdSize = Get32(e + 12), cdOffset = Get32(e + 16);
    out.comment.assign(end, kEndSize, Get16(e + 20));

    if (endPos >= 20) {
        unsigned char loc[4];
        if (file.ReadAt(endPos - 20, loc, 4) && Get32(loc) == kZip64LocatorSig)
            return ZipUnsupported;
    }
    if (cdSize == 0xFFFFFFFFu || cdOffset == 0xFFFFFFFFu)
        return ZipUnsupported;
    if (disk != 0 || cdDisk != 0 || onDisk != total)
        return ZipUnsupported;
    if (uint64_t(cdOffset) + cdSize > endPos)
        return ZipBadArchive;

    std::string cd(cdSize, '\0');
    if (cdSize && !file.ReadAt(cdOffset, cd.data(), cdSize))
        return ZipReadError;
    auto* p = reinterpret_cast<const unsigned char*>(cd.data());
    size_t pos = 0;
    // The directory's size, not the end record's count, says how many records there are.
    while (pos < cdSize) {
        if (cdSize - pos < kCentralSize || Get32(p + pos) != kCentralSig)
            return ZipBadArchive;
        const unsigned char* r = p + pos;
        size_t nameLen = Get16(r + 28), extraLen = Get16(r + 30), commentLen = Get16(r + 32);
        size_t recLen = kCentralSize + nameLen + extraLen + commentLen;
        if (recLen > cdSize - pos)
            return ZipBadArchive;
        CentralEntry entry;
        entry.versionMadeBy = Get16(r + 4);
        entry.versionNeeded = Get16(r + 6);
        entry.flags = Get16(r + 8);
        entry.method = Get16(r + 10);
        entry.dosTime = Get16(r + 12);
        entry.dosDate = Get16(r + 14);
        entry.crc = Get32(r + 16);
        entry.compressedSize = Get32(r + 20);
        entry.size = Get32(r + 24);
        uint16_t startDisk = Get16(r + 34);
        entry.localOffset = Get32(r + 42);
        if (entry.compressedSize == 0xFFFFFFFFu || entry.size == 0xFFFFFFFFu ||
            entry.localOffset == 0xFFFFFFFFu || startDisk == 0xFFFF)
            return ZipUnsupported;
        if (startDisk != 0)
            return ZipUnsupported;
        auto* text = reinterpret_cast<const char*>(r + kCentralSize);
        entry.rawName.assign(text, nameLen);
        entry.name = DecodeEntryName(entry.rawName, entry.flags, std::string_view(text + nameLen, extraLen),
                                     entry.versionMadeBy);
        entry.record.assign(reinterpret_cast<const char*>(r), recLen);
        out.entries.push_back(std::move(entry));
        pos += recLen;
    }
    // A count of 0xFFFF with as many records is a full classic archive; with any other
    // number of records it stands for a ZIP64 count.
    if (total == 0xFFFF && out.entries.size() != 0xFFFF)
        return ZipUnsupported;
    if (out.entries.size() != total)
        return ZipBadArchive;

    // Members must follow each other without overlapping: one member's data read
    // through several records would multiply what a small archive extracts to.
    std::vector<CentralEntry*> byOffset;
    for (CentralEntry& entry : out.entries)
        byOffset.push_back(&entry);
    std::sort(byOffset.begin(), byOffset.end(),
              [](const CentralEntry* a, const CentralEntry* b) { return a->localOffset < b->localOffset; });
    for (size_t i = 0; i < byOffset.size(); ++i) {
        CentralEntry& entry = *byOffset[i];
        entry.spanEnd = i + 1 < byOffset.size() ? byOffset[i + 1]->localOffset : cdOffset;
        if (uint64_t(entry.localOffset) + kLocalSize + entry.rawName.size() + entry.compressedSize > entry.spanEnd)
            return ZipBadArchive;
    }
    out.offset = cdOffset;
    return ZipOk;
}

int32_t LocateData(InFile& file, const CentralEntry& entry, uint64_t& dataOffset)
{
    unsigned char h[kLocalSize];
    if (!file.ReadAt(entry.localOffset, h, kLocalSize) || Get32(h) != kLocalSig)
        return ZipBadArchive;
    uint64_t start = uint64_t(entry.localOffset) + kLocalSize + Get16(h + 26) + Get16(h + 28);
    if (start > entry.spanEnd || entry.compressedSize > entry.spanEnd - start)
        return ZipBadArchive;
    dataOffset = start;
    return ZipOk;
}

DosStamp ToDos(const CivilTime& t)
{
    DosStamp s;
    if (t.year < 1980)
        return s;
    int year = std::min(t.year, 2107);
    s.date = uint16_t(((year - 1980) << 9) | (t.month << 5) | t.day);
    s.time = uint16_t((t.hour << 11) | (t.minute << 5) | (t.second / 2));
    return s;
}

CivilTime FromDos(uint16_t date, uint16_t time)
{
    CivilTime t;
    t.year = 1980 + (date >> 9);
    t.month = (date >> 5) & 0x0F;
    t.day = date & 0x1F;
    t.hour = time >> 11;
    t.minute = (time >> 5) & 0x3F;
    t.second = (time & 0x1F) * 2;
    return t;
}

bool IsAbandonedTemporary(const std::string& fileName)
{
    // Exactly the writer's pattern: nothing else in the folder is ever touched.
    if (fileName.size() < 10 || fileName.compare(0, 3, "~qz") != 0 ||
        fileName.compare(fileName.size() - 4, 4, ".tmp") != 0)
        return false;
    std::string middle = fileName.substr(3, fileName.size() - 7);
    size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == middle.size() || dash > 9)
        return false;
    for (size_t i = 0; i < middle.size(); ++i)
        if (i != dash && !std::isdigit((unsigned char)middle[i]))
            return false;
    return !ProcessRuns(uint32_t(std::stoul(middle.substr(0, dash))));
}

bool SameEntryName(std::string_view a, std::string_view b, bool caseSensitive)
{
    auto strip = [](std::string_view s) {
        while (!s.empty() && (s.front() == '/' || s.front() == '\\'))
            s.remove_prefix(1);
        return s;
    };
    a = strip(a);
    b = strip(b);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x == '\\')
            x = '/';
        if (y == '\\')
            y = '/';
        if (!caseSensitive) {
            x = (unsigned char)std::tolower(x);
            y = (unsigned char)std::tolower(y);
        }
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace qlzip
