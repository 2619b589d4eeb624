// The font file readers over real Debian font files and damaged copies of them.
#include <gtest/gtest.h>

#include "fontengine/FontFixtures.h"
#include "fontengine/parsers/FonFile.h"
#include "fontengine/parsers/NameText.h"
#include "fontengine/parsers/Sfnt.h"
#include "fontengine/parsers/Type1.h"

using namespace fontparsers;
using namespace ql::test;

namespace {

constexpr std::uint32_t kEnglishUS = 0x409;

std::u16string U(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }

std::u16string Name(const SfntInfo& info, std::uint16_t id) { return GetNameString(info.names, id, kEnglishUS); }

SfntNameRecord Rec(std::uint16_t platform, std::uint16_t language, std::uint16_t id, const char* text)
{
    SfntNameRecord r;
    r.platformID = platform;
    r.languageID = language;
    r.nameID = id;
    r.text = U(text);
    return r;
}

}  // namespace

TEST(SfntReader, ReadsNamesOs2AndFlagsOfRealFonts)
{
    auto dejavu = ReadSfnt(Span(LoadFont(kDejaVuSans)));
    EXPECT_TRUE(dejavu.validTrueType);
    EXPECT_FALSE(dejavu.hasDSIG);
    EXPECT_FALSE(dejavu.isCFF);
    EXPECT_EQ(Name(dejavu, 1), U("DejaVu Sans"));
    EXPECT_EQ(Name(dejavu, 2), U("Book"));
    EXPECT_EQ(Name(dejavu, 5), U("Version 2.37"));
    EXPECT_EQ(Name(dejavu, 6), U("DejaVuSans"));
    EXPECT_EQ(std::string(dejavu.vendorID.data(), 4), "PfEd");

    auto liberation = ReadSfnt(Span(LoadFont(kLiberationSansBoldItalic)));
    EXPECT_TRUE(liberation.validTrueType);
    EXPECT_FALSE(liberation.hasDSIG);
    EXPECT_EQ(Name(liberation, 4), U("Liberation Sans Bold Italic"));
    EXPECT_EQ(std::string(liberation.vendorID.data(), 4), "1ASC");
    EXPECT_EQ(liberation.fsSelection & 0x21, 0x21);  // italic and bold bits

    auto mono = ReadSfnt(Span(LoadFont(kDejaVuMonoBold)));
    EXPECT_EQ(mono.fsSelection & 0x21, 0x20);

    auto noto = ReadSfnt(Span(LoadFont(kNotoSans)));
    EXPECT_TRUE(noto.validTrueType);
    EXPECT_TRUE(noto.hasDSIG);
    EXPECT_EQ(Name(noto, 4), U("Noto Sans Regular"));
    EXPECT_EQ(std::string(noto.vendorID.data(), 4), "GOOG");
}

TEST(SfntReader, CffFontsAndCollectionsReadLikeAnySfnt)
{
    auto otf = ReadSfnt(Span(LoadFont(kC059Otf)));
    EXPECT_TRUE(otf.isCFF);
    EXPECT_TRUE(otf.validTrueType);
    EXPECT_FALSE(otf.hasDSIG);
    EXPECT_EQ(Name(otf, 1), U("C059"));
    EXPECT_EQ(Name(otf, 2), U("Roman"));

    auto ttc = BuildCollection({LoadFont(kDejaVuSansBold), LoadFont(kLiberationSerif)});
    auto first = ReadSfnt(Span(ttc));
    EXPECT_TRUE(first.isCollection);
    EXPECT_EQ(first.collectionCount, 2u);
    EXPECT_TRUE(first.validTrueType);
    EXPECT_EQ(Name(first, 4), U("DejaVu Sans Bold"));
    auto second = ReadSfnt(Span(ttc), 1);
    EXPECT_EQ(Name(second, 1), U("Liberation Serif"));
    EXPECT_FALSE(ReadSfnt(Span(ttc), 2).validTrueType);
}

TEST(SfntReader, WindowsStringsAreUtf16WhateverTheirFirstByte)
{
    // The Thai sample text (name ID 19) starts with a non-zero byte in UTF-16BE.
    auto thai = ReadSfnt(Span(LoadFont(kNotoLoopedThai)));
    auto sample = Name(thai, 19);
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(sample[0], u'\u0E01');
    // Marlett carries the symbol encoding (3/0), also UTF-16BE.
    auto marlett = ReadSfnt(Span(LoadFont(kMarlett)));
    EXPECT_EQ(Name(marlett, 1), U("Marlett"));
}

