// Removing queued fonts: the order of the steps, backups and what a failure leaves.
#include <windows.h>

#include "QueueFixture.h"
#include "fontengine/FontFixtures.h"
#include "fontengine/install/InstallFixture.h"
#include "support/TestEnv.h"

using namespace queuetest;

namespace {

std::string Bytes(const std::string& path) { return ql::test::ReadFileBytes(path); }

TEST_F(QueueTest, BackupCodeMovesTheFileAndLeavesOtherRegistrationsAlone)
{
    TestFont font = Install("qzone.ttf");
    TestFont other = Install("qzother.ttf", ql::test::kDejaVuSansBold);
    // A value of another file under the name the record's face would give.
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, (font.face + " Bold (TrueType)").c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("qzother.ttf"), 12);
    RegCloseKey(key);
    std::string original = Bytes(font.path);
    ASSERT_TRUE(installtest::FamilyKnown(font.face));

    EXPECT_TRUE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_FALSE(ValuePresent(font.value));
    EXPECT_FALSE(Exists(font.path));
    EXPECT_EQ(Bytes(Backup("qzone.ttf")), original);
    EXPECT_FALSE(installtest::FamilyKnown(font.face));
    EXPECT_EQ(ValueData(font.face + " Bold (TrueType)"), "qzother.ttf");
    EXPECT_EQ(ValueData(other.value), "qzother.ttf");
    EXPECT_TRUE(Exists(other.path));
}

TEST_F(QueueTest, BackupNameTakenByAnotherFontKeepsBoth)
{
    TestFont font = Install("qzclash.ttf");
    CreateDirectoryA((program_ + "\\Fonts").c_str(), nullptr);
    ASSERT_TRUE(ql::test::WriteFileBytes(Backup("qzclash.ttf"), "an older, different font"));
    ASSERT_TRUE(ql::test::WriteFileBytes(Backup("qzclash (2).ttf"), "yet another one"));
    std::string original = Bytes(font.path);

    EXPECT_TRUE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_EQ(Bytes(Backup("qzclash.ttf")), "an older, different font");
    EXPECT_EQ(Bytes(Backup("qzclash (2).ttf")), "yet another one");
    EXPECT_EQ(Bytes(Backup("qzclash (3).ttf")), original);
    EXPECT_FALSE(Exists(font.path));
}

TEST_F(QueueTest, IdenticalBackupIsKeptAndTheFontStillRemoved)
{
    TestFont font = Install("qzsame.ttf");
    CreateDirectoryA((program_ + "\\Fonts").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(font.path.c_str(), Backup("qzsame.ttf").c_str(), TRUE));

    EXPECT_TRUE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_FALSE(Exists(font.path));
    EXPECT_TRUE(Exists(Backup("qzsame.ttf")));
    EXPECT_FALSE(Exists(Backup("qzsame (2).ttf")));
}

TEST_F(QueueTest, FontKeptInTheBackupFolderIsNeverDeleted)
{
    TestFont font = Install("qzkept.ttf");
    // The user moved the font into the backup folder; its registration followed.
    CreateDirectoryA((program_ + "\\Fonts").c_str(), nullptr);
    RemoveFontResourceA(font.path.c_str());
    ASSERT_TRUE(MoveFileA(font.path.c_str(), Backup("qzkept.ttf").c_str()));
    ASSERT_GT(AddFontResourceA(Backup("qzkept.ttf").c_str()), 0);
    loaded_.push_back(Backup("qzkept.ttf"));
    ASSERT_TRUE(main_->Tools()->UpdateRegFile(font.face, "TrueType", Backup("qzkept.ttf")));
    main_->Fonts()->Item(font.face)->FontFilename(Backup("qzkept.ttf"));

    EXPECT_TRUE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_FALSE(ValuePresent(font.value));
    EXPECT_TRUE(Exists(Backup("qzkept.ttf")));
}

TEST_F(QueueTest, FailedBackupChangesNothing)
{
    TestFont font = Install("qznoback.ttf");
    // A file where the backup folder should be: the folder cannot be made.
    ASSERT_TRUE(ql::test::WriteFileBytes(program_ + "\\Fonts", "in the way"));

    EXPECT_FALSE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_EQ(ValueData(font.value), "qznoback.ttf");
    EXPECT_TRUE(Exists(font.path));
    EXPECT_TRUE(installtest::FamilyKnown(font.face));
    std::string log = LogText();
    EXPECT_NE(log.find("qlTools: BackupFont"), std::string::npos) << log;
    EXPECT_NE(log.find("Error backing up font"), std::string::npos) << log;

    // Once the way is clear the same entry goes through.
    DeleteFileA((program_ + "\\Fonts").c_str());
    EXPECT_TRUE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_FALSE(Exists(font.path));
    EXPECT_TRUE(Exists(Backup("qznoback.ttf")));
}

TEST_F(QueueTest, FontsThatCannotBeRemovedAreLeftAsTheyWere)
{
    // Not loaded: the resource cannot be removed, so the registration must stay.
    TestFont font = Install("qznotloaded.ttf");
    RemoveFontResourceA(font.path.c_str());
    EXPECT_FALSE(main_->Tools()->UninstallFont(font.face, true));
    EXPECT_FALSE(main_->Tools()->UninstallFont(font.face, false));
    EXPECT_EQ(ValueData(font.value), "qznotloaded.ttf");
    EXPECT_TRUE(Exists(font.path));
    EXPECT_FALSE(Exists(Backup("qznotloaded.ttf")));
    EXPECT_NE(LogText().find("qlTools: UninstallFont ( " + font.path + ")"), std::string::npos) << LogText();

    // A Type 1 record has no value this tool may delete; a face not in the collection fails.
    main_->Fonts()->Add("Qz Type One", 0, "", "Type 1", true, font.path);
    EXPECT_FALSE(main_->Tools()->UninstallFont("Qz Type One", false));
    EXPECT_NE(LogText().find("Error deleting registry key"), std::string::npos);
    EXPECT_FALSE(main_->Tools()->UninstallFont("Qz Not There", true));
    EXPECT_NE(LogText().find("qlTools: UninstallFont: // "), std::string::npos);
    EXPECT_TRUE(Exists(font.path));
}

TEST_F(QueueTest, ExportWritesNothingYet)
{
    std::string file = root_ + "\\sheet.html";
    EXPECT_FALSE(main_->Tools()->Export(file, 1, "fontname", true, false, false, false, 14, "center"));
    EXPECT_FALSE(main_->Tools()->Export(file, 0, "Sample", false, true, true, true, 12, ""));
    EXPECT_FALSE(Exists(file));
}

}  // namespace
