// Plot frames on the paper of a drawing window.
#include "app/plotting.h"

#include "app/drawing_window.h"
#include "app/palette.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/window_system_hooks.h"
#include "framework/text/gw_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr int32_t SOLID = PLOT_LINE_SOLID;
constexpr int32_t DOTTED = PLOT_LINE_DOTTED;

std::map<std::pair<int32_t, int32_t>, PlotFrame> frames;

// Whole pixels from a real, truncated towards zero; a value that is not a number counts as 0.
float whole(float value) {
    return std::isnan(value) ? 0.0f : std::trunc(value);
}

// Where `value` lies in the range, as a fraction: 0 at the low end, 1 at the high end. A range
// of zero length and a value that is not a number give 0; beyond the range it goes on and is
// held to the frame later.
float fraction_of(float value, float low, float high) {
    const float fraction = (value - low) / (high - low);
    return std::isnan(fraction) ? 0.0f : fraction;
}

PlotFrame* stored_frame(int32_t p, int32_t q) {
    const auto found = frames.find({p, q});
    return found == frames.end() ? nullptr : &found->second;
}

// Selects window p for an operation on frame q; the frame when both are there.
PlotFrame* frame_to_draw_on(int32_t p, int32_t q) {
    PlotFrame* frame = stored_frame(p, q);
    if (!frame || !app_plot_select_window(p, 0))
        return nullptr;
    return frame;
}

void pen_to(const PlotFrame& frame, float x, float y, bool draw) {
    const PlotPixel pixel = plot_world_to_pixel(frame, x, y);
    if (draw)
        gw_line_to(pixel.x, pixel.y);
    else
        gw_move_to(pixel.x, pixel.y, nullptr);
}

void line(const PlotFrame& frame, float x1, float y1, float x2, float y2) {
    pen_to(frame, x1, y1, false);
    pen_to(frame, x2, y2, true);
}

// The number of grid lines from `low` on, `step` apart, that the range holds, the line at the
// low end included; none for a step of 0 or less.
int64_t grid_line_count(float low, float high, float step) {
    if (!(step > 0.0f))
        return 0;
    const float count = std::trunc((step + (high - low)) / step);
    return count > 0.0f ? static_cast<int64_t>(count) : 0;
}

bool select_font_for(float size) {
    const std::string_view spec = plot_font_for_size(size);
    for (int32_t attempt = 0; attempt < PLOT_ATTEMPTS; ++attempt) {
        if (gw_select_font(spec.data(), static_cast<int32_t>(spec.size())) > 0)
            return true;
        // A failed selection is tried again upright.
        gw_set_text_orientation(900);
    }
    return false;
}

} // namespace

PlotFrame plot_frame_box(float pixels_across, float pixels_down, float x0, float y0, float w,
                         float h) {
    PlotFrame frame;
    frame.left = whole(x0 * pixels_across / PLOT_PAPER_WIDTH);
    const float right = whole(frame.left + (pixels_across - 1.0f) * w / PLOT_PAPER_WIDTH);
    frame.bottom = whole((PLOT_PAPER_HEIGHT - y0) * (pixels_down - 1.0f) / PLOT_PAPER_HEIGHT);
    const float top = whole(frame.bottom - (pixels_down - 1.0f) * h / PLOT_PAPER_HEIGHT);
    frame.width = right - frame.left;
    frame.height = frame.bottom - top;
    frame.x0 = x0;
    frame.y0 = y0;
    frame.x1 = x0 + w;
    frame.y1 = y0 + h;
    return frame;
}

PlotPixel plot_world_to_pixel(const PlotFrame& frame, float x, float y) {
    const float across = fraction_of(x, frame.xmin, frame.xmax);
    const float up = fraction_of(y, frame.ymin, frame.ymax);
    const float px = whole(across * frame.width + frame.left + 0.5f);
    const float py = whole(frame.bottom - up * frame.height + 0.5f);
    return {static_cast<int32_t>(std::clamp(px, frame.left, frame.left + frame.width)),
            static_cast<int32_t>(std::clamp(py, frame.bottom - frame.height, frame.bottom))};
}

PlotPixel plot_text_pixel(float pixels_across, float pixels_down, float x, float y) {
    // The full pixel height here, where the frames use one less.
    return {static_cast<int32_t>(whole(x * pixels_across / PLOT_PAPER_WIDTH)),
            static_cast<int32_t>(whole(pixels_down - y * pixels_down / PLOT_PAPER_HEIGHT))};
}

std::string_view plot_font_for_size(float size) {
    const float v = 1.5f * size;
    for (size_t step = 0; step + 1 < PLOT_FONT_STEPS.size(); ++step) {
        if (v <= PLOT_FONT_STEPS[step].up_to)
            return PLOT_FONT_STEPS[step].spec;
    }
    return PLOT_FONT_STEPS.back().spec;
}

