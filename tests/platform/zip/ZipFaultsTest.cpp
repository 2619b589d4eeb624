// Names other tools read, directories that lie, encryption the engine cannot open,
// files too large to hold: every archive here is made by the test itself.
#include "ZipTestKit.h"

#include "platform/zip/ZipCrypto.h"
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipNameCoding.h"
#include "platform/zip/ZipResult.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>

using namespace qlzip;
using namespace ziptest;
using ql::test::MakeScratchDir;
using ql::test::ReadFileBytes;
using ql::test::WriteFileBytes;

namespace {

// "café ñ.ttf" and "Ωmega.ttf" (no Western code page holds the omega).
const wchar_t kCafeWide[] = L"caf\u00e9 \u00f1.ttf";
const char kCafeUtf8[] = "caf\xC3\xA9 \xC3\xB1.ttf";
const wchar_t kOmegaWide[] = L"\u03a9mega.ttf";
const char kOmegaUtf8[] = "\xCE\xA9mega.ttf";

// The ANSI form of a name, or "" when the code page cannot hold it.
std::string Ansi(const std::wstring& w)
{
    BOOL lossy = FALSE;
    char buf[MAX_PATH];
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), int(w.size()), buf, sizeof buf, nullptr, &lossy);
    return n <= 0 || lossy ? std::string() : std::string(buf, size_t(n));
}

std::wstring Wide(const std::string& ansi)
{
    wchar_t buf[MAX_PATH];
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), int(ansi.size()), buf, MAX_PATH);
    return std::wstring(buf, size_t(n > 0 ? n : 0));
}

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(gen() & 0xFF);
    return s;
}

// The end record of an archive made by BuildArchive, with other counts.
std::string WithCount(std::string zip, uint16_t count)
{
    size_t end = zip.size() - kEndSize;
    zip[end + 8] = zip[end + 10] = char(count & 0xFF);
    zip[end + 9] = zip[end + 11] = char(count >> 8);
    return zip;
}

class ZipFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeScratchDir("zipfaults");
        out = dir + "\\out";
        options.folder = out;
    }
    void TearDown() override { ql::test::RemoveTree(dir); }
    std::string Write(const std::string& bytes)
    {
        std::string p = dir + "\\t" + std::to_string(n++) + ".zip";
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    std::string Make(const std::string& name, const std::string& bytes)
    {
        std::string p = dir + "\\" + name;
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    CentralDirectory Directory(const std::string& zip)
    {
        InFile f;
        CentralDirectory cd;
        EXPECT_TRUE(f.Open(zip));
        EXPECT_EQ(ZipOk, ReadCentralDirectory(f, cd));
        return cd;
    }
    bool FileThere(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::string dir, out;
    int n = 0;
    WriteScript writer;
    ReadScript reader;
    UnzipOptions options;
};

}  // namespace

TEST_F(ZipFaults, NonAsciiNamesAreWrittenAsFlaggedUtf8)
{
    std::string cafe = Ansi(kCafeWide);
    if (cafe.empty())
        GTEST_SKIP() << "the ANSI code page has no é and ñ";
    std::string zip = dir + "\\names.zip";
    ASSERT_EQ(ZipOk, WriteArchive(zip, {Make(cafe, "cafe bytes"), Make("plain.ttf", "plain")}, {}, writer));

    CentralDirectory cd = Directory(zip);
    ASSERT_EQ(2u, cd.entries.size());
    EXPECT_EQ(kCafeUtf8, cd.entries[0].rawName);
    EXPECT_TRUE(cd.entries[0].flags & kFlagUtf8);
    EXPECT_EQ("plain.ttf", cd.entries[1].rawName);   // ASCII names stay as they were
    EXPECT_FALSE(cd.entries[1].flags & kFlagUtf8);
    EXPECT_NE(0, cd.entries[0].versionMadeBy >> 8);   // not "MS-DOS", which means code page 437
    // The local header says the same as the central record.
    std::string bytes = ReadFileBytes(zip);
    EXPECT_EQ(kFlagUtf8, Get16(reinterpret_cast<const unsigned char*>(bytes.data()) + 6) & kFlagUtf8);

    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    EXPECT_EQ(cafe, list[0].name);
    EXPECT_EQ(kCafeUtf8, list[0].nameUtf8);
    ASSERT_EQ(ZipOk, ExtractArchive(zip, {cafe}, options, reader));
    EXPECT_EQ("cafe bytes", ReadFileBytes(out + "\\" + cafe));
}

TEST_F(ZipFaults, NamesAreReadAsTheirCodingSays)
{
    // Windows' own zip folders: code page 437, no flag ("caf" + 0x82 is café).
    RawEntry legacy{"caf\x82.ttf", "cp437"};
    // Info-ZIP on Linux: UTF-8 bytes without the flag, and a Unicode Path field.
    std::string naive = "na\xC3\xAFve.ttf";
    std::string field;
    Put16(field, kUnicodePathExtra);
    Put16(field, uint16_t(5 + naive.size()));
    field += char(1);
    Put32(field, Crc(naive));
    field += naive;
    RawEntry infozip{naive, "infozip", 0, 0xFFFFFFFF, 0, 0, field};
    // A Unicode Path field that no longer matches its name (renamed by an old tool) is ignored.
    std::string staleField = field;
    staleField[5] ^= 0x55;
    RawEntry stale{"st\xC3\xA9.ttf", "stale", 0, 0xFFFFFFFF, 0, 0, staleField};
    // Flagged UTF-8 that no Western ANSI code page holds.
    RawEntry omega{kOmegaUtf8, "omega", 0, 0xFFFFFFFF, 0, kFlagUtf8};
    std::string zip = Write(BuildArchive({legacy, infozip, stale, omega}));

    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(4u, list.size());
    EXPECT_EQ("caf\xC3\xA9.ttf", list[0].nameUtf8);
    EXPECT_EQ(naive, list[1].nameUtf8);
    EXPECT_EQ("st\xE2\x94\x9C\xE2\x8C\x90.ttf", list[2].nameUtf8);   // the bytes read as code page 437
    EXPECT_EQ(kOmegaUtf8, list[3].nameUtf8);

    ASSERT_EQ(ZipOk, ExtractArchive(zip, {}, options, reader));
    std::wstring w = Wide(out) + L"\\";
    EXPECT_TRUE(FileThere(w + L"caf\u00e9.ttf"));
    EXPECT_TRUE(FileThere(w + L"na\u00efve.ttf"));
    EXPECT_TRUE(FileThere(w + L"st\u251c\u2310.ttf"));
    EXPECT_TRUE(FileThere(w + kOmegaWide));   // made through the wide calls, not refused
    // The entry can be picked by the name the listing gives, lossy ANSI form or UTF-8.
    ql::test::RemoveTree(out);
    ASSERT_EQ(ZipOk, ExtractArchive(zip, {list[3].name}, options, reader));
    ASSERT_EQ(ZipOk, ExtractArchive(zip, {list[3].nameUtf8}, options, reader));
    EXPECT_TRUE(FileThere(w + kOmegaWide));

    // Info-ZIP in a UTF-8 locale: UTF-8 bytes, no flag, no field, made on Unix.
    std::string unix = BuildArchive({{naive, "unix"}, {"caf\x82.ttf", "not utf-8"}});
    for (size_t at = unix.find("PK\x01\x02"); at != std::string::npos; at = unix.find("PK\x01\x02", at + 4))
        unix[at + 5] = 3;
    ASSERT_EQ(ZipOk, ListArchive(Write(unix), list));
    EXPECT_EQ(naive, list[0].nameUtf8);
    EXPECT_EQ("caf\xC3\xA9.ttf", list[1].nameUtf8);   // not valid UTF-8: code page 437 still
}

TEST_F(ZipFaults, OverlappingMembersAreRefused)
{
    // Ten records, one local entry: each would extract the same data again.
    std::string one = BuildArchive({{"zz.ttf", std::string(4096, '\0')}});
    size_t cd = one.find("PK\x01\x02");
    std::string record = one.substr(cd, kCentralSize + 6);
    std::string central;
    for (int i = 0; i < 10; ++i) {
        std::string r = record;
        r[kCentralSize + 1] = char('0' + i);
        central += r;
    }
    std::string bomb = one.substr(0, cd) + central;
    Put32(bomb, kEndSig);
    Put32(bomb, 0);
    Put16(bomb, 10);
    Put16(bomb, 10);
    Put32(bomb, uint32_t(central.size()));
    Put32(bomb, uint32_t(cd));
    Put16(bomb, 0);
    std::string zip = Write(bomb);
    std::vector<ZipEntryInfo> list;
    EXPECT_EQ(ZipBadArchive, ListArchive(zip, list));
    EXPECT_EQ(ZipBadArchive, ExtractArchive(zip, {}, options, reader));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((out + "\\z0.ttf").c_str()));

    // A second member starting inside the first one's data.
    std::string two = BuildArchive({{"a.ttf", std::string(300, 'a')}, {"b.ttf", std::string(300, 'b')}});
    size_t second = two.rfind("PK\x01\x02");
    two[second + 42] = char(40);   // local offset 40: within a.ttf's data
    EXPECT_EQ(ZipBadArchive, ListArchive(Write(two), list));
}

