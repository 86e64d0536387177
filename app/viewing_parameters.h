// The viewing parameters: the user's distance from the screen, its diagonal and resolution, and the
// training volume, asked once at start-up.
#pragma once

#include <cstdint>

struct ViewingParameters {
    float distance_cm = 200.0f; // from the eye to the screen
    float diagonal_in = 17.7f;
    int32_t screen_nx = 1024;      // pixels across
    int32_t screen_ny = 768;       // pixels down
    int32_t training_volume = 100; // images per training
};

// The values a real setup has and the results file's columns hold: a distance from 10 cm to 10 m,
// a diagonal from 5.0 to 99.9 inches (written with one decimal in four columns) and from 320 to
// 9999 pixels each way (four columns). Larger distances would also overflow a ring's 16-bit
// coordinates. Values outside them are refused by the dialog and not offered from memory.
inline constexpr float APP_DISTANCE_MIN_CM = 10.0f;
inline constexpr float APP_DISTANCE_MAX_CM = 1000.0f;
inline constexpr float APP_DIAGONAL_MIN_IN = 5.0f;
inline constexpr float APP_DIAGONAL_MAX_IN = 99.9f;
inline constexpr int32_t APP_RESOLUTION_MIN_PX = 320;
inline constexpr int32_t APP_RESOLUTION_MAX_PX = 9999;

inline bool app_distance_in_range(float cm) {
    return cm >= APP_DISTANCE_MIN_CM && cm <= APP_DISTANCE_MAX_CM;
}
inline bool app_diagonal_in_range(float inches) {
    return inches >= APP_DIAGONAL_MIN_IN && inches <= APP_DIAGONAL_MAX_IN;
}
inline bool app_resolution_in_range(int32_t pixels) {
    return pixels >= APP_RESOLUTION_MIN_PX && pixels <= APP_RESOLUTION_MAX_PX;
}

// The program's parameters: written by the parameter dialog on the application thread before
// any activity reads them.
ViewingParameters& app_viewing_parameters();
