// cRegistry against the real registry of the test prefix, below a throw-away key.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "core/registry/cRegistry.h"
#include "core/RegistryScratch.h"

using ql::test::ScratchKey;

namespace {

cRegistry At(const std::string& section, const std::string& value = {})
{
    cRegistry r;
    r.ClassKey(kHKeyCurrentUser);
    r.SectionKey(section);
    r.ValueKey(value);
    return r;
}

std::string Text(const RegValue& v)
{
    EXPECT_TRUE(std::holds_alternative<std::string>(v));
    return RegValueText(v);
}

}  // namespace

TEST(Registry, StringWithFinalNulReadsWithoutIt)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutText("a", "arial.ttf"));
    cRegistry r = At(k.Path(), "a");
    EXPECT_EQ(Text(r.Value()), "arial.ttf");
    EXPECT_EQ(r.ValueType(), kRegSz);
}

TEST(Registry, StringWithoutFinalNulKeepsItsLastCharacter)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutText("a", "arial.ttf", REG_SZ, false));
    EXPECT_EQ(Text(At(k.Path(), "a").Value()), "arial.ttf");
}

TEST(Registry, ZeroLengthStringReadsEmpty)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.Put("a", REG_SZ, "", 0));
    EXPECT_EQ(Text(At(k.Path(), "a").Value()), "");
}

TEST(Registry, StringIsCutAtItsFirstNul)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.Put("a", REG_SZ, "abc\0def\0", 8));
    EXPECT_EQ(Text(At(k.Path(), "a").Value()), "abc");
}

TEST(Registry, ExpandStringIsExpanded)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutText("a", "%TEMP%\\x", REG_EXPAND_SZ));
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("TEMP", temp, MAX_PATH), 0u);
    cRegistry r = At(k.Path(), "a");
    EXPECT_EQ(Text(r.Value()), std::string(temp) + "\\x");
    EXPECT_EQ(r.ValueType(), kRegExpandSz);
}

TEST(Registry, MultiStringKeepsInnerNuls)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.Put("a", REG_MULTI_SZ, "a\0bc\0\0", 6));
    EXPECT_EQ(Text(At(k.Path(), "a").Value()), std::string("a\0bc\0", 5));
}

TEST(Registry, DwordAndBigEndianAndBinary)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutDword("d", 0xFFFFFFFEu));
    const BYTE be[4] = {0x00, 0x00, 0x01, 0x02};
    ASSERT_TRUE(k.Put("b", REG_DWORD_BIG_ENDIAN, be, 4));
    const BYTE bin[3] = {1, 0, 255};
    ASSERT_TRUE(k.Put("x", REG_BINARY, bin, 3));

    cRegistry r = At(k.Path(), "d");
    RegValue v = r.Value();
    ASSERT_TRUE(std::holds_alternative<int32_t>(v));
    EXPECT_EQ(std::get<int32_t>(v), -2);
    EXPECT_EQ(r.ValueType(), kRegDword);

    r.ValueKey("b");
    v = r.Value();
    ASSERT_TRUE(std::holds_alternative<int32_t>(v));
    EXPECT_EQ(std::get<int32_t>(v), 0x0102);
    EXPECT_EQ(r.ValueType(), kRegDwordBigEndian);

    r.ValueKey("x");
    v = r.Value();
    ASSERT_TRUE(std::holds_alternative<std::vector<uint8_t>>(v));
    EXPECT_EQ(std::get<std::vector<uint8_t>>(v), (std::vector<uint8_t>{1, 0, 255}));
}

TEST(Registry, MissingValueOrKeyGivesDefaultAndKeepsType)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutText("present", "x"));
    cRegistry r = At(k.Path(), "absent");
    r.Default(std::string("dflt"));
    r.ValueType(kRegBinary);
    EXPECT_EQ(RegValueText(r.Value()), "dflt");
    EXPECT_EQ(r.ValueType(), kRegBinary);
    r.SectionKey(k.Sub("nope"));
    r.ValueKey("present");
    EXPECT_EQ(RegValueText(r.Value()), "dflt");
    EXPECT_TRUE(RegValueIsEmpty(At(k.Sub("nope"), "x").Value()));
}

