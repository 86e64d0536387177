// Reading the parameter dialog's texts back: the descriptors' rules and the refused fields.
#include "app/activities.h"
#include "app/parameter_dialog.h"
#include "dialogs/dialog_template.h"

#include <gtest/gtest.h>

namespace {

ParameterTexts defaults() {
    return {" 200.0    ", " 17.70    ", " 768      ", "1024      ", " 100      "};
}

} // namespace

TEST(ParameterReading, TextsConvertByTheirDescriptors) {
    const struct {
        std::string distance;
        std::string diagonal;
        float want_distance;
        float want_diagonal;
    } CASES[] = {
        {" 200.0    ", " 17.70    ", 200.0f, 17.7f},
        {"50        ", "17.3      ", 50.0f, 17.3f}, // no point: a whole number
        {"  6 0     ", "1 7.3     ", 60.0f, 17.3f}, // blanks are ignored
        {"123456789.", "0.5       ", 123456789.0f, 0.5f},
        {"62,5      ", "17,3      ", 62.5f, 17.3f}, // a decimal comma is a decimal point
    };
    for (const auto& c : CASES) {
        ParameterTexts texts = defaults();
        texts.distance = c.distance;
        texts.diagonal = c.diagonal;
        ViewingParameters read;
        EXPECT_FALSE(app_read_parameters(texts, read).has_value()) << c.distance;
        EXPECT_FLOAT_EQ(read.distance_cm, c.want_distance) << c.distance;
        EXPECT_FLOAT_EQ(read.diagonal_in, c.want_diagonal) << c.diagonal;
        EXPECT_EQ(read.screen_nx, 1024);
        EXPECT_EQ(read.screen_ny, 768);
        EXPECT_EQ(read.training_volume, 100);
    }
}

TEST(ParameterReading, UnusableFieldsAreRefusedFirstToLast) {
    const struct {
        ParameterTexts texts;
        int32_t field;
    } CASES[] = {
        {{"abc       ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000},
        {{"          ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000},
        {{"-5        ", "0         ", " 768      ", "1024      ", " 100      "}, 1000},
        {{" 200.0    ", "          ", " 768      ", "1024      ", " 100      "}, 1001},
        {{" 200.0    ", "0.0       ", " 768      ", "1024      ", " 100      "}, 1001},
        {{" 200.0    ", "17,3,5    ", " 768      ", "1024      ", " 100      "}, 1001},
        {{" 200.0    ", " 17.70    ", "0         ", "1024      ", " 100      "}, 1002},
        {{" 200.0    ", " 17.70    ", " 768      ", "0         ", " 100      "}, 1003},
        {{" 200.0    ", " 17.70    ", " 768      ", "10.5      ", " 100      "}, 1003},
        {{" 200.0    ", " 17.70    ", " 768      ", "1024      ", "          "}, 1004},
    };
    for (const auto& c : CASES) {
        ViewingParameters read;
        read.distance_cm = 1.0f;
        const std::optional<ParameterRefusal> refusal = app_read_parameters(c.texts, read);
        ASSERT_TRUE(refusal.has_value()) << c.field;
        EXPECT_EQ(refusal->field, c.field);
        EXPECT_FALSE(refusal->message.empty());
        EXPECT_FLOAT_EQ(read.distance_cm, 1.0f) << "nothing is written when a field refuses";
    }
}

TEST(ParameterDialogTemplate, MissingTemplateStopsWithItsMessage) {
    EXPECT_EXIT(
        {
            dialogs::replace_dialog_templates("");
            app_ask_parameters();
        },
        testing::ExitedWithCode(0), "Диалог IDD_DIALOG1 не найден");
}
