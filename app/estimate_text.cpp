// The estimate's texts. An interval open on one side is said as a bound ("не ниже 0.71"): the
// answers do not limit it on the other.
#include "app/estimate_text.h"

#include "platform/language/catalogue.h"

#include <cstdio>

namespace {

// Without a sign on a value that rounds to zero.
std::string two_decimals(double value) {
    if (value > -0.005 && value < 0.005)
        value = 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// From `worse` to `better`: open on the better side means "at least worse", on the worse side
// "at most better". For acuity the better end is the higher number, for logMAR the lower.
std::string interval_text(double worse, double better, bool worse_open, bool better_open,
                          bool higher_is_better) {
    if (worse_open && better_open)
        return language::translate("vision test", "не определён");
    const std::string not_below = language::translate("vision test", "не ниже %1");
    const std::string not_above = language::translate("vision test", "не выше %1");
    const std::string& at_least = higher_is_better ? not_below : not_above;
    const std::string& at_most = higher_is_better ? not_above : not_below;
    if (better_open)
        return language::fill_in(at_least, {two_decimals(worse)});
    if (worse_open)
        return language::fill_in(at_most, {two_decimals(better)});
    return higher_is_better ? two_decimals(worse) + "–" + two_decimals(better)
                            : two_decimals(better) + "–" + two_decimals(worse);
}

std::string acuity_interval(const AcuityEstimate& estimate) {
    return interval_text(estimate.acuity_low(), estimate.acuity_high(), estimate.open_high,
                         estimate.open_low, true);
}

std::string logmar_interval(const AcuityEstimate& estimate) {
    return interval_text(estimate.high_logmar, estimate.low_logmar, estimate.open_high,
                         estimate.open_low, false);
}

// The status text's template for a count of answers: "ответу" after 1, 21, ... but not 11;
// "ответам" else.
std::string status_template(int32_t n) {
    if (n % 10 == 1 && n % 100 != 11)
        return language::translate("status bar", "Оценка по %1 ответу: %2 (%3), logMAR %4 (%5)");
    return language::translate("status bar", "Оценка по %1 ответам: %2 (%3), logMAR %4 (%5)");
}

} // namespace

std::string app_estimate_acuity_line(const AcuityEstimate& estimate) {
    return language::fill_in(
        language::translate("vision test", "Оценка по всем ответам: %1, 95 % интервал %2"),
        {two_decimals(estimate.acuity()), acuity_interval(estimate)});
}

std::string app_estimate_logmar_line(const AcuityEstimate& estimate) {
    return language::fill_in(language::translate("vision test", "logMAR %1, 95 % интервал %2"),
                             {two_decimals(estimate.logmar), logmar_interval(estimate)});
}

std::string app_estimate_status_text(const AcuityEstimate& estimate) {
    return language::fill_in(status_template(estimate.answers),
                             {std::to_string(estimate.answers), two_decimals(estimate.acuity()),
                              acuity_interval(estimate), two_decimals(estimate.logmar),
                              logmar_interval(estimate)});
}
