// The estimate from all of a test's answers in words: the result screen's two lines and the
// status bar's message. Every text the user sees of the estimate is here. UTF-8.
#pragma once

#include "app/acuity_estimate.h"

#include <string>

// "Оценка по всем ответам: 0.83, 95 % интервал 0.71–0.97"
std::string app_estimate_acuity_line(const AcuityEstimate& estimate);

// "logMAR 0.08, 95 % интервал 0.01–0.15"
std::string app_estimate_logmar_line(const AcuityEstimate& estimate);

// "Оценка по 52 ответам: 0.83 (0.71–0.97), logMAR 0.08 (0.01–0.15)"
std::string app_estimate_status_text(const AcuityEstimate& estimate);
