// libFuzzer entry: every font file reader over the same bytes, built natively with
// AddressSanitizer so that any read outside the input is caught.
#include <cstddef>
#include <cstdint>

#include "fontengine/parsers/FonFile.h"
#include "fontengine/parsers/NameText.h"
#include "fontengine/parsers/Sfnt.h"
#include "fontengine/parsers/Type1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fontparsers::Bytes bytes(data, size);
    for (std::uint32_t member = 0; member < 2; ++member) {
        auto info = fontparsers::ReadSfnt(bytes, member);
        for (std::uint16_t id = 0; id < 20; ++id)
            (void)fontparsers::GetNameString(info.names, id, 0x409);
        (void)fontparsers::GdiFamilyName(info.names, 0x409);
    }
    auto lines = fontparsers::SplitLines(fontparsers::Type1ClearText(bytes));
    for (const char* key : {"/FontName", "/FontType", "/Notice", "/Weight", "/isFixedPitch"})
        (void)fontparsers::Type1Value(lines, key);
    (void)fontparsers::ReadFon(bytes);
    for (std::uint16_t platform = 0; platform < 5; ++platform)
        (void)fontparsers::DecodeNameText(platform, 0, bytes.first(size < 64 ? size : 64));
    return 0;
}
