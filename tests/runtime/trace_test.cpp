// The trace: line format, blanks in values, order across threads, failures and listeners.
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace {

std::string read_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> read_lines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::istringstream in(read_text(path));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class TraceTest : public testing::Test {
protected:
    void SetUp() override { rt_use_virtual_clock({2024, 5, 17, 9, 30, 0}); }
    void TearDown() override {
        for (int32_t id : m_listeners)
            rt_trace_remove_listener(id);
        rt_trace_close();
        rt_use_real_clock();
    }
    void listen(RtTraceListener listener) {
        m_listeners.push_back(rt_trace_add_listener(std::move(listener)));
    }

    test_support::TempFolder m_dir;
    std::filesystem::path m_path = m_dir.path() / "trace.txt";
    std::vector<int32_t> m_listeners;
};

TEST_F(TraceTest, WritesTimeEventAndKeysWithBlanksReplaced) {
    ASSERT_TRUE(rt_trace_open(m_path));
    EXPECT_TRUE(rt_trace_is_open());
    rt_trace_event("tone", {{"hz", 1000}, {"ms", 200}});
    rt_clock_advance(5'000'000);
    rt_trace_event("message",
                   {{"caption", "Острота зрения"}, {"text", std::string("a b\tc\nd\r")}});
    rt_clock_advance(1000);
    rt_trace_event("wait-click");
    rt_clock_advance(1'234'000);
    rt_trace_event("answer", {{"i", int64_t{-3}}, {"verdict", ""}, {"dt", rt_trace_seconds(0.25)}});
    EXPECT_TRUE(rt_trace_close());
    EXPECT_FALSE(rt_trace_is_open());
    EXPECT_EQ(read_text(m_path), "0.000 tone hz=1000 ms=200\n"
                                 "5.000 message caption=Острота_зрения text=a_b_c_d_\n"
                                 "5.001 wait-click\n"
                                 "6.235 answer i=-3 verdict= dt=0.250\n");
}

TEST(TraceSecondsTest, ThreeDecimalsRounded) {
    EXPECT_EQ(rt_trace_seconds(0.0), "0.000");
    EXPECT_EQ(rt_trace_seconds(12.25), "12.250");
    EXPECT_EQ(rt_trace_seconds(1234.5678), "1234.568");
    EXPECT_EQ(rt_trace_seconds(0.9996), "1.000");
    EXPECT_EQ(rt_trace_seconds(86399.999), "86399.999");
}

TEST_F(TraceTest, EachEventIsFlushedAtOnce) {
    ASSERT_TRUE(rt_trace_open(m_path));
    rt_trace_event("frame-shown", {{"title", "talvena"}});
    EXPECT_EQ(read_text(m_path), "0.000 frame-shown title=talvena\n");
}

TEST_F(TraceTest, OpeningAgainStartsAFreshFile) {
    ASSERT_TRUE(rt_trace_open(m_path));
    rt_trace_event("first");
    ASSERT_TRUE(rt_trace_open(m_path));
    rt_trace_event("second");
    EXPECT_TRUE(rt_trace_close());
    EXPECT_EQ(read_text(m_path), "0.000 second\n");
}

TEST_F(TraceTest, FailuresAreReportedNotHidden) {
    EXPECT_FALSE(rt_trace_open(m_dir.path() / "missing" / "trace.txt"));
    EXPECT_FALSE(rt_trace_is_open());
    rt_trace_event("tone", {{"hz", 0}}); // goes nowhere, harmlessly

    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full to make writes fail";
    ASSERT_TRUE(rt_trace_open("/dev/full"));
    rt_trace_event("tone", {{"hz", 0}});
    EXPECT_FALSE(rt_trace_close());
    // The failure belonged to that trace only.
    ASSERT_TRUE(rt_trace_open(m_path));
    EXPECT_TRUE(rt_trace_close());
}

// Real time here: events of two threads interleave, yet every line is whole, each thread's
// events keep their order and the times never go back.
TEST_F(TraceTest, EventsOfTwoThreadsStayWholeAndInOrder) {
    rt_use_real_clock();
    ASSERT_TRUE(rt_trace_open(m_path));
    constexpr int COUNT = 300;
    auto writer = [](const char* name) {
        for (int i = 0; i < COUNT; ++i)
            rt_trace_event(name, {{"n", i}, {"text", "x y"}});
    };
    std::thread gui(writer, "gui");
    writer("app");
    gui.join();
    ASSERT_TRUE(rt_trace_close());

    const std::vector<std::string> lines = read_lines(m_path);
    ASSERT_EQ(lines.size(), 2u * COUNT);
    int next_gui = 0;
    int next_app = 0;
    double last_time = 0.0;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        double time = 0.0;
        std::string event, n, text, rest;
        in >> time >> event >> n >> text;
        EXPECT_FALSE(in >> rest) << line;
        EXPECT_GE(time, last_time) << line;
        last_time = time;
        EXPECT_EQ(text, "text=x_y") << line;
        int& next = event == "gui" ? next_gui : next_app;
        EXPECT_EQ(n, "n=" + std::to_string(next)) << line;
        ++next;
    }
    EXPECT_EQ(next_gui, COUNT);
    EXPECT_EQ(next_app, COUNT);
}

