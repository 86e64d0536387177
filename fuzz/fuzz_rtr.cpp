// Fuzzes both reading passes of the results file (talvena.rtr): they must agree on where the
// history ends, and every record they hand on carries a date that exists.
#include "app/results_file.h"
#include "calendar/day_number.h"
#include "fuzz/scratch_file.h"

#include <vector>

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& path = fuzz_support::write_scratch_file(data, size);

    std::vector<ResultsStamp> dates;
    const ResultsPass first =
        app_read_results_dates(path, [&](const ResultsStamp& stamp) { dates.push_back(stamp); });
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
    return 0;
}
