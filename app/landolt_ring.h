// The Landolt ring of the vision test, drawn at the physical size of a trial acuity for the
// user's viewing geometry.
#pragma once

#include "app/landolt_shape.h"

#include <cstdint>

inline constexpr int32_t RING_GAP_LEFT = -1;
inline constexpr int32_t RING_GAP_RIGHT = +1;

// Millimetres per pixel along the screen's diagonal: 25.4 x diagonal / sqrt(nx^2 + ny^2).
float app_pixel_pitch_mm(float diagonal_in, int32_t nx, int32_t ny);

// Pixels per reference millimetre for acuity v at distance d (cm): (d / 500)(0.1 / v) / p.
float app_ring_scale(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny);

// The gap of a ring for acuity v in device pixels: 14.5 reference millimetres at its scale.
double app_ring_gap_pixels(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny);

// The narrowest gap that a ring for acuity v comes out with in the width x height window, over
// its sides and tilts, in device pixels as drawn (see app_landolt_gap_drawn).
double app_ring_gap_drawn_pixels(float v, float distance_cm, float diagonal_in, int16_t width,
                                 int16_t height, int32_t nx, int32_t ny);

// What one ring came out as.
struct LandoltRingDrawn {
    int32_t side = 0; // RING_GAP_RIGHT or RING_GAP_LEFT
    int32_t tilt = 0; // -45, 0 or 45 degrees; +45 turns a right-hand gap downwards
    // The extent of the pixels that are not white, inclusive: x2 and y2 are the last such
    // column and row. All 0 when every pixel stayed white.
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    double gap_drawn_px = 0.0; // the gap as drawn (see app_landolt_gap_drawn)
};

// Clears (0, 0)-(nx - 1, ny - 1) to white and draws a black ring for acuity v centred at
// (width / 2, height / 2) in the width x height window, its gap on a random side and at a
// random tilt: the first random number chooses the side, the second the tilt. Each pixel is as
// dark, in linear light, as the share of its area the ideal ring covers (app_landolt_greys), so
// the ring's darkness and its gap's light are those of the ideal ring at any size, even where
// the ring is only a few pixels across. Returns the side; `drawn`, when given, receives the
// whole ring. Application thread.
int32_t app_draw_landolt_ring(float v, float distance_cm, float diagonal_in, int16_t width,
                              int16_t height, int32_t nx, int32_t ny,
                              LandoltRingDrawn* drawn = nullptr);

// The random choices behind a ring: u1 > 0.5 puts the gap on the right (0.5 itself on the
// left); u2 below 0.333 tilts it by -45 degrees, u2 from 0.667 on by +45, otherwise 0.
int32_t app_ring_side(float u1);
int32_t app_ring_tilt(float u2);