TEST_F(ZipFaults, AnEndRecordCountThatDisagreesIsRefused)
{
    std::string good = BuildArchive({{"a.ttf", "aaa"}, {"b.ttf", "bbb"}, {"c.ttf", "ccc"}});
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(Write(good), list));
    for (uint16_t count : {0, 1, 2, 4}) {
        std::string zip = Write(WithCount(good, count));
        EXPECT_EQ(ZipBadArchive, ListArchive(zip, list)) << count;
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(ZipBadArchive, ExtractArchive(zip, {}, options, reader)) << count;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((out + "\\a.ttf").c_str()));
}

TEST_F(ZipFaults, AFullClassicDirectoryOf65535EntriesReadsBack)
{
    std::vector<RawEntry> entries;
    entries.reserve(65534);
    for (int i = 0; i < 65534; ++i)
        entries.push_back({"f" + std::to_string(i), ""});
    std::string zip = Write(BuildArchive(entries));
    entries.clear();
    // The writer adds the 65535th; its own reader must take 0xFFFF as that count.
    ASSERT_EQ(ZipOk, WriteArchive(zip, {Make("last.ttf", "the last one")}, {}, writer));
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(65535u, list.size());
    EXPECT_EQ("last.ttf", list.back().name);
    ASSERT_EQ(ZipOk, ExtractArchive(zip, {"last.ttf"}, options, reader));
    EXPECT_EQ("the last one", ReadFileBytes(out + "\\last.ttf"));
    // One more needs ZIP64, which the writer refuses, leaving the archive as it was.
    EXPECT_EQ(ZipUnsupported, WriteArchive(zip, {Make("more.ttf", "x")}, {}, writer));
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    EXPECT_EQ(65535u, list.size());
}

TEST_F(ZipFaults, AesEntriesAreReportedAsUnsupportedEncryption)
{
    std::string aes;
    Put16(aes, 0x9901);
    Put16(aes, 7);
    Put16(aes, 2);   // AE-2
    aes += "AE";
    aes += char(3);  // AES-256
    Put16(aes, 8);   // deflated underneath
    std::string zip = Write(BuildArchive({{"aes.ttf", RandomBytes(200, 5), 99, 0xFFFFFFFF, 0, kFlagEncrypted, aes}}));
    reader.passwords = {"right"};
    std::string text;
    EXPECT_EQ(ZipBadEncryption, ExtractArchive(zip, {}, options, reader, &text));
    EXPECT_NE(std::string::npos, text.find("encryption method"));
    EXPECT_EQ(0, reader.passwordRequests);   // no password could open it
}

TEST_F(ZipFaults, AWrongPasswordThatPassesTheCheckByteIsAskedAgain)
{
    std::string font = Make("data.ttf", RandomBytes(5000, 9));
    writer.password = "right";
    ZipWriteOptions o;
    o.encrypt = true;
    std::string zip = dir + "\\enc.zip";
    ASSERT_EQ(ZipOk, WriteArchive(zip, {font}, o, writer));

    // Find a wrong password whose header check byte matches (one in 256 do).
    InFile f;
    CentralDirectory cd;
    ASSERT_TRUE(f.Open(zip));
    ASSERT_EQ(ZipOk, ReadCentralDirectory(f, cd));
    uint64_t at = 0;
    unsigned char header[kCryptHeaderSize];
    ASSERT_EQ(ZipOk, LocateData(f, cd.entries[0], at));
    ASSERT_TRUE(f.ReadAt(at, header, sizeof header));
    f.Close();
    std::string lucky;
    for (int i = 0; lucky.empty(); ++i) {
        ZipCrypto c("wrong" + std::to_string(i));
        if (c.CheckHeader(header, (unsigned char)(cd.entries[0].crc >> 24)))
            lucky = "wrong" + std::to_string(i);
    }

    reader.passwords = {lucky, "right"};
    EXPECT_EQ(ZipOk, ExtractArchive(zip, {}, options, reader));
    EXPECT_EQ(2, reader.passwordRequests);
    EXPECT_EQ(ReadFileBytes(font), ReadFileBytes(out + "\\data.ttf"));

    // Only the lucky one, again and again: asked twice, then a wrong password, no file.
    ql::test::RemoveTree(out);
    ReadScript stubborn;
    stubborn.passwords = {lucky};
    EXPECT_EQ(ZipWrongPassword, ExtractArchive(zip, {}, options, stubborn));
    EXPECT_EQ(2, stubborn.passwordRequests);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((out + "\\data.ttf").c_str()));
}

