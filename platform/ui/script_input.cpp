// Synthesized mouse and key events for the scripted user.
#include "platform/ui/script_input.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/view_internal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <map>
#include <string_view>
#include <utility>

namespace {

// The buttons held down by scripted presses, so that each event carries the state after it.
Qt::MouseButtons g_held;

QWidget* key_target() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal->focusWidget() ? modal->focusWidget() : modal;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    // Without a window system that activates the frame (headless) nothing has the focus: the
    // key goes where it would go once the frame is active, the frame's own focus widget.
    QWidget* frame = ui::detail::frame();
    if (frame && frame->focusWidget())
        return frame->focusWidget();
    return frame;
}

} // namespace

namespace ui {

bool send_mouse_buttons(int32_t view_id, MouseAction action, int32_t buttons, int32_t x,
                        int32_t y) {
    QWidget* widget = detail::view_input_widget(view_id);
    if (!widget)
        return false;
    const QPointF local = detail::view_position_of_pixel(view_id, x, y);
    const QPointF global = widget->mapToGlobal(local);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const int32_t bit = button == Qt::LeftButton ? KEY_LEFT : KEY_RIGHT;
        if (!(buttons & bit))
            continue;
        QEvent::Type type = QEvent::MouseButtonPress;
        if (action == MouseAction::press) {
            g_held |= button;
        } else {
            type = QEvent::MouseButtonRelease;
            g_held &= ~Qt::MouseButtons(button);
        }
        QMouseEvent event(type, local, local, global, button, g_held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    return true;
}

bool modal_box_up() {
    return QApplication::activeModalWidget() != nullptr;
}

bool send_key(const std::string& full_name) {
    static const std::map<std::string, Qt::Key, std::less<>> KEYS = {
        {"Enter", Qt::Key_Return},  {"Escape", Qt::Key_Escape},
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},
        {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
        {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
        {"Home", Qt::Key_Home},     {"End", Qt::Key_End},
        {"Insert", Qt::Key_Insert}};
    Qt::KeyboardModifiers modifiers;
    std::string_view name = full_name;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const auto& [prefix, modifier] :
             {std::pair{std::string_view("Ctrl+"), Qt::ControlModifier},
              std::pair{std::string_view("Shift+"), Qt::ShiftModifier}}) {
            if (name.size() > prefix.size() && name.starts_with(prefix)) {
                name.remove_prefix(prefix.size());
                modifiers |= modifier;
                stripped = true;
            }
        }
    }
    int key = 0;
    QString text;
    if (auto found = KEYS.find(name); found != KEYS.end()) {
        key = found->second;
        if (key == Qt::Key_Return)
            text = QStringLiteral("\r");
    } else {
        text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (text.size() != 1 && !(text.size() == 2 && text[0].isHighSurrogate()))
            return false;
        key = text.toUpper()[0].unicode();
    }
    QWidget* target = key_target();
    if (!target)
        return false;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
    return true;
}

} // namespace ui
