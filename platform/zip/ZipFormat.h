#pragma once
// The classic zip records (local header, central directory, end record), DOS times
// and the bounds-checked central-directory parser shared by the reader and the writer.
#include "platform/zip/ZipFiles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qlzip {

constexpr uint32_t kLocalSig = 0x04034b50;
constexpr uint32_t kCentralSig = 0x02014b50;
constexpr uint32_t kEndSig = 0x06054b50;
constexpr uint32_t kZip64EndSig = 0x06064b50;
constexpr uint32_t kZip64LocatorSig = 0x07064b50;
constexpr uint32_t kDescriptorSig = 0x08074b50;
constexpr size_t kLocalSize = 30;
constexpr size_t kCentralSize = 46;
constexpr size_t kEndSize = 22;
constexpr size_t kCryptHeaderSize = 12;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDescriptor = 0x0008;
constexpr uint16_t kFlagStrongEncryption = 0x0040;
constexpr uint16_t kFlagUtf8 = 0x0800;

inline uint16_t Get16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t Get32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void Put16(std::string& out, uint16_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}
inline void Put32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

// One member as the central directory describes it.
struct CentralEntry {
    std::string name;         // UTF-8, whatever coding the archive used
    std::string rawName;      // the stored bytes
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;   // as stored: includes the 12-byte encryption header
    uint32_t size = 0;
    uint32_t localOffset = 0;
    uint64_t spanEnd = 0;     // where the next member (or the directory) starts
    std::string record;       // the whole central record, for raw copies

    bool Encrypted() const { return (flags & kFlagEncrypted) != 0; }
    bool IsDirectory() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
    // Compressed data without the encryption header.
    uint32_t PackedSize() const
    {
        return Encrypted() && compressedSize >= kCryptHeaderSize ? compressedSize - uint32_t(kCryptHeaderSize)
                                                                 : compressedSize;
    }
};

struct CentralDirectory {
    std::vector<CentralEntry> entries;
    std::string comment;
    uint32_t offset = 0;      // where the central directory starts: the end of the member data
};

// Reads and checks the central directory, walked by its size: the end record's count
// must agree with what it holds. Every record must lie inside the file, and every
// member's data inside the area before the directory, overlapping no other member.
int32_t ReadCentralDirectory(InFile& file, CentralDirectory& out);

// Offset of a member's data (after its local header), checked to end within its span.
int32_t LocateData(InFile& file, const CentralEntry& entry, uint64_t& dataOffset);

// Local-time DOS stamp; a year outside 1980..2107 is clamped.
struct DosStamp {
    uint16_t date = 0x21;   // 1980-01-01
    uint16_t time = 0;
};
struct CivilTime {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
DosStamp ToDos(const CivilTime& t);
CivilTime FromDos(uint16_t date, uint16_t time);

// Whether a process of that id is running (the file layer answers).
bool ProcessRuns(uint32_t processId);

// Case-insensitive (ASCII) comparison of entry names, with "\" and "/" the same and
// leading separators ignored.
bool SameEntryName(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace qlzip
