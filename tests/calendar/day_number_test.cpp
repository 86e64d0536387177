// Day numbers of calendar dates: the reference tables, the calendar's seams and rejected dates.
#include "calendar/day_number.h"
#include "calendar/error_stack.h"
#include "tests/calendar/error_capture.h"
#include "tests/support/fixtures.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using calendar_test::ErrorCaptureTest;

struct DayCase {
    std::string source; // file:line, for failure messages
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    bool has_result = false;
    int32_t result = 0;
    int32_t error_type = 0;
    int32_t error_code = 0;
};

// Every "*days.tsv" of the calendar fixtures, so that a new table is replayed as it is added.
std::vector<std::filesystem::path> day_tables() {
    std::vector<std::filesystem::path> tables;
    const auto folder = test_support::fixtures_dir() / "calendar";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.ends_with("days.tsv"))
            tables.push_back(entry.path());
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

std::vector<DayCase> read_day_table(const std::filesystem::path& path) {
    std::vector<DayCase> cases;
    std::ifstream input(path);
    std::string line;
    std::getline(input, line); // header
    for (int line_number = 2; std::getline(input, line); ++line_number) {
        if (line.empty())
            continue;
        std::istringstream fields(line);
        DayCase c;
        c.source = path.filename().string() + ":" + std::to_string(line_number);
        std::string result;
        fields >> c.day >> c.month >> c.year >> result >> c.error_type >> c.error_code;
        EXPECT_FALSE(fields.fail()) << c.source << ": unreadable line \"" << line << "\"";
        c.has_result = result != "-";
        if (c.has_result)
            c.result = std::stoi(result);
        cases.push_back(c);
    }
    return cases;
}

using DayNumberTest = ErrorCaptureTest;

TEST_F(DayNumberTest, ReferenceTablesGiveTheirDayNumbersAndErrors) {
    const auto tables = day_tables();
    ASSERT_FALSE(tables.empty()) << "no *days.tsv in " << test_support::fixtures_dir();
    for (const auto& table : tables) {
        const auto cases = read_day_table(table);
        EXPECT_FALSE(cases.empty()) << table;
        for (const DayCase& c : cases) {
            SCOPED_TRACE(c.source);
            clear();
            // A level of the test's own shows what the routine passes up to its caller.
            err_push("day_number_test");
            const int32_t day = cal_day_number(c.day, c.month, c.year);
            const int32_t passed_up = err_level_type(0);
            err_pop("day_number_test");

            EXPECT_EQ(day, c.has_result ? c.result : 0);
            // The quiet check agrees with the routine: a date is one that gets a number.
            EXPECT_EQ(cal_is_date(c.day, c.month, c.year), c.error_type <= ERR_NOTE);
            if (c.error_type == 0) {
                EXPECT_TRUE(m_posts.empty()) << m_posts.front().text;
                EXPECT_EQ(passed_up, 0);
                continue;
            }
            ASSERT_EQ(m_posts.size(), 1u);
            EXPECT_EQ(m_posts.back().routine, "cal_day_number");
            EXPECT_EQ(m_posts.back().type, c.error_type);
            EXPECT_EQ(m_posts.back().code, c.error_code);
            // Notes stay at the routine's level and are not printed; terminal errors are
            // printed and passed up.
            if (c.error_type == ERR_NOTE) {
                EXPECT_EQ(passed_up, 0);
                EXPECT_TRUE(m_printed.empty());
            } else {
                EXPECT_EQ(passed_up, c.error_type);
                ASSERT_GE(m_printed.size(), 2u);
                EXPECT_TRUE(m_printed[1].starts_with(" *** TERMINAL ERROR " +
                                                     std::to_string(c.error_code) +
                                                     " from cal_day_number.  "))
                    << m_printed[1];
            }
        }
    }
}

// The Gregorian numbering, from an independent count: days of whole 400-year cycles (146097)
// and the day-of-year of a civil date, checked day by day over more than four centuries.
int64_t gregorian_days_from_civil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era;
}

