// The training: images of the grating with the hidden figure, each answered with a mouse button
// within 5 seconds, then the summary with the push-ups owed, its record and a click to go on.
#include "app/activities.h"
#include "app/answer_clock.h"
#include "app/interaction_state.h"
#include "app/presence.h"
#include "app/results_file.h"
#include "app/rgb_colors.h"
#include "app/screen_text.h"
#include "app/side_drawn.h"
#include "app/training_image.h"
#include "app/training_score.h"
#include "app/trials_file.h"
#include "app/viewing_parameters.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/window_system_hooks.h"
#include "platform/language/catalogue.h"
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/format.h"
#include "runtime/trace.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int32_t DARK_GREEN = 0x007700;
constexpr int32_t GREEN = 0x00FF00;
constexpr int32_t CYAN = 0xFFFF00;
constexpr int32_t OLIVE = 0x009999;
constexpr int32_t TEXT_GREEN = 0x00AA00;

// The two bars above the image: the progress bar in rows 0..9, the status bar in rows 10..19,
// green while an answer is awaited and red otherwise.
constexpr int32_t PROGRESS_BAR_TOP = 0;
constexpr int32_t PROGRESS_BAR_BOTTOM = 9;
constexpr int32_t STATUS_BAR_TOP = 10;
constexpr int32_t STATUS_BAR_BOTTOM = 19;
constexpr int32_t IMAGE_FIRST_ROW = 20;

constexpr float ANSWER_SECONDS = 5.0f;

struct Tone {
    int32_t hz;
    int32_t ms;
};
constexpr Tone IMAGE_SHOWN_TONE{1000, 200};

constexpr std::string_view ADVICE_FONT = "t'Times New Roman Cyr'h68w20ib";

enum class Verdict { correct, wrong, none };

// Each verdict's name in the trace and the trials file, and the tone that tells the user.
struct VerdictSign {
    const char* name;
    Tone tone;
};
constexpr VerdictSign VERDICT_SIGNS[] = {
    {"correct", {800, 200}},
    {"wrong", {200, 300}},
    {"none", {400, 300}},
};

const VerdictSign& sign_of(Verdict verdict) {
    return VERDICT_SIGNS[static_cast<size_t>(verdict)];
}

// How one image was answered; buttons and seconds are 0 and the full wait when it was not.
struct Answer {
    Verdict verdict = Verdict::none;
    int32_t buttons = 0;
    float seconds = 0.0f;
};

void fill(int32_t color, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    gw_set_color_rgb(color);
    gw_rectangle(GW_FILLED, x1, y1, x2, y2);
}

void beep(Tone tone) {
    rt_beep(tone.hz, tone.ms);
}

// Every text is written with its format into an 80-character buffer, and exactly its first
// `length` characters are drawn, the top left of the first at (x, y).
void draw_formatted(int32_t x, int32_t y, const std::string& format,
                    std::initializer_list<RtValue> values, int32_t length) {
    app_draw_text(x, y, RtFormat(format), values, length);
}

// A caption of the summary in the run's language; `length` is what the Russian text takes.
void draw_caption(int32_t x, int32_t y, const char* russian, int32_t length) {
    const std::string shown = language::translate("training", russian);
    draw_formatted(x, y, app_quoted_text("training", russian), {},
                   app_shown_length(russian, shown, length));
}

// A count in four characters followed by its word, in the run's language.
void draw_count(int32_t x, int32_t y, int32_t count, const char* word, int32_t length) {
    const std::string shown = language::translate("training", word);
    std::string format = app_quoted_text("training", word);
    format.insert(1, "I4,");
    draw_formatted(x, y, format, {count}, app_shown_length(word, shown, length));
}

// The mean as the summary shows it, with two decimals; the trace takes it without the blanks.
std::string mean_text(float mean_time) {
    const std::string text = rt_write_text(RtFormat("(F7.2)"), {mean_time}, 7);
    return text.substr(text.find_first_not_of(' '));
}

// Both buttons break the training off; the check is a sync point, so that a scripted press can
// land in the middle of a drawing as a real one would.
bool both_buttons_pressed() {
    rt_sync_point();
    return app_get(mouse_buttons) == APP_BOTH_BUTTONS;
}

class Training {
public:
    Training(int32_t k, const FigurePointTable& figures, int16_t width, int16_t height)
        : m_k(k), m_figures(figures), m_width(width), m_height(height),
          m_images(app_viewing_parameters().training_volume) {}

