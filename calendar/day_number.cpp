// Day numbers of calendar dates: days counted from 1 January 1900, with validation of the date.
#include "calendar/day_number.h"

#include "calendar/error_stack.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace {

constexpr std::string_view ROUTINE = "cal_day_number";

// Years from -YEAR_LIMIT to YEAR_LIMIT have day numbers well inside the 32-bit range.
constexpr int32_t YEAR_LIMIT = 5000000;

// Tables for a common year, indexed by month - 1.
constexpr std::array<int32_t, 12> DAYS_BEFORE_MONTH_MINUS_ONE{-1,  30,  58,  89,  119, 150,
                                                              180, 211, 242, 272, 303, 333};
constexpr std::array<int32_t, 12> DAYS_TO_YEAR_END_PLUS_ONE{366, 335, 307, 276, 246, 215,
                                                            185, 154, 123, 93,  62,  32};

enum class YearKind { common, leap };

// Checks lower <= value <= upper, or only lower <= value when upper < lower, and posts a terminal
// error with the current code when the check fails. The code advances by one either way, so
// every check of a routine keeps its own code.
void check_range(int32_t value, std::string_view name, int32_t lower, int32_t upper,
                 int32_t& code) {
    const bool one_sided = upper < lower;
    if (value < lower || (!one_sided && value > upper)) {
        err_set_text(1, name);
        err_set_int(1, value);
        err_set_int(2, lower);
        if (one_sided) {
            err_post(ERR_TERMINAL, code,
                     "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2).");
        } else {
            err_set_int(3, upper);
            err_post(ERR_TERMINAL, code,
                     "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2) and less "
                     "than or equal to %(I3).");
        }
    }
    ++code;
}

// The remainder keeps the sign of the year, so only years divisible by 4 as written are leap
// (-4, -8, ... B.C.). Up to 1582 that is the whole Julian rule; from 1583 on the Gregorian rule
// drops the century years not divisible by 400.
YearKind year_kind(int32_t iyear) {
    if (iyear % 4 != 0)
        return YearKind::common;
    if (iyear <= 1582)
        return YearKind::leap;
    return iyear % 100 != 0 || iyear % 400 == 0 ? YearKind::leap : YearKind::common;
}

