// The chart of the results file: the vision tests above, the trainings below, over the days.
#include "app/activities.h"
#include "app/chart_layout.h"
#include "app/data_folder.h"
#include "app/drawing_window.h"
#include "app/failure_reasons.h"
#include "app/interaction_state.h"
#include "app/palette.h"
#include "app/plotting.h"
#include "app/results_file.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/status_bar.h"
#include "framework/text/gw_text.h"
#include "platform/language/catalogue.h"
#include "runtime/cp1251.h"
#include "runtime/format.h"
#include "runtime/trace.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int32_t WINDOW = APP_DRAWING_UNIT;
constexpr int32_t VISION_FRAME = 1;
constexpr int32_t TRAINING_FRAME = 2;

// Colour numbers of the working palette.
constexpr int32_t ROSE = 1;
constexpr int32_t AMBER = 2;
constexpr int32_t GREEN = 3;
constexpr int32_t BLUE = 4;
constexpr int32_t MAGENTA = 5;

constexpr float LABEL_SIZE = 8.0f;

constexpr int32_t PROMPT_RGB = 0xDDAA00;
constexpr std::string_view PROMPT_FONT = "t'Times New Roman Cyr'h28w9ib";

// A label of the chart: paper position of its top-left corner, colour number, text.
struct ChartLabel {
    float x;
    float y;
    int32_t color;
    std::string_view text;
};

// In the order they are drawn. Each reference label of the lower frame stands just above the
// height of its value: 100 images, 2 m, K = 6, 1 s, 5 push-ups.
constexpr std::array<ChartLabel, 17> LABELS{{
    {5, 114, BLUE, "0"},
    {2, 126, BLUE, "0.2"},
    {2, 138, BLUE, "0.4"},
    {2, 150, BLUE, "0.6"},
    {2, 162, BLUE, "0.8"},
    {5, 174, BLUE, "1"},
    {70, 178, BLUE, TRANSLATABLE("results chart", "Острота зрения")},
    {2, 58, GREEN, "100"},
    {20, 107, GREEN, TRANSLATABLE("results chart", "Объем(200)")},
    {2, 50, MAGENTA, TRANSLATABLE("results chart", "2м")},
    {60, 107, MAGENTA, TRANSLATABLE("results chart", "Дальность(5м)")},
    {3, 67, BLUE, "6"},
    {100, 107, BLUE, TRANSLATABLE("results chart", "Квадрат(10)")},
    {2, 32, AMBER, TRANSLATABLE("results chart", "1с")},
    {140, 107, AMBER, TRANSLATABLE("results chart", "Среднее_время(5с)")},
    {3, 22, ROSE, "5"},
    {190, 107, ROSE, TRANSLATABLE("results chart", "Число отжиманий(50)")},
}};

struct FirstPass {
    ResultsPass pass;
    ChartDates dates;
};

FirstPass read_dates(const std::filesystem::path& path) {
    FirstPass result;
    result.pass = app_read_results_dates(
        path, [&](const ResultsStamp& stamp) { app_chart_add_date(result.dates, stamp); });
    return result;
}

std::string interval_text(ChartGridInterval interval) {
    switch (interval) {
    case ChartGridInterval::week:
        return language::translate("results chart", "Линии сетки — по неделям");
    case ChartGridInterval::month:
        return language::translate("results chart", "Линии сетки — по месяцам");
    case ChartGridInterval::year:
        return language::translate("results chart", "Линии сетки — по годам");
    case ChartGridInterval::day:
        break;
    }
    return "";
}

// Both frames with their grid, laid out over the frames' width for the records' dates.
ChartLayout draw_frames_and_grid(const ChartDates& dates) {
    app_select_color(APP_COLOR_BLACK);
    app_plot_define_frame(WINDOW, VISION_FRAME, 10, 110, 220, 60);
    app_plot_define_frame(WINDOW, TRAINING_FRAME, 10, 10, 220, 90);
    const std::optional<PlotFrame> box = app_plot_frame(WINDOW, VISION_FRAME);
    // Without a frame's width, a line a day.
    const float frame_pixels = box ? box->width : std::numeric_limits<float>::infinity();
    ChartLayout layout = app_chart_layout(dates, frame_pixels, app_results_stamp_now());
    const float day_step = layout.interval == ChartGridInterval::day
                               ? static_cast<float>(CHART_SECONDS_PER_DAY)
                               : 0.0f;
    for (const int32_t frame : {VISION_FRAME, TRAINING_FRAME}) {
        app_plot_set_world(WINDOW, frame, 0.0f, layout.span(), 0.0f, 1.0f);
        app_plot_draw_grid(WINDOW, frame, 0.0f, day_step, 0, 0.0f, 0.2f, 0);
        app_plot_set_line_style(PLOT_LINE_DOTTED);
        for (const float x : layout.boundaries) {
            app_plot_pen(WINDOW, frame, x, 0.0f, 0);
            app_plot_pen(WINDOW, frame, x, 1.0f, 1);
        }
        app_plot_set_line_style(PLOT_LINE_SOLID);
    }
    return layout;
}

