// The surface's record of changes, the coalesced repaint notification and drawing against a
// concurrent repaint.
#include "tests/framework/graphics_fixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using raster::Rect;
using test_support::GREEN;
using test_support::RED;

class CountingObserver : public framework::SurfaceObserver {
public:
    void on_surface_changed(int32_t window_number) override {
        calls.fetch_add(1);
        last_window.store(window_number);
    }
    std::atomic<int32_t> calls{0};
    std::atomic<int32_t> last_window{0};
};

class SurfaceTest : public test_support::GraphicsWindowTest {
protected:
    void SetUp() override {
        GraphicsWindowTest::SetUp();
        window().surface.take_changed_rect(); // forget the configuration's repaint
    }
    void TearDown() override {
        framework::set_surface_observer(nullptr);
        GraphicsWindowTest::TearDown();
    }
    Rect take_changed() { return window().surface.take_changed_rect(); }
};

TEST_F(SurfaceTest, ChangedRectangleIsTheUnionOfTheDrawingCutToTheSurface) {
    gw_set_pixel_rgb(3, 4, static_cast<int32_t>(RED));
    gw_move_to(10, 20, nullptr);
    gw_line_to(70, 25); // leaves the 64-pixel-wide surface
    EXPECT_EQ(take_changed(), (Rect{3, 4, 64, 26}));
    EXPECT_TRUE(take_changed().is_empty());

    ASSERT_EQ(gw_set_clip_rect(10, 10, 20, 20), 1);
    gw_rectangle(GW_FILLED, 0, 0, 40, 40);
    EXPECT_EQ(take_changed(), (Rect{10, 10, 21, 21}));
    gw_clear_screen(GW_CLEAR_WINDOW);
    EXPECT_EQ(take_changed(), (Rect{0, 0, 64, 48}));
}

TEST_F(SurfaceTest, ObserverHearsOncePerBurstUntilTheRepaintTakesTheChanges) {
    CountingObserver observer;
    framework::set_surface_observer(&observer);
    for (int32_t y = 0; y < 40; ++y) {
        gw_move_to(0, y, nullptr);
        gw_line_to(63, y);
    }
    EXPECT_EQ(observer.calls.load(), 1);
    EXPECT_EQ(observer.last_window.load(), number());
    EXPECT_TRUE(window().surface.repaint_pending());

    take_changed();
    EXPECT_FALSE(window().surface.repaint_pending());
    // Calls that change no pixel leave the repaint alone.
    gw_set_color_rgb(static_cast<int32_t>(GREEN));
    gw_move_to(1, 1, nullptr);
    gw_set_clip_rect(10, 10, 20, 20);
    gw_set_pixel_rgb(1, 1, static_cast<int32_t>(RED));
    gw_rectangle(GW_FILLED, 30, 30, 40, 40);
    EXPECT_EQ(observer.calls.load(), 1);
    EXPECT_TRUE(take_changed().is_empty());

    gw_set_pixel_rgb(15, 15, static_cast<int32_t>(RED));
    gw_set_pixel_rgb(16, 15, static_cast<int32_t>(RED));
    EXPECT_EQ(observer.calls.load(), 2);
}

// The observer must be free to take the surface lock, as the repaint it schedules will. The
// probe thread is detached: were the lock held, it would finish once the drawing call released
// it, instead of the test hanging.
class LockProbingObserver : public framework::SurfaceObserver {
public:
    explicit LockProbingObserver(framework::Surface& surface) : m_surface(surface) {}
    void on_surface_changed(int32_t) override {
        auto locked = std::make_shared<std::promise<void>>();
        std::future<void> done = locked->get_future();
        std::thread([&surface = m_surface, locked] {
            framework::SurfaceAccess access(surface);
            locked->set_value();
        }).detach();
        lock_was_free = done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    }
    bool lock_was_free = false;

private:
    framework::Surface& m_surface; // a window record, living as long as the process
};

TEST_F(SurfaceTest, ObserverIsCalledWithoutTheSurfaceLockHeld) {
    LockProbingObserver observer(window().surface);
    framework::set_surface_observer(&observer);
    gw_rectangle(GW_FILLED, 1, 1, 10, 10);
    EXPECT_TRUE(observer.lock_was_free);
}

// A repaint thread in the shape of the user-interface layer's: woken by the observer, it takes
// the changed rectangle and copies the surface under its lock.
class RepaintThread : public framework::SurfaceObserver {
public:
    explicit RepaintThread(framework::Surface& surface)
        : m_surface(surface), m_thread([this] { run(); }) {}

    void on_surface_changed(int32_t) override {
        std::lock_guard lock(m_mutex);
        m_pending = true;
        m_wake.notify_one();
    }

    void finish() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
            m_wake.notify_one();
        }
        m_thread.join();
    }

    int32_t paints = 0;
    int32_t torn_copies = 0;

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_pending || m_done; });
            if (!m_pending)
                return;
            m_pending = false;
            lock.unlock();
            paint();
            lock.lock();
        }
    }

    // Every rectangle covers the whole surface in one colour, so a copy with two colours caught
    // a rectangle half drawn.
    void paint() {
        m_surface.take_changed_rect();
        raster::Bitmap copy;
        {
            framework::SurfaceAccess access(m_surface);
            copy = access.bitmap();
        }
        const raster::Pixel* first = copy.data();
        const raster::Pixel* last = first + static_cast<size_t>(copy.width()) * copy.height();
        if (std::any_of(first, last, [first](raster::Pixel p) { return p != *first; }))
            ++torn_copies;
        ++paints;
    }

    framework::Surface& m_surface;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_done = false;
    std::thread m_thread;
};

// Large enough that one rectangle takes a while to fill.
class ConcurrentRepaintTest : public test_support::GraphicsWindowTest {
protected:
    ConcurrentRepaintTest() : GraphicsWindowTest(320, 240) {}
    void SetUp() override {
        GraphicsWindowTest::SetUp();
        window().surface.take_changed_rect();
    }
    void TearDown() override {
        framework::set_surface_observer(nullptr);
        GraphicsWindowTest::TearDown();
    }
};

TEST_F(ConcurrentRepaintTest, RepaintNeverSeesAHalfDrawnRectangle) {
    RepaintThread repaint(window().surface);
    framework::set_surface_observer(&repaint);
    for (int32_t i = 0; i < 600; ++i) {
        gw_set_color_rgb(static_cast<int32_t>(i % 2 ? RED : GREEN));
        gw_rectangle(GW_FILLED, 0, 0, 319, 239);
    }
    framework::set_surface_observer(nullptr);
    repaint.finish();
    EXPECT_GE(repaint.paints, 1);
    EXPECT_EQ(repaint.torn_copies, 0);
    EXPECT_EQ(pixel(10, 10), RED);
}

} // namespace
