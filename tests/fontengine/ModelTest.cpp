// The font model: root, view settings, family words, font records and collection,
// the uninstall queue.
#include <windows.h>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "core/RegistryScratch.h"
#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "support/TestEnv.h"

using ql::test::MakeScratchDir;
using ql::test::RemoveTree;

namespace {

class FakeEnvironment : public qlMainEnvironment {
public:
    std::string platform = "Windows XP";
    std::optional<std::string> shellFolders = std::string("C:\\Shell\\Fonts");
    std::string shellApi = "C:\\Api\\Fonts";
    std::string windows = "C:\\WINDOWS";
    std::string program;

    std::string Platform() override { return platform; }
    std::optional<std::string> ShellFoldersFonts() override { return shellFolders; }
    std::string ShellFontsFolder() override { return shellApi; }
    std::string WindowsFolder() override { return windows; }
    std::string ProgramFolder() override { return program; }
};

std::shared_ptr<FakeEnvironment> Env(std::string platform)
{
    auto env = std::make_shared<FakeEnvironment>();
    env->platform = std::move(platform);
    return env;
}

std::vector<std::string> Order(const qlFonts& fonts)
{
    std::vector<std::string> names;
    for (const auto& f : fonts)
        names.push_back(f->DisplayName());
    return names;
}

}  // namespace

TEST(qlMain, RegistryKeysFollowTheWindowsFamily)
{
    const std::string nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const std::string nt1 = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Type 1 Installer\\Type 1 Fonts";
    const std::string w9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
    const std::string w9x1 = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Type 1 Installer\\Type 1 Fonts";
    for (const char* p : {"", "Windows NT", "Windows 2000", "Windows XP"}) {
        qlMain root(Env(p));
        EXPECT_EQ(root.FontRegistryKey(), nt) << p;
        EXPECT_EQ(root.FontRegistryKeyPST1(), nt1) << p;
    }
    for (const char* p : {"Windows 95", "Windows 98", "Windows Me"}) {
        qlMain root(Env(p));
        EXPECT_EQ(root.FontRegistryKey(), w9x) << p;
        EXPECT_EQ(root.FontRegistryKeyPST1(), w9x1) << p;
    }
}

