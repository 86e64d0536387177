// The Landolt ring's ideal shape, sampled at pixel centres.
#include "app/landolt_shape.h"

#include "runtime/math.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The ring in its own frame: u along the gap's direction (towards the gap), v across it.
struct RingFrame {
    double cx;
    double cy;
    double along_x;
    double along_y;

    double u(double x, double y) const { return (x - cx) * along_x + (y - cy) * along_y; }
    double v(double x, double y) const { return (y - cy) * along_x - (x - cx) * along_y; }
};

RingFrame frame_of(const LandoltShape& shape) {
    const double cosine = rt_cos_degrees(shape.tilt);
    const double sine = rt_sin_degrees(shape.tilt);
    return {shape.cx, shape.cy, shape.side * cosine, shape.side * sine};
}

bool in_band(const LandoltShape& shape, double x, double y) {
    const double dx = x - shape.cx;
    const double dy = y - shape.cy;
    const double d2 = dx * dx + dy * dy;
    return d2 < shape.outer_radius * shape.outer_radius &&
           d2 >= shape.inner_radius * shape.inner_radius;
}

// The bar starts at the centre and runs past the outer edge, so on the gap's side only the
// distance across it matters.
bool on_bar(const LandoltShape& shape, const RingFrame& frame, double x, double y) {
    return frame.u(x, y) >= 0.0 && std::abs(frame.v(x, y)) < shape.gap_half_width;
}

// The rows and columns a ring can reach inside the area.
struct PixelBox {
    int32_t x1, y1, x2, y2; // inclusive; empty when x1 > x2 or y1 > y2
};

PixelBox box_of(const LandoltShape& shape, int32_t width, int32_t height) {
    const double r = shape.outer_radius;
    const auto clamp_to = [](double value, int32_t limit) {
        return static_cast<int32_t>(std::clamp(value, -1.0, static_cast<double>(limit)));
    };
    return {clamp_to(std::floor(shape.cx - r) - 1.0, width),
            clamp_to(std::floor(shape.cy - r) - 1.0, height),
            clamp_to(std::ceil(shape.cx + r) + 1.0, width),
            clamp_to(std::ceil(shape.cy + r) + 1.0, height)};
}

// Whether pixel (x, y) is black: the ring covers its centre.
bool black_pixel(const LandoltShape& shape, const RingFrame& frame, int32_t x, int32_t y) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    return in_band(shape, px, py) && !on_bar(shape, frame, px, py);
}

// Whether the pixel holding the point (x, y) is black.
bool pixel_black(const LandoltShape& shape, const RingFrame& frame, double x, double y) {
    return black_pixel(shape, frame, static_cast<int32_t>(std::floor(x)),
                       static_cast<int32_t>(std::floor(y)));
}

// How far the white run from (x0, y0) reaches across the gap, one way, to the first black
// pixel; nothing when it leaves the ring first. A run is looked along for at most the bar's
// width and a few pixels more, in steps of a hundredth of a pixel (coarser for gaps of hundreds
// of pixels, which no one measures to a hundredth), so a ring of any size costs the same.
std::optional<double> run_to_black(const LandoltShape& shape, const RingFrame& frame, double x0,
                                   double y0, double direction) {
    const double step = std::max(0.01, shape.gap_half_width / 2000.0);
    const double reach = 2.0 * shape.gap_half_width + 4.0;
    const double across_x = -direction * frame.along_y;
    const double across_y = direction * frame.along_x;
    for (double t = step; t < reach; t += step)
        if (pixel_black(shape, frame, x0 + t * across_x, y0 + t * across_y))
            return t;
    return std::nullopt;
}

} // namespace

LandoltShape app_landolt_shape(double scale, double cx, double cy, int32_t side, int32_t tilt) {
    LandoltShape shape;
    shape.cx = cx;
    shape.cy = cy;
    shape.outer_radius = LANDOLT_REFERENCE_MM.outer_diameter / 2.0 * scale;
    shape.inner_radius = LANDOLT_REFERENCE_MM.inner_diameter / 2.0 * scale;
    shape.gap_half_width = LANDOLT_REFERENCE_MM.gap_width / 2.0 * scale;
    shape.side = side;
    shape.tilt = tilt;
    return shape;
}

std::vector<PixelRun> app_landolt_pixels(const LandoltShape& shape, int32_t width, int32_t height) {
    const RingFrame frame = frame_of(shape);
    const PixelBox box = box_of(shape, width, height);
    std::vector<PixelRun> runs;
    for (int32_t y = std::max(box.y1, 0); y <= std::min(box.y2, height - 1); ++y) {
        bool open = false;
        for (int32_t x = std::max(box.x1, 0); x <= std::min(box.x2, width - 1); ++x) {
            const bool black = black_pixel(shape, frame, x, y);
            if (black && open) {
                runs.back().x2 = x;
            } else if (black) {
                runs.push_back({y, x, x});
                open = true;
            } else {
                open = false;
            }
        }
    }
    return runs;
}

// At most this many lines across the gap, however wide the band.
constexpr double MOST_LINES = 48.0;

// Across the gap, a hundredth of a pixel at a time, at every quarter pixel of radius through the
// middle half of the band (spread wider on a band too wide for MOST_LINES) (nearer its edges a line
// across the gap runs along the circles, whose staircase would count as gap): the white run between
// the black on both sides, averaged. A line that is black at the gap's middle counts as 0; one that
// leaves the ring before meeting black (the band of a tiny ring can be too thin there) is left out.
double app_landolt_gap_drawn(const LandoltShape& shape) {
    const RingFrame frame = frame_of(shape);
    const double quarter = (shape.outer_radius - shape.inner_radius) / 4.0;
    const double first = shape.inner_radius + quarter;
    const double last = std::max(first, shape.outer_radius - quarter);
    const double spacing = std::max(0.25, (last - first) / MOST_LINES);
    double total = 0.0;
    int32_t lines = 0;
    for (double radius = first; radius <= last + 1e-9; radius += spacing) {
        const double x0 = shape.cx + radius * frame.along_x;
        const double y0 = shape.cy + radius * frame.along_y;
        if (pixel_black(shape, frame, x0, y0)) {
            ++lines;
            continue;
        }
        const std::optional<double> one_way = run_to_black(shape, frame, x0, y0, 1.0);
        const std::optional<double> other_way = run_to_black(shape, frame, x0, y0, -1.0);
        if (!one_way || !other_way)
            continue;
        total += *one_way + *other_way;
        ++lines;
    }
    return lines > 0 ? total / lines : 0.0;
}