void draw_labels() {
    for (const ChartLabel& label : LABELS) {
        app_select_color(label.color);
        app_plot_text(WINDOW, label.x, label.y, LABEL_SIZE, 0.0f,
                      utf8_to_cp1251(language::translate("results chart", label.text)));
    }
}

// "Начало  DD.MM.YYYYг,  HHчас MMмин" at the top left and "Конец  ..." at the top right, in the
// font of the last label.
void draw_span_texts(const ChartLayout& layout) {
    // The formats are translated whole: a translation keeps their five values in this order.
    static const RtFormat start(language::translate(
        "results chart", "('Начало  ',I2.2,'.',I2.2,'.',I4,'г,',I3,'час',I3,'мин')"));
    static const RtFormat end(language::translate(
        "results chart", "('Конец  ',I2.2,'.',I2.2,'.',I4,'г,',I3,'час',I3,'мин')"));
    // The Russian texts are drawn at their fixed lengths; a translation at the length it writes.
    const auto draw = [](int32_t x, const RtFormat& format, const ResultsStamp& at,
                         int32_t length) {
        const bool russian = language::current_language() == language::Language::russian;
        const std::string text =
            rt_write_text(format, {at.day, at.month, at.year, at.hour, at.minute},
                          russian ? static_cast<size_t>(length) : 80);
        if (!russian)
            length = static_cast<int32_t>(text.find_last_not_of(' ') + 1);
        gw_move_to(x, 620, nullptr);
        gw_draw_text(text.data(), length);
    };
    app_select_color(APP_COLOR_BLACK);
    draw(10, start, layout.earliest, 32);
    draw(748, end, layout.latest, 31);
}

struct SeriesCounts {
    int32_t vision = 0;
    int32_t training = 0;
};

// The previous point of a series; the first record of each kind starts from itself.
struct TrainingPoint {
    float x = 0;
    float distance = 0;
    float cell_size = 0;
    float mean_time = 0;
    float pushups = 0;
};

ResultsPass draw_series(const std::filesystem::path& path, const ChartLayout& layout,
                        SeriesCounts& counts) {
    std::optional<std::pair<float, float>> previous_vision;
    std::optional<TrainingPoint> previous_training;
    const auto segment = [](int32_t color, float x, float y, float to_x, float to_y) {
        app_select_color(color);
        app_plot_pen(WINDOW, TRAINING_FRAME, x, y, 0);
        app_plot_pen(WINDOW, TRAINING_FRAME, to_x, to_y, 1);
    };
    return app_read_results_values(path, [&](const ResultsEntry& entry) {
        const auto x = static_cast<float>(app_chart_x(layout, entry.stamp));
        if (entry.kind == ResultsEntry::Kind::vision) {
            ++counts.vision;
            const std::pair<float, float> point{x, entry.acuity};
            const auto [to_x, to_y] = previous_vision.value_or(point);
            app_select_color(BLUE);
            app_plot_pen(WINDOW, VISION_FRAME, x, 0.0f, 0);
            app_plot_pen(WINDOW, VISION_FRAME, x, entry.acuity, 1);
            app_plot_pen(WINDOW, VISION_FRAME, to_x, to_y, 1);
            previous_vision = point;
        } else if (entry.kind == ResultsEntry::Kind::training) {
            ++counts.training;
            const TrainingPoint point{x, entry.distance_cm, static_cast<float>(entry.cell_size),
                                      entry.mean_time, static_cast<float>(entry.pushups)};
            const TrainingPoint from = previous_training.value_or(point);
            segment(GREEN, x, 0.0f, x, static_cast<float>(entry.images) / 200.0f);
            segment(MAGENTA, x, point.distance / 500.0f, from.x, from.distance / 500.0f);
            segment(BLUE, x, point.cell_size / 10.0f, from.x, from.cell_size / 10.0f);
            segment(AMBER, x, point.mean_time / 5.0f, from.x, from.mean_time / 5.0f);
            segment(ROSE, x, point.pushups / 50.0f, from.x, from.pushups / 50.0f);
            previous_training = point;
        }
    });
}

