// The results chart end to end: the sample history drawn at its days and times and against its
// reference picture, and files of one day, with a damaged line, with only the header, and none.
#include "platform/raster/color.h"
#include "platform/raster/png.h"
#include "runtime/cp1251.h"
#include "tests/e2e/program_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixtures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using e2e::ProgramRun;
using raster::Bitmap;
using test_support::file_bytes;
using test_support::write_bytes;

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t BLUE = 0xFF0000;  // 0x00BBGGRR
constexpr uint32_t GREEN = 0x00B200; // palette entry 3: 0.7 of green
constexpr uint32_t PROMPT = 0xDDAA00;

// The frames' pixel boxes on the 980 x 650 window.
struct Box {
    int32_t left, right, top, bottom;
};
constexpr Box VISION{40, 937, 35, 252};
constexpr Box TRAINING{40, 937, 287, 612};

const std::string SHOW_CHART = e2e::ACCEPT_DEFAULTS + "on pause K=2 menu Итоги_тренировок\n"
                                                      "on chart snapshot chart\n"
                                                      "after 1 click left\n"
                                                      "on pause K=2 after 1 menu Выход\n";

fs::path sample_history() {
    return test_support::fixtures_dir() / "results" / "talvena.rtr";
}

// The CP1251 lines of a file without their CR LF.
std::vector<std::string> lines_of(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream input(bytes);
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string crlf_joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

int32_t number_at(const std::string& line, int first_column, int last_column) {
    return std::stoi(line.substr(static_cast<size_t>(first_column - 1),
                                 static_cast<size_t>(last_column - first_column + 1)));
}

float real_at(const std::string& line, int first_column, int last_column) {
    return std::stof(line.substr(static_cast<size_t>(first_column - 1),
                                 static_cast<size_t>(last_column - first_column + 1)));
}

// A record as this test reads it, with its time counted by the standard library's calendar.
struct Record {
    bool vision = false;
    int64_t day = 0; // days since 1970
    int64_t second_of_day = 0;
    float acuity = 0;
    int32_t images = 0;
};

std::vector<Record> records_of(const std::vector<std::string>& lines) {
    using namespace std::chrono;
    std::vector<Record> records;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        Record record;
        const year_month_day date{year{number_at(line, 8, 11)},
                                  month{static_cast<unsigned>(number_at(line, 5, 6))},
                                  day{static_cast<unsigned>(number_at(line, 2, 3))}};
        record.day = sys_days(date).time_since_epoch().count();
        record.second_of_day =
            number_at(line, 16, 17) * 3600 + number_at(line, 22, 23) * 60 + number_at(line, 28, 29);
        record.vision = line.substr(47, 2) == "DD";
        if (record.vision)
            record.acuity = real_at(line, 77, 80);
        else
            record.images = number_at(line, 60, 63);
        records.push_back(record);
    }
    return records;
}

// The chart's time axis: from the start of the first day to the end of the last, in seconds.
struct Axis {
    int64_t first_day = 0;
    float span = 0;

    // The column of a time, as the chart rounds it: single precision, truncated, held inside.
    int32_t column(double seconds_from_first) const {
        const float fraction = static_cast<float>(seconds_from_first) / span;
        const float x = std::trunc(fraction * 897.0f + 40.0f + 0.5f);
        return static_cast<int32_t>(std::clamp(x, 40.0f, 937.0f));
    }
    int32_t column(const Record& record) const {
        return column(static_cast<double>((record.day - first_day) * 86400 + record.second_of_day));
    }
};

Axis axis_of(const std::vector<Record>& records) {
    int64_t first = records.front().day;
    int64_t last = records.front().day;
    for (const Record& record : records) {
        first = std::min(first, record.day);
        last = std::max(last, record.day);
    }
    return {first, static_cast<float>((last - first + 1) * 86400)};
}

// The row of a value of 0..1 (held inside) in a frame.
int32_t row_of(const Box& box, float value) {
    const auto height = static_cast<float>(box.bottom - box.top);
    const float y = std::trunc(static_cast<float>(box.bottom) - value * height + 0.5f);
    return static_cast<int32_t>(
        std::clamp(y, static_cast<float>(box.top), static_cast<float>(box.bottom)));
}

