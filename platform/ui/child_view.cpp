// Child windows showing drawing surfaces: the views by their ids, opening, placing, sizing and
// closing them, and what they show.
#include "platform/ui/child_view.h"

#include "platform/ui/child_view_widget.h"
#include "platform/ui/frame_presence.h"
#include "platform/ui/frame_internal.h"
#include "platform/ui/view_internal.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

using ui::detail::ChildFrame;
using ui::detail::ChildView;
using ui::detail::find_view;
using ui::detail::View;

std::map<int32_t, View> g_views;

void forget_view(int32_t id) {
    g_views.erase(id);
}

// Setting window flags hides a widget; one that was shown is shown again.
void show_close_button(QMdiSubWindow& frame, bool shown) {
    const bool visible = frame.isVisible();
    frame.setWindowFlag(Qt::WindowSystemMenuHint, shown);
    if (visible && !frame.isVisible())
        frame.show();
}

// Removes the title bar's close button, and the separator and "Close" that end a child window's
// system menu: a window whose unit is open cannot be closed by the user. The sub-window draws its
// close button only with a system menu hint, so the hint goes while the unit is open.
void remove_close_command(QMdiSubWindow& frame) {
    show_close_button(frame, false);
    QMenu* menu = frame.systemMenu();
    if (!menu)
        return;
    QList<QAction*> actions = menu->actions();
    for (qsizetype index = actions.size() - 1; index >= 0 && index >= actions.size() - 2; --index)
        menu->removeAction(actions[index]);
}

} // namespace

