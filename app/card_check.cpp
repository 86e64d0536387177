// The size check: the card's outline, the keys that change it, and its texts.
#include "app/card_check.h"

#include "app/drawing_window.h"
#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/keyboard.h"
#include "framework/program/window_system_hooks.h"
#include "framework/text/gw_text.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/language/catalogue.h"
#include "runtime/clock.h"
#include "runtime/cp1251.h"
#include "runtime/trace.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr double MM_PER_INCH = 25.4;
constexpr int32_t SMALLEST_WIDTH = 20;
constexpr auto SMALLEST_HUNDREDTHS = static_cast<int32_t>(APP_DIAGONAL_MIN_IN * 100.0f + 0.5f);
constexpr auto LARGEST_HUNDREDTHS = static_cast<int32_t>(APP_DIAGONAL_MAX_IN * 100.0f + 0.5f);

// Where the outline stands: its top left corner, under the texts.
constexpr int32_t CARD_X = 40;
constexpr int32_t CARD_Y = 150;
constexpr int32_t MARGIN = 10;

constexpr std::string_view TEXT_FONT = "t'Arial Cyr'h22w9";
constexpr int32_t TEXT_X = 40;
constexpr int32_t LINE_HEIGHT = 28;
constexpr int32_t CARD_FILL = 0xF0E8E0; // a pale blue, so that the card's edge shows on it

// What the keys told the application thread: steps not yet taken (+1 larger, -1 smaller) and the
// end (1 Enter, 2 Escape). Written by the key callback on the GUI thread.
std::atomic<int32_t> g_steps{0};
std::atomic<int32_t> g_end{0};
constexpr int32_t END_ACCEPTED = 1;
constexpr int32_t END_LEFT = 2;

int32_t card_key(int32_t /*unit*/, int32_t key, int32_t key_state) {
    if (key_state & GW_KEY_RELEASE)
        return 1;
    switch (key) {
    case '+':
    case '=': // the same key without Shift
    case GW_KEY_UP:
    case GW_KEY_RIGHT:
        g_steps.fetch_add(1, std::memory_order_relaxed);
        return 1;
    case '-':
    case '_':
    case GW_KEY_DOWN:
    case GW_KEY_LEFT:
        g_steps.fetch_sub(1, std::memory_order_relaxed);
        return 1;
    case '\r':
        g_end.store(END_ACCEPTED, std::memory_order_release);
        return 1;
    case 0x1b:
        g_end.store(END_LEFT, std::memory_order_release);
        return 1;
    default:
        return 0;
    }
}

// The whole inches and the two digits of hundredths: "17" and "70" for 1770.
std::pair<std::string, std::string> inches_parts(int32_t hundredths) {
    std::string fraction = std::to_string(hundredths % 100);
    if (fraction.size() < 2)
        fraction.insert(0, 1, '0');
    return {std::to_string(hundredths / 100), fraction};
}

// The trace's value of the diagonal: "17.70".
std::string trace_inches(int32_t hundredths) {
    const auto [whole, fraction] = inches_parts(hundredths);
    return whole + "." + fraction;
}

// The diagonal as the user reads it: "17,70" in Russian, "17.70" in English; the separator is
// the catalogue's.
std::string diagonal_line(int32_t hundredths) {
    const auto [whole, fraction] = inches_parts(hundredths);
    return language::fill_in(language::translate("card check", "Диагональ: %1,%2 дюйма"),
                             {whole, fraction});
}

void draw_line_of_text(int32_t row, std::string_view utf8) {
    const std::string text = utf8_to_cp1251(utf8);
    gw_move_to(TEXT_X, MARGIN + row * LINE_HEIGHT, nullptr);
    gw_draw_text(text.data(), static_cast<int32_t>(text.size()));
}

void draw_check(int32_t hundredths, const CardOutline& card) {
    gw_set_background_rgb(RGB_WHITE);
    gw_clear_screen(0);
    gw_select_font(TEXT_FONT.data(), static_cast<int32_t>(TEXT_FONT.size()));
    gw_set_color_rgb(RGB_BLACK);
    draw_line_of_text(0, language::translate("card check", "Приложите к экрану банковскую карту и "
                                                           "подгоните рамку под её края."));
    draw_line_of_text(1, language::translate("card check",
                                             "Рамка больше: + или стрелка вверх / вправо; "
                                             "меньше: - или стрелка вниз / влево."));
    draw_line_of_text(
        2, language::translate("card check", "Enter — принять диагональ, Esc — оставить прежнюю."));
    gw_set_color_rgb(RGB_BLUE);
    draw_line_of_text(3, diagonal_line(hundredths));
    gw_set_color_rgb(CARD_FILL);
    gw_rectangle(GW_FILLED, CARD_X, CARD_Y, CARD_X + card.width - 1, CARD_Y + card.height - 1);
    // Two pixels wide, inside the card's size: the card's edge meets the outline's outer edge.
    gw_set_color_rgb(RGB_BLACK);
    for (int32_t inset = 0; inset < 2; ++inset)
        gw_rectangle(GW_OUTLINE, CARD_X + inset, CARD_Y + inset, CARD_X + card.width - 1 - inset,
                     CARD_Y + card.height - 1 - inset);
    gw_show_now();
}

