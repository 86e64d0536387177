// Reading the figure data file talvena.sym into the figure point table.
//
// The file holds nine sets, for cell sizes 1..9 in turn. Each set is a count line, whose
// columns 17-24 hold the number of points n (0..10000), followed by the 2n integers
// y1 x1 y2 x2 ... twenty to a line in four-column fields; a set of no points still has one
// (unread) point line. Lines end in CR LF.
#pragma once

#include "app/figure_table.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

inline constexpr std::string_view FIGURE_DATA_FILE_NAME = "talvena.sym";

// Why the file could not be read: `line` is 1-based, 0 when the file could not be opened.
struct FigureDataError {
    std::filesystem::path path;
    int32_t line = 0;
    std::string reason;

    // "Figure data file "<path>", line <n>: <reason>" (without the line when it is 0).
    std::string message() const;
};

struct FigureDataResult {
    FigurePointTable figures;
    std::optional<FigureDataError> error;
};

// Reads the file, which must exist: a missing file is an error and is never created.
FigureDataResult app_read_figure_data(const std::filesystem::path& path);

// Where the figure data is read from: talvena.sym in the first of `folders` that holds one (the
// program looks in the data folder, then in the installed program's shared folder, then beside
// the executable). When none does, the first folder's path, whose reading then names the
// missing file.
std::filesystem::path app_figure_data_path(std::span<const std::filesystem::path> folders);
