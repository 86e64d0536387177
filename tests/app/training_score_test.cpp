// The training's scoring and the summary's word forms: the mean over the answered images, the
// push-ups owed with and without slowness, and the plural rule for every counted word.
#include "app/training_score.h"
#include "platform/language/catalogue.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ScoreCase {
    const char* name;
    TrainingTally tally;
    float mean_time;
    int32_t pushups;
};

} // namespace

TEST(TrainingScore, MeanOverTheAnsweredImagesAndThePushupsOwed) {
    const ScoreCase CASES[] = {
        // 36 s over 18 answers: 2·3 + 2 = 8, then trunc(15 × 1.0 / 4 + 8) = trunc(11.75).
        {"twenty images, slow", {15, 3, 2, 36.0f}, 2.0f, 11},
        // 1.0 s is not slow: only the errors count.
        {"mean of exactly one second", {10, 2, 1, 12.0f}, 1.0f, 5},
        {"fast and faultless", {20, 0, 0, 10.0f}, 0.5f, 0},
        // Slow but faultless: 4 seconds of summed excess time make one push-up.
        {"slow and faultless", {8, 0, 0, 12.0f}, 1.5f, 1},
        {"just under one push-up", {7, 0, 0, 10.99f}, 10.99f / 7.0f, 0},
        // Unanswered images add nothing to the time and do not count in the mean.
        {"unanswered left out of the mean", {2, 1, 7, 3.0f}, 1.0f, 9},
        // Nothing answered: the mean is 0.00 rather than 0 / 0, and adds no slowness.
        {"all unanswered", {0, 0, 20, 0.0f}, 0.0f, 20},
        {"only wrong answers, slow", {0, 4, 0, 16.0f}, 4.0f, 8},
    };
    for (const ScoreCase& c : CASES) {
        SCOPED_TRACE(c.name);
        const TrainingScore score = app_score_training(c.tally);
        EXPECT_FLOAT_EQ(score.mean_time, c.mean_time);
        EXPECT_EQ(score.pushups, c.pushups);
    }
}

TEST(TrainingScore, PluralRuleByTheLastDigitWithElevenToTwentyPlural) {
    const struct {
        int32_t n;
        PluralForm form;
    } CASES[] = {
        {0, PluralForm::plural},
        {1, PluralForm::singular},
        {2, PluralForm::paucal},
        {4, PluralForm::paucal},
        {5, PluralForm::plural},
        {10, PluralForm::plural},
        {11, PluralForm::plural},
        {12, PluralForm::plural},
        {14, PluralForm::plural},
        {20, PluralForm::plural},
        {21, PluralForm::singular},
        {22, PluralForm::paucal},
        {25, PluralForm::plural},
        {100, PluralForm::plural},
        {101, PluralForm::singular},
        // Only 11..20 are taken out: 111 follows its last digit.
        {111, PluralForm::singular},
        {112, PluralForm::paucal},
    };
    for (const auto& c : CASES)
        EXPECT_EQ(app_plural_form(c.n), c.form) << c.n;
}

TEST(TrainingScore, EveryCountedWordInItsForm) {
    const struct {
        int32_t n;
        const char* attempts;
        const char* errors;
        const char* unanswered;
        const char* pushups;
    } CASES[] = {
        {1, " попытка", " ошибка", " раз не ответили",
         "отжимани"
         "e, пожалуйста!"},
        {2, " попытки", " ошибки", "раза не ответили", "отжимания, пожалуйста!"},
        {5, " попыток", " ошибок", " раз не ответили", "отжиманий, пожалуйста!"},
        {11, " попыток", " ошибок", " раз не ответили", "отжиманий, пожалуйста!"},
        {12, " попыток", " ошибок", " раз не ответили", "отжиманий, пожалуйста!"},
        {20, " попыток", " ошибок", " раз не ответили", "отжиманий, пожалуйста!"},
        {21, " попытка", " ошибка", " раз не ответили",
         "отжимани"
         "e, пожалуйста!"},
        {22, " попытки", " ошибки", "раза не ответили", "отжимания, пожалуйста!"},
        {111, " попытка", " ошибка", " раз не ответили",
         "отжимани"
         "e, пожалуйста!"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.n);
        EXPECT_STREQ(app_attempts_word(c.n), c.attempts);
        EXPECT_STREQ(app_errors_word(c.n), c.errors);
        EXPECT_STREQ(app_unanswered_words(c.n), c.unanswered);
        EXPECT_STREQ(app_pushups_words(c.n), c.pushups);
    }
}

// Each word fills its place on the summary exactly: after a four-character count the lines are
// 12, 11 and 20 characters, the push-ups' words 22 (counted in characters, as drawn in CP1251).
TEST(TrainingScore, WordsFillTheirPlacesOnTheSummary) {
    const auto characters = [](std::string_view utf8) {
        size_t count = 0;
        for (const char c : utf8)
            count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return count;
    };
    for (const int32_t n : {1, 2, 5}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(4 + characters(app_attempts_word(n)), 12u);
        EXPECT_EQ(4 + characters(app_errors_word(n)), 11u);
        EXPECT_EQ(4 + characters(app_unanswered_words(n)), 20u);
        EXPECT_EQ(characters(app_pushups_words(n)), 22u);
    }
}

// In English the words follow the English rule: the singular for 1 only, the plural for any
// other count, 21 and 0 included.
TEST(TrainingScore, EnglishWordsTakeTheEnglishForms) {
    const std::vector<std::filesystem::path> folders = {TALVENA_CATALOGUE_FOLDER};
    ASSERT_EQ(language::use_language(language::Language::english, folders),
              language::Language::english);
    const auto shown = [](const char* russian) { return language::translate("training", russian); };
    const struct {
        int32_t n;
        const char* attempts;
        const char* pushups;
    } CASES[] = {
        {0, " attempts", "push-ups, please!"},  {1, " attempt", "push-up, please!"},
        {2, " attempts", "push-ups, please!"},  {5, " attempts", "push-ups, please!"},
        {21, " attempts", "push-ups, please!"}, {101, " attempts", "push-ups, please!"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(shown(app_attempts_word(c.n)), c.attempts);
        EXPECT_EQ(shown(app_pushups_words(c.n)), c.pushups);
    }
    language::use_russian();
}
