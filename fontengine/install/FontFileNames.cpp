#include "fontengine/install/FontFileNames.h"

#include "fontengine/FontFile.h"
#include "fontengine/parsers/FonFile.h"
#include "fontengine/parsers/Sfnt.h"
#include "platform/AnsiText.h"

namespace qlInstall {

namespace {

constexpr std::uint32_t kEnglishUS = 0x409;

std::string Name(const fontparsers::SfntInfo& info, std::uint16_t id)
{
    return platform::ToAnsi(fontparsers::GetNameString(info.names, id, kEnglishUS));
}

}  // namespace

TrueTypeNames ReadTrueTypeNames(const std::string& path)
{
    TrueTypeNames out;
    fontengine::MappedFontFile file(path);
    if (file.Bytes().empty())
        return out;
    fontparsers::SfntInfo info = fontparsers::ReadSfnt(file.Bytes(), 0);
    out.valid = info.validTrueType;
    out.family = platform::ToAnsi(fontparsers::GdiFamilyName(info.names, kEnglishUS));
    out.fullName = Name(info, 4);
    out.subFamily = Name(info, 2);
    return out;
}

std::string ReadFonResName(const std::string& path)
{
    fontengine::MappedFontFile file(path);
    if (file.Bytes().empty())
        return {};
    return fontparsers::ReadFon(file.Bytes()).resourceName;
}

std::string TrueTypeValueName(const TrueTypeNames& names)
{
    if (!names.valid)
        return {};
    std::string face = names.fullName;
    if (face.empty() && !names.family.empty())
        face = names.subFamily.empty() ? names.family : names.family + " " + names.subFamily;
    if (face.empty())
        return {};
    return face + " (TrueType)";
}

}  // namespace qlInstall
