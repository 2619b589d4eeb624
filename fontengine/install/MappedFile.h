#pragma once
// A read-only view of a whole file, so that a font is parsed without copying it.
#include <cstdint>
#include <span>
#include <string>

namespace qlInstall {

class MappedFile {
public:
    explicit MappedFile(const std::string& path);  // empty when the file cannot be read
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const std::uint8_t> Bytes() const { return {static_cast<const std::uint8_t*>(view_), size_}; }

private:
    void* view_ = nullptr;
    std::size_t size_ = 0;
};

// Whether two files hold the same bytes (false when either cannot be read).
bool SameContent(const std::string& a, const std::string& b);

}  // namespace qlInstall
