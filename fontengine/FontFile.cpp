#include "fontengine/FontFile.h"

#include <windows.h>

#include "core/files/modFileFunctions.h"
#include "fontengine/parsers/FonFile.h"

namespace fontengine {

bool FileExists(const std::string& path)
{
    return modFileFunctions::FileExists(path);
}

MappedFontFile::MappedFontFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    file_ = file;
    LARGE_INTEGER size{};
    // Font files are far below 2 GB; anything larger is not one.
    if (!GetFileSizeEx(file, &size) || size.QuadPart >= 0x7FFFFFFF)
        return;
    opened_ = true;
    if (size.QuadPart == 0)
        return;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping)
        return;
    mapping_ = mapping;
    view_ = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view_)
        bytes_ = fontparsers::Bytes(static_cast<const std::uint8_t*>(view_), static_cast<std::size_t>(size.QuadPart));
    else
        opened_ = false;
}

MappedFontFile::~MappedFontFile()
{
    if (view_)
        UnmapViewOfFile(view_);
    if (mapping_)
        CloseHandle(mapping_);
    if (file_)
        CloseHandle(file_);
}

std::string BitmapFontFaceName(const std::string& path)
{
    MappedFontFile file(path);
    auto info = fontparsers::ReadFon(file.Bytes());
    return info.faceNames.empty() ? std::string() : info.faceNames.front();
}

}  // namespace fontengine
