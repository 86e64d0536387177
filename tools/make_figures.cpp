// Writes the figure data file talvena.sym: one seven-segment digit per cell size 1..9.
//
// Usage: talvena_make_figures OUTPUT_FILE. The shipped data/talvena.sym is this program's output;
// a test checks that the two agree.
#include "runtime/format.h"
#include "tools/seven_segment.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The drawing window the figure must fit, and the figure's two base offsets.
constexpr int32_t WINDOW_WIDTH = 980;
constexpr int32_t WINDOW_HEIGHT = 650;
constexpr int32_t TOP_ROW = 20; // the training draws below its status bars
constexpr int32_t LEFT_BASE = 20;
constexpr int32_t RIGHT_BASE = 450;
constexpr int32_t MAX_POINTS = 10000;

// The digit of each cell size 1..9: all different, so that each size shows a new one.
constexpr std::array<int32_t, 9> DIGIT_OF_CELL_SIZE{7, 4, 2, 5, 3, 9, 6, 8, 0};

// The digit's size in pixels, whatever the cell size: a good part of the window's half.
constexpr int32_t DIGIT_WIDTH = 260;
constexpr int32_t DIGIT_HEIGHT = 420;
constexpr int32_t STROKE = 56;
// Where the digit's centre lies, relative to the base offset: the middle of the window's half.
constexpr int32_t CENTRE_X = WINDOW_WIDTH / 4 - LEFT_BASE;
constexpr int32_t CENTRE_Y = TOP_ROW + (WINDOW_HEIGHT - 1 - TOP_ROW) / 2;

struct Point {
    int32_t y = 0;
    int32_t x = 0;
};

int32_t rounded(int32_t pixels, int32_t tile) {
    return (pixels + tile / 2) / tile;
}

// The tiles of cell size k: 2k x 2k pixels each, anchored on multiples of 2k across so that
// they line up with the grating's columns once the base offset (a multiple of k) is added.
// A digit that would take more than MAX_POINTS tiles (the smallest cells) is scaled down.
std::vector<Point> figure_points(int32_t k) {
    const int32_t tile = 2 * k;
    for (int32_t percent = 100;; percent -= 5) {
        const int32_t columns = rounded(DIGIT_WIDTH * percent / 100, tile);
        const int32_t rows = rounded(DIGIT_HEIGHT * percent / 100, tile);
        const int32_t thickness = std::max(1, rounded(STROKE * percent / 100, tile));
        const auto cells = tools::seven_segment_digit(
            DIGIT_OF_CELL_SIZE[static_cast<size_t>(k - 1)], columns, rows, thickness);
        if (cells.size() > MAX_POINTS)
            continue;
        const int32_t left = (CENTRE_X - columns * tile / 2) / tile * tile;
        const int32_t top = CENTRE_Y - rows * tile / 2;
        std::vector<Point> points;
        for (const tools::GridCell& cell : cells)
            points.push_back({top + cell.row * tile, left + cell.column * tile});
        return points;
    }
}

// Every tile lies inside the training area for both base offsets: rows from TOP_ROW down,
// pixels x + X0 + 1 .. x + X0 + 2k and y + 1 .. y + 2k within the window.
bool inside_training_area(int32_t k, const std::vector<Point>& points) {
    for (const int32_t base : {LEFT_BASE, RIGHT_BASE}) {
        const int32_t offset = k * (base / k);
        for (const Point& point : points)
            if (point.y < TOP_ROW || point.x < 0 || point.x + offset + 2 * k > WINDOW_WIDTH - 1 ||
                point.y + 2 * k > WINDOW_HEIGHT - 1)
                return false;
    }
    return points.size() <= MAX_POINTS;
}

// A count line (columns 17-24 hold the count; the first sixteen name the set) followed by the
// points, twenty values to a line; a set without points still has its one line.
void write_set(std::ofstream& out, int32_t k, const std::vector<Point>& points) {
    static const RtFormat COUNT_LINE("(' Figure K=',I2,4X,I8)");
    static const RtFormat POINT_LINES("(20I4)");
    const auto count = static_cast<int32_t>(points.size());
    for (const std::string& record : rt_format_records(COUNT_LINE, {k, count}))
        out << record << "\r\n";
    std::vector<RtValue> values;
    for (const Point& point : points) {
        values.emplace_back(point.y);
        values.emplace_back(point.x);
    }
    if (values.empty()) {
        out << "\r\n";
        return;
    }
    for (const std::string& record : rt_format_records(POINT_LINES, values))
        out << record << "\r\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    if (!out) {
        std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
        return 1;
    }
    for (int32_t k = 1; k <= 9; ++k) {
        const std::vector<Point> points = figure_points(k);
        if (!inside_training_area(k, points)) {
            std::fprintf(stderr, "%s: the figure of cell size %d leaves the training area\n",
                         argv[0], k);
            return 1;
        }
        write_set(out, k, points);
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
