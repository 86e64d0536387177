// What the status bar says of the viewing geometry: which acuities this screen and distance can
// show with a gap of at least one device pixel.
#pragma once

#include <cstdint>
#include <string>

// What the status bar says of the viewing geometry once the parameters are accepted: the
// highest level up to which every level's rings all come out with a gap of at least one device
// pixel in the width x height drawing window, and, when that is below 2.0, the distances from
// which 1.0 and 2.0 could be measured (or that they could only be measured beyond 10 m, the
// farthest distance the dialog accepts). The gaps are those drawn (app_ring_gap_drawn_pixels), not
// the ideal ones: a ring is only as exact as the pixels that show it. UTF-8.
std::string app_geometry_status_text(float distance_cm, float diagonal_in, int16_t width,
                                     int16_t height, int32_t nx, int32_t ny);

// What the status bar says during a level: the level and its gap as drawn in pixels, and
// plainly when that gap is below one pixel. UTF-8.
std::string app_level_status_text(float v, double gap_drawn_pixels);
