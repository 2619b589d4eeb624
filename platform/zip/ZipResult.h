#pragma once
// Result codes of the zip engine: 0 is success, every failure is non-zero.
#include <cstdint>
#include <string>

namespace qlzip {

enum ZipResult : int32_t {
    ZipOk = 0,
    ZipBadArchive = 2,        // not a zip, truncated, or a header out of bounds
    ZipNoMemory = 4,
    ZipCancelled = 5,         // a callback asked to stop
    ZipUnsupported = 6,       // ZIP64, multi-disk, or a feature the engine does not write
    ZipBadMethod = 7,         // compression method other than stored or deflate
    ZipDuplicateName = 8,     // two sources would get the same entry name
    ZipWrongPassword = 9,
    ZipCrcError = 10,         // data does not match its size or CRC
    ZipNothingMatched = 11,   // a requested name is not in the archive
    ZipNothingToDo = 12,
    ZipUnsafeName = 13,       // an entry name that cannot be written safely
    ZipReadError = 14,        // a source or the archive could not be read
    ZipWriteError = 15,       // the output could not be written or put in place
    ZipMissingFile = 18,      // a source file does not exist or is a folder
    ZipBusy = 19,             // an operation is already running
    ZipBadEncryption = 20,    // AES or PKWARE strong encryption
    ZipNoArchive = 21,        // the archive to read does not exist
};

// A short English description of a code.
std::string ZipResultText(int32_t code);

}  // namespace qlzip