TEST_F(ZipFaults, LargeFilesAreStreamedBothWays)
{
    // Above the size the writer holds in memory: these take the streamed path.
    std::string text;
    for (int i = 0; text.size() < (9u << 20); ++i)
        text += "line " + std::to_string(i) + " of a large compressible file\n";
    std::string big = Make("big.txt", text);
    std::string noise = Make("noise.bin", RandomBytes(9u << 20, 3));
    std::string small = Make("small.ttf", "small");
    for (bool encrypt : {false, true}) {
        ql::test::RemoveTree(out);
        ZipWriteOptions o;
        o.encrypt = encrypt;
        writer.password = "pw";
        reader.passwords = {"pw"};
        std::string zip = dir + (encrypt ? "\\big-enc.zip" : "\\big.zip");
        ASSERT_EQ(ZipOk, WriteArchive(zip, {small, big, noise}, o, writer)) << encrypt;
        std::vector<ZipEntryInfo> list;
        ASSERT_EQ(ZipOk, ListArchive(zip, list));
        ASSERT_EQ(3u, list.size());
        EXPECT_EQ(8, list[1].method);
        EXPECT_LT(list[1].packedSize, text.size() / 4);
        EXPECT_EQ(0, list[2].method);   // random data does not deflate: stored instead
        EXPECT_EQ(9u << 20, list[2].packedSize);
        EXPECT_EQ(encrypt, list[2].encrypted);
        ASSERT_EQ(ZipOk, ExtractArchive(zip, {}, options, reader)) << encrypt;
        EXPECT_TRUE(ReadFileBytes(out + "\\big.txt") == text);
        EXPECT_TRUE(ReadFileBytes(out + "\\noise.bin") == ReadFileBytes(noise));
        EXPECT_EQ("small", ReadFileBytes(out + "\\small.ttf"));
    }
}

TEST_F(ZipFaults, MissingArchiveAndMissingFoldersAreToldApart)
{
    std::vector<ZipEntryInfo> list;
    std::string text;
    EXPECT_EQ(ZipNoArchive, ListArchive(dir + "\\none.zip", list, &text));
    EXPECT_NE(std::string::npos, text.find("archive does not exist")) << text;
    EXPECT_EQ(ZipNoArchive, ExtractArchive(dir + "\\none.zip", {}, options, reader));

    // The target's parents are made, as the other tools do.
    std::string zip = Write(BuildArchive({{"a.ttf", "aaa"}}));
    options.folder = out + "\\one\\two\\three";
    ASSERT_EQ(ZipOk, ExtractArchive(zip, {}, options, reader));
    EXPECT_EQ("aaa", ReadFileBytes(options.folder + "\\a.ttf"));
}

TEST_F(ZipFaults, ANewArchiveNeverReplacesAFileThatAppearedMeanwhile)
{
    struct Intruder : WriteScript {
        std::string path;
        bool Service(const std::string&) override { return !WriteFileBytes(path, "theirs"); }
    } intruder;
    intruder.path = dir + "\\race.zip";
    std::string text;
    EXPECT_EQ(ZipWriteError, WriteArchive(intruder.path, {Make("a.ttf", "a")}, {}, intruder, &text));
    EXPECT_EQ("theirs", ReadFileBytes(intruder.path));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\~qz*.tmp").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);   // the temporary archive is gone too
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);

    // An empty file is a reserved name: the archive takes its place.
    ASSERT_TRUE(WriteFileBytes(dir + "\\reserved.zip", ""));
    ASSERT_EQ(ZipOk, WriteArchive(dir + "\\reserved.zip", {Make("b.ttf", "b")}, {}, writer));
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(dir + "\\reserved.zip", list));
    EXPECT_EQ(1u, list.size());
}

TEST(ZipTemporaries, OnlyTheWritersOwnNamesOfGoneProcessesAreAbandoned)
{
    EXPECT_TRUE(IsAbandonedTemporary("~qz4000001-0.tmp"));   // ids are multiples of four
    EXPECT_FALSE(IsAbandonedTemporary("~qz" + std::to_string(GetCurrentProcessId()) + "-3.tmp"));
    for (const char* other : {"~qzabc-1.tmp", "~qz4000001-.tmp", "~qz-1.tmp", "x~qz4000001-1.tmp",
                              "~qz4000001-1.tmp.bak", "~qz4000001-1x.tmp", "Archive_05142241.qlp"})
        EXPECT_FALSE(IsAbandonedTemporary(other)) << other;
}
