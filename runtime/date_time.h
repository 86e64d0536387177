// Dates and times: the local date and time now (real or virtual clock) and calendar arithmetic.
#pragma once

#include "runtime/local_date_time.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The local date and time now: with the real clock the system's local time; with the virtual
// clock the start time given to rt_use_virtual_clock plus the whole virtual seconds elapsed.
// Thread-safe.
RtDateTime rt_date_time_now();

// The application's view of rt_date_time_now(). Thread-safe.
void app_get_date_time(int32_t& day, int32_t& month, int32_t& year, int32_t& hour, int32_t& minute,
                       int32_t& second);

// The time of day to the hundredth of a second (hundredths 0..99), on the same clock as
// rt_date_time_now: the random generator's seed comes from it. Thread-safe.
void rt_get_time(int32_t& hour, int32_t& minute, int32_t& second, int32_t& hundredths);

// `from` moved by `seconds` (negative moves back), rolling minutes, hours, days, months and years
// over, leap days included. `from` must be a valid date and time (see rt_parse_date_time).
RtDateTime rt_add_seconds(const RtDateTime& from, int64_t seconds);

// Reads "YYYY-MM-DDTHH:MM:SS" (exactly that shape, year 0001..9999); nothing when the text has
// another shape or names a date or time that does not exist (2023-02-29, 24:00:00).
std::optional<RtDateTime> rt_parse_date_time(std::string_view text);