uint32_t color_at(const Bitmap& bitmap, int32_t x, int32_t y) {
    return raster::colorref_from_pixel(bitmap.pixel(x, y));
}

Bitmap chart_of(const ProgramRun& run) {
    std::string error;
    std::optional<Bitmap> shot = raster::read_png(run.snapshot("chart"), &error);
    EXPECT_TRUE(shot) << error;
    return shot ? *shot : Bitmap(1, 1, 0);
}

// Columns inside the vision frame (its edges left out) with at least 50 black pixels: the
// dotted day lines; sticks and labels are in colour.
std::set<int32_t> day_line_columns(const Bitmap& chart) {
    std::set<int32_t> columns;
    for (int32_t x = VISION.left + 1; x < VISION.right; ++x) {
        int32_t black = 0;
        for (int32_t y = VISION.top + 1; y < VISION.bottom; ++y)
            black += color_at(chart, x, y) == BLACK ? 1 : 0;
        if (black >= 50)
            columns.insert(x);
    }
    return columns;
}

// The day lines the chart steps through in single precision, its edges left out.
std::set<int32_t> expected_day_lines(const Axis& axis) {
    std::set<int32_t> columns;
    const auto count = static_cast<int32_t>(std::trunc((86400.0f + axis.span) / 86400.0f));
    float x = 0.0f;
    for (int32_t n = 0; n < count; ++n, x += 86400.0f) {
        const int32_t column = axis.column(x);
        if (column != VISION.left && column != VISION.right)
            columns.insert(column);
    }
    return columns;
}

void expect_frame_edges(const Bitmap& chart) {
    for (const Box& box : {VISION, TRAINING})
        for (int32_t y = box.top; y <= box.bottom; ++y) {
            ASSERT_EQ(color_at(chart, box.left, y), BLACK) << "left edge, row " << y;
            ASSERT_EQ(color_at(chart, box.right, y), BLACK) << "right edge, row " << y;
        }
}

// On a difference writes chart-diff.png beside the snapshot (differing pixels red).
std::string differences(const Bitmap& shot, const Bitmap& reference, const fs::path& diff_path) {
    if (shot.width() != reference.width() || shot.height() != reference.height())
        return "sizes differ";
    Bitmap diff(shot.width(), shot.height(), raster::pixel_from_colorref(WHITE));
    int32_t wrong = 0;
    std::string report;
    for (int32_t y = 0; y < shot.height(); ++y)
        for (int32_t x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) == reference.pixel(x, y))
                continue;
            diff.set_pixel(x, y, raster::pixel_from_colorref(0x0000FF));
            if (++wrong <= 5)
                report += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    if (wrong == 0)
        return {};
    raster::write_png(diff, diff_path);
    return std::to_string(wrong) + " pixels differ, first at" + report + "; see " +
           diff_path.string();
}

} // namespace

// The shared sample: 48 records over 21 days. Every day has its dotted line, every vision test
// its blue stick from the bottom to its acuity, every training its green stick up to its number
// of images, at the column of its date and time; the file is left as it was.
TEST(ResultsChart, SampleHistoryIsDrawnAtItsDaysAndTimes) {
    const std::string sample = file_bytes(sample_history());
    const ProgramRun run = e2e::run_program(
        "sample", SHOW_CHART,
        {.prepare = [&](const fs::path& f) { write_bytes(f / "talvena.rtr", sample); }});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    ASSERT_LT(run.find("chart "), run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[run.find("chart ")].text(),
              "chart records=48 vision=19 training=29 stopped=0 file=read");
    EXPECT_EQ(file_bytes(run.folder / "talvena.rtr"), sample);

    const std::vector<Record> records = records_of(lines_of(sample));
    const Axis axis = axis_of(records);
    ASSERT_EQ(axis.span, 21.0f * 86400.0f);
    const Bitmap chart = chart_of(run);
    expect_frame_edges(chart);
    EXPECT_EQ(day_line_columns(chart), expected_day_lines(axis));
    EXPECT_EQ(expected_day_lines(axis).size(), 20u);

    for (const Record& record : records) {
        const int32_t x = axis.column(record);
        if (record.vision) {
            for (int32_t y = row_of(VISION, record.acuity); y <= VISION.bottom; ++y)
                ASSERT_EQ(color_at(chart, x, y), BLUE) << "vision stick at column " << x;
            continue;
        }
        // Other series start at the stick and cross it; most of it stays green.
        const int32_t top = row_of(TRAINING, static_cast<float>(record.images) / 200.0f);
        int32_t green = 0;
        for (int32_t y = top; y <= TRAINING.bottom; ++y)
            green += color_at(chart, x, y) == GREEN ? 1 : 0;
        EXPECT_GE(green * 2, TRAINING.bottom - top + 1) << "training stick at column " << x;
    }

    std::string error;
    const std::optional<Bitmap> reference =
        raster::read_png(test_support::fixtures_dir() / "results" / "talvena-chart.png", &error);
    ASSERT_TRUE(reference) << error;
    EXPECT_EQ(differences(chart, *reference, run.folder / "chart-diff.png"), "");
}