TEST_F(DayNumberTest, EveryDayFromTheReformOnIsTheGregorianDifferenceFrom1900) {
    constexpr std::array<int32_t, 12> month_lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int64_t epoch = gregorian_days_from_civil(1900, 1, 1);
    int32_t previous = cal_day_number(4, 10, 1582);
    for (int32_t year = 1582; year <= 2040; ++year) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        for (int32_t month = year == 1582 ? 10 : 1; month <= 12; ++month) {
            const int32_t length =
                month_lengths[static_cast<size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
            for (int32_t day = year == 1582 && month == 10 ? 15 : 1; day <= length; ++day) {
                const int32_t number = cal_day_number(day, month, year);
                ASSERT_EQ(number, gregorian_days_from_civil(year, month, day) - epoch)
                    << day << "." << month << "." << year;
                ASSERT_EQ(number, previous + 1) << day << "." << month << "." << year;
                previous = number;
            }
        }
    }
    EXPECT_TRUE(m_posts.empty());
}

// The Julian count before the reform has no gaps either: every day from 1 January 46 B.C. to
// the reform, across 1 B.C. / A.D. 1 and the notes before 45 B.C., is one after the last.
TEST_F(DayNumberTest, JulianDaysBeforeTheReformAreConsecutive) {
    constexpr std::array<int32_t, 12> month_lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int32_t previous = cal_day_number(31, 12, -47);
    for (int32_t year = -46; year <= 1582; ++year) {
        if (year == 0)
            continue;
        const bool leap = year % 4 == 0;
        for (int32_t month = 1; month <= 12; ++month) {
            const int32_t length =
                month_lengths[static_cast<size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
            for (int32_t day = 1; day <= length; ++day) {
                if (year == 1582 && month == 10 && day == 5)
                    day = 15;
                const int32_t number = cal_day_number(day, month, year);
                ASSERT_EQ(number, previous + 1) << day << "." << month << "." << year;
                previous = number;
            }
        }
    }
}

// Every day of a year checks its month's length: the last day is accepted, the day after it
// is rejected with code 5 and a message naming the limit.
TEST_F(DayNumberTest, DayPastTheMonthsEndIsRejectedWithItsLimit) {
    struct Case {
        int32_t month;
        int32_t year;
        int32_t last_day;
        std::string text_after_last;
    };
    const Case cases[] = {
        {1, 2023, 31, "IDAY = 32.  Since MONTH = 1, IDAY must be less than or equal to  31."},
        {4, 2023, 30, "IDAY = 31.  Since MONTH = 4, IDAY must be less than or equal to 30."},
        {11, 1000, 30, "IDAY = 31.  Since MONTH = 11, IDAY must be less than or equal to 30."},
        {2, 1900, 28,
         "IDAY = 29.  Since MONTH = 2 and IYEAR = 1900, IDAY must be less than or equal to 28."},
        {2, 2000, 29,
         "IDAY = 30.  Since MONTH = 2 and IYEAR = 2000, IDAY must be less than or equal to 29."},
        {2, 1500, 29,
         "IDAY = 30.  Since MONTH = 2 and IYEAR = 1500, IDAY must be less than or equal to 29."},
        {2, -4, 29,
         "IDAY = 30.  Since MONTH = 2 and IYEAR = -4, IDAY must be less than or equal to 29."},
        {2, -1, 28,
         "IDAY = 29.  Since MONTH = 2 and IYEAR = -1, IDAY must be less than or equal to 28."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.month) + "." + std::to_string(c.year));
        clear();
        cal_day_number(c.last_day, c.month, c.year);
        EXPECT_TRUE(m_posts.empty());
        EXPECT_EQ(cal_day_number(c.last_day + 1, c.month, c.year), 0);
        ASSERT_EQ(m_posts.size(), 1u);
        EXPECT_EQ(m_posts[0].code, 5);
        EXPECT_EQ(m_posts[0].text, c.text_after_last);
    }
}

