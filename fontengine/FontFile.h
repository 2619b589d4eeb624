#pragma once
// A font file opened for reading and mapped into memory, for the parsers.
#include <string>

#include "fontengine/parsers/ByteSpan.h"

namespace fontengine {

// True when the path's attributes can be read and it is not a folder.
bool FileExists(const std::string& path);

class MappedFontFile {
public:
    // Opens with read access, sharing read and write; empty bytes on any failure.
    explicit MappedFontFile(const std::string& path);
    ~MappedFontFile();
    MappedFontFile(const MappedFontFile&) = delete;
    MappedFontFile& operator=(const MappedFontFile&) = delete;

    bool IsOpen() const { return view_ != nullptr || opened_; }
    fontparsers::Bytes Bytes() const { return bytes_; }

private:
    void* file_ = nullptr;
    void* mapping_ = nullptr;
    const void* view_ = nullptr;
    bool opened_ = false;  // an empty file opens without a view
    fontparsers::Bytes bytes_;
};

// The face name of the first font in a bitmap font file (.fon); empty when the
// file cannot be read or holds none.
std::string BitmapFontFaceName(const std::string& path);

}  // namespace fontengine
