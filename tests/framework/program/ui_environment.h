// The window system for the Qt-level tests: an offscreen frame built as start-up builds it,
// with helpers to run the event loop and to answer message boxes.
#pragma once

#include "platform/ui/message_box.h"

#include <QMainWindow>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace ui_test {

// The frame's initial settings in these tests: state 4 at (50, 50), 650 wide, 400 high, and
// three top-level items with the callbacks below.
constexpr int32_t FRAME_X = 50;
constexpr int32_t FRAME_Y = 50;
constexpr int32_t FRAME_WIDTH = 650;
constexpr int32_t FRAME_HEIGHT = 400;

// Calls of the first two menu items' callbacks, with their argument.
struct MenuCalls {
    int32_t first = 0;
    int32_t second = 0;
    int32_t last_checked = -1;
};
MenuCalls& menu_calls();
// What gw_set_window_state returned for the frame inside the initial settings.
int32_t initial_frame_state_result();
// Appends the three items of the initial settings to an empty menu bar.
void install_initial_menus();

// Runs the event loop for `time`, or until `done` returns true (checked every few ms).
void pump(std::chrono::milliseconds time);
bool pump_until(const std::function<bool()>& done,
                std::chrono::milliseconds longest = std::chrono::milliseconds(5000));

// Every message box is answered with `next_answer` and recorded instead of shown.
struct MessageLog {
    std::vector<ui::MessageBoxSpec> boxes;
    ui::MessageButton next_answer = ui::MessageButton::ok;
};
MessageLog& message_log();

QMainWindow* main_window();

// Trace events written since the last clear, as "event key=value ...".
std::vector<std::string> trace_events();
void clear_trace_events();

} // namespace ui_test