// Each check that fails is reported with its own code; year 0 and the dropped October days end
// the checks, so nothing after them is reported.
TEST_F(DayNumberTest, EachFailedCheckIsReportedWithItsCode) {
    struct Case {
        int32_t day, month, year;
        std::vector<int32_t> codes;
    };
    const Case cases[] = {
        {0, 13, 2020, {1, 2}},
        {0, 0, 0, {1, 2, 3}},
        {40, 1, 0, {3}},
        {14, 10, 1582, {4}},
        {5, 10, 1582, {4}},
        {15, 10, 1582, {}},
        {4, 10, 1582, {}},
        {32, 13, 2020, {1}},
        {31, 12, 5000000, {}},
        {1, 1, -5000000, {1}}, // the note only
        {1, 1, 5000001, {6}},
        {1, 1, -2147483647 - 1, {1, 6}},
        {2147483647, 2147483647, 2147483647, {1, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "." + std::to_string(c.month) + "." +
                     std::to_string(c.year));
        clear();
        const int32_t day = cal_day_number(c.day, c.month, c.year);
        std::vector<int32_t> codes;
        for (const auto& posted : m_posts)
            codes.push_back(posted.code);
        EXPECT_EQ(codes, c.codes);
        if (!codes.empty() && m_posts.back().type == ERR_TERMINAL) {
            EXPECT_EQ(day, 0);
        }
    }
}

TEST_F(DayNumberTest, RejectedDatesCarryTheirTexts) {
    struct Case {
        int32_t day, month, year;
        std::string text;
    };
    const Case cases[] = {
        {1, 13, 2020,
         "MONTH = 13.  MONTH must be greater than or equal to 1 and less than or equal to 12."},
        {0, 5, 2020, "IDAY = 0.  IDAY must be greater than or equal to 1."},
        {1, 1, 0, "IYEAR = 0.  IYEAR must not be equal to 0 since the year 0 does not exist."},
        {10, 10, 1582,
         "IYEAR = 1582, MONTH = 10 and IDAY = 10.  Due to the conversion from the Julian "
         "calendar to the Gregorian calendar, October 5, 1582 through October 14, 1582 do not "
         "exist."},
        {1, 6, -100,
         "IYEAR = -100.  The Julian Calendar first went into use in 45 B.C. (-45).  No calendar "
         "prior to that time was as universally used nor as accurate as the Julian.  Therefore, "
         "it is assumed that the Julian Calendar was in use prior to 45 B.C."},
        {1, 1, 6000000,
         "IYEAR = 6000000.  IYEAR must be greater than or equal to -5000000 and less than or "
         "equal to 5000000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        clear();
        cal_day_number(c.day, c.month, c.year);
        ASSERT_EQ(m_posts.size(), 1u);
        EXPECT_EQ(m_posts[0].text, c.text);
    }
}

// A note posted after a terminal error must not let the routine compute with a month outside
// the tables, nor take back the stop.
TEST_F(DayNumberTest, NoteAfterTerminalErrorKeepsTheDateRejected) {
    err_push("day_number_test");
    EXPECT_EQ(cal_day_number(1, 13, -100), 0);
    EXPECT_EQ(err_level_type(0), ERR_TERMINAL);
    err_pop("day_number_test");
    ASSERT_EQ(m_posts.size(), 2u);
    EXPECT_EQ(m_posts[1].type, ERR_NOTE);
}

TEST(DayNumberDeathTest, InvalidDateStopsTheProgram) {
    EXPECT_EXIT(cal_day_number(1, 13, 2020), testing::ExitedWithCode(2),
                "TERMINAL ERROR 1 from cal_day_number\\.  MONTH = 13\\.");
}

TEST(DayNumberDeathTest, NoteDoesNotStopTheProgram) {
    EXPECT_EXIT(
        {
            const int32_t day = cal_day_number(1, 1, -46);
            std::fprintf(stderr, "day %d\n", day);
            std::exit(7);
        },
        testing::ExitedWithCode(7), "day -710398");
}

} // namespace
