// Builds the offscreen frame once for the Qt-level tests.
#include "tests/framework/program/ui_environment.h"

#include "framework/program/frame.h"
#include "framework/program/menus.h"
#include "framework/program/program_startup.h"
#include "runtime/trace.h"
#include "tests/support/temp_folder.h"

#include <QApplication>
#include <QThread>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>

// fontconfig keeps its configuration until the process ends, and so does the D-Bus connection
// that Qt's X11 platform opens for accessibility; LeakSanitizer is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so.1\n"
           "leak:libdbus-1.so.3\n";
}

namespace ui_test {

namespace {

std::mutex g_trace_mutex;
int32_t g_initial_frame_state_result = 0;
std::vector<std::string> g_trace;

int32_t first_item(int32_t checked) {
    ++menu_calls().first;
    menu_calls().last_checked = checked;
    return 0;
}

int32_t second_item(int32_t checked) {
    ++menu_calls().second;
    menu_calls().last_checked = checked;
    return 0;
}

} // namespace

void install_initial_menus();

namespace {

int32_t initial_settings() {
    gw_window_settings settings;
    settings.state = 4;
    settings.x = FRAME_X;
    settings.y = FRAME_Y;
    settings.height = FRAME_HEIGHT;
    settings.width = FRAME_WIDTH;
    g_initial_frame_state_result = gw_set_window_state(GW_FRAME_WINDOW_NUMBER, settings);
    install_initial_menus();
    return -1;
}

class UiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // Qt wants a private runtime folder; root has none by default.
        const char* folder = m_runtime_folder.path().c_str();
        chmod(folder, 0700);
        setenv("XDG_RUNTIME_DIR", folder, 1);
        setenv("XDG_CONFIG_HOME", folder, 1);
        // Offscreen unless the run chose a platform (the smoke test under Xvfb chooses xcb).
        const bool headless = !std::getenv("QT_QPA_PLATFORM");
        rt_trace_add_listener([](std::string_view event, std::span<const RtTraceField> fields) {
            std::string line(event);
            for (const RtTraceField& field : fields)
                line += " " + std::string(field.key) + "=" + field.value;
            std::lock_guard lock(g_trace_mutex);
            g_trace.push_back(std::move(line));
        });
        static char name[] = "framework_ui_test";
        static char* argv[] = {name, nullptr};
        GwApplication application;
        application.initial_settings = initial_settings;
        application.on_ready = [] {
            ui::set_message_box_answerer([](const ui::MessageBoxSpec& spec) {
                message_log().boxes.push_back(spec);
                return std::optional<ui::MessageButton>(message_log().next_answer);
            });
        };
        ASSERT_TRUE(framework::build_frame(1, argv, application, {headless}));
        pump(std::chrono::milliseconds(50));
    }

private:
    test_support::TempFolder m_runtime_folder;
};

const ::testing::Environment* const ENVIRONMENT =
    ::testing::AddGlobalTestEnvironment(new UiEnvironment);

} // namespace

void install_initial_menus() {
    gw_append_menu_item(1, 4, "Выход", first_item);
    gw_append_menu_item(2, 4, "Итоги_тренировок", second_item);
    gw_append_menu_item(3, 4, "Инструкция", gw_menu_about);
}

int32_t initial_frame_state_result() {
    return g_initial_frame_state_result;
}

MenuCalls& menu_calls() {
    static MenuCalls calls;
    return calls;
}

MessageLog& message_log() {
    static MessageLog log;
    return log;
}

void pump(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

bool pump_until(const std::function<bool()>& done, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

QMainWindow* main_window() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<QMainWindow*>(widget))
            return window;
    return nullptr;
}

std::vector<std::string> trace_events() {
    std::lock_guard lock(g_trace_mutex);
    return g_trace;
}

void clear_trace_events() {
    std::lock_guard lock(g_trace_mutex);
    g_trace.clear();
}

} // namespace ui_test
