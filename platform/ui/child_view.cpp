// Child windows showing drawing surfaces: painting, scrolling, sizing, mouse input, repaints.
#include "platform/ui/child_view.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/view_internal.h"
#include "platform/ui/window_hooks.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace {

void forget_view(int32_t id);

// Half the platform's cursor flash time (a whole blink) between the caret's changes, or 0 for a
// steady caret: when the flash time is 0, and on the offscreen platform, whose pictures must not
// depend on the moment they are taken.
int caret_blink_interval() {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    return QApplication::cursorFlashTime() / 2;
}

class ChildFrame : public QMdiSubWindow {
public:
    explicit ChildFrame(int32_t id) : m_id(id) {}
    bool closable = false;
    bool destroying = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        const ui::WindowHooks& hooks = ui::window_hooks();
        if (destroying || (closable && (!hooks.may_close || hooks.may_close(m_id)))) {
            event->accept();
            if (!destroying)
                forget_view(m_id);
        } else {
            event->ignore();
        }
    }

private:
    int32_t m_id;
};

// Shows the surface at device pixel ratio `dpr` with each surface pixel on one device pixel:
// logical position p covers device pixel floor(p * dpr), plus the scroll position.
class ChildView : public QAbstractScrollArea {
public:
    explicit ChildView(int32_t id) : m_id(id) {
        setFrameStyle(QFrame::NoFrame);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        viewport()->setMouseTracking(true);
        QObject::connect(&m_blink, &QTimer::timeout, this, [this] {
            m_caret_lit = !m_caret_lit;
            update_caret_area();
        });
    }

    int32_t id() const { return m_id; }
    int32_t surface_width = 0;
    int32_t surface_height = 0;
    int32_t cell_width = 8;
    int32_t cell_height = 16;
    int32_t paints = 0;
    bool configured_once = false;

    double dpr() const { return viewport()->devicePixelRatioF(); }
    int32_t client_device_width() const {
        return static_cast<int32_t>(std::lround(viewport()->width() * dpr()));
    }
    int32_t client_device_height() const {
        return static_cast<int32_t>(std::lround(viewport()->height() * dpr()));
    }

    // Maxima: surface size minus client size; 2 pixels or less count as 0.
    void update_scroll_ranges() {
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

    // A window larger than its surface shrinks to it (a maximised one is restored instead).
    void shrink_to_surface() {
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

    QPoint scroll() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

    // Repaints the logical pixels covering device pixels left..right-1, top..bottom-1 of the
    // viewport (the scroll position already taken off).
    // Gathered (the next paint event), or painted at once when `at_once`.
    void update_device_area(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            bool at_once = false) {
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

    void set_caret(const ui::CaretSpec& caret) {
        update_caret_area();
        m_caret = caret;
        relight_caret();
    }
    const ui::CaretSpec& caret() const { return m_caret; }
    bool caret_visible() const { return m_caret.enabled && m_focused; }

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        QPainter painter(viewport());
        const double ratio = dpr();
        const QRect exposed = event->rect();
        painter.fillRect(exposed, palette().window());
        const ui::WindowHooks& hooks = ui::window_hooks();
        if (!hooks.with_pixels)
            return;
        const QPoint offset = scroll();
        hooks.with_pixels(m_id, [&](const raster::Bitmap& bitmap) {
            // A non-owning image over the surface memory: nothing is copied but the exposed part.
            QImage image(reinterpret_cast<const uchar*>(bitmap.data()), bitmap.width(),
                         bitmap.height(), bitmap.width() * 4, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            const QRectF source(exposed.x() * ratio + offset.x(), exposed.y() * ratio + offset.y(),
                                exposed.width() * ratio, exposed.height() * ratio);
            painter.drawImage(QRectF(exposed), image, source);
            if (caret_visible() && m_caret_lit)
                draw_caret(painter, QRect(0, 0, bitmap.width(), bitmap.height()));
        });
    }

    void scrollContentsBy(int, int) override { viewport()->update(); }

    void focusInEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusInEvent(event);
        m_focused = true;
        relight_caret();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusOutEvent(event);
        m_focused = false;
        relight_caret();
    }

    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        update_scroll_ranges();
        QTimer::singleShot(0, this, [this] { shrink_to_surface(); });
    }

    void mousePressEvent(QMouseEvent* event) override { deliver(*event, ui::MouseAction::press); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        deliver(*event, ui::MouseAction::release);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        deliver(*event, ui::MouseAction::double_click);
    }
    void mouseMoveEvent(QMouseEvent* event) override { deliver(*event, ui::MouseAction::move); }

    // Every key goes to the framework, which scrolls through scroll_view_to; the scroll area's
    // own key handling is never used, so a key the framework ignores does nothing at all.
    void keyPressEvent(QKeyEvent* event) override {
        event->accept();
        const ui::WindowHooks& hooks = ui::window_hooks();
        if (!hooks.on_key)
            return;
        ui::KeyInput input = key_input(*event);
        if (input.key == ui::Key::none)
            return;
        input.view_id = m_id;
        hooks.on_key(input);
    }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }

private:
    // Keys held with Alt belong to the menu bar, which has already had its chance at them.
    static ui::KeyInput key_input(const QKeyEvent& event) {
        ui::KeyInput input;
        const Qt::KeyboardModifiers modifiers = event.modifiers();
        input.key_state = (modifiers & Qt::ShiftModifier ? ui::KEY_SHIFT : 0) |
                          (modifiers & Qt::ControlModifier ? ui::KEY_CONTROL : 0);
        if (modifiers & Qt::AltModifier)
            return input;
        const int key = event.key();
        switch (key) {
        case Qt::Key_PageUp:
            input.key = ui::Key::page_up;
            return input;
        case Qt::Key_PageDown:
            input.key = ui::Key::page_down;
            return input;
        case Qt::Key_Home:
            input.key = ui::Key::home;
            return input;
        case Qt::Key_End:
            input.key = ui::Key::end;
            return input;
        case Qt::Key_Left:
            input.key = ui::Key::left;
            return input;
        case Qt::Key_Right:
            input.key = ui::Key::right;
            return input;
        case Qt::Key_Up:
            input.key = ui::Key::up;
            return input;
        case Qt::Key_Down:
            input.key = ui::Key::down;
            return input;
        case Qt::Key_Insert:
            input.key = ui::Key::insert;
            return input;
        case Qt::Key_Escape:
            input.character = U'\x1b';
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            input.character = U'\r';
            break;
        case Qt::Key_Backspace:
            input.character = U'\b';
            break;
        case Qt::Key_Tab:
            input.character = U'\t';
            break;
        default:
            // A letter is named by its key, so that Ctrl+C is 'C' whatever text it carries;
            // anything else by the text it types.
            if (key >= Qt::Key_A && key <= Qt::Key_Z)
                input.character = static_cast<char32_t>(key);
            else if (const QList<uint> text = event.text().toUcs4(); !text.isEmpty())
                input.character = text.front();
            break;
        }
        if (input.character != 0)
            input.key = ui::Key::character;
        return input;
    }

