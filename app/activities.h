// The activities the start screen leads to: parameter dialog, training, vision test and the
// results chart. Each runs on the application thread and returns when it is finished or aborted.
#pragma once

#include "app/figure_table.h"

#include <cstdint>

// Fills the viewing parameters, or ends the program when the user chooses to leave.
void app_ask_parameters();

// One training with cell size k over the figure point table in a width x height window.
void app_run_training(int32_t k, const FigurePointTable& figures, int16_t width, int16_t height);

// One vision test in a width x height window.
void app_run_vision_test(int16_t width, int16_t height);

// The chart of the results file; waits for a click.
void app_show_results_chart();
