// The Landolt ring: its size from the viewing geometry, the random side and tilt, the ring as
// drawn in grey by coverage, and the levels a setup can show.
#include "app/acuity_levels.h"
#include "app/drawing_window.h"
#include "app/geometry_status.h"
#include "app/landolt_ring.h"
#include "app/random.h"
#include "app/showable_levels.h"
#include "drawing_window_fixture.h"
#include "ring_measurement.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <utility>

namespace {

using test_support::WHITE;

// The viewing geometries a user would type.
struct Geometry {
    const char* name;
    float distance_cm;
    float diagonal_in;
    int32_t nx;
    int32_t ny;
};
constexpr Geometry DEFAULT_GEOMETRY{"default", 200.0f, 17.7f, 1024, 768};
constexpr Geometry DESK_GEOMETRY{"desk_24in_60cm", 60.0f, 24.0f, 1920, 1080};
constexpr Geometry FAR_GEOMETRY{"far_17in_500cm", 500.0f, 17.0f, 1024, 768};

TEST(LandoltGeometryTest, PitchAndScaleFollowTheViewingGeometry) {
    // 17 inches over 1280 pixels of diagonal.
    EXPECT_NEAR(app_pixel_pitch_mm(17.0f, 1024, 768), 0.33734, 1e-5);
    // At 5 m a ring for 0.1 has the reference size: 72.5 mm over that pitch, about 215 px.
    const float far = app_ring_scale(0.1f, 500.0f, 17.0f, 1024, 768);
    EXPECT_NEAR(72.5f * far, 214.9f, 0.1f);
    EXPECT_NEAR(72.5f * app_ring_scale(1.0f, 500.0f, 17.0f, 1024, 768), 21.49f, 0.01f);
    // Halving the distance or doubling the acuity halves every dimension.
    EXPECT_FLOAT_EQ(app_ring_scale(0.1f, 250.0f, 17.0f, 1024, 768), far / 2.0f);
    EXPECT_FLOAT_EQ(app_ring_scale(0.2f, 500.0f, 17.0f, 1024, 768), far / 2.0f);
    // At a desk, 60 cm from a 24-inch 1920 x 1080 screen, the gap at 1.0 is below a pixel.
    EXPECT_NEAR(app_ring_gap_pixels(1.0f, 60.0f, 24.0f, 1920, 1080), 0.629, 0.001);
}

TEST(LandoltGeometryTest, SideAndTiltThresholds) {
    const std::pair<float, int32_t> sides[] = {{0.0f, RING_GAP_LEFT},
                                               {0.5f, RING_GAP_LEFT},
                                               {std::nextafter(0.5f, 1.0f), RING_GAP_RIGHT},
                                               {0.9999f, RING_GAP_RIGHT}};
    for (const auto& [u, side] : sides)
        EXPECT_EQ(app_ring_side(u), side) << u;
    // Single-precision 0.333 and 0.667, not a third and two thirds.
    const std::pair<float, int32_t> tilts[] = {
        {0.0f, -45},      {std::nextafter(0.333f, 0.0f), -45}, {0.333f, 0},
        {1.0f / 3.0f, 0}, {std::nextafter(0.667f, 0.0f), 0},   {0.667f, 45},
        {0.9999f, 45}};
    for (const auto& [u, tilt] : tilts)
        EXPECT_EQ(app_ring_tilt(u), tilt) << u;
}

// The transfer curve: a pixel half covered sends out half the light of white, which is code
// 188, not 128; every code comes back from its light unchanged.
TEST(LandoltGreysTest, CoverageIsWrittenInLinearLight) {
    EXPECT_EQ(app_srgb_from_linear(0.5), 188);
    EXPECT_EQ(app_srgb_from_linear(0.0), 0);
    EXPECT_EQ(app_srgb_from_linear(1.0), 255);
    EXPECT_EQ(app_srgb_from_linear(-0.1), 0);
    EXPECT_EQ(app_srgb_from_linear(1.5), 255);
    for (int32_t code = 0; code < 256; ++code) {
        const auto value = static_cast<uint8_t>(code);
        EXPECT_EQ(app_srgb_from_linear(app_linear_from_srgb(value)), value) << code;
        EXPECT_NEAR(app_linear_from_srgb(value), test_support::linear_light(value), 1e-12);
    }
    // A ring of half a pixel's gap, pixel for pixel: only greys, and its darkness adds up.
    const LandoltShape shape = app_landolt_shape(0.5 / 14.5, 10.0, 10.0, RING_GAP_RIGHT, 0);
    const LandoltGreys greys = app_landolt_greys(shape, 20, 20);
    double darkness = 0.0;
    for (const uint8_t value : greys.values)
        darkness += 1.0 - app_linear_from_srgb(value);
    EXPECT_NEAR(darkness, app_landolt_area(shape), 0.05);
    EXPECT_LT(*std::min_element(greys.values.begin(), greys.values.end()), 255);
}

class LandoltRingTest : public test_support::DrawingWindowTest,
                        public ::testing::WithParamInterface<Geometry> {};

// Every level the geometry can show, with both sides and all three tilts (the seeds bring
// them), measured in the light of the drawn pixels: the ring is as dark as the ideal ring's
// area to a percent (or 0.05 px² for the smallest, where one code near white is 0.009 of a
// pixel), its gap lets through the light of the ideal gap to a quarter pixel, the box and gap
// the drawing reports are what it shows, and on a ring of a few pixels' gap the gap points where
// side and tilt say while the opposite side is closed.
TEST_P(LandoltRingTest, DarknessAndGapAsDrawnAreThoseOfTheIdealRing) {
    const Geometry& g = GetParam();
    const double cx = m_width / 2.0;
    const double cy = m_height / 2.0;
    int32_t levels = 0;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        if (!app_level_showable(v, g.distance_cm, g.diagonal_in, g.nx, g.ny))
            break;
        ++levels;
        const double scale = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
        const double outer = 72.5 * scale;
        const double inner = 43.5 * scale;
        const double gap = 14.5 * scale;
        const double area = M_PI * (outer * outer - inner * inner) / 4.0 -
                            test_support::gap_area(gap / 2.0, outer / 2.0, inner / 2.0);
        std::set<std::pair<int32_t, int32_t>> seen;
        for (int64_t seed = 0; seed < 60 && seen.size() < 6; ++seed) {
            // The seed's side and tilt first: only a new pair is drawn.
            app_set_random_seed_advances(seed);
            const int32_t u_side = app_ring_side(app_random_uniform());
            if (!seen.insert({u_side, app_ring_tilt(app_random_uniform())}).second)
                continue;
            app_set_random_seed_advances(seed);
            LandoltRingDrawn ring;
            const int32_t side = app_draw_landolt_ring(v, g.distance_cm, g.diagonal_in, m_width,
                                                       m_height, g.nx, g.ny, &ring);
            SCOPED_TRACE(testing::Message()
                         << "V=" << v << " side=" << ring.side << " tilt=" << ring.tilt);
            EXPECT_EQ(side, ring.side);
            const raster::Bitmap bitmap = snapshot();
            const test_support::RingMeasured measured = test_support::measure_ring(
                bitmap, cx, cy, outer / 2.0, inner / 2.0, gap, ring.side, ring.tilt);
            EXPECT_NEAR(measured.darkness, area, std::max(0.01 * area, 0.05));
            EXPECT_NEAR(measured.gap, gap, 0.25);
            EXPECT_NEAR(ring.gap_drawn_px, measured.gap, 0.02);
            EXPECT_EQ(ring.x1, measured.x1);
            EXPECT_EQ(ring.y1, measured.y1);
            EXPECT_EQ(ring.x2, measured.x2);
            EXPECT_EQ(ring.y2, measured.y2);
            EXPECT_LE(measured.x2 - measured.x1 + 1, std::ceil(outer) + 2);
            if (gap < 3.0)
                continue;
            // Halfway through the band: white towards the gap, black opposite and across it.
            const double middle = (outer + inner) / 4.0;
            const double angle = ring.tilt * M_PI / 180.0;
            const double ux = ring.side * std::cos(angle);
            const double uy = ring.side * std::sin(angle);
            const auto light = [&](double x, double y) {
                return test_support::light_at(bitmap, static_cast<int32_t>(std::floor(x)),
                                              static_cast<int32_t>(std::floor(y)));
            };
            EXPECT_EQ(light(cx + middle * ux, cy + middle * uy), 1.0) << "gap";
            EXPECT_EQ(light(cx - middle * ux, cy - middle * uy), 0.0) << "opposite";
            EXPECT_EQ(light(cx - middle * uy, cy + middle * ux), 0.0) << "across";
            EXPECT_EQ(light(cx + middle * uy, cy - middle * ux), 0.0) << "across";
        }
        EXPECT_EQ(seen.size(), 6u) << "V=" << v << ": not every side and tilt came up";
    }
    EXPECT_EQ(levels, app_first_unshowable_index(g.distance_cm, g.diagonal_in, g.nx, g.ny) -
                          ACUITY_FIRST_TRIED_INDEX);
}

