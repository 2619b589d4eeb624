// The unzip wrapper: listing into per-entry properties, selection, extraction with
// the owner's overwrite and password answers.
#include "platform/QlError.h"
#include "core/zip/cUnzip.h"
#include "core/zip/cZip.h"
#include "core/zip/mUnzip.h"
#include "platform/zip/ZipTestKit.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>

using ql::test::MakeScratchDir;
using ql::test::ReadFileBytes;
using ql::test::WinPath;
using ql::test::WriteFileBytes;

namespace {

const std::string kFont = WinPath("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
const std::string kFont2 = WinPath("/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf");

struct Owner : cUnzipEvents, cZipEvents {
    std::string password = "TiderunKeyphrase";
    int passwordRequests = 0;
    std::vector<std::string> prompts;
    std::vector<int32_t> arrived;
    int32_t answer = 100;
    void PasswordRequest(std::string& p, bool& bCancel) override
    {
        ++passwordRequests;
        p = password;
    }
    void PasswordRequest(std::string& p, int32_t, bool, bool&) override { p = password; }
    void OverwritePrompt(const std::string& file, int32_t& eResponse) override
    {
        prompts.push_back(file);
        arrived.push_back(eResponse);
        eResponse = answer;
    }
};

class UnzipWrapper : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeScratchDir("cunzip");
        out = dir + "\\out";
        unzip.SetEvents(&owner);
    }
    void TearDown() override { ql::test::RemoveTree(dir); }
    std::string Package(const std::vector<std::string>& files, bool encrypt)
    {
        cZip z;
        z.SetEvents(&owner);
        z.SetZipFile(dir + "\\pkg.qlp");
        z.SetEncrypt(encrypt);
        for (const std::string& f : files)
            z.AddFileSpec(f);
        z.Zip();
        EXPECT_TRUE(z.Success());
        return z.ZipFile();
    }
    std::string Raw(const std::vector<ziptest::RawEntry>& entries)
    {
        std::string p = dir + "\\raw.zip";
        EXPECT_TRUE(WriteFileBytes(p, ziptest::BuildArchive(entries)));
        return p;
    }
    bool Exists(const std::string& p) { return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::string dir, out;
    Owner owner;
    cUnzip unzip;
};

}  // namespace

TEST_F(UnzipWrapper, ListsFoldersNamesAndExactFields)
{
    unzip.SetZipFile(Raw({{"fonts/sub/a.ttf", std::string(1000, 'a'), 8},
                          {"/b.ttf", "bbb"},
                          {"fonts/", ""},
                          {"c\\d.ttf", "d"}}));
    ASSERT_EQ(0, unzip.Directory());
    ASSERT_EQ(3, unzip.FileCount());
    EXPECT_EQ("fonts\\sub", unzip.FileDirectory(1));
    EXPECT_EQ("a.ttf", unzip.Filename(1));
    EXPECT_EQ("", unzip.FileDirectory(2));
    EXPECT_EQ("b.ttf", unzip.Filename(2));
    EXPECT_EQ("", unzip.FileDirectory(3));   // a backslash does not split
    EXPECT_EQ("c\\d.ttf", unzip.Filename(3));

    EXPECT_EQ(1000, unzip.FileSize(1));
    int64_t packed = int64_t(ziptest::RawDeflate(std::string(1000, 'a')).size());
    EXPECT_EQ(packed, unzip.FilePackedSize(1));
    EXPECT_EQ(int32_t((packed * 100 + 500) / 1000), unzip.FileCompressionRatio(1));
    EXPECT_EQ("Deflated", unzip.FileCompressionMethod(1));
    EXPECT_EQ("Stored", unzip.FileCompressionMethod(2));
    EXPECT_EQ(ziptest::Crc("bbb"), unzip.FileCRC(2));
    EXPECT_DOUBLE_EQ(45658.5, unzip.FileDate(2));   // 2025-01-01 12:00
    EXPECT_FALSE(unzip.FileEncrypted(2));
    EXPECT_TRUE(unzip.FileSelected(2));
    EXPECT_THROW(unzip.Filename(4), QlError);
    EXPECT_THROW(unzip.FileSelected(0), QlError);

    // A second listing replaces the first; a new archive name empties it.
    ASSERT_EQ(0, unzip.Directory());
    EXPECT_EQ(3, unzip.FileCount());
    unzip.SetZipFile(unzip.ZipFile());
    EXPECT_EQ(0, unzip.FileCount());
}

TEST_F(UnzipWrapper, DamagedOrMissingArchiveListsNothingAndSaysSo)
{
    std::string notZip = dir + "\\not.qlp";
    WriteFileBytes(notZip, "hello");
    unzip.SetZipFile(notZip);
    EXPECT_NE(0, unzip.Directory());
    EXPECT_EQ(0, unzip.FileCount());
    unzip.SetZipFile(dir + "\\missing.qlp");
    EXPECT_NE(0, unzip.Directory());
    unzip.SetUnzipFolder(out);
    EXPECT_FALSE(unzip.Unzip());
    unzip.SetZipFile("");
    EXPECT_FALSE(unzip.Unzip());
}

