// Where printed messages go: unit 6 in a window while the window system shows it there, and
// standard error when no window system runs.
#include "calendar/day_number.h"
#include "calendar/error_stack.h"
#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A month of 13 prints a terminal error; the stop is recorded instead of ending the test.
void print_a_terminal_error() {
    err_set_stop_mode(ErrStopMode::keep_running);
    cal_day_number(1, 13, 2020);
    err_set_stop_mode(ErrStopMode::stop_program);
}

TEST(MessageOutput, MessagesGoToTheStandardWindowWhenThereIsOne) {
    std::vector<std::pair<int32_t, std::string>> written;
    RtWindowUnitHooks hooks;
    hooks.on_write_record = [&](int32_t window, std::string_view record) {
        written.emplace_back(window, record);
    };
    hooks.standard_window = [] { return 1024; };
    rt_set_window_unit_hooks(std::move(hooks));
    testing::internal::CaptureStderr();
    print_a_terminal_error();
    const std::string on_stderr = testing::internal::GetCapturedStderr();
    rt_set_window_unit_hooks({});
    EXPECT_EQ(on_stderr, "");
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], (std::pair<int32_t, std::string>{1024, ""}));
    EXPECT_EQ(written[1].second.rfind(" *** TERMINAL ERROR", 0), 0u) << written[1].second;
}

TEST(MessageOutput, WithoutAWindowSystemMessagesGoToStandardError) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    print_a_terminal_error();
    const std::string on_stderr = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(on_stderr.find(" *** TERMINAL ERROR"), std::string::npos) << on_stderr;
    EXPECT_NE(on_stderr.find("MONTH = 13"), std::string::npos) << on_stderr;
}

} // namespace
