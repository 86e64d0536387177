// The frame window: main window, child-window area, status bar panes and window arrangement.
#include "platform/ui/frame_window.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/frame_presence.h"
#include "platform/ui/window_hooks.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>
#include <cmath>

namespace {

ui::WindowHooks g_hooks;

class FrameWindow : public QMainWindow {
public:
    FrameWindow() {
        m_area = new QMdiArea(this);
        m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setCentralWidget(m_area);
        // The left pane is about nine characters wide, the message pane takes the rest.
        m_run_state = new QLabel(this);
        m_run_state->setMinimumWidth(m_run_state->fontMetrics().averageCharWidth() * 9);
        m_run_state->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_message = new QLabel(this);
        m_message->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(m_run_state);
        statusBar()->addWidget(m_message, 1);
        statusBar()->setSizeGripEnabled(false);
    }

    QMdiArea* area() const { return m_area; }

    // Tells the hooks when the frame moves to another screen; once the frame has a native
    // window, which it has once shown.
    void watch_screen() {
        if (m_watching_screen || !windowHandle())
            return;
        m_watching_screen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [] {
            if (g_hooks.on_frame_screen_changed)
                g_hooks.on_frame_screen_changed();
        });
    }
    QLabel* run_state() const { return m_run_state; }
    QLabel* message() const { return m_message; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (g_hooks.on_frame_closed)
            g_hooks.on_frame_closed();
    }

private:
    QMdiArea* m_area = nullptr;
    QLabel* m_run_state = nullptr;
    QLabel* m_message = nullptr;
    bool m_watching_screen = false;
};

FrameWindow* g_frame = nullptr;

bool is_default(int32_t value) {
    return value == ui::DEFAULT_COORDINATE;
}

// Moves and sizes keeping what the geometry leaves to the window system.
void apply_geometry(QWidget& window, int32_t x, int32_t y, int32_t width, int32_t height) {
    const QSize size = window.size();
    window.resize(is_default(width) ? size.width() : width,
                  is_default(height) ? size.height() : height);
    const QPoint position = window.pos();
    window.move(is_default(x) ? position.x() : x, is_default(y) ? position.y() : y);
}

void show_by_state(QWidget& window, ui::ShowState state) {
    switch (state) {
    case ui::ShowState::minimized:
        window.showMinimized();
        break;
    case ui::ShowState::maximized:
        window.showMaximized();
        break;
    case ui::ShowState::normal:
    case ui::ShowState::placed:
        window.showNormal();
        break;
    }
}

// A frame larger than its screen's available area (a 1366 x 768 laptop screen under a panel)
// would put its status bar, where the program's warnings stand, below the screen's edge: it
// takes that area instead, maximised, and its child windows scroll inside it. On a larger screen
// nothing changes. The offscreen platform's nominal screen is no screen anyone looks at: runs
// without a display keep the frame as placed, so that they repeat exactly.
void fit_to_screen(QMainWindow& frame) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const QScreen* screen = frame.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize decorations = frame.frameGeometry().size() - frame.size();
    const QSize outer = frame.size() + decorations;
    if (outer.width() <= available.width() && outer.height() <= available.height())
        return;
    // Placed on the available area first: a window manager then maximises it, and without one
    // (a bare X server) the placement holds.
    frame.move(available.topLeft());
    frame.resize(available.size() - decorations);
    frame.showMaximized();
}

} // namespace

