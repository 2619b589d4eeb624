#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/dialogs/FakePrinters.h"
#include "core/print/cReport.h"
#include "support/TestEnv.h"

namespace {

cReport::Rows ManyRows(size_t n, size_t columns = 3)
{
    cReport::Rows rows;
    for (size_t c = 0; c < columns; ++c)
        rows.columns.push_back("Column " + std::to_string(c));
    for (size_t i = 0; i < n; ++i) {
        std::vector<std::string> cells;
        for (size_t c = 0; c < columns; ++c)
            cells.push_back("cell " + std::to_string(i) + "." + std::to_string(c));
        rows.items.push_back(cells);
        rows.checked.push_back(i % 3 == 0);
    }
    rows.checkBoxes = true;
    return rows;
}

int Count(const std::vector<std::string>& log, const char* what)
{
    return static_cast<int>(std::count(log.begin(), log.end(), what));
}

}  // namespace

TEST(cReport, ChunksNeverEmpty)
{
    EXPECT_EQ(cReport::Chunks("abcdefg", 3), (std::vector<std::string>{"abc-", "def-", "g"}));
    EXPECT_EQ(cReport::Chunks("abc", 0), (std::vector<std::string>{"a-", "b-", "c"}));
    EXPECT_EQ(cReport::Chunks("", 4), std::vector<std::string>{""});
}

TEST(cReport, LongListsRunOverSeveralPages)
{
    ql::test::FakePrinters printers;
    cReport report;
    int complete = 0, failed = 0;
    report.PrintComplete = [&] { ++complete; };
    report.PrintError = [&] { ++failed; };
    report.PrintRows(ManyRows(150), 0.05f, 10, "Installed fonts", 1, true, true);
    auto& p = printers.At(0);
    EXPECT_EQ(complete, 1);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(p.orientation, DMORIENT_PORTRAIT);
    int pages = Count(p.log, "newpage") + 1;
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 10);
    EXPECT_EQ(p.log.back(), "enddoc");

    ql::test::FakePrinters again;
    cReport small;
    small.PrintRows(ManyRows(5), 0.05f, 10, "Few", 0, false, false);
    EXPECT_EQ(again.At(0).orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(Count(again.At(0).log, "newpage"), 0);
}

TEST(cReport, NarrowColumnsAndFailuresEndTheJob)
{
    ql::test::FakePrinters printers;
    auto rows = ManyRows(3, 60);  // columns far narrower than one letter
    rows.items[1][5] = std::string(400, 'w');
    cReport report;
    int complete = 0;
    report.PrintComplete = [&] { ++complete; };
    report.PrintRows(rows, 0.0f, 8, "Narrow", 1, false, false);
    EXPECT_EQ(complete, 1);

    ql::test::FakePrinters broken;
    broken.At(0).failOutput = true;
    cReport failing;
    int failed = 0;
    failing.PrintError = [&] { ++failed; };
    failing.PrintComplete = [&] { ADD_FAILURE() << "reported as printed"; };
    failing.PrintRows(ManyRows(3), 0.05f, 10, "x", 1, true, true);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(broken.At(0).log.back(), "killdoc");
}

TEST(cReport, ReadsColumnsItemsAndTicks)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_NE(lv, nullptr);
    SendMessageA(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    const char* captions[] = {"Name", "Size"};
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 100;
        col.pszText = const_cast<char*>(captions[c]);
        SendMessageA(lv, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    const char* names[] = {"Arial", "Courier"};
    const char* sizes[] = {"1.50KB", "20.0KB"};
    for (int i = 0; i < 2; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(sizes[i]);
        SendMessageA(lv, LVM_SETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA tick{};
    tick.stateMask = LVIS_STATEIMAGEMASK;
    tick.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageA(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&tick));
    auto rows = cReport::ReadListView(lv);
    EXPECT_EQ(rows.columns, (std::vector<std::string>{"Name", "Size"}));
    ASSERT_EQ(rows.items.size(), 2u);
    EXPECT_EQ(rows.items[1], (std::vector<std::string>{"Courier", "20.0KB"}));
    EXPECT_TRUE(rows.checkBoxes);
    EXPECT_EQ(rows.checked, (std::vector<bool>{false, true}));
    DestroyWindow(lv);
}
