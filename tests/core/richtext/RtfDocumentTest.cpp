// A page of lines as one RTF document: tables of faces and colours, escapes, formats.
#include <gtest/gtest.h>

#include <vector>

#include "core/richtext/RtfDocument.h"

namespace {

constexpr std::int32_t kRegular = 1, kBold = 2, kItalic = 3, kUnderline = 4;

size_t Count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(BuildRtf, FacesAndColoursAreListedOnceAndReferencedByIndex)
{
    std::vector<RtbLine> lines = {
        {"Font Name: Serif", "Arial", 10, kUnderline, kRegular, 0},
        {"Sample", "Serif", 14, kRegular, kRegular, 0},
        {"", "Arial", 12, kRegular, kRegular, 0},
        {"Blue", "Arial", 12, kBold, kItalic, 0xFF0000},
    };
    std::string rtf = BuildRtf(lines, 0x00336699, 1252);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}"
                        "{\\f1\\fnil\\fcharset1 Serif;}}",
                        0),
              0u);
    // Colour 0 is the fore colour given; red is the low byte.
    EXPECT_NE(rtf.find("{\\colortbl;\\red153\\green102\\blue51;\\red0\\green0\\blue255;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f0\\fs20\\cf1\\ul Font Name: Serif\\par"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f1\\fs28\\cf1 Sample\\par"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f0\\fs24\\cf1 \\par"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f0\\fs24\\cf2\\b\\i Blue\\par"), std::string::npos);
    EXPECT_EQ(Count(rtf, "\\par"), 4u);
    EXPECT_EQ(rtf.back(), '}');
}

TEST(BuildRtf, TextIsEscaped)
{
    std::vector<RtbLine> lines = {{"a\\b{c}d\te\xE9\r\nf\ng", "Na\\me", 10, kRegular, kRegular, 0}};
    std::string rtf = BuildRtf(lines, 0, 1252);
    EXPECT_NE(rtf.find(" a\\\\b\\{c\\}d\\tab e\\'e9\\par f\\par g\\par"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fcharset1 Na\\\\me;"), std::string::npos);
}

TEST(BuildRtf, AnEmptyPageHasTablesOnly)
{
    std::string rtf = BuildRtf({}, 0, 1252);
    EXPECT_EQ(Count(rtf, "\\par"), 0u);
    EXPECT_NE(rtf.find("{\\fonttbl}"), std::string::npos);
}
