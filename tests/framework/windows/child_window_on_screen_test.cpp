// Child windows on screen: 1:1 pixels, shrinking, scrolling, repaint coalescing, closing.
#include "framework/graphics/gw_graphics.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "platform/ui/child_view.h"
#include "runtime/units.h"
#include "runtime/window_units.h"
#include "tests/framework/program/drawing_window.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

raster::Bitmap surface_copy(int32_t number) {
    framework::SurfaceAccess access(framework::window_record(number)->surface);
    return access.bitmap();
}

TEST(ChildWindowTest, DefaultWindowIsHiddenInSlotZeroAndUnitWindowsFollow) {
    const ui::ViewState graphic1 = ui::view_state(GW_FIRST_WINDOW_NUMBER);
    EXPECT_TRUE(graphic1.exists);
    EXPECT_FALSE(graphic1.visible);
    EXPECT_EQ(graphic1.title, "Graphic1");

    ui_test::clear_trace_events();
    // The first free slot after the default window's: 1025 when this test runs alone; other
    // tests of this program may keep windows open before it.
    int32_t first_free = GW_FIRST_WINDOW_NUMBER + 1;
    while (framework::window_record(first_free)->slot_state() != WindowSlotState::empty)
        ++first_free;
    const int32_t number = ui_test::open_drawing_window(1, 300, 200);
    EXPECT_EQ(number, first_free);
    EXPECT_EQ(rt_unit_window(1), number);
    const auto events = ui_test::trace_events();
    EXPECT_NE(std::find(events.begin(), events.end(),
                        "window-opened unit=1 number=" + std::to_string(number) +
                            " title=Тренажер_для_глаз"),
              events.end());
    const ui::ViewState state = ui::view_state(number);
    EXPECT_TRUE(state.visible);
    EXPECT_EQ(state.title, "Тренажер для глаз");
    EXPECT_EQ(ui::active_view(), number);

    // Closing the unit destroys the window and frees its slot.
    rt_close(1);
    ui_test::pump(20ms);
    EXPECT_FALSE(ui::view_state(number).exists);
    EXPECT_EQ(gw_find_window(number), nullptr);
}

TEST(ChildWindowTest, SmallSurfaceShrinksTheWindowAndShowsOneToOne) {
    const int32_t number = ui_test::open_drawing_window(2, 300, 200);
    gw_set_color_rgb(0x0000FF); // red
    gw_move_to(0, 0, nullptr);
    gw_line_to(299, 199);
    gw_set_pixel_rgb(5, 150, 0xFF0000); // blue
    ui_test::pump(60ms);
    const ui::ViewState state = ui::view_state(number);
    EXPECT_EQ(state.client_width, 300);
    EXPECT_EQ(state.client_height, 200);
    EXPECT_EQ(state.scroll_max_x, 0);
    EXPECT_EQ(state.scroll_max_y, 0);

    const QImage shown =
        ui_test::surface_widget(number)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const raster::Bitmap surface = surface_copy(number);
    ASSERT_EQ(shown.width(), surface.width());
    ASSERT_EQ(shown.height(), surface.height());
    int32_t differences = 0;
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int32_t x = 0; x < surface.width(); ++x)
            differences += shown.pixel(x, y) != surface.pixel(x, y);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(shown.pixel(5, 150), 0xFF0000FFu);
    rt_close(2);
}

TEST(ChildWindowTest, LargeSurfaceScrollsByCellsAndPages) {
    const int32_t number =
        ui_test::open_drawing_window(3, 2000, 1500, "cells", framework::cell_size(10, 20));
    const ui::ViewState state = ui::view_state(number);
    EXPECT_LT(state.client_width, 2000);
    EXPECT_EQ(state.scroll_max_x, 2000 - state.client_width);
    EXPECT_EQ(state.scroll_max_y, 1500 - state.client_height);
    QMdiSubWindow* frame = ui_test::child_frame(number);
    ASSERT_NE(frame, nullptr);
    auto* area = qobject_cast<QAbstractScrollArea*>(frame->widget());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->horizontalScrollBar()->singleStep(), 10);
    EXPECT_EQ(area->verticalScrollBar()->singleStep(), 20);
    EXPECT_EQ(area->verticalScrollBar()->pageStep(), state.client_height);
    ui::scroll_view_to(number, 5000, 5000);
    EXPECT_EQ(ui::view_state(number).scroll_x, state.scroll_max_x);
    rt_close(3);
}

