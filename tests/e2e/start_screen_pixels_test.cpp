// The start screen's pixels, from snapshots of the real program: the grating of one-pixel lines
// over the whole surface, and the figure of talvena.sym tile by tile on the side the trace names.
#include "platform/raster/png.h"
#include "tests/e2e/figure_file.h"
#include "tests/e2e/program_run.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

using e2e::ProgramRun;
using raster::Bitmap;
using raster::Pixel;

constexpr Pixel WHITE = 0xFFFFFFFF;
constexpr Pixel BLACK = 0xFF000000;
constexpr Pixel DIFF_WRONG = 0xFFFF0000;
constexpr Pixel DIFF_RIGHT = 0xFFE0E0E0;

// The drawing window the program asks for.
constexpr int32_t SURFACE_WIDTH = 980;
constexpr int32_t SURFACE_HEIGHT = 650;

// The figure's base on either side, snapped down to a multiple of K.
constexpr int32_t LEFT_BASE = 20;
constexpr int32_t RIGHT_BASE = 450;

int32_t figure_offset(int32_t k, int32_t side) {
    return k * ((side > 0 ? RIGHT_BASE : LEFT_BASE) / k);
}

// What one pixel should be, and why, for the failure message.
struct Expectation {
    bool known = false;
    Pixel pixel = WHITE;
    int32_t tile = -1; // the figure tile that covers the pixel, -1 for the grating
};

// The picture after the grating and the figure of size k: the grating has W div k columns of k
// pixels, column i covering x = (i - 1)k + 1 .. ik, white in row y when i + y is odd and black
// when it is even. Pixel column 0 is never drawn and keeps the window's white; the columns right
// of the last whole grating column keep what earlier sizes left there and are not judged. Then
// each tile (y, x) covers x + X0 + a, y + b for a, b = 1..2k: white in its upper-left and
// lower-right k x k squares, black in the other two.
std::vector<Expectation> expected_picture(int32_t k, int32_t x0,
                                          const std::vector<e2e::TileAnchor>& tiles) {
    std::vector<Expectation> picture(static_cast<size_t>(SURFACE_WIDTH) * SURFACE_HEIGHT);
    auto at = [&](int32_t x, int32_t y) -> Expectation& {
        return picture[static_cast<size_t>(y) * SURFACE_WIDTH + static_cast<size_t>(x)];
    };
    const int32_t grating_right = std::min(SURFACE_WIDTH / k * k, SURFACE_WIDTH - 1);
    for (int32_t y = 0; y < SURFACE_HEIGHT; ++y) {
        at(0, y) = {true, WHITE};
        for (int32_t x = 1; x <= grating_right; ++x) {
            const int32_t column = (x - 1) / k + 1;
            at(x, y) = {true, (column + y) % 2 != 0 ? WHITE : BLACK};
        }
    }
    for (size_t d = 0; d < tiles.size(); ++d)
        for (int32_t a = 1; a <= 2 * k; ++a)
            for (int32_t b = 1; b <= 2 * k; ++b) {
                const int32_t x = tiles[d].x + x0 + a;
                const int32_t y = tiles[d].y + b;
                if (x < 0 || x >= SURFACE_WIDTH || y < 0 || y >= SURFACE_HEIGHT)
                    continue;
                const bool white = (a <= k && b <= k) || (a > k && b > k);
                at(x, y) = {true, white ? WHITE : BLACK, static_cast<int32_t>(d)};
            }
    return picture;
}

std::string describe(const Expectation& expected, int32_t x, int32_t y, int32_t k, int32_t x0,
                     const std::vector<e2e::TileAnchor>& tiles) {
    const std::string where = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    const std::string colour = expected.pixel == WHITE ? "white" : "black";
    if (expected.tile < 0)
        return where + " grating column " + std::to_string(x == 0 ? 0 : (x - 1) / k + 1) +
               " should be " + colour;
    const e2e::TileAnchor& tile = tiles[static_cast<size_t>(expected.tile)];
    const bool right = x - tile.x - x0 > k;
    const bool lower = y - tile.y > k;
    return where + " tile " + std::to_string(expected.tile) + " at (y " + std::to_string(tile.y) +
           ", x " + std::to_string(tile.x) + "), " + (lower ? "lower-" : "upper-") +
           (right ? "right" : "left") + " square should be " + colour;
}