// Short and broken histories: the chart draws what can be read and tells where reading stopped.
TEST(ResultsChart, ShortDamagedEmptyAndMissingHistories) {
    const std::vector<std::string> sample = lines_of(file_bytes(sample_history()));
    // Line 10 is a vision test of 20 November, line 11 a training of the same day.
    std::vector<std::string> one_day = {sample[0], sample[9], sample[10]};
    one_day[1].replace(76, 4, " 2.0");
    one_day[2].replace(59, 4, " 300");
    std::vector<std::string> damaged = sample;
    damaged[24].replace(21, 2, "x1");
    const struct {
        const char* name;
        std::optional<std::vector<std::string>> lines; // none: no file
        const char* chart;
    } CASES[] = {
        {"one day", one_day, "chart records=2 vision=1 training=1 stopped=0 file=read"},
        {"a damaged line", damaged, "chart records=23 vision=8 training=15 stopped=25 file=read"},
        {"only the header", std::vector<std::string>{sample[0]},
         "chart records=0 vision=0 training=0 stopped=0 file=read"},
        {"no file", std::nullopt, "chart records=0 vision=0 training=0 stopped=0 file=missing"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const std::string bytes = c.lines ? crlf_joined(*c.lines) : std::string();
        const ProgramRun run =
            e2e::run_program(c.name, SHOW_CHART, {.prepare = [&](const fs::path& folder) {
                                 if (c.lines)
                                     write_bytes(folder / "talvena.rtr", bytes);
                             }});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t chart_event = run.find("chart ");
        ASSERT_LT(chart_event, run.trace.size()) << run.trace_text();
        EXPECT_EQ(run.trace[chart_event].text(), c.chart);
        EXPECT_EQ(fs::exists(run.folder / "talvena.rtr"), c.lines.has_value());
        if (c.lines) {
            EXPECT_EQ(file_bytes(run.folder / "talvena.rtr"), bytes);
        }
        const Bitmap chart = chart_of(run);
        if (c.lines)
            expect_frame_edges(chart);

        const std::string name = c.name;
        if (name == "one day") {
            // The day runs from edge to edge: no day line inside. The acuity of 2.0 and the 300
            // images end on the top edges.
            EXPECT_TRUE(day_line_columns(chart).empty());
            const Axis axis = axis_of(records_of(one_day));
            const int32_t vision = axis.column(records_of(one_day)[0]);
            const int32_t training = axis.column(records_of(one_day)[1]);
            EXPECT_EQ(color_at(chart, vision, VISION.top), BLUE);
            EXPECT_EQ(color_at(chart, training, TRAINING.top), GREEN);
        } else if (name == "a damaged line") {
            // The status bar names the line while the chart is shown (the trace writes its blanks
            // as underscores).
            const size_t status =
                run.find("status text=Итоги_неполны:_строка_25_файла_talvena.rtr");
            EXPECT_LT(status, chart_event) << run.trace_text();
        } else if (name == "only the header") {
            // A day from today; no record to name at the start and the end.
            EXPECT_TRUE(day_line_columns(chart).empty());
            for (int32_t y = 615; y < 650; ++y)
                for (int32_t x = 0; x < 260; ++x)
                    ASSERT_EQ(color_at(chart, x, y), WHITE) << x << "," << y;
        } else {
            // Only the prompt, in its colour.
            int32_t prompt = 0;
            for (int32_t y = 0; y < chart.height(); ++y)
                for (int32_t x = 0; x < chart.width(); ++x) {
                    const uint32_t color = color_at(chart, x, y);
                    if (color == WHITE)
                        continue;
                    ASSERT_TRUE(y >= 615 && x >= 260) << x << "," << y;
                    prompt += color == PROMPT ? 1 : 0;
                }
            EXPECT_GT(prompt, 200);
        }
    }
}

namespace {

// A results file that is there but cannot be read is not taken for no file: the status bar says
// so while the chart is shown, and the file stays as it was. A link to a device that never ends
// and a file without line ends are read within bounds and end at once.
TEST(ResultsChart, AFileThatCannotBeReadIsSaidToBeSo) {
    const std::string no_line_ends(1 << 20, '7');
    const struct {
        const char* name;
        std::function<void(const fs::path&)> prepare;
        const char* chart;
        const char* status; // blanks as the trace writes them
    } CASES[] = {
        {"a folder in the file's place",
         [](const fs::path& folder) { fs::create_directory(folder / "talvena.rtr"); },
         "chart records=0 vision=0 training=0 stopped=0 file=unreadable",
         "status text=Файл_talvena.rtr_не_читается:_на_месте_файла_находится_папка"},
        {"a link to an endless device",
         [](const fs::path& folder) { fs::create_symlink("/dev/zero", folder / "talvena.rtr"); },
         "chart records=0 vision=0 training=0 stopped=0 file=unreadable",
         "status text=Файл_talvena.rtr_не_читается:_это_не_обычный_файл"},
        {"a file without line ends",
         [&](const fs::path& folder) { write_bytes(folder / "talvena.rtr", no_line_ends); },
         "chart records=0 vision=0 training=0 stopped=1 file=read",
         "status text=Итоги_неполны:_строка_1_файла_talvena.rtr"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = e2e::run_program(c.name, SHOW_CHART, {.prepare = c.prepare});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t chart_event = run.find("chart ");
        ASSERT_LT(chart_event, run.trace.size()) << run.trace_text();
        EXPECT_EQ(run.trace[chart_event].text(), c.chart);
        EXPECT_LT(run.find(c.status), chart_event) << run.trace_text();
    }
}

} // namespace

namespace {

// A record line of the sample moved to another date.
std::string dated(std::string line, std::chrono::year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    line.replace(1, 10, text);
    return line;
}

// Over long histories the dotted lines go from days to weeks (Mondays), months (the 1st) and
// years (1 January), so that they stay at least 3 pixels apart; the status bar names the
// interval. Up to 299 days the chart keeps a line a day.
TEST(ResultsChart, LongHistoriesAreGriddedByWeeksMonthsOrYears) {
    using namespace std::chrono;
    const std::vector<std::string> sample = lines_of(file_bytes(sample_history()));
    const sys_days start = sys_days(2001y / January / 10d);
    const struct {
        const char* name;
        int32_t days; // from the first day to the last, both included
        const char* status;
        std::function<bool(year_month_day, weekday)> boundary;
    } CASES[] = {
        {"299 days", 299, nullptr, [](year_month_day, weekday) { return true; }},
        {"1000 days", 1000, "status text=Линии_сетки_—_по_неделям",
         [](year_month_day, weekday w) { return w == Monday; }},
        {"3000 days", 3000, "status text=Линии_сетки_—_по_месяцам",
         [](year_month_day d, weekday) { return d.day() == 1d; }},
        {"20000 days", 20000, "status text=Линии_сетки_—_по_годам",
         [](year_month_day d, weekday) { return d.day() == 1d && d.month() == January; }},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const sys_days end = start + days(c.days - 1);
        const std::vector<std::string> lines = {sample[0], dated(sample[9], start),
                                                dated(sample[10], end)};
        const ProgramRun run =
            e2e::run_program(c.name, SHOW_CHART, {.prepare = [&](const fs::path& folder) {
                                 write_bytes(folder / "talvena.rtr", crlf_joined(lines));
                             }});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t chart_event = run.find("chart ");
        ASSERT_LT(chart_event, run.trace.size()) << run.trace_text();
        if (c.status) {
            EXPECT_LT(run.find(c.status), chart_event) << run.trace_text();
        } else {
            EXPECT_EQ(run.find("status text=Линии_сетки"), run.trace.size()) << run.trace_text();
        }

        const Axis axis{start.time_since_epoch().count(), static_cast<float>(c.days * 86400.0)};
        std::set<int32_t> expected;
        if (!c.status) {
            expected = expected_day_lines(axis);
        } else {
            for (sys_days day = start + days(1); day < end + days(1); day += days(1)) {
                if (!c.boundary(year_month_day(day), weekday(day)))
                    continue;
                const int32_t column =
                    axis.column(static_cast<double>((day - start).count()) * 86400.0);
                if (column != VISION.left && column != VISION.right)
                    expected.insert(column);
            }
        }
        const std::set<int32_t> seen = day_line_columns(chart_of(run));
        EXPECT_EQ(seen, expected);
        if (c.status) {
            // Never closer than 3 pixels.
            int32_t previous = VISION.left;
            for (const int32_t column : seen) {
                EXPECT_GE(column - previous, 3) << column;
                previous = column;
            }
        }
    }
}

} // namespace

namespace {

// One record of the sample dated before A.D. 1 or on a date that does not exist. The years B.C.
// are dates the calendar knows: the record is read and the grid steps from 1 B.C. to A.D. 1; the
// others end the reading at their line, which the status bar names. Either way the chart is shown
// and the program goes on.
TEST(ResultsChart, ARecordBeforeTheEraOrOnNoDateLeavesTheChartStanding) {
    const std::vector<std::string> sample = lines_of(file_bytes(sample_history()));
    const char* const READ = "chart records=48 vision=19 training=29 stopped=0 file=read";
    const char* const STOPPED = "chart records=23 vision=8 training=15 stopped=25 file=read";
    const char* const BY_YEARS = "status text=Линии_сетки_—_по_годам";
    const char* const LINE_25 = "status text=Итоги_неполны:_строка_25_файла_talvena.rtr";
    const struct {
        const char* date; // columns 2-11 of line 25
        const char* chart;
        const char* status;
    } CASES[] = {
        {"29.11.-999", READ, BY_YEARS},   {"29.11.-001", READ, BY_YEARS},
        {"29.11.0000", STOPPED, LINE_25}, {"29.13.2026", STOPPED, LINE_25},
        {"32.11.2026", STOPPED, LINE_25}, {"29.02.2026", STOPPED, LINE_25},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.date);
        std::vector<std::string> lines = sample;
        lines[24].replace(1, 10, c.date);
        const std::string bytes = crlf_joined(lines);
        const ProgramRun run =
            e2e::run_program(c.date, SHOW_CHART, {.prepare = [&](const fs::path& folder) {
                                 write_bytes(folder / "talvena.rtr", bytes);
                             }});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t chart_event = run.find("chart ");
        ASSERT_LT(chart_event, run.trace.size()) << run.trace_text();
        EXPECT_EQ(run.trace[chart_event].text(), c.chart);
        EXPECT_LT(run.find(c.status), chart_event) << run.trace_text();
        EXPECT_EQ(file_bytes(run.folder / "talvena.rtr"), bytes);
        // After the chart the user leaves from the start screen.
        EXPECT_LT(run.find("pause", chart_event), run.trace.size()) << run.trace_text();

        // The frames are drawn. Over millennia the records crowd onto the side edges, and the
        // line back from the record B.C. to the one before runs across, so there only the left
        // half of the top edges is looked at.
        const Bitmap chart = chart_of(run);
        if (c.chart == STOPPED) {
            expect_frame_edges(chart);
        } else {
            for (const Box& box : {VISION, TRAINING})
                for (int32_t x = box.left + 5; x <= (box.left + box.right) / 2; ++x)
                    ASSERT_EQ(color_at(chart, x, box.top), BLACK) << "top edge, column " << x;
        }
        // "Начало  ..." names the earliest record.
        int32_t start_text = 0;
        for (int32_t y = 615; y < 650; ++y)
            for (int32_t x = 0; x < 260; ++x)
                start_text += color_at(chart, x, y) == WHITE ? 0 : 1;
        EXPECT_GT(start_text, 100);
    }
}

} // namespace
