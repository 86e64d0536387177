// The line loop: one-pixel lines with the platform's rounding and end-point rules.
#include "platform/raster/lines.h"

#include <algorithm>
#include <cstdlib>

namespace raster {

namespace {

// Steps and deltas reach 2^32 for end points anywhere in the 32-bit plane, so the products
// that start a clipped line need more than 64 bits.
__extension__ typedef __int128 Wide;

// Rounds toward minus infinity; `denominator` is positive.
Wide floor_div(Wide numerator, Wide denominator) {
    const Wide quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
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

// A line as the loop sees it: a major axis stepped one pixel at a time and a minor axis.
struct LineWalk {
    bool x_major = true;
    int64_t steps = 0;
    int64_t major_start = 0;
    int64_t major_sign = 1;
    int64_t minor_start = 0;
    int64_t minor_delta = 0;
};

LineWalk walk_of(Point from, Point to) {
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    LineWalk walk;
    walk.x_major = std::llabs(dx) >= std::llabs(dy);
    walk.steps = walk.x_major ? std::llabs(dx) : std::llabs(dy);
    walk.major_start = walk.x_major ? from.x : from.y;
    walk.major_sign = (walk.x_major ? dx : dy) > 0 ? 1 : -1;
    walk.minor_start = walk.x_major ? from.y : from.x;
    walk.minor_delta = walk.x_major ? dy : dx;
    return walk;
}

// Horizontal solid lines are the framework's most frequent call: store the run directly.
void draw_horizontal_run(Bitmap& target, const LineWalk& walk, StepRange range,
                         const RopCodes& codes) {
    const int64_t first = walk.major_start + walk.major_sign * range.begin;
    const int64_t last = walk.major_start + walk.major_sign * (range.end - 1);
    Pixel* row = target.row(static_cast<int32_t>(walk.minor_start));
    for (int64_t x = std::min(first, last); x <= std::max(first, last); ++x)
        row[x] = codes.apply(row[x]);
}

// Visits steps range.begin .. range.end - 1. The minor offset of step i is
// floor((2 i d_minor + steps - 1) / (2 steps)) (see draw_line); the loop keeps that quotient and
// its remainder and adds 2 d_minor per step. The dash phase of step i, (position + i) mod
// period, is kept the same way.
void draw_steps(Bitmap& target, const ClipArea& clip, const LineWalk& walk, StepRange range,
                const PenPainter& pen) {
    const int64_t minor_low = walk.x_major ? clip.bounds.top : clip.bounds.left;
    const int64_t minor_high = walk.x_major ? clip.bounds.bottom : clip.bounds.right;
    const int64_t divisor = 2 * walk.steps;
    const Wide numerator = Wide{2} * range.begin * walk.minor_delta + walk.steps - 1;
    auto offset = static_cast<int64_t>(floor_div(numerator, divisor));
    auto remainder = static_cast<int64_t>(numerator - Wide{offset} * divisor);
    int64_t phase = (pen.position + range.begin) % pen.period;
    for (int64_t i = range.begin; i < range.end; ++i) {
        const int64_t minor = walk.minor_start + offset;
        if (minor >= minor_low && minor < minor_high) {
            const auto major = static_cast<int32_t>(walk.major_start + walk.major_sign * i);
            const int32_t x = walk.x_major ? major : static_cast<int32_t>(minor);
            const int32_t y = walk.x_major ? static_cast<int32_t>(minor) : major;
            if (clip.mask == nullptr || clip.mask->contains({x, y})) {
                Pixel& pixel = target.row(y)[x];
                if (pen.dash_bits >> phase & 1u)
                    pixel = pen.on.apply(pixel);
                else if (pen.paints_gaps)
                    pixel = pen.gap.apply(pixel);
            }
        }
        if (++phase == pen.period)
            phase = 0;
        remainder += 2 * walk.minor_delta;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++offset;
        } else if (remainder < 0) {
            remainder += divisor;
            --offset;
        }
    }
}

} // namespace

// One pixel is drawn per step i = 0 .. steps - 1 along the major axis (x when |dx| >= |dy|), the
// end point left out. The minor coordinate is the exact value i * d_minor / steps rounded to the
// nearest integer, ties going to the smaller coordinate whatever the direction, so that a line
// and its reverse cover the same pixels. With n = i * d_minor and d = steps, rounding n / d - 1/2
// up gives ceil((2n - d) / 2d) = floor((2n + d - 1) / 2d). Clipping only chooses which steps are
// visited, so a clipped line is exactly the unclipped line with pixels removed, and the dashes
// count from the line's start, not from the clip edge.
void draw_line(Bitmap& target, const ClipArea& clip, Point from, Point to, PenPainter& pen) {
    const LineWalk walk = walk_of(from, to);
    if (walk.steps == 0)
        return;
    const Rect& bounds = clip.bounds;
    const StepRange range = walk.x_major ? steps_inside(walk.major_start, walk.major_sign,
                                                        walk.steps, bounds.left, bounds.right)
                                         : steps_inside(walk.major_start, walk.major_sign,
                                                        walk.steps, bounds.top, bounds.bottom);
    if (range.begin < range.end) {
        const bool plain_row =
            walk.minor_delta == 0 && walk.x_major && !pen.is_styled && clip.is_rectangular();
        if (!plain_row)
            draw_steps(target, clip, walk, range, pen);
        else if (walk.minor_start >= bounds.top && walk.minor_start < bounds.bottom)
            draw_horizontal_run(target, walk, range, pen.on);
    }
    pen.position += walk.steps;
}

void draw_polyline(Bitmap& target, const ClipArea& clip, std::span<const Point> points, bool closed,
                   PenPainter& pen) {
    for (size_t i = 1; i < points.size(); ++i)
        draw_line(target, clip, points[i - 1], points[i], pen);
    if (closed && points.size() > 1)
        draw_line(target, clip, points.back(), points.front(), pen);
}

} // namespace raster
