// The scripted user on the real clock: its own thread waits for each line and hands it to the GUI
// thread.
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "scripted/answer_side.h"
#include "scripted/script_runner.h"
#include "tests/scripted/fake_gui.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace scripted;
using namespace std::chrono_literals;
using test_support::FakeGui;
using test_support::FakeTarget;

// Collects the events written while it lives, with the time each was written.
class EventLog {
public:
    EventLog() {
        m_id = rt_trace_add_listener(
            [this](std::string_view event, std::span<const RtTraceField> fields) {
                std::string line(event);
                for (const RtTraceField& field : fields)
                    line += " " + std::string(field.key) + "=" + field.value;
                std::lock_guard lock(m_mutex);
                m_lines.emplace_back(rt_clock_microseconds(), line);
            });
    }
    ~EventLog() { rt_trace_remove_listener(m_id); }

    std::vector<std::pair<int64_t, std::string>> lines() const {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }
    // Looks every millisecond until `done` holds or 10 s have passed; returns whether it held.
    static bool wait_for(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done() && std::chrono::steady_clock::now() < deadline)
            rt_wait_until(rt_clock_microseconds() + 1000);
        return done();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<int64_t, std::string>> m_lines;
    int32_t m_id = 0;
};

// With the real clock the runner's own thread waits for each line and hands it to the GUI thread;
// only lower bounds of the times can be checked, the machine may be slow.
TEST(RealClockScriptRunnerTest, CarriesLinesOutInOrderOnTheGuiThread) {
    ASSERT_FALSE(rt_clock_is_virtual());
    const ScriptParseResult parsed = parse_script("after 0.020 press left\n"
                                                  "on pause K=1 after 0.010 key x\n"
                                                  "click right\n");
    ASSERT_FALSE(parsed.error);
    EventLog log;
    FakeGui gui;
    FakeTarget target(gui.id());
    ScriptRunner runner(
        parsed.script, target, [&gui](std::function<void()> work) { gui.invoke(work); }, ".");
    const int64_t start_us = rt_clock_microseconds();
    runner.start();
    ASSERT_TRUE(EventLog::wait_for([&] { return !log.lines().empty(); }));
    // The press is logged inside its action; the next line is armed only once the action has
    // returned to the runner, and an event written before that does not count.
    std::this_thread::sleep_for(100ms);
    rt_trace_event("pause", {{"K", 1}});
    ASSERT_TRUE(EventLog::wait_for([&] { return runner.finished(); }));
    runner.stop();

    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].second, "target action=press buttons=left");
    EXPECT_EQ(lines[1].second, "pause K=1");
    EXPECT_EQ(lines[2].second, "target action=key name=x");
    EXPECT_EQ(lines[3].second, "target action=press buttons=right");
    EXPECT_EQ(lines[4].second, "target action=release buttons=right");
    EXPECT_GE(lines[0].first - start_us, 20'000);
    EXPECT_GE(lines[2].first - lines[1].first, 10'000);
    EXPECT_GE(lines[4].first - lines[3].first, CLICK_RELEASE_US);
    EXPECT_EQ(target.wrong_thread_calls, 0);
}

// The observer on the real clock: the runner's thread wakes for a ring written after the script
// has ended and clicks its seconds later, on the side of the gap for an observer far sharper
// than the ring.
TEST(RealClockScriptRunnerTest, ObserverAnswersRingsAfterTheScriptHasEnded) {
    const ScriptParseResult parsed = parse_script("observer 100 0.035 0 0.05\n");
    ASSERT_FALSE(parsed.error);
    EventLog log;
    FakeGui gui;
    FakeTarget target(gui.id());
    set_answer_side_provider([] { return -1; });
    ScriptRunner runner(
        parsed.script, target, [&gui](std::function<void()> work) { gui.invoke(work); }, ".");
    runner.start();
    ASSERT_TRUE(EventLog::wait_for([&] { return runner.finished(); }));
    const int64_t ring_us = rt_clock_microseconds();
    rt_trace_event("ring", {{"V", "0.5"}, {"side", -1}});
    ASSERT_TRUE(EventLog::wait_for([&] { return log.lines().size() >= 3; }));
    runner.stop();
    set_answer_side_provider({});

    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].second, "target action=press buttons=left");
    EXPECT_EQ(lines[2].second, "target action=release buttons=left");
    EXPECT_GE(lines[1].first - ring_us, 50'000);
    EXPECT_EQ(target.wrong_thread_calls, 0);
}

TEST(RealClockScriptRunnerTest, StopEndsAWaitForAnEventThatNeverComes) {
    const ScriptParseResult parsed = parse_script("on never close\nat 1000 close\n");
    ASSERT_FALSE(parsed.error);
    FakeGui gui;
    FakeTarget target(gui.id());
    ScriptRunner runner(
        parsed.script, target, [&gui](std::function<void()> work) { gui.invoke(work); }, ".");
    runner.start();
    runner.stop();
    EXPECT_FALSE(runner.finished());
}

} // namespace
