// The status bar's texts on the viewing geometry.
#include "app/geometry_status.h"

#include "app/acuity_levels.h"
#include "app/showable_levels.h"
#include "app/viewing_parameters.h"
#include "platform/language/catalogue.h"

#include <cstdio>
#include <optional>

namespace {

// "с 450 см", or "лишь дальше 10 м" when no distance the dialog accepts will do.
std::string from_text(int32_t distance_cm) {
    if (distance_cm > static_cast<int32_t>(APP_DISTANCE_MAX_CM))
        return language::translate("status bar", "лишь дальше 10 м");
    return language::fill_in(language::translate("status bar", "с %1 см"),
                             {std::to_string(distance_cm)});
}

} // namespace

std::string app_geometry_status_text(float distance_cm, float diagonal_in, int16_t /*width*/,
                                     int16_t /*height*/, int32_t nx, int32_t ny) {
    const int32_t first_unshowable = app_first_unshowable_index(distance_cm, diagonal_in, nx, ny);
    std::optional<float> highest;
    if (first_unshowable > ACUITY_FIRST_TRIED_INDEX)
        highest = app_acuity_level(first_unshowable - 1);
    const auto distance_for = [&](float v) { return app_showable_from_cm(v, diagonal_in, nx, ny); };
    std::string text =
        highest ? language::fill_in(language::translate("status bar", "Измеримая острота: до %1"),
                                    {app_acuity_text(*highest)})
                : language::translate("status bar",
                                      "Разрыв кольца меньше половины пикселя даже при 0.1");
    if (!highest || *highest < 2.0f) {
        text += language::fill_in(language::translate("status bar", "; 1.0 измерима %1, 2.0 — %2"),
                                  {from_text(distance_for(1.0f)), from_text(distance_for(2.0f))});
    }
    return text;
}

std::string app_level_status_text(float v, double gap_drawn_pixels) {
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.1f", gap_drawn_pixels);
    std::string text =
        language::fill_in(language::translate("status bar", "Острота %1: разрыв кольца %2 пикс."),
                          {app_acuity_text(v), gap});
    if (!app_gap_showable(gap_drawn_pixels))
        text += language::translate(
            "status bar", " — меньше половины пикселя, этот уровень на таком экране не измерить");
    return text;
}
