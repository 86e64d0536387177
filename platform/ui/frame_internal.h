// Private to the window system: the Qt objects behind the frame, for the other ui files.
#pragma once

#include <QMainWindow>
#include <QMdiArea>

namespace ui::detail {

// The frame, or nullptr before it is created.
QMainWindow* frame();
QMdiArea* mdi_area();

} // namespace ui::detail
