// The shared interaction state and the mouse callback that writes it.
#include "app/interaction_state.h"

#include "runtime/clock.h"
#include "runtime/trace.h"

std::atomic<int32_t> mouse_clicked{0};
std::atomic<int32_t> mouse_buttons{0};
std::atomic<int32_t> mouse_buttons_now{0};
std::atomic<int32_t> menu_request{0};

int32_t app_mouse_handler(int32_t /*unit*/, int32_t event, int32_t key_state, int32_t /*x*/,
                          int32_t /*y*/) {
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
        mouse_clicked.store(1, std::memory_order_release);
    }
    app_put(mouse_buttons_now, buttons);
    // The main loop may be asleep in a wait: let it look at once.
    rt_wake();
    return 0;
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
    app_put(mouse_clicked, 0);
    while (app_get(mouse_clicked) == 0)
        rt_wait();
    app_put(mouse_clicked, 0);
}
