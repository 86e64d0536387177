// Running a dialog: showing it, keeping its windows and its control table in step, calling the
// callbacks of its controls on the running thread, and ending it.
#include "dialogs/controls.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_window_port.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <deque>
#include <mutex>

namespace {

std::mutex g_events_mutex;
std::deque<dialogs::DialogEvent> g_events; // guarded by g_events_mutex

// The dialog whose loop runs now; a dialog run from a callback restores it when it ends.
DialogRecord* g_current = nullptr;

// Writes the changed values into the windows; notifications they cause meanwhile are ignored.
void write_to_windows(DialogRecord& dialog) {
    if (!dialog.changed || dialog.window == 0)
        return;
    dialog.changed = false;
    dialog.busy = true;
    for (ControlRecord& control : dialog.controls) {
        if (control.unaddressable || !control.changed)
            continue;
        control.changed = false;
        dialogs::dialog_window_port().write(dialog.window, control);
    }
    dialog.busy = false;
}

// Calls the control's callback of that type, then writes into the windows what it changed.
void run_callback(DialogRecord& dialog, ControlRecord& control, int32_t type) {
    const DialogCallback* slot = dialogs::callback_slot(control, type);
    if (!slot || !*slot)
        return;
    // A copy: the callback may run another dialog or release this one.
    const DialogCallback callback = *slot;
    callback(dialog, control.id, type);
    write_to_windows(dialog);
}

void dispatch(DialogRecord& dialog, const dialogs::DialogEvent& event) {
    if (dialog.busy)
        return;
    ControlRecord* control = nullptr;
    for (ControlRecord& candidate : dialog.controls)
        if (candidate.item_index == event.control)
            control = &candidate;
    if (!control || control->unaddressable)
        return;
    switch (control->type) {
    case ControlType::static_text:
    case ControlType::group_box:
        return;
    case ControlType::scroll_bar:
        // The window has moved the thumb already: its position is the control's value now.
        if (!control->changed)
            dialogs::dialog_window_port().read(dialog.window, *control);
        run_callback(dialog, *control, DIALOG_CHANGED);
        return;
    case ControlType::combo_box:
        if (event.notification == DIALOG_SELECTION_CHANGED) {
            dialog.selecting = 0;
            run_callback(dialog, *control, event.notification);
            dialog.selecting = -1;
            return;
        }
        break;
    default:
        break;
    }
    run_callback(dialog, *control, event.notification);
}

} // namespace

namespace dialogs {

void post_dialog_event(const DialogEvent& event) {
    {
        std::lock_guard lock(g_events_mutex);
        g_events.push_back(event);
    }
    rt_wake();
}

std::optional<DialogEvent> take_dialog_event() {
    std::lock_guard lock(g_events_mutex);
    if (g_events.empty())
        return std::nullopt;
    const DialogEvent event = g_events.front();
    g_events.pop_front();
    return event;
}

} // namespace dialogs

int32_t dialog_run_modal(DialogRecord& dialog) {
    DialogRecord* const previous = g_current;
    const int32_t owner = previous ? previous->window : 0;
    const int32_t window = dialogs::dialog_window_port().open(dialog, owner);
    if (window == 0)
        return -1;
    g_current = &dialog;
    dialog.window = window;
    // The window is new and shows only what its template holds, so every value is written into
    // it, also when the dialog is shown again with values read back from an earlier window.
    dialog.changed = true;
    for (ControlRecord& control : dialog.controls)
        control.changed = true;
    write_to_windows(dialog);
    if (!dialog.message.empty())
        dialogs::dialog_window_port().show_message(window, dialog.message, dialog.message_area);
    if (dialog.focus_control != 0) {
        dialog_set_focus(dialog, dialog.focus_control);
        dialog.focus_control = 0;
    }
    if (dialog.callback) {
        const DialogCallback callback = dialog.callback;
        callback(dialog, dialog.template_id, 0);
        write_to_windows(dialog);
    }
    rt_trace_event("dialog-shown", {{"id", dialog.template_id}});
    // The control whose notification ended the dialog: the button the trace names.
    int32_t ended_by = dialog.return_value;
    while (dialog.window == window) {
        const std::optional<dialogs::DialogEvent> event = dialogs::take_dialog_event();
        if (!event) {
            rt_wait();
            continue;
        }
        // Events of windows that have gone since they were sent are dropped.
        if (event->window != window)
            continue;
        dispatch(dialog, *event);
        if (dialog.window != window)
            for (const ControlRecord& control : dialog.controls)
                if (control.item_index == event->control)
                    ended_by = control.id;
    }
    rt_trace_event("dialog-closed", {{"id", dialog.template_id}, {"button", ended_by}});
    g_current = previous;
    return dialog.return_value;
}

void dialog_exit(DialogRecord& dialog) {
    if (dialog.window == 0)
        return;
    // Values set but not yet written are newer than the window's and are kept.
    for (ControlRecord& control : dialog.controls)
        if (!control.unaddressable && !control.changed)
            dialogs::dialog_window_port().read(dialog.window, control);
    dialogs::dialog_window_port().close(dialog.window);
    dialog.window = 0;
}

bool dialog_set_focus(DialogRecord& dialog, int32_t control_id) {
    for (const ControlRecord& control : dialog.controls) {
        if (control.id != control_id || control.unaddressable)
            continue;
        if (dialog.window != 0)
            dialogs::dialog_window_port().focus(dialog.window, control);
        else
            dialog.focus_control = control_id;
        return true;
    }
    return false;
}

void dialog_set_message(DialogRecord& dialog, std::string_view text, DialogArea area) {
    dialog.message = std::string(text);
    dialog.message_area = area;
    if (dialog.window != 0)
        dialogs::dialog_window_port().show_message(dialog.window, dialog.message, area);
}
