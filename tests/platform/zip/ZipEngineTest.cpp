// Round trips through the engine: what the writer stores, the reader gives back exactly.
#include "ZipTestKit.h"

#include "platform/zip/ZipCrypto.h"
#include "platform/zip/ZipFiles.h"
#include "platform/zip/ZipResult.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>

using namespace qlzip;
using namespace ziptest;
using ql::test::MakeScratchDir;
using ql::test::ReadFileBytes;
using ql::test::WinPath;
using ql::test::WriteFileBytes;

namespace {

const std::string kFont = WinPath("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
const std::string kFont2 = WinPath("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(gen() & 0xFF);
    return s;
}

class ZipEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeScratchDir("zipengine");
        out = dir + "\\out";
    }
    void TearDown() override { ql::test::RemoveTree(dir); }
    std::string Make(const std::string& name, const std::string& bytes)
    {
        std::string p = dir + "\\" + name;
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    int32_t Zip(const std::string& zip, const std::vector<std::string>& specs, bool encrypt = false)
    {
        ZipWriteOptions o;
        o.encrypt = encrypt;
        return WriteArchive(zip, specs, o, writer);
    }
    int32_t Unzip(const std::string& zip, const std::vector<std::string>& include = {})
    {
        return ExtractArchive(zip, include, options, reader);
    }
    size_t FilesIn(const std::string& folder)
    {
        size_t n = 0;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return 0;
        do
            n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileA(h, &fd));
        FindClose(h);
        return n;
    }

    std::string dir, out;
    WriteScript writer;
    ReadScript reader;
    UnzipOptions options;
};

}  // namespace

TEST_F(ZipEngine, StoresDeflatesAndListsExactly)
{
    std::string noise = Make("noise.bin", RandomBytes(70000, 1));
    std::string empty = Make("empty.txt", "");
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont, noise, empty}));

    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(3u, list.size());
    std::string font = ReadFileBytes(kFont);
    EXPECT_EQ("DejaVuSans.ttf", list[0].name);
    EXPECT_EQ(8, list[0].method);
    EXPECT_EQ(font.size(), list[0].size);
    EXPECT_EQ(Crc(font), list[0].crc);
    EXPECT_LT(list[0].packedSize, list[0].size);
    EXPECT_EQ(int32_t((uint64_t(list[0].packedSize) * 100 + font.size() / 2) / font.size()), list[0].ratio);
    EXPECT_FALSE(list[0].encrypted);
    // Incompressible data is stored, its packed size is its size.
    EXPECT_EQ(0, list[1].method);
    EXPECT_EQ(70000u, list[1].packedSize);
    EXPECT_EQ(0u, list[2].size);

    // The entry date is the file's local modification time (two-second steps).
    CivilTime t;
    ASSERT_TRUE(GetModifiedTime(kFont, t));
    DosStamp s = ToDos(t);
    EXPECT_EQ(s.date, list[0].dosDate);
    EXPECT_EQ(s.time, list[0].dosTime);

    options.folder = out;
    ASSERT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ(font, ReadFileBytes(out + "\\DejaVuSans.ttf"));
    EXPECT_EQ(ReadFileBytes(noise), ReadFileBytes(out + "\\noise.bin"));
    EXPECT_EQ(PathKind::File, KindOf(out + "\\empty.txt"));
    EXPECT_EQ(3u, FilesIn(out));
}

TEST_F(ZipEngine, ExtractsOnlySelectedNamesAndReportsMissingOnes)
{
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont, kFont2}));
    options.folder = out;
    EXPECT_EQ(ZipOk, Unzip(zip, {"dejavuserif.ttf"}));
    EXPECT_EQ(1u, FilesIn(out));
    EXPECT_EQ(PathKind::File, KindOf(out + "\\DejaVuSerif.ttf"));
    EXPECT_EQ(ZipNothingMatched, Unzip(zip, {"missing.ttf"}));
}

TEST_F(ZipEngine, EncryptsWithAVerifiedPasswordAndDecryptsIt)
{
    std::string zip = dir + "\\p.qlp";
    writer.password = "TiderunKeyphrase";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont}, true));
    EXPECT_EQ((std::vector<bool>{false, true}), writer.confirms);

    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(1u, list.size());
    EXPECT_TRUE(list[0].encrypted);
    EXPECT_EQ(1, list[0].flags & 1);

    options.folder = out;
    reader.passwords = {"TiderunKeyphrase"};
    ASSERT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ(1, reader.passwordRequests);
    EXPECT_EQ(ReadFileBytes(kFont), ReadFileBytes(out + "\\DejaVuSans.ttf"));
}