INSTANTIATE_TEST_SUITE_P(Geometries, LandoltRingTest,
                         ::testing::Values(DEFAULT_GEOMETRY, DESK_GEOMETRY, FAR_GEOMETRY),
                         [](const auto& test_info) { return std::string(test_info.param.name); });

class LandoltClearTest : public test_support::DrawingWindowTest {};

// The clearing rectangle is the screen resolution, not the window: a resolution smaller than
// the window leaves the rest as it was.
TEST_F(LandoltClearTest, ClearsTheScreenResolutionNotTheWindow) {
    constexpr uint32_t UNTOUCHED = 0x123456;
    {
        framework::SurfaceAccess access(gw_find_window(m_number)->surface);
        access.bitmap().fill(raster::pixel_from_colorref(UNTOUCHED));
    }
    app_draw_landolt_ring(0.1f, 200.0f, 10.0f, m_width, m_height, 800, 600);
    const raster::Bitmap bitmap = snapshot();
    EXPECT_EQ(color_at(bitmap, 0, 0), WHITE);
    EXPECT_EQ(color_at(bitmap, 799, 599), WHITE);
    EXPECT_EQ(color_at(bitmap, 800, 0), UNTOUCHED);
    EXPECT_EQ(color_at(bitmap, 0, 600), UNTOUCHED);
}

} // namespace

