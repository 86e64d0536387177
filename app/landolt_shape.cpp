// The Landolt ring's ideal shape, its coverage of the pixels, and its gap as drawn.
#include "app/landolt_shape.h"

#include "runtime/math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Lines summed over each pixel row: the coverage is exact along a line, so only the rows' edges
// (the circles' tops, a level gap's sides) are summed in steps, of 1/64 of a pixel.
constexpr int32_t LINES_PER_ROW = 64;

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

struct Span {
    double x1;
    double x2; // empty when x2 <= x1
};

// Where along a line X (relative to the centre) satisfies k X + m >= 0, cut into `span`.
void keep_where(Span& span, double k, double m) {
    if (k == 0.0) {
        if (m < 0.0)
            span.x2 = span.x1;
    } else if (k > 0.0) {
        span.x1 = std::max(span.x1, -m / k);
    } else {
        span.x2 = std::min(span.x2, -m / k);
    }
}

// The area that the bar (u >= 0, |v| < w) takes out of the disc of radius rho about the centre.
double bar_in_disc(double w, double rho) {
    if (rho <= 0.0)
        return 0.0;
    const double half = std::min(w, rho);
    return half * std::sqrt(rho * rho - half * half) + rho * rho * std::asin(half / rho);
}

// The area of the ring's band that a bar of half-width w takes away.
double bar_in_band(const LandoltShape& shape, double w) {
    return bar_in_disc(w, shape.outer_radius) - bar_in_disc(w, shape.inner_radius);
}

// Adds the part of [x1, x2) inside [0, columns) to a row's pixels, weight per pixel of length;
// `whole` takes the pixels covered end to end as differences, summed afterwards.
void add_span(double x1, double x2, double weight, std::vector<double>& part,
              std::vector<double>& whole) {
    const auto columns = static_cast<double>(part.size());
    x1 = std::max(x1, 0.0);
    x2 = std::min(x2, columns);
    if (x2 <= x1)
        return;
    const auto first = static_cast<size_t>(x1);
    const auto last = std::min(static_cast<size_t>(x2), part.size() - 1);
    if (first == last) {
        part[first] += (x2 - x1) * weight;
        return;
    }
    part[first] += (static_cast<double>(first + 1) - x1) * weight;
    part[last] += (x2 - static_cast<double>(last)) * weight;
    whole[first + 1] += weight;
    whole[last] -= weight;
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

double app_landolt_area(const LandoltShape& shape) {
    const double band =
        M_PI * (shape.outer_radius * shape.outer_radius - shape.inner_radius * shape.inner_radius);
    return band - bar_in_band(shape, shape.gap_half_width);
}

uint8_t app_srgb_from_linear(double light) {
    if (!(light > 0.0))
        return 0;
    if (light >= 1.0)
        return 255;
    const double coded =
        light <= 0.0031308 ? 12.92 * light : 1.055 * std::pow(light, 1.0 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(std::clamp(coded, 0.0, 1.0) * 255.0));
}

double app_linear_from_srgb(uint8_t value) {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> light{};
        for (size_t i = 0; i < light.size(); ++i) {
            const double coded = static_cast<double>(i) / 255.0;
            light[i] = coded <= 0.04045 ? coded / 12.92 : std::pow((coded + 0.055) / 1.055, 2.4);
        }
        return light;
    }();
    return table[value];
}

uint8_t LandoltGreys::at(int32_t x, int32_t y) const {
    if (x < x1 || y < y1 || x >= x1 + columns || y >= y1 + rows)
        return 255;
    return values[static_cast<size_t>(y - y1) * static_cast<size_t>(columns) +
                  static_cast<size_t>(x - x1)];
}

