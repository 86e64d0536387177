// Day numbers of calendar dates: days counted from 1 January 1900, with validation of the date.
#pragma once

#include <cstdint>

// The number of days from 1 January 1900 to the date `iday`.`month`.`iyear` (0 for 1 January
// 1900, negative before it). Dates from 15 October 1582 on are Gregorian, earlier ones Julian,
// so 4 and 15 October 1582 are consecutive; years B.C. are negative (-1 is 1 B.C., directly
// before A.D. 1) and there is no year 0. Before 45 B.C. the Julian calendar is assumed and a
// note is posted.
//
// An invalid date posts a terminal error on the error stack under "cal_day_number", with code
// 1 for the month, 2 for a day below 1, 3 for year 0, 4 for the ten days dropped in October
// 1582, 5 for a day past the end of its month and 6 for a year beyond 5000000 either way, whose
// day number would not fit. That error stops the program unless the stop mode
// is ErrStopMode::keep_running; the result is then 0. Not thread-safe.
int32_t cal_day_number(int32_t iday, int32_t month, int32_t iyear);

// True when the date is one that cal_day_number accepts without an error (a note for a year
// before 45 B.C. aside): nothing is posted. Thread-safe.
bool cal_is_date(int32_t iday, int32_t month, int32_t iyear);