namespace {

// Which levels a setup can show: a gap of half a pixel, not a hair less; the bisection's first
// upper bound is the first level that cannot be shown, and the distances from which a level can
// be shown are the nearest whole centimetres that pass the rule.
TEST(ShowableLevelsTest, HalfAPixelOfIdealGap) {
    EXPECT_TRUE(app_gap_showable(0.5));
    EXPECT_FALSE(app_gap_showable(std::nextafter(0.5, 0.0)));
    EXPECT_FALSE(app_gap_showable(0.0));
    struct Case {
        Geometry geometry;
        int32_t first_unshowable; // index into the table
    };
    const Case cases[] = {{DEFAULT_GEOMETRY, ACUITY_HIGHEST_INDEX}, // 2.0: 0.83 px
                          {DESK_GEOMETRY, 13},                      // 1.25: 0.503, 1.5: 0.42
                          {FAR_GEOMETRY, ACUITY_HIGHEST_INDEX},
                          {{"desk_4cm", 4.0f, 24.0f, 1920, 1080}, ACUITY_FIRST_TRIED_INDEX}};
    for (const Case& c : cases) {
        const Geometry& g = c.geometry;
        EXPECT_EQ(app_first_unshowable_index(g.distance_cm, g.diagonal_in, g.nx, g.ny),
                  c.first_unshowable)
            << g.name;
    }
    const std::tuple<float, int32_t> from[] = {{0.1f, 5}, {1.0f, 48}, {2.0f, 96}};
    for (const auto& [v, distance] : from) {
        EXPECT_EQ(app_showable_from_cm(v, 24.0f, 1920, 1080), distance) << v;
        EXPECT_TRUE(app_level_showable(v, static_cast<float>(distance), 24.0f, 1920, 1080));
        EXPECT_FALSE(app_level_showable(v, static_cast<float>(distance - 1), 24.0f, 1920, 1080));
    }
}

// The status bar's advice follows the same rule.
TEST(GeometryStatusTest, NamesTheLevelsThatCanBeShown) {
    const std::pair<Geometry, std::string> cases[] = {
        {DEFAULT_GEOMETRY, "Измеримая острота: до 2.0"},
        {FAR_GEOMETRY, "Измеримая острота: до 2.0"},
        {DESK_GEOMETRY, "Измеримая острота: до 1.25; 1.0 измерима с 48 см, 2.0 — с 96 см"},
        {{"desk_4cm", 4.0f, 24.0f, 1920, 1080},
         "Разрыв кольца меньше половины пикселя даже при 0.1; 1.0 измерима с 48 см, 2.0 — с 96 "
         "см"}};
    for (const auto& [g, text] : cases) {
        EXPECT_EQ(app_geometry_status_text(g.distance_cm, g.diagonal_in, APP_DRAWING_WIDTH,
                                           APP_DRAWING_HEIGHT, g.nx, g.ny),
                  text)
            << g.name;
    }
    EXPECT_EQ(app_level_status_text(2.0f, 0.4),
              "Острота 2.0: разрыв кольца 0.4 пикс. — меньше "
              "половины пикселя, этот уровень на таком экране не измерить");
    EXPECT_EQ(app_level_status_text(1.25f, 0.5), "Острота 1.25: разрыв кольца 0.5 пикс.");
}

} // namespace
