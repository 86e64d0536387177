// The GUI thread: the application object, its event loop, and handing work to it.
#include "platform/ui/gui_thread.h"

#include "platform/language/catalogue.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string_view>

namespace {

// Never destroyed: windows and the application thread may outlive main's return.
QApplication* g_application = nullptr;

// One lock and condition for every waiting caller of call(): the posted work sets its own
// `done` flag and wakes them all; cancelling wakes them too.
std::mutex g_call_mutex;
std::condition_variable g_call_done;
bool g_cancelled = false;

// The program's icon on its windows: an open eye, drawn at the sizes title bars and task bars use.
QIcon program_icon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const double s = size;
        QPainterPath eye;
        eye.moveTo(s * 0.04, s * 0.5);
        eye.quadTo(s * 0.5, s * 0.02, s * 0.96, s * 0.5);
        eye.quadTo(s * 0.5, s * 0.98, s * 0.04, s * 0.5);
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max(1.0, s / 16)));
        painter.setBrush(Qt::white);
        painter.drawPath(eye);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1e, 0x6f, 0xb0));
        painter.drawEllipse(QPointF(s / 2, s / 2), s * 0.2, s * 0.2);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(s / 2, s / 2), s * 0.09, s * 0.09);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// While the application object is made: the toolkit's fatal message (no platform could be
// started, for a display that cannot be opened) ends the process through this instead of an
// abort; every other message goes on as before.
ui::NoDisplayExit g_no_display = nullptr;
QtMessageHandler g_previous_handler = nullptr;

void starting_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        if (g_no_display)
            g_no_display();
        std::_Exit(1);
    }
    if (g_previous_handler)
        g_previous_handler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

namespace ui {

bool start_application(int argc, char** argv, bool headless, NoDisplayExit no_display) {
    if (g_application)
        return true;
    // An offscreen platform chosen with its own settings (a screen configuration) is kept.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (headless && (!platform || std::string_view(platform).substr(0, 9) != "offscreen"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!headless && !named("QT_QPA_PLATFORM") && !named("DISPLAY") && !named("WAYLAND_DISPLAY"))
        return false;
    // QApplication keeps a reference to the count for its whole life.
    static int s_argc = 0;
    s_argc = argc;
    g_no_display = no_display;
    g_previous_handler = qInstallMessageHandler(starting_message);
    g_application = new QApplication(s_argc, argv);
    qInstallMessageHandler(g_previous_handler);
    // The application object takes the user's locale for everything, numbers included; numbers in
    // texts, files and the trace are written with a point whatever the locale, as C writes them.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(program_icon());
    QGuiApplication::setDesktopFileName(QStringLiteral(TALVENA_APP_ID));
    language::install_toolkit_translations();
    return true;
}

bool application_started() {
    return QCoreApplication::instance() != nullptr;
}

int run_event_loop() {
    return QApplication::exec();
}

void quit_event_loop(int code) {
    post([code] { QCoreApplication::exit(code); });
}

bool on_gui_thread() {
    QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

void post(std::function<void()> work) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}

bool call(std::function<void()> work) {
    if (on_gui_thread()) {
        work();
        return true;
    }
    auto done = std::make_shared<bool>(false);
    post([work = std::move(work), done] {
        work();
        std::lock_guard lock(g_call_mutex);
        *done = true;
        g_call_done.notify_all();
    });
    std::unique_lock lock(g_call_mutex);
    g_call_done.wait(lock, [&] { return *done || g_cancelled; });
    return *done;
}

void cancel_waiting_calls() {
    std::lock_guard lock(g_call_mutex);
    g_cancelled = true;
    g_call_done.notify_all();
}

void set_double_click_time(int milliseconds) {
    QApplication::setDoubleClickInterval(milliseconds);
}

void run_nested_loop_until(const std::function<bool()>& done) {
    QEventLoop loop;
    while (!done())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void run_nested_loop_forever() {
    QEventLoop loop;
    for (;;)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace ui
