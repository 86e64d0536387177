// The raster engine's behaviour beyond the reference images: block copies, clipping of far-away
// lines, rectangle unions, regions, raster operations, brush anchoring, PNG files and extreme
// coordinates.
#include "platform/raster/drawing_context.h"
#include "platform/raster/png.h"
#include "tests/support/temp_folder.h"

#include <climits>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace raster;

constexpr ColorRef BLACK = 0x000000;
constexpr Pixel WHITE = 0xFFFFFFFFu;

// A bitmap whose every pixel has its own colour, so that a misplaced copy shows.
Bitmap numbered_bitmap(int32_t width, int32_t height) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            bitmap.set_pixel(x, y, OPAQUE_BITS | static_cast<Pixel>(y * 256 + x));
    return bitmap;
}

// --- Rectangles ---------------------------------------------------------------------------

// A union never takes in the corners of an empty rectangle, on either side, so that a changed
// area or a region's bounds grow only by pixels.
TEST(RasterRect, UnionHoldsBothAndIgnoresEmptyRectangles) {
    struct Case {
        Rect a;
        Rect b;
        Rect expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 8}, {0, 0, 20, 10}},     // overlapping
        {{30, 40, 31, 41}, {-5, 2, -4, 3}, {-5, 2, 31, 41}}, // apart, negative coordinates
        {{2, 3, 4, 5}, {2, 3, 4, 5}, {2, 3, 4, 5}},          // the same
        {{}, {2, 3, 4, 5}, {2, 3, 4, 5}},                    // empty first
        {{2, 3, 4, 5}, {50, 50, 40, 60}, {2, 3, 4, 5}},      // empty second, far away
        {{-100, 0, -100, 90}, {7, 7, 8, 8}, {7, 7, 8, 8}},   // zero width
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.united(c.b), c.expected);
        EXPECT_EQ(c.b.united(c.a), c.expected);
    }
    EXPECT_TRUE(Rect{}.united(Rect{9, 9, 3, 3}).is_empty());
}

// --- Block copies -------------------------------------------------------------------------

// Copying within one bitmap must give what copying from an untouched duplicate gives, for every
// direction of overlap.
TEST(RasterCopy, OverlappingCopyWithinBitmapActsAsIfThroughTemporary) {
    const Point offsets[] = {{3, 2}, {-3, -2}, {3, -2}, {-3, 2}, {5, 0}, {0, -5}, {1, 1}};
    for (const Point offset : offsets) {
        Bitmap bitmap = numbered_bitmap(24, 20);
        const Bitmap original = bitmap;
        const Rect source{4, 5, 18, 15};
        DrawingContext(bitmap).copy_from(bitmap, source, {4 + offset.x, 5 + offset.y});

        Bitmap expected = original;
        DrawingContext(expected).copy_from(original, source, {4 + offset.x, 5 + offset.y});
        EXPECT_EQ(bitmap, expected) << "offset " << offset.x << "," << offset.y;
        EXPECT_EQ(bitmap.pixel(4 + offset.x, 5 + offset.y), original.pixel(4, 5));
        EXPECT_EQ(bitmap.pixel(17 + offset.x, 14 + offset.y), original.pixel(17, 14));
    }
}

TEST(RasterCopy, SourceCutToItsBitmapKeepsTheOffset) {
    const Bitmap source = numbered_bitmap(10, 10);
    Bitmap target(30, 30);
    DrawingContext(target).copy_from(source, {-5, -5, 5, 5}, {10, 10});
    EXPECT_EQ(target.pixel(14, 14), WHITE); // from source (-1, -1): outside, not copied
    EXPECT_EQ(target.pixel(15, 15), source.pixel(0, 0));
    EXPECT_EQ(target.pixel(19, 19), source.pixel(4, 4));
    EXPECT_EQ(target.pixel(20, 20), WHITE);
}

