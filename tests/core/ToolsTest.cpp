// modTools, modAPI and the loaded-window helpers of modMain.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/modAPI.h"
#include "core/modMain.h"
#include "core/modTools.h"
#include "platform/LoadedForms.h"

using modTools::FormatFileSize;

namespace {

std::string Locale(LCTYPE what)
{
    char buf[16] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buf, sizeof buf);
    return buf;
}

}  // namespace

TEST(Tools, IsNumberTable)
{
    EXPECT_TRUE(modTools::IsNumber("7"));
    EXPECT_TRUE(modTools::IsNumber("77"));
    EXPECT_TRUE(modTools::IsNumber("-7"));
    EXPECT_TRUE(modTools::IsNumber("+7"));
    EXPECT_TRUE(modTools::IsNumber(".5"));
    EXPECT_TRUE(modTools::IsNumber("5."));
    EXPECT_TRUE(modTools::IsNumber("-."));
    EXPECT_TRUE(modTools::IsNumber("1.25"));
    EXPECT_FALSE(modTools::IsNumber("7-"));
    EXPECT_FALSE(modTools::IsNumber("1.2.3"));
    EXPECT_FALSE(modTools::IsNumber("+"));
    EXPECT_FALSE(modTools::IsNumber("-"));
    EXPECT_FALSE(modTools::IsNumber("."));
    EXPECT_FALSE(modTools::IsNumber(""));
    EXPECT_FALSE(modTools::IsNumber("a"));
    EXPECT_FALSE(modTools::IsNumber("1a"));
    EXPECT_FALSE(modTools::IsNumber(" 1"));
    EXPECT_FALSE(modTools::IsNumber("1.."));
}

TEST(Tools, TrimNull)
{
    EXPECT_EQ(modTools::TrimNull(std::string("abc\0xyz", 7)), "abc");
    EXPECT_EQ(modTools::TrimNull("  abc  "), "abc");
    EXPECT_EQ(modTools::TrimNull(std::string(" a b \0 c", 8)), "a b");
    EXPECT_EQ(modTools::TrimNull(std::string("\0abc", 4)), "");
    EXPECT_EQ(modTools::TrimNull(""), "");
    EXPECT_EQ(modTools::TrimNull("   "), "");
    // No length limit: a NUL far beyond 32,767 characters.
    std::string big(40000, 'x');
    big += '\0';
    big += "tail";
    EXPECT_EQ(modTools::TrimNull(big), std::string(40000, 'x'));
}

TEST(Tools, FormatFileSizeTable)
{
    const std::string d = Locale(LOCALE_SDECIMAL), t = Locale(LOCALE_STHOUSAND);
    EXPECT_EQ(FormatFileSize(0), "0 bytes");
    EXPECT_EQ(FormatFileSize(1), "1 byte");
    EXPECT_EQ(FormatFileSize(2), "2 bytes");
    EXPECT_EQ(FormatFileSize(1023), "1" + t + "023 bytes");
    EXPECT_EQ(FormatFileSize(1024), "1" + d + "00 KB");
    EXPECT_EQ(FormatFileSize(1024, true), "1" + d + "00 KB (1" + t + "024 bytes)");
    EXPECT_EQ(FormatFileSize(1536, true), "1" + d + "50 KB (1" + t + "536 bytes)");
    EXPECT_EQ(FormatFileSize(10240), "10" + d + "0 KB");
    EXPECT_EQ(FormatFileSize(102400), "100 KB");
    EXPECT_EQ(FormatFileSize(1048576), "1" + d + "00 MB");
    EXPECT_EQ(FormatFileSize(int32_t{-1}), "4" + d + "00 GB");
    EXPECT_EQ(FormatFileSize(int16_t{-1}), "64" + d + "0 KB");
    EXPECT_EQ(FormatFileSize(1099511627776LL), "1" + d + "00 TB");
    EXPECT_EQ(FormatFileSize(3LL * 1099511627776LL, true),
              "3" + d + "00 TB (3" + t + "298" + t + "534" + t + "883" + t + "328 bytes)");
    EXPECT_EQ(FormatFileSize(500, true), "500 bytes");
    EXPECT_EQ(FormatFileSize(1023.0), "1" + t + "023 bytes");
    // Rounding at the pattern's places: 1.999 KB is "2.00 KB", 99.96 KB "100.0 KB".
    EXPECT_EQ(FormatFileSize(2047), "2" + d + "00 KB");
    EXPECT_EQ(FormatFileSize(102359), "100" + d + "0 KB");
    EXPECT_EQ(FormatFileSize(uint32_t{4294967295u}), "4" + d + "00 GB");
}

