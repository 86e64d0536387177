// Replays the drawing calls of a reference-image manifest on a DrawingContext.
#include "tests/platform/gdi_replay.h"

namespace test_support {

using namespace raster;

namespace {

const JsonValue* argument(const JsonValue& args, size_t index) {
    return index < args.items().size() ? &args.items()[index] : nullptr;
}

PenStyle pen_style_from(const std::string& name) {
    if (name == "PS_DASH")
        return PenStyle::dash;
    if (name == "PS_DOT")
        return PenStyle::dot;
    if (name == "PS_DASHDOT")
        return PenStyle::dash_dot;
    if (name == "PS_DASHDOTDOT")
        return PenStyle::dash_dot_dot;
    if (name == "PS_NULL")
        return PenStyle::null;
    return PenStyle::solid;
}

} // namespace

GdiReplayer::GdiReplayer(DrawingContext& context, const JsonValue& constants)
    : m_context(context), m_constants(constants) {}

bool GdiReplayer::replay(const JsonValue& call, std::string* error) {
    const JsonValue* function = call.find("fn");
    const JsonValue* args = call.find("args");
    const JsonValue* result = call.find("ret");
    const JsonValue* source = call.find("c");
    const std::string text = source && source->is_string() ? source->as_string() : "?";
    if (!function || !function->is_string() || !args || !args->is_array()) {
        *error = "call without 'fn' or 'args': " + text;
        return false;
    }
    m_problem.clear();
    const bool known =
        run(function->as_string(), *args, result && result->is_string() ? result->as_string() : "");
    if (!known || !m_problem.empty()) {
        *error =
            text + ": " + (m_problem.empty() ? "call not supported by the replayer" : m_problem);
        return false;
    }
    return true;
}

// Arguments are in C order with the device context first, so drawing arguments start at 1.
bool GdiReplayer::run(const std::string& function, const JsonValue& args,
                      const std::string& result_name) {
    DrawState& state = m_context.state();
    if (function == "MoveToEx") {
        m_context.move_to(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2))});
    } else if (function == "LineTo") {
        m_context.line_to(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2))});
    } else if (function == "Polyline") {
        m_context.polyline(points(args, 1));
    } else if (function == "Polygon") {
        m_context.polygon(points(args, 1));
    } else if (function == "Rectangle") {
        m_context.rectangle(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2)),
             static_cast<int32_t>(integer(args, 3)), static_cast<int32_t>(integer(args, 4))});
    } else if (function == "Ellipse") {
        m_context.ellipse(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2)),
             static_cast<int32_t>(integer(args, 3)), static_cast<int32_t>(integer(args, 4))});
    } else if (function == "SetPixel") {
        m_context.set_pixel(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2))},
            color(args, 3));
    } else if (function == "FillRect") {
        const Object* brush = object(args, 2);
        if (brush && std::holds_alternative<Brush>(*brush))
            m_context.fill_rect(rect_at(args, 1), std::get<Brush>(*brush));
        else
            m_problem = "argument 2 is not a brush";
    } else if (function == "CreatePen") {
        if (integer(args, 1) > 1)
            m_problem = "only cosmetic one-pixel pens are supported";
        m_objects[result_name] = Pen{pen_style_from(constant_name(args, 0)), color(args, 2)};
    } else if (function == "CreateSolidBrush") {
        m_objects[result_name] = Brush::solid(color(args, 0));
    } else if (function == "CreateHatchBrush") {
        m_objects[result_name] =
            Brush::hatched(static_cast<HatchStyle>(integer(args, 0)), color(args, 1));
    } else if (function == "CreateBitmap") {
        // 8 x 8 at one bit per pixel; each row is padded to 16 bits, so rows are 2 bytes apart.
        const JsonValue* bytes = argument(args, 4) ? argument(args, 4)->find("bytes") : nullptr;
        if (integer(args, 0) != 8 || integer(args, 1) != 8 || integer(args, 3) != 1 || !bytes ||
            bytes->items().size() < 16) {
            m_problem = "only 8 x 8 one-bit bitmaps are supported";
            return true;
        }
        Pattern pattern{};
        for (size_t row = 0; row < 8; ++row)
            pattern[row] = static_cast<uint8_t>(bytes->items()[row * 2].as_int());
        m_objects[result_name] = pattern;
    } else if (function == "CreatePatternBrush") {
        const Object* bitmap = object(args, 0);
        if (bitmap && std::holds_alternative<Pattern>(*bitmap))
            m_objects[result_name] = Brush::with_pattern(std::get<Pattern>(*bitmap));
        else
            m_problem = "argument 0 is not a bitmap";
    } else if (function == "GetStockObject") {
        Object stock;
        if (make_stock_object(constant_name(args, 0), stock))
            m_objects[result_name] = stock;
        else
            m_problem = "unknown stock object";
    } else if (function == "SelectObject") {
        const Object* selected = object(args, 1);
        if (!selected || !select(*selected))
            m_problem = "argument 1 is not a selectable object";
    } else if (function == "SetROP2") {
        state.raster_op = static_cast<RasterOp>(integer(args, 1));
    } else if (function == "SetBkMode") {
        state.background_mode = static_cast<BackgroundMode>(integer(args, 1));
    } else if (function == "SetBkColor") {
        state.background_color = color(args, 1);
    } else if (function == "SetTextColor") {
        state.text_color = color(args, 1);
    } else if (function == "SetPolyFillMode") {
        state.fill_mode = static_cast<PolygonFillMode>(integer(args, 1));
    } else if (function == "SetBrushOrgEx") {
        state.brush_origin = {static_cast<int32_t>(integer(args, 1)),
                              static_cast<int32_t>(integer(args, 2))};
    } else if (function == "IntersectClipRect") {
        m_context.intersect_clip_rect(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2)),
             static_cast<int32_t>(integer(args, 3)), static_cast<int32_t>(integer(args, 4))});
    } else if (function == "ExcludeClipRect") {
        m_context.exclude_clip_rect(
            {static_cast<int32_t>(integer(args, 1)), static_cast<int32_t>(integer(args, 2)),
             static_cast<int32_t>(integer(args, 3)), static_cast<int32_t>(integer(args, 4))});
    } else if (function == "CreateRectRgn" || function == "CreateEllipticRgn") {
        const Rect box{
            static_cast<int32_t>(integer(args, 0)), static_cast<int32_t>(integer(args, 1)),
            static_cast<int32_t>(integer(args, 2)), static_cast<int32_t>(integer(args, 3))};
        m_objects[result_name] =
            function == "CreateRectRgn" ? Region::rectangle(box) : Region::ellipse(box);
    } else if (function == "SelectClipRgn") {
        const JsonValue* region = argument(args, 1);
        if (region && region->is_null()) {
            m_context.set_clip(std::nullopt);
        } else if (const Object* selected = object(args, 1);
                   selected && std::holds_alternative<Region>(*selected)) {
            m_context.set_clip(std::get<Region>(*selected));
        } else {
            m_problem = "argument 1 is not a region";
        }
    } else {
        return false;
    }
    return true;
}

