// A 32-bit bitmap: the picture that drawing contexts draw into.
#pragma once

#include "platform/raster/color.h"
#include "platform/raster/geometry.h"

#include <cstdint>
#include <vector>

namespace raster {

// Pixels are stored row by row from the top, each row `width()` pixels long, as 0xFFRRGGBB.
// A Bitmap is plain memory: it is not thread-safe, and its owner serialises access.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int32_t width, int32_t height, Pixel fill = 0xFFFFFFFFu);

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    Rect bounds() const { return {0, 0, m_width, m_height}; }

    Pixel* row(int32_t y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    const Pixel* row(int32_t y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    Pixel* data() { return m_pixels.data(); }
    const Pixel* data() const { return m_pixels.data(); }

    // Unchecked access; the caller keeps (x, y) inside bounds().
    Pixel pixel(int32_t x, int32_t y) const { return row(y)[x]; }
    void set_pixel(int32_t x, int32_t y, Pixel value) { row(y)[x] = value; }

    void fill(Pixel value);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<Pixel> m_pixels;
};

} // namespace raster
