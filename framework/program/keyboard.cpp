// Keys in a child window: the scroll position each key reaches, or a beep.
#include "framework/program/keyboard.h"

#include "framework/program/menus.h"
#include "framework/program/pausing.h"
#include "framework/program/predefined_routines.h"
#include "platform/ui/child_view.h"
#include "runtime/trace.h"

#include <algorithm>
#include <cmath>

namespace {

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

namespace framework {

void dispatch_key_input(const ui::KeyInput& input) {
    if (input.key == ui::Key::none)
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

} // namespace framework
