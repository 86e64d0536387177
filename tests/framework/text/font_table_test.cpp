// The font table over the Liberation fonts: its order and alias faces, selection by
// font descriptions, orientation and directions, releasing a font.
#include "framework/text/font_table.h"
#include "framework/text/gw_text.h"
#include "tests/framework/graphics_fixture.h"

#include <string>
#include <vector>

namespace {

class FontTableTest : public test_support::GraphicsWindowTest {
protected:
    FontTableTest() : GraphicsWindowTest(200, 100) {}

    void SetUp() override {
        GraphicsWindowTest::SetUp();
        gw_set_text_orientation(0);
        ASSERT_GT(gw_init_fonts(), 0);
    }

    void TearDown() override {
        gw_set_text_orientation(0);
        GraphicsWindowTest::TearDown();
    }

    // The table number (index + 1) of a face's first entry.
    static int16_t first_number_of(const std::string& face) {
        const auto table = framework::font_table_entries();
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i].logical.face_name() == face)
                return static_cast<int16_t>(i + 1);
        return -1;
    }

    const fonts::Font& current_font() {
        framework::SurfaceAccess access(window().surface);
        return *window().font.font;
    }
    int32_t current_index() {
        framework::SurfaceAccess access(window().surface);
        return window().font.font_index;
    }
};

TEST_F(FontTableTest, ListsFamiliesInNameOrderWithTheAliasFaces) {
    const auto table = framework::font_table_entries();
    std::vector<std::string> families;
    for (const fonts::EnumeratedFont& font : table)
        if (families.empty() || families.back() != font.logical.face_name())
            families.push_back(font.logical.face_name());
    const std::vector<std::string> expected = {"Arial",
                                               "Arial Cyr",
                                               "Courier New",
                                               "Courier New Cyr",
                                               "Liberation Mono",
                                               "Liberation Sans",
                                               "Liberation Serif",
                                               "Times New Roman",
                                               "Times New Roman Cyr"};
    EXPECT_EQ(families, expected);
    ASSERT_EQ(table.size(), expected.size() * 4);
    // Regular, italic, bold, bold italic of every family.
    for (size_t i = 0; i < table.size(); i += 4) {
        EXPECT_EQ(table[i].logical.weight, 400);
        EXPECT_EQ(table[i].logical.italic, 0);
        EXPECT_EQ(table[i + 1].logical.italic, 1);
        EXPECT_EQ(table[i + 2].logical.weight, 700);
        EXPECT_EQ(table[i + 3].logical.italic, 1);
    }
    for (const fonts::EnumeratedFont& font : table) {
        SCOPED_TRACE(font.logical.face_name());
        EXPECT_EQ(font.type, fonts::TRUETYPE_FONTTYPE);
        EXPECT_EQ(font.logical.height, 16);
        EXPECT_EQ(font.metrics.height, 16);
        EXPECT_EQ(font.metrics.average_char_width, font.logical.width);
        const bool cyrillic = font.logical.face_name().ends_with(" Cyr");
        EXPECT_EQ(font.logical.charset, cyrillic ? fonts::CYRILLIC_CHARSET : fonts::ANSI_CHARSET);
        const bool mono = font.logical.face_name().find("Mono") != std::string::npos ||
                          font.logical.face_name().starts_with("Courier");
        EXPECT_EQ(font.logical.pitch_and_family & fonts::PITCH_MASK,
                  mono ? fonts::FIXED_PITCH : fonts::VARIABLE_PITCH);
    }
    EXPECT_EQ(framework::default_font_index(), static_cast<int32_t>(table.size()) - 1);
}

TEST_F(FontTableTest, InitialisingAgainGivesTheLastEntryWithoutEnumerating) {
    const auto before = framework::font_table_entries();
    ASSERT_EQ(gw_select_font("n1", 2), 1);
    EXPECT_EQ(gw_init_fonts(), static_cast<int16_t>(before.size()));
    EXPECT_EQ(current_index(), static_cast<int32_t>(before.size()) - 1);
    EXPECT_EQ(gw_init_fonts_named("ignored", 7), static_cast<int16_t>(before.size()));
    EXPECT_EQ(gw_init_fonts_named(nullptr, 3), -1);
}

TEST_F(FontTableTest, CyrillicTimesComesFromTheItalicSerifAtTheRequestedSize) {
    const std::string spec = "t'Times New Roman Cyr'h38w17ib";
    ASSERT_EQ(gw_select_font(spec.data(), static_cast<int32_t>(spec.size())),
              first_number_of("Times New Roman Cyr"));
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
    const fonts::Font& font = current_font();
    EXPECT_EQ(font.family(), "Liberation Serif");
    EXPECT_TRUE(font.file_path().ends_with("LiberationSerif-Italic.ttf")) << font.file_path();
    EXPECT_EQ(font.metrics().height, 38);
    EXPECT_EQ(font.metrics().average_char_width, 17);

    gw_font_info info;
    ASSERT_EQ(gw_get_font_info(&info), 0);
    EXPECT_EQ(info.kind, 1);
    EXPECT_EQ(info.cell_height, 38);
    EXPECT_EQ(info.average_width, 17);
    EXPECT_EQ(info.cell_width, 0);
    EXPECT_STREQ(info.face, "Times New Roman Cyr");
    EXPECT_STREQ(info.file_name, "");
    EXPECT_EQ(info.italic, 1);
    EXPECT_EQ(info.bold, 0);
    EXPECT_EQ(info.ascent, font.metrics().ascent);

    ASSERT_GT(gw_select_font("t'Times New Roman Cyr'h38w17ie", 30), 0);
    EXPECT_TRUE(current_font().file_path().ends_with("LiberationSerif-BoldItalic.ttf"));
    ASSERT_GT(gw_select_font("t'Courier New Cyr'h20w10", 24), 0);
    EXPECT_TRUE(current_font().file_path().ends_with("LiberationMono-Regular.ttf"));
    ASSERT_EQ(gw_get_font_info(&info), 0);
    EXPECT_EQ(info.cell_width, 10);
    EXPECT_EQ(info.italic, 0);
}

