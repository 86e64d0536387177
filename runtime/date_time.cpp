// Dates and times: local time now on either clock, calendar arithmetic and the start-time text.
#include "runtime/date_time.h"

#include "runtime/clock.h"

#include <chrono>
#include <ctime>

namespace {

constexpr int64_t SECONDS_PER_DAY = 86400;

bool is_leap_year(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t days_in_month(int32_t year, int32_t month) {
    constexpr int32_t DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29 : DAYS[month - 1];
}

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 of a Gregorian date. The year is counted from March, so that the leap
// day is the last day of its year: a 400-year era then has 146097 days, a year of the era
// 365 days plus one every 4th year except every 100th, and the day of the March-based year
// follows from the month by (153 * month + 2) / 5, the running total of 31/30-day months.
int64_t days_from_civil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = floor_div(year, 400);
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468; // 719468: days from 0000-03-01 to 1970-01-01
}

// The inverse of days_from_civil, by the same March-based counting.
void civil_from_days(int64_t days, RtDateTime& out) {
    days += 719468;
    const int64_t era = floor_div(days, 146097);
    const int64_t day_of_era = days - era * 146097;
    const int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int64_t day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int64_t month_from_march = (5 * day_of_year + 2) / 153;
    out.day = static_cast<int32_t>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
    out.month =
        static_cast<int32_t>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
    out.year = static_cast<int32_t>(year_of_era + era * 400 + (out.month <= 2));
}

bool read_number(std::string_view text, size_t at, size_t digits, int32_t& out) {
    out = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

// The date and time and the hundredths of the second, all from one reading of the clock.
RtDateTime now_with_hundredths(int32_t& hundredths) {
    if (rt_clock_is_virtual()) {
        const int64_t us = rt_clock_microseconds();
        hundredths = static_cast<int32_t>(us / 10000 % 100);
        return rt_add_seconds(rt_virtual_clock_start(), us / 1000000);
    }
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count();
    const std::time_t now = static_cast<std::time_t>(floor_div(ms, 1000));
    hundredths = static_cast<int32_t>((ms - floor_div(ms, 1000) * 1000) / 10);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
}

} // namespace

RtDateTime rt_date_time_now() {
    int32_t hundredths = 0;
    return now_with_hundredths(hundredths);
}

void rt_get_time(int32_t& hour, int32_t& minute, int32_t& second, int32_t& hundredths) {
    const RtDateTime now = now_with_hundredths(hundredths);
    hour = now.hour;
    minute = now.minute;
    second = now.second;
}

void app_get_date_time(int32_t& day, int32_t& month, int32_t& year, int32_t& hour, int32_t& minute,
                       int32_t& second) {
    const RtDateTime now = rt_date_time_now();
    day = now.day;
    month = now.month;
    year = now.year;
    hour = now.hour;
    minute = now.minute;
    second = now.second;
}

RtDateTime rt_add_seconds(const RtDateTime& from, int64_t seconds) {
    const int64_t total = days_from_civil(from.year, from.month, from.day) * SECONDS_PER_DAY +
                          from.hour * 3600 + from.minute * 60 + from.second + seconds;
    const int64_t days = floor_div(total, SECONDS_PER_DAY);
    const int64_t of_day = total - days * SECONDS_PER_DAY;
    RtDateTime result;
    civil_from_days(days, result);
    result.hour = static_cast<int32_t>(of_day / 3600);
    result.minute = static_cast<int32_t>(of_day / 60 % 60);
    result.second = static_cast<int32_t>(of_day % 60);
    return result;
}

std::optional<RtDateTime> rt_parse_date_time(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    RtDateTime t;
    if (!read_number(text, 0, 4, t.year) || !read_number(text, 5, 2, t.month) ||
        !read_number(text, 8, 2, t.day) || !read_number(text, 11, 2, t.hour) ||
        !read_number(text, 14, 2, t.minute) || !read_number(text, 17, 2, t.second))
        return std::nullopt;
    if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > days_in_month(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}
