// No font lost when another process gets in the way: a second instance archiving in the
// same minute, a program holding a font open, a full disk under the backup folder, a run
// killed while it wrote its archive.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "ChildTest.h"
#include "QueueFixture.h"
#include "core/zip/cUnzip.h"
#include "support/TestEnv.h"

using namespace queuetest;

namespace {

constexpr DWORD kChildTimeout = 120000;

std::vector<std::string> Members(const std::string& zip)
{
    cUnzip unzip;
    unzip.SetZipFile(zip);
    EXPECT_EQ(unzip.Directory(), 0) << zip;
    std::vector<std::string> out;
    for (int32_t i = 1; i <= unzip.FileCount(); ++i)
        out.push_back(unzip.Filename(i) + ":" + std::to_string(unzip.FileSize(i)));
    return out;
}

std::string Member(const TestFont& f)
{
    return f.fileName + ":" + std::to_string(ql::test::ReadFileBytes(f.path).size());
}

class OtherProcess : public QueueTest {
protected:
    void SetUp() override
    {
        QueueTest::SetUp();
        qlToolsPlaces::SetClock([] {
            SYSTEMTIME t{};
            t.wYear = 2026;
            t.wMonth = 5;
            t.wDay = 14;
            t.wHour = 22;
            t.wMinute = 41;
            return t;
        });
    }
    // Queues fonts for archiving and removes them, as the queue window does first.
    std::vector<TestFont> RemoveForArchive(const std::string& prefix, int count)
    {
        std::vector<TestFont> fonts;
        for (int i = 0; i < count; ++i) {
            TestFont f = Install(prefix + std::to_string(i) + ".ttf");
            main_->Processes()->Add(f.face, f.path, 1);
            main_->Processes()->Item(f.face)->Success(main_->Tools()->UninstallFont(f.face, true));
            fonts.push_back(f);
        }
        return fonts;
    }
};

}  // namespace

// One of two instances of the program (run by the test below).
TEST_F(OtherProcess, DISABLED_ArchivingInstance)
{
    std::string program = ChildVariable("QL_RACE_PROGRAM");
    if (program.empty())
        GTEST_SKIP() << "started by TwoInstancesArchivingInOneMinuteLoseNothing";
    UseProgramFolder(program);
    std::vector<TestFont> fonts = RemoveForArchive("qzrace" + ChildVariable("QL_RACE_INDEX") + "_", 3);
    std::ostringstream report;
    for (const TestFont& f : fonts)
        report << Member(f) << "\n" << f.path << "\n";
    ASSERT_TRUE(ql::test::WriteFileBytes(ChildVariable("QL_RACE_REPORT"), report.str()));

    Signal ready(ChildVariable("QL_RACE_READY")), go(ChildVariable("QL_RACE_GO"));
    ready.Set();
    ASSERT_TRUE(go.WaitFor(kChildTimeout));
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_EQ(main_->Processes()->Count(), 0);
}

TEST_F(OtherProcess, TwoInstancesArchivingInOneMinuteLoseNothing)
{
    CreateDirectoryA(Archives().c_str(), nullptr);
    Signal go("QlRaceGo" + tag_);
    std::vector<std::unique_ptr<Signal>> ready;
    std::vector<std::unique_ptr<ChildTest>> children;
    for (int i = 0; i < 2; ++i) {
        ready.push_back(std::make_unique<Signal>("QlRaceReady" + tag_ + std::to_string(i)));
        children.push_back(std::make_unique<ChildTest>(
            "OtherProcess.DISABLED_ArchivingInstance",
            std::vector<std::pair<std::string, std::string>>{{"QL_RACE_PROGRAM", program_},
                                                              {"QL_RACE_INDEX", std::to_string(i)},
                                                              {"QL_RACE_REPORT", root_ + "\\report" + std::to_string(i)},
                                                              {"QL_RACE_READY", ready.back()->Name()},
                                                              {"QL_RACE_GO", go.Name()}}));
        ASSERT_TRUE(children.back()->Started());
    }
    // Both have removed their fonts and wait: they now name their archives at once.
    for (auto& r : ready)
        ASSERT_TRUE(r->WaitFor(kChildTimeout));
    go.Set();
    for (auto& c : children)
        EXPECT_EQ(c->Wait(kChildTimeout), 0);

    std::multiset<std::string> expected, archived;
    for (int i = 0; i < 2; ++i) {
        std::istringstream report(ql::test::ReadFileBytes(root_ + "\\report" + std::to_string(i)));
        for (std::string member, path; std::getline(report, member) && std::getline(report, path);) {
            expected.insert(member);
            EXPECT_FALSE(Exists(path)) << path;
        }
    }
    ASSERT_EQ(expected.size(), 6u);
    std::vector<std::string> archives = ArchiveFiles();
    EXPECT_EQ(archives, (std::vector<std::string>{"Archive_05142241.qlp", "Archive_05142241_2.qlp"}));
    for (const std::string& a : archives)
        for (const std::string& m : Members(Archives() + "\\" + a))
            archived.insert(m);
    EXPECT_EQ(archived, expected);   // every removed font is in an archive
}

