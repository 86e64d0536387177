// Keys in a child window: the scroll position each key reaches, or a beep.
#include "framework/program/keyboard.h"

#include "framework/program/menus.h"
#include "framework/program/pausing.h"
#include "framework/program/predefined_routines.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "platform/ui/child_view.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

namespace {

struct WindowKeys {
    std::atomic<gw_key_callback> callback{nullptr};
    std::atomic<int32_t> unit{0};
};

std::array<WindowKeys, GW_WINDOW_SLOTS> g_windows;

WindowKeys* keys_of(int32_t window_number) {
    const std::optional<int32_t> slot = framework::window_slot(window_number);
    return slot ? &g_windows[static_cast<size_t>(*slot)] : nullptr;
}

// The unit's window when it is an open child window.
WindowKeys* unit_keys(int32_t unit) {
    const std::optional<int32_t> number = gw_open_window_of_unit(unit);
    return number ? keys_of(*number) : nullptr;
}

int32_t callback_key(const ui::KeyInput& input) {
    switch (input.key) {
    case ui::Key::character:
        return static_cast<int32_t>(input.character);
    case ui::Key::page_up:
        return GW_KEY_PAGE_UP;
    case ui::Key::page_down:
        return GW_KEY_PAGE_DOWN;
    case ui::Key::home:
        return GW_KEY_HOME;
    case ui::Key::end:
        return GW_KEY_END;
    case ui::Key::left:
        return GW_KEY_LEFT;
    case ui::Key::right:
        return GW_KEY_RIGHT;
    case ui::Key::up:
        return GW_KEY_UP;
    case ui::Key::down:
        return GW_KEY_DOWN;
    case ui::Key::insert:
        return GW_KEY_INSERT;
    case ui::Key::none:
        break;
    }
    return 0;
}

// True when the window's callback took the key.
bool taken_by_callback(const ui::KeyInput& input) {
    WindowKeys* keys = keys_of(input.view_id);
    const gw_key_callback callback = keys ? keys->callback.load() : nullptr;
    if (!callback || framework::pause_in_effect())
        return false;
    framework::set_thread_active_window(input.view_id);
    const int32_t state = (input.key_state & (ui::KEY_SHIFT | ui::KEY_CONTROL)) |
                          (input.release ? GW_KEY_RELEASE : 0) |
                          (input.auto_repeat ? GW_KEY_REPEAT : 0);
    const bool taken = callback(keys->unit.load(), callback_key(input), state) != 0;
    // A sleeping wait sees what the callback changed at once.
    rt_wake();
    return taken;
}

struct ScrollPosition {
    int32_t x = 0;
    int32_t y = 0;
};

int32_t device_pixels(int32_t logical, double ratio) {
    return std::max(1, static_cast<int32_t>(std::lround(logical * ratio)));
}

// The position a scrolling key reaches from the view's current one, before clamping to the
// surface: a page is the client area, a step one text cell.
ScrollPosition scrolled(ui::Key key, bool control, const ui::ViewState& view) {
    const int32_t page_width = device_pixels(view.client_width, view.device_pixel_ratio);
    const int32_t page_height = device_pixels(view.client_height, view.device_pixel_ratio);
    ScrollPosition to{view.scroll_x, view.scroll_y};
    switch (key) {
    case ui::Key::page_up:
        if (control)
            to.x -= page_width;
        else
            to.y -= page_height;
        break;
    case ui::Key::page_down:
        if (control)
            to.x += page_width;
        else
            to.y += page_height;
        break;
    case ui::Key::home:
        to.x = 0;
        if (control)
            to.y = 0;
        break;
    case ui::Key::end:
        to.x = view.scroll_max_x;
        if (control)
            to.y = view.scroll_max_y;
        break;
    case ui::Key::left:
        to.x -= view.cell_width;
        break;
    case ui::Key::right:
        to.x += view.cell_width;
        break;
    case ui::Key::up:
        to.y -= view.cell_height;
        break;
    case ui::Key::down:
        to.y += view.cell_height;
        break;
    default:
        break;
    }
    return {std::clamp(to.x, 0, view.scroll_max_x), std::clamp(to.y, 0, view.scroll_max_y)};
}

// Ctrl+C, Ctrl+S, Ctrl+Q, Ctrl+Insert and Shift+Insert are the shortcuts of the menu bar's copy,
// pause, resume and paste commands. Only pausing and resuming are built: Ctrl+S and Ctrl+Q act
// when the menu bar offers the pause command; every other shortcut does nothing.
bool is_menu_shortcut(const ui::KeyInput& input) {
    if (input.key == ui::Key::insert)
        return true;
    const bool control = (input.key_state & ui::KEY_CONTROL) != 0;
    return control &&
           (input.character == U'C' || input.character == U'S' || input.character == U'Q');
}

// Carries out a shortcut; false when the menu bar does not offer its command.
bool run_menu_shortcut(const ui::KeyInput& input) {
    if (input.key != ui::Key::character || !framework::command_present(framework::COMMAND_PAUSE))
        return false;
    if (input.character == U'S')
        framework::pause_program();
    else if (input.character == U'Q')
        framework::resume_program();
    else
        return false;
    return true;
}

void beep(const ui::KeyInput& input) {
    // The default sound, not rt_beep: a tone would hold the GUI thread for its length.
    rt_trace_event("beep", {{"window", input.view_id}});
    ui::play_default_sound();
}

} // namespace

int32_t gw_register_key_callback(int32_t unit, gw_key_callback callback) {
    WindowKeys* keys = unit_keys(unit);
    if (!keys)
        return -2;
    keys->unit.store(unit);
    return keys->callback.exchange(callback) != nullptr ? 1 : 0;
}

int32_t gw_unregister_key_callback(int32_t unit) {
    WindowKeys* keys = unit_keys(unit);
    if (!keys)
        return -2;
    keys->callback.store(nullptr);
    return 0;
}

namespace framework {

void dispatch_key_input(const ui::KeyInput& input) {
    if (input.key == ui::Key::none || taken_by_callback(input) || input.release)
        return;
    if (is_menu_shortcut(input)) {
        // A shortcut with no command is a character like any other while the program is paused.
        if (!run_menu_shortcut(input) && input.key == ui::Key::character && pause_in_effect())
            beep(input);
        return;
    }
    if (input.key == ui::Key::character) {
        if (input.character == U'\x1b')
            resume_program();
        beep(input);
        return;
    }
    const ui::ViewState view = ui::view_state(input.view_id);
    if (!view.exists)
        return;
    const ScrollPosition to = scrolled(input.key, (input.key_state & ui::KEY_CONTROL) != 0, view);
    ui::scroll_view_to(input.view_id, to.x, to.y);
    const ui::ViewState after = ui::view_state(input.view_id);
    rt_trace_event("scroll",
                   {{"window", input.view_id}, {"x", after.scroll_x}, {"y", after.scroll_y}});
}

void forget_key_callback(int32_t window_number) {
    if (WindowKeys* keys = keys_of(window_number)) {
        keys->callback.store(nullptr);
        keys->unit.store(0);
    }
}

} // namespace framework
