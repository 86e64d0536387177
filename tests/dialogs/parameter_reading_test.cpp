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
        {"50        ", "17.3      ", 50.0f, 17.3f},   // no point: a whole number
        {"  6 0     ", "1 7.3     ", 60.0f, 17.3f},   // blanks are ignored
        {"62,5      ", "17,3      ", 62.5f, 17.3f},   // a decimal comma is a decimal point
        {"10        ", "5         ", 10.0f, 5.0f},    // the smallest a setup can have
        {"1000.0    ", "99.9      ", 1000.0f, 99.9f}, // and the largest
        {"1e3       ", "99,90     ", 1000.0f, 99.9f},
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

// A field is refused when it is not a number or lies outside what a setup can have; the message
// names the field and its range. The distance is cut to its first 10 characters as the dialog
// reads it: 99999999999999999999 is 9999999999, far beyond 10 m.
TEST(ParameterReading, UnusableFieldsAreRefusedFirstToLast) {
    const std::string DISTANCE = "Дальность до дисплея: нужно число сантиметров от 10 до 1000.";
    const std::string DIAGONAL = "Диагональ дисплея: нужно число дюймов от 5.0 до 99.9.";
    const std::string NY = "Ny: нужно целое число пикселов от 320 до 9999.";
    const std::string NX = "Nx: нужно целое число пикселов от 320 до 9999.";
    const struct {
        ParameterTexts texts;
        int32_t field;
        const std::string& message;
    } CASES[] = {
        {{"abc       ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"          ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"-5        ", "0         ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"9999999999", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"9.99      ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"1000.1    ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{"nan       ", " 17.70    ", " 768      ", "1024      ", " 100      "}, 1000, DISTANCE},
        {{" 200.0    ", "          ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "0.0       ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "17,3,5    ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "0.001     ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "4.99      ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "99.95     ", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", "9999999999", " 768      ", "1024      ", " 100      "}, 1001, DIAGONAL},
        {{" 200.0    ", " 17.70    ", "0         ", "1024      ", " 100      "}, 1002, NY},
        {{" 200.0    ", " 17.70    ", "319       ", "1024      ", " 100      "}, 1002, NY},
        {{" 200.0    ", " 17.70    ", " 768      ", "0         ", " 100      "}, 1003, NX},
        {{" 200.0    ", " 17.70    ", " 768      ", "10.5      ", " 100      "}, 1003, NX},
        {{" 200.0    ", " 17.70    ", " 768      ", "10000     ", " 100      "}, 1003, NX},
        {{" 200.0    ", " 17.70    ", " 768      ", "9999999999", " 100      "}, 1003, NX},
        {{" 200.0    ", " 17.70    ", " 768      ", "1024      ", "          "},
         1004,
         "Объем тренировки: нужно целое число изображений больше нуля."},
    };
    for (const auto& c : CASES) {
        ViewingParameters read;
        read.distance_cm = 1.0f;
        const std::optional<ParameterRefusal> refusal = app_read_parameters(c.texts, read);
        ASSERT_TRUE(refusal.has_value()) << c.texts.distance << c.texts.diagonal << c.texts.nx;
        EXPECT_EQ(refusal->field, c.field);
        EXPECT_EQ(refusal->message, c.message);
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
