// Private to the window system: the views by their ids, and finding the Qt widget that shows a
// view.
#pragma once

#include <QWidget>
#include <cstdint>

namespace ui::detail {

class ChildFrame;
class ChildView;

// A view on screen: its sub-window and the scroll area inside it.
struct View {
    ChildFrame* frame = nullptr;
    ChildView* view = nullptr;
};

// The view with that id, or nullptr; valid until that view is destroyed or closed.
View* find_view(int32_t view_id);

// The widget that receives a view's mouse input, or nullptr.
QWidget* view_input_widget(int32_t view_id);
// The logical position inside that widget of a surface pixel, taking the scroll position and
// the device pixel ratio into account (the pixel's centre).
QPointF view_position_of_pixel(int32_t view_id, int32_t x, int32_t y);

} // namespace ui::detail