    void run();

private:
    void prepare_screen();
    bool show_images();
    bool show_image(int32_t i);
    std::optional<int32_t> draw_image();
    void draw_progress_bar(int32_t i);
    std::optional<Answer> await_answer(const AnswerClock& clock, int32_t side);
    void count(int32_t i, int32_t side, const Answer& answer);
    void show_results(const TrainingScore& score);
    AppendOutcome append_record(const TrainingScore& score);

    int32_t m_k;
    const FigurePointTable& m_figures;
    int32_t m_width;
    int32_t m_height;
    int32_t m_images;
    TrainingTally m_tally;
    TrialLog m_log;
};

// An abort (both buttons, or a menu command while an answer is awaited) ends the training at
// once: no summary and no record; the images shown so far are kept as an unfinished log.
void Training::run() {
    rt_trace_event("training-start", {{"K", m_k}, {"N", m_images}});
    m_log = {.started = app_results_stamp_now(), .activity = "training", .trials = {}};
    prepare_screen();
    const bool finished = show_images();
    app_tell_side_drawn(0);
    if (!finished) {
        rt_trace_event("aborted", {{"what", "training"}});
        app_save_trials(m_log, false);
        return;
    }
    const TrainingScore score = app_score_training(m_tally);
    show_results(score);
    const AppendOutcome outcome = append_record(score);
    app_save_trials(m_log, true);
    app_draw_click_prompt();
    app_report_record_failure(outcome);
    app_wait_for_click();
}

void Training::prepare_screen() {
    fill(DARK_GREEN, 0, 0, m_width - 1, m_height - 1);
    fill(RGB_BLUE, 0, PROGRESS_BAR_TOP, m_width - 1, PROGRESS_BAR_BOTTOM);
    fill(RGB_RED, 0, STATUS_BAR_TOP, m_width - 1, STATUS_BAR_BOTTOM);
}

// False when the user broke the training off.
bool Training::show_images() {
    for (int32_t i = 1; i <= m_images; ++i)
        if (!show_image(i))
            return false;
    return true;
}

// The answer time runs from the finished figure, so it includes the bars and the tone.
bool Training::show_image(int32_t i) {
    app_wait_while_away();
    const std::optional<int32_t> side = draw_image();
    if (!side)
        return false;
    // The answer clock starts when the image is on the screen, not when it is in the surface.
    gw_show_now();
    const AnswerClock clock; // t0
    app_put(mouse_clicked, 0);
    rt_trace_event("image", {{"i", i}, {"side", *side}});
    fill(GREEN, 0, STATUS_BAR_TOP, m_width - 1, STATUS_BAR_BOTTOM);
    draw_progress_bar(i);
    beep(IMAGE_SHOWN_TONE);
    const std::optional<Answer> answer = await_answer(clock, *side);
    if (!answer)
        return false;
    count(i, *side, *answer);
    fill(RGB_RED, 0, STATUS_BAR_TOP, m_width - 1, STATUS_BAR_BOTTOM);
    return true;
}

// The next grating goes straight over the last image. Returns the figure's side, or nothing
// when both buttons stopped the drawing.
std::optional<int32_t> Training::draw_image() {
    if (!app_draw_grating(m_k, m_width, m_height, IMAGE_FIRST_ROW, both_buttons_pressed))
        return std::nullopt;
    bool stopped = false;
    const int32_t side = app_draw_hidden_figure(m_k, m_figures, m_width, m_height, [&] {
        stopped = both_buttons_pressed();
        return stopped;
    });
    if (stopped)
        return std::nullopt;
    app_tell_side_drawn(side);
    return side;
}

// After image i of N the bar is cyan from 0 to x = (W - 1)·i div N and blue from x on.
void Training::draw_progress_bar(int32_t i) {
    const int32_t x = static_cast<int32_t>(int64_t{m_width - 1} * i / m_images);
    fill(RGB_BLUE, x, PROGRESS_BAR_TOP, m_width - 1, PROGRESS_BAR_BOTTOM);
    fill(CYAN, 0, PROGRESS_BAR_TOP, x, PROGRESS_BAR_BOTTOM);
}

