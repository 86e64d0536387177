// What the status bar says of the viewing geometry: which acuities this screen and distance can
// show (app_level_showable).
#pragma once

#include <cstdint>
#include <string>

// What the status bar says of the viewing geometry once the parameters are accepted: the
// highest level the screen can show from this distance (app_first_unshowable_index), and, when
// that is below 2.0, the distances from which 1.0 and 2.0 could be shown (or that they could only
// be shown beyond 10 m, the farthest distance the dialog accepts). UTF-8.
std::string app_geometry_status_text(float distance_cm, float diagonal_in, int16_t width,
                                     int16_t height, int32_t nx, int32_t ny);

// What the status bar says during a level: the level and its gap as drawn in pixels, and
// plainly when that gap is below half a pixel. UTF-8.
std::string app_level_status_text(float v, double gap_drawn_pixels);
