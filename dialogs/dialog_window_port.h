// Inside the dialog layer: the seam to the dialog windows on screen, and the events they send.
#pragma once

#include "dialogs/dialog_record.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dialogs {

// A control's notification: which control (its index in the control table) and what happened,
// as the callback type it calls (a scroll bar that moved reports DIALOG_CHANGED).
struct DialogEvent {
    int32_t window = 0;
    size_t control = 0;
    int32_t notification = 0;
};

// The windows of dialogs. Called from the thread that runs the dialogs; an implementation hands
// the work to the window system itself.
class DialogWindowPort {
public:
    virtual ~DialogWindowPort() = default;
    // Creates and shows the dialog's window over `owner` (another dialog's window, or 0 for the
    // frame). Result the window, or 0 when it could not be created.
    virtual int32_t open(const DialogRecord& dialog, int32_t owner) = 0;
    virtual void close(int32_t window) = 0;
    // Writes a control's values into its window, or reads them back into the record.
    virtual void write(int32_t window, const ControlRecord& control) = 0;
    virtual void read(int32_t window, ControlRecord& control) = 0;
    virtual void show_message(int32_t window, const std::string& text, DialogArea area) = 0;
    // Gives the control the focus, an edit box with its text selected.
    virtual void focus(int32_t window, const ControlRecord& control) = 0;
};

// The port in use: the window system's unless replaced (tests). nullptr restores it.
DialogWindowPort& dialog_window_port();
void set_dialog_window_port(DialogWindowPort* port);

// Queues an event for the dialog loop and wakes it. Thread-safe.
void post_dialog_event(const DialogEvent& event);
// The next queued event, if any. Thread-safe.
std::optional<DialogEvent> take_dialog_event();

} // namespace dialogs