TEST(qlMain, FontsFolderComesFromTheShellWithATrailingBackslash)
{
    EXPECT_EQ(qlMain(Env("Windows XP")).FontFolder(), "C:\\Api\\Fonts\\");
    auto env = Env("Windows XP");
    env->shellApi = "";
    EXPECT_EQ(qlMain(env).FontFolder(), "C:\\Shell\\Fonts\\");  // shell call failed

    // The 9x family reads its Shell Folders value.
    env = Env("Windows 98");
    EXPECT_EQ(qlMain(env).FontFolder(), "C:\\Shell\\Fonts\\");
    env->shellFolders = "C:\\Shell\\Fonts\\";
    EXPECT_EQ(qlMain(env).FontFolder(), "C:\\Shell\\Fonts\\");
    // No value, or no key: the Windows folder's Fonts, never a drive root.
    env->shellFolders = "";
    EXPECT_EQ(qlMain(env).FontFolder(), "C:\\WINDOWS\\Fonts\\");
    env->shellFolders = std::nullopt;
    EXPECT_EQ(qlMain(env).FontFolder(), "C:\\WINDOWS\\Fonts\\");

    // The real system under Wine.
    qlMain real;
    EXPECT_EQ(real.FontRegistryKey(), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(_stricmp(real.FontFolder().c_str(), (std::string(windows) + "\\Fonts\\").c_str()), 0) << real.FontFolder();
}

TEST(qlMain, ArchiveAndBackupFoldersAreCreatedOnce)
{
    auto env = Env("Windows XP");
    env->program = MakeScratchDir("engine-root");
    ql::test::ScratchKey settings("engine-log");
    ASSERT_TRUE(settings.PutText("logging", "True"));
    modMain::SetLogSettingsKey(settings.Path());
    modMain::SetLogFolder(env->program + "\\log");
    qlMain root(env);
    std::string archive = root.FolderArchive();
    EXPECT_EQ(archive, env->program + "\\Archives");
    DWORD a = GetFileAttributesA(archive.c_str());
    ASSERT_NE(a, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
    std::string marker = archive + "\\kept.txt";
    ASSERT_TRUE(ql::test::WriteFileBytes(marker, "x"));
    EXPECT_EQ(root.FolderArchive(), archive);
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);

    // A file in the way: the creation fails, the path is still given.
    std::string blocked = env->program + "\\Fonts";
    ASSERT_TRUE(ql::test::WriteFileBytes(blocked, "not a folder"));
    EXPECT_EQ(root.FolderBackup(), blocked);
    EXPECT_FALSE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    std::string log = ql::test::ReadFileBytes(modMain::LogFilePath());
    EXPECT_NE(log.find("qlMain: FolderBackup"), std::string::npos) << log;
    EXPECT_EQ(log.find("qlMain: FolderArchive"), std::string::npos) << log;
    modMain::SetLogFolder("");
    modMain::SetLogSettingsKey("");

    env->program = "";
    EXPECT_EQ(root.FolderBackup(), "");
    RemoveTree(archive.substr(0, archive.rfind('\\')));
}

TEST(qlMain, ChildrenAreMadeOnFirstUseAndKnowTheirRoot)
{
    qlMain root(Env("Windows XP"));
    auto fonts = root.Fonts();
    ASSERT_TRUE(fonts);
    EXPECT_EQ(fonts->Parent(), &root);
    EXPECT_EQ(fonts->Count(), 0);
    EXPECT_EQ(root.Fonts(), fonts);
    EXPECT_EQ(root.Tools()->Parent(), &root);
    EXPECT_EQ(root.Processes(), root.Processes());
    EXPECT_EQ(root.Display(), root.Display());
    auto other = std::make_shared<qlFonts>();
    root.Fonts(other);
    EXPECT_EQ(root.Fonts(), other);

    // The one global model.
    modMain::FontModel = std::make_shared<qlMain>(Env(""));
    modMain::FontModel->Display()->FontName("Arial");
    EXPECT_EQ(modMain::FontModel->Display()->FontName(), "Arial");
    modMain::FontModel.reset();
}

TEST(qlFamilies, WordsJoinWithBlankBarBlank)
{
    qlFamilies families;
    EXPECT_EQ(families.ToString("|"), "Unknown");
    families.Add("Modern");
    EXPECT_EQ(families.ToString("|"), "Modern");
    families.Remove("modern");
    families.Add("Roman");
    families.Add("Swiss");
    EXPECT_EQ(families.ToString("|"), "Roman | Swiss");
    EXPECT_EQ(families.ToString("--"), "Roman -- Swiss");
    EXPECT_EQ(families.Item(2)->Family(), "Swiss");
    try {
        families.Add("roman");
        FAIL() << "a duplicate word was added";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 457);
    }
    EXPECT_EQ(families.Count(), 2);
}

TEST(qlFonts, AddKeysByFaceNameAndRefusesDuplicatesQuietly)
{
    qlFonts fonts;
    auto first = fonts.Add("Quill Sans", 0, "", "TrueType", true, "C:\\f\\quill.ttf");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->DisplayName(), "Quill Sans");
    EXPECT_EQ(first->FontFilename(), "C:\\f\\quill.ttf");
    EXPECT_TRUE(first->Installed());
    EXPECT_EQ(first->Families()->ToString("|"), "Unknown");
    EXPECT_EQ(fonts.Add("QUILL sans", 0, "", "Raster", true, "x.fon"), nullptr);
    EXPECT_EQ(fonts.Count(), 1);
    EXPECT_EQ(fonts.Item("quill SANS"), first);
    EXPECT_TRUE(fonts.KeyExists("QUILL SANS"));
    EXPECT_FALSE(fonts.KeyExists("Missing"));
    EXPECT_TRUE(fonts.KeyExists(fonts.Count()));
    EXPECT_FALSE(fonts.KeyExists(fonts.Count() + 1));
    EXPECT_THROW(fonts.Item("Missing"), QlError);
    EXPECT_THROW(fonts.Item(2), QlError);
    fonts.Remove("Quill Sans");
    EXPECT_EQ(fonts.Count(), 0);
}

