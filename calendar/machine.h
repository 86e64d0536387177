// Machine description: the unit numbers for messages and the integer machine constants.
#pragma once

#include <cstdint>

// The unit numbers of the machine, by index: 1 the input unit (5), 2 the output unit (6), 3 the
// unit that error messages are printed on (6). With `index` 1, 2 or 3 returns the stored unit;
// with -1, -2 or -3 stores `unit` as unit |index| and returns it. Any other index prints a
// terminal error on the output unit and stops the program. Not thread-safe.
int32_t machine_unit(int32_t index, int32_t unit = 0);

// The machine constant `index` (1 .. 12): bits per integer, bytes per integer, integer base,
// integer digits, largest integer, floating base, single-precision digits, smallest and largest
// single-precision exponents, double-precision digits, smallest and largest double-precision
// exponents. Any other index prints a terminal error on the output unit and stops the program.
int32_t machine_int(int32_t index);
