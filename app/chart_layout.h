// The results chart's time axis and grid, worked out from the records' dates without drawing:
// the span from the start of the earliest day to the end of the latest, where a record stands on
// it, and which dotted lines the grid has.
#pragma once

#include "app/results_file.h"

#include <cstdint>
#include <vector>

inline constexpr double CHART_SECONDS_PER_DAY = 86400.0;

// How far apart the dotted lines are. One a day while they stay 3 pixels apart (about 300 days
// over the frame); beyond that a line a week (from Monday), a month (from the 1st) or a year
// (from 1 January), at the calendar's boundaries, so that years of results never turn the grid
// into a solid field.
enum class ChartGridInterval { day, week, month, year };

struct ChartLayout {
    bool has_records = false;
    // Seconds from 1 January 1900 of the start of the earliest day and of the end of the latest;
    // without a record, the day of `today`.
    double first = 0;
    double last = 0;
    // The first record found on the earliest and on the latest day (today without a record).
    ResultsStamp earliest;
    ResultsStamp latest;
    ChartGridInterval interval = ChartGridInterval::day;
    // For the week, month and year intervals: the x of every boundary strictly inside the span,
    // in seconds from `first`, ascending. Empty for the day interval, whose lines are a grid step.
    std::vector<float> boundaries;

    // The world x range of both frames: 0 .. span.
    float span() const { return static_cast<float>(last - first); }
};

// The earliest and the latest day among the records read so far, with the first record found on
// each: what the chart takes from the first reading pass, one date at a time.
struct ChartDates {
    bool has_records = false;
    double first_day = 0; // seconds from 1 January 1900 of the start of the day
    double last_day = 0;
    ResultsStamp earliest;
    ResultsStamp latest;
};

// Takes one record's date into account. A date the calendar does not know is left out (the
// reader never hands one on). Not thread-safe (the calendar's error stack).
void app_chart_add_date(ChartDates& dates, const ResultsStamp& stamp);

// The layout for records with those dates over a frame `frame_pixels` wide. A today that the
// calendar does not know (the ten days dropped in October 1582) is taken as 1 January 1900,
// which only the span of an empty chart would show. Never asks the calendar about a date it
// would refuse. Not thread-safe.
ChartLayout app_chart_layout(const ChartDates& dates, float frame_pixels,
                             const ResultsStamp& today);

// Where a record of a known date stands on the x axis: seconds from the layout's first.
double app_chart_x(const ChartLayout& layout, const ResultsStamp& stamp);
