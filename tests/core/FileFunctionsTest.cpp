// Path helpers, existence tests, the file search (with a symlink loop) and the
// temporary folder.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/files/modFileFunctions.h"
#include "platform/forms/Seams.h"
#include "support/TestEnv.h"

namespace mf = modFileFunctions;

namespace {

std::vector<std::string> Paths(const mf::FileList& list)
{
    std::vector<std::string> out;
    for (const std::string& p : list)
        out.push_back(p);
    return out;
}

void Touch(const std::string& path) { ASSERT_TRUE(ql::test::WriteFileBytes(path, "x")) << path; }

// The Unix path behind a Z: path.
std::string UnixPath(const std::string& win)
{
    std::string out = win.substr(2);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

// Runs a host program (Wine starts Unix executables too) and waits for it.
bool RunUnix(const std::string& program, const std::string& args)
{
    std::string cmd = "\"" + program + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// Polls for a path to appear or vanish: the wait above may end before a Unix child is done.
bool WaitForPath(const std::string& path, bool present)
{
    for (int i = 0; i < 200; ++i) {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present)
            return true;
        Sleep(25);
    }
    return false;
}

// A Unix symbolic link, made by the host's ln (Wine's CreateSymbolicLink makes none).
bool MakeUnixSymlink(const std::string& target, const std::string& linkWinPath)
{
    return RunUnix("Z:\\bin\\ln", "-s \"" + target + "\" \"" + UnixPath(linkWinPath) + "\"") &&
           WaitForPath(linkWinPath, true);
}

// Removes such a link (RemoveDirectory does not remove a Unix link).
bool RemoveUnixSymlink(const std::string& linkWinPath)
{
    return RunUnix("Z:\\bin\\rm", "-f \"" + UnixPath(linkWinPath) + "\"") && WaitForPath(linkWinPath, false);
}

}  // namespace

TEST(PathHelpers, AppendIfMissing)
{
    EXPECT_EQ(mf::AppendIfMissing("C:\\Fonts", "\\"), "C:\\Fonts\\");
    EXPECT_EQ(mf::AppendIfMissing("C:\\Fonts\\", "\\"), "C:\\Fonts\\");
    EXPECT_EQ(mf::AppendIfMissing("", "\\"), "\\");
}

TEST(PathHelpers, IsBareFileName)
{
    EXPECT_TRUE(mf::IsBareFileName("arial.ttf"));
    EXPECT_FALSE(mf::IsBareFileName("C:arial.ttf"));
    EXPECT_FALSE(mf::IsBareFileName("fonts\\arial.ttf"));
    EXPECT_TRUE(mf::IsBareFileName(""));
}

TEST(PathHelpers, FileNameAndExtension)
{
    EXPECT_EQ(mf::GetFileExtension("C:\\Fonts\\arial.ttf"), ".ttf");
    EXPECT_EQ(mf::GetFileExtension("C:\\Fonts\\README"), "");
    EXPECT_EQ(mf::GetFileName("C:\\Fonts\\arial.ttf"), "arial.ttf");
    EXPECT_EQ(mf::GetFileName("C:\\a/b.ttf"), "b.ttf");
    EXPECT_EQ(mf::GetFileName("arial.ttf"), "arial.ttf");
    EXPECT_EQ(mf::GetFileExtension("C:\\x.y\\name"), "");
    EXPECT_EQ(mf::GetFileExtension("a.tar.gz"), ".gz");
}

TEST(PathHelpers, FileAndFolderExists)
{
    std::string dir = ql::test::MakeScratchDir("exists");
    Touch(dir + "\\f.ttf");
    EXPECT_TRUE(mf::FileExists(dir + "\\f.ttf"));
    EXPECT_FALSE(mf::FolderExists(dir + "\\f.ttf"));
    EXPECT_TRUE(mf::FolderExists(dir));
    EXPECT_TRUE(mf::FolderExists(dir + "\\"));
    EXPECT_FALSE(mf::FileExists(dir));
    EXPECT_FALSE(mf::FileExists(dir + "\\missing.ttf"));
    EXPECT_FALSE(mf::FolderExists(dir + "\\missing"));
    EXPECT_FALSE(mf::FileExists(""));
    EXPECT_FALSE(mf::FolderExists(""));
    EXPECT_FALSE(mf::FileExists("C:\\bad<>|name"));
    ql::test::RemoveTree(dir);
}

TEST(PathHelpers, TempFolderEndsWithABackslash)
{
    std::string temp = mf::GetTempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(mf::FolderExists(temp));
}

TEST(FindFiles, MaskOrderOwnFilesFirstNoDuplicates)
{
    std::string dir = ql::test::MakeScratchDir("find");
    Touch(dir + "\\x.ttf");
    Touch(dir + "\\y.fon");
    Touch(dir + "\\z.ttc");
    Touch(dir + "\\notes.txt");
    Touch(dir + "\\a.ttfx");
    ASSERT_TRUE(CreateDirectoryA((dir + "\\sub").c_str(), nullptr));
    Touch(dir + "\\sub\\a.ttf");
    ASSERT_TRUE(CreateDirectoryA((dir + "\\sub\\deeper").c_str(), nullptr));
    Touch(dir + "\\sub\\deeper\\b.fon");

    EXPECT_EQ(Paths(mf::FindFontFiles(dir, true)),
              (std::vector<std::string>{dir + "\\x.ttf", dir + "\\y.fon", dir + "\\z.ttc", dir + "\\sub\\a.ttf",
                                        dir + "\\sub\\deeper\\b.fon"}));
    EXPECT_EQ(Paths(mf::FindFontFiles(dir + "\\", false)),
              (std::vector<std::string>{dir + "\\x.ttf", dir + "\\y.fon", dir + "\\z.ttc"}));
    EXPECT_EQ(Paths(mf::FindFiles(dir, "*.ttf;*.TTF", false)), (std::vector<std::string>{dir + "\\x.ttf"}));
    EXPECT_EQ(Paths(mf::FindFiles(dir, "*.fon; *.ttc", false)),
              (std::vector<std::string>{dir + "\\y.fon", dir + "\\z.ttc"}));
    mf::FileList list = mf::FindFontFiles(dir, true);
    EXPECT_TRUE(list.Exists(dir + "\\SUB\\A.TTF"));
    EXPECT_EQ(mf::FindFiles(dir + "\\missing", "*.ttf", true).Count(), 0);
    ql::test::RemoveTree(dir);
}

TEST(FindFiles, HiddenAndSystemEntriesAreLeftOut)
{
    std::string dir = ql::test::MakeScratchDir("findhidden");
    Touch(dir + "\\shown.ttf");
    Touch(dir + "\\hidden.ttf");
    Touch(dir + "\\system.ttf");
    ASSERT_TRUE(CreateDirectoryA((dir + "\\hiddendir").c_str(), nullptr));
    Touch(dir + "\\hiddendir\\inner.ttf");
    SetFileAttributesA((dir + "\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((dir + "\\system.ttf").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((dir + "\\hiddendir").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    // Wine keeps these attributes only where the file system stores extended attributes.
    if (!(GetFileAttributesA((dir + "\\hidden.ttf").c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
        ql::test::RemoveTree(dir);
        GTEST_SKIP() << "the file system keeps no DOS attributes";
    }
    EXPECT_EQ(Paths(mf::FindFiles(dir, "*.ttf", true)), (std::vector<std::string>{dir + "\\shown.ttf"}));
    ql::test::RemoveTree(dir);
}

TEST(FindFiles, DotFilesAreHiddenUnderWine)
{
    std::string dir = ql::test::MakeScratchDir("finddot");
    Touch(dir + "\\.dot.ttf");
    Touch(dir + "\\plain.ttf");
    if (!(GetFileAttributesA((dir + "\\.dot.ttf").c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
        ql::test::RemoveTree(dir);
        GTEST_SKIP() << "dot files are not hidden here";
    }
    EXPECT_EQ(Paths(mf::FindFiles(dir, "*.ttf", false)), (std::vector<std::string>{dir + "\\plain.ttf"}));
    ql::test::RemoveTree(dir);
}

TEST(FindFiles, SymlinkLoopsAreNotFollowed)
{
    std::string dir = ql::test::MakeScratchDir("findloop");
    Touch(dir + "\\top.ttf");
    ASSERT_TRUE(CreateDirectoryA((dir + "\\sub").c_str(), nullptr));
    Touch(dir + "\\sub\\inner.ttf");
    ASSERT_TRUE(MakeUnixSymlink("..", dir + "\\sub\\up"));
    ASSERT_TRUE(MakeUnixSymlink(".", dir + "\\self"));
    DWORD a = GetFileAttributesA((dir + "\\sub\\up").c_str());
    EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(a & FILE_ATTRIBUTE_REPARSE_POINT) << std::hex << a;

    EXPECT_EQ(Paths(mf::FindFontFiles(dir, true)),
              (std::vector<std::string>{dir + "\\top.ttf", dir + "\\sub\\inner.ttf"}));
    EXPECT_TRUE(RemoveUnixSymlink(dir + "\\sub\\up"));
    EXPECT_TRUE(RemoveUnixSymlink(dir + "\\self"));
    ql::test::RemoveTree(dir);
    EXPECT_FALSE(mf::FolderExists(dir));
}

TEST(FindFiles, CaseOnlyDuplicatesAreListedOnce)
{
    std::string dir = ql::test::MakeScratchDir("findcase");
    Touch(dir + "\\a.ttf");
    Touch(dir + "\\A.TTF");
    mf::FileList list = mf::FindFiles(dir, "*.ttf;*.TTF", false);
    // A case-sensitive Unix folder can hold both; the second is passed over.
    EXPECT_EQ(list.Count(), 1);
    ql::test::RemoveTree(dir);
}

TEST(CompactPath, ShortensAPathToNinetyFivePercentOfTheWidth)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::string path = "C:\\Program Files\\Some Folder\\Another Folder\\Yet Another\\Fonts\\arial.ttf";
    SIZE full{};
    GetTextExtentPoint32A(dc, path.c_str(), static_cast<int>(path.size()), &full);
    int width = full.cx / 2;
    std::string out = mf::CompactPathToWidth(width, path, DT_PATH_ELLIPSIS | DT_SINGLELINE, dc);
    EXPECT_LT(out.size(), path.size());
    EXPECT_NE(out.find("..."), std::string::npos) << out;
    EXPECT_NE(out.find("arial.ttf"), std::string::npos) << out;
    SIZE now{};
    GetTextExtentPoint32A(dc, out.c_str(), static_cast<int>(out.size()), &now);
    EXPECT_LE(now.cx, width * 95 / 100 + 1) << out;
    // A text that fits stays as it is.
    EXPECT_EQ(mf::CompactPathToWidth(full.cx * 2, path, DT_PATH_ELLIPSIS | DT_SINGLELINE, dc), path);
    // A very short width: the buffer has room for the ellipsis.
    std::string tiny = mf::CompactPathToWidth(2, "ab", DT_PATH_ELLIPSIS | DT_SINGLELINE, dc);
    EXPECT_LE(tiny.size(), 6u);
    DeleteDC(dc);
}

TEST(ShowProperties, AFolderPathShowsTheMessageOnly)
{
    platform::forms::BeginScript();
    mf::ShowProperties("C:\\Fonts\\", nullptr);
    platform::forms::EndScript();
    const auto& shown = platform::forms::ScriptLog();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, "MsgBox");
    EXPECT_EQ(shown[0].text, "No file can be located for the selected font");
    EXPECT_EQ(shown[0].detail, "File Location Error");
    EXPECT_EQ(shown[0].flags & MB_ICONMASK, MB_ICONERROR);
}