TEST(SfntReader, MacintoshRomanIsDecodedThroughItsChart)
{
    const std::uint8_t raw[] = {'C', 0x8E, 'z', 0xA9, 0xD5, 0xDB};
    EXPECT_EQ(DecodeNameText(kPlatformMacintosh, 0, Bytes(raw, sizeof raw)), u"C\u00E9z\u00A9\u2019\u20AC");
    const std::uint8_t wide[] = {0x00, 'A', 0x0E, 0x01, 0x7F};
    EXPECT_EQ(DecodeNameText(kPlatformWindows, 1, Bytes(wide, sizeof wide)), u"A\u0E01");  // odd byte dropped
}

TEST(SfntReader, NameChoicePrefersWindowsStringInTheSystemLanguage)
{
    std::vector<SfntNameRecord> names = {
        Rec(kPlatformMacintosh, 0, 1, "Mac"),     Rec(kPlatformWindows, 0x407, 1, "German"),
        Rec(kPlatformWindows, 0x409, 1, "English"), Rec(kPlatformWindows, 0x40C, 1, "French"),
        Rec(kPlatformWindows, 0x409, 2, ""),      Rec(kPlatformMacintosh, 0, 2, "MacStyle"),
    };
    EXPECT_EQ(GetNameString(names, 1, 0x409), U("English"));
    EXPECT_EQ(GetNameString(names, 1, 0x411), U("French"));  // the last Windows string
    EXPECT_EQ(GetNameString(names, 2, 0x409), U("MacStyle"));  // an empty Windows record does not win
    EXPECT_EQ(GetNameString(names, 3, 0x409), u"");
    names.erase(names.begin() + 1, names.begin() + 4);
    EXPECT_EQ(GetNameString(names, 1, 0x409), U("Mac"));
}

TEST(SfntReader, GdiFamilyNameIsCutTo31Characters)
{
    auto noto = ReadSfnt(Span(LoadFont(kNotoLongFamily)));
    EXPECT_EQ(Name(noto, 1), U("Noto Sans Tifinagh Agraw Imazighen"));
    EXPECT_EQ(GdiFamilyName(noto.names, kEnglishUS), U("Noto Sans Tifinagh Agraw Imazig"));
}

TEST(SfntReader, BadMagicOrNoHeadGivesNothing)
{
    auto font = LoadFont(kDejaVuSans);
    auto info = ReadSfnt(Span(font));
    ASSERT_TRUE(info.validTrueType);
    // Find the head table and spoil its magic number.
    std::uint16_t numTables = 0;
    ReadU16BE(Span(font), 4, numTables);
    for (std::uint32_t i = 0; i < numTables; ++i) {
        std::size_t rec = 12 + 16 * i;
        if (TagIs(Span(font), rec, "head")) {
            std::uint32_t off = 0;
            ReadU32BE(Span(font), rec + 8, off);
            font[off + 12] ^= 0xFF;
            auto spoilt = ReadSfnt(Span(font));
            EXPECT_FALSE(spoilt.validTrueType);
            EXPECT_TRUE(spoilt.names.empty());
            EXPECT_FALSE(spoilt.hasOS2);
            font[off + 12] ^= 0xFF;
            font[rec] = 'x';  // no head table at all
            EXPECT_FALSE(ReadSfnt(Span(font)).validTrueType);
        }
    }
}

TEST(SfntReader, TruncatedAndCorruptedCopiesGiveWhatIsThere)
{
    for (const char* path : {kDejaVuSans, kNotoSans, kC059Otf}) {
        auto font = LoadFont(path);
        auto whole = ReadSfnt(Span(font));
        // Every cut point before the end of the directory and a spread of later ones.
        for (std::size_t cut = 0; cut < font.size(); cut += (cut < 400 ? 1 : font.size() / 97 + 1)) {
            auto part = ReadSfnt(Bytes(font.data(), cut));
            EXPECT_LE(part.names.size(), whole.names.size());
            for (const auto& r : part.names)
                EXPECT_LE(r.text.size(), r.length);
        }
        // Offsets, lengths and counts set to their largest values.
        std::uint16_t numTables = 0;
        ReadU16BE(Span(font), 4, numTables);
        for (std::uint32_t i = 0; i < numTables; ++i) {
            auto copy = font;
            for (int k = 8; k < 16; ++k)
                copy[12 + 16 * i + k] = 0xFF;
            (void)ReadSfnt(Span(copy));
            copy = font;
            copy[12 + 16 * i + 8] = 0x80;  // offset beyond 2 GB
            (void)ReadSfnt(Span(copy));
        }
        auto copy = font;
        copy[4] = copy[5] = 0xFF;
        (void)ReadSfnt(Span(copy));
    }
    const std::uint8_t hostileTtc[] = {'t', 't', 'c', 'f', 0, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0};
    EXPECT_FALSE(ReadSfnt(Bytes(hostileTtc, sizeof hostileTtc)).validTrueType);
    EXPECT_FALSE(ReadSfnt(Bytes()).validTrueType);
}

