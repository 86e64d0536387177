// Opening a unit's drawing window with a given surface size, as the application does.
#pragma once

#include "framework/program/window_system_hooks.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/ui/view_internal.h"
#include "tests/framework/program/ui_environment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace ui_test {

// Opens `unit` as a window titled `title` with a width x height surface; the window becomes the
// calling thread's active window. Returns its number.
inline int32_t open_drawing_window(int32_t unit, int16_t width, int16_t height,
                                   const char* title = "Тренажер для глаз",
                                   int32_t font_cell = GW_DEFAULT_FONT_CELL) {
    const int32_t number = gw_open_unit_window(unit, title);
    gw_window_config config;
    config.surface_width = width;
    config.surface_height = height;
    config.font_cell = font_cell;
    if (gw_set_window_config(config) == 0)
        gw_set_window_config(config);
    pump(std::chrono::milliseconds(40));
    return number;
}

// The widget that shows the window's surface and takes its mouse input.
inline QWidget* surface_widget(int32_t number) {
    return ui::detail::view_input_widget(number);
}

inline QMdiSubWindow* child_frame(int32_t number) {
    QWidget* widget = surface_widget(number);
    return widget ? qobject_cast<QMdiSubWindow*>(widget->parentWidget()->parentWidget()) : nullptr;
}

// A key pressed and released as the window system delivers it to the child window that has the
// focus.
inline void press_key(int32_t number, int key, Qt::KeyboardModifiers modifiers,
                      const QString& text) {
    QWidget* view = surface_widget(number)->parentWidget();
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(view, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(view, &up);
}

} // namespace ui_test
