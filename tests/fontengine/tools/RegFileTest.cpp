// Pointing a font's registration at its moved file.
#include <windows.h>

#include "QueueFixture.h"

using namespace queuetest;

namespace {

TEST_F(QueueTest, UpdateRegFileRewritesTheValuesOfTheFontsFile)
{
    TestFont font = Install("qzmove.ttf");
    TestFont other = Install("qzstay.ttf");
    std::string moved = root_ + "\\elsewhere\\qzmove.ttf";

    EXPECT_TRUE(main_->Tools()->UpdateRegFile(font.face, "TrueType", moved));
    EXPECT_EQ(ValueData(font.value), moved);
    EXPECT_EQ(ValueData(other.value), "qzstay.ttf");

    // Types without a registry name of this kind change nothing.
    EXPECT_FALSE(main_->Tools()->UpdateRegFile(other.face, "Type 1", moved));
    EXPECT_FALSE(main_->Tools()->UpdateRegFile(other.face, "truetype", moved));
    EXPECT_EQ(ValueData(other.value), "qzstay.ttf");
}

TEST_F(QueueTest, UpdateRegFileWithoutARecordGoesByTheValueName)
{
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, "Qz Raster (All Res)", 0, REG_SZ, reinterpret_cast<const BYTE*>("qzras.fon"), 10);
    RegCloseKey(key);

    EXPECT_TRUE(main_->Tools()->UpdateRegFile("Qz Raster", "Raster", "C:\\fonts\\qzras.fon"));
    EXPECT_EQ(ValueData("Qz Raster (All Res)"), "C:\\fonts\\qzras.fon");
    // Nothing is created for a value that is not there.
    EXPECT_FALSE(main_->Tools()->UpdateRegFile("Qz Vector", "Vector", "C:\\fonts\\qzvec.fon"));
    EXPECT_FALSE(ValuePresent("Qz Vector (All Res)"));
}

}  // namespace
