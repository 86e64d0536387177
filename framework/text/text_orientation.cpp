// Text orientation: the process-wide angle of graphic text, set as an angle or as a direction.
#include "framework/surface/call_status.h"
#include "framework/text/gw_text.h"
#include "framework/text/process_font_state.h"
#include "framework/windows/thread_record.h"

namespace {

using framework::FontState;

int32_t sign(int32_t value) {
    return (value > 0) - (value < 0);
}

bool is_raster(const gw_window_font& font) {
    return (font.font_type & fonts::RASTER_FONTTYPE) != 0;
}

// Sets the orientation and re-creates the window's current font turned. When that fails the
// requested angle goes back while the orientation keeps the new value, and the window keeps
// its font.
void turn(FontState& state, gw_child_window& window, int32_t angle) {
    const int32_t reduced = angle % 3600;
    if (reduced == state.orientation) {
        state.requested_angle = angle;
        return;
    }
    gw_window_font current;
    {
        framework::SurfaceAccess access(window.surface);
        current = window.font;
    }
    if (reduced != 0 && current.font && is_raster(current)) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return;
    }
    const int32_t previous_request = state.requested_angle;
    state.orientation = reduced;
    state.requested_angle = angle;
    if (!current.font || current.font_index < 0)
        return;
    const framework::FontChoice choice{current.font_index, framework::FontSize::requested,
                                       current.font_height, current.font_width};
    if (framework::create_entry_font(state, window, choice) < 0)
        state.requested_angle = previous_request;
}

// The angle of each direction of signs (dx, dy), y upwards, in tenths of a degree.
int32_t direction_angle(int32_t dx, int32_t dy) {
    static constexpr int32_t ANGLES[3][3] = {
        // dy:  -1    0     1
        {2250, 1800, 1350}, // dx -1
        {2700, 0, 900},     // dx 0
        {3150, 0, 450},     // dx 1
    };
    return ANGLES[dx + 1][dy + 1];
}

int32_t pack_direction(int32_t dx, int32_t dy) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(dy)) << 16 |
                                static_cast<uint16_t>(dx));
}

} // namespace

void gw_set_text_orientation(int32_t angle) {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    gw_child_window* window = gw_get_active_window();
    if (!window || !state.initialised)
        return;
    turn(state, *window, angle);
    state.set_as_direction = false;
}

int32_t gw_get_text_orientation() {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    framework::set_graphics_status(GW_STATUS_OK);
    if (state.set_as_direction)
        return direction_angle(state.direction_x, state.direction_y) / 10;
    return state.requested_angle;
}

// Every direction but along x needs a scalable current font.
int32_t gw_set_text_direction(int32_t dx, int32_t dy) {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    const int32_t previous = pack_direction(state.direction_x, state.direction_y);
    gw_child_window* window = gw_get_active_window();
    dx = sign(dx);
    dy = sign(dy);
    if (!window || !state.initialised || (dx == 0 && dy == 0))
        return previous;
    if (!(dx > 0 && dy == 0)) {
        gw_window_font current;
        {
            framework::SurfaceAccess access(window->surface);
            current = window->font;
        }
        if (!current.font || is_raster(current)) {
            framework::set_graphics_status(GW_STATUS_FAILED);
            return previous;
        }
    }
    turn(state, *window, direction_angle(dx, dy));
    state.direction_x = dx;
    state.direction_y = dy;
    state.set_as_direction = true;
    return previous;
}

void gw_get_text_direction(int32_t* dx, int32_t* dy) {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    framework::set_graphics_status(GW_STATUS_OK);
    if (dx)
        *dx = state.direction_x;
    if (dy)
        *dy = state.direction_y;
}
