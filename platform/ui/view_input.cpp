// Turning a child view's key and mouse events into the framework's input structs.
#include "platform/ui/view_input.h"

#include <cmath>

namespace ui::detail {

namespace {

// The keys the framework knows by name, or Key::none.
Key named_key(int key) {
    switch (key) {
    case Qt::Key_PageUp:
        return Key::page_up;
    case Qt::Key_PageDown:
        return Key::page_down;
    case Qt::Key_Home:
        return Key::home;
    case Qt::Key_End:
        return Key::end;
    case Qt::Key_Left:
        return Key::left;
    case Qt::Key_Right:
        return Key::right;
    case Qt::Key_Up:
        return Key::up;
    case Qt::Key_Down:
        return Key::down;
    case Qt::Key_Insert:
        return Key::insert;
    default:
        return Key::none;
    }
}

// The character a key types, or 0.
char32_t typed_character(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Escape:
        return U'\x1b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return U'\r';
    case Qt::Key_Backspace:
        return U'\b';
    case Qt::Key_Tab:
        return U'\t';
    default:
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<char32_t>(key);
        if (const QList<uint> text = event.text().toUcs4(); !text.isEmpty())
            return text.front();
        return 0;
    }
}

MouseButton mouse_button(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::left;
    case Qt::RightButton:
        return MouseButton::right;
    case Qt::MiddleButton:
        return MouseButton::middle;
    default:
        return MouseButton::none;
    }
}

} // namespace

// Keys held with Alt belong to the menu bar, which has already had its chance at them.
KeyInput key_input(const QKeyEvent& event) {
    KeyInput input;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    input.key_state = (modifiers & Qt::ShiftModifier ? KEY_SHIFT : 0) |
                      (modifiers & Qt::ControlModifier ? KEY_CONTROL : 0);
    input.auto_repeat = event.isAutoRepeat();
    if (modifiers & Qt::AltModifier)
        return input;
    input.key = named_key(event.key());
    if (input.key != Key::none)
        return input;
    input.character = typed_character(event);
    if (input.character != 0)
        input.key = Key::character;
    return input;
}

MouseInput mouse_input(const QMouseEvent& event, MouseAction action, double device_pixel_ratio,
                       QPoint scroll) {
    MouseInput input;
    input.action = action;
    input.button = mouse_button(event.button());
    const Qt::MouseButtons buttons = event.buttons();
    input.key_state = (buttons & Qt::LeftButton ? KEY_LEFT : 0) |
                      (buttons & Qt::RightButton ? KEY_RIGHT : 0) |
                      (buttons & Qt::MiddleButton ? KEY_MIDDLE : 0) |
                      (event.modifiers() & Qt::ShiftModifier ? KEY_SHIFT : 0) |
                      (event.modifiers() & Qt::ControlModifier ? KEY_CONTROL : 0);
    input.x =
        static_cast<int32_t>(std::floor(event.position().x() * device_pixel_ratio)) + scroll.x();
    input.y =
        static_cast<int32_t>(std::floor(event.position().y() * device_pixel_ratio)) + scroll.y();
    return input;
}

} // namespace ui::detail
