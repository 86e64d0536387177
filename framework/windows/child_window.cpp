// The window table, opening child windows, the steps of closing one, and the default window.
#include "framework/windows/child_window.h"

#include "framework/surface/call_status.h"
#include "runtime/window_units.h"

#include <array>
#include <mutex>

namespace {

struct WindowTable {
    std::mutex mutex; // taken to find a free slot and to fill or empty one
    std::array<gw_child_window, GW_WINDOW_SLOTS> slots;

    WindowTable() {
        for (int32_t slot = 0; slot < GW_WINDOW_SLOTS; ++slot) {
            slots[slot].number = GW_FIRST_WINDOW_NUMBER + slot;
            slots[slot].surface.set_window_number(GW_FIRST_WINDOW_NUMBER + slot);
        }
    }
};

WindowTable& window_table() {
    static WindowTable table;
    return table;
}

framework::WindowSystemHooks g_window_system;

// Lock order: the default-window lock before the window-table lock.
std::mutex g_default_window_mutex;
std::atomic<int32_t> g_default_window{-1};

gw_child_window* slot_record(int32_t window_number) {
    const std::optional<int32_t> slot = framework::window_slot(window_number);
    if (!slot)
        return nullptr;
    return &window_table().slots[*slot];
}

std::string default_title(const gw_child_window& window) {
    return "Graphic" + std::to_string(framework::window_slot(window.number).value_or(0) + 1);
}

gw_child_window* take_free_slot(const char* title, const gw_window_placement* placement) {
    WindowTable& table = window_table();
    std::lock_guard lock(table.mutex);
    for (gw_child_window& window : table.slots) {
        if (window.slot_state() != WindowSlotState::empty)
            continue;
        window.title = title && *title ? std::string(title) : default_title(window);
        window.unit_window = false;
        window.placement = placement ? *placement : gw_window_placement{};
        window.platform_window = nullptr;
        window.configured.store(0, std::memory_order_release);
        window.state.store(static_cast<int32_t>(WindowSlotState::open), std::memory_order_release);
        return &window;
    }
    return nullptr;
}

} // namespace

// The slot is taken first, then the window is created on screen outside the table lock (the GUI
// thread may need the table meanwhile); a window that cannot be created frees its slot again.
int32_t gw_open_child_window(const char* title, const gw_window_placement* placement) {
    gw_child_window* window = take_free_slot(title, placement);
    if (window && g_window_system.open && !g_window_system.open(*window)) {
        std::lock_guard lock(window_table().mutex);
        window->state.store(static_cast<int32_t>(WindowSlotState::empty),
                            std::memory_order_release);
        window = nullptr;
    }
    if (!window) {
        framework::set_graphics_status(-1);
        return -1;
    }
    return window->number;
}

gw_child_window* gw_find_window(int32_t window_number) {
    gw_child_window* window = slot_record(window_number);
    if (!window || window->slot_state() == WindowSlotState::empty)
        return nullptr;
    return window;
}

std::optional<int32_t> gw_open_window_of_unit(int32_t unit) {
    const std::optional<int32_t> number = rt_unit_window(unit);
    if (!number)
        return std::nullopt;
    const gw_child_window* window = gw_find_window(*number);
    if (!window || window->slot_state() != WindowSlotState::open)
        return std::nullopt;
    return number;
}

std::string gw_window_title(int32_t window_number) {
    gw_child_window* window = gw_find_window(window_number);
    if (!window)
        return {};
    std::lock_guard lock(window_table().mutex);
    return window->title;
}

namespace framework {

gw_child_window* window_record(int32_t window_number) {
    return slot_record(window_number);
}

void rename_window(gw_child_window& window, std::string title) {
    std::lock_guard lock(window_table().mutex);
    window.title = std::move(title);
}

void mark_unit_window(gw_child_window& window) {
    std::lock_guard lock(window_table().mutex);
    window.unit_window = true;
}

bool is_unit_window(const gw_child_window& window) {
    std::lock_guard lock(window_table().mutex);
    return window.unit_window;
}

void set_window_system_hooks(WindowSystemHooks hooks) {
    g_window_system = std::move(hooks);
}

const WindowSystemHooks& window_system_hooks() {
    return g_window_system;
}

// A destroyed window stays marked closed until its surface is released, so that drawing fails
// and no opener takes the slot meanwhile.
bool mark_window_closed(gw_child_window& window, CloseMode mode) {
    std::lock_guard lock(window_table().mutex);
    const WindowSlotState state = window.slot_state();
    if (state == WindowSlotState::empty ||
        (mode == CloseMode::keep && state == WindowSlotState::closed))
        return false;
    if (mode == CloseMode::keep)
        window.title += "-Closed";
    window.state.store(static_cast<int32_t>(WindowSlotState::closed), std::memory_order_release);
    return true;
}

void empty_window_slot(gw_child_window& window) {
    {
        SurfaceAccess access(window.surface);
        window.text_grid = TextGrid{};
        window.text_window = TextWindow{};
    }
    std::lock_guard lock(window_table().mutex);
    window.configured.store(0, std::memory_order_release);
    window.state.store(static_cast<int32_t>(WindowSlotState::empty), std::memory_order_release);
}

bool is_default_window(int32_t window_number) {
    return g_default_window.load() == window_number;
}

} // namespace framework

int32_t gw_default_window() {
    std::lock_guard lock(g_default_window_mutex);
    const int32_t current = g_default_window.load();
    const gw_child_window* window = gw_find_window(current);
    if (window && window->slot_state() == WindowSlotState::open)
        return current;
    const int32_t opened = gw_open_child_window();
    g_default_window.store(opened);
    return opened;
}
