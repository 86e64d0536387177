// Plot frames on the paper of a drawing window: their pixel boxes, world ranges, grid lines, a
// pen in world coordinates, line styles and labels whose font follows their size.
//
// A window opened with app_open_drawing_window carries a paper of 240 x 180 units with its
// origin at the bottom left. A frame is a rectangle of that paper with world ranges of its own;
// frames are numbered per window (unit p, frame q) and keep their box and ranges until defined
// again. Every conversion from a real to whole pixels truncates towards zero. Application
// thread only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr float PLOT_PAPER_WIDTH = 240.0f;
inline constexpr float PLOT_PAPER_HEIGHT = 180.0f;

// How often a window selection, a focus request or a font selection is tried before the
// operation goes on without it.
inline constexpr int32_t PLOT_ATTEMPTS = 3;

// Line styles of app_plot_set_line_style.
inline constexpr int32_t PLOT_LINE_SOLID = 1;
inline constexpr int32_t PLOT_LINE_DOTTED = 3;

// A frame: its paper corners, its pixel box (whole pixels held as reals) and its world ranges.
struct PlotFrame {
    float x0 = 0;
    float y0 = 0;
    float x1 = 0;
    float y1 = 0;
    float left = 0;
    float bottom = 0;
    float width = 0;  // right - left
    float height = 0; // bottom - top
    float xmin = 0;
    float xmax = 1;
    float ymin = 0;
    float ymax = 1;
};

struct PlotPixel {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const PlotPixel&, const PlotPixel&) = default;
};

// The font of a label of size s is chosen by v = 1.5 s: each step holds the v up to its bound.
struct PlotFontStep {
    float up_to;
    std::string_view spec;
};
inline constexpr std::array<PlotFontStep, 10> PLOT_FONT_STEPS{{
    {4.0f, "t'Times New Roman Cyr'h4w3b"},
    {6.0f, "t'Times New Roman Cyr'h12w4b"},
    {8.0f, "t'Times New Roman Cyr'h16w5b"},
    {10.0f, "t'Times New Roman Cyr'h20w6b"},
    {12.0f, "t'Times New Roman Cyr'h24w7b"},
    {15.0f, "t'Times New Roman Cyr'h28w8b"},
    {20.0f, "t'Times New Roman Cyr'h36w10b"},
    {30.0f, "t'Times New Roman Cyr'h52w18b"},
    {50.0f, "t'Times New Roman Cyr'h96w30b"},
    {0.0f, "t'Times New Roman Cyr'h120w40b"}, // every larger v
}};

// --- The arithmetic, without a window -------------------------------------------------------

// The frame whose bottom-left paper corner is (x0, y0) and whose size is w x h paper units, on
// a window of pixels_across x pixels_down pixels; world ranges 0..1.
PlotFrame plot_frame_box(float pixels_across, float pixels_down, float x0, float y0, float w,
                         float h);

// The pixel of world point (x, y), held inside the frame's box: a point beyond a world range is
// drawn on that edge. A range of zero length maps to its low edge, as does a value that is not
// a number.
PlotPixel plot_world_to_pixel(const PlotFrame& frame, float x, float y);

// The pixel of the top-left corner of a label at paper point (x, y).
PlotPixel plot_text_pixel(float pixels_across, float pixels_down, float x, float y);

// The font description for a label of the size.
std::string_view plot_font_for_size(float size);

// The 16-bit pen mask of line style 1..4 (1 solid, 2 0xFF00, 3 0xF0F0, 4 0xCCCC); nothing for
// another number.
std::optional<int32_t> plot_line_style_mask(int32_t style);

// --- Drawing --------------------------------------------------------------------------------

// Makes unit p's window the target of drawing and, when q is not 0, gives unit q's window the
// input focus. Each is tried PLOT_ATTEMPTS times. False when p's window could not be selected;
// the operations below then draw nothing.
bool app_plot_select_window(int32_t p, int32_t q);

// Stores frame q of window p and draws its outline in the current colour. Nothing for a window
// not opened with app_open_drawing_window.
void app_plot_define_frame(int32_t p, int32_t q, float x0, float y0, float w, float h);

// Sets the world ranges of frame q of window p (defined before).
void app_plot_set_world(int32_t p, int32_t q, float xmin, float xmax, float ymin, float ymax);

// Grid lines of frame q every x_step across and every y_step up, dotted (line style 3), from
// the low end of each range to its high end; a step of 0 or less draws no lines of its set.
// Then the frame's box, solid. All in the current colour. The label steps and subdivisions are
// accepted and not drawn.
void app_plot_draw_grid(int32_t p, int32_t q, float x_label_step, float x_step,
                        int32_t x_subdivisions, float y_label_step, float y_step,
                        int32_t y_subdivisions);

// Moves the pen of frame q to world point (x, y), drawing a line from where it was in the
// current colour and line style when `draw` is 1.
void app_plot_pen(int32_t p, int32_t q, float x, float y, int32_t draw);

// Draws `text` (CP1251) with its top-left corner at paper point (x, y) of window p, in the font
// of its size, turned by `angle` degrees, in the colour selected last with app_select_color.
// When no font can be had the text is left out.
void app_plot_text(int32_t p, float x, float y, float size, float angle, std::string_view text);

// Sets line style 1..4; another number changes nothing.
void app_plot_set_line_style(int32_t style);

// The stored frame q of window p, if it was defined.
std::optional<PlotFrame> app_plot_frame(int32_t p, int32_t q);
