// The figure point table: for each cell size the points at which the training figure's tiles
// are drawn.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int32_t FIGURE_SMALLEST_CELL = 1;
inline constexpr int32_t FIGURE_LARGEST_CELL = 9;
inline constexpr int32_t FIGURE_MAX_POINTS = 10000;

// A tile's top-left anchor in pixels, relative to the figure's base position: the tile covers
// x + X0 + 1 .. x + X0 + 2K across and y + 1 .. y + 2K down.
struct FigurePoint {
    int32_t y = 0;
    int32_t x = 0;

    friend bool operator==(const FigurePoint&, const FigurePoint&) = default;
};

class FigurePointTable {
public:
    // The points of cell size k (1..9); empty for any other k.
    std::span<const FigurePoint> points(int32_t k) const;
    int32_t count(int32_t k) const { return static_cast<int32_t>(points(k).size()); }

    // Replaces the points of cell size k (1..9, at most FIGURE_MAX_POINTS).
    void set_points(int32_t k, std::vector<FigurePoint> points);

    friend bool operator==(const FigurePointTable&, const FigurePointTable&) = default;

private:
    std::array<std::vector<FigurePoint>, FIGURE_LARGEST_CELL> m_points;
};
