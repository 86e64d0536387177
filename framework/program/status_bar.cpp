// The status bar's message pane.
#include "framework/program/status_bar.h"

#include "framework/program/process.h"
#include "platform/ui/frame_window.h"
#include "runtime/trace.h"

#include <mutex>
#include <optional>

namespace {

struct MessageState {
    std::mutex mutex;
    std::optional<std::string> current;
    std::optional<std::string> remembered;
    int32_t waiting_window = -1;
};

MessageState& message_state() {
    static MessageState state;
    return state;
}

// Called with the lock held: posting keeps the order of the changes, and so does the trace's
// `status` event, whose listeners only take note.
void show_current(const MessageState& state) {
    const std::string text = state.current.value_or(std::string());
    framework::on_gui_later([text] { ui::set_status_message(text); });
    rt_trace_event("status", {{"text", text}});
}

void set_locked(MessageState& state, std::string text) {
    if (state.current && state.waiting_window >= 0) {
        state.remembered = std::move(text);
        return;
    }
    if (state.current)
        state.remembered = state.current;
    state.current = std::move(text);
    show_current(state);
}

void clear_locked(MessageState& state) {
    if (state.waiting_window >= 0) {
        state.remembered.reset();
        return;
    }
    state.current = state.remembered;
    state.remembered.reset();
    show_current(state);
}

} // namespace

void gw_set_status_message(const char* text) {
    MessageState& state = message_state();
    std::lock_guard lock(state.mutex);
    set_locked(state, text ? text : "");
}

void gw_clear_status_message() {
    MessageState& state = message_state();
    std::lock_guard lock(state.mutex);
    clear_locked(state);
}

void gw_begin_input_wait(const char* text, int32_t window_number) {
    MessageState& state = message_state();
    std::lock_guard lock(state.mutex);
    set_locked(state, text ? text : "");
    state.waiting_window = window_number;
}

void gw_end_input_wait() {
    MessageState& state = message_state();
    std::lock_guard lock(state.mutex);
    state.waiting_window = -1;
    clear_locked(state);
}

namespace framework {

std::string status_message() {
    MessageState& state = message_state();
    std::lock_guard lock(state.mutex);
    return state.current.value_or(std::string());
}

} // namespace framework
