// Private to the window system: the Qt widgets of a child window, the sub-window frame and the
// scroll area that shows the drawing surface with its caret.
#pragma once

#include "platform/ui/view_caret.h"
#include "platform/ui/window_hooks.h"

#include <QAbstractScrollArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>
#include <cstdint>
#include <functional>

class QPainter;

namespace ui::detail {

// The sub-window around a view. The user may close it only once it is `closable` and the
// framework's may_close hook agrees; a close made by destroying it always goes through.
class ChildFrame : public QMdiSubWindow {
public:
    explicit ChildFrame(int32_t id) : m_id(id) {}
    bool closable = false;
    bool destroying = false;
    // Called when the user has closed the window (not when it is destroyed).
    std::function<void()> on_closed_by_user;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int32_t m_id;
};

// Shows the surface at device pixel ratio `dpr` with each surface pixel on one device pixel:
// logical position p covers device pixel floor(p * dpr), plus the scroll position. Sends its
// keys and mouse input to the framework, and draws the caret over the surface.
class ChildView : public QAbstractScrollArea {
public:
    explicit ChildView(int32_t id);

    int32_t id() const { return m_id; }
    int32_t surface_width = 0;
    int32_t surface_height = 0;
    int32_t cell_width = 8;
    int32_t cell_height = 16;
    int32_t paints = 0;
    bool configured_once = false;

    double dpr() const { return viewport()->devicePixelRatioF(); }
    int32_t client_device_width() const;
    int32_t client_device_height() const;

    // Maxima: surface size minus client size; 2 pixels or less count as 0.
    void update_scroll_ranges();
    // A window larger than its surface shrinks to it (a maximised one is restored instead).
    void shrink_to_surface();

    QPoint scroll() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

    // Repaints the logical pixels covering device pixels left..right-1, top..bottom-1 of the
    // viewport (the scroll position already taken off): gathered (the next paint event), or
    // painted at once when `at_once`.
    void update_device_area(int32_t left, int32_t top, int32_t right, int32_t bottom,
                            bool at_once = false);

    void set_caret(const CaretSpec& caret);
    const CaretSpec& caret() const { return m_caret; }
    bool caret_visible() const { return m_caret.enabled && m_focused; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int, int) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { deliver(*event, MouseAction::press); }
    void mouseReleaseEvent(QMouseEvent* event) override { deliver(*event, MouseAction::release); }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        deliver(*event, MouseAction::double_click);
    }
    void mouseMoveEvent(QMouseEvent* event) override { deliver(*event, MouseAction::move); }
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void deliver_key(QKeyEvent& event, bool release);
    void deliver(const QMouseEvent& event, MouseAction action);
    QRect caret_device_rect(const QRect& surface) const;
    void draw_caret(QPainter& painter, const QRect& surface) const;
    void update_caret_area();
    void relight_caret();

    int32_t m_id;
    CaretSpec m_caret;
    bool m_focused = false;
    bool m_caret_lit = true;
    QTimer m_blink;
};

} // namespace ui::detail
