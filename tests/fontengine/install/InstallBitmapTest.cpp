// Installing and removing bitmap (.fon) fonts in a scratch Fonts folder and key.
#include <windows.h>

#include "InstallFixture.h"
#include "fontengine/install/FontFileNames.h"
#include "fontengine/install/qlToolsEx.h"

using namespace installtest;

namespace {

const char* kSansSerif = "/usr/share/wine/fonts/sserife.fon";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class InstallBitmap : public ScratchInstall {
protected:
    void SetUp() override
    {
        ScratchInstall::SetUp();
        word_ = UniqueTag(10);
        RenamedBitmapFont(kSansSerif, source_, "qzserif.fon", word_);
    }
    std::string word_;
    qlToolsEx tools_;
};

TEST_F(InstallBitmap, RegistersUnderItsResourceNameAndUninstalls)
{
    std::string valueName = "MS " + word_ + " 8,10,12 (VGA res)";
    EXPECT_EQ(qlInstall::ReadFonResName(source_ + "\\qzserif.fon"), valueName);
    ASSERT_FALSE(FamilyKnown("MS " + word_));

    EXPECT_EQ(tools_.InstallBitmapFont(source_, "qzserif.fon", false, false), qlToolsEx::Installed);
    RawValue v = ReadRaw(HKEY_CURRENT_USER, keyPath_, valueName);
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.bytes, std::string("qzserif.fon\0", 12));
    EXPECT_TRUE(FamilyKnown("MS " + word_));

    // Same date as the installed copy: not needed.
    EXPECT_EQ(tools_.InstallBitmapFont(source_, "qzserif.fon", false, false), qlToolsEx::NotNeeded);

    EXPECT_TRUE(tools_.UnInstallBitmapFont("qzserif.fon", "", false));
    EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, keyPath_, valueName).present);
    EXPECT_FALSE(Exists(fonts_ + "\\qzserif.fon"));
    EXPECT_FALSE(FamilyKnown("MS " + word_));
}

TEST_F(InstallBitmap, SessionInstallLoadsTheTemporaryCopy)
{
    EXPECT_EQ(tools_.InstallBitmapFontTemporary(source_, "qzserif.fon", false, false), qlToolsEx::Installed);
    EXPECT_TRUE(Exists(temp_ + "\\qzserif.fon"));
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
    EXPECT_TRUE(FamilyKnown("MS " + word_));
}

TEST_F(InstallBitmap, FilesThatAreNoFontResourceAreRefused)
{
    // A TrueType file, and an NE module without a FONTRES description.
    CopyFileA("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf", (source_ + "\\wrong.fon").c_str(), FALSE);
    std::string fon;
    {
        HANDLE f = CreateFileA((source_ + "\\qzserif.fon").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        fon.resize(GetFileSize(f, nullptr));
        DWORD got = 0;
        ReadFile(f, fon.data(), DWORD(fon.size()), &got, nullptr);
        CloseHandle(f);
    }
    size_t at = fon.find("FONTRES");
    ASSERT_NE(at, std::string::npos);
    fon.replace(at, 7, "MODULES");
    HANDLE f = CreateFileA((source_ + "\\plain.fon").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(f, fon.data(), DWORD(fon.size()), &put, nullptr);
    CloseHandle(f);

    EXPECT_EQ(tools_.InstallBitmapFont(source_, "wrong.fon", false, false), qlToolsEx::InstallFailed);
    EXPECT_EQ(tools_.InstallBitmapFont(source_, "plain.fon", false, false), qlToolsEx::InstallFailed);
    EXPECT_FALSE(Exists(fonts_ + "\\wrong.fon"));
    EXPECT_FALSE(Exists(fonts_ + "\\plain.fon"));
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
}

}  // namespace
