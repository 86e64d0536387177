// The platform's size arithmetic on real faces, and the text font of a window configuration.
#include "framework/windows/text_grid_font.h"
#include "framework/windows/window_config.h"
#include "platform/fonts/font_library.h"
#include "tests/framework/text/font_environment.h"

#include <gtest/gtest.h>

namespace {

fonts::LogicalFont logical(const char* face, int32_t height, int32_t width) {
    fonts::LogicalFont font;
    font.set_face_name(face);
    font.height = height;
    font.width = width;
    return font;
}

class FontLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_library = fonts::FontLibrary::open(test_support::liberation_fonts());
    }
    static void TearDownTestSuite() { s_library.reset(); }
    static std::unique_ptr<fonts::FontLibrary> s_library;
};

std::unique_ptr<fonts::FontLibrary> FontLibraryTest::s_library;

TEST_F(FontLibraryTest, HeightIsTheCellWhenPositiveAndTheEmWhenNegative) {
    ASSERT_TRUE(s_library);
    // Liberation Serif: unitsPerEm 2048, winAscent 1825 + winDescent 443 = 2268.
    const auto cell = s_library->create(logical("Times New Roman", 38, 0));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->metrics().height, 38);
    EXPECT_EQ(cell->metrics().ascent, 31);          // 1825 * 34.31 / 2048 = 30.57
    EXPECT_EQ(cell->metrics().internal_leading, 4); // 38 - 34.31 rounded
    // At em 34: ascent 30.30 and descent 7.35 round to 30 + 7.
    const auto em = s_library->create(logical("Times New Roman", -34, 0));
    ASSERT_TRUE(em);
    EXPECT_EQ(em->metrics().height, 37);
    EXPECT_EQ(em->metrics().ascent, 30);
    EXPECT_EQ(em->metrics().internal_leading, 3);
    const auto platform_size = s_library->create(logical("Times New Roman", 0, 0));
    ASSERT_TRUE(platform_size);
    EXPECT_EQ(platform_size->metrics().height, 16);
}

TEST_F(FontLibraryTest, WidthScalesToTheFontsAverageNotTheStrings) {
    const auto natural = s_library->create(logical("Arial", 38, 0));
    const auto narrow = s_library->create(logical("Arial", 38, 8));
    const auto wide = s_library->create(logical("Arial", 38, 34));
    ASSERT_TRUE(natural && narrow && wide);
    EXPECT_EQ(narrow->metrics().average_char_width, 8);
    EXPECT_EQ(wide->metrics().average_char_width, 34);
    const std::u32string text = U"Для продолжения нажмите любую кнопку мыши";
    const int32_t natural_width = natural->measure(text).width;
    EXPECT_LT(narrow->measure(text).width, natural_width * 3 / 4);
    EXPECT_GT(wide->measure(text).width, natural_width * 3 / 2);
    EXPECT_EQ(narrow->measure(text).height, 38);
}

TEST_F(FontLibraryTest, UnknownFacesStillGiveAFont) {
    const auto font = s_library->create(logical("No Such Face", 20, 0));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->metrics().height, 20);
}

TEST(TextFontTest, CourierNewCellsFitAndOtherSizesAreAdjusted) {
    const auto standard = framework::create_text_font("", 8, 16, GW_FONT_STYLE_NORMAL);
    ASSERT_TRUE(standard);
    EXPECT_FALSE(standard->adjusted);
    EXPECT_EQ(standard->font->family(), "Liberation Mono");
    EXPECT_EQ(standard->cell_width, 8);
    EXPECT_EQ(standard->cell_height, 16);

    const auto styled = framework::create_text_font("Courier New Cyr", 10, 20, 1 | 4);
    ASSERT_TRUE(styled);
    EXPECT_TRUE(styled->font->file_path().ends_with("LiberationMono-BoldItalic.ttf"));
    EXPECT_FALSE(styled->adjusted);

    // Width left to the platform: the cell becomes the font's own width.
    const auto own_width = framework::create_text_font("", 0, 16, 0);
    ASSERT_TRUE(own_width);
    EXPECT_TRUE(own_width->adjusted);
    EXPECT_EQ(own_width->cell_width, own_width->font->metrics().average_char_width);
    EXPECT_EQ(own_width->cell_height, 16);
}

} // namespace