// Along each line the ring is the outer circle's chord less the inner one's, less the bar's
// stretch of the line: at most four spans, whose lengths go to the pixels they cross.
LandoltGreys app_landolt_greys(const LandoltShape& shape, int32_t width, int32_t height) {
    const RingFrame frame = frame_of(shape);
    const double big_r = shape.outer_radius;
    const double small_r = shape.inner_radius;
    const double w = shape.gap_half_width;
    const auto clamp_to = [](double value, int32_t limit) {
        return static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(limit)));
    };
    LandoltGreys greys;
    greys.x1 = clamp_to(std::floor(shape.cx - big_r), width);
    greys.y1 = clamp_to(std::floor(shape.cy - big_r), height);
    greys.columns = clamp_to(std::ceil(shape.cx + big_r) + 1.0, width) - greys.x1;
    greys.rows = clamp_to(std::ceil(shape.cy + big_r) + 1.0, height) - greys.y1;
    if (greys.columns <= 0 || greys.rows <= 0 || !(big_r > 0.0)) {
        greys.columns = greys.rows = 0;
        return greys;
    }
    greys.values.assign(static_cast<size_t>(greys.columns) * static_cast<size_t>(greys.rows), 255);

    const auto columns = static_cast<size_t>(greys.columns);
    std::vector<double> part(columns);
    std::vector<double> whole(columns + 1);
    constexpr double WEIGHT = 1.0 / LINES_PER_ROW;
    constexpr double ALL = std::numeric_limits<double>::infinity();
    for (int32_t row = 0; row < greys.rows; ++row) {
        std::fill(part.begin(), part.end(), 0.0);
        std::fill(whole.begin(), whole.end(), 0.0);
        for (int32_t line = 0; line < LINES_PER_ROW; ++line) {
            const double dy = greys.y1 + row + (line + 0.5) * WEIGHT - shape.cy;
            if (std::abs(dy) >= big_r)
                continue;
            const double outer = std::sqrt(big_r * big_r - dy * dy);
            const double inner =
                std::abs(dy) < small_r ? std::sqrt(small_r * small_r - dy * dy) : 0.0;
            const Span band[2] = {{-outer, -inner}, {inner, outer}};
            // The bar: u >= 0, v < w and v > -w, each linear in X = x - cx along the line.
            Span bar{-ALL, ALL};
            keep_where(bar, frame.along_x, dy * frame.along_y);
            keep_where(bar, frame.along_y, w - dy * frame.along_x);
            keep_where(bar, -frame.along_y, w + dy * frame.along_x);
            const double offset = shape.cx - greys.x1;
            for (const Span& piece : band) {
                if (piece.x2 <= piece.x1)
                    continue;
                if (bar.x2 <= bar.x1 || bar.x2 <= piece.x1 || bar.x1 >= piece.x2) {
                    add_span(offset + piece.x1, offset + piece.x2, WEIGHT, part, whole);
                    continue;
                }
                if (bar.x1 > piece.x1)
                    add_span(offset + piece.x1, offset + bar.x1, WEIGHT, part, whole);
                if (bar.x2 < piece.x2)
                    add_span(offset + bar.x2, offset + piece.x2, WEIGHT, part, whole);
            }
        }
        double running = 0.0;
        uint8_t* out = &greys.values[static_cast<size_t>(row) * columns];
        for (size_t x = 0; x < columns; ++x) {
            running += whole[x];
            const double covered = std::clamp(part[x] + running, 0.0, 1.0);
            out[x] = app_srgb_from_linear(1.0 - covered);
        }
    }
    return greys;
}

// Pixels whose centres lie on the gap's half and within the bar's half-width and a pixel and a
// half of its axis: their light beyond that of the pixels opposite through the centre, summed,
// is the gap's area as drawn; the width of the ideal gap with that area is found by halving.
double app_landolt_gap_drawn(const LandoltShape& shape, const LandoltGreys& greys) {
    const RingFrame frame = frame_of(shape);
    const double reach = shape.gap_half_width + 1.5;
    const auto mirror_x = static_cast<int32_t>(std::lround(2.0 * shape.cx)) - 1;
    const auto mirror_y = static_cast<int32_t>(std::lround(2.0 * shape.cy)) - 1;
    double light = 0.0;
    for (int32_t y = greys.y1; y < greys.y1 + greys.rows; ++y) {
        for (int32_t x = greys.x1; x < greys.x1 + greys.columns; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            if (frame.u(px, py) <= 0.0 || std::abs(frame.v(px, py)) >= reach)
                continue;
            light += app_linear_from_srgb(greys.at(x, y)) -
                     app_linear_from_srgb(greys.at(mirror_x - x, mirror_y - y));
        }
    }
    if (!(light > 0.0))
        return 0.0;
    double low = 0.0;
    double high = shape.inner_radius;
    if (light >= bar_in_band(shape, high))
        return 2.0 * high;
    for (int32_t step = 0; step < 60; ++step) {
        const double middle = (low + high) / 2.0;
        (bar_in_band(shape, middle) < light ? low : high) = middle;
    }
    return low + high; // twice the half-width
}
