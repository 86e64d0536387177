// Machine description: the unit numbers for messages and the integer machine constants.
#include "calendar/machine.h"

#include "calendar/message_output.h"

#include <array>
#include <string>

namespace {

constexpr int32_t UNIT_INDEX_COUNT = 3;

// The units live as long as the program; a stored unit stays until it is stored again.
std::array<int32_t, UNIT_INDEX_COUNT>& units() {
    static std::array<int32_t, UNIT_INDEX_COUNT> stored{5, 6, 6};
    return stored;
}

constexpr std::array<int32_t, 12> MACHINE_INTEGERS{
    32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024,
};

} // namespace

int32_t machine_unit(int32_t index, int32_t unit) {
    if (index >= 1 && index <= UNIT_INDEX_COUNT)
        return units()[static_cast<size_t>(index - 1)];
    if (index <= -1 && index >= -UNIT_INDEX_COUNT) {
        units()[static_cast<size_t>(-index - 1)] = unit;
        return unit;
    }
    const int32_t output = units()[1];
    const std::string value = std::to_string(index);
    calendar::write_message_line(output, " *** TERMINAL ERROR 5 from machine_unit.  The absolute");
    calendar::write_message_line(output, " ***          value of the index variable must be");
    calendar::write_message_line(output, " ***          1, 2, or 3.  IABS(N) = " + value);
    calendar::stop_program("TERMINAL ERROR 5 from machine_unit.  The absolute value of the index "
                           "variable must be 1, 2, or 3.  IABS(N) = " +
                           value);
}

int32_t machine_int(int32_t index) {
    if (index >= 1 && index <= static_cast<int32_t>(MACHINE_INTEGERS.size()))
        return MACHINE_INTEGERS[static_cast<size_t>(index - 1)];
    const int32_t output = machine_unit(2);
    const std::string value = std::to_string(index);
    calendar::write_message_line(output, " *** TERMINAL ERROR 5 from machine_int.  The argument");
    calendar::write_message_line(output, " ***          must be between 1 and 12 inclusive.");
    calendar::write_message_line(output, " ***          N = " + value);
    calendar::stop_program("TERMINAL ERROR 5 from machine_int.  The argument must be between 1 "
                           "and 12 inclusive.  N = " +
                           value);
}