// The room the outline has in the drawing window.
struct Room {
    int32_t width = 0;
    int32_t height = 0;
};

Room card_room() {
    gw_window_config surface;
    gw_get_window_config(surface);
    return {surface.surface_width - CARD_X - MARGIN, surface.surface_height - CARD_Y - MARGIN};
}

} // namespace

CardOutline app_card_outline(double diagonal_in, int32_t nx, int32_t ny) {
    const double pitch_mm = diagonal_in * MM_PER_INCH / std::hypot(double(nx), double(ny));
    return {static_cast<int32_t>(std::lround(APP_CARD_WIDTH_MM / pitch_mm)),
            static_cast<int32_t>(std::lround(APP_CARD_HEIGHT_MM / pitch_mm))};
}

std::optional<int32_t> app_card_step(int32_t hundredths, bool larger, int32_t nx, int32_t ny,
                                     int32_t room_width, int32_t room_height) {
    const int32_t next =
        hundredths + (larger ? -APP_CARD_STEP_HUNDREDTHS : APP_CARD_STEP_HUNDREDTHS);
    if (next < SMALLEST_HUNDREDTHS || next > LARGEST_HUNDREDTHS)
        return std::nullopt;
    // Only the direction that makes things worse is refused: an outline that did not fit (a
    // diagonal typed far too small) can always be made smaller.
    const CardOutline card = app_card_outline(next / 100.0, nx, ny);
    if (larger ? card.width > room_width || card.height > room_height : card.width < SMALLEST_WIDTH)
        return std::nullopt;
    return next;
}

std::optional<int32_t> app_run_card_check(const ViewingParameters& parameters) {
    const int32_t nx = parameters.screen_nx;
    const int32_t ny = parameters.screen_ny;
    int32_t hundredths =
        std::clamp(static_cast<int32_t>(std::lround(parameters.diagonal_in * 100.0)),
                   SMALLEST_HUNDREDTHS, LARGEST_HUNDREDTHS);
    const Room room = card_room();
    const int32_t background = gw_get_background_color();
    g_steps.store(0, std::memory_order_relaxed);
    g_end.store(0, std::memory_order_relaxed);
    gw_register_key_callback(APP_DRAWING_UNIT, card_key);
    gw_focus_unit_window(APP_DRAWING_UNIT);

    const auto show = [&] {
        const CardOutline card = app_card_outline(hundredths / 100.0, nx, ny);
        draw_check(hundredths, card);
        rt_trace_event("card", {{"diagonal", trace_inches(hundredths)},
                                {"width", card.width},
                                {"height", card.height}});
    };
    show();
    int32_t end = 0;
    do {
        // The end is read before the steps: every step pressed before Enter is taken.
        end = g_end.load(std::memory_order_acquire);
        const int32_t steps = g_steps.exchange(0, std::memory_order_relaxed);
        const int32_t before = hundredths;
        for (int32_t step = 0; step < std::abs(steps); ++step) {
            const std::optional<int32_t> next =
                app_card_step(hundredths, steps > 0, nx, ny, room.width, room.height);
            if (!next) {
                rt_trace_event("card-limit", {{"diagonal", trace_inches(hundredths)}});
                break;
            }
            hundredths = *next;
        }
        if (hundredths != before)
            show();
        else if (end == 0 && steps == 0)
            rt_wait();
    } while (end == 0);

    gw_unregister_key_callback(APP_DRAWING_UNIT);
    gw_set_background_rgb(background);
    gw_clear_screen(0);
    const bool accepted = end == END_ACCEPTED;
    rt_trace_event("card-end",
                   {{"accepted", accepted ? 1 : 0}, {"diagonal", trace_inches(hundredths)}});
    if (!accepted)
        return std::nullopt;
    return hundredths;
}
