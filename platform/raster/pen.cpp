// The pen stage: what a cosmetic pen puts down at each step of a line.
#include "platform/raster/pen.h"

#include <array>
#include <span>

namespace raster {

namespace {

// Runs of on and off steps along the major axis, starting with an "on" run.
constexpr std::array<uint8_t, 2> DASH_RUNS{18, 6};
constexpr std::array<uint8_t, 2> DOT_RUNS{3, 3};
constexpr std::array<uint8_t, 4> DASH_DOT_RUNS{9, 6, 3, 6};
constexpr std::array<uint8_t, 6> DASH_DOT_DOT_RUNS{9, 3, 3, 3, 3, 3};

std::span<const uint8_t> runs_of(PenStyle style) {
    switch (style) {
    case PenStyle::dash:
        return DASH_RUNS;
    case PenStyle::dot:
        return DOT_RUNS;
    case PenStyle::dash_dot:
        return DASH_DOT_RUNS;
    case PenStyle::dash_dot_dot:
        return DASH_DOT_DOT_RUNS;
    case PenStyle::solid:
    case PenStyle::null:
        break;
    }
    return {};
}

} // namespace

PenSetup make_pen_painter(const DrawState& state) {
    PenSetup setup;
    if (state.pen.style == PenStyle::null)
        return setup;
    setup.is_null = false;
    PenPainter& painter = setup.painter;
    painter.on = make_rop_codes(state.raster_op, pixel_from_colorref(state.pen.color));

    const std::span<const uint8_t> runs = runs_of(state.pen.style);
    if (runs.empty()) {
        painter.dash_bits = 1;
        return setup;
    }
    painter.is_styled = true;
    painter.paints_gaps = state.background_mode == BackgroundMode::opaque;
    painter.gap = make_rop_codes(state.raster_op, pixel_from_colorref(state.background_color));
    int32_t step = 0;
    for (size_t run = 0; run < runs.size(); ++run) {
        for (int32_t i = 0; i < runs[run]; ++i, ++step)
            if (run % 2 == 0)
                painter.dash_bits |= uint64_t{1} << step;
    }
    painter.period = step;
    return setup;
}

} // namespace raster
