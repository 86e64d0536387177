// The viewing parameters the user accepted last time, kept between runs, and what the screen
// itself says of them.
#pragma once

#include "app/viewing_parameters.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where the parameters are remembered: a folder, or none (nothing is read or written). The
// default folder is $XDG_CONFIG_HOME/talvena, or ~/.config/talvena without it. Set at start-up,
// before the application thread runs.
void app_set_config_folder(std::optional<std::filesystem::path> folder);
std::optional<std::filesystem::path> app_config_folder();
std::optional<std::filesystem::path> app_default_config_folder();

// Whether the first values may come from the screen the program runs on (a user's run on a
// real display; never a scripted headless run, which starts from the fixed values). Set at
// start-up.
void app_set_screen_values_wanted(bool wanted);
bool app_screen_values_wanted();

// The file in the folder: "parameters.ini", lines "key=value" for distance_cm, diagonal_in,
// screen_nx and screen_ny.
inline constexpr const char* REMEMBERED_PARAMETERS_FILE = "parameters.ini";

// What the file held: the values over the defaults, and each value it held out of range, which is
// not taken (the default stays), named in the dialog's words ("дальность 1e+10 см", UTF-8).
struct RememberedParameters {
    ViewingParameters parameters;
    std::vector<std::string> not_offered;
    bool diagonal_taken = false;
};

// The remembered distance, diagonal and resolution over `defaults` (the training volume is not
// remembered), or nothing when there is no folder, no file, or the file does not hold all four
// as numbers. A number outside the dialog's ranges is not offered, whatever wrote it.
std::optional<RememberedParameters>
app_load_remembered_parameters(const ViewingParameters& defaults);

// Remembers the parameters: the folder is made when missing, and the file is written anew beside
// the old one and renamed over it, so it is never half written. False when that fails (the
// parameters are then simply not remembered). Nothing, and true, without a folder.
bool app_remember_parameters(const ViewingParameters& parameters);

// The screen's size in device pixels and physical size in millimetres.
struct ScreenSize {
    int32_t width_px = 0;
    int32_t height_px = 0;
    double width_mm = 0.0;
    double height_mm = 0.0;
};

// `defaults` with the resolution of the screen (when it is within the dialog's range) and the
// diagonal computed from its physical size, to a hundredth of an inch as the dialog shows it,
// when that is within the dialog's range too. The distance is left as it is.
ViewingParameters app_parameters_from_screen(const ViewingParameters& defaults,
                                             const ScreenSize& screen);

// Whether the screen's physical size was truly reported, so that the diagonal from it is a
// measurement: not when it is missing, gives a diagonal outside the dialog's range, or is exactly
// the size of the screen's pixels at 96 dots per inch, the stand-in the window system reports
// when the screen tells none (an X server without the monitor's data). A monitor that really has
// 96 dpi to the millimetre is taken for a guess as well; the user is then only pointed to the
// card check.
bool app_screen_size_reported(const ScreenSize& screen);
