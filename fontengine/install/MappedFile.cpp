#include "fontengine/install/MappedFile.h"

#include <windows.h>

#include <algorithm>

namespace qlInstall {

MappedFile::MappedFile(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(f, &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000) {
        HANDLE m = CreateFileMappingA(f, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (m) {
            view_ = MapViewOfFile(m, FILE_MAP_READ, 0, 0, 0);
            if (view_)
                size_ = static_cast<std::size_t>(size.QuadPart);
            CloseHandle(m);
        }
    }
    CloseHandle(f);
}

MappedFile::~MappedFile()
{
    if (view_)
        UnmapViewOfFile(view_);
}

bool SameContent(const std::string& a, const std::string& b)
{
    MappedFile fa(a), fb(b);
    auto x = fa.Bytes(), y = fb.Bytes();
    return !x.empty() && x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin());
}

}  // namespace qlInstall
