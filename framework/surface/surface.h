// A child window's drawing surface: its bitmap, graphics state and palette behind one lock, and
// the record of what changed since the last repaint.
#pragma once

#include "framework/surface/graphics_state.h"
#include "framework/surface/surface_lock.h"
#include "framework/surface/window_palette.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/drawing_context.h"
#include "platform/raster/geometry.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace framework {

// Told when a surface gets a change while no repaint of it is pending. The user-interface layer
// registers one observer and schedules a repaint of the window from it.
class SurfaceObserver {
public:
    virtual ~SurfaceObserver() = default;
    // Called on the drawing thread outside any drawing call: the surface may stay held by the
    // drawing thread, but any thread that asks for it gets it at once. Must not block on the
    // user-interface thread.
    virtual void on_surface_changed(int32_t window_number) = 0;
};

// Registers the observer of every surface (nullptr: none). The observer must outlive its
// registration. Thread-safe.
void set_surface_observer(SurfaceObserver* observer);

class SurfaceAccess;

// Thread-safe: everything but window_number() and repaint_pending() is reached through a
// SurfaceAccess, which holds the lock. A repaint takes the changed rectangle, then copies the
// bitmap through a SurfaceAccess, so that it never copies a figure half drawn. The lock stays with
// the drawing thread between its calls (see SurfaceLock), so drawing pays for it only when
// another thread has asked for the surface.
class Surface {
public:
    Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void set_window_number(int32_t number) { m_window_number = number; }
    int32_t window_number() const { return m_window_number; }

    // Builds a width x height bitmap filled with palette entry 0 and resets the graphics state.
    // Returns false, leaving the surface as it was, when the memory cannot be had.
    bool rebuild(int32_t width, int32_t height, const Palette& palette);
    // Frees the bitmap; drawing on a released surface fails.
    void release();

    // The area changed since the last call (empty when none), for a repaint: clears it and
    // the repaint-pending flag, so that the next change notifies the observer again.
    raster::Rect take_changed_rect();
    bool repaint_pending() const { return m_repaint_pending.load(std::memory_order_acquire) != 0; }

private:
    friend class SurfaceAccess;

    SurfaceLock m_lock;
    int32_t m_window_number = 0;
    raster::Bitmap m_bitmap;
    raster::DrawingContext m_context; // persistent, drawing into m_bitmap
    GraphicsState m_state;
    Palette m_palette;
    bool m_clip_selected = false; // the context's clip region is m_state.clip_rect
    raster::Rect m_changed;
    std::vector<raster::Point> m_points; // reused vertex buffer of polygons
    std::atomic<int32_t> m_repaint_pending{0};
};

// Exclusive access to a surface for one drawing call: takes the lock on construction and
// releases it on destruction, then tells the observer when this access made a repaint pending.
class SurfaceAccess {
public:
    explicit SurfaceAccess(Surface& surface) : m_surface(surface) { surface.m_lock.lock(); }
    ~SurfaceAccess() {
        m_surface.m_lock.unlock();
        if (m_notify)
            notify_observer();
    }
    SurfaceAccess(const SurfaceAccess&) = delete;
    SurfaceAccess& operator=(const SurfaceAccess&) = delete;

    // False while the surface has no bitmap (not configured yet, or released).
    bool is_ready() const { return m_surface.m_bitmap.width() > 0; }

    raster::Bitmap& bitmap() { return m_surface.m_bitmap; }
    GraphicsState& state() { return m_surface.m_state; }
    const Palette& palette() const { return m_surface.m_palette; }
    std::vector<raster::Point>& point_buffer() { return m_surface.m_points; }

    // The drawing context with the clip rectangle selected as its clip region.
    raster::DrawingContext& clipped_context();
    // The drawing context with no clip region.
    raster::DrawingContext& unclipped_context();
    // The plain pixel operation inside the clip rectangle, which always lies inside the bitmap:
    // a pixel outside it is neither read (nothing) nor set (false). Cheaper than a round trip
    // through the drawing context's clip region, which the pixel-by-pixel figures pay per pixel.
    std::optional<raster::ColorRef> clipped_pixel(raster::Point p) const {
        if (!m_surface.m_state.clip_rect.contains(p))
            return std::nullopt;
        return raster::colorref_from_pixel(m_surface.m_bitmap.pixel(p.x, p.y));
    }
    bool set_clipped_pixel(raster::Point p, raster::ColorRef color) {
        if (!m_surface.m_state.clip_rect.contains(p))
            return false;
        m_surface.m_bitmap.set_pixel(p.x, p.y, raster::pixel_from_colorref(color));
        return true;
    }
    // Both at once: sets the pixel inside the clip rectangle and returns its previous colour.
    std::optional<raster::ColorRef> replace_clipped_pixel(raster::Point p, raster::ColorRef color) {
        if (!m_surface.m_state.clip_rect.contains(p))
            return std::nullopt;
        const raster::Pixel previous = m_surface.m_bitmap.pixel(p.x, p.y);
        m_surface.m_bitmap.set_pixel(p.x, p.y, raster::pixel_from_colorref(color));
        return raster::colorref_from_pixel(previous);
    }

    // Marks the clip region for re-selection after clip_rect changed.
    void clip_rect_changed() { m_surface.m_clip_selected = false; }

    // Records that pixels inside `area` (empty when right <= left or bottom <= top) may have
    // changed: sets the dirty flag and adds the area, cut to the surface, to the changed rectangle.
    // Inline for the common case of drawing inside what already waits for a repaint: the changed
    // rectangle lies inside the surface and is non-empty only while a repaint is pending, so an
    // area inside it changes nothing else.
    void mark_changed(raster::Rect area) {
        m_surface.m_state.dirty = true;
        const raster::Rect& changed = m_surface.m_changed;
        if (area.left >= changed.left && area.top >= changed.top && area.right <= changed.right &&
            area.bottom <= changed.bottom)
            return;
        add_changed(area);
    }

private:
    void add_changed(raster::Rect area);
    void notify_observer();

    Surface& m_surface;
    bool m_notify = false;
};

} // namespace framework
