// The clock: exact virtual time, the advance hook, and the real idle step's sleeping and waking.
#include "runtime/clock.h"

#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

class VirtualClockTest : public testing::Test {
protected:
    void SetUp() override { rt_use_virtual_clock({2024, 5, 17, 9, 30, 0}); }
    void TearDown() override {
        rt_set_clock_advance_hook({});
        rt_use_real_clock();
    }
};

TEST_F(VirtualClockTest, IdleStepsAddUpExactly) {
    EXPECT_EQ(rt_clock_seconds(), 0.0);
    rt_idle_step();
    EXPECT_EQ(rt_clock_microseconds(), 1000);
    EXPECT_EQ(rt_clock_seconds(), 0.001);
    for (int i = 1; i < 5000; ++i)
        rt_idle_step();
    EXPECT_EQ(rt_clock_microseconds(), 5'000'000);
    EXPECT_EQ(rt_clock_seconds(), 5.0);

    rt_clock_advance(200'000);
    rt_clock_advance(-7); // ignored
    EXPECT_EQ(rt_clock_seconds(), 5.2);
}

TEST_F(VirtualClockTest, StartingAgainResetsTimeToZero) {
    rt_clock_advance(3'000'000);
    rt_use_virtual_clock({2000, 1, 1, 0, 0, 0});
    EXPECT_EQ(rt_clock_microseconds(), 0);
    EXPECT_EQ(rt_virtual_clock_start(), (RtDateTime{2000, 1, 1, 0, 0, 0}));
}

// The end of a run: once held, neither idle steps nor tones move the time or reach the hook.
TEST_F(VirtualClockTest, HeldClockStandsStillUntilStartedAgain) {
    int32_t hook_calls = 0;
    rt_set_clock_advance_hook([&](int64_t) { ++hook_calls; });
    rt_idle_step();
    rt_hold_virtual_clock();
    rt_idle_step();
    rt_clock_advance(350'000);
    EXPECT_EQ(rt_clock_microseconds(), 1000);
    EXPECT_EQ(hook_calls, 1);

    rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
    rt_idle_step();
    EXPECT_EQ(rt_clock_microseconds(), 1000);
    EXPECT_EQ(hook_calls, 2);
}

TEST_F(VirtualClockTest, HookSeesEveryAdvanceOnTheAdvancingThread) {
    std::vector<int64_t> times;
    std::vector<std::thread::id> threads;
    rt_set_clock_advance_hook([&](int64_t now) {
        times.push_back(now);
        threads.push_back(std::this_thread::get_id());
    });
    std::thread app([] {
        rt_idle_step();
        rt_idle_step();
        rt_clock_advance(250'000);
        rt_idle_step();
    });
    const std::thread::id app_id = app.get_id();
    app.join();
    EXPECT_EQ(times, (std::vector<int64_t>{1000, 2000, 252'000, 253'000}));
    EXPECT_EQ(threads, std::vector<std::thread::id>(4, app_id));
}

// The scripted user's use of the hook: an action due at 20 ms is carried out by another thread
// while the hook holds the application thread, so the polling loop sees it at exactly 20 ms.
TEST_F(VirtualClockTest, BlockingHookMakesAnActionLandAtItsTime) {
    std::mutex mutex;
    std::condition_variable changed;
    bool due = false;
    bool done = false;
    std::atomic<int32_t> mouse_clicked{0};

    std::thread gui([&] {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return due; });
        mouse_clicked.store(1);
        rt_wake();
        done = true;
        changed.notify_all();
    });
    rt_set_clock_advance_hook([&](int64_t now) {
        if (now != 20'000)
            return;
        std::unique_lock lock(mutex);
        due = true;
        changed.notify_all();
        changed.wait(lock, [&] { return done; });
    });

    while (mouse_clicked.load() == 0)
        rt_idle_step();
    gui.join();
    EXPECT_EQ(rt_clock_microseconds(), 20'000);
}

TEST(RealClockTest, SecondsRiseWithRealTime) {
    ASSERT_FALSE(rt_clock_is_virtual());
    const double before = rt_clock_seconds();
    std::this_thread::sleep_for(30ms);
    const double after = rt_clock_seconds();
    EXPECT_GE(after - before, 0.030);
    EXPECT_GE(rt_clock_microseconds(), static_cast<int64_t>(after * 1e6));
    rt_clock_advance(1'000'000); // real time is not moved
    EXPECT_LT(rt_clock_seconds() - after, 0.9);
}

// A step that is not woken sleeps at least 1 ms, so a spinning step would show as far more steps
// than milliseconds. Load on the machine can only lower the count.
TEST(RealClockTest, IdleStepSleepsInsteadOfSpinning) {
    rt_wait_for_wake(0ms); // forget earlier wakes
    const auto start = SteadyClock::now();
    int64_t steps = 0;
    while (SteadyClock::now() - start < 100ms) {
        rt_idle_step();
        ++steps;
    }
    const auto elapsed_ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
    EXPECT_LE(steps, elapsed_ms + 2);
}

TEST(RealClockTest, WakeFromAnotherThreadEndsAWait) {
    rt_wait_for_wake(0ms);
    std::thread gui([] {
        std::this_thread::sleep_for(20ms);
        rt_wake();
    });
    const auto start = SteadyClock::now();
    EXPECT_TRUE(rt_wait_for_wake(10s));
    EXPECT_LT(SteadyClock::now() - start, 5s);
    gui.join();
}

TEST(RealClockTest, WakeBeforeTheWaitIsNotLost) {
    rt_wait_for_wake(0ms);
    std::thread gui([] { rt_wake(); });
    gui.join();
    const auto start = SteadyClock::now();
    EXPECT_TRUE(rt_wait_for_wake(10s));
    EXPECT_LT(SteadyClock::now() - start, 5s);
    // That wake is used up: the next wait runs to its end.
    EXPECT_FALSE(rt_wait_for_wake(20ms));
}

TEST(RealClockTest, AWakeReachesEveryWaitingThread) {
    std::mutex mutex;
    std::condition_variable changed;
    int ready = 0;
    std::atomic<int32_t> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i)
        waiters.emplace_back([&] {
            rt_wait_for_wake(0ms); // from here on this thread sees every wake
            {
                std::lock_guard lock(mutex);
                ++ready;
            }
            changed.notify_all();
            if (rt_wait_for_wake(10s))
                ++woken;
        });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return ready == 2; });
    }
    rt_wake();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(woken.load(), 2);
}

} // namespace