TEST(RasterCopy, CopyHonoursNonRectangularClip) {
    Bitmap bitmap = numbered_bitmap(32, 32);
    const Bitmap original = bitmap;
    DrawingContext context(bitmap);
    context.set_clip(Region::ellipse({0, 0, 32, 32}));
    context.copy_from(bitmap, {0, 0, 30, 30}, {2, 2});
    const Region clip = Region::ellipse({0, 0, 32, 32});
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            const bool copied = clip.contains({x, y}) && x >= 2 && y >= 2;
            ASSERT_EQ(bitmap.pixel(x, y),
                      copied ? original.pixel(x - 2, y - 2) : original.pixel(x, y))
                << x << "," << y;
        }
    }
}

// Pixels move by (dx, dy) inside the area; whatever would come from outside it stays.
TEST(RasterCopy, ScrollMovesOnlyInsideTheArea) {
    const Point shifts[] = {{0, -3}, {0, 3}, {-2, 0}, {4, 1}, {-4, -1}, {0, 12}, {100, 0}};
    const Rect area{3, 2, 17, 12};
    for (const Point shift : shifts) {
        Bitmap bitmap = numbered_bitmap(20, 16);
        const Bitmap original = bitmap;
        DrawingContext(bitmap).scroll(area, shift.x, shift.y);
        for (int32_t y = 0; y < 16; ++y) {
            for (int32_t x = 0; x < 20; ++x) {
                const Point from{x - shift.x, y - shift.y};
                const bool moved = area.contains({x, y}) && area.contains(from);
                ASSERT_EQ(bitmap.pixel(x, y),
                          moved ? original.pixel(from.x, from.y) : original.pixel(x, y))
                    << "shift " << shift.x << "," << shift.y << " at " << x << "," << y;
            }
        }
    }
}

// --- Lines --------------------------------------------------------------------------------

__extension__ typedef __int128 Wide;

// The pixels of a line, computed one by one from the rounding rule: step i along the major
// axis, the minor coordinate rounded to nearest with ties to the smaller value.
std::vector<Point> model_line(Point from, Point to, const Rect& window) {
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    const int64_t start = x_major ? from.x : from.y;
    const int64_t sign = (x_major ? dx : dy) > 0 ? 1 : -1;
    // Only the steps whose major coordinate lies in the window, found by stepping back from it.
    const int64_t low = x_major ? window.left : window.top;
    const int64_t high = x_major ? window.right : window.bottom;
    const int64_t first = std::max<int64_t>(0, sign > 0 ? low - start : start - (high - 1));
    const int64_t last = std::min<int64_t>(steps, sign > 0 ? high - start : start - low + 1);
    std::vector<Point> pixels;
    for (int64_t i = first; i < last; ++i) {
        const int64_t major = start + sign * i;
        // ceil(i * d / steps - 1/2), exactly: ceil((2 i d - steps) / (2 steps)).
        const Wide twice = Wide{2} * i * (x_major ? dy : dx) - steps;
        const Wide quotient = twice / (2 * steps);
        const Wide rounded = quotient + (twice % (2 * steps) > 0 ? 1 : 0);
        const int64_t minor = static_cast<int64_t>(rounded) + (x_major ? from.y : from.x);
        const Point p = x_major ? Point{static_cast<int32_t>(major), static_cast<int32_t>(minor)}
                                : Point{static_cast<int32_t>(minor), static_cast<int32_t>(major)};
        if (window.contains(p))
            pixels.push_back(p);
    }
    return pixels;
}

Bitmap bitmap_with(int32_t width, int32_t height, const std::vector<Point>& pixels) {
    Bitmap bitmap(width, height);
    for (const Point p : pixels)
        bitmap.set_pixel(p.x, p.y, OPAQUE_BITS);
    return bitmap;
}

