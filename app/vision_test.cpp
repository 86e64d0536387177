// The vision test: Landolt rings level by level, the bisection over the acuity table, the
// result and its record.
#include "app/activities.h"
#include "runtime/trace.h"

void app_run_vision_test(int16_t /*width*/, int16_t /*height*/) {
    rt_trace_event("not-built", {{"what", "vision-test"}});
}