TEST(Tools, AdjustLuma)
{
    // The platform's answer with scaling on (Wine's luminance steps differ from
    // Windows', so only the pass-through is checked).
    for (uint32_t colour : {0x404040u, 0x0080FFu, 0xFFFFFFu, 0u})
        for (int32_t n : {-500, -100, 0, 100, 500})
            EXPECT_EQ(modAPI::AdjustLuma(colour, n), static_cast<uint32_t>(ColorAdjustLuma(colour, n, TRUE)));
}

TEST(Tools, GetSpecialFolderPath)
{
    std::string documents = modAPI::GetSpecialFolderPath(CSIDL_PERSONAL);
    ASSERT_FALSE(documents.empty());
    DWORD a = GetFileAttributesA(documents.c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES) << documents;
    EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(documents.find('\0'), std::string::npos);
    // An unknown folder gives "".
    EXPECT_EQ(modAPI::GetSpecialFolderPath(0x7F), "");
}

namespace {

class FakeForm : public platform::LoadedForm {
public:
    FakeForm(std::string name, std::vector<std::string>* unloaded, bool fails = false)
        : name_(std::move(name)), unloaded_(unloaded), fails_(fails)
    {
        platform::RegisterLoadedForm(this);
    }
    ~FakeForm() override { platform::UnregisterLoadedForm(this); }
    std::string FormName() const override { return name_; }
    void Unload() override
    {
        if (fails_)
            throw std::runtime_error("cannot unload");
        unloaded_->push_back(name_);
        platform::UnregisterLoadedForm(this);
    }

private:
    std::string name_;
    std::vector<std::string>* unloaded_;
    bool fails_;
};

// Unloading it also unloads the form after it (a window that closes its child).
class ClosingForm : public FakeForm {
public:
    ClosingForm(std::string name, std::vector<std::string>* unloaded, FakeForm* child)
        : FakeForm(std::move(name), unloaded), child_(child) {}
    void Unload() override
    {
        FakeForm::Unload();
        child_->Unload();
    }

private:
    FakeForm* child_;
};

}  // namespace

TEST(WindowHelpers, IsLoadedIgnoresCase)
{
    std::vector<std::string> unloaded;
    {
        FakeForm main("frmMain", &unloaded);
        EXPECT_TRUE(modMain::IsLoaded("FRMMAIN"));
        EXPECT_TRUE(modMain::IsLoaded("frmmain"));
        EXPECT_FALSE(modMain::IsLoaded("frmHelp"));
    }
    EXPECT_FALSE(modMain::IsLoaded("frmMain"));
}

TEST(WindowHelpers, UnloadAllFormsSkipsAFailureAndWindowsClosedMeanwhile)
{
    std::vector<std::string> unloaded;
    FakeForm c("frmC", &unloaded);
    ClosingForm a("frmA", &unloaded, &c);
    FakeForm b("frmB", &unloaded, /*fails=*/true);
    FakeForm d("frmD", &unloaded);
    // Registered order: C, A, B, D. Move C after A by re-registering.
    platform::UnregisterLoadedForm(&c);
    platform::RegisterLoadedForm(&c);
    modMain::UnloadAllForms();
    EXPECT_EQ(unloaded, (std::vector<std::string>{"frmA", "frmC", "frmD"}));
    EXPECT_TRUE(modMain::IsLoaded("frmB"));
    EXPECT_FALSE(modMain::IsLoaded("frmD"));
}
