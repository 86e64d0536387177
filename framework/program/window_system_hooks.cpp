// The framework on the window system: GUI hand-over, child windows on screen, repaints, units.
#include "framework/program/window_system_hooks.h"

#include "framework/program/builtin_commands.h"
#include "framework/program/closing_menus.h"
#include "framework/program/keyboard.h"
#include "framework/program/mouse.h"
#include "framework/program/process.h"
#include "framework/program/window_presence.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/ui/child_view.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/gui_thread.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/window_hooks.h"
#include "runtime/trace.h"
#include "runtime/units.h"
#include "runtime/window_units.h"

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <set>

namespace {

std::array<std::atomic<int32_t>, GW_WINDOW_SLOTS> g_window_units{};

std::atomic<int32_t>* unit_slot(int32_t window_number) {
    const std::optional<int32_t> slot = framework::window_slot(window_number);
    if (!slot)
        return nullptr;
    return &g_window_units[*slot];
}

std::atomic<gw_screen_callback> g_screen_callback{nullptr};

// GUI thread.
GwScreenFacts frame_screen_facts() {
    const ui::ScreenFacts screen = ui::frame_screen();
    return {screen.width_px, screen.height_px, screen.width_mm, screen.height_mm};
}

// Windows the user closed: their on-screen window is already going away.
std::mutex g_user_closed_mutex;
std::set<int32_t> g_user_closed;

class RepaintObserver : public framework::SurfaceObserver {
public:
    void on_surface_changed(int32_t window_number) override {
        framework::on_gui_later([window_number] { ui::schedule_repaint(window_number); });
    }
};

RepaintObserver g_repaint_observer;

// The latest caret of each window slot on its way to the GUI thread. At most one hand-off per
// window is posted at a time and shows whatever caret is latest when it runs, so that text
// written faster than the GUI thread takes it posts no more than the repaints do.
struct PendingCaret {
    std::mutex mutex;
    framework::TextCaret caret;
    bool posted = false;
};
std::array<PendingCaret, GW_WINDOW_SLOTS> g_pending_carets;

void show_pending_caret(int32_t number, PendingCaret& pending) {
    framework::TextCaret caret;
    {
        std::lock_guard lock(pending.mutex);
        caret = pending.caret;
        pending.posted = false;
    }
    ui::set_view_caret(number, {caret.enabled, caret.x, caret.y, caret.width, caret.height});
}

// Called under the window's surface lock: it only records the caret and posts.
void caret_changed(int32_t number, const framework::TextCaret& caret) {
    const std::optional<int32_t> slot = framework::window_slot(number);
    if (!slot || !framework::gui_running())
        return;
    PendingCaret& pending = g_pending_carets[static_cast<size_t>(*slot)];
    {
        std::lock_guard lock(pending.mutex);
        pending.caret = caret;
        if (pending.posted)
            return;
        pending.posted = true;
    }
    framework::on_gui_later([number, &pending] { show_pending_caret(number, pending); });
}

bool open_on_screen(gw_child_window& window) {
    const int32_t number = window.number;
    framework::forget_mouse_callbacks(number);
    framework::forget_key_callback(number);
    const std::string title = gw_window_title(number);
    ui::ViewPlacement placement;
    placement.x = window.placement.x;
    placement.y = window.placement.y;
    placement.width = window.placement.width;
    placement.height = window.placement.height;
    bool opened = false;
    framework::on_gui_and_wait([&] { opened = ui::open_view(number, title, placement); });
    return opened;
}

void close_on_screen(gw_child_window& window, framework::CloseMode mode) {
    const bool keep = mode == framework::CloseMode::keep;
    const int32_t number = window.number;
    if (std::atomic<int32_t>* unit = unit_slot(number))
        unit->store(0);
    if (!keep) {
        framework::forget_mouse_callbacks(number);
        framework::forget_key_callback(number);
    }
    {
        std::lock_guard lock(g_user_closed_mutex);
        if (g_user_closed.erase(number) != 0)
            return;
    }
    if (keep) {
        const std::string title = gw_window_title(number);
        framework::on_gui_later([number, title] { ui::keep_closed_view(number, title); });
    } else {
        framework::on_gui_and_wait([number] {
            ui::destroy_view(number);
            ui::refresh_menu_bar();
        });
    }
}

// Posted, not awaited: the caller may hold the configuration lock.
void show_configured(gw_child_window& window) {
    const int32_t number = window.number;
    int32_t width = 0;
    int32_t height = 0;
    int32_t cell_width = 0;
    int32_t cell_height = 0;
    {
        framework::SurfaceAccess access(window.surface);
        width = access.bitmap().width();
        height = access.bitmap().height();
        cell_width = window.text_grid.cell_width;
        cell_height = window.text_grid.cell_height;
    }
    const std::string title = gw_window_title(number);
    framework::on_gui_later([=] {
        ui::set_view_title(number, title);
        ui::configure_view(number, width, height, cell_width, cell_height);
        ui::refresh_menu_bar();
    });
}

void paint_with_pixels(int32_t number, const std::function<void(const raster::Bitmap&)>& paint) {
    gw_child_window* window = framework::window_record(number);
    if (!window)
        return;
    framework::SurfaceAccess access(window->surface);
    if (access.is_ready())
        paint(access.bitmap());
}

raster::Rect take_changed(int32_t number) {
    gw_child_window* window = framework::window_record(number);
    return window ? window->surface.take_changed_rect() : raster::Rect{};
}

// A kept window ("-Closed") may be closed by the user; its slot is emptied with it.
bool may_close(int32_t number) {
    gw_child_window* window = gw_find_window(number);
    if (!window || window->slot_state() != WindowSlotState::closed)
        return false;
    {
        std::lock_guard lock(g_user_closed_mutex);
        g_user_closed.insert(number);
    }
    gw_close_child_window(number, 0);
    return true;
}

} // namespace

