// A test fixture: a freshly configured child window, active on the test's thread.
#pragma once

#include "framework/graphics/gw_graphics.h"
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "runtime/window_units.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace test_support {

constexpr int32_t TEST_UNIT = 7;
constexpr uint32_t BLACK = 0x000000;
constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t RED = 0x0000FF;
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t BLUE = 0xFF0000;

// Opens a window of the given surface size and colours, connects it to TEST_UNIT and makes it
// the active window; closes it again afterwards.
class GraphicsWindowTest : public ::testing::Test {
protected:
    explicit GraphicsWindowTest(int16_t width = 64, int16_t height = 48, int16_t colors = -1)
        : m_width(width), m_height(height), m_colors(colors) {}

    void SetUp() override {
        m_number = gw_open_child_window("test window");
        ASSERT_GE(m_number, GW_FIRST_WINDOW_NUMBER);
        gw_window_config config;
        config.surface_width = m_width;
        config.surface_height = m_height;
        config.colors = m_colors;
        ASSERT_EQ(gw_apply_window_config(config, window()), 1);
        rt_connect_unit_to_window(TEST_UNIT, m_number);
        ASSERT_EQ(gw_set_active_window(TEST_UNIT), 1);
    }

    void TearDown() override {
        rt_disconnect_unit_window(TEST_UNIT);
        gw_close_child_window(m_number, 0);
    }

    gw_child_window& window() { return *gw_find_window(m_number); }
    int32_t number() const { return m_number; }

    // A copy of the surface, taken under its lock.
    raster::Bitmap snapshot() {
        framework::SurfaceAccess access(window().surface);
        return access.bitmap();
    }

    // The colour of a physical surface pixel as 0x00BBGGRR, read past the clip rectangle.
    uint32_t pixel(int32_t x, int32_t y) {
        framework::SurfaceAccess access(window().surface);
        return raster::colorref_from_pixel(access.bitmap().pixel(x, y));
    }

    // The physical pixels whose colour differs from `background`, row by row.
    std::vector<raster::Point> pixels_not(uint32_t background) {
        const raster::Bitmap bitmap = snapshot();
        std::vector<raster::Point> points;
        for (int32_t y = 0; y < bitmap.height(); ++y)
            for (int32_t x = 0; x < bitmap.width(); ++x)
                if (raster::colorref_from_pixel(bitmap.pixel(x, y)) != background)
                    points.push_back({x, y});
        return points;
    }

    // Fills the whole surface with one colour, leaving the graphics state as it was.
    void fill(uint32_t color) {
        framework::SurfaceAccess access(window().surface);
        access.bitmap().fill(raster::pixel_from_colorref(color));
    }

private:
    int16_t m_width;
    int16_t m_height;
    int16_t m_colors;
    int32_t m_number = -1;
};

} // namespace test_support
