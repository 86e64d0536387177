// The clip stage: which device pixels a drawing call may touch.
#include "platform/raster/clipping.h"

namespace raster {

ClipArea make_clip_area(const Bitmap& target, const std::optional<Region>& clip) {
    ClipArea area{target.bounds(), nullptr};
    if (!clip)
        return area;
    area.bounds = area.bounds.intersected(clip->bounds());
    if (!clip->is_rectangle())
        area.mask = &*clip;
    return area;
}

} // namespace raster
