// The training's scoring and the plural forms of the summary's words.
#include "app/training_score.h"

#include <cmath>

namespace {

// Above this mean every correct answer adds its excess time to the penalty.
constexpr float SLOW_MEAN_SECONDS = 1.0f;
// Seconds of summed excess time that make one push-up.
constexpr float EXCESS_SECONDS_PER_PUSHUP = 4.0f;

std::string_view form_of(int32_t n, std::string_view singular, std::string_view paucal,
                         std::string_view plural) {
    switch (app_plural_form(n)) {
    case PluralForm::singular:
        return singular;
    case PluralForm::paucal:
        return paucal;
    case PluralForm::plural:
        break;
    }
    return plural;
}

} // namespace

// With no answered image the mean would be 0 / 0; it is shown and recorded as 0 instead, which
// also adds no penalty for slowness. The penalty is worked out in single precision, as the
// counts and times are kept: trunc(correct × (mean - 1) / 4 + push-ups).
TrainingScore app_score_training(const TrainingTally& tally) {
    TrainingScore score;
    const int32_t answered = tally.correct + tally.wrong;
    if (answered > 0)
        score.mean_time = tally.total_time / static_cast<float>(answered);
    score.pushups = 2 * tally.wrong + tally.unanswered;
    if (score.mean_time > SLOW_MEAN_SECONDS) {
        const float owed = static_cast<float>(tally.correct) * (score.mean_time - 1.0f) /
                               EXCESS_SECONDS_PER_PUSHUP +
                           static_cast<float>(score.pushups);
        score.pushups = static_cast<int32_t>(std::trunc(owed));
    }
    return score;
}

PluralForm app_plural_form(int32_t n) {
    int32_t d = n % 10;
    if (n > 10 && n < 21)
        d = 5;
    if (d == 1)
        return PluralForm::singular;
    if (d >= 2 && d <= 4)
        return PluralForm::paucal;
    return PluralForm::plural;
}

std::string_view app_attempts_word(int32_t n) {
    return form_of(n, " попытка", " попытки", " попыток");
}

std::string_view app_errors_word(int32_t n) {
    return form_of(n, " ошибка", " ошибки", " ошибок");
}

// The paucal form fills its 16 characters without the leading blank.
std::string_view app_unanswered_words(int32_t n) {
    return form_of(n, " раз не ответили", "раза не ответили", " раз не ответили");
}

// The singular ends in a Latin "e", as the program has always written it; it looks the same.
std::string_view app_pushups_words(int32_t n) {
    return form_of(n,
                   "отжимани"
                   "e, пожалуйста!",
                   "отжимания, пожалуйста!", "отжиманий, пожалуйста!");
}