// Lines far outside the bitmap are clipped without moving a pixel of what remains.
TEST(RasterLine, ClippedLinesKeepEveryPixelInPlace) {
    struct Case {
        Point from, to;
    };
    const Case cases[] = {
        {{-5000, -3000}, {5000, 3000}},
        {{5000, 3000}, {-5000, -3000}},
        {{-5000, 10}, {5000, 30}},
        {{30, -5000}, {20, 5000}},
        {{-1000, 47}, {1000, -3}},
        {{63, 5000}, {0, -5000}},
        {{-40, -10}, {110, 60}},
        {{INT32_MIN, -7}, {INT32_MAX, 50}},
        {{INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}},
        {{10, INT32_MIN}, {40, INT32_MAX}},
    };
    const Rect window{0, 0, 64, 48};
    for (const Case& c : cases) {
        Bitmap bitmap(64, 48);
        DrawingContext context(bitmap);
        context.move_to(c.from);
        context.line_to(c.to);
        EXPECT_EQ(bitmap, bitmap_with(64, 48, model_line(c.from, c.to, window)))
            << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
    }
}

// A clip only removes pixels: inside it a line is the unclipped line, dashes included, since
// the dashes count from the line's start and not from the clip's edge.
TEST(RasterLine, ClipRemovesPixelsOnly) {
    struct PenCase {
        PenStyle style;
        BackgroundMode mode;
    };
    const PenCase pens[] = {{PenStyle::solid, BackgroundMode::opaque},
                            {PenStyle::dash, BackgroundMode::transparent},
                            {PenStyle::dot, BackgroundMode::opaque},
                            {PenStyle::dash_dot_dot, BackgroundMode::transparent}};
    const Region clips[] = {Region::rectangle({16, 7, 41, 30}), Region::ellipse({10, 4, 50, 40})};
    for (const PenCase& pen : pens) {
        for (const Region& clip : clips) {
            for (int32_t end = -20; end <= 84; end += 4) {
                Bitmap whole(64, 48);
                Bitmap clipped(64, 48);
                DrawingContext whole_context(whole);
                DrawingContext clipped_context(clipped);
                clipped_context.set_clip(clip);
                for (DrawingContext* context : {&whole_context, &clipped_context}) {
                    context->state().pen = {pen.style, BLACK};
                    context->state().background_mode = pen.mode;
                    context->state().background_color = rgb(255, 255, 0);
                    context->move_to({-300, 20});
                    context->line_to({end * 3, end});
                }
                for (int32_t y = 0; y < 48; ++y)
                    for (int32_t x = 0; x < 64; ++x)
                        ASSERT_EQ(clipped.pixel(x, y),
                                  clip.contains({x, y}) ? whole.pixel(x, y) : WHITE)
                            << "pen " << static_cast<int>(pen.style) << " end " << end << " at "
                            << x << "," << y;
            }
        }
    }
}

// A polyline carries its dashes across vertices; separate line_to calls start them afresh.
TEST(RasterLine, PolylineContinuesDashesLineToRestartsThem) {
    const Point path[] = {{2, 5}, {12, 5}, {12, 30}, {40, 30}};
    Bitmap joined(48, 40);
    Bitmap chained(48, 40);
    DrawingContext joined_context(joined);
    DrawingContext chained_context(chained);
    for (DrawingContext* context : {&joined_context, &chained_context}) {
        context->state().pen = {PenStyle::dash, BLACK};
        context->state().background_mode = BackgroundMode::transparent;
    }
    joined_context.polyline(path);
    chained_context.move_to(path[0]);
    for (size_t i = 1; i < std::size(path); ++i)
        chained_context.line_to(path[i]);
    // The first side is 10 long, inside the first 18-pixel dash, so the polyline's second side
    // begins with 8 more dash pixels and a 6-pixel gap, where the chain's begins a fresh dash.
    for (int32_t y = 5; y < 13; ++y)
        EXPECT_EQ(joined.pixel(12, y), OPAQUE_BITS) << y;
    for (int32_t y = 13; y < 19; ++y) {
        EXPECT_EQ(joined.pixel(12, y), WHITE) << y;
        EXPECT_EQ(chained.pixel(12, y), OPAQUE_BITS) << y;
    }
    EXPECT_EQ(joined.pixel(12, 19), OPAQUE_BITS);
}

