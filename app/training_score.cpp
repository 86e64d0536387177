// The training's scoring and the plural forms of the summary's words.
#include "app/training_score.h"

#include "platform/language/catalogue.h"

#include <cmath>

namespace {

// Above this mean every correct answer adds its excess time to the penalty.
constexpr float SLOW_MEAN_SECONDS = 1.0f;
// Seconds of summed excess time that make one push-up.
constexpr float EXCESS_SECONDS_PER_PUSHUP = 4.0f;

const char* form_of(int32_t n, const char* singular, const char* paucal, const char* plural) {
    if (language::current_language() == language::Language::english)
        return n == 1 ? singular : plural;
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

const char* app_attempts_word(int32_t n) {
    return form_of(n, TRANSLATABLE("training", " попытка"), TRANSLATABLE("training", " попытки"),
                   TRANSLATABLE("training", " попыток"));
}

const char* app_errors_word(int32_t n) {
    return form_of(n, TRANSLATABLE("training", " ошибка"), TRANSLATABLE("training", " ошибки"),
                   TRANSLATABLE("training", " ошибок"));
}

// The paucal form fills its 16 characters without the leading blank.
const char* app_unanswered_words(int32_t n) {
    return form_of(n, TRANSLATABLE("training", " раз не ответили"),
                   TRANSLATABLE("training", "раза не ответили"),
                   TRANSLATABLE("training", " раз не ответили"));
}

// The singular ends in a Latin "e", as the program has always written it; it looks the same.
const char* app_pushups_words(int32_t n) {
    return form_of(n,
                   TRANSLATABLE("training", "отжимани"
                                            "e, пожалуйста!"),
                   TRANSLATABLE("training", "отжимания, пожалуйста!"),
                   TRANSLATABLE("training", "отжиманий, пожалуйста!"));
}
