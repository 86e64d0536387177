// The Landolt ring: its size from the viewing geometry, the random side and tilt, and the ring
// as drawn, with its gap where the side and tilt say.
#include "app/landolt_ring.h"
#include "app/random.h"
#include "app/vision_test.h"
#include "drawing_window_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using test_support::BLACK;
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

class LandoltRingTest : public test_support::DrawingWindowTest,
                        public ::testing::WithParamInterface<Geometry> {
protected:
    // The colour at (x, y) rounded down to its pixel.
    uint32_t at(const raster::Bitmap& bitmap, double x, double y) {
        return color_at(bitmap, static_cast<int32_t>(std::floor(x)),
                        static_cast<int32_t>(std::floor(y)));
    }
};

// Every level of the table, with every side and tilt the seeds bring: the outer box is where the
// scale puts it, and halfway through the ring's width the gap's direction is white while the
// opposite direction and both directions across it are black.
TEST_P(LandoltRingTest, RingHasItsSizeAndItsGapWhereSideAndTiltSay) {
    const Geometry& g = GetParam();
    const double cx = m_width / 2.0;
    const double cy = m_height / 2.0;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        const double scale = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
        const double ideal_outer = 72.5 / app_pixel_pitch_mm(g.diagonal_in, g.nx, g.ny) *
                                   (g.distance_cm / 500.0) * (0.1 / v);
        std::set<std::pair<int32_t, int32_t>> seen;
        for (int64_t seed = 0; seed < 40 && seen.size() < 6; ++seed) {
            SCOPED_TRACE(testing::Message() << "V=" << v << " seed=" << seed);
            app_set_random_seed_advances(seed);
            LandoltRingDrawn ring;
            const int32_t side = app_draw_landolt_ring(v, g.distance_cm, g.diagonal_in, m_width,
                                                       m_height, g.nx, g.ny, &ring);
            EXPECT_EQ(side, ring.side);
            seen.insert({ring.side, ring.tilt});
            EXPECT_NEAR(ring.x2 - ring.x1, ideal_outer, 1.0);
            EXPECT_NEAR(ring.y2 - ring.y1, ideal_outer, 1.0);
            EXPECT_NEAR((ring.x1 + ring.x2) / 2.0, cx, 0.5);
            const raster::Bitmap bitmap = snapshot();
            // Outside the outer box all is white.
            EXPECT_EQ(color_at(bitmap, ring.x1 - 1, static_cast<int32_t>(cy)), WHITE);
            EXPECT_EQ(color_at(bitmap, static_cast<int32_t>(cx), ring.y1 - 1), WHITE);
            if (14.5 * scale < 4.0)
                continue;                       // too thin a ring to sample its width
            const double middle = 29.0 * scale; // halfway between the radii 21.75 and 36.25
            const double angle = ring.tilt * M_PI / 180.0;
            const double ux = ring.side * std::cos(angle);
            const double uy = ring.side * std::sin(angle);
            EXPECT_EQ(at(bitmap, cx + middle * ux, cy + middle * uy), WHITE) << "gap";
            EXPECT_EQ(at(bitmap, cx - middle * ux, cy - middle * uy), BLACK) << "opposite";
            EXPECT_EQ(at(bitmap, cx - middle * uy, cy + middle * ux), BLACK) << "across";
            EXPECT_EQ(at(bitmap, cx + middle * uy, cy - middle * ux), BLACK) << "across";
            EXPECT_EQ(at(bitmap, cx, cy), WHITE) << "centre";
        }
        EXPECT_EQ(seen.size(), 6u) << "V=" << v << ": not every side and tilt came up";
    }
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
