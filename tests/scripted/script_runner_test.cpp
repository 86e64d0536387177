// The scripted user on the virtual clock with a fake target and a fake GUI thread: when lines
// fire, in which order, what a failed action writes, and that a run repeats exactly.
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "scripted/answer_side.h"
#include "scripted/script_runner.h"
#include "tests/scripted/fake_gui.h"
#include "tests/support/temp_folder.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using namespace scripted;
using test_support::FakeGui;
using test_support::FakeTarget;

// The application thread's part: a program with something to do at every whole millisecond up
// to `until_ms`. It waits for each one (the scripted user's actions land in between, at their
// own times) and then calls `each` with it.
std::function<void()> every_millisecond_until(int64_t until_ms,
                                              std::function<void(int64_t)> each = {}) {
    return [until_ms, each] {
        for (int64_t ms = 1; ms <= until_ms; ++ms) {
            while (rt_clock_microseconds() < ms * 1000)
                rt_wait_until(ms * 1000);
            if (each)
                each(ms);
        }
    };
}

class ScriptRunnerTest : public testing::Test {
protected:
    void TearDown() override {
        set_answer_side_provider({});
        rt_trace_close();
        rt_use_real_clock();
    }

    // Runs `script` on a fresh virtual clock while `app` runs on its own thread; returns the trace.
    std::string run(std::string_view script, const std::function<void()>& app) {
        const ScriptParseResult parsed = parse_script(script);
        EXPECT_FALSE(parsed.error) << parsed.error->message;
        rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
        const std::filesystem::path trace = m_dir / "run.trace";
        EXPECT_TRUE(rt_trace_open(trace));
        {
            FakeGui gui;
            FakeTarget target(gui.id());
            target.refuse_presses = m_refuse_presses;
            ScriptRunner runner(
                parsed.script, target, [&gui](std::function<void()> work) { gui.invoke(work); },
                "shots");
            runner.start();
            std::thread app_thread(app);
            app_thread.join();
            m_finished = runner.finished();
            runner.stop();
            EXPECT_EQ(target.wrong_thread_calls, 0);
        }
        EXPECT_TRUE(rt_trace_close());
        std::ifstream file(trace, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test_support::TempFolder m_temp;
    const std::filesystem::path m_dir = m_temp.path();
    bool m_refuse_presses = false;
    bool m_finished = false;
};

TEST_F(ScriptRunnerTest, AtAfterAndOnFireInOrderAtTheirTimes) {
    const std::string trace = run(R"(
at 0.010 press left 1 2
after 0.005 release left
# figure K=2 comes first and does not match
on figure K=3 press right
on pause K=3 after 0.002 menu Итоги_тренировок
# the menu's own event arms this line at once
on menu label=Итоги_тренировок snapshot start
# a time already passed: due at once
at 0.001 key Enter
after 0.100 close
)",
                                  every_millisecond_until(200, [](int64_t ms) {
                                      if (ms == 20)
                                          rt_trace_event("figure", {{"K", 2}, {"side", 1}});
                                      if (ms == 30) {
                                          rt_trace_event("figure", {{"K", 3}, {"side", -1}});
                                          rt_sync_point();
                                      }
                                      if (ms == 40)
                                          rt_trace_event("pause", {{"K", 3}});
                                  }));
    EXPECT_EQ(trace, "0.010 target action=press buttons=left x=1 y=2\n"
                     "0.015 target action=release buttons=left\n"
                     "0.020 figure K=2 side=1\n"
                     "0.030 figure K=3 side=-1\n"
                     "0.030 target action=press buttons=right\n"
                     "0.040 pause K=3\n"
                     "0.042 menu label=Итоги_тренировок\n"
                     "0.042 target action=snapshot dir=shots name=start\n"
                     "0.042 target action=key name=Enter\n"
                     "0.142 target action=close\n");
    EXPECT_TRUE(m_finished);
}

// An event that came before the previous line fired does not count, even with the right values;
// the keys must all match, and keys the line does not name are free.
TEST_F(ScriptRunnerTest, OnWaitsForAMatchingEventAfterThePreviousLine) {
    const std::string trace = run("at 0.020 press left\n"
                                  "on pause K=1 release left\n"
                                  "on figure K=1 side=1 close\n",
                                  every_millisecond_until(100, [](int64_t ms) {
                                      if (ms == 10 || ms == 30)
                                          rt_trace_event("pause", {{"K", 1}});
                                      if (ms == 25)
                                          rt_trace_event("pause", {{"K", 2}});
                                      if (ms == 40)
                                          rt_trace_event("figure", {{"K", 1}, {"side", -1}});
                                      if (ms == 50)
                                          rt_trace_event("figure", {{"side", 1}, {"K", 1}});
                                  }));
    EXPECT_EQ(trace, "0.010 pause K=1\n"
                     "0.020 target action=press buttons=left\n"
                     "0.025 pause K=2\n"
                     "0.030 pause K=1\n"
                     "0.030 target action=release buttons=left\n"
                     "0.040 figure K=1 side=-1\n"
                     "0.050 figure side=1 K=1\n"
                     "0.050 target action=close\n");
}

// A grating row's check is a sync point: with `on figure` a press and a release land between two
// checks without any wait, so the very next check sees a whole click.
TEST_F(ScriptRunnerTest, SyncPointsCarryDueLinesOutWithoutTime) {
    const std::string trace = run("on figure K=2 press left\n"
                                  "release left\n"
                                  "after 0.001 close\n",
                                  [] {
                                      rt_wait_until(1000);
                                      rt_trace_event("figure", {{"K", 2}});
                                      for (int row = 0; row < 3; ++row) {
                                          rt_sync_point();
                                          rt_trace_event("row", {{"y", row}});
                                      }
                                      // The first jump is to the close, before the deadline.
                                      while (rt_wait_until(10'000) != RtWaitEnd::deadline) {
                                      }
                                  });
    EXPECT_EQ(trace, "0.001 figure K=2\n"
                     "0.001 target action=press buttons=left\n"
                     "0.001 target action=release buttons=left\n"
                     "0.001 row y=0\n"
                     "0.001 row y=1\n"
                     "0.001 row y=2\n"
                     "0.002 target action=close\n");
}

// A click's release comes 50 ms after its press; the next line counts its time from the press
// but is not carried out before the release.
TEST_F(ScriptRunnerTest, ClickReleasesAfterFiftyMillisecondsAndTheNextLineWaits) {
    const std::string trace = run("at 0.010 click left 3 4\n"
                                  "key a\n"
                                  "at 0.100 click right\n"
                                  "after 0.020 key b\n"
                                  "after 0.070 key c\n",
                                  every_millisecond_until(300));
    EXPECT_EQ(trace, "0.010 target action=press buttons=left x=3 y=4\n"
                     "0.060 target action=release buttons=left x=3 y=4\n"
                     "0.060 target action=key name=a\n"
                     "0.100 target action=press buttons=right\n"
                     "0.150 target action=release buttons=right\n"
                     "0.150 target action=key name=b\n"
                     "0.220 target action=key name=c\n");
}

TEST_F(ScriptRunnerTest, FailedActionsWriteScriptErrorsAndTheRunGoesOn) {
    const std::string trace = run("menu Nonexistent\n"
                                  "dialog set 101 60 cm\n"
                                  "dialog press 1\n"
                                  "answer correct\n"
                                  "key x\n",
                                  every_millisecond_until(10));
    EXPECT_EQ(trace, "0.000 script-error line=1 reason=unknown_label\n"
                     "0.000 script-error line=2 reason=no_dialog_on_screen\n"
                     "0.000 script-error line=3 reason=no_dialog_on_screen\n"
                     "0.000 script-error line=4 reason=no_activity\n"
                     "0.000 target action=key name=x\n");
    EXPECT_TRUE(m_finished);
}

TEST_F(ScriptRunnerTest, ClickWhosePressFailsHasNoRelease) {
    m_refuse_presses = true;
    const std::string trace = run("click left\nafter 0.010 key x\n", every_millisecond_until(100));
    EXPECT_EQ(trace, "0.000 script-error line=1 reason=no_drawing_window\n"
                     "0.010 target action=key name=x\n");
}

// `answer` clicks the button of the side last drawn (correct) or the other one (wrong), with the
// side read from the provider the drawing activity registers.
TEST_F(ScriptRunnerTest, AnswerClicksTheSideTheActivityDrew) {
    std::atomic<int32_t> side{0};
    set_answer_side_provider([&side] { return side.load(); });
    const std::string trace = run("at 0.010 answer correct\n"
                                  "at 0.100 answer correct\n"
                                  "answer wrong\n"
                                  "at 0.200 answer correct\n",
                                  every_millisecond_until(300, [&side](int64_t ms) {
                                      if (ms == 50)
                                          side = 1;
                                      if (ms == 190)
                                          side = -1;
                                  }));
    EXPECT_EQ(trace, "0.010 script-error line=1 reason=nothing_drawn\n"
                     "0.100 target action=press buttons=right\n"
                     "0.150 target action=release buttons=right\n"
                     "0.150 target action=press buttons=left\n"
                     "0.200 target action=release buttons=left\n"
                     "0.200 target action=press buttons=left\n"
                     "0.250 target action=release buttons=left\n");
}

// A program that waits for ever, with nothing due, stands still until an event written on
// another thread makes a line due; from there each wait jumps straight to the next line's time.
TEST_F(ScriptRunnerTest, WaitForEverWakesForAnEventAndJumpsFromLineToLine) {
    const std::string trace = run("on shown after 0.250 press left\n"
                                  "after 0.100 close\n",
                                  [] {
                                      std::thread window([] {
                                          std::this_thread::sleep_for(20ms);
                                          rt_trace_event("shown");
                                      });
                                      int32_t waits = 0;
                                      while (rt_clock_microseconds() < 350'000) {
                                          rt_wait();
                                          ++waits;
                                      }
                                      window.join();
                                      EXPECT_LE(waits, 6);
                                  });
    EXPECT_EQ(trace, "0.000 shown\n"
                     "0.250 target action=press buttons=left\n"
                     "0.350 target action=close\n");
    EXPECT_TRUE(m_finished);
}

TEST_F(ScriptRunnerTest, AScriptThatWaitsForeverLeavesTheProgramAlone) {
    const std::string trace = run("on never close\n", every_millisecond_until(50));
    EXPECT_EQ(trace, "");
    EXPECT_FALSE(m_finished);
}

// The same script against the same program gives the same trace, byte for byte, although the
// GUI thread and the application thread are scheduled differently each time.
TEST_F(ScriptRunnerTest, ARunRepeatsExactly) {
    const std::string script = R"(
after 0.003 press left 10 10
on row y=7 release left
on row y=9 after 0.004 click right 1 1
menu Итоги_тренировок
on menu label=Итоги_тренировок answer wrong
menu Выход
at 0.400 snapshot end
on row y=150 dialog press 2
)";
    std::atomic<int32_t> side{-1};
    set_answer_side_provider([&side] { return side.load(); });
    const auto app = every_millisecond_until(600, [](int64_t ms) {
        if (ms % 3 == 0)
            rt_trace_event("row", {{"y", ms / 3}});
        if (ms % 5 == 0)
            rt_sync_point();
    });
    const std::string first = run(script, app);
    const std::string second = run(script, app);
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("0.400 target action=snapshot"), std::string::npos) << first;
    EXPECT_NE(first.find("script-error line=7 reason=unknown_label"), std::string::npos);
    EXPECT_NE(first.find("script-error line=9 reason=no_dialog_on_screen"), std::string::npos);
}

TEST(SyncPointTest, CallsItsHookOnlyOnTheVirtualClockAndWithoutTime) {
    std::vector<int64_t> seen;
    rt_set_sync_point_hook([&seen](int64_t now) { seen.push_back(now); });
    rt_sync_point();
    EXPECT_TRUE(seen.empty());
    rt_use_virtual_clock({2024, 1, 1, 0, 0, 0});
    rt_sync_point();
    rt_clock_advance(2500);
    rt_sync_point();
    rt_sync_point();
    EXPECT_EQ(rt_clock_microseconds(), 2500);
    EXPECT_EQ(seen, (std::vector<int64_t>{0, 2500, 2500}));
    rt_set_sync_point_hook({});
    rt_sync_point();
    EXPECT_EQ(seen.size(), 3u);
    rt_use_real_clock();
}

} // namespace
