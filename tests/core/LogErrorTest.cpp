// The error log: switch, line format, folder creation, appending, and the one box per
// run when an entry cannot be written.
#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/RegistryScratch.h"
#include "core/modMain.h"
#include "core/registry/modRegistry.h"
#include "platform/ErrorReporter.h"
#include "platform/forms/Seams.h"
#include "support/TestEnv.h"

namespace {

class LogErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = ql::test::MakeScratchDir("log");
        modMain::SetLogSettingsKey(key_.Path());
        modMain::SetLogFolder(dir_ + "\\Quillery Pro");
        modMain::ResetLogErrorBox();
        platform::forms::BeginScript();
    }
    void TearDown() override
    {
        platform::forms::EndScript();
        modMain::SetLogFolder("");
        modMain::SetLogSettingsKey("");
        modMain::SetDocumentsLookup(nullptr);
        modMain::ResetLogErrorBox();
        ql::test::RemoveTree(dir_);
    }
    void Logging(const std::string& value) { modRegistry::SaveSetting(key_.Path(), "logging", value); }
    std::string LogText() { return ql::test::ReadFileBytes(dir_ + "\\Quillery Pro\\quillerypro.log"); }

    ql::test::ScratchKey key_{"log"};
    std::string dir_;
    // What the scripted message boxes showed.
    const std::vector<platform::forms::ShownCall>& Boxes() { return platform::forms::ScriptLog(); }
};

// "<short date> <long time>  source , Error: n - desc\r\n"
const std::regex kLine(R"(^\S+ \S+( [AP]M)?  (.*) , Error: (.*) - (.*)\r\n$)");

}  // namespace

TEST_F(LogErrorTest, OffByDefaultWritesNothing)
{
    modMain::LogError("qlFonts: GetInstalledFonts", "5", "Invalid procedure call");
    EXPECT_EQ(GetFileAttributesA((dir_ + "\\Quillery Pro").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LogErrorTest, YesIsNotOn)
{
    Logging("yes");
    modMain::LogError("src", "1", "d");
    EXPECT_EQ(LogText(), "");
}

TEST_F(LogErrorTest, TrueInAnyCaseWritesTheLineFormat)
{
    Logging("true");
    modMain::LogError("qlFonts: GetInstalledFonts", "5", "Invalid procedure call or argument");
    std::string text = LogText();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, kLine)) << text;
    EXPECT_EQ(m[2].str(), "qlFonts: GetInstalledFonts");
    EXPECT_EQ(m[3].str(), "5");
    EXPECT_EQ(m[4].str(), "Invalid procedure call or argument");

    // The date part is the system's short date and long time of now.
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    EXPECT_EQ(text.rfind(std::string(date) + " ", 0), 0u) << text;
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LogErrorTest, CreatesTheFolderAndAppends)
{
    Logging("TRUE");
    modMain::LogError("a: one", "1", "first");
    modMain::LogError("b: two", -2147194455, "second");
    std::string text = LogText();
    std::size_t split = text.find("\r\n");
    ASSERT_NE(split, std::string::npos);
    std::string first = text.substr(0, split + 2), second = text.substr(split + 2);
    EXPECT_TRUE(std::regex_match(first, kLine)) << first;
    EXPECT_TRUE(std::regex_match(second, kLine)) << second;
    EXPECT_NE(first.find("  a: one , Error: 1 - first\r\n"), std::string::npos);
    EXPECT_NE(second.find("  b: two , Error: -2147194455 - second\r\n"), std::string::npos);
}

TEST_F(LogErrorTest, SwitchIsReadAtEveryCall)
{
    Logging("True");
    modMain::LogError("s", "1", "on");
    Logging("False");
    modMain::LogError("s", "2", "off");
    std::string text = LogText();
    EXPECT_NE(text.find("on\r\n"), std::string::npos);
    EXPECT_EQ(text.find("off"), std::string::npos);
}

TEST_F(LogErrorTest, UnwritableFolderShowsTheBoxOncePerRun)
{
    Logging("True");
    // One level is created, not two: the folder cannot be made.
    modMain::SetLogFolder(dir_ + "\\missing\\Quillery Pro");
    for (int i = 0; i < 5; ++i)
        modMain::LogError("s", "1", "d");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "There was an error in creating an error log entry");
    EXPECT_EQ(Boxes()[0].detail, "Log Error");
    EXPECT_EQ(Boxes()[0].flags & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(LogErrorTest, AFileInPlaceOfTheFolderFails)
{
    Logging("True");
    ASSERT_TRUE(ql::test::WriteFileBytes(dir_ + "\\Quillery Pro", "not a folder"));
    modMain::LogError("s", "1", "d");
    modMain::LogError("s", "1", "d");
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(LogErrorTest, UnknownDocumentsFolderNeverLogsToADriveRoot)
{
    Logging("True");
    modMain::SetLogFolder("");
    modMain::SetDocumentsLookup([] { return std::string(); });
    EXPECT_EQ(modMain::LogFilePath(), "");
    modMain::LogError("s", "1", "d");
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(GetFileAttributesA("\\Quillery Pro"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\Quillery Pro"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LogErrorTest, DefaultFolderIsUnderDocuments)
{
    modMain::SetLogFolder("");
    modMain::SetDocumentsLookup([this] { return dir_; });
    EXPECT_EQ(modMain::LogFilePath(), dir_ + "\\Quillery Pro\\quillerypro.log");
    Logging("True");
    modMain::LogError("s", "1", "under documents");
    EXPECT_NE(LogText().find("under documents"), std::string::npos);
}

TEST_F(LogErrorTest, RealDocumentsLookupIsUsedWhenNothingIsInjected)
{
    modMain::SetLogFolder("");
    std::string path = modMain::LogFilePath();
    EXPECT_NE(path, "");
    EXPECT_NE(path.find("\\Quillery Pro\\quillerypro.log"), std::string::npos) << path;
    EXPECT_NE(path.substr(0, 3), "\\Qu");
}

TEST_F(LogErrorTest, PlatformReportsReachTheLogOnceInstalled)
{
    Logging("True");
    platform::SetErrorReporter(nullptr);
    platform::ReportError("dropped", 1, "before install");
    modMain::InstallErrorReporter();
    platform::ReportError("Forms: Click", 91, "Object variable not set");
    platform::SetErrorReporter(nullptr);
    std::string text = LogText();
    EXPECT_EQ(text.find("before install"), std::string::npos);
    EXPECT_NE(text.find("  Forms: Click , Error: 91 - Object variable not set\r\n"), std::string::npos) << text;
}
