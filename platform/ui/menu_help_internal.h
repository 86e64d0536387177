// Private to the window system: watching the frame's menu bar and its drop-downs for F1.
#pragma once

#include <QWidget>

namespace ui::detail {

// From now on F1 over the highlighted command item of `menu` (the menu bar or a drop-down)
// chooses that item in help mode. Watching a widget twice changes nothing.
void watch_help_key(QWidget& menu);

} // namespace ui::detail
