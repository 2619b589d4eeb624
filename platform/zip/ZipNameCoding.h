#pragma once
// How entry names are coded in an archive: UTF-8 when flag bit 11 says so, else the
// Unicode Path extra field when it still matches the name, else UTF-8 when a Unix tool
// made the entry and the bytes are valid UTF-8 (Info-ZIP in a UTF-8 locale writes
// them so), else code page 437.
#include <cstdint>
#include <string>
#include <string_view>

namespace qlzip {

constexpr uint16_t kUnicodePathExtra = 0x7075;

// The name as UTF-8. extra is the central record's extra field.
std::string DecodeEntryName(std::string_view raw, uint16_t flags, std::string_view extra, uint16_t versionMadeBy);

// Code page 437 bytes as UTF-8.
std::string Cp437ToUtf8(std::string_view raw);

bool IsAscii(std::string_view s);
bool IsUtf8(std::string_view s);

}  // namespace qlzip
