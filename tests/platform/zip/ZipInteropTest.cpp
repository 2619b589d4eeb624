// Reads archives made by Info-ZIP and Python and writes archives for them to check
// (run by interop.sh, which makes the fixtures and checks the results).
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipResult.h"
#include "platform/zip/ZipWriter.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace qlzip;
using ql::test::ReadFileBytes;
using ql::test::WinPath;

namespace {

const char* const kSources[] = {"DejaVuSans.ttf", "DejaVuSerif-Bold.ttf", "noise.bin", "empty.txt"};

std::string Work()
{
    const char* w = std::getenv("QL_INTEROP_DIR");
    return w ? WinPath(w) : std::string();
}

struct FixedPassword : UnzipEvents, ZipWriteEvents {
    int asked = 0;
    bool Password(std::string& p) override
    {
        ++asked;
        p = "TiderunKeyphrase";
        return true;
    }
    bool Password(std::string& p, bool) override { return Password(p); }
};

class ZipInterop : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = Work();
        if (work.empty())
            GTEST_SKIP() << "run through interop.sh";
    }
    void ExpectReadable(const std::string& archive, bool encrypted)
    {
        std::vector<ZipEntryInfo> list;
        ASSERT_EQ(ZipOk, ListArchive(work + "\\" + archive, list));
        size_t files = 0;
        for (const ZipEntryInfo& e : list) {
            if (e.directory)
                continue;
            ++files;
            std::string bare = e.name.substr(e.name.find_last_of('/') + 1);
            std::string src = ReadFileBytes(work + "\\src\\" + bare);
            EXPECT_EQ(src.size(), e.size) << e.name;
            EXPECT_EQ(uint32_t(crc32(0, reinterpret_cast<const Bytef*>(src.data()), uInt(src.size()))), e.crc);
            EXPECT_EQ(encrypted, e.encrypted) << e.name;
            EXPECT_GE(e.time.year, 2020);
        }
        EXPECT_EQ(4u, files);

        std::string out = work + "\\out-" + archive;
        UnzipOptions o;
        o.folder = out;
        FixedPassword events;
        ASSERT_EQ(ZipOk, ExtractArchive(work + "\\" + archive, {}, o, events));
        EXPECT_EQ(encrypted ? 1 : 0, events.asked);
        for (const char* name : kSources)
            EXPECT_TRUE(ReadFileBytes(work + "\\src\\" + name) == ReadFileBytes(out + "\\" + name)) << name;
    }
    std::string work;
};

}  // namespace

TEST_F(ZipInterop, ReadsInfoZipArchives)
{
    ExpectReadable("infozip.zip", false);
    ExpectReadable("infozip-enc.zip", true);
    ExpectReadable("infozip-stream.zip", true);
}

TEST_F(ZipInterop, ReadsPythonArchives)
{
    ExpectReadable("python.zip", false);
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(work + "\\python.zip", list));
    EXPECT_EQ("fonts/sub/DejaVuSans.ttf", list[0].name);
    EXPECT_EQ(8, list[0].method);
    EXPECT_EQ(0, list[1].method);
    EXPECT_TRUE(list[4].directory);
}

TEST_F(ZipInterop, WritesArchivesForOtherTools)
{
    std::vector<std::string> specs;
    for (const char* name : kSources)
        specs.push_back(work + "\\src\\" + name);
    FixedPassword events;
    ZipWriteOptions o;
    ASSERT_EQ(ZipOk, WriteArchive(work + "\\engine.zip", specs, o, events));
    o.encrypt = true;
    // Written in two steps: the update path must give a valid archive too.
    ASSERT_EQ(ZipOk, WriteArchive(work + "\\engine-enc.zip", {specs[0], specs[1]}, o, events));
    ASSERT_EQ(ZipOk, WriteArchive(work + "\\engine-enc.zip", {specs[1], specs[2], specs[3]}, o, events));

    // Updating Info-ZIP's archive keeps its members (data descriptors and all) as they were.
    ASSERT_TRUE(CopyFileA((work + "\\infozip-stream.zip").c_str(), (work + "\\engine-update.zip").c_str(), FALSE));
    ASSERT_EQ(ZipOk, WriteArchive(work + "\\engine-update.zip", {specs[0]}, o, events));
}

namespace {

struct Counting : UnzipEvents {
    int asked = 0;
    bool Password(std::string& p) override
    {
        ++asked;
        p = "TiderunKeyphrase";
        return true;
    }
};

}  // namespace

TEST_F(ZipInterop, ReadsNonAsciiNamesOfOtherTools)
{
    const std::string cafe = "caf\xC3\xA9 \xC3\xB1.ttf", omega = "\xCE\xA9mega.ttf";
    for (const char* archive : {"infozip-names.zip", "7zip-names.zip", "python-names.zip"}) {
        std::vector<ZipEntryInfo> list;
        ASSERT_EQ(ZipOk, ListArchive(work + "\\" + archive, list)) << archive;
        std::vector<std::string> names;
        for (const ZipEntryInfo& e : list)
            names.push_back(e.nameUtf8);
        std::sort(names.begin(), names.end());
        EXPECT_EQ((std::vector<std::string>{cafe, omega}), names) << archive;
        UnzipOptions o;
        o.folder = work + "\\out-" + std::string(archive, std::strlen(archive) - 4);
        Counting events;
        EXPECT_EQ(ZipOk, ExtractArchive(work + "\\" + archive, {}, o, events)) << archive;
    }
}

TEST_F(ZipInterop, SaysAesIsNotSupported)
{
    UnzipOptions o;
    o.folder = work + "\\out-aes";
    Counting events;
    EXPECT_EQ(ZipBadEncryption, ExtractArchive(work + "\\7zip-aes.zip", {}, o, events));
    EXPECT_EQ(0, events.asked);
}

TEST_F(ZipInterop, WritesNonAsciiNamesForOtherTools)
{
    wchar_t wide[] = L"caf\u00e9 \u00f1.ttf";
    char ansi[MAX_PATH];
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, &lossy);
    ASSERT_TRUE(n > 0 && !lossy) << "the ANSI code page has no é and ñ";
    FixedPassword events;
    ASSERT_EQ(ZipOk, WriteArchive(work + "\\engine-names.zip", {work + "\\names\\" + ansi}, {}, events));
}
