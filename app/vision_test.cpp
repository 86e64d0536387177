// The vision test: Landolt rings level by level, the bisection over the acuity table, the
// result and its record.
#include "app/vision_test.h"

#include "app/activities.h"
#include "app/acuity_course.h"
#include "app/acuity_estimate.h"
#include "app/acuity_levels.h"
#include "app/answer_clock.h"
#include "app/csv_file.h"
#include "app/estimate_text.h"
#include "app/geometry_status.h"
#include "app/interaction_state.h"
#include "app/landolt_ring.h"
#include "app/presence.h"
#include "app/results_file.h"
#include "app/rgb_colors.h"
#include "app/screen_note.h"
#include "app/screen_text.h"
#include "app/showable_levels.h"
#include "app/side_drawn.h"
#include "app/tests_file.h"
#include "app/trials_file.h"
#include "app/viewing_parameters.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/error_reports.h"
#include "framework/program/program_state.h"
#include "framework/program/status_bar.h"
#include "framework/program/window_system_hooks.h"
#include "platform/language/catalogue.h"
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/format.h"
#include "runtime/trace.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int64_t ANSWER_WINDOW_US = 2'000'000; // the beep's 50 ms included
constexpr int64_t PAUSE_US = 1'000'000;

// The estimate's lines on the result screen: smaller type of the result's family, between the
// result and the prompt.
constexpr std::string_view ESTIMATE_FONT = "t'Times New Roman Cyr'h28w12ib";
constexpr int32_t ESTIMATE_X = 60;
constexpr int32_t ESTIMATE_ACUITY_Y = 360;
constexpr int32_t ESTIMATE_LOGMAR_Y = 420;

// The bisection over the table's indices, program-wide: put back before and after every test
// that is not aborted.
AcuityBisection bisection;

// The rings of the test under way, for the trials file.
TrialLog* trial_log = nullptr;

bool both_buttons() {
    return app_get(mouse_buttons) == APP_BOTH_BUTTONS;
}

enum class WaitEnd { due, answered, aborted };
// Whether a click ends a wait: it does while an answer is awaited, not in the pause.
enum class Clicks { answer, wait_on };

// Polls, asleep between polls, until `span_us` of the clock's time has passed (a modal box up
// over the program stops it); both buttons end the wait at once, and so does a click that
// answers. `elapsed_us` receives the time waited.
WaitEnd wait_polling(const AnswerClock& clock, int64_t span_us, Clicks clicks,
                     int64_t& elapsed_us) {
    for (;;) {
        elapsed_us = clock.elapsed_us();
        if (both_buttons())
            return WaitEnd::aborted;
        if (clicks == Clicks::answer && app_get_click() == 1)
            return WaitEnd::answered;
        if (elapsed_us >= span_us)
            return WaitEnd::due;
        clock.wait_for(span_us);
    }
}

void log_ring(float v, const LandoltRingDrawn& ring, double gap, std::string_view verdict,
              std::optional<double> answer_s) {
    if (!trial_log)
        return;
    Trial trial;
    trial.number = static_cast<int32_t>(trial_log->trials.size()) + 1;
    trial.level = v;
    trial.side = ring.side;
    trial.tilt = ring.tilt;
    trial.gap_px = gap;
    trial.gap_drawn_px = ring.gap_drawn_px;
    trial.verdict = verdict;
    trial.answer_s = answer_s;
    trial_log->trials.push_back(std::move(trial));
}

void trace_ring(float v, const LandoltRingDrawn& ring) {
    rt_trace_event("ring", {{"V", app_acuity_text(v)},
                            {"side", ring.side},
                            {"tilt", ring.tilt},
                            {"x1", ring.x1},
                            {"y1", ring.y1},
                            {"x2", ring.x2},
                            {"y2", ring.y2},
                            {"gap", rt_trace_seconds(ring.gap_drawn_px)}});
}

// An answered ring says where the answer came from: the mouse or a key.
void trace_answer(std::string_view verdict, int64_t elapsed_us, bool answered = false) {
    const std::string dt = rt_trace_seconds(static_cast<double>(elapsed_us) / 1e6);
    if (answered)
        rt_trace_event("ring-answer",
                       {{"verdict", verdict}, {"dt", dt}, {"input", app_click_input_name()}});
    else
        rt_trace_event("ring-answer", {{"verdict", verdict}, {"dt", dt}});
}