// Wrong passwords that the check byte of every entry rejects (one in 256 would pass it
// and only fail at the CRC, which would make the counts below vary).
std::vector<std::string> RejectedPasswords(const std::string& zip, size_t n)
{
    InFile f;
    CentralDirectory cd;
    std::vector<std::string> headers;
    if (f.Open(zip) && ReadCentralDirectory(f, cd) == ZipOk)
        for (const CentralEntry& e : cd.entries) {
            uint64_t at = 0;
            std::string h(kCryptHeaderSize, '\0');
            if (LocateData(f, e, at) == ZipOk && f.ReadAt(at, h.data(), h.size()))
                headers.push_back(h);
        }
    std::vector<std::string> out;
    for (int i = 0; out.size() < n; ++i) {
        std::string candidate = "wrong" + std::to_string(i);
        bool rejected = true;
        for (size_t k = 0; k < headers.size(); ++k) {
            ZipCrypto c(candidate);
            unsigned char check = (unsigned char)(cd.entries[k].crc >> 24);
            if (c.CheckHeader(reinterpret_cast<const unsigned char*>(headers[k].data()), check))
                rejected = false;
        }
        if (rejected)
            out.push_back(candidate);
    }
    return out;
}

TEST_F(ZipEngine, WrongPasswordIsAskedABoundedNumberOfTimes)
{
    std::string zip = dir + "\\p.qlp";
    writer.password = "right";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont, kFont2}, true));
    options.folder = out;
    std::vector<std::string> wrong = RejectedPasswords(zip, 5);

    // A caller that always gives the same wrong answer is not asked forever.
    reader.passwords = {wrong[0]};
    EXPECT_EQ(ZipWrongPassword, Unzip(zip));
    EXPECT_EQ(2, reader.passwordRequests);
    EXPECT_EQ(0u, FilesIn(out));

    ReadScript varied;
    varied.passwords = {wrong.begin(), wrong.end()};
    EXPECT_EQ(ZipWrongPassword, ExtractArchive(zip, {}, options, varied));
    EXPECT_EQ(kMaxWrongPasswords, varied.passwordRequests);

    // A later right answer opens the rest.
    ReadScript late;
    late.passwords = {wrong[0], "right"};
    EXPECT_EQ(ZipOk, ExtractArchive(zip, {}, options, late));
    EXPECT_EQ(2u, FilesIn(out));

    // No answer cancels the run.
    ql::test::RemoveTree(out);
    ReadScript none;
    EXPECT_EQ(ZipCancelled, ExtractArchive(zip, {}, options, none));
}

TEST_F(ZipEngine, UnencryptedArchiveAsksNoPassword)
{
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont}));
    EXPECT_TRUE(writer.confirms.empty());
    options.folder = out;
    ASSERT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ(0, reader.passwordRequests);
}

TEST_F(ZipEngine, UpdateCopiesKeptEntriesRawAndReplacesSameNames)
{
    std::string zip = dir + "\\p.qlp";
    std::string a = Make("a.ttf", RandomBytes(5000, 2) + std::string(5000, 'a'));
    std::string b = Make("b.ttf", "old b");
    writer.password = "pw";
    ASSERT_EQ(ZipOk, Zip(zip, {a, b}, true));
    std::string before = ReadFileBytes(zip);

    // Replacing b by a file of the same name in another case and folder; the kept,
    // encrypted a is copied without the password.
    std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(sub + "\\B.TTF", "new b"));
    WriteScript plain;
    ZipWriteOptions o;
    ASSERT_EQ(ZipOk, WriteArchive(zip, {sub + "\\B.TTF", kFont}, o, plain));

    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ("a.ttf", list[0].name);
    EXPECT_TRUE(list[0].encrypted);
    EXPECT_EQ("B.TTF", list[1].name);
    EXPECT_FALSE(list[1].encrypted);
    EXPECT_EQ("DejaVuSans.ttf", list[2].name);

    // a's local record and data are byte-identical to the old archive's.
    std::string after = ReadFileBytes(zip);
    InFile f;
    CentralDirectory cd;
    ASSERT_TRUE(f.Open(zip));
    ASSERT_EQ(ZipOk, ReadCentralDirectory(f, cd));
    size_t len = 30 + 5 + cd.entries[0].compressedSize;
    EXPECT_EQ(before.substr(0, len), after.substr(cd.entries[0].localOffset, len));
    f.Close();

    options.folder = out;
    reader.passwords = {"pw"};
    ASSERT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ(ReadFileBytes(a), ReadFileBytes(out + "\\a.ttf"));
    EXPECT_EQ("new b", ReadFileBytes(out + "\\B.TTF"));
}

