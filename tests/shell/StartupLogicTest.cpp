// The start's pure logic: initial view settings, presets, numbers, the command line.
#include <map>

#include "fontengine/qlDisplay.h"
#include "shell/CommandLine.h"
#include "shell/StartupSettings.h"

#include <gtest/gtest.h>

namespace {

qlDisplay Start(std::map<std::string, std::string> stored)
{
    qlDisplay d;
    StartupSettings::Apply(d, [&](const std::string& name, const std::string& def) {
        auto it = stored.find(name);
        return it == stored.end() || it->second.empty() ? def : it->second;
    });
    return d;
}

}  // namespace

TEST(StartupSettings, AnEmptyStoreGivesTheDefaults)
{
    qlDisplay d = Start({});
    EXPECT_EQ(d.BackColor(), 16777215u);
    EXPECT_EQ(d.ForeColor(), 0u);
    EXPECT_EQ(d.FontSize(), 14);
    EXPECT_EQ(d.Style(), 1);
    EXPECT_EQ(d.CustomText(), "Quillery Pro");
    EXPECT_EQ(d.Text(), "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz");
    EXPECT_EQ(d.DisplaySizes(), "8,10,16,24,36");
    EXPECT_EQ(d.FontName(), "Arial");
    EXPECT_EQ(d.CurrentView(), 0);
    EXPECT_EQ(d.CharacterSet(), 1);
    EXPECT_EQ(d.FontType(), 12);
}

TEST(StartupSettings, StoredValuesAndPresets)
{
    qlDisplay d = Start({{"prop_backcolor", "255"}, {"prop_forecolor", "65280"}, {"prop_size", "36"},
                         {"display_style", "3"}, {"prop_customtext", "Hello"}, {"display_text", "5"},
                         {"prop_displaysizes", "9,12"}});
    EXPECT_EQ(d.BackColor(), 255u);
    EXPECT_EQ(d.ForeColor(), 65280u);
    EXPECT_EQ(d.FontSize(), 36);
    EXPECT_EQ(d.Style(), 3);
    EXPECT_EQ(d.Text(), "Hello");
    EXPECT_EQ(d.DisplaySizes(), "9,12");
    EXPECT_EQ(Start({{"display_text", "7"}}).Text(), "");
    EXPECT_EQ(Start({{"display_text", "3"}}).Text(), "0123456789!@#$%^&*()~-_+=:;\"',<.>/?");
    EXPECT_EQ(Start({{"display_text", "3"}}).Text().size(), 35u);
    EXPECT_EQ(Start({{"display_text", "2"}}).Text(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ<>abcdefghijklmnopqrstuvwxyz");
}

TEST(StartupSettings, ANumberThatDoesNotConvertTakesItsDefault)
{
    qlDisplay d = Start({{"prop_size", "abc"}, {"prop_backcolor", "white"}, {"prop_forecolor", "99999999999"},
                         {"display_style", "1e"}});
    EXPECT_EQ(d.FontSize(), 14);
    EXPECT_EQ(d.BackColor(), 16777215u);
    EXPECT_EQ(d.ForeColor(), 0u);
    EXPECT_EQ(d.Style(), 1);
    // Sizes go through a fraction and round halves to even.
    EXPECT_EQ(Start({{"prop_size", "10.5"}}).FontSize(), 10);
    EXPECT_EQ(Start({{"prop_size", "11.5"}}).FontSize(), 12);
    EXPECT_EQ(Start({{"prop_size", "40000"}}).FontSize(), 14) << "out of the 16-bit range";
    EXPECT_EQ(StartupSettings::ToLong(" &HFF "), 255);
    EXPECT_EQ(StartupSettings::ToLong("-2147483648"), INT32_MIN);
    EXPECT_FALSE(StartupSettings::ToLong("2147483648"));
    EXPECT_FALSE(StartupSettings::ToLong("."));
}

TEST(CommandLine, OnlyAPackagePathIsTaken)
{
    EXPECT_EQ(CommandLine::PackagePath("\"C:\\Fonts\\My Pack.qlp\""), "C:\\Fonts\\My Pack.qlp");
    EXPECT_EQ(CommandLine::PackagePath("C:\\Fonts\\PACK.QLP"), "C:\\Fonts\\PACK.QLP");
    EXPECT_EQ(CommandLine::PackagePath("C:\\Fonts\\arial.ttf"), "");
    EXPECT_EQ(CommandLine::PackagePath(""), "");
    EXPECT_EQ(CommandLine::PackagePath("\""), "");
    EXPECT_EQ(CommandLine::PackagePath("qlp"), "qlp");
}
