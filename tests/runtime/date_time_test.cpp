// Dates and times: calendar arithmetic, the start-time text and the date and time on both clocks.
#include "runtime/clock.h"
#include "runtime/date_time.h"

#include <cstdio>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

std::string to_text(const RtDateTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

RtDateTime parsed(const char* text) {
    const std::optional<RtDateTime> t = rt_parse_date_time(text);
    EXPECT_TRUE(t.has_value()) << text;
    return t.value_or(RtDateTime{});
}

TEST(DateTimeTest, AddingSecondsRollsEveryFieldOver) {
    struct Case {
        const char* from;
        int64_t seconds;
        const char* expected;
    };
    const Case cases[] = {
        {"2024-05-17T09:30:59", 1, "2024-05-17T09:31:00"},
        {"2024-05-17T09:59:59", 1, "2024-05-17T10:00:00"},
        {"2024-05-17T23:59:59", 1, "2024-05-18T00:00:00"},
        {"2024-04-30T23:59:59", 1, "2024-05-01T00:00:00"},
        {"2024-12-31T23:59:59", 1, "2025-01-01T00:00:00"},
        {"2024-02-28T23:59:59", 1, "2024-02-29T00:00:00"}, // leap year
        {"2024-02-29T23:59:59", 1, "2024-03-01T00:00:00"},
        {"2023-02-28T23:59:59", 1, "2023-03-01T00:00:00"},     // common year
        {"2100-02-28T12:00:00", 86400, "2100-03-01T12:00:00"}, // no leap day in 2100
        {"2000-02-28T12:00:00", 86400, "2000-02-29T12:00:00"}, // but in 2000
        {"2024-03-01T00:00:00", -1, "2024-02-29T23:59:59"},
        {"2025-01-01T00:00:00", -86401, "2024-12-30T23:59:59"},
        {"2024-05-17T09:30:00", 0, "2024-05-17T09:30:00"},
        {"1999-12-31T23:00:00", 366LL * 86400 + 3600, "2001-01-01T00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(to_text(rt_add_seconds(parsed(c.from), c.seconds)), c.expected)
            << c.from << " + " << c.seconds;
}

// The C library's UTC calendar is an independent reference for long jumps in both directions.
TEST(DateTimeTest, AddingSecondsAgreesWithTheCLibraryCalendar) {
    std::mt19937_64 random(12345);
    std::uniform_int_distribution<int64_t> base(-2'000'000'000LL, 4'000'000'000LL);
    std::uniform_int_distribution<int64_t> offset(-3'000'000'000LL, 3'000'000'000LL);
    for (int i = 0; i < 2000; ++i) {
        const std::time_t from = base(random);
        const int64_t seconds = offset(random);
        std::tm a{};
        std::tm b{};
        const std::time_t to = from + seconds;
        ASSERT_NE(gmtime_r(&from, &a), nullptr);
        ASSERT_NE(gmtime_r(&to, &b), nullptr);
        const RtDateTime start{a.tm_year + 1900, a.tm_mon + 1, a.tm_mday,
                               a.tm_hour,        a.tm_min,     a.tm_sec};
        const RtDateTime expected{b.tm_year + 1900, b.tm_mon + 1, b.tm_mday,
                                  b.tm_hour,        b.tm_min,     b.tm_sec};
        ASSERT_EQ(to_text(rt_add_seconds(start, seconds)), to_text(expected))
            << to_text(start) << " + " << seconds;
    }
}

TEST(DateTimeTest, ParsesOnlyRealDatesAndTimesInTheExactShape) {
    EXPECT_EQ(rt_parse_date_time("2024-02-29T23:59:59"), (RtDateTime{2024, 2, 29, 23, 59, 59}));
    EXPECT_EQ(rt_parse_date_time("0001-01-01T00:00:00"), (RtDateTime{1, 1, 1, 0, 0, 0}));
    for (const char* bad : {"2023-02-29T00:00:00", "2024-04-31T00:00:00", "2024-13-01T00:00:00",
                            "2024-00-10T00:00:00", "2024-01-00T00:00:00", "2024-01-01T24:00:00",
                            "2024-01-01T00:60:00", "2024-01-01T00:00:60", "0000-01-01T00:00:00",
                            "2024-01-01 00:00:00", "2024-1-01T00:00:00", "2024-01-01T00:00:00Z",
                            "2024-01-01T00:00", "+024-01-01T00:00:00", ""})
        EXPECT_EQ(rt_parse_date_time(bad), std::nullopt) << bad;
}

class VirtualDateTimeTest : public testing::Test {
protected:
    void TearDown() override { rt_use_real_clock(); }
};

TEST_F(VirtualDateTimeTest, StartTimePlusWholeVirtualSeconds) {
    rt_use_virtual_clock(parsed("2024-02-28T23:59:59"));
    rt_clock_advance(999'000);
    int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    app_get_date_time(day, month, year, hour, minute, second);
    EXPECT_EQ(to_text({year, month, day, hour, minute, second}), "2024-02-28T23:59:59");

    rt_clock_advance(1000); // 1.000 s
    app_get_date_time(day, month, year, hour, minute, second);
    EXPECT_EQ(to_text({year, month, day, hour, minute, second}), "2024-02-29T00:00:00");

    rt_clock_advance(86'400'000'000LL); // one day later
    EXPECT_EQ(to_text(rt_date_time_now()), "2024-03-01T00:00:00");
}

TEST_F(VirtualDateTimeTest, TimeOfDayHasHundredthsOfTheVirtualSecond) {
    rt_use_virtual_clock(parsed("2024-05-17T23:59:58"));
    rt_clock_advance(1'234'567);
    int32_t hour = 0, minute = 0, second = 0, hundredths = 0;
    rt_get_time(hour, minute, second, hundredths);
    EXPECT_EQ((std::vector<int32_t>{hour, minute, second, hundredths}),
              (std::vector<int32_t>{23, 59, 59, 23}));
    rt_clock_advance(765'433); // 2.000000 s
    rt_get_time(hour, minute, second, hundredths);
    EXPECT_EQ((std::vector<int32_t>{hour, minute, second, hundredths}),
              (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST(RealDateTimeTest, TimeOfDayIsInRange) {
    int32_t hour = -1, minute = -1, second = -1, hundredths = -1;
    rt_get_time(hour, minute, second, hundredths);
    EXPECT_TRUE(hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
                second <= 59 && hundredths >= 0 && hundredths <= 99)
        << hour << ":" << minute << ":" << second << "." << hundredths;
}

TEST(RealDateTimeTest, IsTheSystemsLocalTime) {
    ASSERT_FALSE(rt_clock_is_virtual());
    const std::time_t before = std::time(nullptr);
    const RtDateTime now = rt_date_time_now();
    const std::time_t after = std::time(nullptr);
    std::tm a{};
    std::tm b{};
    localtime_r(&before, &a);
    localtime_r(&after, &b);
    const RtDateTime first{a.tm_year + 1900, a.tm_mon + 1, a.tm_mday,
                           a.tm_hour,        a.tm_min,     a.tm_sec};
    const RtDateTime last{b.tm_year + 1900, b.tm_mon + 1, b.tm_mday, b.tm_hour, b.tm_min, b.tm_sec};
    // Fixed-width texts compare like the times they show.
    EXPECT_GE(to_text(now), to_text(first));
    EXPECT_LE(to_text(now), to_text(last));
}

} // namespace
