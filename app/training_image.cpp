// Drawing the training image.
#include "app/training_image.h"

#include "app/random.h"
#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"

namespace {

// One tile of cell size k at (x0, y0): pixels x0 + a, y0 + b for a, b = 1..2k. The top-left and
// bottom-right k x k squares are white, the other two black.
void draw_tile(int32_t k, int32_t x0, int32_t y0) {
    for (int32_t a = 1; a <= 2 * k; ++a)
        for (int32_t b = 1; b <= 2 * k; ++b) {
            const bool white = (a <= k && b <= k) || (a > k && b > k);
            gw_set_pixel_rgb(x0 + a, y0 + b, white ? RGB_WHITE : RGB_BLACK);
        }
}

} // namespace

// The grating: W div k columns of k pixels; column i covers x = (i - 1)k + 1 .. ik, so pixel
// column 0 and the W mod k rightmost columns are not drawn. In row y column i is white when
// i + y is odd and black when it is even: neighbouring columns are in counter-phase and each
// column is a stack of one-pixel lines.
bool app_draw_grating(int32_t k, int32_t width, int32_t height, int32_t first_row,
                      const AppStopTest& stop) {
    const int32_t columns = width / k;
    for (int32_t y = first_row; y <= height; ++y) {
        for (int32_t i = 1; i <= columns; ++i) {
            gw_set_color_rgb((i + y) % 2 != 0 ? RGB_WHITE : RGB_BLACK);
            gw_move_to((i - 1) * k + 1, y, nullptr);
            gw_line_to(i * k, y);
            gw_move_to(i * k, y, nullptr);
        }
        if (stop && stop())
            return false;
    }
    return true;
}

int32_t app_figure_offset(int32_t k, int32_t base) {
    return k * (base / k);
}

// The side: right when u > 0.5 (0.5 itself gives the left).
int32_t app_draw_hidden_figure(int32_t k, const FigurePointTable& figures, int32_t /*width*/,
                               int32_t /*height*/, const AppStopTest& stop) {
    const float u = app_random_uniform();
    const int32_t side = u > 0.5f ? FIGURE_RIGHT : FIGURE_LEFT;
    const int32_t x0 =
        app_figure_offset(k, side == FIGURE_RIGHT ? FIGURE_RIGHT_BASE : FIGURE_LEFT_BASE);
    for (const FigurePoint& point : figures.points(k)) {
        draw_tile(k, point.x + x0, point.y);
        if (stop && stop())
            break;
    }
    return side;
}
