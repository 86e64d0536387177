// The parameter dialog: the viewing parameters written into the dialog, read back, checked, and
// the dialog shown again until they are usable or the user leaves.
#include "app/parameter_dialog.h"

#include "app/activities.h"
#include "app/card_check.h"
#include "app/drawing_window.h"
#include "app/geometry_status.h"
#include "app/remembered_parameters.h"
#include "app/screen_note.h"
#include "framework/program/error_reports.h"
#include "framework/program/program_state.h"
#include "framework/program/window_system_hooks.h"
#include "platform/language/catalogue.h"
#include "runtime/beep.h"
#include "runtime/cp1251.h"
#include "runtime/format.h"
#include "runtime/stop.h"
#include "runtime/trace.h"
#include "runtime/units.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

namespace {

// Set by the buttons' callback: which button ended the dialog.
int32_t button_pressed = PARAMETER_LEAVE_BUTTON;

constexpr size_t READ_BUFFER_LENGTH = 10;

// Where the dialog tells what to mend: the free band between the resolution rows and the
// training volume, across the dialog (dialog units).
constexpr DialogArea MESSAGE_AREA = {15, 104, 304, 20};

void set_text(DialogRecord& dialog, int32_t id, std::string_view utf8) {
    dialog_set_text(dialog, id, utf8_to_cp1251(utf8));
}

void set_value(DialogRecord& dialog, int32_t id, const char* format, RtValue value, size_t width) {
    dialog_set_text(dialog, id, rt_write_text(RtFormat(format), std::span(&value, 1), width));
}

std::string get_text(DialogRecord& dialog, int32_t id) {
    std::string buffer;
    dialog_get_text(dialog, id, buffer, READ_BUFFER_LENGTH);
    return buffer;
}

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// One field read with its descriptor: usable only as a number that `usable` accepts. An empty
// field reads as 0 and is refused like a zero. A Russian user writes a decimal comma ("17,3"): in
// a real it is the decimal point (the descriptor would take the comma for the end of the field).
template <typename T, typename Usable>
bool read_usable(std::string text, const char* format, T& value, Usable usable) {
    if constexpr (std::is_floating_point_v<T>)
        std::replace(text.begin(), text.end(), ',', '.');
    T read = 0;
    if (blank(text) || rt_read_text(text, RtFormat(format), {&read}) != RT_IOSTAT_OK)
        return false;
    if (!usable(read))
        return false;
    value = read;
    return true;
}

// The trace writes a real as its shortest exact text, always with a decimal point.
std::string real_text(float value) {
    std::array<char, 32> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    std::string text(digits.data(), result.ptr);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

void write_values(DialogRecord& dialog, const ViewingParameters& parameters) {
    set_value(dialog, PARAMETER_DISTANCE, "(F6.1)", parameters.distance_cm, 6);
    set_value(dialog, PARAMETER_DIAGONAL, "(F6.2)", parameters.diagonal_in, 6);
    set_value(dialog, PARAMETER_NY, "(I4)", parameters.screen_ny, 4);
    set_value(dialog, PARAMETER_NX, "(I4)", parameters.screen_nx, 4);
    set_value(dialog, PARAMETER_VOLUME, "(I4)", parameters.training_volume, 4);
}

ParameterTexts read_texts(DialogRecord& dialog) {
    return {get_text(dialog, PARAMETER_DISTANCE), get_text(dialog, PARAMETER_DIAGONAL),
            get_text(dialog, PARAMETER_NY), get_text(dialog, PARAMETER_NX),
            get_text(dialog, PARAMETER_VOLUME)};
}

} // namespace

ViewingParameters& app_viewing_parameters() {
    static ViewingParameters parameters;
    return parameters;
}

std::optional<ParameterRefusal> app_read_parameters(const ParameterTexts& texts,
                                                    ViewingParameters& parameters) {
    ViewingParameters read = parameters;
    if (!read_usable(texts.distance, "(F10.0)", read.distance_cm, app_distance_in_range))
        return ParameterRefusal{
            PARAMETER_DISTANCE,
            language::translate("parameter dialog",
                                "Дальность до дисплея: нужно число сантиметров от 10 до 1000.")};
    if (!read_usable(texts.diagonal, "(F10.0)", read.diagonal_in, app_diagonal_in_range))
        return ParameterRefusal{
            PARAMETER_DIAGONAL,
            language::translate("parameter dialog",
                                "Диагональ дисплея: нужно число дюймов от 5.0 до 99.9.")};
    if (!read_usable(texts.ny, "(I10)", read.screen_ny, app_resolution_in_range))
        return ParameterRefusal{
            PARAMETER_NY, language::translate("parameter dialog",
                                              "Ny: нужно целое число пикселов от 320 до 9999.")};
    if (!read_usable(texts.nx, "(I10)", read.screen_nx, app_resolution_in_range))
        return ParameterRefusal{
            PARAMETER_NX, language::translate("parameter dialog",
                                              "Nx: нужно целое число пикселов от 320 до 9999.")};
    if (!read_usable(texts.volume, "(I10)", read.training_volume,
                     [](int32_t images) { return images > 0; }))
        return ParameterRefusal{
            PARAMETER_VOLUME,
            language::translate("parameter dialog",
                                "Объем тренировки: нужно целое число изображений больше нуля.")};
    parameters = read;
    return std::nullopt;
}

void app_parameter_button(DialogRecord& dialog, int32_t control_id, int32_t /*callback_type*/) {
    button_pressed = control_id;
    dialog_exit(dialog);
}

// Values that are not numbers, or outside what a real setup has, would end the program with a
// format error, divide by zero or draw nonsense later; instead the dialog comes back with the
// values as typed, a line saying which field to mend and that field's text selected, until they
// are usable or the user leaves.
namespace {

// The first values: those accepted last time; on a first start the screen's resolution and the
// diagonal from its physical size (a user's run on a real display only); else the fixed ones.
// With them, what the dialog tells the user of them: remembered values it does not offer, and a
// diagonal that nothing measured.
struct FirstValues {
    ViewingParameters parameters;
    std::string note;
};

FirstValues first_values(const GwScreenFacts& screen) {
    const ScreenSize size{screen.width_px, screen.height_px, screen.width_mm, screen.height_mm};
    const ViewingParameters from_screen = app_parameters_from_screen({}, size);
    const std::optional<RememberedParameters> remembered =
        app_load_remembered_parameters(from_screen);
    FirstValues first{remembered ? remembered->parameters : from_screen, {}};
    if (remembered && !remembered->not_offered.empty()) {
        std::string named;
        for (const std::string& value : remembered->not_offered)
            named += (named.empty() ? "" : ", ") + value;
        first.note =
            language::fill_in(language::translate("parameter dialog",
                                                  "Запомненное вне пределов и не предложено: %1. "),
                              {named});
        rt_trace_event("parameters-not-offered", {{"values", named}});
    }
    // Without the screen's facts (a repeatable run) nothing is said of the screen.
    const bool diagonal_remembered = remembered && remembered->diagonal_taken;
    if (screen.width_px > 0 && !diagonal_remembered && !app_screen_size_reported(size)) {
        first.note +=
            language::translate("parameter dialog", "Диагональ — догадка: экран не сообщает своего "
                                                    "размера. Измерьте её или сверьте с картой.");
        rt_trace_event("diagonal-guessed", {});
    }
    return first;
}

// A resolution other than the screen's draws every ring at a wrong size: the user is asked
// whether to go back to the dialog. Going back is the default answer (Enter): a wrong
// resolution, once accepted, is used and remembered.
bool back_for_the_resolution(const ViewingParameters& parameters, const GwScreenFacts& screen) {
    if (screen.width_px <= 0 || screen.height_px <= 0 ||
        (screen.width_px == parameters.screen_nx && screen.height_px == parameters.screen_ny))
        return false;
    const std::string text = language::fill_in(
        language::translate(
            "parameter dialog",
            "Разрешение этого экрана — %1 × %2 пикселов, а введено %3 × %4.\nКольца будут "
            "нарисованы не в своём размере, и острота будет измерена неверно.\n\nВернуться к "
            "параметрам?"),
        {std::to_string(screen.width_px), std::to_string(screen.height_px),
         std::to_string(parameters.screen_nx), std::to_string(parameters.screen_ny)});
    return framework::ask_yes_no(framework::MessageIcon::warning, framework::program_title(), text,
                                 framework::MessageAnswer::yes) != framework::MessageAnswer::no;
}

} // namespace

void app_ask_parameters() {
    ViewingParameters& parameters = app_viewing_parameters();
    // Without the screen's facts (a repeatable scripted run) they are all 0: nothing is taken from
    // the screen and nothing compared with it.
    const GwScreenFacts screen = app_screen_values_wanted() ? gw_frame_screen() : GwScreenFacts{};
    const FirstValues first = first_values(screen);
    parameters = first.parameters;
    DialogRecord dialog;
    if (!dialog_init(PARAMETER_DIALOG_ID, dialog))
        rt_stop_with_text(language::translate("parameter dialog", "Диалог IDD_DIALOG1 не найден"));
    set_text(dialog, PARAMETER_LEAVE_BUTTON,
             language::translate("dialog IDD_DIALOG1", "Выйти из программы"));
    set_text(dialog, PARAMETER_START_BUTTON,
             language::translate("dialog IDD_DIALOG1", "Начать работу"));
    write_values(dialog, parameters);
    dialog_set_callback(dialog, PARAMETER_LEAVE_BUTTON, app_parameter_button);
    dialog_set_callback(dialog, PARAMETER_START_BUTTON, app_parameter_button);
    dialog_set_callback(dialog, PARAMETER_CARD_BUTTON, app_parameter_button);
    if (!first.note.empty())
        dialog_set_message(dialog, first.note, MESSAGE_AREA);
    for (;;) {
        // Closing the dialog by its caption's close button leaves as the leave button does.
        button_pressed = PARAMETER_LEAVE_BUTTON;
        dialog_run_modal(dialog);
        const ParameterTexts texts = read_texts(dialog);
        if (button_pressed != PARAMETER_START_BUTTON && button_pressed != PARAMETER_CARD_BUTTON) {
            rt_close(APP_DRAWING_UNIT, RtOnError::report);
            rt_beep(0, 0);
            rt_stop();
        }
        // What the dialog said was about the values it showed; the new ones speak for themselves.
        dialog_set_message(dialog, "", MESSAGE_AREA);
        const std::optional<ParameterRefusal> refusal = app_read_parameters(texts, parameters);
        if (refusal) {
            rt_trace_event("dialog-refused", {{"field", refusal->field}});
            dialog_set_message(dialog, refusal->message, MESSAGE_AREA);
            dialog_set_focus(dialog, refusal->field);
            continue;
        }
        if (button_pressed == PARAMETER_CARD_BUTTON) {
            // The check works on the values as they stand; the dialog comes back either way.
            if (const std::optional<int32_t> hundredths = app_run_card_check(parameters)) {
                parameters.diagonal_in = static_cast<float>(*hundredths) / 100.0f;
                set_value(dialog, PARAMETER_DIAGONAL, "(F6.2)", parameters.diagonal_in, 6);
            }
            continue;
        }
        if (!back_for_the_resolution(parameters, screen))
            break;
    }
    app_remember_parameters(parameters);
    app_watch_screen(parameters.screen_nx, parameters.screen_ny);
    rt_trace_event("parameters", {{"distance", real_text(parameters.distance_cm)},
                                  {"diagonal", real_text(parameters.diagonal_in)},
                                  {"nx", parameters.screen_nx},
                                  {"ny", parameters.screen_ny},
                                  {"volume", parameters.training_volume}});
    app_show_status(app_geometry_status_text(parameters.distance_cm, parameters.diagonal_in,
                                             APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT,
                                             parameters.screen_nx, parameters.screen_ny));
}
