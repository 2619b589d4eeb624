// Reading the tables from the file gives what the reader gives for the whole file in memory.
#include "fontengine/SfntFile.h"

#include "fontengine/FontFixtures.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

using namespace ql::test;
using fontparsers::SfntInfo;

void ExpectSame(const SfntInfo& a, const SfntInfo& b, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(a.validTrueType, b.validTrueType);
    EXPECT_EQ(a.hasDSIG, b.hasDSIG);
    EXPECT_EQ(a.isCFF, b.isCFF);
    EXPECT_EQ(a.isCollection, b.isCollection);
    EXPECT_EQ(a.collectionCount, b.collectionCount);
    EXPECT_EQ(a.hasOS2, b.hasOS2);
    EXPECT_EQ(a.vendorID, b.vendorID);
    EXPECT_EQ(a.fsSelection, b.fsSelection);
    ASSERT_EQ(a.names.size(), b.names.size());
    for (size_t i = 0; i < a.names.size(); ++i) {
        EXPECT_EQ(a.names[i].nameID, b.names[i].nameID);
        EXPECT_EQ(a.names[i].languageID, b.names[i].languageID);
        EXPECT_EQ(a.names[i].text, b.names[i].text);
    }
}

class SfntFile : public ::testing::Test {
protected:
    void SetUp() override { dir_ = MakeScratchDir("sfntfile"); }
    void TearDown() override { RemoveTree(dir_); }

    // Writes the bytes and compares both readings at the given member.
    void Compare(const FontBytes& bytes, const std::string& what, std::uint32_t index = 0)
    {
        const std::string path = dir_ + "\\font.bin";
        ASSERT_TRUE(WriteFileBytes(path, AsText(bytes)));
        ExpectSame(fontengine::ReadSfntFile(path, index), fontparsers::ReadSfnt(Span(bytes), index), what);
    }

    std::string dir_;
};

TEST_F(SfntFile, RealFilesReadAsInMemory)
{
    for (const char* f : {kDejaVuSans, kLiberationSerif, kNotoSans, kC059Otf, kMarlett, kSansSerifFon, kNimbusSansPfb}) {
        const FontBytes bytes = LoadFont(f);
        ExpectSame(fontengine::ReadSfntFile(WinPath(f)), fontparsers::ReadSfnt(Span(bytes)), f);
    }
    const SfntInfo dejavu = fontengine::ReadSfntFile(WinPath(kDejaVuSans));
    EXPECT_TRUE(dejavu.validTrueType);
    EXPECT_FALSE(dejavu.names.empty());
}

TEST_F(SfntFile, CollectionMembersReadAsInMemory)
{
    const FontBytes ttc = BuildCollection({LoadFont(kDejaVuSans), LoadFont(kLiberationSerif)});
    Compare(ttc, "member 0", 0);
    Compare(ttc, "member 1", 1);
    Compare(ttc, "no member 2", 2);
}

TEST_F(SfntFile, CutFilesReadAsInMemory)
{
    const FontBytes font = LoadFont(kNotoSans);
    for (size_t size : {size_t(0), size_t(3), size_t(8), size_t(20), size_t(100), size_t(65536), size_t(65546), font.size() / 2, font.size() - 1}) {
        FontBytes cut(font.begin(), font.begin() + static_cast<std::ptrdiff_t>(size));
        Compare(cut, "cut at " + std::to_string(size));
    }
}

TEST_F(SfntFile, AMissingFileReadsAsNothing)
{
    const SfntInfo none = fontengine::ReadSfntFile(dir_ + "\\missing.ttf");
    EXPECT_FALSE(none.validTrueType);
    EXPECT_TRUE(none.names.empty());
}

}  // namespace
