// Drawing the result screens' texts.
#include "app/screen_text.h"

#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/text/gw_text.h"
#include "runtime/cp1251.h"

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

void app_draw_click_prompt() {
    static const RtFormat prompt("('Для продолжения нажмите любую кнопку мыши')");
    app_select_font(APP_TEXT_FONT);
    gw_set_color_rgb(RGB_BLUE);
    app_draw_text(60, 550, prompt, {}, 41);
}