// Polls, asleep between polls, until a button goes down or the 5 seconds are over, on the
// answer window's clock (which stands still under a modal box). A menu command or both buttons
// give nothing: the training ends.
std::optional<Answer> Training::await_answer(const AnswerClock& clock, int32_t side) {
    constexpr int64_t ANSWER_US = static_cast<int64_t>(ANSWER_SECONDS) * 1'000'000;
    for (;;) {
        const int64_t elapsed_us = clock.elapsed_us();
        const auto seconds = static_cast<float>(static_cast<double>(elapsed_us) / 1e6);
        if (app_get(menu_request) != APP_REQUEST_NONE)
            return std::nullopt;
        // The click before the buttons: a press landing between the two reads is then judged
        // at the next look, by its own buttons.
        const bool clicked = app_get_click() == 1;
        const int32_t buttons = app_get(mouse_buttons);
        if (buttons == APP_BOTH_BUTTONS)
            return std::nullopt;
        if (clicked) {
            const bool named_side = (side == FIGURE_LEFT && buttons == APP_LEFT_BUTTON) ||
                                    (side == FIGURE_RIGHT && buttons == APP_RIGHT_BUTTON);
            return Answer{named_side ? Verdict::correct : Verdict::wrong, buttons, seconds};
        }
        if (elapsed_us >= ANSWER_US)
            return Answer{Verdict::none, 0, seconds};
        clock.wait_for(ANSWER_US);
    }
}

// Unanswered images add nothing to the total time.
void Training::count(int32_t i, int32_t side, const Answer& answer) {
    const VerdictSign& sign = sign_of(answer.verdict);
    if (answer.verdict == Verdict::none)
        rt_trace_event("answer", {{"i", i},
                                  {"buttons", answer.buttons},
                                  {"verdict", sign.name},
                                  {"dt", rt_trace_seconds(answer.seconds)}});
    else
        rt_trace_event("answer", {{"i", i},
                                  {"buttons", answer.buttons},
                                  {"verdict", sign.name},
                                  {"dt", rt_trace_seconds(answer.seconds)},
                                  {"input", app_click_input_name()}});
    Trial trial;
    trial.number = i;
    trial.cell_size = m_k;
    trial.side = side;
    trial.verdict = sign.name;
    switch (answer.verdict) {
    case Verdict::correct:
        ++m_tally.correct;
        break;
    case Verdict::wrong:
        ++m_tally.wrong;
        break;
    case Verdict::none:
        ++m_tally.unanswered;
        break;
    }
    if (answer.verdict != Verdict::none) {
        m_tally.total_time += answer.seconds;
        trial.answer_s = answer.seconds;
    }
    m_log.trials.push_back(std::move(trial));
    beep(sign.tone);
}

// The counts across the top, the mean answer time, and the push-ups owed or the praise.
void Training::show_results(const TrainingScore& score) {
    fill(RGB_WHITE, 0, 0, m_width - 1, m_height - 1);
    app_select_font(APP_TEXT_FONT);
    gw_set_color_rgb(OLIVE);
    draw_count(30, 0, m_images, app_attempts_word(m_images), 12);
    draw_count(250, 0, m_tally.wrong, app_errors_word(m_tally.wrong), 11);
    draw_count(500, 0, m_tally.unanswered, app_unanswered_words(m_tally.unanswered), 20);
    gw_set_color_rgb(TEXT_GREEN);
    draw_caption(50, 120, TRANSLATABLE("training", "Среднее время ответа"), 20);
    draw_caption(655, 120, TRANSLATABLE("training", "сек."), 4);
    app_select_font(APP_NUMBER_FONT);
    draw_formatted(400, 55, "(F7.2)", {score.mean_time}, 7);
    app_select_font(ADVICE_FONT);
    if (score.pushups != 0) {
        gw_set_color_rgb(RGB_RED);
        draw_caption(30, 280, TRANSLATABLE("training", "Сделайте"), 8);
        app_select_font(APP_NUMBER_FONT);
        draw_formatted(200, 235, "(I4)", {score.pushups}, 4);
        app_select_font(ADVICE_FONT);
        draw_caption(370, 280, app_pushups_words(score.pushups), 22);
    } else {
        draw_caption(55, 280, TRANSLATABLE("training", "Ошибок нет, отжиматься не надо!"), 31);
    }
    rt_trace_event("summary", {{"N", m_images},
                               {"correct", m_tally.correct},
                               {"wrong", m_tally.wrong},
                               {"unanswered", m_tally.unanswered},
                               {"mean", mean_text(score.mean_time)},
                               {"pushups", score.pushups}});
}

AppendOutcome Training::append_record(const TrainingScore& score) {
    const TrainingRecord record{
        .stamp = app_results_stamp_now(),
        .distance_cm = app_viewing_parameters().distance_cm,
        .cell_size = m_k,
        .images = m_images,
        .correct = m_tally.correct,
        .wrong = m_tally.wrong,
        .unanswered = m_tally.unanswered,
        .mean_time = score.mean_time,
        .pushups = score.pushups,
    };
    return app_append_training_record(record);
}

} // namespace

void app_run_training(int32_t k, const FigurePointTable& figures, int16_t width, int16_t height) {
    Training(k, figures, width, height).run();
}
