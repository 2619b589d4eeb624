// The zip wrapper: its option properties, its events, and a result that never reads
// as success after a failure.
#include "platform/QlError.h"
#include "core/zip/cUnzip.h"
#include "core/zip/cZip.h"
#include "core/zip/mZip.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

using ql::test::MakeScratchDir;
using ql::test::ReadFileBytes;
using ql::test::WinPath;
using ql::test::WriteFileBytes;

namespace {

const std::string kFont = WinPath("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
const std::string kFont2 = WinPath("/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf");

struct Owner : cZipEvents {
    std::string password = "TiderunKeyphrase";
    std::vector<bool> confirms;
    std::vector<int32_t> maxLengths;
    std::vector<std::string> progress, cancels;
    std::string cancelAt;
    int comments = 0;
    bool throwOnPassword = false;
    std::function<void()> onProgress;

    void PasswordRequest(std::string& p, int32_t lMax, bool bConfirm, bool& bCancel) override
    {
        confirms.push_back(bConfirm);
        maxLengths.push_back(lMax);
        if (throwOnPassword)
            throw std::runtime_error("handler failed");
        p = password;
    }
    void CommentRequest(std::string& c, bool& bCancel) override
    {
        ++comments;
        c = "   ";
    }
    void Progress(int32_t n, const std::string& m) override
    {
        EXPECT_EQ(1, n);
        progress.push_back(m);
        if (onProgress)
            onProgress();
    }
    void Cancel(const std::string& m, bool& bCancel) override
    {
        cancels.push_back(m);
        bCancel = m == cancelAt;
    }
};

class ZipWrapper : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeScratchDir("czip");
        zip.SetEvents(&owner);
        zip.SetZipFile(dir + "\\p.qlp");
    }
    void TearDown() override { ql::test::RemoveTree(dir); }
    std::string dir;
    Owner owner;
    cZip zip;
};

}  // namespace

TEST(ZipWrapperOptions, PropertiesReadBackAsSet)
{
    cZip z;
    EXPECT_FALSE(z.StoreDirectories());
    EXPECT_FALSE(z.StoreFolderNames());
    EXPECT_FALSE(z.RecurseSubDirs());
    EXPECT_FALSE(z.Success());
    z.SetStoreDirectories(true);
    EXPECT_TRUE(z.StoreDirectories());
    z.SetRecurseSubDirs(true);
    EXPECT_TRUE(z.RecurseSubDirs());
    z.SetMessageLevel(1);
    z.SetMessageLevel(5);
    EXPECT_EQ(1, z.MessageLevel());
    z.SetMessageLevel(0);
    EXPECT_EQ(0, z.MessageLevel());
    z.SetMessageLevel(2);
    EXPECT_EQ(2, z.MessageLevel());

    EXPECT_EQ(0, z.AddFileSpec("a"));
    z.AddFileSpec("b");
    EXPECT_EQ(2, z.FileSpecCount());
    EXPECT_EQ("b", z.FileSpec(2));
    try {
        z.FileSpec(3);
        FAIL() << "no error";
    } catch (const QlError& e) {
        EXPECT_EQ(9, e.Number);
    }
    EXPECT_THROW(z.FileSpec(0), QlError);
    z.ClearFileSpecs();
    EXPECT_EQ(0, z.FileSpecCount());
}

TEST_F(ZipWrapper, ZipsAndReportsProgress)
{
    zip.AddFileSpec(kFont);
    zip.AddFileSpec(kFont2);
    zip.Zip();
    ASSERT_TRUE(zip.Success());
    EXPECT_EQ(2u, owner.progress.size());
    EXPECT_NE(std::string::npos, owner.progress[0].find("DejaVuSans.ttf"));
    EXPECT_EQ((std::vector<std::string>{"DejaVuSans.ttf", "LiberationSerif-Regular.ttf"}), owner.cancels);
    EXPECT_TRUE(owner.confirms.empty());
}

TEST_F(ZipWrapper, FailureNeverReadsAsSuccess)
{
    zip.AddFileSpec(kFont);
    zip.Zip();
    ASSERT_TRUE(zip.Success());
    std::string before = ReadFileBytes(zip.ZipFile());

    zip.AddFileSpec(dir + "\\missing.ttf");
    zip.Zip();
    EXPECT_FALSE(zip.Success());
    EXPECT_EQ(before, ReadFileBytes(zip.ZipFile()));

    // The owner stops at the second file: nothing changes.
    zip.ClearFileSpecs();
    zip.AddFileSpec(kFont);
    zip.AddFileSpec(kFont2);
    owner.cancelAt = "LiberationSerif-Regular.ttf";
    zip.Zip();
    EXPECT_FALSE(zip.Success());
    EXPECT_EQ(before, ReadFileBytes(zip.ZipFile()));

    // Delete keeps the previous result.
    cZip del;
    del.SetZipFile(zip.ZipFile());
    del.AddFileSpec("DejaVuSans.ttf");
    del.Delete();
    EXPECT_FALSE(del.Success());
}

