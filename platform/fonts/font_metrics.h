// Private to the fonts library: a face's design measurements and the platform's size arithmetic.
#pragma once

#include "platform/fonts/face_cache.h"
#include "platform/fonts/logical_font.h"

#include <cstdint>

namespace fonts {

// The cell height of a font asked for with height 0.
constexpr int32_t DEFAULT_CELL_HEIGHT = 16;

// What the size arithmetic needs from a face, in font units.
struct FaceMeasures {
    int32_t units_per_em = 2048;
    int32_t win_ascent = 0;
    int32_t win_descent = 0;
    int32_t average_width = 0;
    int32_t line_gap = 0; // the typographic line gap beyond the win metrics
    int32_t max_width = 0;
    int32_t weight = FW_NORMAL;
    int32_t underline_position = 0; // above the baseline, negative below it
    int32_t underline_thickness = 0;
    bool italic = false;
    bool fixed_pitch = false;
    uint8_t family = FF_DONTCARE;
};

FaceMeasures read_measures(FT_Face face);

// The em size in pixels in each direction.
struct EmSize {
    double x = 0;
    double y = 0;
};

EmSize em_size(const FaceMeasures& face, const LogicalFont& font);

// The metrics of the face created for `font` at `em`.
TextMetrics text_metrics(const FaceMeasures& face, const LogicalFont& font, EmSize em);

} // namespace fonts
