// What a scripted user can do to the program: the seam between the script runner and the
// windows it drives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scripted {

enum class ScriptButtons : uint8_t { left, right, both };

struct ScriptPoint {
    int32_t x = 0; // surface pixel of the active drawing window
    int32_t y = 0;
};

// The outcome of one action; `reason` (no blanks needed, the trace replaces them) says why an
// action could not be carried out.
struct ScriptActionResult {
    bool done = true;
    std::string reason;

    static ScriptActionResult ok() { return {}; }
    static ScriptActionResult failed(std::string why) { return {false, std::move(why)}; }
};

// Implemented by the user-interface layer. Every call is made on the GUI thread and acts
// through the same paths as real input: a scripted press reaches the window as a mouse event.
class ScriptTarget {
public:
    virtual ~ScriptTarget() = default;

    // Without a point: the centre of the active drawing window's surface.
    virtual ScriptActionResult press(ScriptButtons buttons, std::optional<ScriptPoint> at) = 0;
    virtual ScriptActionResult release(ScriptButtons buttons, std::optional<ScriptPoint> at) = 0;
    // The top-level menu command with that label (UTF-8, without the access-key '&').
    virtual ScriptActionResult menu(const std::string& label) = 0;
    // The same command chosen in help mode, as F1 over its item would choose it.
    virtual ScriptActionResult help(const std::string& label) = 0;
    // Enter, Escape, Left, Right, Up, Down, PageUp, PageDown, Home, End, or one character.
    virtual ScriptActionResult key(const std::string& name) = 0;
    virtual ScriptActionResult dialog_set(int32_t control_id, const std::string& text) = 0;
    virtual ScriptActionResult dialog_press(int32_t control_id) = 0;
    // Writes NAME.png (the active drawing window's surface, exact pixels) and NAME-frame.png
    // (the whole frame) into `directory`.
    virtual ScriptActionResult snapshot(const std::string& directory, const std::string& name) = 0;
    virtual ScriptActionResult close_frame() = 0;
};

} // namespace scripted
