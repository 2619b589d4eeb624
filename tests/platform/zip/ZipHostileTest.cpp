// Archives from outside are not trusted: hostile names, lying headers and damage
// never write outside the target folder, never crash, and always report failure.
#include "ZipTestKit.h"

#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipResult.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <random>

using namespace qlzip;
using namespace ziptest;
using ql::test::MakeScratchDir;
using ql::test::ReadFileBytes;
using ql::test::WriteFileBytes;

namespace {

class ZipHostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeScratchDir("ziphostile");
        out = dir + "\\box\\out";
        CreateDirectoryA((dir + "\\box").c_str(), nullptr);
        options.folder = out;
    }
    void TearDown() override { ql::test::RemoveTree(dir); }
    std::string Write(const std::string& bytes)
    {
        std::string p = dir + "\\t" + std::to_string(n++) + ".zip";
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    std::vector<std::string> Listing(const std::string& folder)
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
            if (std::string(fd.cFileName) != "." && std::string(fd.cFileName) != "..")
                names.push_back(fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }

    std::string dir, out;
    int n = 0;
    UnzipOptions options;
    ReadScript events;
};

}  // namespace

TEST(ZipNames, HostileNamesAreReducedOrRefused)
{
    struct Case {
        const char* name;
        const char* bare;      // without folder names
        const char* folders;   // with folder names
    } cases[] = {
        {"a.ttf", "a.ttf", "a.ttf"},
        {"fonts/sub/a.ttf", "a.ttf", "fonts\\sub\\a.ttf"},
        {"../x.ttf", "x.ttf", ""},
        {"..\\x.ttf", "x.ttf", ""},
        {"a/../../x.ttf", "x.ttf", ""},
        {"/abs/x.ttf", "x.ttf", "abs\\x.ttf"},
        {"C:\\x.ttf", "x.ttf", "x.ttf"},
        {"\\\\srv\\share\\x.ttf", "x.ttf", "srv\\share\\x.ttf"},
        {"C:x.ttf", "", ""},
        {"x.ttf:stream", "", ""},
        {"CON", "", ""},
        {"nul.txt", "", ""},
        {"sub/COM1", "", ""},
        {"lpt9.ttf", "", ""},
        {"COM10.ttf", "COM10.ttf", "COM10.ttf"},
        {"x.ttf.", "", ""},
        {"x.ttf ", "", ""},
        {"", "", ""},
        {"..", "", ""},
        {"a/", "", "a"},
        {"bad\x01name", "", ""},
        {"what?.ttf", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bare, SafeOutputName(c.name, false)) << c.name;
        EXPECT_EQ(c.folders, SafeOutputName(c.name, true)) << c.name;
    }
}

TEST_F(ZipHostile, NothingIsWrittenOutsideTheTargetFolder)
{
    const char* names[] = {"../up1.ttf", "..\\up2.ttf", "C:\\abs.ttf", "C:rel.ttf", "good.ttf:ads",
                           "CON", "",  "..", "sub/../../up3.ttf", "\\\\srv\\share\\unc.ttf"};
    std::vector<RawEntry> entries;
    for (const char* name : names)
        entries.push_back({name, std::string("data of ") + name});
    std::string zip = Write(BuildArchive(entries));

    for (bool folders : {false, true}) {
        ql::test::RemoveTree(out);
        options.useFolderNames = folders;
        EXPECT_EQ(ZipUnsafeName, ExtractArchive(zip, {}, options, events));
        std::vector<std::string> got = Listing(out);
        std::sort(got.begin(), got.end());
        if (folders)
            EXPECT_EQ((std::vector<std::string>{"abs.ttf", "srv"}), got);
        else
            EXPECT_EQ((std::vector<std::string>{"abs.ttf", "unc.ttf", "up1.ttf", "up2.ttf", "up3.ttf"}), got);
        EXPECT_EQ(std::vector<std::string>{"out"}, Listing(dir + "\\box"));
    }
    EXPECT_EQ(PathKind::Missing, KindOf("C:\\abs.ttf"));
    EXPECT_EQ(PathKind::Missing, KindOf(dir + "\\up1.ttf"));
}

TEST_F(ZipHostile, DamagedArchivesAreRejected)
{
    std::string good = BuildArchive({{"a.ttf", std::string(3000, 'a'), 8}, {"b.ttf", "bbbb"}});
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(Write(good), list));

    // Cut anywhere: never a crash, never success.
    for (size_t cut : {size_t(0), size_t(10), good.size() / 2, good.size() - 30, good.size() - 1}) {
        std::string zip = Write(good.substr(0, cut));
        EXPECT_NE(ZipOk, ListArchive(zip, list)) << cut;
        EXPECT_NE(ZipOk, ExtractArchive(zip, {}, options, events)) << cut;
    }
    // A central directory that points past the end of the file.
    std::string past = good;
    past[past.size() - 6] = char(0x7F);
    EXPECT_EQ(ZipBadArchive, ListArchive(Write(past), list));
    // A member whose local offset is past the directory.
    std::string beyond = good;
    size_t cd = beyond.find("PK\x01\x02");
    beyond[cd + 42 + 2] = char(0x10);
    EXPECT_EQ(ZipBadArchive, ListArchive(Write(beyond), list));
    // A compressed size larger than the file.
    std::string big = good;
    big[cd + 20 + 3] = char(0x40);
    EXPECT_EQ(ZipBadArchive, ExtractArchive(Write(big), {}, options, events));
    EXPECT_TRUE(Listing(out).empty());
    EXPECT_EQ(ZipBadArchive, ListArchive(Write("PK\x05\x06 not really"), list));
}

