// The menu commands' callbacks.
#include "app/menu_commands.h"

#include "app/drawing_window.h"
#include "app/interaction_state.h"
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/units.h"

int32_t app_menu_exit(int32_t /*checked*/) {
    rt_close(APP_DRAWING_UNIT, RtOnError::report);
    rt_beep(0, 350);
    rt_stop();
}

// A running activity notices the request and returns first; the main loop then shows the chart.
int32_t app_menu_results(int32_t /*checked*/) {
    app_put(menu_request, APP_REQUEST_RESULTS_CHART);
    rt_wake();
    return 0;
}