TEST(Type1Reader, ReadsTheClearTextOfTextAndBinaryFiles)
{
    for (const char* path : {kNimbusSansT1, kNimbusSansPfb}) {
        SCOPED_TRACE(path);
        auto lines = SplitLines(Type1ClearText(Span(LoadFont(path))));
        EXPECT_EQ(Type1Value(lines, "/FontName"), "/NimbusSans-Regular");
        EXPECT_EQ(Type1Value(lines, "/FontType"), "1");
        EXPECT_EQ(Type1Value(lines, "/FamilyName"), "Nimbus Sans");
        EXPECT_EQ(Type1Value(lines, "/Weight"), "Regular");
        EXPECT_EQ(Type1Value(lines, "/Version"), "1.00");
        EXPECT_EQ(Type1Value(lines, "/Notice"), "(URW)++,Copyright 2014 by (URW)++ Design & Development");
        EXPECT_EQ(Type1Value(lines, "/UnderlinePosition"), "-151");
        EXPECT_EQ(Type1Value(lines, "/UniqueID"), "");  // not in these files
    }
    auto mono = SplitLines(Type1ClearText(Span(LoadFont(kNimbusMonoT1))));
    EXPECT_EQ(Type1Value(mono, "/IsFixedPitch"), "true");  // the file spells it isFixedPitch
}

TEST(Type1Reader, AnyLineEndGivesTheSameValues)
{
    std::string lf = Type1ClearText(Span(LoadFont(kNimbusSansT1)));
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    std::string cr = lf, crlf;
    for (char& c : cr)
        if (c == '\n')
            c = '\r';
    for (char c : lf)
        crlf += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    for (const std::string* text : {&cr, &crlf}) {
        auto lines = SplitLines(*text);
        EXPECT_EQ(Type1Value(lines, "/FontName"), "/NimbusSans-Regular");
        EXPECT_EQ(Type1Value(lines, "/FontType"), "1");
        EXPECT_EQ(Type1Value(lines, "/Notice"), "(URW)++,Copyright 2014 by (URW)++ Design & Development");
    }
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd").size(), 4u);
}

TEST(Type1Reader, ValueRules)
{
    auto lines = SplitLines(
        "/Weight (Semi Bold) readonly def\n"
        "/Notice (Text \\(with\\) escapes) def\n"
        "/FullName (Open (paren\n"
        "/FontTypeX 9 def\n"
        "/FontType 1 def\n"
        "/fonttype 3 def\n");
    EXPECT_EQ(Type1Value(lines, "/Weight"), "Semi Bold");
    EXPECT_EQ(Type1Value(lines, "/Notice"), "Text (with) escapes");
    EXPECT_EQ(Type1Value(lines, "/FullName"), "Open (paren");  // unclosed: the rest of the line
    EXPECT_EQ(Type1Value(lines, "/FontType"), "1");            // whole names, first line wins
    EXPECT_EQ(Type1Value(lines, "/Missing"), "");
}

TEST(Type1Reader, DamagedBinaryFilesKeepWhatIsReadable)
{
    auto pfb = LoadFont(kNimbusSansPfb);
    for (std::size_t cut : {std::size_t(0), std::size_t(3), std::size_t(6), std::size_t(200), pfb.size() / 2}) {
        auto text = Type1ClearText(Bytes(pfb.data(), cut));
        EXPECT_LE(text.size(), cut);
    }
    auto lying = pfb;
    lying[2] = lying[3] = lying[4] = lying[5] = 0xFF;  // first segment claims 4 GB
    auto lines = SplitLines(Type1ClearText(Span(lying)));
    EXPECT_EQ(Type1Value(lines, "/FontType"), "1");
}

TEST(FonReader, ReadsDescriptionAndFaceNames)
{
    auto sans = ReadFon(Span(LoadFont(kSansSerifFon)));
    EXPECT_TRUE(sans.isNE);
    EXPECT_EQ(sans.description, "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)");
    EXPECT_EQ(sans.resourceName, "MS Sans Serif 8,10,12 (VGA res)");
    ASSERT_EQ(sans.faceNames.size(), 3u);
    EXPECT_EQ(sans.faceNames[0], "MS Sans Serif");

    auto courier = ReadFon(Span(LoadFont(kCourierFon)));
    ASSERT_FALSE(courier.faceNames.empty());
    EXPECT_EQ(courier.faceNames[0], "Courier");
}

TEST(FonReader, DamagedFilesGiveEmptyNames)
{
    auto fon = LoadFont(kSansSerifFon);
    for (std::size_t cut = 0; cut < fon.size(); cut += 37)
        (void)ReadFon(Bytes(fon.data(), cut));
    EXPECT_FALSE(ReadFon(Span(LoadFont(kDejaVuSans))).isNE);
    auto badOffset = fon;
    badOffset[0x3C] = badOffset[0x3D] = badOffset[0x3E] = badOffset[0x3F] = 0xFF;
    EXPECT_FALSE(ReadFon(Span(badOffset)).isNE);
}
