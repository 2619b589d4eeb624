// Text to numbers with the old runtime's rules.
#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/forms/Convert.h"

using namespace platform::forms;

TEST(Convert, WholeNumbersRoundHalfToEvenAndOverflowIsAnError)
{
    EXPECT_EQ(CLng(" 42 "), 42);
    EXPECT_EQ(CLng("-7"), -7);
    EXPECT_EQ(CLng("2.5"), 2);
    EXPECT_EQ(CLng("3.5"), 4);
    EXPECT_EQ(CLng("-2.5"), -2);
    EXPECT_EQ(CInt("&HFFFF"), -1);
    EXPECT_EQ(CLng("&H10"), 16);
    EXPECT_EQ(CLng("1E3"), 1000);
    EXPECT_EQ(CLng("2147483647"), 2147483647);
    try {
        CLng("2147483648");
        FAIL() << "no overflow";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 6);
    }
    try {
        CInt("12abc");
        FAIL() << "no type mismatch";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 13);
    }
    EXPECT_THROW(CInt("40000"), QlError);
    EXPECT_THROW(CDbl(""), QlError);
    EXPECT_THROW(CDbl("."), QlError);
}

TEST(Convert, ValTakesTheLeadingNumberAndNeverFails)
{
    EXPECT_DOUBLE_EQ(Val("12abc"), 12);
    EXPECT_DOUBLE_EQ(Val("  -3.25pt"), -3.25);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_FLOAT_EQ(CSng("0.1"), 0.1f);
    EXPECT_DOUBLE_EQ(CDbl("1.5e-1"), 0.15);
}