TEST(Registry, WriteStringNeverRetypedByPercentSigns)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "t");
    r.ValueType(kRegSz);
    r.Value(std::string("100% of %OS% and %TEMP%"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(k.Get("t", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, std::string("100% of %OS% and %TEMP%\0", 24));
    EXPECT_EQ(Text(r.Value()), "100% of %OS% and %TEMP%");
    EXPECT_EQ(RegValueText(r.LastWritten()), "100% of %OS% and %TEMP%");
}

TEST(Registry, WriteExpandStringOnlyWhenAsked)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "t");
    r.ValueType(kRegExpandSz);
    r.Value(std::string("plain"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(k.Get("t", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST(Registry, WriteDwordBinaryAndBigEndianRoundTrip)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "d");
    r.ValueType(kRegDword);
    r.Value(int32_t{-7});
    EXPECT_EQ(std::get<int32_t>(r.Value()), -7);

    r.ValueKey("b");
    r.ValueType(kRegDwordBigEndian);
    r.Value(int32_t{0x01020304});
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(k.Get("b", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD_BIG_ENDIAN));
    EXPECT_EQ(bytes, std::string("\x01\x02\x03\x04", 4));
    EXPECT_EQ(std::get<int32_t>(r.Value()), 0x01020304);

    r.ValueKey("x");
    r.ValueType(kRegBinary);
    r.Value(std::vector<uint8_t>{9, 8, 7});
    EXPECT_EQ(std::get<std::vector<uint8_t>>(r.Value()), (std::vector<uint8_t>{9, 8, 7}));
}

TEST(Registry, WriteDwordWithTextWritesNothing)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "d");
    r.ValueType(kRegDword);
    EXPECT_NO_THROW(r.Value(std::string("12")));
    DWORD type = 0;
    std::string bytes;
    EXPECT_FALSE(k.Get("d", type, bytes));
}

TEST(Registry, WriteWithTypeNeverSetFailsWithTheWriteError)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "v");
    try {
        r.Value(std::string("x"));
        FAIL() << "expected an error";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, -2147194455);
        EXPECT_EQ(e.Source, "QuilleryPro.cRegistry");
        EXPECT_EQ(e.Description, "Failed to set registry value Key: '-2147483647',Section: '" + k.Path() +
                                     "',Key: 'v' to value: 'x'");
    }
    // After a successful read of a REG_SZ value the same object writes REG_SZ.
    ASSERT_TRUE(k.PutText("v", "old"));
    r.Value();
    EXPECT_EQ(r.ValueType(), kRegSz);
    EXPECT_NO_THROW(r.Value(std::string("new")));
    EXPECT_EQ(Text(r.Value()), "new");
}

TEST(Registry, WriteBinaryWithTextRaises26001)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Path(), "v");
    r.ValueType(kRegBinary);
    try {
        r.Value(std::string("x"));
        FAIL() << "expected an error";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 26001);
        EXPECT_EQ(e.Source, "");
    }
}

TEST(Registry, KeyExistsCreateKeyAndEmptySection)
{
    ScratchKey k("reg");
    cRegistry r = At(k.Sub("a\\b\\c"));
    EXPECT_FALSE(r.KeyExists());
    EXPECT_TRUE(r.CreateKey());
    EXPECT_TRUE(r.KeyExists());
    EXPECT_TRUE(At("").KeyExists());
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(r.KeyExists());
    EXPECT_TRUE(At(k.Sub("a\\b")).KeyExists());
}

