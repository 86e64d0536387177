// The start screen's main loop on the virtual clock, driven by a scripted mouse: the order of
// sizes with its turns and restarts, clicks in the grating, the figure and the pause, requests,
// and both buttons ending the loop only once released.
#include "app/interaction_state.h"
#include "app/menu_commands.h"
#include "app/random.h"
#include "app/start_screen.h"
#include "drawing_window_fixture.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int16_t WIDTH = 60;
constexpr int16_t HEIGHT = 40;
constexpr int32_t ROWS = HEIGHT + 1; // the grating draws rows 0..H
constexpr int64_t MS = 1000;
constexpr int64_t GIVE_UP_US = 600'000 * MS;

// Mouse events at virtual times: the clock is told when the next one is due, so that the loop's
// waits stop there and each is delivered at its time.
struct MouseEvent {
    int64_t at_us;
    int32_t key_state;
};

class StartScreenTest : public test_support::DrawingWindowTest {
protected:
    StartScreenTest() : DrawingWindowTest(WIDTH, HEIGHT) {}

    void SetUp() override {
        DrawingWindowTest::SetUp();
        rt_use_virtual_clock({2024, 1, 1, 12, 0, 0});
        app_set_random_seed_advances(0);
        clear_shared_state();
        for (int32_t k = 1; k <= 9; ++k)
            m_figures.set_points(k, {{2, 0}, {2, 2 * k}, {2, 4 * k}});

        rt_set_clock_advance_hook([this](int64_t now) { deliver_due_events(now); });
        tell_clock_when_due();
        m_listener = rt_trace_add_listener([this](std::string_view event, auto fields) {
            if (event == "status") // what the buttons do, told once the loop starts
                return;
            const int32_t value = fields.empty() ? 0 : std::stoi(fields[0].value);
            m_log.push_back(std::string(event) + " " + std::to_string(value));
            if (event == "pause") {
                m_pauses.push_back(value);
                if (on_pause)
                    on_pause(static_cast<int32_t>(m_pauses.size()), value);
            }
        });
    }

    void TearDown() override {
        rt_set_clock_advance_hook({});
        rt_trace_remove_listener(m_listener);
        rt_use_real_clock();
        DrawingWindowTest::TearDown();
    }

    StartScreenActivities activities() {
        return {
            .run_training =
                [this](int32_t k) {
                    m_trainings.push_back(k);
                    m_log.push_back("training " + std::to_string(k));
                },
            .run_vision_test =
                [this] {
                    m_log.push_back("vision-test");
                    if (during_vision_test)
                        during_vision_test();
                },
            .show_results_chart = [this] { m_log.push_back("chart"); },
            .at_sync_point =
                [this] {
                    ++m_sync_points;
                    if (at_sync_point)
                        at_sync_point(m_sync_points);
                },
        };
    }

    // Runs the loop until it ends; returns the virtual time at which it returned.
    double run() {
        StartScreen screen(m_figures, WIDTH, HEIGHT, activities());
        screen.run();
        return rt_clock_seconds();
    }

    static void clear_shared_state() {
        for (auto* value : {&mouse_clicked, &mouse_buttons, &mouse_buttons_now, &menu_request})
            app_put(*value, 0);
    }

    void schedule(int64_t after_us, int32_t key_state) {
        m_events.push_back({rt_clock_microseconds() + after_us, key_state});
        tell_clock_when_due();
    }
    // With no event left, the give-up time is the next due: a loop that waits for ever for a
    // button still comes to it.
    void tell_clock_when_due() {
        int64_t due = GIVE_UP_US + 1;
        for (const MouseEvent& event : m_events)
            due = std::min(due, event.at_us);
        rt_set_next_due(m_gave_up && m_events.empty() ? RT_NEVER : due);
    }
    void click(int32_t button) {
        schedule(1 * MS, button);
        schedule(50 * MS, 0);
    }
    // Both buttons, released 300 ms later: the loop's way out.
    void press_both_and_release() {
        schedule(1 * MS, APP_BOTH_BUTTONS);
        schedule(300 * MS, 0);
    }
    // A click that happens between two checks while the loop draws.
    static void click_now(int32_t button) {
        app_mouse_handler(1, 1, button, 5, 5);
        app_mouse_handler(1, 2, 0, 5, 5);
    }

