// The scripted user's target on the window system.
#include "scripted/scripted_user.h"

#include "framework/program/process.h"
#include "framework/windows/child_window.h"
#include "platform/language/catalogue.h"
#include "platform/raster/png.h"
#include "platform/ui/child_view.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/menu_help.h"
#include "platform/ui/script_input.h"

#include <filesystem>

namespace {

int32_t button_bits(scripted::ScriptButtons buttons) {
    switch (buttons) {
    case scripted::ScriptButtons::left:
        return ui::KEY_LEFT;
    case scripted::ScriptButtons::right:
        return ui::KEY_RIGHT;
    case scripted::ScriptButtons::both:
        return ui::KEY_LEFT | ui::KEY_RIGHT;
    }
    return 0;
}

// A copy of the active drawing window's surface, or an empty bitmap.
raster::Bitmap active_surface_copy() {
    gw_child_window* window = framework::window_record(ui::active_view());
    if (!window)
        return {};
    framework::SurfaceAccess access(window->surface);
    return access.is_ready() ? access.bitmap() : raster::Bitmap();
}

class WindowScriptTarget : public scripted::ScriptTarget {
public:
    scripted::ScriptActionResult press(scripted::ScriptButtons buttons,
                                       std::optional<scripted::ScriptPoint> at) override {
        return mouse(ui::MouseAction::press, buttons, at);
    }
    scripted::ScriptActionResult release(scripted::ScriptButtons buttons,
                                         std::optional<scripted::ScriptPoint> at) override {
        return mouse(ui::MouseAction::release, buttons, at);
    }

    scripted::ScriptActionResult menu(const std::string& label) override {
        return choose(label, ui::choose_top_level_item);
    }
    scripted::ScriptActionResult help(const std::string& label) override {
        return choose(label, ui::choose_top_level_item_for_help);
    }

    scripted::ScriptActionResult key(const std::string& name) override {
        if (!ui::send_key(name))
            return scripted::ScriptActionResult::failed("unknown_key_" + name);
        return scripted::ScriptActionResult::ok();
    }

    scripted::ScriptActionResult dialog_set(int32_t id, const std::string& text) override {
        std::string reason;
        if (!ui::script_dialog_set(id, text, reason))
            return scripted::ScriptActionResult::failed(reason);
        return scripted::ScriptActionResult::ok();
    }
    scripted::ScriptActionResult dialog_press(int32_t id) override {
        std::string reason;
        if (!ui::script_dialog_press(id, reason))
            return scripted::ScriptActionResult::failed(reason);
        return scripted::ScriptActionResult::ok();
    }

    scripted::ScriptActionResult snapshot(const std::string& directory,
                                          const std::string& name) override {
        const raster::Bitmap surface = active_surface_copy();
        if (surface.width() == 0)
            return scripted::ScriptActionResult::failed("no drawing window");
        const std::filesystem::path folder(directory);
        std::string error;
        if (!raster::write_png(surface, folder / (name + ".png"), &error) ||
            !raster::write_png(ui::grab_frame_with_dialogs(), folder / (name + "-frame.png"),
                               &error))
            return scripted::ScriptActionResult::failed("snapshot not written: " + error);
        return scripted::ScriptActionResult::ok();
    }

    scripted::ScriptActionResult close_frame() override {
        ui::close_frame();
        return scripted::ScriptActionResult::ok();
    }

private:
    static scripted::ScriptActionResult choose(const std::string& label,
                                               bool (*choose_item)(const std::string&)) {
        if (ui::modal_box_up())
            return scripted::ScriptActionResult::failed("menu_behind_a_modal_box");
        // The menu's label as shown in the run's language, or its Russian label, so that a script
        // written for the Russian menus works in any language.
        if (!choose_item(label) && !choose_item(language::translate("menu bar", label)))
            return scripted::ScriptActionResult::failed("no_menu_command_" + label);
        return scripted::ScriptActionResult::ok();
    }

    scripted::ScriptActionResult mouse(ui::MouseAction action, scripted::ScriptButtons buttons,
                                       std::optional<scripted::ScriptPoint> at) {
        const int32_t view = ui::active_view();
        gw_child_window* window = framework::window_record(view);
        if (!window)
            return scripted::ScriptActionResult::failed("no drawing window");
        // A release still reaches the window that took the press, as the mouse's grab has it.
        if (action == ui::MouseAction::press && ui::modal_box_up())
            return scripted::ScriptActionResult::failed("window_behind_a_modal_box");
        scripted::ScriptPoint point;
        if (at) {
            point = *at;
        } else {
            framework::SurfaceAccess access(window->surface);
            point = {access.bitmap().width() / 2, access.bitmap().height() / 2};
        }
        ui::send_mouse_buttons(view, action, button_bits(buttons), point.x, point.y);
        return scripted::ScriptActionResult::ok();
    }
};

} // namespace

namespace scripted {

ScriptTarget& script_target() {
    static WindowScriptTarget target;
    return target;
}

void post_to_gui(std::function<void()> work) {
    framework::on_gui_later(std::move(work));
}

} // namespace scripted
