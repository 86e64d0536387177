// Captures what the error stack posts and prints, with serious errors not stopping the test.
#pragma once

#include "calendar/error_stack.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace calendar_test {

struct PostedError {
    std::string routine;
    int32_t type = 0;
    int32_t code = 0;
    std::string text;
};

// While a test of this fixture runs, errors that stop are recorded instead; posts and printed
// lines are collected.
class ErrorCaptureTest : public testing::Test {
protected:
    void SetUp() override {
        err_set_stop_mode(ErrStopMode::keep_running);
        err_set_hooks(
            {.on_post =
                 [this](const ErrPosted& posted) {
                     m_posts.push_back({std::string(posted.routine), posted.type, posted.code,
                                        std::string(posted.text)});
                 },
             .on_write_line = [this](int32_t /*unit*/,
                                     std::string_view line) { m_printed.emplace_back(line); }});
    }

    void TearDown() override {
        err_set_hooks({});
        err_set_stop_mode(ErrStopMode::stop_program);
    }

    void clear() {
        m_posts.clear();
        m_printed.clear();
    }

    std::vector<PostedError> m_posts;
    std::vector<std::string> m_printed;
};

} // namespace calendar_test