TEST(ChildWindowTest, ManyLinesFromAnotherThreadCauseFewRepaints) {
    const int32_t number = ui_test::open_drawing_window(4, 300, 200);
    ui_test::pump(50ms);
    const int32_t paints_before = ui::view_state(number).paints;
    std::atomic<bool> done{false};
    std::thread drawer([&] {
        framework::set_thread_active_window(number);
        for (int32_t index = 0; index < 300000; ++index) {
            gw_set_color_rgb(index % 2 ? 0xFFFFFF : 0);
            gw_move_to(index % 300, 0, nullptr);
            gw_line_to(299 - index % 300, 199);
        }
        done.store(true);
    });
    ASSERT_TRUE(ui_test::pump_until([&] { return done.load(); }, 60s));
    drawer.join();
    ui_test::pump(100ms);
    const int32_t repaints = ui::view_state(number).paints - paints_before;
    EXPECT_GE(repaints, 1);
    // One repaint per line would be 300,000; the 16 ms frame caps them far lower.
    EXPECT_LT(repaints, 3000);
    // The last line is on screen.
    const QImage shown =
        ui_test::surface_widget(number)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const raster::Bitmap surface = surface_copy(number);
    ASSERT_EQ(shown.width(), 300);
    EXPECT_EQ(shown.pixel(299 - 299999 % 300, 199), surface.pixel(299 - 299999 % 300, 199));
    rt_close(4);
}

TEST(ChildWindowTest, OpenWindowCannotBeClosedByTheUserButAKeptOneCan) {
    const int32_t number = ui_test::open_drawing_window(5, 300, 200);
    EXPECT_FALSE(ui::view_state(number).close_button);
    for (QAction* action : ui_test::child_frame(number)->systemMenu()->actions())
        EXPECT_FALSE(action->text().contains(QStringLiteral("Close")))
            << action->text().toStdString();
    ui_test::child_frame(number)->close();
    ui_test::pump(20ms);
    EXPECT_TRUE(ui::view_state(number).exists);

    rt_disconnect_unit_window(5);
    ASSERT_EQ(gw_close_child_window(number, 1), 0);
    ui_test::pump(20ms);
    ui::ViewState kept = ui::view_state(number);
    EXPECT_TRUE(kept.exists);
    EXPECT_TRUE(kept.closable);
    EXPECT_TRUE(kept.close_button);
    EXPECT_TRUE(kept.visible);
    EXPECT_EQ(kept.title, "Тренажер для глаз-Closed");
    const QList<QAction*> menu = ui_test::child_frame(number)->systemMenu()->actions();
    EXPECT_EQ(menu.last()->text().toStdString(), "&Close\tCtrl+F4");

    ui_test::child_frame(number)->close();
    ui_test::pump(20ms);
    EXPECT_FALSE(ui::view_state(number).exists);
    EXPECT_EQ(gw_find_window(number), nullptr);
}

TEST(ChildWindowTest, ConfigurationValidation) {
    const struct {
        int16_t width, columns, colors;
        int32_t font_cell, style;
        int32_t result;
    } CASES[] = {
        {0, -1, -1, -1, GW_FONT_STYLE_NORMAL, 0},
        {-2, -1, -1, -1, GW_FONT_STYLE_NORMAL, 0},
        {320, 0, -1, -1, GW_FONT_STYLE_NORMAL, 0},
        {320, -1, 0, -1, GW_FONT_STYLE_NORMAL, 0},
        {320, -1, -1, 0, GW_FONT_STYLE_NORMAL, 0},
        {320, -1, -1, -3, GW_FONT_STYLE_NORMAL, 0},
        {320, -1, -1, -2, 8, 0},
        {320, -1, -1, -1, GW_FONT_STYLE_NORMAL, 1},
    };
    const int32_t number = gw_open_unit_window(6, "config");
    for (const auto& c : CASES) {
        gw_window_config config;
        config.surface_width = c.width;
        config.surface_height = 200;
        config.text_columns = c.columns;
        config.colors = c.colors;
        config.font_cell = c.font_cell;
        config.font_style = c.style;
        EXPECT_EQ(gw_set_window_config(config), c.result) << c.width << " " << c.font_cell;
        if (c.result == 0) {
            // The offending field now holds the default, so the same call succeeds.
            EXPECT_EQ(gw_set_window_config(config), 1);
        }
    }
    gw_window_config read;
    ASSERT_EQ(gw_get_window_config(read), 1);
    EXPECT_EQ(read.surface_width, 320);
    EXPECT_EQ(read.surface_height, 200);
    EXPECT_EQ(read.text_columns, 40);
    EXPECT_EQ(std::string(read.title), "config");
    EXPECT_GT(number, 0);
    rt_close(6);
}

} // namespace
