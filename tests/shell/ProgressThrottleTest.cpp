// When the splash redraws its progress line.
#include "shell/ProgressThrottle.h"

#include <gtest/gtest.h>

TEST(ProgressThrottle, ShowsTheFirstStepThenWaitsForTheInterval)
{
    ProgressThrottle t(50);
    EXPECT_TRUE(t.Due(1, 100, 1000));
    EXPECT_FALSE(t.Due(2, 100, 1000));
    EXPECT_FALSE(t.Due(3, 100, 1049));
    EXPECT_TRUE(t.Due(4, 100, 1050));
    EXPECT_FALSE(t.Due(5, 100, 1060)) << "the interval counts from the last step shown";
    EXPECT_TRUE(t.Due(6, 100, 1100));
}

TEST(ProgressThrottle, AlwaysShowsTheLastStepOfEachRun)
{
    ProgressThrottle t(50);
    EXPECT_TRUE(t.Due(1, 3, 0));
    EXPECT_FALSE(t.Due(2, 3, 1));
    EXPECT_TRUE(t.Due(3, 3, 2)) << "the final count must be on screen";
    // A second run (the Type 1 values) right after: its first steps wait, its last shows.
    EXPECT_FALSE(t.Due(1, 2, 3));
    EXPECT_TRUE(t.Due(2, 2, 4));
    EXPECT_TRUE(t.Due(7, 5, 5)) << "a count past the total is an end too";
}

TEST(ProgressThrottle, SurvivesTheTickCountWrapping)
{
    ProgressThrottle t(50);
    EXPECT_TRUE(t.Due(1, 100, 0xFFFFFFF0u));
    EXPECT_FALSE(t.Due(2, 100, 0xFFFFFFFFu));
    EXPECT_FALSE(t.Due(3, 100, 0x00000010u));
    EXPECT_TRUE(t.Due(4, 100, 0x00000022u));
}