TEST_F(ZipEngine, FailureLeavesTheExistingArchiveUntouched)
{
    std::string zip = dir + "\\p.qlp";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont}));
    std::string before = ReadFileBytes(zip);

    EXPECT_EQ(ZipMissingFile, Zip(zip, {kFont2, dir + "\\missing.ttf"}));
    EXPECT_EQ(ZipMissingFile, Zip(zip, {dir}));   // a folder is no file
    std::string x = Make("x.ttf", "x");
    std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(sub + "\\X.ttf", "y"));
    EXPECT_EQ(ZipDuplicateName, Zip(zip, {x, sub + "\\X.ttf"}));
    writer.cancelAt = "x.ttf";
    EXPECT_EQ(ZipCancelled, Zip(zip, {kFont2, x}));
    writer.cancelAt.clear();
    writer.password.clear();
    EXPECT_EQ(ZipCancelled, Zip(zip, {x}, true));   // no password given
    EXPECT_EQ(ZipNothingToDo, Zip(zip, {}));

    // A source that cannot be read (held open without sharing).
    HANDLE lock = CreateFileA(x.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(ZipReadError, Zip(zip, {kFont2, x}));
    CloseHandle(lock);

    EXPECT_EQ(before, ReadFileBytes(zip));
    EXPECT_EQ(2u, FilesIn(dir));   // p.qlp and x.ttf: no temporary file left behind
    EXPECT_EQ(ZipMissingFile, Zip(dir + "\\new.qlp", {dir + "\\missing.ttf"}));
    EXPECT_EQ(PathKind::Missing, KindOf(dir + "\\new.qlp"));

    // Something that is not an archive is not overwritten by an update.
    std::string notZip = Make("notes.txt", "not a zip at all, but someone's notes");
    EXPECT_EQ(ZipBadArchive, Zip(notZip, {kFont}));
    EXPECT_EQ("not a zip at all, but someone's notes", ReadFileBytes(notZip));
}

TEST_F(ZipEngine, DeletesNamedEntries)
{
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont, kFont2}));
    ZipWriteOptions o;
    o.deleteEntries = true;
    ASSERT_EQ(ZipOk, WriteArchive(zip, {"dejavusans.ttf"}, o, writer));
    std::vector<ZipEntryInfo> list;
    ASSERT_EQ(ZipOk, ListArchive(zip, list));
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ("DejaVuSerif.ttf", list[0].name);
    EXPECT_EQ(ZipNothingMatched, WriteArchive(zip, {"nothere.ttf"}, o, writer));
}

TEST_F(ZipEngine, OverwriteAnswersFollowTheStateMachine)
{
    std::vector<std::string> names = {"1.ttf", "2.ttf", "3.ttf", "4.ttf"};
    std::vector<std::string> specs;
    for (auto& n : names)
        specs.push_back(Make(n, "new " + n));
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, specs));
    options.folder = out;
    auto reset = [&] {
        ql::test::RemoveTree(out);
        CreateDirectoryA(out.c_str(), nullptr);
        for (auto& n : names)
            WriteFileBytes(out + "\\" + n, "old");
    };
    auto state = [&] {
        std::string s;
        for (auto& n : names)
            s += ReadFileBytes(out + "\\" + n) == "old" ? 'o' : 'n';
        return s;
    };

    reset();
    options.promptToOverwrite = true;
    reader.answers = {OverwriteSkip, OverwriteReplace, OverwriteReplaceAll};
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ("onnn", state());
    EXPECT_EQ(3u, reader.asked.size());
    EXPECT_EQ(FullPath(out + "\\1.ttf"), reader.asked[0]);

    reset();
    reader.asked.clear();
    reader.answers = {OverwriteReplace, OverwriteReplaceNone, OverwriteReplace};
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ("nooo", state());
    EXPECT_EQ(2u, reader.asked.size());

    // Missing files are extracted without a question.
    reset();
    DeleteFileA((out + "\\3.ttf").c_str());
    reader.asked.clear();
    reader.answers = {OverwriteReplaceNone};
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ("oono", state());

    // Replacing without asking wins over prompting; with neither, existing files stay.
    reset();
    reader.asked.clear();
    options.overwriteExisting = true;
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ("nnnn", state());
    EXPECT_TRUE(reader.asked.empty());
    reset();
    options.overwriteExisting = options.promptToOverwrite = false;
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ("oooo", state());
    EXPECT_TRUE(reader.asked.empty());
}

TEST_F(ZipEngine, TestModeChecksWithoutWriting)
{
    std::string zip = dir + "\\a.zip";
    ASSERT_EQ(ZipOk, Zip(zip, {kFont}));
    options.folder = out;
    options.testOnly = true;
    EXPECT_EQ(ZipOk, Unzip(zip));
    EXPECT_EQ(PathKind::Missing, KindOf(out));
}