void draw_prompt() {
    static const std::string prompt = utf8_to_cp1251(
        language::translate("result screens", "Для продолжения нажмите любую кнопку мыши"));
    gw_select_font(PROMPT_FONT.data(), static_cast<int32_t>(PROMPT_FONT.size()));
    gw_set_color_rgb(PROMPT_RGB);
    gw_move_to(265, 621, nullptr);
    gw_draw_text(prompt.data(), static_cast<int32_t>(prompt.size()));
}

// The first line where a pass stopped, 0 when both read to the end.
int32_t first_stop(const ResultsPass& a, const ResultsPass& b) {
    if (a.stopped_line == 0 || b.stopped_line == 0)
        return std::max(a.stopped_line, b.stopped_line);
    return std::min(a.stopped_line, b.stopped_line);
}

bool unreadable(const ResultsPass& pass) {
    return !pass.opened && pass.open_error != ENOENT;
}

const char* file_state(const ResultsPass& pass) {
    if (pass.opened)
        return "read";
    return unreadable(pass) ? "unreadable" : "missing";
}

// What the status bar says while the chart is shown: that the file exists but cannot be read
// (so the user does not take an empty chart for years of results lost), or the line at which
// reading stopped; nothing when the whole file was read or there is none.
std::optional<std::string> trouble_text(const ResultsPass& pass, int32_t stopped) {
    if (unreadable(pass)) {
        const std::string reason = pass.open_error == EINVAL
                                       ? language::translate("file errors", "это не обычный файл")
                                       : app_error_text(pass.open_error);
        return language::fill_in(language::translate("results chart", "Файл %1 не читается: %2"),
                                 {RESULTS_FILE_NAME, reason});
    }
    if (stopped != 0)
        return language::fill_in(
            language::translate("results chart",
                                "Итоги неполны: строка %1 файла %2 не читается, дальше файл не "
                                "прочитан"),
            {std::to_string(stopped), RESULTS_FILE_NAME});
    return std::nullopt;
}

} // namespace

void app_draw_results_chart() {
    const std::filesystem::path path = app_data_folder() / RESULTS_FILE_NAME;
    app_plot_select_window(WINDOW, 0);
    gw_clear_screen(GW_CLEAR_WINDOW);

    const FirstPass dates_pass = read_dates(path);
    ResultsPass values_pass;
    SeriesCounts counts;
    ChartGridInterval interval = ChartGridInterval::day;
    if (dates_pass.pass.opened) {
        const ChartLayout layout = draw_frames_and_grid(dates_pass.dates);
        interval = layout.interval;
        draw_labels();
        if (layout.has_records)
            draw_span_texts(layout);
        values_pass = draw_series(path, layout, counts);
    }
    draw_prompt();

    const int32_t stopped = first_stop(dates_pass.pass, values_pass);
    // The status bar while the chart is shown: trouble with the file, the grid's interval, and
    // which file the history is (or will be) kept in.
    std::string status = trouble_text(dates_pass.pass, stopped).value_or("");
    if (interval != ChartGridInterval::day)
        status += (status.empty() ? "" : "; ") + interval_text(interval);
    status += language::fill_in(status.empty()
                                    ? language::translate("results chart", "Файл итогов: %1")
                                    : language::translate("results chart", "; файл итогов: %1"),
                                {app_results_file_shown().string()});
    if (!dates_pass.pass.opened && !unreadable(dates_pass.pass))
        status += language::translate("results chart", " (пока не создан)");
    gw_set_status_message(status.c_str());
    rt_trace_event("chart", {{"records", values_pass.records},
                             {"vision", counts.vision},
                             {"training", counts.training},
                             {"stopped", stopped},
                             {"file", file_state(dates_pass.pass)}});
    app_wait_for_click();
    gw_clear_status_message();
    app_plot_select_window(WINDOW, WINDOW);
}