TEST_F(ZipWrapper, MoreThan1023FilesFitInOneArchive)
{
    std::string src = dir + "\\many";
    CreateDirectoryA(src.c_str(), nullptr);
    for (int i = 0; i < 1025; ++i) {
        std::string p = src + "\\f" + std::to_string(i) + ".fon";
        ASSERT_TRUE(WriteFileBytes(p, std::to_string(i)));
        zip.AddFileSpec(p);
    }
    zip.Zip();
    ASSERT_TRUE(zip.Success());
    cUnzip u;
    u.SetZipFile(zip.ZipFile());
    EXPECT_EQ(0, u.Directory());
    EXPECT_EQ(1025, u.FileCount());
}

TEST_F(ZipWrapper, EncryptsWithThePasswordTheOwnerGives)
{
    zip.SetEncrypt(true);
    zip.AddFileSpec(kFont);
    zip.Zip();
    ASSERT_TRUE(zip.Success());
    EXPECT_EQ((std::vector<bool>{false, true}), owner.confirms);
    EXPECT_EQ(mZip::kPasswordBuffer, owner.maxLengths[0]);

    cUnzip u;
    u.SetZipFile(zip.ZipFile());
    ASSERT_EQ(0, u.Directory());
    EXPECT_TRUE(u.FileEncrypted(1));
}

TEST_F(ZipWrapper, BlankOrFailingPasswordAnswerCancels)
{
    zip.AddFileSpec(kFont2);
    zip.Zip();
    ASSERT_TRUE(zip.Success());
    std::string before = ReadFileBytes(zip.ZipFile());
    zip.ClearFileSpecs();
    zip.SetEncrypt(true);
    zip.AddFileSpec(kFont);
    owner.password = "    ";
    zip.Zip();
    EXPECT_FALSE(zip.Success());
    EXPECT_EQ(1u, owner.confirms.size());

    owner.confirms.clear();
    owner.throwOnPassword = true;
    zip.Zip();
    EXPECT_FALSE(zip.Success());
    EXPECT_EQ(1u, owner.confirms.size());
    EXPECT_EQ(before, ReadFileBytes(zip.ZipFile()));

    // Once cancelled, later requests of the operation answer 1 without an event.
    owner.throwOnPassword = false;
    owner.password = " ";
    owner.confirms.clear();
    mZip::Scope scope(zip);
    std::string p;
    EXPECT_EQ(1, mZip::PasswordCallback(p, 255));
    EXPECT_EQ(1, mZip::PasswordCallback(p, 255));
    EXPECT_EQ(1, mZip::CommentCallback(p));
    EXPECT_EQ(1u, owner.confirms.size());
    EXPECT_EQ(0, owner.comments);
}

TEST_F(ZipWrapper, CallbacksPassOnlyMessagesInTheLengthWindow)
{
    mZip::Scope scope(zip);
    mZip::PrintCallback("x", 1);
    std::string long1024(1024, 'a');
    mZip::PrintCallback(long1024.data(), long1024.size());
    EXPECT_TRUE(owner.progress.empty());
    mZip::PrintCallback("a/b\0junk", 8);
    ASSERT_EQ(1u, owner.progress.size());
    EXPECT_EQ("a\\b", owner.progress[0]);
    std::string long1023(1023, 'a');
    mZip::PrintCallback(long1023.data(), long1023.size());
    EXPECT_EQ(2u, owner.progress.size());

    owner.cancelAt = "stop";
    EXPECT_EQ(0, mZip::ServiceCallback("go", 2));
    EXPECT_EQ(1, mZip::ServiceCallback("stop", 4));
    std::string p;
    EXPECT_EQ(1, mZip::PasswordCallback(p, 255));   // the latch is set now
    EXPECT_TRUE(owner.confirms.empty());

    mZip::Scope nested(zip);
    EXPECT_TRUE(nested.Refused());
}

TEST_F(ZipWrapper, PasswordIsCutToTheBuffer)
{
    mZip::Scope scope(zip);
    owner.password = std::string(300, 'k');
    std::string p;
    EXPECT_EQ(0, mZip::PasswordCallback(p, 255));
    EXPECT_EQ(254u, p.size());
    EXPECT_EQ(0, mZip::PasswordCallback(p, 255));
    EXPECT_EQ((std::vector<bool>{false, true}), owner.confirms);
}

TEST_F(ZipWrapper, NestedOperationIsRefused)
{
    cZip inner;
    inner.SetZipFile(dir + "\\inner.zip");
    inner.AddFileSpec(kFont2);
    owner.onProgress = [&] { inner.Zip(); };
    zip.AddFileSpec(kFont);
    zip.Zip();
    EXPECT_TRUE(zip.Success());
    EXPECT_FALSE(inner.Success());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "\\inner.zip").c_str()));
}

TEST_F(ZipWrapper, CommentRequestOnlyWhenAsked)
{
    zip.AddFileSpec(kFont);
    zip.SetAddComment(true);
    zip.Zip();   // the owner answers blanks: cancelled
    EXPECT_FALSE(zip.Success());
    EXPECT_EQ(1, owner.comments);
}
