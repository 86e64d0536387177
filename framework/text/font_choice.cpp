// The candidate scan and best fit over the font table.
#include "framework/text/font_choice.h"

#include <cstdlib>

namespace framework {

namespace {

std::string fold_case(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool is_raster(const fonts::EnumeratedFont& entry) {
    return (entry.type & fonts::RASTER_FONTTYPE) != 0;
}

bool is_candidate(const fonts::EnumeratedFont& entry, const FontSpec& spec,
                  const std::string& folded_face) {
    const uint8_t pitch = entry.logical.pitch_and_family & fonts::PITCH_MASK;
    return (!spec.has_face || fold_case(entry.logical.face_name()) == folded_face) &&
           (!spec.fixed || pitch == fonts::FIXED_PITCH) &&
           (!spec.proportional || pitch == fonts::VARIABLE_PITCH) &&
           (!spec.raster || is_raster(entry)) && (!spec.scalable || !is_raster(entry));
}

// Best fit starts from this distance, so only a raster font nearer than it can win.
constexpr int32_t BEST_FIT_START = 200;

} // namespace

std::string current_face_name(const std::string& face) {
    const std::string folded = fold_case(face);
    if (folded == "tms rmn")
        return "Times New Roman";
    if (folded == "courier")
        return "Courier New";
    if (folded == "helv")
        return "Arial";
    return face;
}

std::optional<FontChoice> choose_font(std::span<const fonts::EnumeratedFont> table,
                                      const FontSpec& spec, int32_t current_index) {
    const auto count = static_cast<int32_t>(table.size());
    if (spec.has_number) {
        if (spec.number < 1 || spec.number > count)
            return std::nullopt;
        return FontChoice{spec.number - 1};
    }
    const std::string folded_face = fold_case(current_face_name(spec.face));
    int32_t best_distance = BEST_FIT_START;
    int32_t best_index = current_index;
    for (int32_t index = 0; index < count; ++index) {
        const fonts::EnumeratedFont& entry = table[static_cast<size_t>(index)];
        if (!is_candidate(entry, spec, folded_face))
            continue;
        if (spec.best_fit && is_raster(entry)) {
            const int32_t distance =
                (spec.height ? std::abs(entry.logical.height - spec.height) : 0) +
                (spec.width ? std::abs(entry.logical.width - spec.width) : 0);
            if (distance < best_distance) {
                best_distance = distance;
                best_index = index;
            }
        } else if (!is_raster(entry)) {
            if (spec.height == 0 && spec.width == 0)
                return FontChoice{index};
            return FontChoice{index, FontSize::requested, spec.height, spec.width};
        } else if ((spec.height == 0 || spec.height == entry.logical.height) &&
                   (spec.width == 0 || spec.width == entry.logical.width)) {
            return FontChoice{index};
        }
    }
    if (spec.best_fit && best_index >= 0 && best_index < count)
        return FontChoice{best_index};
    return std::nullopt;
}

} // namespace framework
