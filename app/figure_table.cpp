// The figure point table.
#include "app/figure_table.h"

#include <cassert>
#include <utility>

namespace {

bool is_cell_size(int32_t k) {
    return k >= FIGURE_SMALLEST_CELL && k <= FIGURE_LARGEST_CELL;
}

} // namespace

std::span<const FigurePoint> FigurePointTable::points(int32_t k) const {
    if (!is_cell_size(k))
        return {};
    return m_points[static_cast<size_t>(k - 1)];
}

void FigurePointTable::set_points(int32_t k, std::vector<FigurePoint> points) {
    assert(is_cell_size(k) && points.size() <= FIGURE_MAX_POINTS);
    if (is_cell_size(k))
        m_points[static_cast<size_t>(k - 1)] = std::move(points);
}