TEST_F(FontTableTest, SelectionEdgeCases) {
    EXPECT_EQ(gw_select_font("t'Tms Rmn'h20", 13), first_number_of("Times New Roman"));
    EXPECT_EQ(current_font().metrics().height, 20);
    EXPECT_EQ(gw_select_font("h4w3b", 5), 1); // the first scalable entry
    EXPECT_EQ(current_font().metrics().average_char_width, 3);

    // No such face: best fit re-selects the current font.
    ASSERT_EQ(gw_select_font("n5", 2), 5);
    EXPECT_EQ(gw_select_font("t'Nonexistent'h120w40b", 22), 5);
    EXPECT_EQ(gw_select_font("t'Nonexistent'h120w40", 21), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(current_index(), 4); // kept

    EXPECT_EQ(gw_select_font("fp", 2), 1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_ADJUSTED);
    EXPECT_EQ(gw_select_font("n0", 2), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(gw_select_font("n999", 4), -1);
    EXPECT_EQ(gw_select_font("tArial", 6), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OUT_OF_RANGE);
    EXPECT_EQ(gw_select_font("t'Arial", 7), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    // The length counts, not the terminator; trailing blanks are ignored.
    EXPECT_EQ(gw_select_font("n2   n1", 5), 2);
}

TEST_F(FontTableTest, StyleFlagsComeFromEachSelectionAlone) {
    ASSERT_GT(gw_select_font("t'Arial'h20eu", 13), 0);
    gw_font_info info;
    ASSERT_EQ(gw_get_font_info(&info), 0);
    EXPECT_EQ(info.bold, 1);
    EXPECT_EQ(info.underline, 1);
    ASSERT_GT(gw_select_font("t'Arial'h20", 11), 0);
    ASSERT_EQ(gw_get_font_info(&info), 0);
    EXPECT_EQ(info.bold, 0);
    EXPECT_EQ(info.underline, 0);
}

TEST_F(FontTableTest, OrientationIsKeptAsTheRemainderOf3600) {
    gw_set_text_orientation(4500);
    EXPECT_EQ(gw_get_text_orientation(), 4500);
    EXPECT_EQ(current_font().logical().escapement, 900);
    gw_set_text_orientation(-900);
    EXPECT_EQ(gw_get_text_orientation(), -900);
    EXPECT_EQ(current_font().logical().escapement, -900);
    // Later selections are turned too.
    ASSERT_GT(gw_select_font("t'Arial'h20", 11), 0);
    EXPECT_EQ(current_font().logical().escapement, -900);
    EXPECT_EQ(current_font().metrics().height, 20);
}

TEST_F(FontTableTest, DirectionsSetTheOrientation) {
    const std::vector<std::tuple<int32_t, int32_t, int32_t>> cases = {
        {5, 0, 0},     {1, 7, 450},    {0, 1, 900},   {-3, 1, 1350},
        {-1, 0, 1800}, {-1, -1, 2250}, {0, -9, 2700}, {1, -1, 3150}};
    int32_t previous_dx = 1;
    int32_t previous_dy = 0;
    for (const auto& [dx, dy, angle] : cases) {
        SCOPED_TRACE(angle);
        EXPECT_EQ(
            gw_set_text_direction(dx, dy),
            static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(previous_dy)) << 16 |
                                 static_cast<uint16_t>(previous_dx)));
        EXPECT_EQ(current_font().logical().escapement, angle);
        EXPECT_EQ(gw_get_text_orientation(), angle / 10);
        gw_get_text_direction(&previous_dx, &previous_dy);
        EXPECT_EQ(previous_dx, (dx > 0) - (dx < 0));
        EXPECT_EQ(previous_dy, (dy > 0) - (dy < 0));
    }
    gw_set_text_direction(0, 0); // changes nothing
    EXPECT_EQ(current_font().logical().escapement, 3150);
    gw_set_text_direction(1, 0);
    gw_set_text_orientation(300);
    EXPECT_EQ(gw_get_text_orientation(), 300);
}

TEST_F(FontTableTest, ReleasedFontCannotBeReplacedUntilInitialisedAgain) {
    gw_release_font();
    EXPECT_EQ(gw_select_font("t'Arial'h20", 11), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(gw_get_text_extent("abc", 3), -1);
    gw_font_info info;
    EXPECT_EQ(gw_get_font_info(&info), -1);
    gw_move_to(10, 10, nullptr);
    gw_draw_text("abc", 3);
    EXPECT_EQ(gw_get_status(), GW_STATUS_NOTHING_DRAWN);
    EXPECT_TRUE(pixels_not(test_support::BLACK).empty());
    EXPECT_GT(gw_init_fonts(), 0);
    EXPECT_GT(gw_select_font("t'Arial'h20", 11), 0);
}

class FreshWindowFontTest : public test_support::GraphicsWindowTest {};

TEST_F(FreshWindowFontTest, SelectionNeedsTheWindowsOwnFont) {
    EXPECT_EQ(gw_select_font("t'Arial'h20", 11), -1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(gw_select_font("t'Arial'h20b", 12), -1);
}

} // namespace
