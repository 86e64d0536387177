// The plain colours the activities draw with, as the framework's RGB values 0x00BBGGRR (red in
// the low byte).
#pragma once

#include <cstdint>

inline constexpr int32_t RGB_WHITE = 0xFFFFFF;
inline constexpr int32_t RGB_BLACK = 0x000000;
inline constexpr int32_t RGB_BLUE = 0xFF0000;
inline constexpr int32_t RGB_RED = 0x0000FF;
