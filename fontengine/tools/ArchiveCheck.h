#pragma once
// Reads a freshly written archive back before the files in it are deleted.
#include <string>
#include <vector>

namespace qlArchiveCheck {

// True when the archive lists exactly one entry per file (bare file names), each with
// the file's size and CRC, and every entry's data decompresses to that CRC. Otherwise
// why says what did not match.
bool Holds(const std::string& zipPath, const std::vector<std::string>& files, std::string& why);

}  // namespace qlArchiveCheck
