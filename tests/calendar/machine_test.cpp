// Machine description: unit numbers and integer constants, and their invalid indices.
#include "calendar/machine.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(MachineTest, IntegerConstantsDescribeThisMachine) {
    const std::array<int32_t, 12> expected{32, 4,    2,   31, 2147483647, 2,
                                           24, -125, 128, 53, -1021,      1024};
    for (int32_t index = 1; index <= 12; ++index)
        EXPECT_EQ(machine_int(index), expected[static_cast<size_t>(index - 1)]) << index;
    EXPECT_EQ(machine_int(5), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(machine_int(10), std::numeric_limits<double>::digits);
    EXPECT_EQ(machine_int(7), std::numeric_limits<float>::digits);
}

TEST(MachineTest, UnitsAreStoredWithNegativeIndices) {
    EXPECT_EQ(machine_unit(1), 5);
    EXPECT_EQ(machine_unit(2), 6);
    EXPECT_EQ(machine_unit(3), 6);
    EXPECT_EQ(machine_unit(-3, 9), 9);
    EXPECT_EQ(machine_unit(3), 9);
    EXPECT_EQ(machine_unit(2), 6);
    machine_unit(-3, 6);
}

TEST(MachineDeathTest, IndexOutOfRangeStops) {
    EXPECT_EXIT(machine_unit(4), testing::ExitedWithCode(2),
                "^ \\*\\*\\* TERMINAL ERROR 5 from machine_unit\\.  The absolute\n"
                " \\*\\*\\*          value of the index variable must be\n"
                " \\*\\*\\*          1, 2, or 3\\.  IABS\\(N\\) = 4\n");
    EXPECT_EXIT(machine_unit(-4, 1), testing::ExitedWithCode(2), "IABS\\(N\\) = -4\n");
    EXPECT_EXIT(machine_int(13), testing::ExitedWithCode(2),
                "^ \\*\\*\\* TERMINAL ERROR 5 from machine_int\\.  The argument\n"
                " \\*\\*\\*          must be between 1 and 12 inclusive\\.\n"
                " \\*\\*\\*          N = 13\n");
    EXPECT_EXIT(machine_int(0), testing::ExitedWithCode(2), "N = 0\n");
}

} // namespace