namespace ui {

bool open_view(int32_t view_id, const std::string& title, const ViewPlacement& placement) {
    QMdiArea* area = detail::mdi_area();
    if (!area || find_view(view_id))
        return false;
    auto* frame = new ChildFrame(view_id);
    auto* view = new ChildView(view_id);
    frame->setWidget(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowTitle(QString::fromStdString(title));
    area->addSubWindow(frame);
    remove_close_command(*frame);
    // A new window takes three quarters of the area unless the placement says otherwise.
    const QSize area_size = area->viewport()->size();
    const double ratio = frame->devicePixelRatioF();
    const auto logical = [ratio](int32_t device) {
        return static_cast<int32_t>(std::ceil(device / ratio));
    };
    const int32_t width = placement.width == DEFAULT_COORDINATE ? area_size.width() * 3 / 4
                                                                : logical(placement.width);
    const int32_t height = placement.height == DEFAULT_COORDINATE ? area_size.height() * 3 / 4
                                                                  : logical(placement.height);
    frame->resize(std::max(width, 100), std::max(height, 60));
    if (placement.x != DEFAULT_COORDINATE && placement.y != DEFAULT_COORDINATE)
        frame->move(logical(placement.x), logical(placement.y));
    frame->on_closed_by_user = [view_id] { forget_view(view_id); };
    g_views[view_id] = {frame, view};
    return true;
}

void destroy_view(int32_t view_id) {
    View* view = find_view(view_id);
    if (!view)
        return;
    ChildFrame* frame = view->frame;
    g_views.erase(view_id);
    frame->destroying = true;
    frame->close();
}

void keep_closed_view(int32_t view_id, const std::string& title) {
    View* view = find_view(view_id);
    if (!view)
        return;
    view->frame->setWindowTitle(QString::fromStdString(title));
    view->frame->closable = true;
    show_close_button(*view->frame, true);
    if (QMenu* menu = view->frame->systemMenu()) {
        menu->addSeparator();
        QAction* close = menu->addAction(QStringLiteral("&Close\tCtrl+F4"));
        QObject::connect(close, &QAction::triggered, view->frame, &QWidget::close);
    }
}

void set_view_title(int32_t view_id, const std::string& title) {
    if (View* view = find_view(view_id))
        view->frame->setWindowTitle(QString::fromStdString(title));
}

void configure_view(int32_t view_id, int32_t surface_width, int32_t surface_height,
                    int32_t cell_width, int32_t cell_height) {
    View* view = find_view(view_id);
    if (!view)
        return;
    ChildView& widget = *view->view;
    widget.surface_width = surface_width;
    widget.surface_height = surface_height;
    widget.cell_width = std::max(1, cell_width);
    widget.cell_height = std::max(1, cell_height);
    if (!view->frame->isVisible())
        view->frame->show();
    if (!widget.configured_once) {
        widget.configured_once = true;
        widget.setFocus();
        if (QMdiArea* area = detail::mdi_area(); area && !area->activeSubWindow())
            area->setActiveSubWindow(view->frame);
    }
    widget.update_scroll_ranges();
    widget.shrink_to_surface();
    widget.viewport()->update();
    schedule_presence_check();
}

void place_view(int32_t view_id, ShowState state, int32_t x, int32_t y, int32_t width,
                int32_t height) {
    View* view = find_view(view_id);
    if (!view)
        return;
    QMdiSubWindow& frame = *view->frame;
    switch (state) {
    case ShowState::minimized:
        frame.showMinimized();
        return;
    case ShowState::maximized:
        frame.showMaximized();
        return;
    case ShowState::normal:
        frame.showNormal();
        return;
    case ShowState::placed:
        break;
    }
    frame.showNormal();
    ChildView& widget = *view->view;
    const double ratio = widget.dpr();
    const auto logical = [ratio](int32_t device) {
        return static_cast<int32_t>(std::ceil(device / ratio));
    };
    // The client gets the cells plus room for both scroll bars; the frame adds its border.
    const QSize border = frame.size() - widget.viewport()->size();
    const int32_t bar = widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    frame.move(logical(x * widget.cell_width), logical(y * widget.cell_height));
    frame.resize(logical(width * widget.cell_width) + bar + border.width(),
                 logical(height * widget.cell_height) + bar + border.height());
}

int32_t active_view() {
    QMdiArea* area = detail::mdi_area();
    QMdiSubWindow* current = area ? area->currentSubWindow() : nullptr;
    // While a modal dialog has the activation the area has no current window: the one activated
    // last is still the active drawing window.
    if (area && !current && !area->subWindowList(QMdiArea::ActivationHistoryOrder).isEmpty())
        current = area->subWindowList(QMdiArea::ActivationHistoryOrder).last();
    for (const auto& [id, view] : g_views)
        if (view.frame == current)
            return id;
    return -1;
}

void activate_view(int32_t view_id) {
    QMdiArea* area = detail::mdi_area();
    if (View* view = find_view(view_id); view && area) {
        area->setActiveSubWindow(view->frame);
        // An active window may have lost the keyboard to the frame's menu bar or a box.
        view->view->setFocus();
        // Nothing gives the frame the keyboard on an X server without a window manager; but the
        // keyboard is never taken back from another program that has it.
        const FramePresence presence = frame_presence();
        QWidget* frame = detail::frame();
        if (frame && presence.exposed && !presence.focus_elsewhere &&
            QGuiApplication::platformName() != QLatin1String("offscreen") &&
            QGuiApplication::applicationState() != Qt::ApplicationActive &&
            !QApplication::activeModalWidget())
            frame->activateWindow();
    }
}

ViewState view_state(int32_t view_id) {
    ViewState state;
    View* view = find_view(view_id);
    if (!view)
        return state;
    const ChildView& widget = *view->view;
    state.exists = true;
    state.visible = view->frame->isVisible();
    state.client_width = widget.viewport()->width();
    state.client_height = widget.viewport()->height();
    state.device_pixel_ratio = widget.dpr();
    state.scroll_x = widget.scroll().x();
    state.scroll_y = widget.scroll().y();
    state.scroll_max_x = widget.horizontalScrollBar()->maximum();
    state.scroll_max_y = widget.verticalScrollBar()->maximum();
    state.paints = widget.paints;
    state.closable = view->frame->closable;
    state.close_button = view->frame->windowFlags().testFlag(Qt::WindowSystemMenuHint);
    state.cell_width = widget.cell_width;
    state.cell_height = widget.cell_height;
    state.title = view->frame->windowTitle().toStdString();
    state.caret = widget.caret();
    state.caret_visible = widget.caret_visible();
    return state;
}

void set_view_caret(int32_t view_id, const CaretSpec& caret) {
    if (View* view = find_view(view_id))
        view->view->set_caret(caret);
}

void play_default_sound() {
    QApplication::beep();
}

bool view_shows_whole(int32_t view_id) {
    const View* view = find_view(view_id);
    if (!view || !view->view || !view->frame)
        return false;
    const detail::ChildView& child = *view->view;
    if (!child.isVisible() || view->frame->isMinimized())
        return false;
    constexpr int32_t TOLERANCE_PX = 2;
    const double ratio = child.devicePixelRatioF();
    const auto logical = [ratio](int32_t device) {
        return static_cast<int>(std::ceil(std::max(0, device - TOLERANCE_PX) / ratio));
    };
    const QRect surface(0, 0, logical(child.surface_width), logical(child.surface_height));
    if (surface.isEmpty())
        return true;
    // The viewport's region that its parents do not clip, shifted by the scroll position: at a
    // scroll position other than 0 the surface's top-left corner is out of view.
    const QRegion shown = child.viewport()->visibleRegion();
    const bool scrolled = child.scroll() != QPoint(0, 0);
    return !scrolled && (QRegion(surface) - shown).isEmpty();
}

void scroll_view_to(int32_t view_id, int32_t x, int32_t y) {
    if (View* view = find_view(view_id)) {
        view->view->horizontalScrollBar()->setValue(x);
        view->view->verticalScrollBar()->setValue(y);
    }
}

namespace detail {

View* find_view(int32_t view_id) {
    auto found = g_views.find(view_id);
    return found == g_views.end() ? nullptr : &found->second;
}

QWidget* view_input_widget(int32_t view_id) {
    View* view = find_view(view_id);
    return view ? view->view->viewport() : nullptr;
}

// Device pixel d - scroll covers logical positions [d / dpr, (d + 1) / dpr): take its middle.
QPointF view_position_of_pixel(int32_t view_id, int32_t x, int32_t y) {
    View* view = find_view(view_id);
    if (!view)
        return {};
    const double ratio = view->view->dpr();
    const QPoint offset = view->view->scroll();
    return {(x - offset.x() + 0.5) / ratio, (y - offset.y() + 0.5) / ratio};
}

} // namespace detail

} // namespace ui
