// Fuzzes both reading passes of the results file (talvena.rtr) and the chart's layout of what
// they read: the passes must agree on where the history ends, every record they hand on carries
// a date that exists, and the chart's time axis and grid hold every record without the calendar
// refusing a date (which would end the program).
#include "app/chart_layout.h"
#include "app/results_file.h"
#include "calendar/day_number.h"
#include "fuzz/scratch_file.h"

#include <vector>

using fuzz_support::check;

namespace {

// The frames' width on the program's window, and a narrow one, so that every interval of the
// grid is met by histories of a few records.
constexpr float FRAME_WIDTHS[] = {897.0f, 20.0f};

const ResultsStamp TODAY{11, 12, 2026, 10, 0, 0};

void check_layout(const ChartDates& dates, const std::vector<ResultsEntry>& entries,
                  float frame_pixels) {
    const ChartLayout layout = app_chart_layout(dates, frame_pixels, TODAY);
    check(layout.has_records == !entries.empty(), "the chart has records when the file has");
    check(layout.last - layout.first >= CHART_SECONDS_PER_DAY, "the chart spans whole days");
    float previous = 0.0f;
    for (const float x : layout.boundaries) {
        check(x > previous && x < layout.span(), "grid lines ascend inside the span");
        previous = x;
    }
    check(layout.interval != ChartGridInterval::day || layout.boundaries.empty(),
          "a line a day is a grid step");
    for (const ResultsEntry& entry : entries) {
        // The reader takes the time of day as written (an hour of 99 included); the day itself
        // must lie inside the span.
        const ResultsStamp& at = entry.stamp;
        const double day =
            app_chart_x(layout, at) - (at.hour * 3600.0 + at.minute * 60.0 + at.second);
        check(day >= 0 && day + CHART_SECONDS_PER_DAY <= layout.last - layout.first,
              "every record's day lies inside the span");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::fail_when_the_program_ends();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& path = fuzz_support::write_scratch_file(data, size);

    std::vector<ResultsStamp> dates;
    ChartDates chart_dates;
    const ResultsPass first = app_read_results_dates(path, [&](const ResultsStamp& stamp) {
        dates.push_back(stamp);
        app_chart_add_date(chart_dates, stamp);
    });
    std::vector<ResultsEntry> entries;
    const ResultsPass second =
        app_read_results_values(path, [&](const ResultsEntry& entry) { entries.push_back(entry); });

    check(first.opened && second.opened, "a regular file opens");
    check(first.records == second.records, "both passes read the same number of records");
    check(first.stopped_line == second.stopped_line, "both passes stop at the same line");
    check(first.stopped_line == 0 || first.stopped_line >= 2, "the header line never stops a pass");
    check(static_cast<size_t>(second.records) == entries.size(), "every record is handed on");
    check(dates.size() == entries.size(), "pass 1 hands on a date for every record");
    for (size_t i = 0; i < entries.size(); ++i) {
        const ResultsStamp& stamp = entries[i].stamp;
        check(dates[i] == stamp, "both passes read the same date");
        check(cal_is_date(stamp.day, stamp.month, stamp.year), "a record's date exists");
    }
    for (const float width : FRAME_WIDTHS)
        check_layout(chart_dates, entries, width);
    return 0;
}