// The end of a run: the ending thread's events are kept, another thread's are dropped, until
// the trace is opened again.
TEST_F(TraceTest, OnlyTheEndingThreadIsHeardAfterItTookTheTrace) {
    std::vector<std::string> heard;
    listen([&](std::string_view event, auto) { heard.emplace_back(event); });
    ASSERT_TRUE(rt_trace_open(m_path));
    rt_trace_event("before");
    rt_trace_only_this_thread();
    std::thread([] { rt_trace_event("other"); }).join();
    rt_trace_event("exit", {{"code", 0}});
    ASSERT_TRUE(rt_trace_close());
    EXPECT_EQ(read_text(m_path), "0.000 before\n0.000 exit code=0\n");
    EXPECT_EQ(heard, (std::vector<std::string>{"before", "exit"}));

    ASSERT_TRUE(rt_trace_open(m_path));
    std::thread([] { rt_trace_event("other"); }).join();
    ASSERT_TRUE(rt_trace_close());
    EXPECT_EQ(read_text(m_path), "0.000 other\n");
}

TEST_F(TraceTest, ListenersHearEventsAfterTheyAreWritten) {
    ASSERT_TRUE(rt_trace_open(m_path));
    std::vector<std::string> heard;
    listen([&](std::string_view event, std::span<const RtTraceField> fields) {
        std::string entry(event);
        for (const RtTraceField& field : fields)
            entry += " " + std::string(field.key) + "=" + field.value;
        heard.push_back(entry);
        // Already in the file when the listener hears it.
        const std::string text = read_text(m_path);
        EXPECT_NE(text.find(std::string(event)), std::string::npos) << text;
    });
    rt_trace_event("dialog-shown", {{"id", 101}});
    rt_trace_event("menu", {{"label", "Проверка зрения"}});
    EXPECT_EQ(heard,
              (std::vector<std::string>{"dialog-shown id=101", "menu label=Проверка_зрения"}));
}

TEST_F(TraceTest, ListenersWorkWithoutATraceFile) {
    int32_t heard = 0;
    listen([&](std::string_view event, std::span<const RtTraceField>) {
        if (event == "tone")
            ++heard;
    });
    rt_trace_event("tone", {{"hz", 1000}, {"ms", 200}});
    rt_trace_remove_listener(m_listeners.back());
    rt_trace_event("tone", {{"hz", 1000}, {"ms", 200}});
    EXPECT_EQ(heard, 1);
}

// A listener that writes an event (as the scripted user does for a failed action) must neither
// deadlock nor deliver that event before the one it is hearing has reached every listener.
TEST_F(TraceTest, EventsWrittenByAListenerFollowInOrder) {
    ASSERT_TRUE(rt_trace_open(m_path));
    std::vector<std::string> first_heard;
    std::vector<std::string> second_heard;
    listen([&](std::string_view event, std::span<const RtTraceField>) {
        first_heard.emplace_back(event);
        if (event == "menu")
            rt_trace_event("script-error", {{"line", 3}, {"reason", "no dialog"}});
    });
    listen([&](std::string_view event, std::span<const RtTraceField>) {
        second_heard.emplace_back(event);
    });
    rt_trace_event("menu", {{"label", "Выход"}});
    rt_trace_event("exit", {{"code", 0}});
    const std::vector<std::string> expected{"menu", "script-error", "exit"};
    EXPECT_EQ(first_heard, expected);
    EXPECT_EQ(second_heard, expected);
    ASSERT_TRUE(rt_trace_close());
    EXPECT_EQ(read_text(m_path), "0.000 menu label=Выход\n"
                                 "0.000 script-error line=3 reason=no_dialog\n"
                                 "0.000 exit code=0\n");
}

} // namespace