// The result in large blue type over whatever the last ring left on the screen. A result that
// is the highest level the screen can show from this distance is a limit, not a measure: a line
// of its own under the caption says the acuity is at least that.
void show_result(float acuity, bool limit) {
    static constexpr const char* RUSSIAN = TRANSLATABLE("vision test", "Острота зрения");
    static const std::string shown = language::translate("vision test", RUSSIAN);
    static const RtFormat caption(app_quoted_text("vision test", RUSSIAN));
    static const RtFormat value("(F4.1)");
    // Translated whole, as a format that keeps its value.
    static constexpr const char* AT_LEAST = TRANSLATABLE("vision test", "('не менее ',F4.2)");
    static const std::string at_least_shown = language::translate("vision test", AT_LEAST);
    static const RtFormat at_least(at_least_shown);
    gw_set_color_rgb(RGB_BLUE);
    app_select_font(APP_TEXT_FONT);
    app_draw_text(200, 250, caption, {}, app_shown_length(RUSSIAN, shown, 14));
    app_select_font(APP_NUMBER_FONT);
    app_draw_text(500, 185, value, {acuity}, 4);
    if (limit) {
        app_select_font(APP_TEXT_FONT);
        app_draw_text(200, 300, at_least, {acuity}, app_shown_length(AT_LEAST, at_least_shown, 13));
    }
    app_draw_click_prompt();
    rt_trace_event("vision-result", {{"V", app_acuity_text(acuity)}, {"limit", limit ? 1 : 0}});
}

// Not even 0.1 can be shown from here: the box says so and names the distance from which it can.
void report_nothing_showable(float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    const float first = app_acuity_level(ACUITY_FIRST_TRIED_INDEX);
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.0f", static_cast<double>(distance_cm));
    framework::show_message(
        framework::MessageIcon::warning, framework::program_title(),
        language::fill_in(
            language::translate("vision test",
                                "Проверка зрения не начата: с %1 см разрыв кольца даже при "
                                "остроте %2 меньше половины пикселя этого экрана.\nКольца можно "
                                "показать с %3 см."),
            {distance, app_acuity_text(first),
             std::to_string(app_showable_from_cm(first, diagonal_in, nx, ny))}));
}

// The answers judged correct or wrong, for the estimate: unanswered and uncounted rings say
// nothing of what the user saw.
std::vector<AcuityAnswer> counted_answers(const TrialLog& log) {
    std::vector<AcuityAnswer> answers;
    for (const Trial& trial : log.trials)
        if (trial.level && (trial.verdict == "correct" || trial.verdict == "wrong"))
            answers.push_back({*trial.level, trial.verdict == "correct"});
    return answers;
}

// The estimate under the result, and in the trace.
void show_estimate(const AcuityEstimate& estimate, bool limit) {
    app_select_font(ESTIMATE_FONT);
    gw_set_color_rgb(RGB_BLUE);
    app_draw_utf8_text(ESTIMATE_X, ESTIMATE_ACUITY_Y, app_estimate_acuity_line(estimate));
    app_draw_utf8_text(ESTIMATE_X, ESTIMATE_LOGMAR_Y, app_estimate_logmar_line(estimate));
    rt_trace_event("vision-estimate", {{"acuity", app_csv_fixed(estimate.acuity(), 2)},
                                       {"logmar", app_csv_fixed(estimate.logmar, 3)},
                                       {"low", app_csv_fixed(estimate.acuity_low(), 2)},
                                       {"high", app_csv_fixed(estimate.acuity_high(), 2)},
                                       {"limit", limit ? 1 : 0}});
}

// Both buttons: the test leaves no trace but its trials, and the mouse state starts afresh once
// both buttons are up, so that the start screen goes on only after the user has let go.
void abort_test() {
    rt_trace_event("aborted", {{"what", "vision-test"}});
    app_wait_for_release();
    app_put(mouse_buttons, 0);
    app_put(mouse_clicked, 0);
    app_put(mouse_buttons_now, 0);
}

} // namespace

