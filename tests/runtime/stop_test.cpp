// STOP and the run-time's fatal error.
#include "runtime/stop.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(StopDeathTest, StopWithoutTextRunsStopActionsAndEndsWithCodeZero) {
    EXPECT_EXIT(
        {
            rt_at_stop([] { std::fputs("closed units\n", stderr); });
            rt_stop();
        },
        testing::ExitedWithCode(0), "closed units");
}

TEST(StopDeathTest, StopWithTextWritesTheText) {
    EXPECT_EXIT(rt_stop_with_text("Диалог IDD_DIALOG1 не найден"), testing::ExitedWithCode(0),
                "Диалог IDD_DIALOG1 не найден");
}

TEST(StopDeathTest, FatalErrorNamesTheReasonAndFails) {
    EXPECT_EXIT(rt_fatal_error("talvena.rtr: Permission denied"), testing::ExitedWithCode(2),
                "talvena.rtr: Permission denied");
}

TEST(StopDeathTest, HooksReplaceTheDefaults) {
    EXPECT_EXIT(
        {
            rt_set_stop_hooks({.on_stop_with_text = {},
                               .on_fatal_error =
                                   [](std::string_view message) {
                                       std::fprintf(stderr, "box: %.*s\n",
                                                    static_cast<int>(message.size()),
                                                    message.data());
                                       std::_Exit(255);
                                   },
                               .on_exit = {}});
            rt_fatal_error("disk full");
        },
        testing::ExitedWithCode(255), "box: disk full");
}

TEST(StopTest, StopActionsRunOnlyOnce) {
    int runs = 0;
    rt_at_stop([&runs] { ++runs; });
    rt_run_stop_actions();
    rt_run_stop_actions();
    EXPECT_EQ(runs, 1);
}

} // namespace
