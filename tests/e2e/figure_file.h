// The figure data file read on its own terms for the tests: what the program should have drawn.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A tile's anchor as the file stores it: the tile covers x + X0 + 1 .. x + X0 + 2K across and
// y + 1 .. y + 2K down.
struct TileAnchor {
    int32_t y = 0;
    int32_t x = 0;
};

// The anchors of each cell size; index K = 1..9 (index 0 stays empty).
using FigureSets = std::array<std::vector<TileAnchor>, 10>;

// Reads the nine sets: a count line (count in columns 17-24), then the 2n values y1 x1 y2 x2 ...
// twenty to a line in four-column fields; a set without points still has one point line.
// Returns nothing, with a reason in `error`, when the file does not have that form.
std::optional<FigureSets> read_figure_file(const std::filesystem::path& path, std::string& error);

} // namespace e2e
