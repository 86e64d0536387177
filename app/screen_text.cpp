// Drawing the result screens' texts.
#include "app/screen_text.h"

#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/text/gw_text.h"
#include "platform/language/catalogue.h"
#include "runtime/cp1251.h"

#include <algorithm>
#include <string>

void app_select_font(std::string_view spec) {
    gw_select_font(spec.data(), static_cast<int32_t>(spec.size()));
}

void app_draw_text(int32_t x, int32_t y, const RtFormat& format,
                   std::initializer_list<RtValue> values, int32_t length) {
    const std::string buffer = rt_write_text(format, values, 80);
    gw_move_to(x, y, nullptr);
    gw_draw_text(buffer.data(), length);
}

void app_draw_utf8_text(int32_t x, int32_t y, std::string_view text) {
    const std::string bytes = utf8_to_cp1251(text);
    gw_move_to(x, y, nullptr);
    gw_draw_text(bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::string app_quoted_text(const char* context, const char* russian) {
    std::string quoted = "('";
    for (const char c : language::translate(context, russian))
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "')";
}

int32_t app_shown_length(std::string_view russian, std::string_view shown, int32_t length) {
    if (shown == russian)
        return length;
    const auto characters = [](std::string_view utf8) {
        return static_cast<int32_t>(utf8_to_cp1251(utf8).size());
    };
    return std::clamp(length - characters(russian) + characters(shown), 0, 80);
}

void app_draw_click_prompt() {
    static constexpr const char* RUSSIAN =
        TRANSLATABLE("result screens", "Для продолжения нажмите любую кнопку мыши");
    static const std::string shown = language::translate("result screens", RUSSIAN);
    static const RtFormat prompt(app_quoted_text("result screens", RUSSIAN));
    app_select_font(APP_TEXT_FONT);
    gw_set_color_rgb(RGB_BLUE);
    app_draw_text(60, 550, prompt, {}, app_shown_length(RUSSIAN, shown, 41));
}