// Ties go to the smaller coordinate in every direction, so a line and its reverse differ only
// in the end pixel each leaves out.
TEST(RasterLine, ReversedLineCoversSamePixelsButItsEnds) {
    const Point centre{16, 16};
    for (int32_t dy = -9; dy <= 9; ++dy) {
        for (int32_t dx = -9; dx <= 9; ++dx) {
            const Point end{centre.x + dx, centre.y + dy};
            Bitmap forward(33, 33);
            Bitmap backward(33, 33);
            DrawingContext forward_context(forward);
            DrawingContext backward_context(backward);
            forward_context.move_to(centre);
            forward_context.line_to(end);
            forward_context.set_pixel(end, BLACK);
            backward_context.move_to(end);
            backward_context.line_to(centre);
            backward_context.set_pixel(centre, BLACK);
            EXPECT_EQ(forward, backward) << "to " << end.x << "," << end.y;
        }
    }
}

// --- Raster operations --------------------------------------------------------------------

// Each operation code minus one is a truth table over (pen bit, destination bit).
TEST(RasterOperation, AllSixteenFollowTheirTruthTable) {
    const ColorRef pen = rgb(0xA5, 0x3C, 0x0F);
    const Pixel destination = 0xFF96F0C3u;
    for (int code = 1; code <= 16; ++code) {
        Bitmap bitmap(1, 1, destination);
        DrawingContext context(bitmap);
        context.state().raster_op = static_cast<RasterOp>(code);
        context.set_pixel({0, 0}, pen);
        const Pixel source = pixel_from_colorref(pen);
        Pixel expected = OPAQUE_BITS;
        for (int bit = 0; bit < 24; ++bit) {
            const uint32_t s = source >> bit & 1u;
            const uint32_t d = destination >> bit & 1u;
            expected |= ((static_cast<uint32_t>(code - 1) >> (2 * s + d)) & 1u) << bit;
        }
        EXPECT_EQ(bitmap.pixel(0, 0), expected) << "operation " << code;
    }
}

TEST(RasterOperation, FillRectIgnoresTheContextOperation) {
    Bitmap bitmap(4, 4, 0xFF123456u);
    DrawingContext context(bitmap);
    context.state().raster_op = RasterOp::xor_pen;
    context.fill_rect({0, 0, 4, 4}, Brush::solid(rgb(1, 2, 3)));
    EXPECT_EQ(bitmap.pixel(3, 3), pixel_from_colorref(rgb(1, 2, 3)));
}

// --- Brushes ------------------------------------------------------------------------------

// A pattern is anchored at the brush origin, not at the shape: a pixel's colour depends only on
// its position relative to the origin.
TEST(RasterBrush, PatternIsAnchoredAtTheBrushOrigin) {
    const std::array<uint8_t, 8> glyph{0xFE, 0x80, 0x80, 0xFC, 0x80, 0x80, 0x80, 0x01};
    Bitmap bitmap(40, 40);
    DrawingContext context(bitmap);
    context.state().text_color = rgb(255, 0, 0);
    context.state().background_color = rgb(0, 0, 255);
    context.state().brush_origin = {3, 2};
    context.fill_rect({1, 1, 17, 13}, Brush::with_pattern(glyph));
    context.fill_rect({20, 21, 39, 39}, Brush::with_pattern(glyph));
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            if (bitmap.pixel(x, y) == WHITE)
                continue;
            const bool set = glyph[static_cast<size_t>((y - 2) & 7)] >> (7 - ((x - 3) & 7)) & 1;
            ASSERT_EQ(bitmap.pixel(x, y), set ? 0xFF0000FFu : 0xFFFF0000u) << x << "," << y;
        }
    }
}

