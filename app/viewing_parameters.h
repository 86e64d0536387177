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

// The program's parameters: written by the parameter dialog on the application thread before
// any activity reads them.
ViewingParameters& app_viewing_parameters();
