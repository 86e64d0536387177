// Activities that are not built yet: each returns at once and says so in the trace. An
// activity's entry leaves this file when the activity is built.
#include "app/activities.h"
#include "runtime/trace.h"

void app_show_results_chart() {
    rt_trace_event("not-built", {{"what", "results-chart"}});
}
