// The chart's time axis and grid: histories that reach back before A.D. 1 are gridded across
// the missing year 0 without a date the calendar refuses.
#include "app/chart_layout.h"
#include "calendar/day_number.h"
#include "tests/calendar/error_capture.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class ChartLayoutTest : public calendar_test::ErrorCaptureTest {
protected:
    // Only the notes on years before 45 B.C. may be posted.
    void expect_no_refused_date() {
        for (const calendar_test::PostedError& posted : m_posts)
            EXPECT_LE(posted.type, ERR_NOTE) << posted.code << " " << posted.text;
    }
};

constexpr float FRAME_PIXELS = 897.0f;
const ResultsStamp TODAY{11, 12, 2026, 10, 0, 0};

ResultsStamp date(int32_t day, int32_t month, int32_t year) {
    return {day, month, year, 12, 0, 0};
}

// The x of 1 `month`.`year` on a chart that starts on `first`.
float x_of(int32_t month, int32_t year, const ResultsStamp& first) {
    return static_cast<float>(
        (cal_day_number(1, month, year) - cal_day_number(first.day, first.month, first.year)) *
        CHART_SECONDS_PER_DAY);
}

// Every 1 January (years) or every 1st (months) strictly after `first` and before `last`, with
// the year after -1 being 1.
std::vector<float> expected_boundaries(ChartGridInterval interval, const ResultsStamp& first,
                                       const ResultsStamp& last) {
    std::vector<float> xs;
    int32_t year = first.year;
    int32_t month = interval == ChartGridInterval::year ? 1 : first.month;
    for (;;) {
        if (interval == ChartGridInterval::year || ++month > 12) {
            month = 1;
            year = year == -1 ? 1 : year + 1;
        }
        if (year > last.year || (year == last.year && month > last.month))
            return xs;
        xs.push_back(x_of(month, year, first));
    }
}

TEST_F(ChartLayoutTest, HistoriesBeforeTheEraAreGriddedAcrossTheMissingYear) {
    const struct {
        const char* name;
        ResultsStamp earliest;
        ResultsStamp latest;
        ChartGridInterval interval;
        size_t boundaries;
    } CASES[] = {
        // 998 years B.C. and 2026 A.D.
        {"999 B.C. to 2026", date(29, 11, -999), date(7, 12, 2026), ChartGridInterval::year, 3024},
        {"999 B.C. to 9999", date(29, 11, -999), date(31, 12, 9999), ChartGridInterval::year,
         10997},
        // 1 December 1 B.C., then every month of A.D. 1 .. 9 and January to March of 10.
        {"1 B.C. to A.D. 10", date(29, 11, -1), date(15, 3, 10), ChartGridInterval::month, 112},
        {"a year before and after", date(29, 11, -1), date(2, 1, 1), ChartGridInterval::day, 0},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        clear();
        // The latest first: the earliest need not come first in the file.
        ChartDates dates;
        for (const ResultsStamp& stamp : {c.latest, c.earliest})
            app_chart_add_date(dates, stamp);
        const ChartLayout layout = app_chart_layout(dates, FRAME_PIXELS, TODAY);
        expect_no_refused_date();
        EXPECT_TRUE(layout.has_records);
        EXPECT_EQ(layout.earliest, c.earliest);
        EXPECT_EQ(layout.latest, c.latest);
        EXPECT_EQ(layout.interval, c.interval);
        const float end_of_last_day =
            static_cast<float>((cal_day_number(c.latest.day, c.latest.month, c.latest.year) + 1 -
                                cal_day_number(c.earliest.day, c.earliest.month, c.earliest.year)) *
                               CHART_SECONDS_PER_DAY);
        EXPECT_EQ(layout.span(), end_of_last_day);
        EXPECT_EQ(layout.boundaries.size(), c.boundaries);
        if (c.interval != ChartGridInterval::day) {
            EXPECT_EQ(layout.boundaries, expected_boundaries(c.interval, c.earliest, c.latest));
        }
        // A record of the earliest day stands at its time of day.
        EXPECT_EQ(app_chart_x(layout, c.earliest), 12 * 3600.0);
    }
}

// Dates the calendar refuses never reach it: a record of one is left out, and a today in the ten
// days dropped in October 1582 (a start time the clock accepts) gives an empty chart of one day.
TEST_F(ChartLayoutTest, DatesTheCalendarRefusesAreNotAskedAbout) {
    for (const float frame_pixels : {FRAME_PIXELS, 1.0f, 0.1f}) {
        SCOPED_TRACE(frame_pixels);
        clear();
        ChartDates dates;
        for (const ResultsStamp& refused : {date(1, 1, 0), date(10, 10, 1582), date(31, 4, 2026),
                                            date(29, 2, 1900), date(1, 13, 2026)})
            app_chart_add_date(dates, refused);
        const ChartLayout layout = app_chart_layout(dates, frame_pixels, date(10, 10, 1582));
        expect_no_refused_date();
        EXPECT_FALSE(layout.has_records);
        EXPECT_EQ(layout.span(), static_cast<float>(CHART_SECONDS_PER_DAY));
    }
    clear();
    const ChartLayout today = app_chart_layout(ChartDates{}, FRAME_PIXELS, TODAY);
    expect_no_refused_date();
    EXPECT_EQ(today.first, cal_day_number(11, 12, 2026) * CHART_SECONDS_PER_DAY);
}

} // namespace
