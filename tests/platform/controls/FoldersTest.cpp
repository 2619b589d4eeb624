// The file list box and the folder tree over a scratch folder; the command-line tail.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/controls/FileListBox.h"
#include "platform/controls/FolderTree.h"
#include "platform/forms/App.h"
#include "platform/forms/Form.h"
#include "support/TestEnv.h"

using namespace platform::forms;

namespace {
class frmBrowse : public Form {
public:
    frmBrowse() : Form("frmFontBrowser") {}
    FileListBox filFonts{*this, "filFonts"};
    FolderTree ftvFolders{*this, "ftvFolders"};
    std::vector<std::string> clicks;

protected:
    void Design() override
    {
        filFonts.Move(0, 0, 3000, 3000);
        ftvFolders.Move(3000, 0, 3000, 3000);
    }
    void Form_Load() override
    {
        ftvFolders.FolderClick = [this](const std::string& p) { clicks.push_back(p); };
    }
};
}  // namespace

TEST(Folders, FileListShowsMatchingFilesAndTreeOpensDownToAFolder)
{
    std::string dir = ql::test::MakeScratchDir("forms-folders");
    CreateDirectoryA((dir + "\\Sub").c_str(), nullptr);
    CreateDirectoryA((dir + "\\Sub\\Deeper").c_str(), nullptr);
    for (const char* n : {"b.ttf", "A.otf", "c.txt"})
        ASSERT_TRUE(ql::test::WriteFileBytes(dir + "\\" + n, "x"));

    auto f = std::make_shared<frmBrowse>();
    f->Load();
    f->filFonts.Pattern("*.ttf;*.otf");
    f->filFonts.Path(dir);
    ASSERT_EQ(f->filFonts.ListCount(), 2);
    EXPECT_EQ(f->filFonts.List(0), "A.otf");
    EXPECT_EQ(f->filFonts.List(1), "b.ttf");
    f->filFonts.ListIndex(1);
    EXPECT_EQ(f->filFonts.FileName(), "b.ttf");
    EXPECT_THROW(f->filFonts.Path(dir + "\\missing"), QlError);
    EXPECT_EQ(f->filFonts.ListCount(), 2) << "a bad path leaves the list";

    ASSERT_TRUE(f->ftvFolders.SelectedFolder(dir + "\\Sub\\"));
    EXPECT_EQ(lstrcmpiA(f->ftvFolders.SelectedFolder().c_str(), (dir + "\\Sub").c_str()), 0);
    auto sub = f->ftvFolders.SelectedItem();
    ASSERT_TRUE(sub);
    sub->Expanded(true);  // read on first expansion
    ASSERT_TRUE(sub->Child());
    EXPECT_EQ(sub->Child()->Text(), "Deeper");
    EXPECT_FALSE(f->ftvFolders.SelectedFolder(dir + "\\nope"));
    EXPECT_TRUE(f->clicks.empty()) << "choices from code raise no FolderClick";
    f->Unload(vbFormCode);
    ql::test::RemoveTree(dir);
}

TEST(Folders, CommandTailIsWhatFollowsTheProgramPath)
{
    EXPECT_EQ(App::CommandTail("\"C:\\Program Files\\q.exe\"  /install \"a b.ttf\""), "/install \"a b.ttf\"");
    EXPECT_EQ(App::CommandTail("q.exe"), "");
    EXPECT_EQ(App::CommandTail("q.exe x"), "x");
    EXPECT_FALSE(App::Path().empty());
}
