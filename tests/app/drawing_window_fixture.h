// A test fixture: the application's drawing window on unit 1, opened as the program opens it.
#pragma once

#include "app/drawing_window.h"
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "framework/windows/window_calls.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "runtime/units.h"
#include "runtime/window_units.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

namespace test_support {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;

class DrawingWindowTest : public ::testing::Test {
protected:
    explicit DrawingWindowTest(int16_t width = APP_DRAWING_WIDTH,
                               int16_t height = APP_DRAWING_HEIGHT)
        : m_width(width), m_height(height) {}

    void SetUp() override {
        app_open_drawing_window(APP_DRAWING_UNIT, m_height, m_width, "test drawing window");
        const std::optional<int32_t> number = rt_unit_window(APP_DRAWING_UNIT);
        ASSERT_TRUE(number);
        m_number = *number;
    }

    void TearDown() override {
        rt_close(APP_DRAWING_UNIT, RtOnError::report);
        gw_close_child_window(m_number, 0);
    }

    // A copy of the surface, taken under its lock.
    raster::Bitmap snapshot() {
        framework::SurfaceAccess access(gw_find_window(m_number)->surface);
        return access.bitmap();
    }

    static uint32_t color_at(const raster::Bitmap& bitmap, int32_t x, int32_t y) {
        return raster::colorref_from_pixel(bitmap.pixel(x, y));
    }

    int16_t m_width;
    int16_t m_height;
    int32_t m_number = -1;
};

} // namespace test_support
