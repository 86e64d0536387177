// The candidate scan and best fit over a small table of raster and scalable fonts.
#include "framework/text/font_choice.h"
#include "framework/text/font_description.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using fonts::EnumeratedFont;
using framework::FontChoice;

EnumeratedFont entry(const char* face, uint32_t type, uint8_t pitch, int32_t height,
                     int32_t width) {
    EnumeratedFont font;
    font.logical.set_face_name(face);
    font.logical.height = height;
    font.logical.width = width;
    font.logical.pitch_and_family = pitch;
    font.type = type;
    return font;
}

constexpr uint32_t RASTER = fonts::RASTER_FONTTYPE;
constexpr uint32_t TRUETYPE = fonts::TRUETYPE_FONTTYPE;
constexpr uint8_t FIXED = fonts::FIXED_PITCH;
constexpr uint8_t VARIABLE = fonts::VARIABLE_PITCH;

const std::vector<EnumeratedFont> TABLE = {
    entry("MS Sans Serif", RASTER, VARIABLE, 13, 5),     // 0
    entry("MS Sans Serif", RASTER, VARIABLE, 16, 7),     // 1
    entry("Terminal", RASTER, FIXED, 12, 8),             // 2
    entry("Arial", TRUETYPE, VARIABLE, 16, 7),           // 3
    entry("Courier New", TRUETYPE, FIXED, 16, 10),       // 4
    entry("Times New Roman", TRUETYPE, VARIABLE, 16, 6), // 5
};

constexpr FontChoice own(int32_t index) {
    return {index, framework::FontSize::entry, 0, 0};
}
constexpr FontChoice sized(int32_t index, int32_t height, int32_t width) {
    return {index, framework::FontSize::requested, height, width};
}

struct SelectionCase {
    const char* spec;
    int32_t current;
    std::optional<FontChoice> expected;
};

TEST(FontSelectionTest, ScanTable) {
    const std::vector<SelectionCase> cases = {
        // The first scalable candidate wins even with b.
        {"h4w3b", 3, sized(3, 4, 3)},
        {"t'Tms Rmn'h20", 3, sized(5, 20, 0)},
        {"t'COURIER'w9", 3, sized(4, 0, 9)},
        {"t'helv'", 3, own(3)},
        {"t'arial'H30I", 3, sized(3, 30, 0)},
        // Raster fonts: exact size without b, nearest with b.
        {"t'MS Sans Serif'h16", 3, own(1)},
        {"t'MS Sans Serif'w5", 3, own(0)},
        {"t'MS Sans Serif'h15", 3, std::nullopt},
        {"t'MS Sans Serif'h15b", 3, own(1)},
        {"t'MS Sans Serif'h14w5b", 3, own(0)},
        {"rh14b", 3, own(0)},
        {"rfb", 3, own(2)},
        {"t'MS Sans Serif'h300b", 3, own(3)}, // nothing nearer than 200: the current font
        // No candidate: best fit falls back on the current font, if there is one.
        {"t'Times New Roman Cyr'h120w40b", 4, own(4)},
        {"t'Times New Roman Cyr'h120w40b", -1, std::nullopt},
        {"t'Times New Roman Cyr'h120w40", 4, std::nullopt},
        // Pitch and kind restrictions; contradictions restrict nothing.
        {"f", 3, own(2)},
        {"fv", 3, own(4)},
        {"pv", 3, own(3)},
        {"pr", 3, own(0)},
        {"fp", 3, own(0)},
        {"rvh4", 3, sized(3, 4, 0)},
        {"t'Arial'r", 3, std::nullopt},
        // Font numbers ignore every other option.
        {"n3", 3, own(2)},
        {"t'Arial'n6", 3, own(5)},
        {"n0", 3, std::nullopt},
        {"n7", 3, std::nullopt},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.spec);
        const auto parsed = framework::parse_font_spec(c.spec);
        ASSERT_FALSE(parsed.failed());
        const std::optional<FontChoice> choice =
            framework::choose_font(TABLE, parsed.spec, c.current);
        ASSERT_EQ(choice.has_value(), c.expected.has_value());
        if (!choice)
            continue;
        EXPECT_EQ(choice->index, c.expected->index);
        EXPECT_EQ(choice->size, c.expected->size);
        EXPECT_EQ(choice->height, c.expected->height);
        EXPECT_EQ(choice->width, c.expected->width);
    }
}

TEST(FontSelectionTest, OldFaceNamesAreReplaced) {
    EXPECT_EQ(framework::current_face_name("Tms Rmn"), "Times New Roman");
    EXPECT_EQ(framework::current_face_name("tms rmn"), "Times New Roman");
    EXPECT_EQ(framework::current_face_name("Courier"), "Courier New");
    EXPECT_EQ(framework::current_face_name("HELV"), "Arial");
    EXPECT_EQ(framework::current_face_name("Helvetica"), "Helvetica");
}

TEST(FontSelectionTest, EmptyTableChoosesNothing) {
    const auto parsed = framework::parse_font_spec("h10");
    EXPECT_FALSE(framework::choose_font({}, parsed.spec, -1).has_value());
    const auto numbered = framework::parse_font_spec("n1");
    EXPECT_FALSE(framework::choose_font({}, numbered.spec, -1).has_value());
}

} // namespace
