// The instruction text: its paragraphs, their order and the About box's limit.
#include "app/instruction_text.h"
#include "platform/language/catalogue.h"
#include "runtime/cp1251.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> parts(1);
    for (const char c : text)
        if (c == '\r')
            parts.emplace_back();
        else
            parts.back() += c;
    return parts;
}

TEST(InstructionTextTest, FitsTheAboutBoxInCp1251) {
    const std::string text = app_instruction_text();
    EXPECT_LE(text.size(), APP_ABOUT_TEXT_LIMIT);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.back(), '\r');
    // Every character made it into CP1251: converting back gives no replacement marks.
    EXPECT_EQ(cp1251_to_utf8(text).find('?'), std::string::npos);
}

TEST(InstructionTextTest, HasItsTenParagraphsInOrder) {
    const std::vector<std::string> expected{
        "Программа - тренажер для глаз TALVENA. ",
        "",
        "НАЧАЛО: левая кнопка мыши - ТРЕНИРОВКА с текущим размером, правая - ПРОВЕРКА ЗРЕНИЯ, "
        "обе кнопки -  выход из программы",
        "",
        "ТРЕНИРОВКА: Цифра слева - жмите левую кнопку мыши, справа - правую, обе кнопки - "
        "переход в НАЧАЛО",
        "",
        "ПРОВЕРКА ЗРЕНИЯ: Зазор слева - жмите левую кнопку мыши, справа - правую, обе кнопки - "
        "переход в НАЧАЛО",
        "",
        "Подробная инструкция на страничке https://talvena.example/,там же гостевая книга.",
        "Пожалуйста, напишите о своем опыте работы с программой",
    };
    const std::vector<std::string> found = paragraphs(app_instruction_text());
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(cp1251_to_utf8(found[i]), expected[i]) << "paragraph " << i + 1;
}

// Each paragraph is translated on its own, and the English text keeps within the box too.
TEST(InstructionTextTest, EnglishHasTheSameParagraphsAndFitsTheAboutBox) {
    const std::vector<std::filesystem::path> folders = {TALVENA_CATALOGUE_FOLDER};
    ASSERT_EQ(language::use_language(language::Language::english, folders),
              language::Language::english);
    const std::string text = app_instruction_text();
    language::use_russian();
    EXPECT_LE(text.size(), APP_ABOUT_TEXT_LIMIT);
    const std::vector<std::string> found = paragraphs(text);
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(found[0], "TALVENA, a program that trains the eyes. ");
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].empty(), i % 2 == 1 && i < 8) << "paragraph " << i + 1;
        for (const char c : found[i])
            EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "paragraph " << i + 1;
    }
}

} // namespace