TEST(RasterBrush, TransparentHatchLeavesItsBackgroundAlone) {
    Bitmap bitmap(16, 16, 0xFF808080u);
    DrawingContext context(bitmap);
    context.state().background_mode = BackgroundMode::transparent;
    context.fill_rect({0, 0, 16, 16}, Brush::hatched(HatchStyle::horizontal, BLACK));
    EXPECT_EQ(bitmap.pixel(5, 3), OPAQUE_BITS);
    EXPECT_EQ(bitmap.pixel(5, 4), 0xFF808080u);
    EXPECT_EQ(bitmap.pixel(5, 11), OPAQUE_BITS);
}

// --- Regions and clipping -----------------------------------------------------------------

bool combined(bool a, bool b, RegionCombine op) {
    switch (op) {
    case RegionCombine::intersect:
        return a && b;
    case RegionCombine::unite:
        return a || b;
    case RegionCombine::exclusive_or:
        return a != b;
    case RegionCombine::difference:
        return a && !b;
    case RegionCombine::copy:
        return b;
    }
    return false;
}

TEST(RasterRegion, CombinationsMatchPixelwiseLogic) {
    const std::pair<Region, Region> pairs[] = {
        {Region::rectangle({2, 3, 20, 15}), Region::rectangle({10, 8, 30, 25})},
        {Region::rectangle({2, 3, 20, 15}), Region::rectangle({4, 5, 10, 9})},
        {Region::rectangle({0, 0, 5, 5}), Region::rectangle({20, 20, 25, 25})},
        {Region::ellipse({0, 0, 24, 20}), Region::rectangle({8, 4, 30, 12})},
        {Region::rectangle({-4, -4, 40, 40}), Region::ellipse({3, 3, 21, 27})},
        {Region::ellipse({0, 0, 24, 20}), Region::ellipse({10, 6, 32, 28})},
        {Region(), Region::ellipse({1, 1, 9, 9})},
    };
    const RegionCombine ops[] = {RegionCombine::intersect, RegionCombine::unite,
                                 RegionCombine::exclusive_or, RegionCombine::difference,
                                 RegionCombine::copy};
    for (size_t p = 0; p < std::size(pairs); ++p) {
        for (const RegionCombine op : ops) {
            Region result = pairs[p].first;
            result.combine(pairs[p].second, op);
            bool any = false;
            for (int32_t y = -6; y < 42; ++y) {
                for (int32_t x = -6; x < 42; ++x) {
                    const bool want = combined(pairs[p].first.contains({x, y}),
                                               pairs[p].second.contains({x, y}), op);
                    any = any || want;
                    ASSERT_EQ(result.contains({x, y}), want)
                        << "pair " << p << " op " << static_cast<int>(op) << " at " << x << ","
                        << y;
                }
            }
            EXPECT_EQ(result.is_empty(), !any) << "pair " << p << " op " << static_cast<int>(op);
        }
    }
}

TEST(RasterRegion, EllipticRegionLiesInTheBoxLessItsLastRowAndColumn) {
    const Region region = Region::ellipse({8, 4, 56, 44});
    EXPECT_EQ(region.bounds(), (Rect{8, 4, 55, 43}));
    EXPECT_TRUE(region.contains({8, 23}));
    EXPECT_FALSE(region.contains({8, 4}));
    EXPECT_EQ(Region::ellipse({5, 5, 7, 9}).bounds(), (Rect{5, 5, 6, 8}));
    EXPECT_TRUE(Region::ellipse({5, 5, 7, 9}).is_rectangle());
}

TEST(RasterClip, IntersectAndExcludeNarrowTheClip) {
    Bitmap bitmap(20, 20);
    DrawingContext context(bitmap);
    context.intersect_clip_rect({2, 2, 18, 18});
    context.exclude_clip_rect({5, 5, 10, 10});
    context.intersect_clip_rect({0, 0, 15, 20});
    EXPECT_TRUE(context.set_pixel({2, 2}, BLACK));
    EXPECT_FALSE(context.set_pixel({1, 2}, BLACK));
    EXPECT_FALSE(context.set_pixel({7, 7}, BLACK));
    EXPECT_FALSE(context.set_pixel({16, 3}, BLACK));
    EXPECT_FALSE(context.get_pixel({7, 7}));
    EXPECT_EQ(context.get_pixel({2, 2}), BLACK);
    EXPECT_FALSE(context.set_pixel({-1, 0}, BLACK));
    EXPECT_EQ(bitmap.pixel(7, 7), WHITE);
}