// The window is placed where the window system chooses (state 4, every value left open) and
// keeps the unit's input and output focus.
int32_t gw_open_unit_window(int32_t unit, const char* title) {
    const std::string own_title =
        title && *title ? std::string(title) : "Unit " + std::to_string(unit);
    gw_window_placement placement;
    placement.state = 4;
    const int32_t number = gw_open_child_window(own_title.c_str(), &placement);
    if (number < 0)
        return -1;
    if (std::atomic<int32_t>* slot = unit_slot(number))
        slot->store(unit);
    framework::mark_unit_window(*framework::window_record(number));
    rt_connect_unit_to_window(unit, number);
    framework::set_thread_active_window(number);
    rt_trace_event("window-opened",
                   {{"unit", unit}, {"number", number}, {"title", gw_window_title(number)}});
    return number;
}

int32_t gw_focus_unit_window(int32_t unit) {
    const std::optional<int32_t> number = gw_open_window_of_unit(unit);
    if (!number)
        return 0;
    framework::on_gui_later([view = *number] { ui::activate_view(view); });
    return 1;
}

int32_t gw_show_now() {
    const int32_t number = framework::thread_active_window();
    if (number < 0)
        return -1;
    return framework::on_gui_and_wait([number] { ui::repaint_view_now(number); }) ? 0 : -1;
}

GwScreenFacts gw_frame_screen() {
    GwScreenFacts facts;
    framework::on_gui_and_wait([&facts] { facts = frame_screen_facts(); });
    return facts;
}

void gw_register_screen_callback(gw_screen_callback callback) {
    g_screen_callback.store(callback);
}

namespace framework {

int32_t window_unit(int32_t window_number) {
    std::atomic<int32_t>* slot = unit_slot(window_number);
    return slot ? slot->load() : 0;
}

void attach_window_system() {
    ui::WindowHooks hooks;
    hooks.with_pixels = paint_with_pixels;
    hooks.take_changed = take_changed;
    hooks.on_mouse = dispatch_mouse_input;
    hooks.on_key = dispatch_key_input;
    hooks.may_close = may_close;
    hooks.on_menu_command = dispatch_menu_command;
    hooks.on_frame_screen_changed = [] {
        if (const gw_screen_callback callback = g_screen_callback.load())
            callback(frame_screen_facts());
    };
    hooks.on_presence_changed = framework::check_presence;
    hooks.on_frame_closed = [] {
        show_closing_menus();
        end_process(0);
    };
    ui::set_window_hooks(std::move(hooks));

    WindowSystemHooks window_hooks;
    window_hooks.open = open_on_screen;
    window_hooks.close = close_on_screen;
    window_hooks.configured = show_configured;
    window_hooks.caret_changed = caret_changed;
    set_window_system_hooks(std::move(window_hooks));
    set_surface_observer(&g_repaint_observer);
    set_screen_size(ui::screen_width(), ui::screen_height());

    set_gui_running();
}

} // namespace framework
