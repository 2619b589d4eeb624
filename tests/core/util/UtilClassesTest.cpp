#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "core/util/CStringBuilder.h"
#include "core/util/NumberText.h"
#include "core/util/cINI.h"
#include "core/util/cProTimer.h"
#include "support/TestEnv.h"

namespace {

void ExpectError(const std::function<void()>& f, const std::string& source, const std::string& text)
{
    try {
        f();
        ADD_FAILURE() << "no error from " << source;
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, -2147220992);
        EXPECT_EQ(e.Source, source);
        EXPECT_EQ(e.Description, text);
    }
}

}  // namespace

TEST(CStringBuilder, AppendInsertRemoveKeepTheText)
{
    CStringBuilder sb;
    EXPECT_EQ(sb.ToString(), "");
    sb.Append("world").Insert(0, "hello ").Append("!");
    EXPECT_EQ(sb.ToString(), "hello world!");
    EXPECT_EQ(sb.Length(), 12);
    sb.Insert(12, "?").Insert(5, ",");
    EXPECT_EQ(sb.ToString(), "hello, world!?");
    sb.Remove(5, 1).Remove(12, 1);
    EXPECT_EQ(sb.ToString(), "hello world!");
    EXPECT_EQ(sb.Chars(4), 'o');
    sb.SetChars(0, 'H');
    EXPECT_EQ(sb.ToString(), "Hello world!");
    sb.Remove(0, 12);
    EXPECT_EQ(sb.ToString(), "");
}

TEST(CStringBuilder, GrowsInStepsAndCutsOnShrink)
{
    CStringBuilder sb;
    EXPECT_EQ(sb.Capacity(), 2048);
    sb.SetBufferBump(3);
    EXPECT_EQ(sb.BufferBump(), 4);
    sb.SetBufferBump(0);
    EXPECT_EQ(sb.BufferBump(), 4);
    sb.SetBufferBump(1000);
    std::string big(1500, 'x');
    sb.Append(big);  // 3000 bytes
    EXPECT_EQ(sb.Capacity(), 3000);
    EXPECT_EQ(sb.ToString(), big);
    EXPECT_EQ(sb.EnsureCapacity(100), 3000);
    sb.SetCapacity(1001);  // rounded up to 2000 bytes: 1000 characters stay
    EXPECT_EQ(sb.Capacity(), 2000);
    EXPECT_EQ(sb.Length(), 1000);
}

TEST(CStringBuilder, LengthPastTheEndReadsZeroNotRemovedText)
{
    CStringBuilder sb;
    sb.Append("abcdef").Remove(2, 4);
    sb.SetLength(4);
    EXPECT_EQ(sb.Chars(2), 0);
    EXPECT_EQ(sb.Chars(3), 0);
    sb.SetLength(-1);
    EXPECT_EQ(sb.Length(), 4);
}

TEST(CStringBuilder, RangeErrorsCarryNumberSourceAndText)
{
    CStringBuilder sb;
    sb.Append("abc");
    ExpectError([&] { sb.Chars(3); }, "cStringBuilder.Chars", "Tried reading character past end of buffer.");
    ExpectError([&] { sb.SetChars(-1, 'x'); }, "cStringBuilder.Chars", "Tried assigning character past end of buffer.");
    ExpectError([&] { sb.Insert(4, "x"); }, "cStringBuilder.Insert", "Argument(s) out of range.");
    ExpectError([&] { sb.Remove(2, 2); }, "cStringBuilder.Remove", "Argument(s) out of range.");
    ExpectError([&] { sb.Remove(-1, 1); }, "cStringBuilder.Remove", "Argument(s) out of range.");
    EXPECT_EQ(sb.ToString(), "abc");
}

TEST(cINI, RoundTripAndLongSectionLists)
{
    std::string dir = ql::test::MakeScratchDir("ini");
    std::string file = dir + "\\test.ini";
    cINI ini;
    EXPECT_EQ(ini.GetIniSetting(file, "Main", "missing"), "");
    ini.SetIniSetting(file, "Main", "Name", "Quillery");
    ini.SetIniSetting(file, "Main", "Size", "12");
    EXPECT_EQ(ini.GetIniSetting(file, "Main", "Name"), "Quillery");
    EXPECT_EQ(ini.GetIniSection(file, "Main"), std::string("Name=Quillery\0Size=12\0", 22));
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        std::string name = "Section number " + std::to_string(i);
        ini.SetIniSetting(file, name, "k", "v");
        expected += name + '\0';
    }
    std::string sections = ini.GetIniSections(file);
    EXPECT_GT(sections.size(), 255u);
    EXPECT_EQ(sections, std::string("Main") + '\0' + expected);
    std::string longValue(700, 'q');
    ini.SetIniSetting(file, "Main", "Long", longValue);
    EXPECT_EQ(ini.GetIniSetting(file, "Main", "Long"), longValue);
    ql::test::RemoveTree(dir);
}

TEST(cProTimer, StartPauseResumeStopOnAnInjectedClock)
{
    int64_t now = 0;
    cProTimer t({[] { return int64_t{1000}; }, [&] { return now; }, [] { return 0u; }});
    EXPECT_TRUE(t.IsHiTimer());
    EXPECT_EQ(t.Elapsed(), 0);
    EXPECT_EQ(t.Pause(), 0);  // not running: nothing counted
    t.Start();
    now = 1500;  // 1.5 s
    EXPECT_DOUBLE_EQ(t.Elapsed(), 1500);
    EXPECT_DOUBLE_EQ(t.Pause(), 1.5);
    now = 9000;  // paused time does not count
    EXPECT_DOUBLE_EQ(t.Elapsed(), 1500);
    t.Start();
    now = 9250;
    EXPECT_DOUBLE_EQ(t.Elapsed(), 250);  // the current run only
    t.Start();  // running: no effect
    t.StopTime();
    EXPECT_DOUBLE_EQ(t.Elapsed(), 1750);
    std::string sep = ql::DecimalSeparator();
    EXPECT_EQ(t.ElapsedString(), "001" + sep + "750 seconds");
    t.StopTime();
    EXPECT_DOUBLE_EQ(t.Elapsed(), 1750);
    t.Start();  // from stopped: starts again from zero
    now = 9260;
    t.StopTime();
    EXPECT_DOUBLE_EQ(t.Elapsed(), 10);
}

TEST(cProTimer, FallsBackToTheTickCount)
{
    uint32_t ticks = 0xFFFFFF00u;
    cProTimer t({[] { return int64_t{0}; }, [] { return int64_t{0}; }, [&] { return ticks; }});
    EXPECT_FALSE(t.IsHiTimer());
    t.Start();
    ticks += 0x200;  // across the wrap
    EXPECT_DOUBLE_EQ(t.Elapsed(), 512);
    cProTimer real;
    real.Start();
    Sleep(20);
    EXPECT_GE(real.Elapsed(), 10);
}
