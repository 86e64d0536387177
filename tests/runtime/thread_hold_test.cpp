// The hold of a paused program's threads: a holdable thread stops at its waits and sync points
// until the hold ends, other threads run on, and on the virtual clock time goes on meanwhile.
#include "runtime/clock.h"
#include "runtime/thread_hold.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A thread that makes one wait (or reaches one sync point) and records how it went.
struct Waiter {
    std::atomic<int32_t> started{0};
    std::atomic<int32_t> returned{0};
    RtWaitEnd end = RtWaitEnd::woken;
    int64_t returned_at_us = -1;
    std::thread thread;

    void wait_until(bool holdable, int64_t deadline_us) {
        thread = std::thread([this, holdable, deadline_us] {
            if (holdable)
                rt_mark_thread_holdable();
            started.store(1);
            end = rt_wait_until(deadline_us);
            returned_at_us = rt_clock_microseconds();
            returned.store(1);
        });
        while (started.load() == 0)
            std::this_thread::yield();
    }
    void sync_point() {
        thread = std::thread([this] {
            rt_mark_thread_holdable();
            started.store(1);
            rt_sync_point();
            returned.store(1);
        });
        while (started.load() == 0)
            std::this_thread::yield();
    }
};

class RealClockHoldTest : public testing::Test {
protected:
    void SetUp() override { rt_hold_threads(); }
    void TearDown() override { rt_release_threads(); }
};

// A wait whose deadline passes during the hold ends only after the hold, with its deadline, as a
// thread stopped there would; a thread that is not holdable is not stopped.
TEST_F(RealClockHoldTest, HeldWaitsAndSyncPointsGoOnOnlyAfterTheHold) {
    Waiter held_wait;
    held_wait.wait_until(true, rt_clock_microseconds() + 10'000);
    Waiter held_sync;
    held_sync.sync_point();
    Waiter free_wait;
    free_wait.wait_until(false, rt_clock_microseconds() + 10'000);

    free_wait.thread.join();
    EXPECT_EQ(free_wait.end, RtWaitEnd::deadline);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(held_wait.returned.load(), 0);
    EXPECT_EQ(held_sync.returned.load(), 0);

    rt_release_threads();
    held_wait.thread.join();
    held_sync.thread.join();
    EXPECT_EQ(held_wait.end, RtWaitEnd::deadline);
}

// A hold that starts while a thread waits for ever stops it at the end of that wait: the wake
// that starts the hold ends the wait, and the thread stays at its hold point, not in its caller.
TEST_F(RealClockHoldTest, AHoldDuringAWaitStopsTheThreadBeforeItReturns) {
    rt_release_threads();
    Waiter waiter;
    waiter.wait_until(true, RT_NEVER);
    std::this_thread::sleep_for(20ms);
    rt_hold_threads();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(waiter.returned.load(), 0);
    rt_release_threads();
    waiter.thread.join();
    EXPECT_EQ(waiter.end, RtWaitEnd::woken);
}

// On the virtual clock a held thread waits for the scripted user's next action: the clock jumps
// to it and the advance hook carries it out, here the action that ends the pause.
TEST(VirtualClockHoldTest, TimeGoesOnToTheActionThatEndsThePause) {
    rt_use_virtual_clock({2024, 5, 17, 9, 30, 0});
    std::atomic<int32_t> hook_calls{0};
    rt_set_clock_advance_hook([&](int64_t now) {
        hook_calls.fetch_add(1);
        if (now == 2'500'000) {
            rt_set_next_due(RT_NEVER);
            rt_release_threads();
        }
    });
    rt_set_next_due(2'500'000);
    rt_hold_threads();

    Waiter waiter;
    waiter.wait_until(true, 1'000'000);
    waiter.thread.join();
    // The thread was stopped before its wait: the wait then ends at once, its deadline passed.
    EXPECT_EQ(waiter.end, RtWaitEnd::deadline);
    EXPECT_EQ(waiter.returned_at_us, 2'500'000);
    EXPECT_EQ(hook_calls.load(), 1);

    rt_release_threads();
    rt_set_clock_advance_hook({});
    rt_use_real_clock();
}

} // namespace
