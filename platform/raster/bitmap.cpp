// A 32-bit bitmap: the picture that drawing contexts draw into.
#include "platform/raster/bitmap.h"

#include <algorithm>

namespace raster {

// A negative size is taken as zero, giving an empty bitmap rather than a huge allocation.
Bitmap::Bitmap(int32_t width, int32_t height, Pixel fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), fill | OPAQUE_BITS) {}

void Bitmap::fill(Pixel value) {
    std::fill(m_pixels.begin(), m_pixels.end(), value | OPAQUE_BITS);
}

} // namespace raster
