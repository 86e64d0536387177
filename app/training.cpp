// The training: images of the grating with the hidden figure, answers, scoring and the summary.
#include "app/activities.h"
#include "runtime/trace.h"

#include <string>

void app_run_training(int32_t k, const FigurePointTable& /*figures*/, int16_t /*width*/,
                      int16_t /*height*/) {
    rt_trace_event("not-built", {{"what", "training"}, {"K", std::to_string(k)}});
}