    void deliver_due_events(int64_t now) {
        while (!m_events.empty() && m_events.front().at_us <= now) {
            app_mouse_handler(1, 1, m_events.front().key_state, 5, 5);
            m_events.erase(m_events.begin());
        }
        if (now > GIVE_UP_US && !m_gave_up) {
            m_gave_up = true;
            ADD_FAILURE() << "the loop did not end";
            press_both_and_release();
        }
        tell_clock_when_due();
    }

    std::function<void(int32_t number, int32_t k)> on_pause;
    std::function<void(int32_t count)> at_sync_point;
    std::function<void()> during_vision_test;

    FigurePointTable m_figures;
    std::vector<MouseEvent> m_events;
    std::vector<int32_t> m_pauses;
    std::vector<int32_t> m_trainings;
    std::vector<std::string> m_log;
    int32_t m_sync_points = 0;
    int32_t m_listener = 0;
    bool m_gave_up = false;
};

// The end sizes are shown once at each turn; each size's pause lasts five seconds.
TEST_F(StartScreenTest, SweepsUpAndDownTurningAtTheEnds) {
    on_pause = [this](int32_t number, int32_t) {
        if (number == 23)
            press_both_and_release();
    };
    const double ended = run();
    const std::vector<int32_t> expected{2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5,
                                        4, 3, 2, 3, 4, 5, 6, 7, 8, 9, 8};
    EXPECT_EQ(m_pauses, expected);
    EXPECT_NEAR(ended, 22 * 5.0 + 0.3, 0.01);
    EXPECT_TRUE(m_trainings.empty());
}

// A left click in a pause trains the size shown; the interrupted sweep starts again at its
// first size: 2 in the first sweep, 8 in a downward sweep, 3 in a later upward one.
TEST_F(StartScreenTest, LeftClickInAPauseTrainsThatSizeAndRestartsTheSweep) {
    struct Case {
        int32_t pause_number; // the pause clicked in, counted from the start
        int32_t trained;
        int32_t next_size;
    };
    for (const Case c : {Case{3, 4, 2}, Case{12, 5, 8}, Case{20, 7, 3}}) {
        SCOPED_TRACE(c.pause_number);
        clear_shared_state();
        m_pauses.clear();
        m_trainings.clear();
        int32_t latched_after_training = -1;
        on_pause = [&](int32_t number, int32_t) {
            if (number == c.pause_number)
                click(APP_LEFT_BUTTON);
            if (number == c.pause_number + 1) {
                latched_after_training = app_get(mouse_buttons);
                press_both_and_release();
            }
        };
        run();
        EXPECT_EQ(m_trainings, std::vector<int32_t>{c.trained});
        ASSERT_EQ(m_pauses.size(), static_cast<size_t>(c.pause_number + 1));
        EXPECT_EQ(m_pauses.back(), c.next_size);
        EXPECT_EQ(latched_after_training, 0);
    }
}