TEST(Registry, DeleteValueAndItsErrors)
{
    ScratchKey k("reg");
    ASSERT_TRUE(k.PutText("v", "x"));
    cRegistry r = At(k.Path(), "v");
    EXPECT_TRUE(r.DeleteValue());
    EXPECT_TRUE(RegValueIsEmpty(r.Value()));
    try {
        r.DeleteValue();
        FAIL() << "expected an error";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 26001);
        EXPECT_EQ(e.Description,
                  "Failed to delete registry Key: '-2147483647',Section: '" + k.Path() + "',Key: 'v");
    }
    cRegistry missing = At(k.Sub("nope"), "v");
    try {
        missing.DeleteValue();
        FAIL() << "expected an error";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 26001);
        EXPECT_EQ(e.Source, "QuilleryPro.cRegistry");
        EXPECT_EQ(e.Description,
                  "Failed to open key '-2147483647',Section: '" + k.Sub("nope") + "' for delete access");
    }
}

TEST(Registry, EnumerateValuesInOrderIncludingALongName)
{
    ScratchKey k("reg");
    std::string longName(300, 'n');
    ASSERT_TRUE(k.PutText("first", "1"));
    ASSERT_TRUE(k.PutText(longName, "2"));
    ASSERT_TRUE(k.PutDword("third", 3));
    cRegistry r = At(k.Path());
    std::vector<std::string> names;
    int32_t count = -1;
    ASSERT_TRUE(r.EnumerateValues(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"first", longName, "third"}));
}

TEST(Registry, EnumerateValuesGrowsATooSmallBuffer)
{
    ScratchKey k("reg");
    std::string longName(200, 'q');
    // Names in the order Wine keeps them (sorted without regard to case).
    ASSERT_TRUE(k.PutText("ab", "1"));
    ASSERT_TRUE(k.PutText("Arial (TrueType)", "2"));
    ASSERT_TRUE(k.PutText(longName, "3"));
    cRegistryTesting::SetFirstNameBuffer(2);
    cRegistry r = At(k.Path());
    std::vector<std::string> names;
    int32_t count = 0;
    bool ok = r.EnumerateValues(names, count);
    cRegistryTesting::SetFirstNameBuffer(0);
    ASSERT_TRUE(ok);
    EXPECT_EQ(names, (std::vector<std::string>{"ab", "Arial (TrueType)", longName}));
}

TEST(Registry, EnumerateValuesOfMissingKeyIsTrueWithNone)
{
    ScratchKey k("reg");
    std::vector<std::string> names{"stale"};
    int32_t count = 7;
    EXPECT_TRUE(At(k.Sub("nope")).EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());
}

TEST(Registry, EnumerateSections)
{
    ScratchKey k("reg");
    ASSERT_TRUE(At(k.Sub("one")).CreateKey());
    // The longest key name (255 characters), made through the wide call: Wine's ANSI
    // registry calls refuse whole paths beyond MAX_PATH.
    HKEY h = nullptr;
    const std::string narrow = k.Sub(std::string(255, 's'));
    const std::wstring wide(narrow.begin(), narrow.end());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
    std::vector<std::string> names;
    int32_t count = 0;
    ASSERT_TRUE(At(k.Path()).EnumerateSections(names, count));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(names[0], "one");
    EXPECT_EQ(names[1], std::string(255, 's'));
    EXPECT_TRUE(At(k.Sub("nope")).EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
}

TEST(Registry, MachineNames)
{
    cRegistry r;
    r.Machine("ab");
    EXPECT_EQ(r.Machine(), "");
    r.Machine("host");
    EXPECT_EQ(r.Machine(), "\\\\host");
    r.Machine("\\\\other");
    EXPECT_EQ(r.Machine(), "\\\\other");
}

TEST(Registry, ValueExSetsTheFieldsAndWritesTheDefaultForEmptyText)
{
    ScratchKey k("reg");
    cRegistry r;
    r.ValueEx(kHKeyCurrentUser, k.Path(), "v", kRegSz, std::string("fallback"), std::string(""));
    EXPECT_EQ(r.SectionKey(), k.Path());
    cRegistry reader;
    EXPECT_EQ(RegValueText(reader.ValueEx(kHKeyCurrentUser, k.Path(), "v", 0, std::string("d"))), "fallback");
}