std::optional<int32_t> plot_line_style_mask(int32_t style) {
    switch (style) {
    case 1:
        return 0xFFFF;
    case 2:
        return 0xFF00;
    case 3:
        return 0xF0F0;
    case 4:
        return 0xCCCC;
    default:
        return std::nullopt;
    }
}

bool app_plot_select_window(int32_t p, int32_t q) {
    bool selected = false;
    for (int32_t attempt = 0; attempt < PLOT_ATTEMPTS && !selected; ++attempt)
        selected = gw_set_active_window(p) == 1;
    if (q != 0) {
        for (int32_t attempt = 0; attempt < PLOT_ATTEMPTS; ++attempt) {
            if (gw_focus_unit_window(q) == 1)
                break;
        }
    }
    return selected;
}

void app_plot_define_frame(int32_t p, int32_t q, float x0, float y0, float w, float h) {
    const std::optional<AppPlottingFrame> paper = app_plotting_frame(p);
    if (!paper || !app_plot_select_window(p, 0))
        return;
    const PlotFrame frame = plot_frame_box(paper->pixels_across, paper->pixels_down, x0, y0, w, h);
    frames[{p, q}] = frame;
    const auto left = static_cast<int32_t>(frame.left);
    const auto right = static_cast<int32_t>(frame.left + frame.width);
    const auto bottom = static_cast<int32_t>(frame.bottom);
    const auto top = static_cast<int32_t>(frame.bottom - frame.height);
    gw_move_to(left, bottom, nullptr);
    gw_line_to(left, top);
    gw_line_to(right, top);
    gw_line_to(right, bottom);
    gw_line_to(left, bottom);
}

void app_plot_set_world(int32_t p, int32_t q, float xmin, float xmax, float ymin, float ymax) {
    if (PlotFrame* frame = stored_frame(p, q)) {
        frame->xmin = xmin;
        frame->xmax = xmax;
        frame->ymin = ymin;
        frame->ymax = ymax;
    }
}

void app_plot_draw_grid(int32_t p, int32_t q, float /*x_label_step*/, float x_step,
                        int32_t /*x_subdivisions*/, float /*y_label_step*/, float y_step,
                        int32_t /*y_subdivisions*/) {
    const PlotFrame* frame = frame_to_draw_on(p, q);
    if (!frame)
        return;
    app_plot_set_line_style(DOTTED);
    // Stepped in single precision, as the positions are reals: over many days a line may land a
    // pixel off the exact multiple of the step.
    float x = frame->xmin;
    for (int64_t n = grid_line_count(frame->xmin, frame->xmax, x_step); n > 0; --n) {
        line(*frame, x, frame->ymin, x, frame->ymax);
        x += x_step;
    }
    float y = frame->ymin;
    for (int64_t n = grid_line_count(frame->ymin, frame->ymax, y_step); n > 0; --n) {
        line(*frame, frame->xmin, y, frame->xmax, y);
        y += y_step;
    }
    app_plot_set_line_style(SOLID);
    line(*frame, frame->xmin, frame->ymin, frame->xmin, frame->ymax);
    line(*frame, frame->xmax, frame->ymin, frame->xmax, frame->ymax);
    line(*frame, frame->xmin, frame->ymin, frame->xmax, frame->ymin);
    line(*frame, frame->xmin, frame->ymax, frame->xmax, frame->ymax);
}

void app_plot_pen(int32_t p, int32_t q, float x, float y, int32_t draw) {
    if (const PlotFrame* frame = frame_to_draw_on(p, q))
        pen_to(*frame, x, y, draw == 1);
}

void app_plot_text(int32_t p, float x, float y, float size, float angle, std::string_view text) {
    const std::optional<AppPlottingFrame> paper = app_plotting_frame(p);
    if (!paper || !app_plot_select_window(p, 0))
        return;
    const PlotPixel at = plot_text_pixel(paper->pixels_across, paper->pixels_down, x, y);
    if (select_font_for(size)) {
        gw_set_text_orientation(static_cast<int32_t>(angle * 10.0f));
        gw_move_to(at.x, at.y, nullptr);
        app_select_color(app_current_color());
        gw_draw_text(text.data(), static_cast<int32_t>(text.size()));
    }
    gw_set_text_orientation(0);
}

void app_plot_set_line_style(int32_t style) {
    if (const std::optional<int32_t> mask = plot_line_style_mask(style))
        gw_set_line_style(*mask);
}

std::optional<PlotFrame> app_plot_frame(int32_t p, int32_t q) {
    if (const PlotFrame* frame = stored_frame(p, q))
        return *frame;
    return std::nullopt;
}
