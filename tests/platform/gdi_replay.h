// Replays the drawing calls of a reference-image manifest on a DrawingContext.
#pragma once

#include "platform/raster/drawing_context.h"
#include "tests/platform/json_reader.h"

#include <array>
#include <map>
#include <string>
#include <variant>

namespace test_support {

// Maps each recorded call (MoveToEx, LineTo, Rectangle, CreatePen, SelectObject, ...) onto the
// raster engine, keeping the objects that creator calls return under their recorded names.
class GdiReplayer {
public:
    // `constants` is the manifest's table of named constants.
    GdiReplayer(raster::DrawingContext& context, const JsonValue& constants);

    // Runs one call; on failure returns false and says which call and argument in `error`.
    bool replay(const JsonValue& call, std::string* error);

private:
    using Pattern = std::array<uint8_t, 8>;
    using Object = std::variant<raster::Pen, raster::Brush, raster::Region, Pattern>;

    bool run(const std::string& function, const JsonValue& args, const std::string& result_name);
    bool select(const Object& object);
    bool make_stock_object(const std::string& name, Object& object);

    int64_t integer(const JsonValue& args, size_t index);
    raster::ColorRef color(const JsonValue& args, size_t index);
    raster::Rect rect_at(const JsonValue& args, size_t index);
    std::vector<raster::Point> points(const JsonValue& args, size_t index);
    const Object* object(const JsonValue& args, size_t index);
    std::string constant_name(const JsonValue& args, size_t index);

    raster::DrawingContext& m_context;
    const JsonValue& m_constants;
    std::map<std::string, Object> m_objects;
    std::string m_problem;
};

} // namespace test_support
