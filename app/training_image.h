// The training image: the grating of one-pixel lines and the figure of checkerboard tiles
// hidden in it.
#pragma once

#include "app/figure_table.h"

#include <cstdint>
#include <functional>

// Asked after every grating row and every figure tile; true stops the drawing at once, leaving
// a partial image.
using AppStopTest = std::function<bool()>;

inline constexpr int32_t FIGURE_LEFT = -1;
inline constexpr int32_t FIGURE_RIGHT = +1;
inline constexpr int32_t FIGURE_LEFT_BASE = 20;
inline constexpr int32_t FIGURE_RIGHT_BASE = 450;

// Draws the grating of cell size k on the active window from `first_row` down to row `height`.
// Returns false when the stop test stopped it.
bool app_draw_grating(int32_t k, int32_t width, int32_t height, int32_t first_row,
                      const AppStopTest& stop);

// The figure's horizontal offset for a base: the base snapped down to a multiple of k, so that
// the tiles line up with the grating's columns (k = 7: 20 gives 14, 450 gives 448).
int32_t app_figure_offset(int32_t k, int32_t base);

// Chooses the side at random and draws the figure of cell size k there, tile by tile. Returns
// the side, FIGURE_RIGHT or FIGURE_LEFT, also when the stop test cut the drawing short.
int32_t app_draw_hidden_figure(int32_t k, const FigurePointTable& figures, int32_t width,
                               int32_t height, const AppStopTest& stop);
