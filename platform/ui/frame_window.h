// The frame window: the main window holding the child windows, the menu bar and the status bar
// with its run-state pane and its message pane. GUI thread only, unless a function says otherwise.
#pragma once

#include "platform/raster/bitmap.h"

#include <cstdint>
#include <string>

namespace ui {

constexpr int32_t DEFAULT_COORDINATE = static_cast<int32_t>(0x80000000u);

enum class ShowState : uint8_t { minimized, maximized, normal, placed };
enum class Arrangement : uint8_t { tile, cascade, icons };

// Outer geometry; any field may be DEFAULT_COORDINATE (the window system chooses).
struct FrameGeometry {
    int32_t x = DEFAULT_COORDINATE;
    int32_t y = DEFAULT_COORDINATE;
    int32_t width = DEFAULT_COORDINATE;
    int32_t height = DEFAULT_COORDINATE;
};

// Creates the frame, hidden, with its child-window area and status bar. False when it exists.
bool create_frame(const std::string& title);
bool frame_exists();
std::string frame_title();

// Shows the frame for the first time: `placed` uses the outer geometry as given.
void show_frame(ShowState state, FrameGeometry outer);
// Places a frame that is shown: state `placed` gives the child-window area `width` x `height`
// pixels plus the status bar; the menu bar and the status bar are added to the outer size.
void place_frame(ShowState state, FrameGeometry client);

void set_run_state_text(const std::string& text);
void set_status_message(const std::string& text);
std::string run_state_text();
std::string status_message();
void set_status_bar_visible(bool visible);
bool status_bar_visible();

void arrange_children(Arrangement arrangement);
// Asks the frame to close, as the user would: the program then ends.
void close_frame();

// The whole frame as shown, in device pixels.
raster::Bitmap grab_frame();
// The primary screen's size in device pixels (width << 16 | height is not used: two values).
int32_t screen_width();
int32_t screen_height();

// The screen the frame is on (the primary screen before there is a frame): its size in device
// pixels and the physical size it reports, in millimetres (0 when it reports none).
struct ScreenFacts {
    int32_t width_px = 0;
    int32_t height_px = 0;
    double width_mm = 0.0;
    double height_mm = 0.0;
};
ScreenFacts frame_screen();

} // namespace ui
