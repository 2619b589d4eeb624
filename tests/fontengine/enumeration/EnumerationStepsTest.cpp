// The enumeration's small steps: face names from value names, metrics into words.
#include <windows.h>

#include <gtest/gtest.h>

#include "fontengine/enumeration/FaceNames.h"
#include "fontengine/enumeration/MetricWords.h"
#include "fontengine/enumeration/TextMetricsStep.h"
#include "fontengine/qlFont.h"

using namespace qlEnumeration;

namespace {

TEST(EnumerationSteps, FaceNamesFromValueNames)
{
    EXPECT_EQ(GetRasterFaceName("Modern (All res)"), "Modern");
    EXPECT_EQ(GetRasterFaceName("MS Sans Serif 8,10,12 (VGA res)"), "MS Sans Serif 8,10,12");
    EXPECT_EQ(GetRasterFaceName("A (B) (C)"), "A (B)");
    EXPECT_EQ(GetRasterFaceName("Courier 10,12,15"), "");
    EXPECT_EQ(GetRasterFaceName("(x)"), "");
    EXPECT_EQ(GetRasterFaceName("x(y)"), "");  // "(" as the second character
    EXPECT_EQ(GetRasterFaceName("x (y)"), "x");

    EXPECT_EQ(GetPST1FaceName("Garamond Semibold Italic"), "Garamond");
    EXPECT_EQ(GetPST1FaceName("Futura Bold"), "Futura Bold");
    EXPECT_EQ(GetPST1FaceName("  Foo ITALIC   Bold regular "), "Foo Bold");
    EXPECT_EQ(GetPST1FaceName("Irregular Serif"), "Irregular Serif");  // whole words only

    EXPECT_EQ(LowerCase(GetExtensionPart("C:\\Fonts\\PAIR.TTC")), ".ttc");
    EXPECT_EQ(GetExtensionPart("C:\\Fonts.d\\noext"), "");
    EXPECT_TRUE(IsBareFileName("arial.ttf"));
    EXPECT_FALSE(IsBareFileName("C:arial.ttf"));
    EXPECT_FALSE(IsBareFileName("sub\\arial.ttf"));
}

TEST(EnumerationSteps, WeightWords)
{
    EXPECT_EQ(WeightWord(0), "");
    EXPECT_EQ(WeightWord(-5), "");
    EXPECT_EQ(WeightWord(1), "Thin");
    EXPECT_EQ(WeightWord(199), "Thin");
    EXPECT_EQ(WeightWord(200), "Extra/UltraLight");
    EXPECT_EQ(WeightWord(400), "Regular");
    EXPECT_EQ(WeightWord(650), "Semi/DemiBold");
    EXPECT_EQ(WeightWord(700), "Bold");
    EXPECT_EQ(WeightWord(999), "Black");
    EXPECT_EQ(WeightWord(1000), "");
}

TEXTMETRICA Metrics(BYTE pitchAndFamily, LONG weight)
{
    TEXTMETRICA tm{};
    tm.tmPitchAndFamily = pitchAndFamily;
    tm.tmWeight = weight;
    tm.tmCharSet = 2;
    tm.tmMaxCharWidth = 20;
    tm.tmAveCharWidth = 9;
    tm.tmFirstChar = static_cast<char>(0x20);
    tm.tmLastChar = static_cast<char>(0xFF);
    tm.tmBreakChar = static_cast<char>(0x20);
    tm.tmDefaultChar = static_cast<char>(0x95);
    return tm;
}

TEST(EnumerationSteps, MetricsIntoTheRecord)
{
    qlFont font;
    font.FontType("Raster");
    ApplyTextMetrics(font, Metrics(0x30 | TMPF_VECTOR | TMPF_FIXED_PITCH, 400), false);
    EXPECT_EQ(font.FontType(), "Vector");
    EXPECT_FALSE(font.IsMonospaced());
    EXPECT_EQ(font.Pitch(), "Variable");
    EXPECT_EQ(font.Families()->ToString("|"), "Modern");
    EXPECT_EQ(font.Weight(), "Regular");
    EXPECT_EQ(font.DefaultCharacterSetID(), 2);
    EXPECT_EQ(font.LastChar(), 255);
    EXPECT_EQ(font.DefaultChar(), 0x95);

    qlFont raster;
    raster.FontType("Raster");
    ApplyTextMetrics(raster, Metrics(0x00, 1000), false);
    EXPECT_EQ(raster.FontType(), "Raster");
    EXPECT_TRUE(raster.IsMonospaced());
    EXPECT_EQ(raster.Pitch(), "Fixed");
    EXPECT_EQ(raster.Families()->ToString("|"), "Unknown");
    EXPECT_EQ(raster.Weight(), "");

    qlFont device;
    device.FontType("Raster");
    ApplyTextMetrics(device, Metrics(TMPF_DEVICE | TMPF_VECTOR, 700), false);
    EXPECT_EQ(device.FontType(), "Device");

    // An OpenType file with PostScript outlines reports the device bit; its type stays.
    qlFont otf;
    otf.FontType("TrueType");
    ApplyTextMetrics(otf, Metrics(0x10 | TMPF_DEVICE | TMPF_VECTOR, 400), true);
    EXPECT_EQ(otf.FontType(), "TrueType");
    EXPECT_EQ(otf.Families()->ToString("|"), "Roman");

    // A family word the record already has ends the step before the character set.
    qlFont twice;
    twice.Families()->Add("Swiss");
    try {
        ApplyTextMetrics(twice, Metrics(0x20 | TMPF_TRUETYPE | TMPF_VECTOR, 400), false);
    } catch (...) {
    }
    EXPECT_EQ(twice.DefaultCharacterSetID(), 0);
    EXPECT_EQ(twice.Pitch(), "Fixed");
}

TEST(EnumerationSteps, MetricsOfRealFaces)
{
    MetricsContext context;
    TEXTMETRICA tm{};
    ASSERT_TRUE(context.Read("DejaVu Sans Mono", tm));
    EXPECT_EQ(FamilyWord(tm.tmPitchAndFamily), "Modern");
    EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    EXPECT_FALSE(context.Read(std::string(32, 'x'), tm));  // no room for the NUL
}

}  // namespace