// Holds a file open, without letting anyone delete it, until told to let go.
TEST(OtherProgram, DISABLED_HoldFileOpen)
{
    std::string file = ChildVariable("QL_HOLD_FILE");
    if (file.empty())
        GTEST_SKIP() << "started by FontHeldOpenByAnotherProgramStaysQueued";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Signal held(ChildVariable("QL_HOLD_READY")), release(ChildVariable("QL_HOLD_RELEASE"));
    held.Set();
    EXPECT_TRUE(release.WaitFor(kChildTimeout));
    CloseHandle(h);
}

TEST_F(OtherProcess, FontHeldOpenByAnotherProgramStaysQueued)
{
    std::vector<TestFont> fonts = RemoveForArchive("qzheld", 2);
    Signal held("QlHeld" + tag_), release("QlRelease" + tag_);
    ChildTest holder("OtherProgram.DISABLED_HoldFileOpen", {{"QL_HOLD_FILE", fonts[0].path},
                                                            {"QL_HOLD_READY", held.Name()},
                                                            {"QL_HOLD_RELEASE", release.Name()}});
    ASSERT_TRUE(holder.Started());
    ASSERT_TRUE(held.WaitFor(kChildTimeout));

    EXPECT_FALSE(main_->Tools()->CreateArchive());   // told
    EXPECT_TRUE(Exists(fonts[0].path));
    EXPECT_FALSE(Exists(fonts[1].path));
    ASSERT_EQ(main_->Processes()->Count(), 1);
    EXPECT_EQ(main_->Processes()->Item(1)->FaceName(), fonts[0].face);
    EXPECT_NE(LogText().find("Cannot delete " + fonts[0].path), std::string::npos) << LogText();

    release.Set();
    EXPECT_EQ(holder.Wait(kChildTimeout), 0);
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(fonts[0].path));
    EXPECT_EQ(main_->Processes()->Count(), 0);
    EXPECT_EQ(ArchiveFiles().size(), 2u);
}

TEST_F(OtherProcess, PartialArchivesOfAKilledRunAreRemovedByTheNextRun)
{
    CreateDirectoryA(Archives().c_str(), nullptr);
    // Process ids under Windows are multiples of four: 4000001 is never one.
    std::string dead = Archives() + "\\~qz4000001-0.tmp";
    std::string live = Archives() + "\\~qz" + std::to_string(GetCurrentProcessId()) + "-900.tmp";
    ASSERT_TRUE(ql::test::WriteFileBytes(dead, "partial archive"));
    ASSERT_TRUE(ql::test::WriteFileBytes(live, "another instance, still writing"));
    RemoveForArchive("qzkilled", 1);
    EXPECT_TRUE(main_->Tools()->CreateArchive());
    EXPECT_FALSE(Exists(dead));
    EXPECT_TRUE(Exists(live));
}

TEST_F(OtherProcess, BackupCopyCutShortByAFullDiskIsRemoved)
{
    // A filesystem smaller than the font under the backup folder (needs mount rights).
    std::string backups = program_ + "\\Fonts";
    CreateDirectoryA(backups.c_str(), nullptr);
    RunUnix("Z:\\bin\\mount", "-t tmpfs -o size=64k qltest \"" + UnixPath(backups) + "\"");
    // Waiting for a host program does not always wait for its end: probe until it shows.
    std::string probe = backups + "\\probe";
    auto full = [&] {
        bool wrote = ql::test::WriteFileBytes(probe, std::string(200000, 'p'));
        DeleteFileA(probe.c_str());
        return !wrote;
    };
    struct Unmount {
        std::string path;
        std::function<bool()> full;
        ~Unmount()
        {
            RunUnix("Z:\\bin\\umount", "-l \"" + path + "\"");
            for (int i = 0; i < 200 && full(); ++i)
                Sleep(25);
        }
    } unmount{UnixPath(backups), full};
    bool mounted = false;
    for (int i = 0; i < 200 && !mounted; ++i) {
        mounted = full();
        if (!mounted)
            Sleep(25);
    }
    if (!mounted)
        GTEST_SKIP() << "this system cannot mount a small filesystem for the test";

    TestFont a = Install("qzfull.ttf");
    main_->Processes()->Add(a.face, a.path, 0);
    EXPECT_FALSE(main_->Tools()->UninstallFont(a.face, false));
    EXPECT_FALSE(Exists(Backup("qzfull.ttf")));   // nothing that looks like its backup
    EXPECT_TRUE(Exists(a.path));
    EXPECT_TRUE(ValuePresent(a.value));
}