TEST(qlFonts, SortByFontOrdersByCharacterCode)
{
    qlFonts fonts;
    for (const char* name : {"mesa", "Zephyr", "Mesa Bold"})
        fonts.Add(name, 0, "", "TrueType", true, "");
    ASSERT_TRUE(fonts.SortByFont());
    EXPECT_EQ(Order(fonts), (std::vector<std::string>{"Mesa Bold", "Zephyr", "mesa"}));
    EXPECT_EQ(fonts.Count(), 3);
    EXPECT_EQ(fonts.Item("MESA")->FaceName(), "mesa");
    EXPECT_EQ(fonts.Item(1)->FaceName(), "Mesa Bold");
}

TEST(qlFonts, SortByFontMatchesTheStableInsertionOrderOnManyRecords)
{
    std::mt19937 rng(7);
    const char* alphabet = "aAbB zZ\xE9\xC9-19";
    qlFonts fonts;
    std::vector<std::string> reference;
    while (fonts.Count() < 2500) {
        std::string name;
        for (int n = 1 + rng() % 8; n > 0; --n)
            name += alphabet[rng() % 12];
        if (fonts.Add(name, 0, "", "TrueType", true, "")) {
            // The insertion the collection's order is defined by: after every
            // record that compares equal or smaller.
            auto at = std::upper_bound(reference.begin(), reference.end(), name);
            reference.insert(at, name);
        }
    }
    ASSERT_TRUE(fonts.SortByFont());
    EXPECT_EQ(Order(fonts), reference);
    for (const auto& name : reference)
        ASSERT_EQ(fonts.Item(name)->FaceName(), name);
}

TEST(qlFonts, SortByFontKeysByDisplayNameAndGivesUpOnAClash)
{
    qlFonts fonts;
    fonts.Add("Beta", 0, "", "TrueType", true, "");
    fonts.Add("Alpha", 0, "", "TrueType", true, "");
    fonts.Item("Alpha")->DisplayName("Gamma");
    ASSERT_TRUE(fonts.SortByFont());
    EXPECT_EQ(Order(fonts), (std::vector<std::string>{"Beta", "Gamma"}));
    EXPECT_TRUE(fonts.KeyExists("Gamma"));
    fonts.Item("Beta")->DisplayName("GAMMA");
    EXPECT_FALSE(fonts.SortByFont());
    EXPECT_EQ(Order(fonts), (std::vector<std::string>{"GAMMA", "Gamma"}));
    EXPECT_TRUE(fonts.KeyExists("Beta"));  // left as it was
}

TEST(qlProcesses, QueueKeepsOrderAndRefusesDuplicates)
{
    qlProcesses queue;
    queue.Add("Quill Sans", "C:\\f\\a.ttf", 0);
    auto second = queue.Add("Mesa", "C:\\f\\b.ttf", 1);
    EXPECT_EQ(second->Process(), 1);
    EXPECT_FALSE(second->Success());
    EXPECT_EQ(queue.Item(1)->FaceName(), "Quill Sans");
    EXPECT_EQ(queue.Item("mesa"), second);
    EXPECT_THROW(queue.Add("QUILL SANS", "x", 0), QlError);
    queue.Remove("Quill Sans");
    EXPECT_EQ(queue.Count(), 1);
    queue.Add("Quill Sans", "C:\\f\\a.ttf", 0);
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0);
    queue.Add("Mesa", "y", 0);
    EXPECT_EQ(queue.Count(), 1);

    qlProcess unset;
    try {
        (void)unset.Process();
        FAIL() << "an unset code was read";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 13);
    }
}
