// Time under modal boxes, on the virtual clock: nested boxes count once, the box up now counts
// as far as it has come, and a box put down twice takes nothing away.
#include "runtime/clock.h"
#include "runtime/modal_time.h"

#include <gtest/gtest.h>

namespace {

TEST(ModalTime, CountsTheTimeAnyBoxIsUp) {
    rt_use_virtual_clock({2026, 12, 10, 10, 0, 0});
    const int64_t before = rt_modal_microseconds();
    EXPECT_FALSE(rt_modal_up());

    rt_clock_advance(1'000'000); // no box: not counted
    rt_modal_begin();
    rt_clock_advance(2'000'000);
    EXPECT_TRUE(rt_modal_up());
    EXPECT_EQ(rt_modal_microseconds() - before, 2'000'000) << "the box up now counts";
    rt_modal_begin(); // a box over the box
    rt_clock_advance(500'000);
    rt_modal_end();
    EXPECT_TRUE(rt_modal_up()) << "the first box is still up";
    rt_clock_advance(500'000);
    rt_modal_end();
    EXPECT_FALSE(rt_modal_up());
    rt_modal_end(); // one time too many: ignored
    rt_clock_advance(4'000'000);
    EXPECT_EQ(rt_modal_microseconds() - before, 3'000'000);
    rt_use_real_clock();
}

// Away and boxes overlap: the time is counted once, an away said twice changes nothing, and a
// box put down once too often does not end the away time.
TEST(ModalTime, AwayCountsAsABoxAndOverlapsCountOnce) {
    rt_use_virtual_clock({2026, 12, 10, 10, 0, 0});
    const int64_t before = rt_modal_microseconds();
    rt_modal_set_away(true);
    rt_modal_set_away(true);
    EXPECT_TRUE(rt_modal_away());
    EXPECT_TRUE(rt_modal_up());
    rt_clock_advance(1'000'000);
    rt_modal_begin(); // a box while away
    rt_clock_advance(1'000'000);
    rt_modal_end();
    rt_modal_end(); // too many: ignored, still away
    EXPECT_TRUE(rt_modal_up());
    rt_clock_advance(1'000'000);
    rt_modal_begin(); // a box up when the frame comes back
    rt_modal_set_away(false);
    rt_clock_advance(1'000'000);
    EXPECT_FALSE(rt_modal_away());
    EXPECT_TRUE(rt_modal_up());
    rt_modal_end();
    rt_modal_set_away(false);
    rt_clock_advance(5'000'000);
    EXPECT_FALSE(rt_modal_up());
    EXPECT_EQ(rt_modal_microseconds() - before, 4'000'000);
    rt_use_real_clock();
}

} // namespace
