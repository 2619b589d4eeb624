#include <gtest/gtest.h>

// Deliberately fails: CTest expects this executable to fail, proving that a
// failure under the emulator reaches the test command's result.
TEST(Harness, FailingExecutableFailsTheRun)
{
    EXPECT_EQ(1, 2);
}
