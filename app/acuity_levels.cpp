// The acuity table by index, and acuities as text.
#include "app/acuity_levels.h"

#include <cstdio>

float app_acuity_level(int32_t index) {
    return ACUITY_LEVELS[static_cast<size_t>(index - ACUITY_LOWEST_INDEX)];
}

std::string app_acuity_text(float acuity) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(acuity));
    std::string result(text);
    if (result.size() > 3 && result.back() == '0')
        result.pop_back();
    return result;
}
