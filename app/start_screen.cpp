// The start screen's main loop.
#include "app/start_screen.h"

#include "app/activities.h"
#include "app/drawing_window.h"
#include "app/geometry_status.h"
#include "app/interaction_state.h"
#include "app/screen_note.h"
#include "app/training_image.h"
#include "app/viewing_parameters.h"
#include "framework/program/window_system_hooks.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <utility>

namespace {

// Takes a pending request of that kind, leaving any other one (a chart asked for while the
// vision test is being taken stays pending).
bool take_request(int32_t request) {
    int32_t expected = request;
    if (!menu_request.compare_exchange_strong(expected, APP_REQUEST_NONE,
                                              std::memory_order_relaxed))
        return false;
    rt_trace_event("request", {{"value", request}});
    return true;
}

} // namespace

void app_turn_sweep(Sweep& sweep) {
    if (sweep.step > 0) {
        sweep.last = SWEEP_SMALLEST_CELL;
        sweep.first = SWEEP_LARGEST_CELL - 1;
    } else {
        sweep.first = SWEEP_SMALLEST_CELL + 1;
        sweep.last = SWEEP_LARGEST_CELL;
    }
    sweep.step = -sweep.step;
}

StartScreenActivities app_start_screen_activities(const FigurePointTable& figures, int16_t width,
                                                  int16_t height) {
    return {
        .run_training =
            [&figures, width, height](int32_t k) {
                const ActivityRunning running;
                app_run_training(k, figures, width, height);
            },
        .run_vision_test =
            [width, height] {
                const ActivityRunning running;
                app_run_vision_test(width, height);
            },
        .show_results_chart = [] { app_draw_results_chart(); },
        .at_sync_point = [] { rt_sync_point(); },
    };
}

StartScreen::StartScreen(const FigurePointTable& figures, int16_t width, int16_t height,
                         StartScreenActivities activities)
    : m_figures(figures), m_width(width), m_height(height), m_activities(std::move(activities)) {}

// A restart goes back to the requests and then shows the current sweep from its first size;
// a sweep shown to its end turns. Both buttons end the loop once they are up again.
void StartScreen::run() {
    for (;;) {
        tell_controls();
        serve_requests();
        switch (show_sweep()) {
        case Next::go_on:
            app_turn_sweep(m_sweep);
            break;
        case Next::restart:
            break;
        case Next::exit:
            app_wait_for_release();
            return;
        }
    }
}

// What the buttons and keys do, in the status bar; the keys reach the drawing window.
void StartScreen::tell_controls() {
    const ViewingParameters& viewing = app_viewing_parameters();
    app_show_start_screen_status(app_geometry_status_text(viewing.distance_cm, viewing.diagonal_in,
                                                          m_width, m_height, viewing.screen_nx,
                                                          viewing.screen_ny));
    gw_focus_unit_window(APP_DRAWING_UNIT);
}

// The vision test first; a chart asked for meanwhile is shown as soon as it returns.
void StartScreen::serve_requests() {
    if (take_request(APP_REQUEST_VISION_TEST)) {
        m_activities.run_vision_test();
        app_wait_for_release();
        app_put(mouse_clicked, 0);
    }
    if (take_request(APP_REQUEST_RESULTS_CHART)) {
        m_activities.show_results_chart();
        app_put(mouse_clicked, 0);
    }
}

StartScreen::Next StartScreen::show_sweep() {
    const int32_t sizes = m_sweep.size_count();
    int32_t k = m_sweep.first;
    for (int32_t shown = 0; shown < sizes; ++shown, k += m_sweep.step) {
        const Next next = show_size(k);
        if (next != Next::go_on)
            return next;
    }
    return Next::go_on;
}

StartScreen::Next StartScreen::show_size(int32_t k) {
    if (const Next next = draw_grating(k); next != Next::go_on)
        return next;
    if (const Next next = draw_figure(k); next != Next::go_on)
        return next;
    return pause(k);
}

