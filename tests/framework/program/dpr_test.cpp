// A device pixel ratio of 2: the surface still shows one surface pixel per device pixel, and
// mouse positions map to surface pixels.
#include "framework/program/mouse.h"
#include "platform/ui/child_view.h"
#include "runtime/units.h"
#include "tests/framework/program/drawing_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <fstream>
#include <gtest/gtest.h>

namespace {

int32_t g_x = -1;
int32_t g_y = -1;

int32_t record(int32_t, int32_t, int32_t, int32_t x, int32_t y) {
    g_x = x;
    g_y = y;
    return 0;
}

// The offscreen screen reads its ratio from a file named in the platform argument; it must be
// set before the environment starts the window system.
const bool SCREEN_CONFIGURED = [] {
    const std::string path = "/tmp/talvena-dpr2-screen.json";
    std::ofstream(path) << R"({"screens": [{"name": "dpr2", "x": 0, "y": 0, "width": 3000,
        "height": 2400, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).c_str(), 1);
    return true;
}();

TEST(DevicePixelRatioTest, SurfaceShownOneToOneInDevicePixels) {
    ASSERT_TRUE(SCREEN_CONFIGURED);
    // A frame big enough for the whole surface at half the size in logical pixels.
    ui_test::main_window()->resize(1400, 1000);
    ui_test::pump(std::chrono::milliseconds(30));
    const int32_t number = ui_test::open_drawing_window(1, 980, 650);
    const ui::ViewState state = ui::view_state(number);
    ASSERT_DOUBLE_EQ(state.device_pixel_ratio, 2.0);
    EXPECT_EQ(state.client_width, 490);
    EXPECT_EQ(state.client_height, 325);

    // Logical (10.5, 20.75) lies on device pixel (21, 41).
    ASSERT_EQ(gw_register_mouse_callback(1, 1, record), 0);
    QWidget* widget = ui_test::surface_widget(number);
    const QPointF at(10.5, 20.75);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    EXPECT_EQ(g_x, 21);
    EXPECT_EQ(g_y, 41);
    rt_close(1);
}

} // namespace
