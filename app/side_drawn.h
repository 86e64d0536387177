// The side of the figure or gap an activity drew last, as the scripted user's `answer` learns it.
#pragma once

#include <cstdint>

// An activity that asks for answers tells the side it has just drawn (+1 right, -1 left) and
// forgets it (0) when it ends. Application thread.
void app_tell_side_drawn(int32_t side);
