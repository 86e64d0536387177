// Font descriptions: what each option letter sets, contradictions, overrides and failures.
#include "framework/text/font_description.h"
#include "framework/surface/call_status.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using framework::FontSpec;
using framework::parse_font_spec;

TEST(FontSpecTest, ReadsTheProgramsOwnDescriptions) {
    const auto parsed = parse_font_spec("t'Times New Roman Cyr'h38w17ib");
    ASSERT_EQ(parsed.status, GW_STATUS_OK);
    const FontSpec& spec = parsed.spec;
    EXPECT_TRUE(spec.has_face);
    EXPECT_EQ(spec.face, "Times New Roman Cyr");
    EXPECT_EQ(spec.height, 38);
    EXPECT_EQ(spec.width, 17);
    EXPECT_TRUE(spec.italic);
    EXPECT_TRUE(spec.best_fit);
    EXPECT_FALSE(spec.bold || spec.underline || spec.fixed || spec.proportional || spec.raster ||
                 spec.scalable || spec.has_number);
}

struct SpecCase {
    const char* text;
    int16_t status;
    FontSpec expected;
};

FontSpec with(auto change) {
    FontSpec spec;
    change(spec);
    return spec;
}

void expect_same(const FontSpec& a, const FontSpec& b) {
    EXPECT_EQ(a.face, b.face);
    EXPECT_EQ(a.has_face, b.has_face);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.best_fit, b.best_fit);
    EXPECT_EQ(a.bold, b.bold);
    EXPECT_EQ(a.italic, b.italic);
    EXPECT_EQ(a.underline, b.underline);
    EXPECT_EQ(a.fixed, b.fixed);
    EXPECT_EQ(a.proportional, b.proportional);
    EXPECT_EQ(a.raster, b.raster);
    EXPECT_EQ(a.scalable, b.scalable);
    EXPECT_EQ(a.has_number, b.has_number);
    EXPECT_EQ(a.number, b.number);
}

TEST(FontSpecTest, OptionTable) {
    const std::vector<SpecCase> cases = {
        {"H12W5", 0, with([](FontSpec& s) { s.height = 12, s.width = 5; })},
        {"h12h20", 0, with([](FontSpec& s) { s.height = 20; })},
        {"h", 0, FontSpec{}},
        {"h0w0", 0, FontSpec{}},
        {"12h5, x9 z", 0, with([](FontSpec& s) { s.height = 5; })},
        {"h38   ", 0, with([](FontSpec& s) { s.height = 38; })},
        {"euI", 0, with([](FontSpec& s) { s.bold = s.underline = s.italic = true; })},
        {"t'A't'Bei'", 0, with([](FontSpec& s) { s.face = "Bei", s.has_face = true; })},
        {"t''", 0, with([](FontSpec& s) { s.has_face = true; })},
        {"fp", 3, FontSpec{}},
        {"pf", 3, FontSpec{}},
        {"rv", 3, FontSpec{}},
        {"vR", 3, FontSpec{}},
        {"fpf", 3, with([](FontSpec& s) { s.fixed = true; })},
        {"fv", 0, with([](FontSpec& s) { s.fixed = s.scalable = true; })},
        {"n3h5", 0, with([](FontSpec& s) { s.has_number = true, s.number = 3; })},
        {"h5N", 0, with([](FontSpec& s) { s.height = 5, s.has_number = true; })},
        {"h99999999999", 0, with([](FontSpec& s) { s.height = INT32_MAX; })},
    };
    for (const SpecCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = parse_font_spec(c.text);
        EXPECT_EQ(parsed.status, c.status);
        expect_same(parsed.spec, c.expected);
    }
}

TEST(FontSpecTest, BadFaceNamesFail) {
    const std::string name31(31, 'x');
    const std::string name32(32, 'x');
    EXPECT_EQ(parse_font_spec("tArial").status, GW_STATUS_OUT_OF_RANGE);
    EXPECT_EQ(parse_font_spec("h5t").status, GW_STATUS_OUT_OF_RANGE);
    EXPECT_EQ(parse_font_spec("t'Arial").status, GW_STATUS_FAILED);
    EXPECT_EQ(parse_font_spec("t'" + name32 + "'").status, GW_STATUS_FAILED);
    // A failure stops short of the options after it.
    EXPECT_TRUE(parse_font_spec("t'Arial").failed());

    const auto accepted = parse_font_spec("t'" + name31 + "'h9");
    EXPECT_EQ(accepted.status, GW_STATUS_OK);
    EXPECT_EQ(accepted.spec.face, name31);
    EXPECT_EQ(accepted.spec.height, 9);
}

TEST(FontSpecTest, CyrillicFaceNamesAreKeptByteForByte) {
    const std::string face = "\xD8\xF0\xE8\xF4\xF2"; // "Шрифт" in CP1251
    const auto parsed = parse_font_spec("t'" + face + "'h10");
    EXPECT_EQ(parsed.status, GW_STATUS_OK);
    EXPECT_EQ(parsed.spec.face, face);
    EXPECT_EQ(parsed.spec.height, 10);
}

} // namespace