TEST_F(UnzipWrapper, EncryptedFlagComesFromBitSix)
{
    mUnzip::Scope scope(unzip);
    for (uint8_t flags : {uint8_t(64), uint8_t(65), uint8_t(1)})
        mUnzip::MessageCallback(10, 50, 3, 4, 2024, 5, 6, "x.ttf", "Stored", 0, flags, 5);
    mUnzip::MessageCallback(10, 50, 3, 4, 2024, 5, 6, std::string("dir/\0x", 6), "Stored", 0, 0, 5);
    ASSERT_EQ(3, unzip.FileCount());
    EXPECT_TRUE(unzip.FileEncrypted(1));
    EXPECT_TRUE(unzip.FileEncrypted(2));
    EXPECT_FALSE(unzip.FileEncrypted(3));
    EXPECT_DOUBLE_EQ(mUnzip::DateValue(2024, 3, 4, 5, 6, 0), unzip.FileDate(1));
}

TEST_F(UnzipWrapper, ExtractsTheSelectionOrEverything)
{
    unzip.SetZipFile(Raw({{"fonts/sub/a.ttf", "A"}, {"b.ttf", "B"}, {"c.ttf", "C"}}));
    unzip.SetUnzipFolder(out);
    ASSERT_EQ(0, unzip.Directory());

    unzip.SetFileSelected(2, false);
    unzip.SetFileSelected(3, false);
    ASSERT_TRUE(unzip.Unzip());
    EXPECT_EQ("A", ReadFileBytes(out + "\\a.ttf"));   // folder names dropped
    EXPECT_FALSE(Exists(out + "\\b.ttf"));

    // Nothing selected extracts nothing.
    unzip.SetFileSelected(1, false);
    EXPECT_TRUE(unzip.Unzip());
    EXPECT_FALSE(Exists(out + "\\b.ttf"));

    for (int i = 1; i <= 3; ++i)
        unzip.SetFileSelected(i, true);
    ASSERT_TRUE(unzip.Unzip());
    EXPECT_EQ("B", ReadFileBytes(out + "\\b.ttf"));
    EXPECT_EQ("C", ReadFileBytes(out + "\\c.ttf"));
}

TEST_F(UnzipWrapper, OverwriteQuestionsGoToTheOwner)
{
    unzip.SetZipFile(Package({kFont, kFont2}, false));
    unzip.SetUnzipFolder(out);
    CreateDirectoryA(out.c_str(), nullptr);
    WriteFileBytes(out + "\\DejaVuSans.ttf", "old");
    WriteFileBytes(out + "\\LiberationSerif-Regular.ttf", "old");

    unzip.SetPromptToOverwrite(true);
    ASSERT_TRUE(unzip.Unzip());   // nobody changes the answer: both stay
    EXPECT_EQ((std::vector<int32_t>{100, 100}), owner.arrived);
    EXPECT_EQ("old", ReadFileBytes(out + "\\DejaVuSans.ttf"));
    EXPECT_EQ(out + "\\DejaVuSans.ttf", owner.prompts[0]);

    owner.prompts.clear();
    owner.answer = 103;
    ASSERT_TRUE(unzip.Unzip());
    EXPECT_EQ(1u, owner.prompts.size());
    EXPECT_EQ(ReadFileBytes(kFont2), ReadFileBytes(out + "\\LiberationSerif-Regular.ttf"));
    EXPECT_EQ(0, owner.passwordRequests);
}

TEST_F(UnzipWrapper, PackagePasswordIsAskedAndBounded)
{
    std::string pkg = Package({kFont, kFont2}, true);
    unzip.SetZipFile(pkg);
    unzip.SetUnzipFolder(out);
    ASSERT_EQ(0, unzip.Directory());
    EXPECT_TRUE(unzip.FileEncrypted(1));
    unzip.SetFileSelected(1, false);
    ASSERT_TRUE(unzip.Unzip());
    EXPECT_EQ(1, owner.passwordRequests);
    EXPECT_EQ(ReadFileBytes(kFont2), ReadFileBytes(out + "\\LiberationSerif-Regular.ttf"));
    EXPECT_FALSE(Exists(out + "\\DejaVuSans.ttf"));

    // The same wrong answer every time ends the run with a failure.
    cUnzip other;
    Owner wrong;
    wrong.password = "NotThePassword";
    other.SetEvents(&wrong);
    other.SetZipFile(pkg);
    other.SetUnzipFolder(dir + "\\out2");
    EXPECT_FALSE(other.Unzip());
    EXPECT_LE(wrong.passwordRequests, 3);
    EXPECT_FALSE(Exists(dir + "\\out2\\DejaVuSans.ttf"));

    // Blanks cancel at the first request.
    wrong.password = "   ";
    wrong.passwordRequests = 0;
    EXPECT_FALSE(other.Unzip());
    EXPECT_EQ(1, wrong.passwordRequests);
}
