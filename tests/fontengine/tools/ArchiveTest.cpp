// Archiving removed fonts: the archive's contents and name, and what a failure keeps.
#include <windows.h>

#include <algorithm>

#include "QueueFixture.h"
#include "core/zip/cUnzip.h"
#include "fontengine/install/InstallFixture.h"
#include "support/TestEnv.h"

using namespace queuetest;

namespace {

SYSTEMTIME At(WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME t{};
    t.wYear = 2026;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    return t;
}

// The archive's entries as "name:size", sorted.
std::vector<std::string> Members(const std::string& zip)
{
    cUnzip unzip;
    unzip.SetZipFile(zip);
    EXPECT_EQ(unzip.Directory(), 0) << zip;
    std::vector<std::string> out;
    for (int32_t i = 1; i <= unzip.FileCount(); ++i) {
        EXPECT_EQ(unzip.FileDirectory(i), "");
        EXPECT_FALSE(unzip.FileEncrypted(i));
        out.push_back(unzip.Filename(i) + ":" + std::to_string(unzip.FileSize(i)));
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string Member(const TestFont& f)
{
    return f.fileName + ":" + std::to_string(ql::test::ReadFileBytes(f.path).size());
}

class ArchiveQueue : public QueueTest {
protected:
    void SetUp() override
    {
        QueueTest::SetUp();
        qlToolsPlaces::SetClock([] { return At(3, 7, 9, 5); });
    }
    void TearDown() override
    {
        if (!immutable_.empty())
            RunUnix("Z:\\usr\\bin\\chattr", "-i \"" + UnixPath(immutable_) + "\"");
        QueueTest::TearDown();
    }
    // Makes the archive folder unwritable even for root; false when this system cannot.
    bool LockArchives()
    {
        CreateDirectoryA(Archives().c_str(), nullptr);
        if (RunUnix("Z:\\usr\\bin\\chattr", "+i \"" + UnixPath(Archives()) + "\""))
            immutable_ = Archives();
        SetFileAttributesA(Archives().c_str(), FILE_ATTRIBUTE_READONLY);
        std::string probe = Archives() + "\\probe";
        for (int i = 0; i < 40; ++i) {
            if (!ql::test::WriteFileBytes(probe, "x"))
                return true;
            DeleteFileA(probe.c_str());
            Sleep(25);
        }
        return false;
    }
    void UnlockArchives()
    {
        if (!immutable_.empty())
            RunUnix("Z:\\usr\\bin\\chattr", "-i \"" + UnixPath(immutable_) + "\"");
        immutable_.clear();
        SetFileAttributesA(Archives().c_str(), FILE_ATTRIBUTE_NORMAL);
        // The host's chattr may still be running when the wait for it ends.
        std::string probe = Archives() + "\\probe";
        for (int i = 0; i < 200 && !ql::test::WriteFileBytes(probe, "x"); ++i)
            Sleep(25);
        DeleteFileA(probe.c_str());
    }
    std::string immutable_;
};

TEST_F(ArchiveQueue, ArchiveCodeUnregistersThenArchivesAndDeletes)
{
    TestFont a = Install("qzarcha.ttf");
    TestFont b = Install("qzarchb.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    main_->Processes()->Add(a.face, a.path, 1);
    main_->Processes()->Add(b.face, b.path, 1);
    std::vector<std::string> expected = {Member(a), Member(b)};

    EXPECT_TRUE(main_->Tools()->UninstallFont(a.face, true));
    EXPECT_FALSE(ValuePresent(a.value));
    EXPECT_TRUE(Exists(a.path));  // kept until it is archived
    EXPECT_FALSE(installtest::FamilyKnown(a.face));

    main_->Processes()->Item(a.face)->Success(true);
    main_->Processes()->Item(b.face)->Success(main_->Tools()->UninstallFont(b.face, true));
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    ASSERT_EQ(ArchiveFiles(), std::vector<std::string>{"Archive_03070905.qlp"});
    EXPECT_EQ(Members(Archives() + "\\Archive_03070905.qlp"), expected);
    EXPECT_FALSE(Exists(a.path));
    EXPECT_FALSE(Exists(b.path));
    EXPECT_EQ(main_->Processes()->Count(), 0);

    // Nothing left to archive: no new archive.
    EXPECT_FALSE(main_->Tools()->CreateArchive());
    EXPECT_EQ(ArchiveFiles().size(), 1u);
}

TEST_F(ArchiveQueue, SecondRunInTheSameMinuteGetsItsOwnArchive)
{
    TestFont a = Install("qzmina.ttf");
    std::string expectedA = Member(a);
    main_->Processes()->Add(a.face, a.path, 1);
    RunQueue();
    TestFont b = Install("qzminb.ttf");
    std::string expectedB = Member(b);
    main_->Processes()->Add(b.face, b.path, 1);
    RunQueue();
    TestFont c = Install("qzminc.ttf");
    main_->Processes()->Add(c.face, c.path, 1);
    std::string expectedC = Member(c);
    RunQueue();

    ASSERT_EQ(ArchiveFiles(), (std::vector<std::string>{"Archive_03070905.qlp", "Archive_03070905_2.qlp",
                                                         "Archive_03070905_3.qlp"}));
    EXPECT_EQ(Members(Archives() + "\\Archive_03070905.qlp"), std::vector<std::string>{expectedA});
    EXPECT_EQ(Members(Archives() + "\\Archive_03070905_2.qlp"), std::vector<std::string>{expectedB});
    EXPECT_EQ(Members(Archives() + "\\Archive_03070905_3.qlp"), std::vector<std::string>{expectedC});
    EXPECT_FALSE(Exists(a.path));
    EXPECT_FALSE(Exists(b.path));
    EXPECT_FALSE(Exists(c.path));
    EXPECT_EQ(main_->Processes()->Count(), 0);
}

TEST_F(ArchiveQueue, ArchiveFolderInTheWayLosesNothing)
{
    TestFont a = Install("qzway.ttf");
    ASSERT_TRUE(ql::test::WriteFileBytes(Archives(), "a file, not a folder"));
    main_->Processes()->Add(a.face, a.path, 1);
    RunQueue();

    EXPECT_TRUE(Exists(a.path));
    ASSERT_EQ(main_->Processes()->Count(), 1);
    EXPECT_TRUE(main_->Processes()->Item(1)->Success());
    EXPECT_NE(LogText().find("qlTools: CreateArchive"), std::string::npos) << LogText();

    // The next archive run packs it.
    DeleteFileA(Archives().c_str());
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(a.path));
    EXPECT_EQ(main_->Processes()->Count(), 0);
    EXPECT_EQ(ArchiveFiles().size(), 1u);
}

TEST_F(ArchiveQueue, ReadOnlyArchiveFolderLosesNothing)
{
    TestFont a = Install("qzroa.ttf");
    TestFont b = Install("qzrob.ttf");
    if (!LockArchives())
        GTEST_SKIP() << "this system cannot make a folder unwritable for the test";
    main_->Processes()->Add(a.face, a.path, 1);
    main_->Processes()->Add(b.face, b.path, 1);
    std::string bytesA = ql::test::ReadFileBytes(a.path);
    RunQueue();

    EXPECT_EQ(ql::test::ReadFileBytes(a.path), bytesA);
    EXPECT_TRUE(Exists(b.path));
    EXPECT_EQ(main_->Processes()->Count(), 2);
    EXPECT_TRUE(ArchiveFiles().empty());
    EXPECT_NE(LogText().find("stay queued"), std::string::npos) << LogText();

    UnlockArchives();
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(a.path));
    EXPECT_FALSE(Exists(b.path));
    ASSERT_EQ(ArchiveFiles().size(), 1u);
    EXPECT_EQ(Members(Archives() + "\\" + ArchiveFiles()[0]).size(), 2u);
}

TEST_F(ArchiveQueue, OneBadEntryAmongGoodOnes)
{
    TestFont keep = Install("qzgood0.ttf");
    TestFont pack = Install("qzgood1.ttf");
    TestFont bad = Install("qzbad.ttf");
    RemoveFontResourceA(bad.path.c_str());  // its resource cannot be removed
    TestFont pack2 = Install("qzgood2.ttf");
    main_->Processes()->Add(keep.face, keep.path, 0);
    main_->Processes()->Add(pack.face, pack.path, 1);
    main_->Processes()->Add(bad.face, bad.path, 1);
    main_->Processes()->Add("Qz Missing Face", fonts_ + "\\qzmissing.ttf", 1);
    main_->Processes()->Add(pack2.face, pack2.path, 1);
    std::vector<std::string> expected = {Member(pack), Member(pack2)};
    RunQueue();

    EXPECT_TRUE(Exists(Backup("qzgood0.ttf")));
    EXPECT_FALSE(Exists(keep.path));
    EXPECT_FALSE(Exists(pack.path));
    EXPECT_FALSE(Exists(pack2.path));
    ASSERT_EQ(ArchiveFiles().size(), 1u);
    EXPECT_EQ(Members(Archives() + "\\" + ArchiveFiles()[0]), expected);

    // The bad entries stay queued, marked failed, with the bad font untouched.
    ASSERT_EQ(main_->Processes()->Count(), 2);
    EXPECT_EQ(main_->Processes()->Item(1)->FaceName(), bad.face);
    EXPECT_FALSE(main_->Processes()->Item(1)->Success());
    EXPECT_FALSE(main_->Processes()->Item(2)->Success());
    EXPECT_TRUE(Exists(bad.path));
    EXPECT_EQ(ValueData(bad.value), "qzbad.ttf");
    EXPECT_FALSE(ValuePresent(pack.value));
}

TEST_F(ArchiveQueue, OnlyBackupOrFailedEntriesWriteNoArchive)
{
    TestFont a = Install("qznone.ttf");
    main_->Processes()->Add(a.face, a.path, 1);  // not processed: Success False
    main_->Processes()->Add("Qz Zero", a.path, 0)->Success(true);
    EXPECT_FALSE(main_->Tools()->CreateArchive());
    EXPECT_TRUE(ArchiveFiles().empty());
    EXPECT_TRUE(Exists(a.path));
    EXPECT_EQ(main_->Processes()->Count(), 2);
}

TEST_F(ArchiveQueue, FilesThatCannotJoinThisArchiveWaitForTheNext)
{
    // Removed fonts as the queue holds them: two files of one name from two folders,
    // and one whose file has gone.
    std::string other = root_ + "\\other";
    CreateDirectoryA(other.c_str(), nullptr);
    ASSERT_TRUE(ql::test::WriteFileBytes(fonts_ + "\\qzdup.ttf", "first"));
    ASSERT_TRUE(ql::test::WriteFileBytes(other + "\\qzdup.ttf", "second"));
    main_->Processes()->Add("Qz Gone", fonts_ + "\\qzgone.ttf", 1)->Success(true);
    main_->Processes()->Add("Qz First", fonts_ + "\\qzdup.ttf", 1)->Success(true);
    main_->Processes()->Add("Qz Second", other + "\\qzdup.ttf", 1)->Success(true);

    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(fonts_ + "\\qzdup.ttf"));
    EXPECT_EQ(ql::test::ReadFileBytes(other + "\\qzdup.ttf"), "second");
    ASSERT_EQ(main_->Processes()->Count(), 2);
    EXPECT_EQ(main_->Processes()->Item(2)->FaceName(), "Qz Second");

    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(other + "\\qzdup.ttf"));
    EXPECT_EQ(main_->Processes()->Count(), 1);  // the missing file stays listed, logged
    EXPECT_NE(LogText().find("qzgone.ttf"), std::string::npos);
    EXPECT_EQ(ArchiveFiles(), (std::vector<std::string>{"Archive_03070905.qlp", "Archive_03070905_2.qlp"}));
    EXPECT_EQ(Members(Archives() + "\\Archive_03070905_2.qlp"), std::vector<std::string>{"qzdup.ttf:6"});
}

}  // namespace
