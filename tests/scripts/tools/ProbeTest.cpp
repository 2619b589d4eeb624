// The scripts' probe: the pictures it writes, the command lines it builds, the font count
// it reads from the tree's root.
#include <windows.h>
#include <shellapi.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripts/tools/ChildProcess.h"
#include "scripts/tools/PngFile.h"
#include "scripts/tools/ScreenShot.h"
#include "scripts/tools/WindowProbe.h"
#include "support/TestEnv.h"

namespace {

uint32_t Big32(const std::string& s, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

struct Chunk {
    std::string type;
    std::string data;
    bool crcOk;
};

// Splits a PNG file into its chunks, checking each CRC.
std::vector<Chunk> ReadChunks(const std::string& file)
{
    std::vector<Chunk> chunks;
    for (size_t at = 8; at + 12 <= file.size();) {
        uint32_t length = Big32(file, at);
        Chunk c{file.substr(at + 4, 4), file.substr(at + 8, length), false};
        uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(file.data() + at + 4), 4 + length);
        c.crcOk = crc == Big32(file, at + 8 + length);
        chunks.push_back(c);
        at += 12 + length;
    }
    return chunks;
}

TEST(ProbePicture, PngHoldsTheRowsWithFilterBytesAndValidChecksums)
{
    const int w = 3, h = 2;
    std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    std::string dir = ql::test::MakeScratchDir("probe");
    std::string path = dir + "\\small.png";
    ASSERT_TRUE(qlprobe::WritePng(path, w, h, rgb));
    std::string file = ql::test::ReadFileBytes(path);
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    auto chunks = ReadChunks(file);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const auto& c : chunks)
        EXPECT_TRUE(c.crcOk) << c.type;
    EXPECT_EQ(Big32(chunks[0].data, 0), 3u);
    EXPECT_EQ(Big32(chunks[0].data, 4), 2u);
    EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));

    std::vector<uint8_t> raw(2 * (1 + 3 * 3));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(chunks[1].data.data()),
                         static_cast<uLong>(chunks[1].data.size())),
              Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    EXPECT_EQ(raw[0], 0);
    EXPECT_EQ(raw[10], 0);
    EXPECT_EQ(std::vector<uint8_t>(raw.begin() + 1, raw.begin() + 10), std::vector<uint8_t>(rgb.begin(), rgb.begin() + 9));
    EXPECT_EQ(std::vector<uint8_t>(raw.begin() + 11, raw.end()), std::vector<uint8_t>(rgb.begin() + 9, rgb.end()));

    // Too few bytes for the size given, or no size at all: nothing is written.
    EXPECT_FALSE(qlprobe::WritePng(dir + "\\short.png", 4, 2, rgb));
    EXPECT_FALSE(qlprobe::WritePng(dir + "\\empty.png", 0, 0, {}));
    EXPECT_EQ(GetFileAttributesA((dir + "\\short.png").c_str()), INVALID_FILE_ATTRIBUTES);
    ql::test::RemoveTree(dir);
}

TEST(ProbePicture, ScreenPictureHasTheScreensSize)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    std::string dir = ql::test::MakeScratchDir("probe");
    std::string error;
    ASSERT_TRUE(qlprobe::SaveScreen(dir + "\\screen.png", error)) << error;
    auto chunks = ReadChunks(ql::test::ReadFileBytes(dir + "\\screen.png"));
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(Big32(chunks[0].data, 0), static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(Big32(chunks[0].data, 4), static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_FALSE(qlprobe::SaveScreen(dir + "\\missing\\screen.png", error));
    EXPECT_FALSE(error.empty());
    ql::test::RemoveTree(dir);
}

// The arguments come back as the started program's runtime splits them.
TEST(ProbeCommandLine, QuotedArgumentsSplitBackUnchanged)
{
    const std::vector<std::string> args = {"plain", "with blank", "", "trailing\\", "C:\\a b\\", "say \"hi\"",
                                           "back\\\\\"slash", "Quillery Pro "};
    std::string line = "probe.exe";
    for (const auto& a : args)
        line += " " + qlprobe::QuoteArgument(a);
    std::wstring wide(line.begin(), line.end());
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(wide.c_str(), &argc);
    ASSERT_NE(argv, nullptr);
    ASSERT_EQ(argc, static_cast<int>(args.size()) + 1);
    for (size_t i = 0; i < args.size(); ++i) {
        std::wstring got = argv[i + 1];
        EXPECT_EQ(std::string(got.begin(), got.end()), args[i]);
    }
    LocalFree(argv);
}

TEST(ProbeCommandLine, StartReportsAProgramThatIsNotThere)
{
    qlprobe::ChildProcess child;
    std::string error;
    EXPECT_FALSE(child.Start("Z:\\nowhere\\missing-program.exe", error));
    EXPECT_NE(error.find("missing-program.exe"), std::string::npos);
    EXPECT_FALSE(child.Running());
    EXPECT_FALSE(child.WaitForExit(0).has_value());
}

TEST(ProbeCommandLine, TimesAProgramToItsEndAndTakesItsExitCode)
{
    qlprobe::ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("cmd /c exit 3", error)) << error;
    auto code = child.WaitForExit(30000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 3u);
    EXPECT_GT(child.ElapsedMs(), 0.0);
}

TEST(ProbeTree, FontCountComesFromTheFullListsRootOnly)
{
    EXPECT_EQ(qlprobe::AnnouncedFontCount("All Installed: 16"), 16);
    EXPECT_EQ(qlprobe::AnnouncedFontCount("All Installed: 0"), 0);
    EXPECT_EQ(qlprobe::AnnouncedFontCount("All Installed: 1951"), 1951);
    EXPECT_FALSE(qlprobe::AnnouncedFontCount("All Installed: "));
    EXPECT_FALSE(qlprobe::AnnouncedFontCount("All Installed: 12a"));
    EXPECT_FALSE(qlprobe::AnnouncedFontCount("Font Type: TrueType"));
    EXPECT_FALSE(qlprobe::AnnouncedFontCount(""));
}

}  // namespace

// A maximized MDI child adds " - [its caption]" to its frame's caption.
TEST(ProbeWindow, CaptionMatchesExactlyOrWithAMaximizedDocumentsName)
{
    EXPECT_TRUE(qlprobe::CaptionMatches("Quillery Pro ", "Quillery Pro "));
    EXPECT_TRUE(qlprobe::CaptionMatches("Quillery Pro  - [Preview]", "Quillery Pro "));
    EXPECT_FALSE(qlprobe::CaptionMatches("Quillery Pro", "Quillery Pro "));
    EXPECT_FALSE(qlprobe::CaptionMatches("Quillery Pro Setup", "Quillery Pro "));
    EXPECT_FALSE(qlprobe::CaptionMatches("Quillery Pro  - [Preview", "Quillery Pro "));
}
