// The results chart's time axis and grid, worked out from the records' dates without drawing.
#include "app/chart_layout.h"

#include "calendar/day_number.h"

#include <cmath>

namespace {

constexpr float CLOSEST_GRID_PIXELS = 3.0f;

// Only for dates that cal_is_date accepts.
double day_start_of(const ResultsStamp& stamp) {
    return cal_day_number(stamp.day, stamp.month, stamp.year) * CHART_SECONDS_PER_DAY;
}

ChartGridInterval grid_interval(float frame_pixels, double days) {
    const auto wide_enough = [&](double days_apart) {
        return frame_pixels * days_apart / days >= CLOSEST_GRID_PIXELS;
    };
    if (wide_enough(1.0))
        return ChartGridInterval::day;
    if (wide_enough(7.0))
        return ChartGridInterval::week;
    if (wide_enough(28.0)) // the shortest month
        return ChartGridInterval::month;
    return ChartGridInterval::year;
}

// The calendar has no year 0: 1 B.C. (-1) is followed by A.D. 1.
int32_t year_after(int32_t year) {
    return year == -1 ? 1 : year + 1;
}

// The day numbers of the boundaries strictly inside (first, last) for the interval, stepping
// from the earliest record's month or year.
std::vector<int32_t> boundary_days(ChartGridInterval interval, int32_t first, int32_t last,
                                   const ResultsStamp& earliest) {
    std::vector<int32_t> days;
    if (interval == ChartGridInterval::week) {
        // 1 January 2024 was a Monday.
        const int32_t monday = cal_day_number(1, 1, 2024);
        const int32_t after = ((first - monday) % 7 + 7) % 7;
        for (int32_t day = first + (after == 0 ? 7 : 7 - after); day < last; day += 7)
            days.push_back(day);
        return days;
    }
    int32_t year = earliest.year;
    int32_t month = interval == ChartGridInterval::year ? 1 : earliest.month;
    for (;;) {
        if (interval == ChartGridInterval::year)
            year = year_after(year);
        else if (++month > 12) {
            month = 1;
            year = year_after(year);
        }
        // Past the calendar's last year there is nothing left to mark.
        if (!cal_is_date(1, month, year))
            return days;
        const int32_t day = cal_day_number(1, month, year);
        if (day >= last)
            return days;
        if (day > first)
            days.push_back(day);
    }
}

} // namespace

void app_chart_add_date(ChartDates& dates, const ResultsStamp& stamp) {
    if (!cal_is_date(stamp.day, stamp.month, stamp.year))
        return;
    const double day = day_start_of(stamp);
    if (!dates.has_records) {
        dates = {true, day, day, stamp, stamp};
        return;
    }
    if (day < dates.first_day) {
        dates.first_day = day;
        dates.earliest = stamp;
    }
    if (day > dates.last_day) {
        dates.last_day = day;
        dates.latest = stamp;
    }
}

ChartLayout app_chart_layout(const ChartDates& dates, float frame_pixels,
                             const ResultsStamp& today) {
    ChartLayout layout;
    layout.has_records = dates.has_records;
    if (dates.has_records) {
        layout.first = dates.first_day;
        layout.last = dates.last_day;
        layout.earliest = dates.earliest;
        layout.latest = dates.latest;
    } else {
        const bool known = cal_is_date(today.day, today.month, today.year);
        layout.first = layout.last = known ? day_start_of(today) : 0.0;
        layout.earliest = layout.latest = today;
    }
    layout.last += CHART_SECONDS_PER_DAY;

    const double days = (layout.last - layout.first) / CHART_SECONDS_PER_DAY;
    layout.interval = grid_interval(frame_pixels, days);
    if (layout.interval == ChartGridInterval::day)
        return layout;
    const auto first = static_cast<int32_t>(std::lround(layout.first / CHART_SECONDS_PER_DAY));
    const auto last = static_cast<int32_t>(std::lround(layout.last / CHART_SECONDS_PER_DAY));
    for (const int32_t day : boundary_days(layout.interval, first, last, layout.earliest))
        layout.boundaries.push_back(
            static_cast<float>((static_cast<double>(day) - first) * CHART_SECONDS_PER_DAY));
    return layout;
}

double app_chart_x(const ChartLayout& layout, const ResultsStamp& stamp) {
    return day_start_of(stamp) + stamp.hour * 3600.0 + stamp.minute * 60.0 + stamp.second -
           layout.first;
}
