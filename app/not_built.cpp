// Activities that are not built yet: each returns at once and says so in the trace. An
// activity's entry leaves this file when the activity is built.
#include "app/activities.h"
#include "runtime/trace.h"

#include <string>

namespace {

void report_not_built(const char* what) {
    rt_trace_event("not-built", {{"what", what}});
}

} // namespace

// The cell size goes with it, so that a scripted run can tell which training was asked for.
void app_run_training(int32_t k, const FigurePointTable& /*figures*/, int16_t /*width*/,
                      int16_t /*height*/) {
    rt_trace_event("not-built", {{"what", "training"}, {"K", std::to_string(k)}});
}

void app_run_vision_test(int16_t /*width*/, int16_t /*height*/) {
    report_not_built("vision-test");
}

void app_show_results_chart() {
    report_not_built("results-chart");
}
