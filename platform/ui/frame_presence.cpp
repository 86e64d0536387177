// Watching the frame: exposure events of its native window, the application's state, and
// resizes that may cut a child window's surface off.
#include "platform/ui/frame_presence.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/window_hooks.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace {

ui::FramePresence g_presence;
bool g_watching = false;
bool g_check_pending = false;

bool offscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

// Exposure, not QWidget's visibility: an X server may unmap the frame (a window manager's
// workspace switch, or no window manager at all) while the widget still counts as visible.
// After the frame is shown again nothing may give it the focus back (an X server without a
// window manager): that counts as back, until the focus goes somewhere again.
void note_exposure(bool exposed) {
    if (exposed && !g_presence.exposed)
        g_presence.focus_elsewhere = false;
    g_presence.exposed = exposed;
    ui::schedule_presence_check();
}

// Our own boxes and menus keep the application active; only another program's window that
// takes the keyboard makes it inactive.
void note_application_state(Qt::ApplicationState state) {
    g_presence.focus_elsewhere = state != Qt::ApplicationActive;
    ui::schedule_presence_check();
}

class PresenceFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        // The window's exposure is already updated when its expose event is sent.
        if (type == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched))
                note_exposure(window->isExposed());
        } else if (type == QEvent::Resize || type == QEvent::WindowStateChange) {
            ui::schedule_presence_check();
        }
        return false;
    }
};

} // namespace

namespace ui {

FramePresence frame_presence() {
    return g_presence;
}

void schedule_presence_check() {
    if (g_check_pending)
        return;
    g_check_pending = true;
    QTimer::singleShot(0, [] {
        g_check_pending = false;
        if (const WindowHooks& hooks = window_hooks(); hooks.on_presence_changed)
            hooks.on_presence_changed();
    });
}

namespace detail {

void watch_frame_presence() {
    QMainWindow* frame = detail::frame();
    if (g_watching || !frame || !frame->windowHandle())
        return;
    g_watching = true;
    auto* filter = new PresenceFilter(frame);
    frame->installEventFilter(filter);
    if (QMdiArea* area = mdi_area())
        area->viewport()->installEventFilter(filter);
    if (offscreen()) {
        schedule_presence_check();
        return;
    }
    // Exposed until an expose event says otherwise: the first one may come after the frame is
    // shown.
    frame->windowHandle()->installEventFilter(filter);
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, filter,
                     note_application_state);
    schedule_presence_check();
}

} // namespace detail

} // namespace ui
