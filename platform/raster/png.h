// Reading and writing bitmaps as 8-bit RGB PNG files.
#pragma once

#include "platform/raster/bitmap.h"

#include <filesystem>
#include <optional>
#include <string>

namespace raster {

// Returns an empty optional and fills `error` (when given) on failure.
std::optional<Bitmap> read_png(const std::filesystem::path& path, std::string* error = nullptr);
bool write_png(const Bitmap& bitmap, const std::filesystem::path& path,
               std::string* error = nullptr);

} // namespace raster