TEST(RasterClip, ExcludeWithoutClipStartsFromTheWholeBitmap) {
    Bitmap bitmap(10, 10);
    DrawingContext context(bitmap);
    context.exclude_clip_rect({0, 0, 5, 10});
    context.fill_rect({0, 0, 10, 10}, Brush::solid(BLACK));
    EXPECT_EQ(bitmap.pixel(4, 4), WHITE);
    EXPECT_EQ(bitmap.pixel(5, 4), OPAQUE_BITS);
}

TEST(RasterState, SaverRestoresPenBrushOperationAndClip) {
    Bitmap bitmap(10, 10);
    DrawingContext context(bitmap);
    const DrawState before = context.state();
    {
        DrawStateSaver saver(context);
        context.state().pen = {PenStyle::dot, rgb(1, 2, 3)};
        context.state().raster_op = RasterOp::xor_pen;
        context.set_clip_rect({1, 1, 2, 2});
    }
    EXPECT_EQ(context.state().pen.style, before.pen.style);
    EXPECT_EQ(context.state().raster_op, before.raster_op);
    EXPECT_FALSE(context.state().clip.has_value());
}

// --- Extreme input ------------------------------------------------------------------------

TEST(RasterExtremes, HugeShapesAreClippedOrRefusedWithoutHarm) {
    Bitmap bitmap(32, 32);
    DrawingContext context(bitmap);
    context.state().brush = Brush::solid(BLACK);
    const Point triangle[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {INT32_MIN, INT32_MAX}};
    EXPECT_TRUE(context.polygon(triangle));
    EXPECT_EQ(bitmap.pixel(0, 0), OPAQUE_BITS);
    EXPECT_EQ(bitmap.pixel(31, 31), OPAQUE_BITS);

    EXPECT_TRUE(context.rectangle({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
    EXPECT_FALSE(context.ellipse({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
    EXPECT_TRUE(Region::ellipse({INT32_MIN, 0, INT32_MAX, 10}).is_empty());
    context.intersect_clip_rect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    context.exclude_clip_rect({INT32_MIN, INT32_MIN, 0, INT32_MAX});
    EXPECT_TRUE(context.set_pixel({5, 5}, BLACK));
    context.copy_from(bitmap, {0, 0, 32, 32}, {INT32_MIN, INT32_MAX});
    context.scroll({0, 0, 32, 32}, INT32_MIN, INT32_MAX);
    EXPECT_EQ(Bitmap(-5, 3).width(), 0);
}

// --- PNG files ----------------------------------------------------------------------------

TEST(RasterPng, WriteThenReadGivesTheSamePixels) {
    const Bitmap bitmap = numbered_bitmap(37, 21);
    const test_support::TempFolder folder;
    const auto path = folder.path() / "round_trip.png";
    std::string error;
    ASSERT_TRUE(write_png(bitmap, path, &error)) << error;
    const std::optional<Bitmap> read = read_png(path, &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(*read, bitmap);
}

TEST(RasterPng, UnreadableFilesAreReportedNotThrown) {
    const test_support::TempFolder folder;
    const auto path = folder.path() / "not_a.png";
    std::ofstream(path) << "\x89PNG\r\n\x1a\n but then nothing sensible";
    std::string error;
    EXPECT_FALSE(read_png(path, &error));
    EXPECT_NE(error.find(path.string()), std::string::npos);
    std::filesystem::remove(path);
    EXPECT_FALSE(read_png(path, &error));
    EXPECT_FALSE(write_png(Bitmap(), path, &error));
}

} // namespace
