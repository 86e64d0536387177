// Two threads selecting fonts and drawing text at once, each into its own window, while a third
// copies the surfaces as a repaint does: each thread works on its own FreeType objects.
#include "framework/text/gw_text.h"
#include "runtime/clock.h"
#include "runtime/cp1251.h"
#include "tests/framework/graphics_fixture.h"

#include <atomic>
#include <string>
#include <thread>

namespace {

raster::Bitmap draw_on_own_window(int32_t unit, std::atomic<int32_t>& window_number) {
    const int32_t number = gw_open_child_window("text thread");
    gw_window_config config;
    config.surface_width = 400;
    config.surface_height = 60;
    gw_child_window* window = gw_find_window(number);
    if (!window || gw_apply_window_config(config, *window) != 1)
        return {};
    rt_connect_unit_to_window(unit, number);
    gw_set_active_window(unit);
    window_number.store(number);

    const std::string spec = "t'Times New Roman Cyr'h38w17";
    const std::string text = utf8_to_cp1251("Для продолжения");
    gw_init_fonts();
    gw_select_font(spec.data(), static_cast<int32_t>(spec.size()));
    gw_set_color_rgb(0xFFFFFF);
    for (int32_t round = 0; round < 20; ++round) {
        gw_move_to(0, 10, nullptr);
        gw_draw_text(text.data(), static_cast<int32_t>(text.size()));
    }
    raster::Bitmap picture;
    {
        framework::SurfaceAccess access(window->surface);
        picture = access.bitmap();
    }
    window_number.store(0);
    rt_disconnect_unit_window(unit);
    gw_close_child_window(number, 0);
    return picture;
}

TEST(TextThreadsTest, ThreadsDrawTheSameTextIntoTheirOwnWindows) {
    std::atomic<int32_t> first_window{0};
    std::atomic<int32_t> second_window{0};
    std::atomic<int32_t> done{0};
    raster::Bitmap first;
    raster::Bitmap second;
    std::thread repaint([&] {
        while (done.load() < 2) {
            for (std::atomic<int32_t>* number : {&first_window, &second_window})
                if (gw_child_window* window = gw_find_window(number->load()))
                    window->surface.take_changed_rect();
            rt_wait_until(rt_clock_microseconds() + 1000);
        }
    });
    std::thread a([&] {
        first = draw_on_own_window(21, first_window);
        done.fetch_add(1);
    });
    std::thread b([&] {
        second = draw_on_own_window(22, second_window);
        done.fetch_add(1);
    });
    a.join();
    b.join();
    repaint.join();
    ASSERT_GT(first.width(), 0);
    EXPECT_TRUE(first == second);
    EXPECT_NE(first, raster::Bitmap(400, 60, raster::pixel_from_colorref(0)));
}

} // namespace
