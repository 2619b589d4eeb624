// cFileOp through the shell. The shell's questions are answered by a hook, so the test
// runs the same with a display (the question is cancelled) and without one (the shell
// cannot ask and aborts).
#include <windows.h>

#include <gtest/gtest.h>

#include "core/files/cFileOp.h"
#include "support/TestEnv.h"

namespace {

int g_answer = IDCANCEL;
int g_dialogs = 0;

LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND w = reinterpret_cast<HWND>(wParam);
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            ++g_dialogs;
            PostMessageA(w, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class FileOpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = ql::test::MakeScratchDir("fileop");
        hook_ = SetWindowsHookExA(WH_CBT, AnswerDialogs, nullptr, GetCurrentThreadId());
        g_answer = IDCANCEL;
        g_dialogs = 0;
        ASSERT_TRUE(ql::test::WriteFileBytes(dir_ + "\\src.ttf", "font"));
        ASSERT_TRUE(CreateDirectoryA((dir_ + "\\to").c_str(), nullptr));
    }
    void TearDown() override
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        ql::test::RemoveTree(dir_);
    }
    std::string dir_;
    HHOOK hook_ = nullptr;
};

}  // namespace

TEST_F(FileOpTest, CopyIntoAFolderKeepsTheName)
{
    cFileOp op;
    EXPECT_TRUE(op.CopyFile(dir_ + "\\src.ttf", dir_ + "\\to"));
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\to\\src.ttf"), "font");
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\src.ttf"), "font");
}

TEST_F(FileOpTest, CopyUnderANewName)
{
    cFileOp op;
    op.ShowProgressDialog(true);
    EXPECT_TRUE(op.ShowProgressDialog());
    EXPECT_TRUE(op.CopyFile(dir_ + "\\src.ttf", dir_ + "\\to\\renamed.ttf"));
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\to\\renamed.ttf"), "font");
}

TEST_F(FileOpTest, MissingSourceFails)
{
    cFileOp op;
    EXPECT_FALSE(op.CopyFile(dir_ + "\\absent.ttf", dir_ + "\\to"));
}

TEST_F(FileOpTest, CopyOntoAnExistingFileThatIsNotReplacedFails)
{
    ASSERT_TRUE(ql::test::WriteFileBytes(dir_ + "\\to\\src.ttf", "old"));
    cFileOp op;
    EXPECT_FALSE(op.CopyFile(dir_ + "\\src.ttf", dir_ + "\\to"));
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\to\\src.ttf"), "old");
    if (ql::test::HaveDisplay()) {
        EXPECT_GE(g_dialogs, 1) << "the shell should have asked, and been cancelled";
    }
}

TEST_F(FileOpTest, CopyOntoAnExistingFileThatIsReplacedSucceeds)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "without a display the shell cannot ask";
    ASSERT_TRUE(ql::test::WriteFileBytes(dir_ + "\\to\\src.ttf", "old"));
    g_answer = IDYES;
    cFileOp op;
    EXPECT_TRUE(op.CopyFile(dir_ + "\\src.ttf", dir_ + "\\to"));
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\to\\src.ttf"), "font");
}

TEST_F(FileOpTest, MoveIntoAFolder)
{
    cFileOp op;
    EXPECT_TRUE(op.MoveFile(dir_ + "\\src.ttf", dir_ + "\\to"));
    EXPECT_EQ(ql::test::ReadFileBytes(dir_ + "\\to\\src.ttf"), "font");
    EXPECT_EQ(GetFileAttributesA((dir_ + "\\src.ttf").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileOpTest, DeleteThatIsDeclinedFails)
{
    cFileOp op;
    bool ok = op.DeleteFile(dir_ + "\\src.ttf");
    bool gone = GetFileAttributesA((dir_ + "\\src.ttf").c_str()) == INVALID_FILE_ATTRIBUTES;
    // Whatever the shell did, the answer must say it.
    EXPECT_EQ(ok, gone);
}
