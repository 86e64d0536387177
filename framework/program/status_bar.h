// The status bar's message pane: the current message, the remembered one, and the window that
// waits for input. Texts are UTF-8. Thread-safe.
#pragma once

#include <cstdint>
#include <string>

// Sets the message. While a window waits for input the text only replaces the remembered
// message (shown when the wait ends); otherwise the current message is remembered first.
void gw_set_status_message(const char* text);
// Removes the message: while a window waits the remembered message is dropped; otherwise the
// remembered message, if any, returns.
void gw_clear_status_message();
// Shows a pending-input message and records the waiting window; gw_end_input_wait undoes both,
// so the message shown before the wait returns.
void gw_begin_input_wait(const char* text, int32_t window_number);
void gw_end_input_wait();

namespace framework {
// The current message, for tests.
std::string status_message();
} // namespace framework