TEST_F(ZipHostile, OutputIsCappedAtTheDeclaredSize)
{
    std::string bomb(1 << 20, 'z');
    std::string zip = Write(BuildArchive({{"bomb.ttf", bomb, 8, 1000}, {"short.ttf", "abc", 0, 10}}));
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    EXPECT_EQ(1000u, list[0].size);
    EXPECT_EQ(ZipCrcError, ExtractArchive(zip, {}, options, events));
    EXPECT_TRUE(Listing(out).empty());   // neither the partial file nor its temporary
}

TEST_F(ZipHostile, BadCrcNeverReplacesAnExistingFile)
{
    std::string zip = Write(BuildArchive({{"a.ttf", std::string(5000, 'n'), 8, 0xFFFFFFFF, 0x12345678}}));
    CreateDirectoryA(out.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(out + "\\a.ttf", "precious"));
    options.overwriteExisting = true;
    EXPECT_EQ(ZipCrcError, ExtractArchive(zip, {}, options, events));
    EXPECT_EQ("precious", ReadFileBytes(out + "\\a.ttf"));
    EXPECT_EQ(std::vector<std::string>{"a.ttf"}, Listing(out));
}

TEST_F(ZipHostile, UnsupportedMethodsFailPerEntry)
{
    std::vector<RawEntry> entries = {{"ok.ttf", "fine"}};
    for (uint16_t m : {9, 12, 14, 99})
        entries.push_back({"m" + std::to_string(m) + ".ttf", "xxxx", m});
    std::string zip = Write(BuildArchive(entries));
    EXPECT_EQ(ZipBadMethod, ExtractArchive(zip, {}, options, events));
    EXPECT_EQ(std::vector<std::string>{"ok.ttf"}, Listing(out));
}

TEST_F(ZipHostile, Zip64AndMultiDiskAreRefusedClearly)
{
    std::string good = BuildArchive({{"a.ttf", "aaaa"}});
    std::vector<ZipEntryInfo> list;
    std::string zip64 = good;
    zip64[zip64.size() - 12] = char(0xFF);   // total entries 0xFFFF
    zip64[zip64.size() - 11] = char(0xFF);
    zip64[zip64.size() - 14] = char(0xFF);
    zip64[zip64.size() - 13] = char(0xFF);
    std::string err;
    EXPECT_EQ(ZipUnsupported, ListArchive(Write(zip64), list, &err));
    EXPECT_NE(std::string::npos, err.find("ZIP64"));

    // A ZIP64 locator just before the end record.
    std::string located = good;
    std::string locator;
    Put32(locator, kZip64LocatorSig);
    locator += std::string(16, '\0');
    located.insert(located.size() - 22, locator);
    EXPECT_EQ(ZipUnsupported, ListArchive(Write(located), list));

    std::string disks = good;
    disks[disks.size() - 18] = 1;   // number of this disk
    EXPECT_EQ(ZipUnsupported, ExtractArchive(Write(disks), {}, options, events));
}

TEST_F(ZipHostile, RandomDamageNeverEscapesOrCrashes)
{
    std::string good = BuildArchive({{"a.ttf", std::string(4000, 'a') + "tail", 8},
                                     {"sub/b.ttf", "bbbbbbbb"},
                                     {"c.ttf", std::string(2000, 'c'), 8}});
    std::mt19937 gen(1234);
    options.overwriteExisting = true;
    for (int round = 0; round < 300; ++round) {
        std::string bad = good;
        int hits = 1 + int(gen() % 4);
        for (int h = 0; h < hits; ++h)
            bad[gen() % bad.size()] = char(gen() & 0xFF);
        if (gen() % 5 == 0)
            bad.resize(gen() % bad.size());
        std::string zip = dir + "\\fuzz.zip";
        ASSERT_TRUE(WriteFileBytes(zip, bad));
        std::vector<ZipEntryInfo> list;
        ListArchive(zip, list);
        options.useFolderNames = round % 2 == 1;
        ExtractArchive(zip, {}, options, events);
        // Whatever came out is a checked, complete file inside the target folder.
        for (const std::string& name : Listing(out)) {
            EXPECT_EQ(std::string::npos, name.find(".tmp")) << round;
            std::string got = ReadFileBytes(out + "\\" + name);
            if (!got.empty()) {
                EXPECT_TRUE(got == std::string(4000, 'a') + "tail" || got == "bbbbbbbb" || got == std::string(2000, 'c'))
                    << round << " " << name;
            }
        }
    }
    EXPECT_EQ(std::vector<std::string>{"out"}, Listing(dir + "\\box"));
}
