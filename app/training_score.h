// The training's scoring: the mean answer time, the push-ups owed and the plural forms.
#pragma once

#include <cstdint>
#include <string_view>

// What one training counted. Times are single-precision seconds, as the record keeps them.
struct TrainingTally {
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t unanswered = 0;
    float total_time = 0.0f; // the answer times of the answered images only
};

struct TrainingScore {
    float mean_time = 0.0f;
    int32_t pushups = 0;
};

// The mean over the answered images, 0 when none was answered; push-ups: two for every wrong
// answer and one for every unanswered image, and when the mean is above 1 s, a quarter of the
// excess time summed over the correct answers on top, the sum truncated towards zero.
TrainingScore app_score_training(const TrainingTally& tally);

// The form a counted Russian word takes after n: d = n mod 10, except that 11..20 count as 5;
// d = 1 singular, 2..4 paucal, anything else plural.
enum class PluralForm { singular, paucal, plural };
PluralForm app_plural_form(int32_t n);

// The words of the summary after their counts, in Russian as the catalogue knows them (UTF-8, each
// with its leading blank where it has one): " попытка", " ошибки", "раза не ответили",
// "отжиманий, пожалуйста!", ... In a run in English the form is chosen by the English rule
// instead: the singular for 1, the plural for any other count.
const char* app_attempts_word(int32_t n);
const char* app_errors_word(int32_t n);
const char* app_unanswered_words(int32_t n);
const char* app_pushups_words(int32_t n);
