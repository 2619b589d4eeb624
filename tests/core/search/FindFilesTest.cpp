#include <windows.h>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "core/search/FileFacts.h"
#include "core/search/cFindFiles.h"
#include "core/util/NumberText.h"
#include "support/TestEnv.h"

namespace {

std::string Fixture() { return ql::test::BinaryDir() + "\\fixtures\\findfiles"; }

std::set<std::string> Keys(cFindFiles& f)
{
    std::set<std::string> out;
    for (auto& rec : *f.Files())
        out.insert(rec->RootPath.substr(Fixture().size()) + rec->Filename);
    return out;
}

}  // namespace

TEST(FileFacts, SizeTextFollowsTheTable)
{
    std::string d = ql::DecimalSeparator();
    std::string g = ql::FormatNumber(1000, 0, true).substr(1, 1);  // the user's grouping mark
    EXPECT_EQ(ql::search::SizeText(0), "0 bytes");
    EXPECT_EQ(ql::search::SizeText(1), "1 bytes");
    EXPECT_EQ(ql::search::SizeText(1000), "1" + g + "000 bytes");
    EXPECT_EQ(ql::search::SizeText(1023), "1" + g + "023 bytes");
    EXPECT_EQ(ql::search::SizeText(1024), "1" + d + "00KB");
    EXPECT_EQ(ql::search::SizeText(1536), "1" + d + "50KB");
    EXPECT_EQ(ql::search::SizeText(10 * 1024), "10" + d + "0KB");
    EXPECT_EQ(ql::search::SizeText(1000 * 1024), "0" + d + "98MB");
    EXPECT_EQ(ql::search::SizeText(20 * 1048576LL), "20" + d + "0MB");
    EXPECT_EQ(ql::search::SizeText(5LL * 1024 * 1024 * 1024), "5" + d + "00GB");
    EXPECT_EQ(ql::search::SizeText(-1), "0" + d + "0KB (0 bytes)");
}

TEST(FileFacts, FileTimeBecomesAnOleDate)
{
    // 2000-01-01 12:00:00 UTC
    SYSTEMTIME st{2000, 1, 6, 1, 12, 0, 0, 0};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    uint64_t count = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    EXPECT_NEAR(ql::search::FileTimeToDate(count), 36526.5, 1e-9);
    EXPECT_NEAR(ql::search::FileTimeToDate(count + 4000000), 36526.5, 1e-9);  // 0.4 s rounds away
    EXPECT_DOUBLE_EQ(ql::search::FileTimeToDate(0), -109205.0);
}

TEST(cFindFiles, StartDirectoryAlwaysEndsWithABackslash)
{
    cFindFiles f;
    EXPECT_EQ(f.StartDirectory(), "c:\\");
    EXPECT_EQ(f.FilterMask(), "*.txt");
    EXPECT_TRUE(f.Recursive());
    f.SetStartDirectory("C:\\Fonts");
    EXPECT_EQ(f.StartDirectory(), "C:\\Fonts\\");
    f.SetStartDirectory("");
    EXPECT_EQ(f.StartDirectory(), "\\");
    f.SetFiles(nullptr);
    ASSERT_NE(f.Files(), nullptr);
    EXPECT_EQ(f.Files()->Parent(), &f);
}

TEST(cFindFiles, RecursiveSearchSkipsLinksDotFoldersAndCaseTwins)
{
    cFindFiles f;
    int completed = 0;
    f.SearchCompleted = [&] { ++completed; };
    f.SetStartDirectory(Fixture());
    f.SetFilterMask("*.ttf");
    f.PerformSearch();
    EXPECT_EQ(completed, 1);
    auto keys = Keys(f);
    // One of A.TTF / a.ttf (same key), the sub-folders' files; never .hidden nor via the loop.
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_TRUE(keys.count("\\sub\\b.ttf"));
    EXPECT_TRUE(keys.count("\\sub\\deeper\\c.TTF"));
    EXPECT_EQ(keys.count("\\A.TTF") + keys.count("\\a.ttf"), 1u);
    EXPECT_EQ(f.Matched(), 3);
    // Root: . .. A.TTF a.ttf notes.txt sub .hidden = 7; sub: . .. b.ttf deeper loop = 5; deeper: 3.
    EXPECT_EQ(f.Searched(), 15);
    for (auto& rec : *f.Files()) {
        EXPECT_EQ(rec->RootPath.back(), '\\');
        EXPECT_GT(rec->CreationTime, 36526.0);  // after 2000
    }
    auto b = f.Files()->Item(Fixture() + "\\SUB\\B.TTF");
    EXPECT_EQ(b->SIZE, "2 bytes");
    std::string sep = ql::DecimalSeparator();
    EXPECT_NE(f.SearchTime().find(sep), std::string::npos);
    EXPECT_EQ(f.SearchTime().substr(f.SearchTime().size() - 9), "  seconds");
}

TEST(cFindFiles, FlatAndInverseSearches)
{
    cFindFiles f;
    f.SetStartDirectory(Fixture());
    f.SetFilterMask("*.ttf;*.fon");
    f.SetRecursive(false);
    f.PerformSearch();
    EXPECT_EQ(f.Matched(), 1);
    EXPECT_EQ(f.Searched(), 7);  // sub-folders still count

    cFindFiles inv;
    inv.SetStartDirectory(Fixture());
    inv.SetFilterMask("*.ttf");
    inv.SetSearchType(0);
    inv.PerformSearch();
    EXPECT_EQ(Keys(inv), std::set<std::string>{"\\notes.txt"});

    cFindFiles none;
    none.SetStartDirectory(Fixture());
    none.SetSearchType(7);
    none.PerformSearch();
    EXPECT_EQ(none.Files()->Count(), 0);
    EXPECT_EQ(none.Searched(), 15);
}

TEST(cFindFiles, ASecondSearchOnTheSameObjectKeepsGoing)
{
    cFindFiles f;
    f.SetStartDirectory(Fixture());
    f.SetFilterMask("*.ttf");
    f.PerformSearch();
    f.PerformSearch();  // every file is already listed: no abort, counters describe this run
    EXPECT_EQ(f.Files()->Count(), 3);
    EXPECT_EQ(f.Searched(), 15);
    EXPECT_EQ(f.Matched(), 0);

    cFindFiles missing;
    missing.SetStartDirectory(Fixture() + "\\no such folder");
    missing.PerformSearch();
    EXPECT_EQ(missing.Searched(), 0);
    EXPECT_EQ(missing.Files()->Count(), 0);
}
