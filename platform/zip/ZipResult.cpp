#include "platform/zip/ZipResult.h"

namespace qlzip {

std::string ZipResultText(int32_t code)
{
    switch (code) {
    case ZipOk: return "No error";
    case ZipBadArchive: return "The file is not a valid zip archive or is damaged";
    case ZipNoMemory: return "Out of memory";
    case ZipCancelled: return "The operation was cancelled";
    case ZipUnsupported: return "The archive uses ZIP64 or spans several disks, which is not supported";
    case ZipBadMethod: return "An entry uses an unsupported compression method";
    case ZipDuplicateName: return "Two files would be stored under the same name";
    case ZipWrongPassword: return "Wrong password";
    case ZipCrcError: return "An entry's data does not match its size or CRC";
    case ZipNothingMatched: return "A requested entry is not in the archive";
    case ZipNothingToDo: return "Nothing to do";
    case ZipUnsafeName: return "An entry name is not safe to extract";
    case ZipReadError: return "A file could not be read";
    case ZipWriteError: return "A file could not be written";
    case ZipMissingFile: return "A file to be stored does not exist or is a folder";
    case ZipBusy: return "Another zip operation is running";
    case ZipBadEncryption: return "An entry uses an encryption method that is not supported";
    case ZipNoArchive: return "The archive does not exist";
    default: return "Zip error " + std::to_string(code);
    }
}

}  // namespace qlzip
