// Helpers over real controls: the combo box search, emptying a tree view, and
// shortening a path to a window's width. These need a display (Xvfb).
#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "core/cTreeview.h"
#include "core/files/modFileFunctions.h"
#include "core/modAPI.h"
#include "support/TestEnv.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ql::test::HaveDisplay())
            GTEST_SKIP() << "no display";
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        parent_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override
    {
        if (parent_)
            DestroyWindow(parent_);
    }
    HWND parent_ = nullptr;
};

HTREEITEM Insert(HWND tree, HTREEITEM parent, const char* text)
{
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

int Count(HWND tree) { return static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)); }

}  // namespace

TEST_F(ControlsTest, ComboFindStringPrefixAndExact)
{
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 200, 200, parent_, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* s : {"Arial", "Arial Black", "Courier New", "arial narrow"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(modAPI::ComboFindString(combo, "Arial", true), 0);
    EXPECT_EQ(modAPI::ComboFindString(combo, "arial black", true), 1);
    EXPECT_EQ(modAPI::ComboFindString(combo, "Cour", false), 2);
    EXPECT_EQ(modAPI::ComboFindString(combo, "Cour", true), CB_ERR);
    EXPECT_EQ(modAPI::ComboFindString(combo, "ARIAL N", false), 3);
    EXPECT_EQ(modAPI::ComboFindString(combo, "Times", false), CB_ERR);
}

TEST_F(ControlsTest, ClearAllEmptiesAThousandNodes)
{
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 300, 300, parent_,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(tree, nullptr);
    for (int i = 0; i < 250; ++i) {
        HTREEITEM family = Insert(tree, TVI_ROOT, "family");
        for (int j = 0; j < 3; ++j)
            Insert(tree, family, "face");
    }
    ASSERT_EQ(Count(tree), 1000);
    cTreeview tv;
    tv.ClearAll(tree);
    EXPECT_EQ(Count(tree), 0);
    EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0), 0);
    // An empty tree: nothing happens.
    tv.ClearAll(tree);
    EXPECT_EQ(Count(tree), 0);
}

TEST_F(ControlsTest, ClearAllEndsWhenAWindowRefusesDeletes)
{
    // Not a tree: every message answers 0, so a root never appears and nothing loops.
    HWND notATree = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, nullptr, nullptr);
    cTreeview().ClearAll(notATree);
    SUCCEED();
}

TEST_F(ControlsTest, ClearChildrenKeepsTheParent)
{
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 300, 300, parent_, nullptr, nullptr, nullptr);
    HTREEITEM a = Insert(tree, TVI_ROOT, "a");
    HTREEITEM b = Insert(tree, TVI_ROOT, "b");
    HTREEITEM a1 = Insert(tree, a, "a1");
    Insert(tree, a1, "a1x");
    Insert(tree, a, "a2");
    Insert(tree, b, "b1");
    cTreeview tv;
    EXPECT_TRUE(tv.ClearChildren(tree, a));
    EXPECT_EQ(Count(tree), 3);
    EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(a)), 0);
    EXPECT_FALSE(tv.ClearChildren(tree, nullptr));
}

TEST_F(ControlsTest, CompactPathToAWindowsWidth)
{
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, parent_, nullptr, nullptr,
                                 nullptr);
    ASSERT_NE(label, nullptr);
    HDC dc = GetDC(label);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::string path = "C:\\Program Files\\Some Long Folder Name\\Another One\\Fonts\\Collection\\arial.ttf";
    std::string out = modFileFunctions::CompactPathToControl(label, path, DT_PATH_ELLIPSIS | DT_SINGLELINE, dc);
    EXPECT_NE(out.find("..."), std::string::npos) << out;
    EXPECT_NE(out.find("arial.ttf"), std::string::npos) << out;
    SIZE sz{};
    GetTextExtentPoint32A(dc, out.c_str(), static_cast<int>(out.size()), &sz);
    EXPECT_LE(sz.cx, 200 * 95 / 100 + 2) << out;
    ReleaseDC(label, dc);
}
