// What the status bar says of the viewing geometry: which acuities this screen and distance can
// show with a gap of at least one device pixel.
#pragma once

#include <cstdint>
#include <string>

// What the status bar says of the viewing geometry once the parameters are accepted: the
// highest level whose gap is at least one device pixel, and, when that is below 2.0, the
// distances from which 1.0 and 2.0 could be measured. UTF-8.
std::string app_geometry_status_text(float distance_cm, float diagonal_in, int32_t nx, int32_t ny);

// What the status bar says during a level: the level and its gap in pixels, and plainly when
// the gap is below one pixel. UTF-8.
std::string app_level_status_text(float v, double gap_pixels);
