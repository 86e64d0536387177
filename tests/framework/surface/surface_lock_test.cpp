// The surface lock kept by its drawing thread between calls: a repaint gets the surface from an
// idle holder at once, never in the middle of a call, and several threads still exclude each
// other.
#include "framework/surface/surface_lock.h"
#include "tests/framework/graphics_fixture.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using test_support::GREEN;
using test_support::RED;

// Long enough for any machine to hand over a surface; a fault shows as a wait that never ends.
constexpr auto HANG = 20s;

// A thread that draws on request, then idles until asked again. It keeps the surface between
// requests, as the application thread does while it waits for a click.
class IdleDrawer {
public:
    explicit IdleDrawer(int32_t unit) : m_thread([this, unit] { run(unit); }) {}
    ~IdleDrawer() {
        post({});
        m_thread.join();
    }

    // Runs `work` on the drawing thread and waits for it.
    void draw(std::function<void()> work) { post(std::move(work)).get(); }

private:
    std::future<void> post(std::function<void()> work) {
        std::lock_guard lock(m_mutex);
        m_work = std::move(work);
        m_done = std::promise<void>();
        m_pending = true;
        m_wake.notify_one();
        return m_done.get_future();
    }

    void run(int32_t unit) {
        gw_set_active_window(unit);
        for (;;) {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_pending; });
            m_pending = false;
            std::function<void()> work = std::move(m_work);
            lock.unlock();
            if (!work)
                return;
            work();
            m_done.set_value();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
    std::function<void()> m_work;
    std::promise<void> m_done;
    std::thread m_thread;
};

class SurfaceLockTest : public test_support::GraphicsWindowTest {};

// The drawer's next call never comes while the repaint waits: the repaint must relieve the idle
// holder itself, within a frame on an idle machine (a generous bound here), and see the drawing.
TEST_F(SurfaceLockTest, RepaintTakesTheSurfaceFromAnIdleDrawer) {
    IdleDrawer drawer(test_support::TEST_UNIT);
    for (uint32_t color : {RED, GREEN, RED}) {
        drawer.draw([color] {
            gw_set_color_rgb(static_cast<int32_t>(color));
            gw_rectangle(GW_FILLED, 0, 0, 63, 47);
        });
        const auto asked = std::chrono::steady_clock::now();
        auto copied = std::async(std::launch::async, [this] {
            window().surface.take_changed_rect();
            return snapshot();
        });
        const bool prompt = copied.wait_for(HANG) == std::future_status::ready;
        if (!prompt) // a drawing call hands the surface over, so that the test can end
            drawer.draw([] { gw_get_pixel(0, 0); });
        ASSERT_TRUE(prompt);
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
        const raster::Bitmap copy = copied.get();
        EXPECT_EQ(raster::colorref_from_pixel(copy.pixel(5, 5)), color);
        EXPECT_EQ(raster::colorref_from_pixel(copy.pixel(63, 47)), color);
    }
}

// A holder inside a call keeps the surface to the end of the call: the asking thread waits, and
// then sees everything the call wrote.
TEST(SurfaceLock, AskingThreadWaitsForTheHoldersCallToEnd) {
    framework::SurfaceLock lock;
    int32_t written = 0; // guarded by lock
    std::promise<void> inside;
    std::thread holder([&] {
        lock.lock();
        lock.unlock(); // now the holder, idle
        lock.lock();
        inside.set_value();
        std::this_thread::sleep_for(100ms);
        written = 1;
        lock.unlock();
    });
    inside.get_future().wait();
    lock.lock();
    EXPECT_EQ(written, 1);
    lock.unlock();
    holder.join();
}

// A thread that ends while holding a surface leaves it to the next thread that asks.
TEST(SurfaceLock, HoldOfAnEndedThreadPassesOn) {
    // Shared with a detached thread, so that a hang fails the test instead of hanging it.
    auto lock = std::make_shared<framework::SurfaceLock>();
    std::thread([lock] {
        lock->lock();
        lock->unlock();
    }).join();
    auto taken = std::make_shared<std::promise<void>>();
    std::future<void> done = taken->get_future();
    std::thread([lock, taken] {
        lock->lock();
        lock->unlock();
        taken->set_value();
    }).detach();
    ASSERT_EQ(done.wait_for(HANG), std::future_status::ready);
}

// Threads taking two locks in turn, some of them one inside the other (the inner as a plain
// turn), and some idling while they hold: every counter update stays whole.
TEST(SurfaceLock, ThreadsExcludeEachOther) {
    constexpr int32_t THREADS = 4;
    constexpr int32_t ROUNDS = 2000;
    framework::SurfaceLock first;
    framework::SurfaceLock second;
    int64_t first_count = 0;  // guarded by first
    int64_t second_count = 0; // guarded by second
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < THREADS; ++t) {
        threads.emplace_back([&, t] {
            for (int32_t i = 0; i < ROUNDS; ++i) {
                first.lock();
                const int64_t seen = first_count;
                if (t % 2 == 0) {
                    second.lock();
                    ++second_count;
                    second.unlock();
                }
                first_count = seen + 1;
                first.unlock();
                if (i % 500 == 0)
                    std::this_thread::sleep_for(1ms);
                second.lock();
                ++second_count;
                second.unlock();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(first_count, THREADS * ROUNDS);
    EXPECT_EQ(second_count, THREADS * ROUNDS + THREADS / 2 * ROUNDS);
}

// A drawer that alternates bursts of drawing with idle pauses, against a repaint thread copying
// as fast as it can: every copy shows whole rectangles only, and the last copy the last one.
TEST_F(SurfaceLockTest, CopiesBetweenBurstsAndPausesAreNeverTorn) {
    IdleDrawer drawer(test_support::TEST_UNIT);
    std::atomic<int32_t> stop{0};
    std::atomic<int32_t> torn{0};
    std::atomic<int32_t> copies{0};
    std::thread repaint([&] {
        while (stop.load(std::memory_order_relaxed) == 0) {
            const raster::Bitmap copy = snapshot();
            const raster::Pixel* first = copy.data();
            const raster::Pixel* last = first + static_cast<size_t>(copy.width()) * copy.height();
            if (std::any_of(first, last, [first](raster::Pixel p) { return p != *first; }))
                torn.fetch_add(1);
            copies.fetch_add(1);
            std::this_thread::yield();
        }
    });
    for (int32_t burst = 0; burst < 20; ++burst) {
        drawer.draw([] {
            for (int32_t i = 0; i < 20; ++i) {
                gw_set_color_rgb(static_cast<int32_t>(i % 2 ? RED : GREEN));
                gw_rectangle(GW_FILLED, 0, 0, 63, 47);
            }
        });
        std::this_thread::sleep_for(2ms);
    }
    stop.store(1);
    repaint.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_GT(copies.load(), 0);
    EXPECT_EQ(pixel(0, 0), RED);
}

} // namespace
