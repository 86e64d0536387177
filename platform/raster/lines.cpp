// The line loop: one-pixel lines with the platform's rounding and end-point rules.
#include "platform/raster/lines.h"

#include <algorithm>
#include <cstdlib>

namespace raster {

namespace {

int64_t floor_div(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                  : quotient;
}

// The steps i of a line whose major coordinate start + sign * i lies in [low, high), cut to
// [0, steps).
struct StepRange {
    int64_t begin = 0;
    int64_t end = 0;
};

StepRange steps_inside(int64_t start, int64_t sign, int64_t steps, int64_t low, int64_t high) {
    StepRange range{0, steps};
    if (sign > 0) {
        range.begin = std::max(range.begin, low - start);
        range.end = std::min(range.end, high - start);
    } else {
        range.begin = std::max(range.begin, start - high + 1);
        range.end = std::min(range.end, start - low + 1);
    }
    return range;
}

// Horizontal solid lines are the framework's most frequent call: store the run directly.
void draw_horizontal_run(Bitmap& target, int32_t y, int64_t x_begin, int64_t x_end,
                         const RopCodes& codes) {
    Pixel* row = target.row(y);
    for (int64_t x = x_begin; x < x_end; ++x)
        row[x] = codes.apply(row[x]);
}

} // namespace

// One pixel is drawn per step i = 0 .. steps - 1 along the major axis (x when |dx| >= |dy|), the
// end point left out. The minor coordinate is the exact value i * d_minor / steps rounded to the
// nearest integer, ties going to the smaller coordinate whatever the direction, so that a line
// and its reverse cover the same pixels. With n = i * d_minor and d = steps, rounding x - 1/2 up
// gives ceil((2n - d) / 2d) = floor((2n + d - 1) / 2d); the loop keeps that quotient and its
// remainder and adds 2 * d_minor per step. Clipping only chooses which steps are visited, so a
// clipped line is exactly the unclipped line with pixels removed.
void draw_line(Bitmap& target, const ClipArea& clip, Point from, Point to, PenPainter& pen) {
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0)
        return;

    const int64_t major_start = x_major ? from.x : from.y;
    const int64_t minor_start = x_major ? from.y : from.x;
    const int64_t major_sign = (x_major ? dx : dy) > 0 ? 1 : -1;
    const int64_t minor_delta = x_major ? dy : dx;
    const Rect& bounds = clip.bounds;
    const int64_t minor_low = x_major ? bounds.top : bounds.left;
    const int64_t minor_high = x_major ? bounds.bottom : bounds.right;
    const StepRange range =
        x_major ? steps_inside(major_start, major_sign, steps, bounds.left, bounds.right)
                : steps_inside(major_start, major_sign, steps, bounds.top, bounds.bottom);

    if (dy == 0 && !pen.is_styled && clip.is_rectangular()) {
        if (range.begin < range.end && from.y >= bounds.top && from.y < bounds.bottom) {
            const int64_t first = major_start + major_sign * range.begin;
            const int64_t last = major_start + major_sign * (range.end - 1);
            draw_horizontal_run(target, from.y, std::min(first, last), std::max(first, last) + 1,
                                pen.on);
        }
        pen.position += steps;
        return;
    }

    const int64_t divisor = 2 * steps;
    int64_t numerator = 2 * range.begin * minor_delta + steps - 1;
    int64_t offset = floor_div(numerator, divisor);
    int64_t remainder = numerator - offset * divisor;
    for (int64_t i = range.begin; i < range.end; ++i) {
        const int64_t minor = minor_start + offset;
        if (minor >= minor_low && minor < minor_high) {
            const auto major = static_cast<int32_t>(major_start + major_sign * i);
            const int32_t x = x_major ? major : static_cast<int32_t>(minor);
            const int32_t y = x_major ? static_cast<int32_t>(minor) : major;
            if (clip.mask == nullptr || clip.mask->contains({x, y})) {
                Pixel& pixel = target.row(y)[x];
                if (pen.is_on(i))
                    pixel = pen.on.apply(pixel);
                else if (pen.paints_gaps)
                    pixel = pen.gap.apply(pixel);
            }
        }
        remainder += 2 * minor_delta;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++offset;
        } else if (remainder < 0) {
            remainder += divisor;
            --offset;
        }
    }
    pen.position += steps;
}

void draw_polyline(Bitmap& target, const ClipArea& clip, std::span<const Point> points, bool closed,
                   PenPainter& pen) {
    for (size_t i = 1; i < points.size(); ++i)
        draw_line(target, clip, points[i - 1], points[i], pen);
    if (closed && points.size() > 1)
        draw_line(target, clip, points.back(), points.front(), pen);
}

} // namespace raster
