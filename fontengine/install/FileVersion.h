#pragma once
// Which of two font files is newer: by their version records, else by date.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qlInstall {

// The file version's four parts, most significant first.
using FileVersion = std::array<uint16_t, 4>;

std::optional<FileVersion> GetFileVersion(const std::string& path);
// True when a is greater; the first part that differs decides.
bool CompareVersions(const FileVersion& a, const FileVersion& b);
bool IsNewer(const std::string& sourceFolder, const std::string& sourceName, const std::string& targetFolder,
             const std::string& targetName);
// Whether the source file was modified later than the target file.
bool IsLaterFile(const std::string& source, const std::string& target);

}  // namespace qlInstall
