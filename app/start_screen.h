// The start screen: the main loop that shows the training image at cell sizes 2..9..2, five
// seconds each, and waits for the user's choice.
#pragma once

#include "app/figure_table.h"

#include <cstdint>
#include <functional>

// The sizes a sweep runs through: first, first + step, ..., last.
struct Sweep {
    int32_t first = 2;
    int32_t last = 9;
    int32_t step = +1;

    // How many sizes the sweep shows.
    int32_t size_count() const { return (last - first + step) / step; }
};

inline constexpr int32_t SWEEP_SMALLEST_CELL = 2;
inline constexpr int32_t SWEEP_LARGEST_CELL = 9;
inline constexpr double START_SCREEN_PAUSE_SECONDS = 5.0;

// Turns the sweep at its end. The end sizes are shown once at each turn: 2..9 is followed by
// 8..2, and that by 3..9.
void app_turn_sweep(Sweep& sweep);

// Where the start screen leads. The program's own activities by default
// (app_start_screen_activities); tests put their own in.
struct StartScreenActivities {
    std::function<void(int32_t k)> run_training;
    std::function<void()> run_vision_test;
    std::function<void()> show_results_chart;
    // Called before every check made without idling (after a grating row, after a figure
    // tile): on the virtual clock drawing takes no time, so this is where a scripted user's
    // due actions are carried out.
    std::function<void()> at_sync_point;
};

StartScreenActivities app_start_screen_activities(const FigurePointTable& figures, int16_t width,
                                                  int16_t height);

// The main loop on the active window, whose surface is width x height. Application thread only.
class StartScreen {
public:
    StartScreen(const FigurePointTable& figures, int16_t width, int16_t height,
                StartScreenActivities activities);

    // Runs until both buttons have been pressed, and returns once they are released.
    void run();

    // The cell size whose figure was drawn last (2 before any): what a left click trains.
    int32_t current_cell_size() const { return m_current_cell_size; }

private:
    enum class Next { go_on, restart, exit };

    void tell_controls();
    void serve_requests();
    Next show_sweep();
    Next show_size(int32_t k);
    Next draw_grating(int32_t k);
    Next draw_figure(int32_t k);
    Next pause(int32_t k);

    Next check_after_row();
    Next check_after_tile();
    Next check_in_pause();
    bool vision_test_clicked();
    void train_then_wait_for_release();
    void train_after_pause_click();
    void sync_point();

    const FigurePointTable& m_figures;
    int16_t m_width;
    int16_t m_height;
    StartScreenActivities m_activities;
    Sweep m_sweep;
    int32_t m_current_cell_size = SWEEP_SMALLEST_CELL;
};