// One ring after another: drawn, answered within two seconds (or not), judged, decided, and
// followed by a second of white. At the very first level the test waits, ring after ring, for
// the user's first answer: such rings are not counted and make no sound.
LevelOutcome app_test_acuity_level(float v, float distance_cm, float diagonal_in, int16_t width,
                                   int16_t height, int32_t nx, int32_t ny, int32_t& passed) {
    const double gap = app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny);
    rt_trace_event("level", {{"V", app_acuity_text(v)}, {"gap", rt_trace_seconds(gap)}});
    app_show_status(app_level_status_text(
        v, app_ring_gap_drawn_pixels(v, distance_cm, diagonal_in, width, height, nx, ny)));
    AcuityLevelCount count(v == app_acuity_level(ACUITY_FIRST_TRIED_INDEX));
    for (;;) {
        app_wait_while_away();
        LandoltRingDrawn ring;
        app_draw_landolt_ring(v, distance_cm, diagonal_in, width, height, nx, ny, &ring);
        app_tell_side_drawn(ring.side);
        // The answer clock starts when the ring is on the screen, not when it is in the surface.
        gw_show_now();
        trace_ring(v, ring);
        const AnswerClock clock; // t0
        if (both_buttons())
            return LevelOutcome::aborted;
        app_put(mouse_clicked, 0);
        rt_beep(1000, 50);

        int64_t elapsed = 0;
        const WaitEnd end = wait_polling(clock, ANSWER_WINDOW_US, Clicks::answer, elapsed);
        if (end == WaitEnd::aborted)
            return LevelOutcome::aborted;
        const double answer_s = static_cast<double>(elapsed) / 1e6;
        if (end == WaitEnd::answered) {
            const int32_t buttons = app_get(mouse_buttons);
            const bool correct = (ring.side == RING_GAP_LEFT && buttons == APP_LEFT_BUTTON) ||
                                 (ring.side == RING_GAP_RIGHT && buttons == APP_RIGHT_BUTTON);
            const char* verdict = app_ring_verdict_name(
                count.tell(correct ? RingAnswer::correct : RingAnswer::wrong));
            trace_answer(verdict, elapsed, true);
            log_ring(v, ring, gap, verdict, answer_s);
            if (both_buttons())
                return LevelOutcome::aborted;
            if (correct)
                rt_beep(800, 200);
            else
                rt_beep(200, 300);
        } else {
            const RingVerdict verdict = count.tell(RingAnswer::none);
            trace_answer(app_ring_verdict_name(verdict), elapsed);
            log_ring(v, ring, gap, app_ring_verdict_name(verdict), std::nullopt);
            if (verdict == RingVerdict::none) {
                if (both_buttons())
                    return LevelOutcome::aborted;
                rt_beep(400, 50);
            }
        }

        if (const LevelState state = count.state(); state != LevelState::going_on) {
            passed = state == LevelState::passed ? 1 : 0;
            rt_trace_event("level-end", {{"V", app_acuity_text(v)}, {"passed", passed}});
            return passed == 1 ? LevelOutcome::passed : LevelOutcome::failed;
        }

        gw_set_color_rgb(RGB_WHITE);
        gw_rectangle(GW_FILLED, 0, 0, nx - 1, ny - 1);
        if (both_buttons())
            return LevelOutcome::aborted;
        if (wait_polling(AnswerClock(), PAUSE_US, Clicks::wait_on, elapsed) == WaitEnd::aborted)
            return LevelOutcome::aborted;
    }
}

// The bisection: a passed level raises the lower bound, a failed one lowers the upper bound,
// until the two are neighbours; the result is the best level passed (0.0 when none was).
void app_run_vision_test(int16_t width, int16_t height) {
    const ViewingParameters& viewing = app_viewing_parameters();
    // The upper bound starts at the lowest level the screen cannot show, so that no such ring is
    // ever drawn; passing the level below it reaches the screen's limit.
    const int32_t first_unshowable = app_first_unshowable_index(
        viewing.distance_cm, viewing.diagonal_in, viewing.screen_nx, viewing.screen_ny);
    if (first_unshowable <= ACUITY_FIRST_TRIED_INDEX) {
        report_nothing_showable(viewing.distance_cm, viewing.diagonal_in, viewing.screen_nx,
                                viewing.screen_ny);
        return;
    }
    TrialLog log{app_results_stamp_now(), "vision", {}};
    trial_log = &log;
    bisection = AcuityBisection(first_unshowable);
    const double started_s = rt_clock_seconds();
    while (!bisection.result()) {
        int32_t passed = 0;
        const LevelOutcome outcome =
            app_test_acuity_level(bisection.level(), viewing.distance_cm, viewing.diagonal_in,
                                  width, height, viewing.screen_nx, viewing.screen_ny, passed);
        if (outcome == LevelOutcome::aborted || both_buttons())
            break;
        bisection.tell(passed == 1);
    }
    const std::optional<float> result = bisection.result();
    const bool limit = bisection.result_at_limit();
    trial_log = nullptr;
    app_tell_side_drawn(0);
    std::string status = app_geometry_status_text(viewing.distance_cm, viewing.diagonal_in, width,
                                                  height, viewing.screen_nx, viewing.screen_ny);
    std::string limit_text;
    if (limit) {
        const std::string why =
            first_unshowable == ACUITY_HIGHEST_INDEX
                ? language::translate("status bar", ": это высший уровень проверки. ")
                : language::translate("status bar",
                                      ": выше этот экран с такого расстояния не показывает. ");
        limit_text = language::fill_in(language::translate("status bar", "Острота не менее %1"),
                                       {app_acuity_text(*result)}) +
                     why;
        status = limit_text + status;
    }
    app_show_status(status);
    if (!result) {
        abort_test();
        app_save_trials(log, false);
        return;
    }
    bisection = AcuityBisection();
    const AppendOutcome record =
        app_append_vision_record({app_results_stamp_now(), viewing.distance_cm, viewing.diagonal_in,
                                  viewing.screen_ny, viewing.screen_nx, *result});
    app_save_trials(log, true);
    const AcuityEstimate estimate = app_estimate_acuity(counted_answers(log));
    app_save_finished_test({log.started, *result, limit, estimate, rt_clock_seconds() - started_s,
                            viewing.distance_cm, viewing.diagonal_in, viewing.screen_nx,
                            viewing.screen_ny});
    show_result(*result, limit);
    show_estimate(estimate, limit);
    app_show_status(limit_text + app_estimate_status_text(estimate));
    app_report_record_failure(record);
    app_wait_for_click();
    app_show_status(status);
}