    void deliver(const QMouseEvent& event, ui::MouseAction action) {
        const ui::WindowHooks& hooks = ui::window_hooks();
        if (!hooks.on_mouse)
            return;
        ui::MouseInput input;
        input.view_id = m_id;
        input.action = action;
        switch (event.button()) {
        case Qt::LeftButton:
            input.button = ui::MouseButton::left;
            break;
        case Qt::RightButton:
            input.button = ui::MouseButton::right;
            break;
        case Qt::MiddleButton:
            input.button = ui::MouseButton::middle;
            break;
        default:
            input.button = ui::MouseButton::none;
            break;
        }
        // buttons() is the state after the event: a release no longer holds its button.
        const Qt::MouseButtons buttons = event.buttons();
        input.key_state = (buttons & Qt::LeftButton ? ui::KEY_LEFT : 0) |
                          (buttons & Qt::RightButton ? ui::KEY_RIGHT : 0) |
                          (buttons & Qt::MiddleButton ? ui::KEY_MIDDLE : 0) |
                          (event.modifiers() & Qt::ShiftModifier ? ui::KEY_SHIFT : 0) |
                          (event.modifiers() & Qt::ControlModifier ? ui::KEY_CONTROL : 0);
        const double ratio = dpr();
        const QPoint offset = scroll();
        input.x = static_cast<int32_t>(std::floor(event.position().x() * ratio)) + offset.x();
        input.y = static_cast<int32_t>(std::floor(event.position().y() * ratio)) + offset.y();
        hooks.on_mouse(input);
    }

    // The caret's device pixels less the scroll position, cut to the surface's.
    QRect caret_device_rect(const QRect& surface) const {
        return QRect(m_caret.x, m_caret.y, m_caret.width, m_caret.height)
            .intersected(surface)
            .translated(-scroll());
    }

    // Difference with white turns each channel c into 255 - c, so the caret shows on any
    // background. It is painted over the view only; the surface keeps its pixels.
    void draw_caret(QPainter& painter, const QRect& surface) const {
        const QRect caret = caret_device_rect(surface);
        if (caret.isEmpty())
            return;
        const double ratio = dpr();
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(QRectF(caret.x() / ratio, caret.y() / ratio, caret.width() / ratio,
                                caret.height() / ratio),
                         Qt::white);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // Repaints the logical pixels covering the caret's place.
    void update_caret_area() {
        const QRect caret = caret_device_rect(QRect(0, 0, surface_width, surface_height));
        if (!caret.isEmpty())
            update_device_area(caret.left(), caret.top(), caret.right() + 1, caret.bottom() + 1);
    }

    // Lights the caret at its place and blinks it from there while it is visible.
    void relight_caret() {
        m_caret_lit = true;
        const int interval = caret_blink_interval();
        if (caret_visible() && interval > 0)
            m_blink.start(interval);
        else
            m_blink.stop();
        update_caret_area();
    }

    int32_t m_id;
    ui::CaretSpec m_caret;
    bool m_focused = false;
    bool m_caret_lit = true;
    QTimer m_blink;
};

struct View {
    ChildFrame* frame = nullptr;
    ChildView* view = nullptr;
};

std::map<int32_t, View> g_views;
std::set<int32_t> g_repaints_due;
QTimer* g_repaint_timer = nullptr;

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

View* find_view(int32_t id) {
    auto found = g_views.find(id);
    return found == g_views.end() ? nullptr : &found->second;
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
        View* view = find_view(id);
        if (!view || changed.is_empty())
            continue;
        // The changed device pixels, less the scroll position.
        ChildView& widget = *view->view;
        const QPoint offset = widget.scroll();
        widget.update_device_area(changed.left - offset.x(), changed.top - offset.y(),
                                  changed.right - offset.x(), changed.bottom - offset.y(),
                                  id == at_once);
    }
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
    if (View* view = find_view(view_id); view && area)
        area->setActiveSubWindow(view->frame);
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

void scroll_view_to(int32_t view_id, int32_t x, int32_t y) {
    if (View* view = find_view(view_id)) {
        view->view->horizontalScrollBar()->setValue(x);
        view->view->verticalScrollBar()->setValue(y);
    }
}

namespace detail {

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
