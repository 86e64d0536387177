// Mouse callbacks: registration results, positions with scrolling, key states, pausing, waits.
#include "framework/graphics/gw_graphics.h"
#include "framework/program/mouse.h"
#include "framework/program/program_state.h"
#include "framework/program/status_bar.h"
#include "framework/windows/thread_record.h"
#include "platform/ui/child_view.h"
#include "runtime/units.h"
#include "tests/framework/program/drawing_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct Event {
    int32_t unit, event, key_state, x, y;
    friend bool operator==(const Event&, const Event&) = default;
};

std::vector<Event>& events() {
    static std::vector<Event> recorded;
    return recorded;
}

int32_t record(int32_t unit, int32_t event, int32_t key_state, int32_t x, int32_t y) {
    events().push_back({unit, event, key_state, x, y});
    return 0;
}

// A mouse event as the window system delivers it: `buttons` is the state after the event.
void send(int32_t number, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
          QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* widget = ui_test::surface_widget(number);
    QMouseEvent event(type, QPointF(at), QPointF(at), widget->mapToGlobal(QPointF(at)), button,
                      buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        events().clear();
        m_window = ui_test::open_drawing_window(1, 2000, 1500);
        ASSERT_GT(m_window, 0);
    }
    void TearDown() override {
        rt_close(1);
        gw_set_run_state(GW_RUNNING);
    }
    int32_t m_window = 0;
};

TEST_F(MouseTest, RegistrationResults) {
    EXPECT_EQ(gw_register_mouse_callback(1, 27, record), 0);
    EXPECT_EQ(gw_register_mouse_callback(1, 27, record), 1);
    EXPECT_EQ(gw_register_mouse_callback(1, 64, record), 0);
    EXPECT_EQ(gw_register_mouse_callback(1, 128, record), -1);
    EXPECT_EQ(gw_register_mouse_callback(1, 0, record), -1);
    EXPECT_EQ(gw_register_mouse_callback(99, 27, record), -2);
    EXPECT_EQ(gw_unregister_mouse_callback(1, 27), 0);
    EXPECT_EQ(gw_unregister_mouse_callback(1, 27), 0);
    EXPECT_EQ(gw_unregister_mouse_callback(1, 128), -1);
    EXPECT_EQ(gw_unregister_mouse_callback(99, 1), -2);
    EXPECT_EQ(gw_register_mouse_callback(1, 27, record), 0);
}

TEST_F(MouseTest, ClickInAScrolledWindowReportsTheSurfacePixel) {
    ASSERT_EQ(gw_register_mouse_callback(1, 27, record), 0);
    ui::scroll_view_to(m_window, 100, 50);
    ui_test::pump(10ms);
    ASSERT_EQ(ui::view_state(m_window).scroll_x, 100);
    send(m_window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 10});
    send(m_window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {10, 10});
    EXPECT_EQ(events(), (std::vector<Event>{{1, 1, 1, 110, 60}, {1, 2, 0, 110, 60}}));
}

TEST_F(MouseTest, KeyStateIsTheStateAfterEachEvent) {
    ASSERT_EQ(gw_register_mouse_callback(1, 27, record), 0);
    const QPoint at(3, 4);
    send(m_window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
    send(m_window, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton, at,
         Qt::ShiftModifier);
    send(m_window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton, at,
         Qt::ControlModifier);
    send(m_window, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, at);
    EXPECT_EQ(events(),
              (std::vector<Event>{
                  {1, 1, 1, 3, 4}, {1, 8, 3 | 4, 3, 4}, {1, 2, 2 | 8, 3, 4}, {1, 16, 0, 3, 4}}));
}

TEST_F(MouseTest, OnlyRegisteredEventsAndNoneWhilePaused) {
    ASSERT_EQ(gw_register_mouse_callback(1, GW_MOUSE_LEFT_DOWN, record), 0);
    send(m_window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
    send(m_window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {1, 1});
    send(m_window, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {1, 1});
    EXPECT_EQ(events().size(), 1u);
    ASSERT_EQ(gw_register_mouse_callback(1, GW_MOUSE_LEFT_DOUBLE, record), 0);
    send(m_window, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {1, 1});
    ASSERT_EQ(events().size(), 2u);
    EXPECT_EQ(events()[1].event, GW_MOUSE_LEFT_DOUBLE);

    gw_set_run_state(GW_PAUSED);
    send(m_window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
    EXPECT_EQ(events().size(), 2u);
}

TEST_F(MouseTest, OnlyTheActiveWindowTakesEvents) {
    const int32_t other = ui_test::open_drawing_window(2, 300, 200, "other");
    ui::activate_view(m_window);
    ASSERT_EQ(ui::active_view(), m_window);
    ASSERT_EQ(gw_register_mouse_callback(2, GW_MOUSE_LEFT_DOWN, record), 0);
    send(other, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
    EXPECT_TRUE(events().empty());
    ui::activate_view(other);
    send(other, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 1});
    EXPECT_EQ(events(), (std::vector<Event>{{2, 1, 1, 1, 1}}));
    rt_close(2);
}

TEST_F(MouseTest, DoubleClickTime) {
    EXPECT_EQ(gw_set_double_click_time(0), 4);
    EXPECT_EQ(QApplication::doubleClickInterval(), 500);
    EXPECT_EQ(gw_set_double_click_time(2001), 4);
    EXPECT_EQ(gw_set_double_click_time(300), 0);
    EXPECT_EQ(QApplication::doubleClickInterval(), 300);
}

TEST_F(MouseTest, WaitOnAnotherThreadEndsWithTheRequestedEvent) {
    std::atomic<int32_t> result{-5};
    std::atomic<int32_t> key_state{-1}, x{-1}, y{-1};
    const int32_t window = m_window;
    EXPECT_EQ(gw_wait_mouse_event(0, nullptr, nullptr, nullptr), -1);
    std::thread waiter([&] {
        framework::set_thread_active_window(window);
        int32_t state = 0, px = 0, py = 0;
        result.store(gw_wait_mouse_event(GW_MOUSE_RIGHT_DOWN | GW_MOUSE_LEFT_UP, &state, &px, &py));
        key_state.store(state);
        x.store(px);
        y.store(py);
    });
    ASSERT_TRUE(ui_test::pump_until(
        [] { return framework::status_message() == "Mouse input pending in Тренажер для глаз"; }));
    // A left press is not awaited; the right press ends the wait.
    send(m_window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {7, 8});
    ui_test::pump(20ms);
    EXPECT_EQ(result.load(), -5);
    send(m_window, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton,
         {9, 10});
    ASSERT_TRUE(ui_test::pump_until([&] { return result.load() != -5; }));
    waiter.join();
    EXPECT_EQ(result.load(), GW_MOUSE_RIGHT_DOWN);
    EXPECT_EQ(key_state.load(), 3);
    EXPECT_EQ(x.load(), 9);
    EXPECT_EQ(y.load(), 10);
    EXPECT_EQ(framework::status_message(), "");
}

} // namespace
