// A child window's widgets: painting the surface and its caret, scrolling, sizing, and passing
// keys and mouse input to the framework.
#include "platform/ui/child_view_widget.h"

#include "platform/ui/frame_presence.h"
#include "platform/ui/view_input.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace ui::detail {

namespace {

// Half the platform's cursor flash time (a whole blink) between the caret's changes, or 0 for a
// steady caret: when the flash time is 0, and on the offscreen platform, whose pictures must not
// depend on the moment they are taken.
int caret_blink_interval() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    return QApplication::cursorFlashTime() / 2;
}

} // namespace

void ChildFrame::closeEvent(QCloseEvent* event) {
    const WindowHooks& hooks = window_hooks();
    if (destroying || (closable && (!hooks.may_close || hooks.may_close(m_id)))) {
        event->accept();
        if (!destroying && on_closed_by_user)
            on_closed_by_user();
    } else {
        event->ignore();
    }
}

ChildView::ChildView(int32_t id) : m_id(id) {
    setFrameStyle(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    QObject::connect(&m_blink, &QTimer::timeout, this, [this] {
        m_caret_lit = !m_caret_lit;
        update_caret_area();
    });
}

int32_t ChildView::client_device_width() const {
    return static_cast<int32_t>(std::lround(viewport()->width() * dpr()));
}

int32_t ChildView::client_device_height() const {
    return static_cast<int32_t>(std::lround(viewport()->height() * dpr()));
}

void ChildView::update_scroll_ranges() {
    const auto maximum = [](int32_t surface, int32_t client) {
        const int32_t difference = surface - client;
        return difference <= 2 ? 0 : difference;
    };
    horizontalScrollBar()->setRange(0, maximum(surface_width, client_device_width()));
    verticalScrollBar()->setRange(0, maximum(surface_height, client_device_height()));
    horizontalScrollBar()->setSingleStep(cell_width);
    verticalScrollBar()->setSingleStep(cell_height);
    horizontalScrollBar()->setPageStep(std::max(1, client_device_width()));
    verticalScrollBar()->setPageStep(std::max(1, client_device_height()));
}

void ChildView::shrink_to_surface() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame || surface_width <= 0 || frame->isMinimized())
        return;
    const int32_t needed_width = static_cast<int32_t>(std::ceil(surface_width / dpr()));
    const int32_t needed_height = static_cast<int32_t>(std::ceil(surface_height / dpr()));
    const QSize client = viewport()->size();
    if (client.width() <= needed_width && client.height() <= needed_height)
        return;
    if (frame->isMaximized()) {
        frame->showNormal();
        return;
    }
    const int32_t width = std::min(client.width(), needed_width);
    const int32_t height = std::min(client.height(), needed_height);
    frame->resize(frame->width() - (client.width() - width),
                  frame->height() - (client.height() - height));
}

void ChildView::update_device_area(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                   bool at_once) {
    const double ratio = dpr();
    const auto logical_left = static_cast<int32_t>(std::floor(left / ratio));
    const auto logical_top = static_cast<int32_t>(std::floor(top / ratio));
    const auto logical_right = static_cast<int32_t>(std::ceil(right / ratio));
    const auto logical_bottom = static_cast<int32_t>(std::ceil(bottom / ratio));
    const QRect area(logical_left, logical_top, logical_right - logical_left,
                     logical_bottom - logical_top);
    if (at_once)
        viewport()->repaint(area);
    else
        viewport()->update(area);
}

void ChildView::set_caret(const CaretSpec& caret) {
    update_caret_area();
    m_caret = caret;
    relight_caret();
}

void ChildView::paintEvent(QPaintEvent* event) {
    ++paints;
    QPainter painter(viewport());
    const double ratio = dpr();
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().window());
    const WindowHooks& hooks = window_hooks();
    if (!hooks.with_pixels)
        return;
    const QPoint offset = scroll();
    hooks.with_pixels(m_id, [&](const raster::Bitmap& bitmap) {
        // A non-owning image over the surface memory: nothing is copied but the exposed part.
        QImage image(reinterpret_cast<const uchar*>(bitmap.data()), bitmap.width(), bitmap.height(),
                     bitmap.width() * 4, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        const QRectF source(exposed.x() * ratio + offset.x(), exposed.y() * ratio + offset.y(),
                            exposed.width() * ratio, exposed.height() * ratio);
        painter.drawImage(QRectF(exposed), image, source);
        if (caret_visible() && m_caret_lit)
            draw_caret(painter, QRect(0, 0, bitmap.width(), bitmap.height()));
    });
}

void ChildView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    m_focused = true;
    relight_caret();
}

void ChildView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_focused = false;
    relight_caret();
}

void ChildView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_ranges();
    QTimer::singleShot(0, this, [this] { shrink_to_surface(); });
    schedule_presence_check();
}

// A scrolled surface is not whole in view.
void ChildView::scrollContentsBy(int, int) {
    viewport()->update();
    schedule_presence_check();
}

// Every key goes to the framework, which scrolls through scroll_view_to; the scroll area's own
// key handling is never used, so a key the framework ignores does nothing at all. Releases go
// there too: a key may stand for a mouse button, held down as long as the key.
void ChildView::keyPressEvent(QKeyEvent* event) {
    deliver_key(*event, false);
}

void ChildView::keyReleaseEvent(QKeyEvent* event) {
    deliver_key(*event, true);
}

void ChildView::deliver_key(QKeyEvent& event, bool release) {
    event.accept();
    const WindowHooks& hooks = window_hooks();
    if (!hooks.on_key)
        return;
    KeyInput input = key_input(event);
    if (input.key == Key::none)
        return;
    input.view_id = m_id;
    input.release = release;
    hooks.on_key(input);
}

void ChildView::deliver(const QMouseEvent& event, MouseAction action) {
    const WindowHooks& hooks = window_hooks();
    if (!hooks.on_mouse)
        return;
    MouseInput input = mouse_input(event, action, dpr(), scroll());
    input.view_id = m_id;
    hooks.on_mouse(input);
}

// The caret's device pixels less the scroll position, cut to the surface's.
QRect ChildView::caret_device_rect(const QRect& surface) const {
    return QRect(m_caret.x, m_caret.y, m_caret.width, m_caret.height)
        .intersected(surface)
        .translated(-scroll());
}

// Difference with white turns each channel c into 255 - c, so the caret shows on any
// background. It is painted over the view only; the surface keeps its pixels.
void ChildView::draw_caret(QPainter& painter, const QRect& surface) const {
    const QRect caret = caret_device_rect(surface);
    if (caret.isEmpty())
        return;
    const double ratio = dpr();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(
        QRectF(caret.x() / ratio, caret.y() / ratio, caret.width() / ratio, caret.height() / ratio),
        Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Repaints the logical pixels covering the caret's place.
void ChildView::update_caret_area() {
    const QRect caret = caret_device_rect(QRect(0, 0, surface_width, surface_height));
    if (!caret.isEmpty())
        update_device_area(caret.left(), caret.top(), caret.right() + 1, caret.bottom() + 1);
}

// Lights the caret at its place and blinks it from there while it is visible.
void ChildView::relight_caret() {
    m_caret_lit = true;
    const int interval = caret_blink_interval();
    if (caret_visible() && interval > 0)
        m_blink.start(interval);
    else
        m_blink.stop();
    update_caret_area();
}

} // namespace ui::detail