StartScreen::Next StartScreen::draw_grating(int32_t k) {
    Next next = Next::go_on;
    app_draw_grating(k, m_width, m_height, 0, [&] {
        next = check_after_row();
        return next != Next::go_on;
    });
    return next;
}

// A left click while the figure is drawn is left for the pause that follows.
StartScreen::Next StartScreen::draw_figure(int32_t k) {
    m_current_cell_size = k;
    Next next = Next::go_on;
    const int32_t side = app_draw_hidden_figure(k, m_figures, m_width, m_height, [&] {
        next = check_after_tile();
        return next != Next::go_on;
    });
    if (next == Next::go_on)
        rt_trace_event("figure", {{"K", k}, {"side", side}});
    return next;
}

// The pause sleeps until it is over or the input changes; the time is read before the checks,
// so a click that comes with the end of the pause is still taken.
StartScreen::Next StartScreen::pause(int32_t k) {
    rt_trace_event("pause", {{"K", k}});
    const int64_t end_us =
        rt_clock_microseconds() + static_cast<int64_t>(START_SCREEN_PAUSE_SECONDS * 1e6);
    for (;;) {
        const bool over = rt_clock_microseconds() >= end_us;
        const Next next = check_in_pause();
        if (next != Next::go_on)
            return next;
        if (over)
            return Next::go_on;
        rt_wait_until(end_us);
    }
}

// A right click asks the main loop for a vision test.
bool StartScreen::vision_test_clicked() {
    if (!app_clicked(APP_RIGHT_BUTTON))
        return false;
    app_put(menu_request, APP_REQUEST_VISION_TEST);
    return true;
}

// The three checks look at the same state in different orders, and the orders matter when a menu
// request and both buttons are pending together. After a row and in the pause the request wins:
// the sweep restarts and the request is served before anything else. After a tile both buttons
// win and end the loop at once; a request still pending is not served. A left click is not taken
// during the figure at all: it waits for the pause, so that the size trained is the size of the
// figure just completed.
StartScreen::Next StartScreen::check_after_row() {
    sync_point();
    if (app_get(menu_request) != APP_REQUEST_NONE)
        return Next::restart;
    if (app_get(mouse_buttons) == APP_BOTH_BUTTONS)
        return Next::exit;
    if (vision_test_clicked())
        return Next::restart;
    if (app_clicked(APP_LEFT_BUTTON)) {
        train_then_wait_for_release();
        return Next::restart;
    }
    return Next::go_on;
}

StartScreen::Next StartScreen::check_after_tile() {
    sync_point();
    if (app_get(mouse_buttons) == APP_BOTH_BUTTONS)
        return Next::exit;
    if (app_get(menu_request) != APP_REQUEST_NONE)
        return Next::restart;
    if (vision_test_clicked())
        return Next::restart;
    return Next::go_on;
}

StartScreen::Next StartScreen::check_in_pause() {
    if (app_get(menu_request) != APP_REQUEST_NONE)
        return Next::restart;
    if (app_get(mouse_buttons) == APP_BOTH_BUTTONS)
        return Next::exit;
    if (vision_test_clicked())
        return Next::restart;
    if (app_clicked(APP_LEFT_BUTTON)) {
        train_after_pause_click();
        return Next::restart;
    }
    return Next::go_on;
}

// After a click during a grating the release is awaited before the latch is cleared; after one
// in a pause the latch is cleared first.
void StartScreen::train_then_wait_for_release() {
    m_activities.run_training(m_current_cell_size);
    app_wait_for_release();
    app_put(mouse_buttons, 0);
}

void StartScreen::train_after_pause_click() {
    m_activities.run_training(m_current_cell_size);
    app_put(mouse_buttons, 0);
    app_wait_for_release();
}

// The one place the loop meets the scripted user between its waits: after every grating row
// and every tile, where the loop looks at the shared input state.
void StartScreen::sync_point() {
    if (m_activities.at_sync_point)
        m_activities.at_sync_point();
}
