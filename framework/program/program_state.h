// The program's identity: its title, run state, exit mode and the framework's texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Run states and the left status pane's texts.
constexpr int32_t GW_RUNNING = 0;
constexpr int32_t GW_PAUSED = 1;
constexpr int32_t GW_FINISHED = 2;

// Exit modes: ask (the default), close the frame without asking, keep everything open.
constexpr int32_t GW_EXIT_ASK = 1;
constexpr int32_t GW_EXIT_CLOSE = 2;
constexpr int32_t GW_EXIT_KEEP = 3;

// 0 Running, 1 Paused, 2 Finished; shows the state's text in the status bar. Another value
// gives a warning box and changes nothing. Thread-safe.
void gw_set_run_state(int32_t state);
// 1, 2 or 3 is stored and 0 returned; any other value returns -1. Thread-safe.
int32_t gw_set_exit_mode(int32_t mode);

// Replaces one of the framework's texts (UTF-8): 1 "Program Terminated with exit code ",
// 2 "\nExit Window?", 3 "Finished", 4 "Paused", 5 "Running", 6 and 7 the file filters,
// 8 "Input pending in ", 10 "Mouse input pending in ", 11..21 the selection, printing and help
// texts. The run-state pane shows a replaced text of its state at once. Other kinds change
// nothing. Thread-safe.
void gw_set_framework_text(const char* text, int32_t kind);

// Kinds of the framework's texts used here.
constexpr int32_t GW_TEXT_EXIT_CODE = 1;
constexpr int32_t GW_TEXT_EXIT_WINDOW = 2;
constexpr int32_t GW_TEXT_FINISHED = 3;
constexpr int32_t GW_TEXT_PAUSED = 4;
constexpr int32_t GW_TEXT_RUNNING = 5;
constexpr int32_t GW_TEXT_MOUSE_INPUT_PENDING = 10;
constexpr int32_t GW_TEXT_NO_MENU_HELP = 21;

namespace framework {

// The framework's text of a kind ("" for an unknown kind). Thread-safe.
std::string framework_text(int32_t kind);

// The program title: the executable's base name without directory and extension; "Easel" when
// the path is empty or has no name.
std::string title_from_executable(std::string_view path);
void set_program_title(std::string title); // at start-up, before other threads run
const std::string& program_title();

int32_t run_state();
std::string run_state_text(int32_t state);
int32_t exit_mode();

} // namespace framework