// current_cell_size changes only when the next size's figure starts: a click while the grating
// of 3 is drawn still trains 2.
TEST_F(StartScreenTest, LeftClickDuringAGratingTrainsTheSizeOfTheLastFigure) {
    bool clicked = false;
    at_sync_point = [&clicked](int32_t) {
        if (!clicked && rt_clock_seconds() >= 5.0) {
            clicked = true;
            click_now(APP_LEFT_BUTTON);
        }
    };
    on_pause = [this](int32_t number, int32_t) {
        if (number == 2)
            press_both_and_release();
    };
    run();
    EXPECT_EQ(m_trainings, std::vector<int32_t>{2});
    EXPECT_EQ(m_pauses, (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(m_log[2], "training 2") << "no figure of 3 before the training";
}

// A left click while the figure is drawn lets the figure finish and is taken in the pause.
TEST_F(StartScreenTest, LeftClickDuringAFigureIsTakenInThePause) {
    at_sync_point = [](int32_t count) {
        if (count == ROWS + 1) // after the first tile
            click_now(APP_LEFT_BUTTON);
    };
    on_pause = [this](int32_t number, int32_t) {
        if (number == 2)
            press_both_and_release();
    };
    run();
    ASSERT_GE(m_log.size(), 4u);
    EXPECT_EQ(m_log[0], "figure 2");
    EXPECT_EQ(m_log[1], "pause 2");
    EXPECT_EQ(m_log[2], "training 2");
    EXPECT_EQ(m_log[3], "figure 2");
}

TEST_F(StartScreenTest, RightClickRunsTheVisionTestThenRestarts) {
    int32_t clicked_after_test = -1;
    on_pause = [&](int32_t number, int32_t) {
        if (number == 2)
            click(APP_RIGHT_BUTTON);
        if (number == 3) {
            clicked_after_test = app_get(mouse_clicked);
            press_both_and_release();
        }
    };
    run();
    EXPECT_EQ(m_pauses, (std::vector<int32_t>{2, 3, 2}));
    const std::vector<std::string> around{"pause 3", "request 1", "vision-test", "figure 2"};
    const auto at = std::find(m_log.begin(), m_log.end(), "pause 3");
    ASSERT_LE(at + 4, m_log.end());
    EXPECT_EQ(std::vector<std::string>(at, at + 4), around);
    EXPECT_EQ(clicked_after_test, 0);
    EXPECT_TRUE(m_trainings.empty());
}

TEST_F(StartScreenTest, ChartAskedForDuringTheVisionTestFollowsIt) {
    during_vision_test = [] { app_menu_results(0); };
    on_pause = [this](int32_t number, int32_t) {
        if (number == 1)
            click(APP_RIGHT_BUTTON);
        if (number == 2)
            press_both_and_release();
    };
    run();
    const std::vector<std::string> expected{"request 1", "vision-test", "request 3", "chart",
                                            "figure 2"};
    const auto at = std::find(m_log.begin(), m_log.end(), "request 1");
    ASSERT_LE(at + 5, m_log.end());
    EXPECT_EQ(std::vector<std::string>(at, at + 5), expected);
}

TEST_F(StartScreenTest, ChartRequestInAPauseRestartsTheSweep) {
    on_pause = [this](int32_t number, int32_t) {
        if (number == 3)
            app_menu_results(0);
        if (number == 4)
            press_both_and_release();
    };
    run();
    EXPECT_EQ(m_pauses, (std::vector<int32_t>{2, 3, 4, 2}));
    EXPECT_NE(std::find(m_log.begin(), m_log.end(), "chart"), m_log.end());
}

// Both buttons end the loop, but only once every button is up; a button pressed first is
// not taken as a click.
TEST_F(StartScreenTest, BothButtonsEndTheLoopOnceReleased) {
    on_pause = [this](int32_t number, int32_t) {
        if (number == 2) {
            schedule(1000 * MS, APP_LEFT_BUTTON);
            schedule(1100 * MS, APP_BOTH_BUTTONS);
            schedule(1200 * MS, APP_LEFT_BUTTON); // right released first
            schedule(2000 * MS, 0);
        }
    };
    const double ended = run();
    EXPECT_NEAR(ended, 5.0 + 2.0, 0.01);
    EXPECT_EQ(m_pauses, (std::vector<int32_t>{2, 3}));
    EXPECT_TRUE(m_trainings.empty());
}

TEST_F(StartScreenTest, BothButtonsDuringAGratingEndTheLoop) {
    at_sync_point = [this](int32_t count) {
        if (count == 10) {
            app_mouse_handler(1, 1, APP_BOTH_BUTTONS, 5, 5);
            schedule(400 * MS, 0);
        }
    };
    const double ended = run();
    EXPECT_TRUE(m_pauses.empty());
    EXPECT_EQ(m_sync_points, 10);
    EXPECT_NEAR(ended, 0.4, 0.01);
}

} // namespace
