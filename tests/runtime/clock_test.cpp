// The clock: exact virtual time and its jumps, the advance hook, and the real wait's sleeping and
// waking.
#include "runtime/clock.h"

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Takes every wake that came before as seen, so that the next wait starts afresh.
void forget_earlier_wakes() {
    rt_wait_until(0);
}

double thread_cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class VirtualClockTest : public testing::Test {
protected:
    void SetUp() override {
        rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
        forget_earlier_wakes();
    }
    void TearDown() override {
        rt_set_clock_advance_hook({});
        rt_use_real_clock();
    }
};

TEST_F(VirtualClockTest, WaitsAndAdvancesAddUpExactly) {
    EXPECT_EQ(rt_clock_seconds(), 0.0);
    EXPECT_EQ(rt_wait_until(1000), RtWaitEnd::deadline);
    EXPECT_EQ(rt_clock_microseconds(), 1000);
    EXPECT_EQ(rt_clock_seconds(), 0.001);
    EXPECT_EQ(rt_wait_until(5'000'000), RtWaitEnd::deadline);
    EXPECT_EQ(rt_clock_seconds(), 5.0);

    rt_clock_advance(200'000);
    rt_clock_advance(-7); // ignored
    EXPECT_EQ(rt_clock_seconds(), 5.2);
    // A deadline already passed ends the wait at once, where the clock stands.
    EXPECT_EQ(rt_wait_until(5'000'000), RtWaitEnd::deadline);
    EXPECT_EQ(rt_clock_microseconds(), 5'200'000);
}

TEST_F(VirtualClockTest, StartingAgainResetsTimeAndTheNextDueAction) {
    rt_clock_advance(3'000'000);
    rt_set_next_due(3'500'000);
    rt_use_virtual_clock({2000, 1, 1, 0, 0, 0});
    EXPECT_EQ(rt_clock_microseconds(), 0);
    EXPECT_EQ(rt_virtual_clock_start(), (RtDateTime{2000, 1, 1, 0, 0, 0}));
    forget_earlier_wakes();
    EXPECT_EQ(rt_wait_until(4'000'000), RtWaitEnd::deadline);
    EXPECT_EQ(rt_clock_microseconds(), 4'000'000);
}

// A wait moves the clock to the earlier of its deadline and the scripted user's next action,
// and the hook sees that time; an action due already is carried out without moving the clock.
TEST_F(VirtualClockTest, WaitJumpsToTheEarlierOfDeadlineAndNextDueAction) {
    struct Case {
        const char* name;
        int64_t now;
        int64_t due;
        int64_t deadline;
        int64_t reached;
        RtWaitEnd end;
        std::vector<int64_t> hook_calls;
    };
    const Case cases[] = {
        {"action first", 1000, 20'000, 5'001'000, 20'000, RtWaitEnd::woken, {20'000}},
        {"deadline first", 1000, 7'000'000, 5'001'000, 5'001'000, RtWaitEnd::deadline, {5'001'000}},
        {"both at once", 1000, 30'000, 30'000, 30'000, RtWaitEnd::deadline, {30'000}},
        {"nothing due", 1000, RT_NEVER, 2'000'000, 2'000'000, RtWaitEnd::deadline, {2'000'000}},
        {"action due already", 1000, 500, 5'001'000, 1000, RtWaitEnd::woken, {1000}},
        {"action due now, no deadline", 1000, 1000, RT_NEVER, 1000, RtWaitEnd::woken, {1000}},
        {"deadline passed", 9000, 500, 9000, 9000, RtWaitEnd::deadline, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
        rt_clock_advance(c.now);
        std::vector<int64_t> seen;
        rt_set_clock_advance_hook([&seen](int64_t now) { seen.push_back(now); });
        rt_set_next_due(c.due);
        forget_earlier_wakes();
        EXPECT_EQ(rt_wait_until(c.deadline), c.end);
        EXPECT_EQ(rt_clock_microseconds(), c.reached);
        EXPECT_EQ(seen, c.hook_calls);
        rt_set_clock_advance_hook({});
    }
}

// The end of a run: once held, neither waits nor tones move the time or reach the hook, and a
// wait sleeps until it is woken instead of spinning on a clock that cannot move.
TEST_F(VirtualClockTest, HeldClockStandsStillUntilStartedAgain) {
    int32_t hook_calls = 0;
    rt_set_clock_advance_hook([&](int64_t) { ++hook_calls; });
    rt_wait_until(1000);
    rt_hold_virtual_clock();
    rt_clock_advance(350'000);
    std::thread waker([] {
        std::this_thread::sleep_for(20ms);
        rt_wake();
    });
    EXPECT_EQ(rt_wait_until(5'000'000), RtWaitEnd::woken);
    waker.join();
    EXPECT_EQ(rt_clock_microseconds(), 1000);
    EXPECT_EQ(hook_calls, 1);

    rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
    rt_wait_until(1000);
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
        rt_wait_until(1000);
        rt_wait_until(2000);
        rt_clock_advance(250'000);
        rt_wait_until(253'000);
    });
    const std::thread::id app_id = app.get_id();
    app.join();
    EXPECT_EQ(times, (std::vector<int64_t>{1000, 2000, 252'000, 253'000}));
    EXPECT_EQ(threads, std::vector<std::thread::id>(4, app_id));
}

// The scripted user's use of the hook: an action due at 20 ms is carried out by another thread
// while the hook holds the application thread, so a loop waiting for ever sees it at exactly
// 20 ms, in one jump.
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
    int32_t hook_calls = 0;
    rt_set_clock_advance_hook([&](int64_t now) {
        ++hook_calls;
        if (now != 20'000)
            return;
        rt_set_next_due(RT_NEVER);
        std::unique_lock lock(mutex);
        due = true;
        changed.notify_all();
        changed.wait(lock, [&] { return done; });
    });
    rt_set_next_due(20'000);
    forget_earlier_wakes();

    int32_t waits = 0;
    while (mouse_clicked.load() == 0) {
        rt_wait();
        ++waits;
    }
    gui.join();
    EXPECT_EQ(rt_clock_microseconds(), 20'000);
    EXPECT_EQ(hook_calls, 1);
    EXPECT_EQ(waits, 1);
}

// With nothing due and no deadline the clock has nowhere to go: the wait sleeps in real time,
// and a line that becomes due meanwhile (an `on` line whose event another thread wrote) wakes it
// so that the next wait jumps there.
TEST_F(VirtualClockTest, WaitForEverStandsStillUntilSomethingBecomesDue) {
    rt_clock_advance(7000);
    std::vector<int64_t> seen;
    rt_set_clock_advance_hook([&seen](int64_t now) { seen.push_back(now); });
    std::thread gui([] {
        std::this_thread::sleep_for(20ms);
        rt_set_next_due(9000);
    });
    const auto start = SteadyClock::now();
    EXPECT_EQ(rt_wait(), RtWaitEnd::woken);
    EXPECT_GE(SteadyClock::now() - start, 15ms);
    EXPECT_EQ(rt_clock_microseconds(), 7000);
    gui.join();
    EXPECT_EQ(rt_wait(), RtWaitEnd::woken);
    EXPECT_EQ(rt_clock_microseconds(), 9000);
    EXPECT_EQ(seen, std::vector<int64_t>{9000});
}

// A wake that came before the wait ends it at once, without moving the clock: the caller looks
// at its state again first.
TEST_F(VirtualClockTest, WakeBeforeTheWaitEndsItWithoutTime) {
    rt_set_next_due(40'000);
    forget_earlier_wakes();
    rt_wake();
    EXPECT_EQ(rt_wait_until(1'000'000), RtWaitEnd::woken);
    EXPECT_EQ(rt_clock_microseconds(), 0);
    EXPECT_EQ(rt_wait_until(1'000'000), RtWaitEnd::woken);
    EXPECT_EQ(rt_clock_microseconds(), 40'000);
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

// A wait that nobody wakes ends at its deadline, not before; the next due action of a script
// means nothing to the real clock.
TEST(RealClockTest, WaitEndsAtItsDeadline) {
    forget_earlier_wakes();
    rt_set_next_due(0);
    forget_earlier_wakes();
    const int64_t deadline = rt_clock_microseconds() + 30'000;
    EXPECT_EQ(rt_wait_until(deadline), RtWaitEnd::deadline);
    EXPECT_GE(rt_clock_microseconds(), deadline);
    rt_set_next_due(RT_NEVER);
}

// A waiting thread takes next to no processor time: it sleeps, it neither spins nor ticks.
TEST(RealClockTest, WaitSleepsInsteadOfSpinning) {
    forget_earlier_wakes();
    const double cpu_before = thread_cpu_seconds();
    rt_wait_until(rt_clock_microseconds() + 200'000);
    EXPECT_LT(thread_cpu_seconds() - cpu_before, 0.010);
}

TEST(RealClockTest, WakeFromAnotherThreadEndsAWaitEarly) {
    forget_earlier_wakes();
    std::thread gui([] {
        std::this_thread::sleep_for(20ms);
        rt_wake();
    });
    const auto start = SteadyClock::now();
    EXPECT_EQ(rt_wait_until(rt_clock_microseconds() + 10'000'000), RtWaitEnd::woken);
    EXPECT_LT(SteadyClock::now() - start, 5s);
    gui.join();
}

TEST(RealClockTest, WaitForEverEndsWhenWoken) {
    forget_earlier_wakes();
    std::thread gui([] {
        std::this_thread::sleep_for(20ms);
        rt_wake();
    });
    EXPECT_EQ(rt_wait(), RtWaitEnd::woken);
    gui.join();
}

TEST(RealClockTest, WakeBeforeTheWaitIsNotLost) {
    forget_earlier_wakes();
    std::thread gui([] { rt_wake(); });
    gui.join();
    const auto start = SteadyClock::now();
    EXPECT_EQ(rt_wait_until(rt_clock_microseconds() + 10'000'000), RtWaitEnd::woken);
    EXPECT_LT(SteadyClock::now() - start, 5s);
    // That wake is used up: the next wait runs to its end.
    EXPECT_EQ(rt_wait_until(rt_clock_microseconds() + 20'000), RtWaitEnd::deadline);
}

TEST(RealClockTest, AWakeReachesEveryWaitingThread) {
    std::mutex mutex;
    std::condition_variable changed;
    int ready = 0;
    std::atomic<int32_t> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i)
        waiters.emplace_back([&] {
            forget_earlier_wakes(); // from here on this thread sees every wake
            {
                std::lock_guard lock(mutex);
                ++ready;
            }
            changed.notify_all();
            if (rt_wait_until(rt_clock_microseconds() + 10'000'000) == RtWaitEnd::woken)
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
