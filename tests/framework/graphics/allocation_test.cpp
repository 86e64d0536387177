// The start screen's calls draw without touching the heap: every operator new is counted.
#include "tests/framework/graphics_fixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int64_t> g_allocations{0};
int* volatile g_probe = nullptr; // keeps the counting check's allocation from being elided
} // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

class AllocationTest : public test_support::GraphicsWindowTest {};

TEST_F(AllocationTest, LinesPixelsAndColoursAllocateNothing) {
    const auto draw = [] {
        for (int32_t y = 0; y < 20; ++y) {
            for (int32_t i = 1; i <= 20; ++i) {
                gw_set_color_rgb((i + y) % 2 ? 0xFFFFFF : 0);
                gw_move_to(2 * i - 1, y, nullptr);
                gw_line_to(2 * i, y);
                gw_move_to(2 * i, y, nullptr);
                gw_set_pixel_rgb(i, y + 20, 0x00FF00);
            }
        }
        gw_set_line_style(0xF0F0);
        gw_set_write_mode(4);
        gw_line_to(0, 0);
        gw_rectangle(GW_OUTLINE, 1, 1, 30, 30);
        gw_set_clip_rect(2, 2, 40, 40);
        gw_line_to(60, 40);
    };
    draw(); // the first calls may set up per-thread and per-window state
    const int64_t before = g_allocations.load();
    draw();
    EXPECT_EQ(g_allocations.load() - before, 0);

    g_probe = new int(1); // the counter does count
    delete g_probe;
    EXPECT_EQ(g_allocations.load() - before, 1);
}

} // namespace
