// The application's 16 numbered colours and the selection of the drawing colour.
#pragma once

#include <array>
#include <cstdint>

// One colour as red, green and blue fractions in 0..1.
struct AppColor {
    float red = 0;
    float green = 0;
    float blue = 0;
};

inline constexpr int32_t APP_COLOR_COUNT = 16;
inline constexpr int32_t APP_COLOR_BLACK = 7;

inline constexpr std::array<AppColor, APP_COLOR_COUNT> APP_PALETTE{{
    {1.0f, 1.0f, 1.0f},    // 0
    {1.0f, 0.0f, 0.5f},    // 1
    {0.9f, 0.7f, 0.0f},    // 2
    {0.0f, 0.7f, 0.0f},    // 3
    {0.0f, 0.0f, 1.0f},    // 4
    {1.0f, 0.0f, 1.0f},    // 5
    {0.0f, 0.8f, 0.9f},    // 6
    {0.0f, 0.0f, 0.0f},    // 7 black
    {0.35f, 0.35f, 0.35f}, // 8
    {1.0f, 0.0f, 0.0f},    // 9
    {0.5f, 0.5f, 0.0f},    // 10
    {0.0f, 0.5f, 0.0f},    // 11
    {0.0f, 0.5f, 0.5f},    // 12
    {0.0f, 0.0f, 1.0f},    // 13
    {1.0f, 0.0f, 1.0f},    // 14
    {1.0f, 1.0f, 1.0f},    // 15
}};

// The colour as the framework's RGB value 0x00BBGGRR: each fraction times 255, truncated
// (0.5 gives 127, 0.9 gives 229).
int32_t app_color_rgb(const AppColor& color);

// Fills the working palette from APP_PALETTE; the first drawing window's opening does it.
void app_load_working_palette();

// Sets the drawing colour and the text colour of the active window to working palette entry n
// (0..15; others are ignored) and remembers n. Application thread only.
void app_select_color(int32_t n);

// The number of the colour selected last (APP_COLOR_BLACK before any selection).
int32_t app_current_color();
