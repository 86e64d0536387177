// The estimate's texts. An interval open on one side is said as a bound ("не ниже 0.71"): the
// answers do not limit it on the other.
#include "app/estimate_text.h"

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
        return "не определён";
    const char* at_least = higher_is_better ? "не ниже " : "не выше ";
    const char* at_most = higher_is_better ? "не выше " : "не ниже ";
    if (better_open)
        return at_least + two_decimals(worse);
    if (worse_open)
        return at_most + two_decimals(better);
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

// The plural of "ответ" after a count: "ответу" after 1, 21, ... but not 11; "ответам" else.
const char* answers_word(int32_t n) {
    return n % 10 == 1 && n % 100 != 11 ? "ответу" : "ответам";
}

} // namespace

std::string app_estimate_acuity_line(const AcuityEstimate& estimate) {
    return "Оценка по всем ответам: " + two_decimals(estimate.acuity()) + ", 95 % интервал " +
           acuity_interval(estimate);
}

std::string app_estimate_logmar_line(const AcuityEstimate& estimate) {
    return "logMAR " + two_decimals(estimate.logmar) + ", 95 % интервал " +
           logmar_interval(estimate);
}

std::string app_estimate_status_text(const AcuityEstimate& estimate) {
    return "Оценка по " + std::to_string(estimate.answers) + " " + answers_word(estimate.answers) +
           ": " + two_decimals(estimate.acuity()) + " (" + acuity_interval(estimate) +
           "), logMAR " + two_decimals(estimate.logmar) + " (" + logmar_interval(estimate) + ")";
}