// Compares a snapshot with the picture; on a difference writes NAME-diff.png beside it (wrong
// pixels red) and returns the first few differences.
std::string differences(const Bitmap& shot, int32_t k, int32_t x0,
                        const std::vector<e2e::TileAnchor>& tiles,
                        const std::filesystem::path& diff_path) {
    const std::vector<Expectation> picture = expected_picture(k, x0, tiles);
    Bitmap diff(SURFACE_WIDTH, SURFACE_HEIGHT, DIFF_RIGHT);
    std::string report;
    int32_t wrong = 0;
    for (int32_t y = 0; y < SURFACE_HEIGHT; ++y)
        for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
            const Expectation& expected =
                picture[static_cast<size_t>(y) * SURFACE_WIDTH + static_cast<size_t>(x)];
            if (!expected.known || shot.pixel(x, y) == expected.pixel)
                continue;
            diff.set_pixel(x, y, DIFF_WRONG);
            if (++wrong <= 5)
                report += "\n  " + describe(expected, x, y, k, x0, tiles);
        }
    if (wrong == 0)
        return {};
    raster::write_png(diff, diff_path);
    return std::to_string(wrong) + " pixels differ (see " + diff_path.string() + "):" + report;
}

std::string sizes_script() {
    std::string script = e2e::ACCEPT_DEFAULTS;
    for (int32_t k = 2; k <= 9; ++k)
        script += "on figure K=" + std::to_string(k) + " snapshot size-" + std::to_string(k) + "\n";
    return script + "after 1 menu Выход\n";
}

} // namespace

// Every size of the first sweep, 2..9, snapshot in the pause after its figure was drawn: the
// grating over every row and the figure on the side the trace names, with both sides among them.
TEST(StartScreenPixels, EachSizeShowsTheGratingWithTheFigureOnItsSide) {
    std::string error;
    const std::optional<e2e::FigureSets> figures =
        e2e::read_figure_file(e2e::figure_data_path(), error);
    ASSERT_TRUE(figures.has_value()) << error;

    const ProgramRun run = e2e::run_program("sizes", sizes_script());
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    std::set<int32_t> sides;
    for (int32_t k = 2; k <= 9; ++k) {
        SCOPED_TRACE("K=" + std::to_string(k));
        const size_t figure = run.find("figure K=" + std::to_string(k));
        ASSERT_LT(figure, run.trace.size()) << run.trace_text();
        const int32_t side = std::stoi(run.trace[figure].value("side"));
        ASSERT_TRUE(side == 1 || side == -1) << run.trace[figure].text();
        sides.insert(side);
        const std::vector<e2e::TileAnchor>& tiles = (*figures)[static_cast<size_t>(k)];
        ASSERT_FALSE(tiles.empty());

        const std::string name = "size-" + std::to_string(k);
        const std::optional<Bitmap> shot = raster::read_png(run.snapshot(name), &error);
        ASSERT_TRUE(shot.has_value()) << error;
        ASSERT_EQ(shot->width(), SURFACE_WIDTH);
        ASSERT_EQ(shot->height(), SURFACE_HEIGHT);
        EXPECT_EQ(
            differences(*shot, k, figure_offset(k, side), tiles, run.folder / (name + "-diff.png")),
            "");
    }
    EXPECT_EQ(sides, (std::set<int32_t>{-1, 1})) << "seed 5 should put figures on both sides";
}

// The frame snapshot shows the drawing window's surface pixel for pixel, at one place.
TEST(StartScreenPixels, FrameShowsTheSurfaceAsDrawn) {
    const ProgramRun run =
        e2e::run_program("frame", e2e::ACCEPT_DEFAULTS + "on figure K=2 snapshot first\n"
                                                         "after 1 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    std::string error;
    const std::optional<Bitmap> surface = raster::read_png(run.snapshot("first"), &error);
    ASSERT_TRUE(surface.has_value()) << error;
    const std::optional<Bitmap> frame = raster::read_png(run.snapshot("first-frame"), &error);
    ASSERT_TRUE(frame.has_value()) << error;

    auto row_matches = [&](int32_t left, int32_t top, int32_t y) {
        return std::equal(surface->row(y), surface->row(y) + surface->width(),
                          frame->row(top + y) + left);
    };
    int32_t places = 0;
    for (int32_t top = 0; top + surface->height() <= frame->height(); ++top)
        for (int32_t left = 0; left + surface->width() <= frame->width(); ++left) {
            bool all = true;
            for (int32_t y = 0; all && y < surface->height(); ++y)
                all = row_matches(left, top, y);
            places += all ? 1 : 0;
        }
    EXPECT_EQ(places, 1);
}