namespace ui {

void set_window_hooks(WindowHooks hooks) {
    g_hooks = std::move(hooks);
}

const WindowHooks& window_hooks() {
    return g_hooks;
}

namespace detail {
QMainWindow* frame() {
    return g_frame;
}
QMdiArea* mdi_area() {
    return g_frame ? g_frame->area() : nullptr;
}
} // namespace detail

bool create_frame(const std::string& title) {
    if (g_frame)
        return false;
    g_frame = new FrameWindow;
    g_frame->setWindowTitle(QString::fromStdString(title));
    return true;
}

bool frame_exists() {
    return g_frame != nullptr;
}

std::string frame_title() {
    return g_frame ? g_frame->windowTitle().toStdString() : std::string();
}

void show_frame(ShowState state, FrameGeometry outer) {
    if (!g_frame)
        return;
    // Without window decorations (the offscreen platform) the outer and the inner size agree;
    // with them, Qt places the decorations around the given geometry's frame.
    show_by_state(*g_frame, state);
    g_frame->watch_screen();
    detail::watch_frame_presence();
    // The outer size includes the window decorations, known once the frame is shown.
    const QSize decorations = g_frame->frameGeometry().size() - g_frame->size();
    apply_geometry(*g_frame, outer.x, outer.y,
                   is_default(outer.width) ? outer.width : outer.width - decorations.width(),
                   is_default(outer.height) ? outer.height : outer.height - decorations.height());
    // Without a window manager nothing is activated unless asked.
    g_frame->activateWindow();
}

// The child-window area gets `width` x `height`; the menu bar and status bar are added.
void place_frame(ShowState state, FrameGeometry client) {
    if (!g_frame)
        return;
    if (g_frame->isMinimized() || g_frame->isMaximized())
        g_frame->showNormal();
    if (state != ShowState::placed) {
        show_by_state(*g_frame, state);
        return;
    }
    const int32_t extra_height =
        g_frame->menuBar()->sizeHint().height() +
        (g_frame->statusBar()->isVisible() ? g_frame->statusBar()->sizeHint().height() : 0);
    const int32_t height = is_default(client.height) ? client.height : client.height + extra_height;
    apply_geometry(*g_frame, client.x, client.y, client.width, height);
    g_frame->area()->cascadeSubWindows();
    fit_to_screen(*g_frame);
}

void set_run_state_text(const std::string& text) {
    if (g_frame)
        g_frame->run_state()->setText(QString::fromStdString(text));
}

void set_status_message(const std::string& text) {
    if (g_frame)
        g_frame->message()->setText(QString::fromStdString(text));
}

std::string run_state_text() {
    return g_frame ? g_frame->run_state()->text().toStdString() : std::string();
}

std::string status_message() {
    return g_frame ? g_frame->message()->text().toStdString() : std::string();
}

void set_status_bar_visible(bool visible) {
    if (g_frame)
        g_frame->statusBar()->setVisible(visible);
}

bool status_bar_visible() {
    return g_frame && !g_frame->statusBar()->isHidden();
}

void arrange_children(Arrangement arrangement) {
    if (!g_frame)
        return;
    switch (arrangement) {
    case Arrangement::tile:
        g_frame->area()->tileSubWindows();
        break;
    case Arrangement::cascade:
        g_frame->area()->cascadeSubWindows();
        break;
    case Arrangement::icons:
        break; // minimised children already line up along the bottom
    }
}

void close_frame() {
    if (g_frame)
        g_frame->close();
}

raster::Bitmap grab_frame() {
    if (!g_frame)
        return {};
    const QImage image = g_frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    raster::Bitmap bitmap(image.width(), image.height());
    for (int32_t y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const raster::Pixel*>(image.constScanLine(y));
        std::copy(line, line + image.width(), bitmap.row(y));
    }
    return bitmap;
}

int32_t screen_width() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int32_t>(
                        std::lround(screen->size().width() * screen->devicePixelRatio()))
                  : 0;
}

int32_t screen_height() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int32_t>(
                        std::lround(screen->size().height() * screen->devicePixelRatio()))
                  : 0;
}

ScreenFacts frame_screen() {
    const QMainWindow* window = detail::frame();
    const QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    ScreenFacts facts;
    if (!screen)
        return facts;
    const double ratio = screen->devicePixelRatio();
    facts.width_px = static_cast<int32_t>(std::lround(screen->size().width() * ratio));
    facts.height_px = static_cast<int32_t>(std::lround(screen->size().height() * ratio));
    facts.width_mm = screen->physicalSize().width();
    facts.height_mm = screen->physicalSize().height();
    return facts;
}

} // namespace ui
