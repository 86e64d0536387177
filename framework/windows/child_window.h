// Child windows: the gw_child_window record, the 40-slot window table and opening a window.
#pragma once

#include "framework/surface/surface.h"
#include "framework/windows/selected_font.h"
#include "framework/windows/text_grid.h"
#include "framework/windows/text_window.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr int32_t GW_WINDOW_SLOTS = 40;
constexpr int32_t GW_FIRST_WINDOW_NUMBER = 1024; // window number = 1024 + slot
constexpr int32_t GW_FRAME_WINDOW_NUMBER = static_cast<int32_t>(0x80000000u);
constexpr int32_t GW_PLACEMENT_DEFAULT = static_cast<int32_t>(0x80000000u);

namespace framework {

// The window table's slot of a child window's number, or nothing for any other number (the
// frame's, a dialog's, a number past the table). Tables kept per child window index by it.
constexpr std::optional<int32_t> window_slot(int32_t window_number) {
    const int32_t slot = window_number - GW_FIRST_WINDOW_NUMBER;
    if (slot < 0 || slot >= GW_WINDOW_SLOTS)
        return std::nullopt;
    return slot;
}

} // namespace framework

// Where a child window is to appear; any field may be GW_PLACEMENT_DEFAULT.
struct gw_window_placement {
    int32_t state = GW_PLACEMENT_DEFAULT;
    int32_t x = GW_PLACEMENT_DEFAULT;
    int32_t y = GW_PLACEMENT_DEFAULT;
    int32_t width = GW_PLACEMENT_DEFAULT;
    int32_t height = GW_PLACEMENT_DEFAULT;
};

enum class WindowSlotState : int32_t { empty = 0, open = 1, closed = 2 };

// One per slot of the window table, living as long as the process, so that a thread holding a
// pointer to it never dangles: closing a window releases its surface and empties the slot, and
// opening a window into the slot reuses the record.
//
// `title`, `unit_window`, `placement` and `platform_window` are guarded by the window-table lock;
// read the title through gw_window_title. `colors`, `text_grid` and `text_window` are guarded
// by the surface lock.
struct gw_child_window {
    int32_t number = 0;
    std::atomic<int32_t> state{static_cast<int32_t>(WindowSlotState::empty)};
    std::atomic<int32_t> configured{0}; // a window configuration has been applied
    std::string title;
    bool unit_window = false; // opened by a unit for input and output
    gw_window_placement placement;
    int32_t colors = 0;                // number of colours of the configuration in force
    framework::TextGrid text_grid;     // the text cells of the configuration in force
    framework::TextWindow text_window; // where text output writes, and what it wrote
    void* platform_window = nullptr;   // the on-screen window, attached by the user-interface layer
    framework::Surface surface;
    // Graphic text: the window's current font, guarded by the surface lock.
    gw_window_font font;

    WindowSlotState slot_state() const {
        return static_cast<WindowSlotState>(state.load(std::memory_order_acquire));
    }
};

// Opens a child window in the first free slot and returns its number, or -1 with graphics
// status -1 when every slot is taken. Without a title the window is called "Graphic" followed by
// its slot number plus 1. The window has no surface until a configuration is applied.
int32_t gw_open_child_window(const char* title = nullptr,
                             const gw_window_placement* placement = nullptr);

// The record of an open or closed window, or nullptr for an empty slot or a bad number.
gw_child_window* gw_find_window(int32_t window_number);
// The number of the open child window connected to `unit`, or nothing.
std::optional<int32_t> gw_open_window_of_unit(int32_t unit);

// The window's title (empty for an empty slot). Thread-safe.
std::string gw_window_title(int32_t window_number);

// The number of the default window, opening a new one when there is none or it is closed;
// -1 when no window can be opened. Thread-safe.
int32_t gw_default_window();

namespace framework {
// The table's record for a window number whatever the slot's state; nullptr for a number outside
// 1024..1063. Thread-safe.
gw_child_window* window_record(int32_t window_number);
// Gives an open window a new title. Thread-safe.
void rename_window(gw_child_window& window, std::string title);
// Marks a window as its unit's window, which keeps the input and output focus: text written to
// it leaves it the writing thread's active window. Thread-safe.
void mark_unit_window(gw_child_window& window);
bool is_unit_window(const gw_child_window& window);

// Whether a closed window stays on screen, titled "-Closed", or is destroyed.
enum class CloseMode : uint8_t { destroy, keep };

// How windows reach the screen; every hook may be empty (no window system: the tests of the
// drawing calls). Called outside the window-table lock.
struct WindowSystemHooks {
    // A window was opened: create it on screen, hidden. False makes the open fail.
    std::function<bool(gw_child_window&)> open;
    // A window was closed: destroy it on screen, or keep it with its "-Closed" title.
    std::function<void(gw_child_window&, CloseMode mode)> close;
    // A configuration was applied: show the window at its surface size.
    std::function<void(gw_child_window&)> configured;
    // The window's text caret changed (text written, a configuration applied). Called under the
    // window's surface lock, so that changes arrive in the order they were made; must not block.
    std::function<void(int32_t window_number, const TextCaret& caret)> caret_changed;
};
// Set once at start-up, before any thread but the GUI thread uses windows.
void set_window_system_hooks(WindowSystemHooks hooks);
const WindowSystemHooks& window_system_hooks();

// The table's two steps of closing a window, which gw_close_child_window surrounds with the
// screen, the fonts and the threads. The first marks an open window closed (a kept one gains
// its "-Closed" suffix); false, changing nothing, for an empty slot or a kept window that is
// already closed. The second empties the slot of a destroyed window whose surface is released.
// Thread-safe; the surface lock is never taken under the window-table lock, since a drawing
// thread may hold it while it creates its thread record.
bool mark_window_closed(gw_child_window& window, CloseMode mode);
void empty_window_slot(gw_child_window& window);

// Whether the window is the default window. Thread-safe.
bool is_default_window(int32_t window_number);
} // namespace framework
