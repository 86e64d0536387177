// The gw_ graphics family: drawing state, coordinates and primitives of the calling thread's
// active child window.
//
// Every routine acts on the calling thread's active window (gw_set_active_window) and first
// resets the graphics status (gw_get_status) to 0. Integer coordinates are viewport
// coordinates unless said otherwise, taken as signed 16-bit values (the low 16 bits count);
// routines ending in _w take real window coordinates. Colours are RGB values 0x00BBGGRR, red in the
// low byte. Points are returned packed as y << 16 | x (16 bits each). All routines are thread-safe.
#pragma once

#include "framework/surface/call_status.h"

#include <cstdint>

struct gw_point16 {
    int16_t x = 0;
    int16_t y = 0;
};

struct gw_point_w {
    double x = 0;
    double y = 0;
};

// Shape controls.
constexpr int16_t GW_OUTLINE = 2;
constexpr int16_t GW_FILLED = 3;

// Clearing areas.
constexpr int16_t GW_CLEAR_WINDOW = 0;
constexpr int16_t GW_CLEAR_CLIP_RECT = 1;
constexpr int16_t GW_CLEAR_TEXT_WINDOW = 2;

// --- Active window --------------------------------------------------------------------------

// Makes the window connected to the unit the calling thread's active window; a unit connected to
// no window selects the default window. Result 1; 0 with status -1 when the unit's window is
// missing or closed (nothing changes).
int32_t gw_set_active_window(int32_t unit);

// --- Colours ---------------------------------------------------------------------------------

// Each setter returns the previous colour as RGB (a palette index converted through the default
// palette), or -1 without an active window. The getters return the same form, -1 without one.
int32_t gw_set_color_rgb(int32_t rgb);
int32_t gw_set_background_rgb(int32_t rgb);
int32_t gw_set_text_color_rgb(int32_t rgb);
int32_t gw_get_color();
int32_t gw_get_text_color();
int32_t gw_get_background_color();

int32_t gw_rgb_pack(int32_t red, int32_t green, int32_t blue);
void gw_rgb_unpack(int32_t rgb, int32_t* red, int32_t* green, int32_t* blue);

// --- Line style, write mode, fill mask ------------------------------------------------------

// Stores the 16-bit dash mask; the pen style follows from its number of set bits.
void gw_set_line_style(int32_t mask);
int16_t gw_get_line_style();
// Mode 0 OR, 1 AND, 2 NOT pen, 3 copy, 4 XOR: result the previous mode. Any other mode changes
// nothing: result -1, status -4.
int32_t gw_set_write_mode(int32_t mode);
int32_t gw_get_write_mode();
// Eight row bytes, top row first, most significant bit leftmost; nullptr removes the mask.
void gw_set_fill_mask(const uint8_t* mask);
// Copies the mask's eight bytes: result 1, or 0 with status -1 when no mask is set.
int16_t gw_get_fill_mask(uint8_t* mask);

// --- Coordinates ----------------------------------------------------------------------------

// Physical corners, ordered (status 3) and clamped to the surface (status 3). A rectangle less
// than two pixels wide or high fails: result 0, status -1, clip rectangle unchanged.
int16_t gw_set_clip_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Result: the previous origin, packed.
int32_t gw_set_viewport_origin(int32_t x, int32_t y);
// Origin := the top-left corner, clip rectangle := the corners; result as gw_set_clip_rect.
int16_t gw_set_viewport(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Window coordinates spanning the clip rectangle; `invert` makes y grow upwards. Equal bounds
// fail (status -1, result 0); reversed bounds are swapped (status 3).
int16_t gw_set_window_coords(int32_t invert, double wx1, double wy1, double wx2, double wy2);
int32_t gw_to_physical(int32_t x, int32_t y);   // packed physical point
int32_t gw_to_viewport(int32_t px, int32_t py); // packed viewport point
gw_point_w gw_viewport_to_window(int32_t x, int32_t y);
int32_t gw_window_to_viewport(double wx, double wy); // packed viewport point

// --- Position and lines ---------------------------------------------------------------------

// Moves the current position; `previous` (may be nullptr) receives the old one. Result the old
// position, packed; 0 without an active window.
int32_t gw_move_to(int32_t x, int32_t y, gw_point16* previous);
int32_t gw_move_to_w(double wx, double wy, gw_point_w* previous);
int32_t gw_get_position();
int16_t gw_get_position_w(gw_point_w* position);
// Draws from the current position to (x, y), both end points included, and moves there.
// Status 1 when the line lies wholly on one side outside the clip rectangle, 2 when an end
// point lies outside it. Result 1, or 0 on failure.
int16_t gw_line_to(int32_t x, int32_t y);
int16_t gw_line_to_w(double wx, double wy);

// --- Shapes ---------------------------------------------------------------------------------

// Control GW_OUTLINE or GW_FILLED; both corners belong to the figure. Result non-zero when
// drawn, 0 with status -1 on failure.
int16_t gw_rectangle(int32_t control, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t gw_ellipse(int32_t control, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t gw_rectangle_w(int32_t control, double wx1, double wy1, double wx2, double wy2);
int16_t gw_ellipse_w(int32_t control, double wx1, double wy1, double wx2, double wy2);
// A closed polygon of 3..16381 vertices (otherwise status -4); status -8 when memory for the
// vertices cannot be had.
int16_t gw_polygon(int32_t control, const gw_point16* points, int32_t count);
int16_t gw_polygon_w(int32_t control, const gw_point_w* points, int32_t count);

// --- Pixels ---------------------------------------------------------------------------------

// Result: the pixel's previous colour; -1 when it lies outside the clip rectangle (nothing
// changes) or without an active window.
int32_t gw_set_pixel_rgb(int32_t x, int32_t y, int32_t rgb);
int32_t gw_set_pixel_rgb_w(double wx, double wy, int32_t rgb);
// Result: the pixel's colour; -1 with status 1 outside the clip rectangle.
int32_t gw_get_pixel(int32_t x, int32_t y);
int32_t gw_get_pixel_w(double wx, double wy);
// Sets or reads `count` pixels at (xs[i], ys[i]); nothing for count 0 or less. A pixel outside
// the clip rectangle is not set, or reads as -1.
void gw_set_pixels_rgb(int32_t count, const int16_t* xs, const int16_t* ys, const int32_t* colors);
void gw_get_pixels_rgb(int32_t count, const int16_t* xs, const int16_t* ys, int32_t* colors);

// --- Clearing -------------------------------------------------------------------------------

// Area 0 the whole surface in the background colour, 1 the clip rectangle in palette entry 0,
// 2 the text window in the background colour; any other area: status -4.
void gw_clear_screen(int32_t area);