bool GdiReplayer::select(const Object& selected) {
    if (const Pen* pen = std::get_if<Pen>(&selected)) {
        m_context.state().pen = *pen;
        return true;
    }
    if (const Brush* brush = std::get_if<Brush>(&selected)) {
        m_context.state().brush = *brush;
        return true;
    }
    // Selecting a region into a device context selects a copy of it as the clip region.
    if (const Region* region = std::get_if<Region>(&selected)) {
        m_context.set_clip(*region);
        return true;
    }
    return false;
}

bool GdiReplayer::make_stock_object(const std::string& name, Object& stock) {
    if (name == "WHITE_BRUSH")
        stock = Brush::solid(rgb(255, 255, 255));
    else if (name == "LTGRAY_BRUSH")
        stock = Brush::solid(rgb(192, 192, 192));
    else if (name == "GRAY_BRUSH")
        stock = Brush::solid(rgb(128, 128, 128));
    else if (name == "DKGRAY_BRUSH")
        stock = Brush::solid(rgb(64, 64, 64));
    else if (name == "BLACK_BRUSH")
        stock = Brush::solid(rgb(0, 0, 0));
    else if (name == "NULL_BRUSH")
        stock = Brush::null();
    else if (name == "WHITE_PEN")
        stock = Pen{PenStyle::solid, rgb(255, 255, 255)};
    else if (name == "BLACK_PEN")
        stock = Pen{PenStyle::solid, rgb(0, 0, 0)};
    else if (name == "NULL_PEN")
        stock = Pen{PenStyle::null, 0};
    else
        return false;
    return true;
}

// An argument that is a plain number or a named constant.
int64_t GdiReplayer::integer(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    if (value && value->is_number())
        return value->as_int();
    if (const JsonValue* name = value ? value->find("const") : nullptr) {
        if (const JsonValue* number = m_constants.find(name->as_string()))
            return number->as_int();
        m_problem = "unknown constant " + name->as_string();
        return 0;
    }
    m_problem = "argument " + std::to_string(index) + " is not a number";
    return 0;
}

std::string GdiReplayer::constant_name(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    const JsonValue* name = value ? value->find("const") : nullptr;
    if (!name || !name->is_string()) {
        m_problem = "argument " + std::to_string(index) + " is not a named constant";
        return {};
    }
    return name->as_string();
}

ColorRef GdiReplayer::color(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    const JsonValue* channels = value ? value->find("rgb") : nullptr;
    if (!channels || channels->items().size() != 3) {
        m_problem = "argument " + std::to_string(index) + " is not an RGB colour";
        return 0;
    }
    const auto& c = channels->items();
    return rgb(static_cast<uint8_t>(c[0].as_int()), static_cast<uint8_t>(c[1].as_int()),
               static_cast<uint8_t>(c[2].as_int()));
}

Rect GdiReplayer::rect_at(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    const JsonValue* sides = value ? value->find("rect") : nullptr;
    if (!sides || sides->items().size() != 4) {
        m_problem = "argument " + std::to_string(index) + " is not a rectangle";
        return {};
    }
    const auto& s = sides->items();
    return {static_cast<int32_t>(s[0].as_int()), static_cast<int32_t>(s[1].as_int()),
            static_cast<int32_t>(s[2].as_int()), static_cast<int32_t>(s[3].as_int())};
}

// A point array followed by its count; the count must agree with the array.
std::vector<Point> GdiReplayer::points(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    const JsonValue* list = value ? value->find("points") : nullptr;
    std::vector<Point> result;
    if (!list) {
        m_problem = "argument " + std::to_string(index) + " is not a point array";
        return result;
    }
    for (const JsonValue& p : list->items())
        if (p.items().size() == 2)
            result.push_back({static_cast<int32_t>(p.items()[0].as_int()),
                              static_cast<int32_t>(p.items()[1].as_int())});
    if (static_cast<int64_t>(result.size()) != integer(args, index + 1))
        m_problem = "the point count does not match the point array";
    return result;
}

const GdiReplayer::Object* GdiReplayer::object(const JsonValue& args, size_t index) {
    const JsonValue* value = argument(args, index);
    const JsonValue* name = value ? value->find("handle") : nullptr;
    if (!name || !name->is_string())
        return nullptr;
    const auto it = m_objects.find(name->as_string());
    return it == m_objects.end() ? nullptr : &it->second;
}

} // namespace test_support
