// The settings store: GetSetting and SaveSetting against the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "core/RegistryScratch.h"
#include "core/registry/Settings.h"
#include "core/registry/modRegistry.h"

using ql::test::ScratchKey;
using modRegistry::GetSetting;
using modRegistry::SaveSetting;

TEST(Settings, RoundTrip)
{
    ScratchKey k("set");
    SaveSetting(k.Path(), "prop_size", "24");
    EXPECT_EQ(GetSetting(k.Path(), "prop_size", "14"), "24");
    SaveSetting(k.Path(), "prop_size", "12");
    EXPECT_EQ(GetSetting(k.Path(), "prop_size", "14"), "12");
}

TEST(Settings, SaveCreatesNestedKeys)
{
    ScratchKey k("set");
    SaveSetting(k.Sub("a\\b"), "x", "y");
    EXPECT_EQ(GetSetting(k.Sub("a\\b"), "x", ""), "y");
}

TEST(Settings, MissingKeyOrValueGivesTheDefault)
{
    ScratchKey k("set");
    EXPECT_EQ(GetSetting(k.Path(), "logging", "False"), "False");
    ASSERT_TRUE(k.PutText("other", "1"));
    EXPECT_EQ(GetSetting(k.Path(), "logging", "False"), "False");
}

TEST(Settings, EmptyValueReadsTheDefault)
{
    ScratchKey k("set");
    SaveSetting(k.Path(), "browse_folder", "");
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(k.Get("browse_folder", type, bytes));
    EXPECT_EQ(GetSetting(k.Path(), "browse_folder", "C:\\Fonts"), "C:\\Fonts");
}

TEST(Settings, DwordFiveReadsAsText)
{
    ScratchKey k("set");
    ASSERT_TRUE(k.PutDword("slideshow_speed", 5));
    EXPECT_EQ(GetSetting(k.Path(), "slideshow_speed", "500"), "5");
}

TEST(Settings, BinaryValueGivesTheDefault)
{
    ScratchKey k("set");
    ASSERT_TRUE(k.Put("b", REG_BINARY, "\x01\x02", 2));
    EXPECT_EQ(GetSetting(k.Path(), "b", "d"), "d");
}

TEST(Settings, TextWithPercentSignsIsStoredAsIs)
{
    ScratchKey k("set");
    SaveSetting(k.Path(), "prop_customtext", "50% off %OS% at %TEMP%");
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(k.Get("prop_customtext", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(GetSetting(k.Path(), "prop_customtext", ""), "50% off %OS% at %TEMP%");
}

TEST(Settings, StoredExpandStringReadsExpanded)
{
    ScratchKey k("set");
    ASSERT_TRUE(k.PutText("startup_folder", "%TEMP%", REG_EXPAND_SZ));
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("TEMP", temp, MAX_PATH), 0u);
    EXPECT_EQ(GetSetting(k.Path(), "startup_folder", ""), temp);
}

TEST(Settings, SaveIntoAnUnopenableKeyRaises)
{
    // A key path below a value-less root that cannot be created: HKCU with an invalid
    // path (a leading backslash is refused by the registry).
    EXPECT_THROW(SaveSetting("\\\\bad\\", "x", "y"), QlError);
}

TEST(Settings, TheProgramsOwnKey)
{
    // The real settings key (in the throw-away prefix); only a value of this test's own
    // is written, and removed again.
    std::string name = "qltest_" + std::to_string(GetCurrentProcessId());
    SaveSetting(modRegistry::kSettingsKey, name, "%TEMP%");
    EXPECT_EQ(GetSetting(modRegistry::kSettingsKey, name, "d"), "%TEMP%");
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Tamsel\\Quillery Pro\\4", 0, KEY_ALL_ACCESS, &h),
              ERROR_SUCCESS);
    DWORD five = 5;
    ASSERT_EQ(RegSetValueExA(h, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&five), 4), ERROR_SUCCESS);
    EXPECT_EQ(GetSetting(modRegistry::kSettingsKey, name, "d"), "5");
    EXPECT_EQ(RegDeleteValueA(h, name.c_str()), ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_EQ(GetSetting(modRegistry::kSettingsKey, name, "d"), "d");
}

TEST(Settings, TableHasTheTwentyEightSettings)
{
    EXPECT_EQ(Settings::kCount, 28u);
    EXPECT_STREQ(Settings::kLogging.name, "logging");
    EXPECT_STREQ(Settings::kLogging.usualDefault, "False");
    EXPECT_STREQ(Settings::kPropCustomText.usualDefault, "Quillery Pro");
    for (std::size_t i = 0; i < Settings::kCount; ++i)
        for (std::size_t j = i + 1; j < Settings::kCount; ++j)
            EXPECT_STRNE(Settings::kAll[i].name, Settings::kAll[j].name);
}
