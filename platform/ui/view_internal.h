// Private to the window system: finding the Qt widget that shows a view.
#pragma once

#include <QWidget>
#include <cstdint>

namespace ui::detail {

// The widget that receives a view's mouse input, or nullptr.
QWidget* view_input_widget(int32_t view_id);
// The logical position inside that widget of a surface pixel, taking the scroll position and
// the device pixel ratio into account (the pixel's centre).
QPointF view_position_of_pixel(int32_t view_id, int32_t x, int32_t y);

} // namespace ui::detail
