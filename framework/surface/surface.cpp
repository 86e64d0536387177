// The drawing surface, its lock and the coalescing of repaint notifications.
#include "framework/surface/surface.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace framework {

namespace {

std::atomic<SurfaceObserver*> g_observer{nullptr};

} // namespace

void set_surface_observer(SurfaceObserver* observer) {
    g_observer.store(observer, std::memory_order_release);
}

Surface::Surface() : m_context(m_bitmap) {}

bool Surface::rebuild(int32_t width, int32_t height, const Palette& palette) {
    raster::Bitmap bitmap;
    try {
        bitmap = raster::Bitmap(width, height, raster::pixel_from_colorref(palette.entry_color(0)));
    } catch (const std::bad_alloc&) {
        return false;
    }
    SurfaceAccess access(*this);
    m_bitmap = std::move(bitmap);
    m_palette = palette;
    m_state = GraphicsState::for_surface(width, height, palette.size);
    m_context.state() = raster::DrawState{};
    m_context.state().background_mode = raster::BackgroundMode::transparent;
    m_clip_selected = false;
    access.mark_changed(m_bitmap.bounds());
    m_state.dirty = false;
    return true;
}

void Surface::release() {
    SurfaceAccess access(*this);
    m_bitmap = raster::Bitmap();
    m_points = {};
    m_changed = {};
    m_clip_selected = false;
}

raster::Rect Surface::take_changed_rect() {
    std::lock_guard lock(m_lock);
    const raster::Rect changed = m_changed;
    m_changed = {};
    m_repaint_pending.store(0, std::memory_order_release);
    return changed;
}

void SurfaceAccess::notify_observer() {
    if (SurfaceObserver* observer = g_observer.load(std::memory_order_acquire))
        observer->on_surface_changed(m_surface.m_window_number);
}

raster::DrawingContext& SurfaceAccess::clipped_context() {
    if (!m_surface.m_clip_selected) {
        m_surface.m_context.set_clip_rect(m_surface.m_state.clip_rect.as_rect());
        m_surface.m_clip_selected = true;
    }
    return m_surface.m_context;
}

raster::DrawingContext& SurfaceAccess::unclipped_context() {
    if (m_surface.m_context.state().clip) {
        m_surface.m_context.set_clip(std::nullopt);
        m_surface.m_clip_selected = false;
    }
    return m_surface.m_context;
}

// The first change after a repaint took the changed rectangle sets the pending flag; only that
// access notifies, so a burst of drawing calls costs one repaint request.
void SurfaceAccess::add_changed(raster::Rect area) {
    const raster::Rect cut = area.intersected(m_surface.m_bitmap.bounds());
    if (cut.is_empty())
        return;
    m_surface.m_changed = m_surface.m_changed.united(cut);
    if (m_surface.m_repaint_pending.load(std::memory_order_relaxed) == 0 &&
        m_surface.m_repaint_pending.exchange(1, std::memory_order_acq_rel) == 0)
        m_notify = true;
}

} // namespace framework
