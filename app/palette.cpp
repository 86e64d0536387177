// The application's working palette and the current colour.
#include "app/palette.h"

#include "framework/graphics/gw_graphics.h"

namespace {

std::array<AppColor, APP_COLOR_COUNT> working_palette{};
int32_t current_color = APP_COLOR_BLACK;

int32_t component(float fraction) {
    return static_cast<int32_t>(fraction * 255.0f);
}

} // namespace

int32_t app_color_rgb(const AppColor& color) {
    return component(color.red) + 256 * component(color.green) + 65536 * component(color.blue);
}

void app_load_working_palette() {
    working_palette = APP_PALETTE;
}

void app_select_color(int32_t n) {
    if (n < 0 || n >= APP_COLOR_COUNT)
        return;
    const int32_t rgb = app_color_rgb(working_palette[static_cast<size_t>(n)]);
    gw_set_color_rgb(rgb);
    gw_set_text_color_rgb(rgb);
    current_color = n;
}

int32_t app_current_color() {
    return current_color;
}
