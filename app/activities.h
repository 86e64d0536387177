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

// The chart of the results file talvena.rtr in the data folder, read afresh and never changed:
// vision tests above, trainings below, a dotted line per day. Traces `chart` with the records
// read, the vision tests and trainings drawn, the line where reading stopped (0: none) and
// whether the file was there; names a damaged line in the status bar; waits for a click.
void app_draw_results_chart();
