// Gathering the views' repaints: a view whose surface changed is repainted at most about every
// 16 ms, or at once when asked.
#include "platform/ui/child_view.h"
#include "platform/ui/child_view_widget.h"
#include "platform/ui/frame_internal.h"
#include "platform/ui/view_internal.h"
#include "platform/ui/window_hooks.h"

#include <QTimer>
#include <set>
#include <vector>

namespace {

std::set<int32_t> g_repaints_due;
QTimer* g_repaint_timer = nullptr;

// Every view whose surface changed is given its changed area to repaint; `at_once`, when it is
// one of them, is painted before this returns, the others with the next paint events.
void make_repaints(int32_t at_once = -1) {
    const ui::WindowHooks& hooks = ui::window_hooks();
    const std::vector<int32_t> due(g_repaints_due.begin(), g_repaints_due.end());
    g_repaints_due.clear();
    for (int32_t id : due) {
        if (!hooks.take_changed)
            continue;
        // Taken even for a window that has gone, so that its surface's repaint-pending flag is
        // cleared for the next window in the slot.
        const raster::Rect changed = hooks.take_changed(id);
        ui::detail::View* view = ui::detail::find_view(id);
        if (!view || changed.is_empty())
            continue;
        // The changed device pixels, less the scroll position.
        ui::detail::ChildView& widget = *view->view;
        const QPoint offset = widget.scroll();
        widget.update_device_area(changed.left - offset.x(), changed.top - offset.y(),
                                  changed.right - offset.x(), changed.bottom - offset.y(),
                                  id == at_once);
    }
}

} // namespace

namespace ui {

void schedule_repaint(int32_t view_id) {
    g_repaints_due.insert(view_id);
    if (!g_repaint_timer) {
        g_repaint_timer = new QTimer(detail::mdi_area());
        g_repaint_timer->setSingleShot(true);
        g_repaint_timer->setInterval(16);
        QObject::connect(g_repaint_timer, &QTimer::timeout, [] { make_repaints(); });
    }
    if (!g_repaint_timer->isActive())
        g_repaint_timer->start();
}

void repaint_view_now(int32_t view_id) {
    g_repaints_due.insert(view_id);
    make_repaints(view_id);
}

} // namespace ui
