// The shared interaction state: what the mouse and menu callbacks tell the main loop.
#pragma once

#include <atomic>
#include <cstdint>

// Written by the callbacks on the user-interface thread, polled and cleared by the main loop and
// the activities on the application thread. Each value is written whole (atomics): the loops
// tolerate seeing a change one check late. One ordering matters: a press latches the buttons
// before it sets the click flag (a release store), and a loop that judges an answer reads the
// flag first (an acquire load, app_get_click) and the buttons after it, so it judges a click by
// the buttons of that click and never by those of the click before.
extern std::atomic<int32_t> mouse_clicked;     // 1 once an event came with some button down
extern std::atomic<int32_t> mouse_buttons;     // latched: 1 left, 2 right, 3 both (stays 3)
extern std::atomic<int32_t> mouse_buttons_now; // key state of the latest event; 0: all up
extern std::atomic<int32_t> menu_request;      // 0 none, 1 vision test, 3 results chart

inline constexpr int32_t APP_LEFT_BUTTON = 1;
inline constexpr int32_t APP_RIGHT_BUTTON = 2;
inline constexpr int32_t APP_BOTH_BUTTONS = 3;
// How the latched click came: from the mouse, or from a key that stands for a button. Stored
// with the buttons, before the click flag.
extern std::atomic<int32_t> click_input;
inline constexpr int32_t APP_INPUT_MOUSE = 0;
inline constexpr int32_t APP_INPUT_KEY = 1;

inline constexpr int32_t APP_REQUEST_NONE = 0;
inline constexpr int32_t APP_REQUEST_VISION_TEST = 1;
inline constexpr int32_t APP_REQUEST_RESULTS_CHART = 3;

// The events app_mouse_handler is registered for: left down and up, right down and up, and the
// double clicks. A quick second press of a button comes from the window system as a double
// click instead of a press; it is the user's press all the same (two answers in a row in a
// training or a vision test), so it is taken as one.
inline constexpr int32_t APP_MOUSE_LEFT_PRESS = 1;
inline constexpr int32_t APP_MOUSE_LEFT_RELEASE = 2;
inline constexpr int32_t APP_MOUSE_LEFT_DOUBLE_CLICK = 4;
inline constexpr int32_t APP_MOUSE_RIGHT_PRESS = 8;
inline constexpr int32_t APP_MOUSE_RIGHT_RELEASE = 16;
inline constexpr int32_t APP_MOUSE_RIGHT_DOUBLE_CLICK = 32;
inline constexpr int32_t APP_MOUSE_EVENT_MASK =
    APP_MOUSE_LEFT_PRESS + APP_MOUSE_LEFT_RELEASE + APP_MOUSE_LEFT_DOUBLE_CLICK +
    APP_MOUSE_RIGHT_PRESS + APP_MOUSE_RIGHT_RELEASE + APP_MOUSE_RIGHT_DOUBLE_CLICK;

// The mouse callback of the drawing window. A press (or a double click, which is a press)
// latches a click and the buttons down with it; every event records the buttons down now. Only the
// left and right button bits count: a click made with Shift, Ctrl or the middle button held is the
// same click. Never clears anything. Returns 0.
int32_t app_mouse_handler(int32_t unit, int32_t event, int32_t key_state, int32_t x, int32_t y);

// The key callback of the drawing window, for a presenter or a keyboard at a distance. Left and
// Page Up are the left button, Right and Page Down the right one: their press and release are
// the button's, through app_mouse_handler's latch (the click then comes from a key); their
// auto-repeat is ignored, and while one such key is down the other does nothing, so keys never
// make both buttons. Escape ends a running activity as both buttons do (pressed and let go at
// once); anywhere else, and on an activity's result screen, it is a click of no button, which
// ends a wait for any button and starts nothing on the start screen. With Ctrl the keys, and
// every other key, are left to the window (scrolling, a beep). Returns 1 for a key it took.
int32_t app_key_handler(int32_t unit, int32_t key, int32_t key_state);

// An activity (a training, a vision test) runs from here until the guard is destroyed: Escape
// ends it, the drawing window has the keyboard, and the tone stream is held open (rt_hold_tones)
// so that the first tone is heard whole. Application thread.
class ActivityRunning {
public:
    ActivityRunning();
    ~ActivityRunning();
    ActivityRunning(const ActivityRunning&) = delete;
    ActivityRunning& operator=(const ActivityRunning&) = delete;
};

// "mouse" or "key": how the latched click came, for the trace.
const char* app_click_input_name();

// A click has happened once the button is up again; `button` tells which one was latched.
bool app_clicked(int32_t button);

// Waits, asleep between looks, until no button is down.
void app_wait_for_release();

// The end of a result screen: says `wait-click` in the trace, gives the drawing window the
// keyboard, clears mouse_clicked, waits, asleep between looks, until some button goes down (or
// a key that stands for one, Escape included), and clears it again.
void app_wait_for_click();

// The click flag as a loop that judges an answer reads it: before the buttons, and with acquire
// ordering, so that the buttons read after it are those latched with the click.
inline int32_t app_get_click() {
    return mouse_clicked.load(std::memory_order_acquire);
}

// Loads and stores of the shared state, relaxed: shorthand for the loops.
inline int32_t app_get(const std::atomic<int32_t>& value) {
    return value.load(std::memory_order_relaxed);
}
inline void app_put(std::atomic<int32_t>& value, int32_t number) {
    value.store(number, std::memory_order_relaxed);
}