// The last day of the month (1..12).
int32_t month_length(int32_t month, YearKind kind) {
    switch (month) {
    case 2:
        return kind == YearKind::leap ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

bool in_dropped_october_days(int32_t iday, int32_t month, int32_t iyear) {
    return iyear == 1582 && month == 10 && iday >= 5 && iday <= 14;
}

void check_day_of_month(int32_t iday, int32_t month, int32_t iyear, YearKind kind, int32_t code) {
    if (month < 1 || month > 12 || iday <= month_length(month, kind))
        return;
    if (month == 2) {
        err_set_int(1, iyear);
        err_set_int(2, iday);
        err_post(ERR_TERMINAL, code,
                 kind == YearKind::leap
                     ? "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than "
                       "or equal to 29."
                     : "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than "
                       "or equal to 28.");
        return;
    }
    err_set_int(1, month);
    err_set_int(2, iday);
    // The message for the long months has always had two blanks before its limit.
    err_post(ERR_TERMINAL, code,
             month_length(month, kind) == 31
                 ? "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to  31."
                 : "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to 30.");
}

// Posts every fault of the date; the checks of year 0 and of the dropped October days end the
// validation, since nothing after them can be judged. Codes follow the order of the checks.
void validate(int32_t iday, int32_t month, int32_t iyear) {
    int32_t code = 1;
    check_range(month, "MONTH", 1, 12, code);
    check_range(iday, "IDAY", 1, 0, code);
    if (iyear == 0) {
        err_post(ERR_TERMINAL, code,
                 "IYEAR = 0.  IYEAR must not be equal to 0 since the year 0 does not exist.");
        return;
    }
    ++code;
    if (in_dropped_october_days(iday, month, iyear)) {
        err_set_int(1, iday);
        err_post(ERR_TERMINAL, code,
                 "IYEAR = 1582, MONTH = 10 and IDAY = %(I1).  Due to the conversion from the "
                 "Julian calendar to the Gregorian calendar, October 5, 1582 through October "
                 "14, 1582 do not exist.");
        return;
    }
    ++code;
    if (iyear < -45) {
        err_set_int(1, iyear);
        err_post(ERR_NOTE, 1,
                 "IYEAR = %(I1).  The Julian Calendar first went into use in 45 B.C. (-45).  No "
                 "calendar prior to that time was as universally used nor as accurate as the "
                 "Julian.  Therefore, it is assumed that the Julian Calendar was in use prior to "
                 "45 B.C.");
    }
    check_day_of_month(iday, month, iyear, year_kind(iyear), code);
    ++code;
    // About 5.88 million years from 1900 the day number leaves the 32-bit range; a year that
    // far out is rejected here instead of overflowing below.
    check_range(iyear, "IYEAR", -YEAR_LIMIT, YEAR_LIMIT, code);
}

bool before_gregorian_reform(int32_t iday, int32_t month, int32_t iyear) {
    return iyear < 1582 || (iyear == 1582 && (month <= 9 || (month == 10 && iday <= 4)));
}

// Counted forward from 1900 for later years, back from 1900 for earlier ones, so every
// division truncates a non-negative number. Forward, the leap days are those of 1904 ..
// iyear, less the Gregorian century years (2100, 2200, 2300, 2500, ...). Back, they are those
// of iyear .. 1896, less 1800 and 1700; the Julian years before 1582 count every fourth year,
// and the ten days of October 1582 and the missing year 0 (which the rule counts as leap) are
// taken off explicitly.
int64_t day_number_of_valid_date(int32_t iday, int32_t month, int32_t iyear) {
    const auto month_index = static_cast<size_t>(month - 1);
    const bool leap = year_kind(iyear) == YearKind::leap;
    if (iyear >= 1900) {
        const int64_t b = int64_t{iyear} - 1900;
        const int64_t c = b < 100 ? 0 : (b - 100) / 400 + 1;
        const int64_t leap_days = b / 4 - (b / 100 - c);
        int64_t day = 365 * (b - leap_days) + 366 * leap_days +
                      DAYS_BEFORE_MONTH_MINUS_ONE[month_index] + iday;
        if (leap && month <= 2)
            --day;
        return day;
    }
    const int64_t b = 1900 - int64_t{iyear};
    const int64_t s = b >= 200 ? 2 : b / 100;
    const int64_t leap_days = b / 4 - s;
    int64_t back = 365 * (b - leap_days) + 366 * leap_days +
                   DAYS_TO_YEAR_END_PLUS_ONE[month_index] - iday - 365;
    if (before_gregorian_reform(iday, month, iyear))
        back -= 10;
    if (iyear < 0)
        back -= 366;
    if (leap && month > 2)
        --back;
    return -back;
}

} // namespace

bool cal_is_date(int32_t iday, int32_t month, int32_t iyear) {
    if (month < 1 || month > 12 || iday < 1 || iyear == 0 || iyear < -YEAR_LIMIT ||
        iyear > YEAR_LIMIT || in_dropped_october_days(iday, month, iyear))
        return false;
    return iday <= month_length(month, year_kind(iyear));
}

int32_t cal_day_number(int32_t iday, int32_t month, int32_t iyear) {
    err_push(ROUTINE);
    validate(iday, month, iyear);
    int32_t day = 0;
    // A note alone leaves the date valid; anything more serious means it was rejected.
    if (err_level_type(0) <= ERR_NOTE)
        day = static_cast<int32_t>(day_number_of_valid_date(iday, month, iyear));
    err_pop(ROUTINE);
    return day;
}
