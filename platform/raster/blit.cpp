// Block transfers: copying a rectangle of pixels and scrolling an area.
#include "platform/raster/clipping.h"
#include "platform/raster/drawing_context.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace raster {

// The source rectangle is cut to the source bitmap and the destination to the clip, each cut
// moving the other by the same amount. Rows are copied top-down or bottom-up and each row with
// memmove, so that a copy within one bitmap reads every pixel before it is overwritten; under a
// non-rectangular clip the rows go through a temporary instead.
void DrawingContext::copy_from(const Bitmap& source, Rect source_rect, Point destination) {
    source_rect = source_rect.normalized();
    const Rect source_area = source_rect.intersected(source.bounds());
    if (source_area.is_empty())
        return;
    // The offset from source to destination can exceed 32 bits; the cut destination cannot.
    const int64_t dx = int64_t{destination.x} - source_rect.left;
    const int64_t dy = int64_t{destination.y} - source_rect.top;
    const ClipArea clip = make_clip_area(*m_target, m_state.clip);
    const Rect target_area{
        static_cast<int32_t>(std::max<int64_t>(source_area.left + dx, clip.bounds.left)),
        static_cast<int32_t>(std::max<int64_t>(source_area.top + dy, clip.bounds.top)),
        static_cast<int32_t>(std::min<int64_t>(source_area.right + dx, clip.bounds.right)),
        static_cast<int32_t>(std::min<int64_t>(source_area.bottom + dy, clip.bounds.bottom))};
    if (target_area.is_empty())
        return;

    const auto width = static_cast<size_t>(target_area.width());
    const bool same = &source == m_target;
    std::vector<Pixel> buffer;
    if (!clip.is_rectangular())
        buffer.resize(width);
    const bool upward = same && dy > 0;
    for (int32_t i = 0; i < target_area.height(); ++i) {
        const int32_t y = upward ? target_area.bottom - 1 - i : target_area.top + i;
        const Pixel* from = source.row(static_cast<int32_t>(y - dy)) + (target_area.left - dx);
        Pixel* to = m_target->row(y) + target_area.left;
        if (clip.is_rectangular()) {
            std::memmove(to, from, width * sizeof(Pixel));
            continue;
        }
        std::copy(from, from + width, buffer.begin());
        for (size_t x = 0; x < width; ++x)
            if (clip.mask->contains({target_area.left + static_cast<int32_t>(x), y}))
                to[x] = buffer[x];
    }
}

void DrawingContext::scroll(Rect area, int32_t dx, int32_t dy) {
    area = area.normalized().intersected(m_target->bounds());
    if (int64_t{dx} <= -area.width() || dx >= area.width() || int64_t{dy} <= -area.height() ||
        dy >= area.height())
        return;
    const Rect moved = area.translated(dx, dy).intersected(area);
    if (moved.is_empty())
        return;
    const std::optional<Region> saved = m_state.clip;
    intersect_clip_rect(area);
    copy_from(*m_target, moved.translated(-dx, -dy), {moved.left, moved.top});
    m_state.clip = saved;
}

} // namespace raster
