// The program as the user starts it: its own process under Wine in the test prefix, watched
// from outside through its windows.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/registry/modRegistry.h"
#include "fontengine/qlMain.h"
#include "scripts/tools/ChildProcess.h"
#include "scripts/tools/WindowProbe.h"
#include "support/TestEnv.h"

namespace {

constexpr DWORD kStartMs = 90000;
constexpr DWORD kEndMs = 30000;

// The faces the font engine finds in this prefix: the ones the program's tree must list.
std::vector<std::string> InstalledFaces()
{
    qlMain model;
    model.Fonts()->GetInstalledFonts(nullptr);
    std::vector<std::string> faces;
    for (int32_t i = 1; i <= model.Fonts()->Count(); ++i)
        faces.push_back(model.Fonts()->Item(i)->DisplayName());
    std::sort(faces.begin(), faces.end());
    return faces;
}

// Ends the program if a failed assertion leaves it running.
struct EndsProgram {
    qlprobe::ChildProcess& child;
    ~EndsProgram()
    {
        if (child.Running()) {
            child.Terminate();
            child.WaitForExit(5000);
        }
    }
};

TEST(Program, ShowsTheInstalledFontsAndEndsCleanlyOnClose)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    // The program starts as on a first run: default settings, nothing queued.
    SHDeleteKeyA(HKEY_CURRENT_USER, modRegistry::kSettingsKey);
    const std::vector<std::string> faces = InstalledFaces();
    ASSERT_FALSE(faces.empty());
    for (const char* face : {"DejaVu Sans", "Liberation Serif", "Marlett"})
        EXPECT_TRUE(std::binary_search(faces.begin(), faces.end(), face)) << face << " is in the test font set";

    qlprobe::ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start(qlprobe::QuoteArgument(ql::test::BinaryDir() + "\\bin\\QuilleryPro.exe"), error)) << error;
    EndsProgram guard{child};

    const DWORD deadline = GetTickCount() + kStartMs;
    HWND main = nullptr;
    while (!(main = qlprobe::FindShownWindow(child.Id(), "Quillery Pro ")) && child.Running() &&
           GetTickCount() < deadline)
        Sleep(20);
    ASSERT_NE(main, nullptr) << "no main window captioned \"Quillery Pro \"";
    char className[64] = {};
    GetClassNameA(main, className, sizeof className);
    EXPECT_STREQ(className, "ThunderRT6MDIForm");

    HWND treeWindow = nullptr;
    while (!(treeWindow = qlprobe::FindFontTree(child.Id())) && GetTickCount() < deadline)
        Sleep(20);
    ASSERT_NE(treeWindow, nullptr) << "no font tree";
    qlprobe::RemoteTree tree(treeWindow, child.Id());
    const int wanted = static_cast<int>(faces.size()) + 1;  // the root and one node per font
    while (tree.Count().value_or(0) < wanted && GetTickCount() < deadline)
        Sleep(20);
    EXPECT_EQ(tree.Text(tree.Root()).value_or(""), "All Installed: " + std::to_string(faces.size()));
    std::vector<std::string> listed = tree.ChildTexts();
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(),
                               [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }))
        << "the tree's fonts are sorted by name";
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, faces);

    PostMessageA(main, WM_CLOSE, 0, 0);
    auto code = child.WaitForExit(kEndMs);
    ASSERT_TRUE(code.has_value()) << "the program did not end on WM_CLOSE";
    EXPECT_EQ(*code, 0u);
}

}  // namespace
