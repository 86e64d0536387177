// The shared interaction state and the mouse callback that writes it.
#include "app/interaction_state.h"

#include "app/drawing_window.h"
#include "framework/program/keyboard.h"
#include "framework/program/window_system_hooks.h"
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

std::atomic<int32_t> mouse_clicked{0};
std::atomic<int32_t> mouse_buttons{0};
std::atomic<int32_t> mouse_buttons_now{0};
std::atomic<int32_t> menu_request{0};
std::atomic<int32_t> click_input{APP_INPUT_MOUSE};

namespace {

// Whether Escape ends what runs: an activity does, until it waits for the click that ends its
// result screen; from then on until it has returned Escape is a click, so that it can never
// latch both buttons for the start screen, which would end the program. And the button a key
// holds down now (0: none). Written on the application thread / on the GUI thread.
std::atomic<int32_t> g_activities_running{0};
std::atomic<int32_t> g_click_awaited{0};
std::atomic<int32_t> g_key_button{0};

// The mouse handler's latch, for either kind of input.
void latch(int32_t event, int32_t key_state, int32_t input) {
    // The key state also carries Shift, Ctrl and the middle button. Latched as they come, such
    // bits would make every later value above 3: no click would be seen on the start screen and
    // every answer would be judged wrong. Only the two button bits are kept.
    const int32_t buttons = key_state & APP_BOTH_BUTTONS;
    // A button-up event carries the key state after the release, so a release only records the
    // buttons still down. Were it latched, letting go of both buttons one after the other
    // (after both ended an activity and a loop cleared the latch) would count as a click of the
    // button released last and start an activity of its own. Once both buttons were seen, 3
    // stays latched until a loop clears it.
    const bool press = event == APP_MOUSE_LEFT_PRESS || event == APP_MOUSE_RIGHT_PRESS ||
                       event == APP_MOUSE_LEFT_DOUBLE_CLICK ||
                       event == APP_MOUSE_RIGHT_DOUBLE_CLICK;
    // The buttons are latched before the click, and the click is stored with release ordering:
    // a loop that sees the click (app_get_click) judges it by these buttons and not by those of
    // the click before.
    if (press && buttons != 0) {
        if (app_get(mouse_buttons) < APP_BOTH_BUTTONS)
            app_put(mouse_buttons, buttons);
        app_put(click_input, input);
        mouse_clicked.store(1, std::memory_order_release);
    }
    app_put(mouse_buttons_now, buttons);
    // The main loop may be asleep in a wait: let it look at once.
    rt_wake();
}

// The button a key stands for, or 0.
int32_t button_of_key(int32_t key) {
    switch (key) {
    case GW_KEY_LEFT:
    case GW_KEY_PAGE_UP:
        return APP_LEFT_BUTTON;
    case GW_KEY_RIGHT:
    case GW_KEY_PAGE_DOWN:
        return APP_RIGHT_BUTTON;
    default:
        return 0;
    }
}

void press_key_button(int32_t button) {
    int32_t none = 0;
    if (!g_key_button.compare_exchange_strong(none, button))
        return; // the other key holds its button: never both from keys
    latch(button == APP_LEFT_BUTTON ? APP_MOUSE_LEFT_PRESS : APP_MOUSE_RIGHT_PRESS, button,
          APP_INPUT_KEY);
}

void release_key_button(int32_t button) {
    int32_t held = button;
    if (!g_key_button.compare_exchange_strong(held, 0))
        return;
    latch(button == APP_LEFT_BUTTON ? APP_MOUSE_LEFT_RELEASE : APP_MOUSE_RIGHT_RELEASE, 0,
          APP_INPUT_KEY);
}

// Both buttons, down and up again, inside an activity; a click of no button elsewhere.
void escape() {
    const bool ends_activity = app_get(g_activities_running) > 0 && app_get(g_click_awaited) == 0;
    if (ends_activity) {
        app_put(mouse_buttons, APP_BOTH_BUTTONS);
    } else if (app_get(mouse_buttons) < APP_BOTH_BUTTONS) {
        app_put(mouse_buttons, 0);
    }
    app_put(click_input, APP_INPUT_KEY);
    mouse_clicked.store(1, std::memory_order_release);
    rt_wake();
}

} // namespace

int32_t app_mouse_handler(int32_t /*unit*/, int32_t event, int32_t key_state, int32_t /*x*/,
                          int32_t /*y*/) {
    latch(event, key_state, APP_INPUT_MOUSE);
    return 0;
}

int32_t app_key_handler(int32_t /*unit*/, int32_t key, int32_t key_state) {
    if (key_state & GW_KEY_CONTROL)
        return 0;
    const bool release = (key_state & GW_KEY_RELEASE) != 0;
    const bool repeat = (key_state & GW_KEY_REPEAT) != 0;
    if (const int32_t button = button_of_key(key)) {
        if (!repeat) {
            if (release)
                release_key_button(button);
            else
                press_key_button(button);
        }
        return 1;
    }
    if (key == 0x1b) {
        if (!release && !repeat)
            escape();
        return 1;
    }
    return 0;
}

ActivityRunning::ActivityRunning() {
    app_put(g_click_awaited, 0);
    g_activities_running.fetch_add(1, std::memory_order_relaxed);
    rt_hold_tones(true);
    gw_focus_unit_window(APP_DRAWING_UNIT);
}

ActivityRunning::~ActivityRunning() {
    rt_hold_tones(false);
    g_activities_running.fetch_sub(1, std::memory_order_relaxed);
}

const char* app_click_input_name() {
    return app_get(click_input) == APP_INPUT_KEY ? "key" : "mouse";
}

bool app_clicked(int32_t button) {
    return app_get(mouse_buttons_now) == 0 && app_get(mouse_clicked) == 1 &&
           app_get(mouse_buttons) == button;
}

void app_wait_for_release() {
    while (app_get(mouse_buttons_now) != 0)
        rt_wait();
}

void app_wait_for_click() {
    rt_trace_event("wait-click");
    gw_focus_unit_window(APP_DRAWING_UNIT);
    app_put(g_click_awaited, 1);
    app_put(mouse_clicked, 0);
    while (app_get(mouse_clicked) == 0)
        rt_wait();
    app_put(mouse_clicked, 0);
}
