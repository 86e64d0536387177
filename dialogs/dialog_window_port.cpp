// The dialog windows on the window system: each call is carried out on the GUI thread and waited
// for; the controls' notifications come back as events for the dialog loop.
#include "dialogs/dialog_window_port.h"

#include "framework/program/process.h"
#include "platform/ui/dialog_window.h"
#include "runtime/cp1251.h"

namespace dialogs {

namespace {

std::string without_trailing_blanks(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

ui::DialogControlKind kind_of(ControlType type) {
    return static_cast<ui::DialogControlKind>(static_cast<int32_t>(type) - 1);
}

int32_t callback_type_of(ui::DialogNotification notification) {
    switch (notification) {
    case ui::DialogNotification::clicked:
        return DIALOG_CLICKED;
    case ui::DialogNotification::changed:
        return DIALOG_CHANGED;
    case ui::DialogNotification::updated:
        return DIALOG_UPDATED;
    case ui::DialogNotification::selection_changed:
        return DIALOG_SELECTION_CHANGED;
    case ui::DialogNotification::double_clicked:
        return DIALOG_DOUBLE_CLICKED;
    }
    return 0;
}

ui::DialogSpec spec_of(const DialogRecord& dialog) {
    const DialogTemplate& layout = dialog.layout;
    ui::DialogSpec spec;
    spec.caption = layout.caption;
    spec.x = layout.x;
    spec.y = layout.y;
    spec.width = layout.width;
    spec.height = layout.height;
    spec.font_points = layout.font_points;
    spec.font_face = layout.font_face;
    // Every item has its window; items the control table leaves out show their template text.
    for (const DialogItemTemplate& item : layout.items) {
        ui::DialogControlSpec control;
        control.id = item.id;
        control.text = item.text;
        control.x = item.x;
        control.y = item.y;
        control.width = item.width;
        control.height = item.height;
        control.visible = (item.style & WS_VISIBLE) != 0;
        control.tab_stop = (item.style & WS_TABSTOP) != 0;
        control.border = (item.style & WS_BORDER) != 0;
        control.digits_only = (item.style & ES_NUMBER) != 0;
        control.read_only = (item.style & ES_READONLY) != 0;
        spec.controls.push_back(control);
    }
    for (const ControlRecord& control : dialog.controls)
        spec.controls[control.item_index].kind = kind_of(control.type);
    return spec;
}

class ScreenPort : public DialogWindowPort {
public:
    int32_t open(const DialogRecord& dialog, int32_t owner) override {
        const ui::DialogSpec spec = spec_of(dialog);
        int32_t window = 0;
        framework::on_gui_and_wait([&] {
            window = ui::open_dialog(spec, owner,
                                     [](int32_t from, size_t control, ui::DialogNotification what) {
                                         post_dialog_event({from, control, callback_type_of(what)});
                                     });
        });
        return window;
    }

    void close(int32_t window) override {
        framework::on_gui_and_wait([window] { ui::close_dialog(window); });
    }

    void write(int32_t window, const ControlRecord& control) override {
        ui::DialogControlState state;
        if (!control.texts.empty())
            state.text = cp1251_to_utf8(without_trailing_blanks(control.texts[0]));
        state.enabled = control.logicals.empty() || control.logicals[0];
        state.checked = control.logicals.size() > 1 && control.logicals[1];
        if (control.type == ControlType::scroll_bar && control.integers.size() > 1) {
            state.position = control.integers[0];
            state.range = control.integers[1];
        } else if (!control.integers.empty() && control.type != ControlType::radio_button) {
            state.selection = control.integers[0];
        }
        framework::on_gui_and_wait(
            [&] { ui::write_dialog_control(window, control.item_index, state); });
    }

    void read(int32_t window, ControlRecord& control) override {
        ui::DialogControlState state;
        if (!framework::on_gui_and_wait(
                [&] { state = ui::read_dialog_control(window, control.item_index); }))
            return;
        // At most 256 characters of the window's text, blank-padded.
        if (!control.texts.empty()) {
            control.texts[0] = utf8_to_cp1251(state.text).substr(0, DIALOG_TEXT_LENGTH);
            control.texts[0].resize(DIALOG_TEXT_LENGTH, ' ');
        }
        if (!control.logicals.empty())
            control.logicals[0] = state.enabled;
        if (control.logicals.size() > 1)
            control.logicals[1] = state.checked;
        if (control.type == ControlType::scroll_bar && control.integers.size() > 1) {
            control.integers[0] = state.position;
            control.integers[1] = state.range;
        } else if (!control.integers.empty() && control.type != ControlType::radio_button) {
            control.integers[0] = state.selection;
        }
    }

    void show_message(int32_t window, const std::string& text, DialogArea area) override {
        framework::on_gui_and_wait([&] {
            ui::show_dialog_message(window, text, area.x, area.y, area.width, area.height);
        });
    }

    void focus(int32_t window, const ControlRecord& control) override {
        framework::on_gui_and_wait([&] { ui::focus_dialog_control(window, control.item_index); });
    }
};

ScreenPort g_screen_port;
DialogWindowPort* g_port = &g_screen_port;

} // namespace

DialogWindowPort& dialog_window_port() {
    return *g_port;
}

void set_dialog_window_port(DialogWindowPort* port) {
    g_port = port ? port : &g_screen_port;
}

} // namespace dialogs
