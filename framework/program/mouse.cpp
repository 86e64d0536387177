// Mouse callbacks, their dispatch, and the blocking wait for a mouse event.
#include "framework/program/mouse.h"

#include "framework/program/error_reports.h"
#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "framework/program/status_bar.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "platform/ui/child_view.h"
#include "platform/ui/gui_thread.h"
#include "runtime/clock.h"

#include <array>
#include <atomic>
#include <mutex>

namespace {

constexpr int32_t EVENT_KINDS = 7;

struct WindowMouse {
    std::array<std::atomic<gw_mouse_callback>, EVENT_KINDS> callbacks{};
    std::atomic<int32_t> unit{0};
    std::mutex input; // one waiting thread per window
};

std::array<WindowMouse, GW_WINDOW_SLOTS> g_windows;

// Awaited events (bits), the window waited in, and the last event's values.
std::atomic<int32_t> g_awaited{0};
std::atomic<int32_t> g_waiting_window{-1};
std::atomic<int32_t> g_last_key_state{0};
std::atomic<int32_t> g_last_x{0};
std::atomic<int32_t> g_last_y{0};

WindowMouse* mouse_of(int32_t window_number) {
    const std::optional<int32_t> slot = framework::window_slot(window_number);
    if (!slot)
        return nullptr;
    return &g_windows[*slot];
}

// The unit's window when it is an open child window.
WindowMouse* unit_mouse(int32_t unit) {
    const std::optional<int32_t> number = gw_open_window_of_unit(unit);
    return number ? mouse_of(*number) : nullptr;
}

int32_t event_code(const ui::MouseInput& input) {
    const bool left = input.button == ui::MouseButton::left;
    const bool right = input.button == ui::MouseButton::right;
    switch (input.action) {
    case ui::MouseAction::press:
        return left ? GW_MOUSE_LEFT_DOWN : right ? GW_MOUSE_RIGHT_DOWN : 0;
    case ui::MouseAction::release:
        return left ? GW_MOUSE_LEFT_UP : right ? GW_MOUSE_RIGHT_UP : 0;
    case ui::MouseAction::double_click:
        return left ? GW_MOUSE_LEFT_DOUBLE : right ? GW_MOUSE_RIGHT_DOUBLE : 0;
    case ui::MouseAction::move:
        return GW_MOUSE_MOVE;
    }
    return 0;
}

int32_t bit_index(int32_t event) {
    for (int32_t bit = 0; bit < EVENT_KINDS; ++bit)
        if (event == 1 << bit)
            return bit;
    return -1;
}

} // namespace

int32_t gw_register_mouse_callback(int32_t unit, int32_t mask, gw_mouse_callback callback) {
    if ((mask & GW_MOUSE_ALL_EVENTS) == 0)
        return -1;
    WindowMouse* mouse = unit_mouse(unit);
    if (!mouse)
        return -2;
    mouse->unit.store(unit);
    int32_t result = 0;
    for (int32_t bit = 0; bit < EVENT_KINDS; ++bit)
        if (mask & (1 << bit))
            if (mouse->callbacks[bit].exchange(callback) != nullptr)
                result = 1;
    return result;
}

int32_t gw_unregister_mouse_callback(int32_t unit, int32_t mask) {
    if ((mask & GW_MOUSE_ALL_EVENTS) == 0)
        return -1;
    WindowMouse* mouse = unit_mouse(unit);
    if (!mouse)
        return -2;
    for (int32_t bit = 0; bit < EVENT_KINDS; ++bit)
        if (mask & (1 << bit))
            mouse->callbacks[bit].store(nullptr);
    return 0;
}

int32_t gw_wait_mouse_event(int32_t mask, int32_t* key_state, int32_t* x, int32_t* y) {
    const int32_t requested = mask & GW_MOUSE_ALL_EVENTS;
    if (requested == 0)
        return -1;
    gw_child_window* window = gw_get_active_window();
    WindowMouse* mouse = window ? mouse_of(window->number) : nullptr;
    if (!mouse) {
        gw_report_error(GW_MESSAGE_INTERNAL_ERROR, __FILE__, __LINE__);
        return 0;
    }
    const bool gui_thread = ui::on_gui_thread();
    std::unique_lock<std::mutex> input_lock;
    if (!gui_thread)
        input_lock = std::unique_lock(mouse->input);
    g_awaited.fetch_or(requested);
    const std::string text =
        framework::framework_text(GW_TEXT_MOUSE_INPUT_PENDING) + gw_window_title(window->number);
    gw_begin_input_wait(text.c_str(), window->number);
    g_waiting_window.store(window->number);
    // The wait ends when the dispatch has cleared one of the requested flags.
    const auto done = [requested] { return (g_awaited.load() & requested) != requested; };
    if (gui_thread)
        ui::run_nested_loop_until(done);
    else
        while (!done())
            rt_wait();
    g_waiting_window.store(-1);
    gw_end_input_wait();
    const int32_t still_awaited = g_awaited.fetch_and(~requested) & requested;
    const int32_t ended = requested & ~still_awaited;
    if (ended == 0)
        return -1;
    const int32_t event = ended & -ended; // the lowest bit
    if (key_state)
        *key_state = g_last_key_state.load();
    if (x)
        *x = g_last_x.load();
    if (y)
        *y = g_last_y.load();
    return event;
}

int32_t gw_set_double_click_time(int32_t milliseconds) {
    const bool valid = milliseconds >= 1 && milliseconds <= 2000;
    const int32_t time = valid ? milliseconds : 500;
    framework::on_gui_and_wait([time] { ui::set_double_click_time(time); });
    return valid ? 0 : 4;
}

namespace framework {

int32_t dispatch_mouse_event(int32_t window_number, int32_t event, int32_t key_state, int32_t x,
                             int32_t y) {
    WindowMouse* mouse = mouse_of(window_number);
    const int32_t bit = bit_index(event);
    if (!mouse || bit < 0)
        return 0;
    g_last_key_state.store(key_state);
    g_last_x.store(x);
    g_last_y.store(y);
    int32_t result = 0;
    const bool paused = run_state() == GW_PAUSED;
    if (!paused) {
        if (gw_mouse_callback callback = mouse->callbacks[bit].load()) {
            result = 1;
            set_thread_active_window(window_number);
            callback(mouse->unit.load(), event, key_state, x, y);
        } else if ((event == GW_MOUSE_LEFT_DOWN || event == GW_MOUSE_LEFT_UP ||
                    event == GW_MOUSE_MOVE) &&
                   (mouse->callbacks[bit_index(GW_MOUSE_LEFT_DOWN)].load() ||
                    mouse->callbacks[bit_index(GW_MOUSE_LEFT_UP)].load())) {
            result = 1;
        }
    }
    if (!paused && g_waiting_window.load() == window_number)
        g_awaited.fetch_and(~event);
    // A sleeping wait sees the new state at once.
    rt_wake();
    return result;
}

void forget_mouse_callbacks(int32_t window_number) {
    if (WindowMouse* mouse = mouse_of(window_number)) {
        for (auto& callback : mouse->callbacks)
            callback.store(nullptr);
        mouse->unit.store(0);
    }
}

// Only the active child window takes mouse events (a click on another one activates it first).
void dispatch_mouse_input(const ui::MouseInput& input) {
    if (ui::active_view() != input.view_id)
        return;
    if (const int32_t event = event_code(input))
        dispatch_mouse_event(input.view_id, event, input.key_state, input.x, input.y);
}

} // namespace framework
