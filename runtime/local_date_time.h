// A local date and time to the second: the value the clock starts from and the calendar
// arithmetic of runtime/date_time.h works on.
#pragma once

#include <cstdint>

// A local date and time of the proleptic Gregorian calendar, to the second. Local time has no
// daylight-saving jumps here: arithmetic on it is plain calendar arithmetic.
struct RtDateTime {
    int32_t year = 1970;
    int32_t month = 1;  // 1..12
    int32_t day = 1;    // 1..days in the month
    int32_t hour = 0;   // 0..23
    int32_t minute = 0; // 0..59
    int32_t second = 0; // 0..59

    friend bool operator==(const RtDateTime&, const RtDateTime&) = default;
};
