// Enumerating the installed scalable faces, and the alias faces, into the platform's font model.
#include "platform/fonts/face_aliases.h"
#include "platform/fonts/font_library.h"
#include "platform/fonts/font_metrics.h"
#include "platform/fonts/fontconfig_access.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace fonts {

namespace {

struct ListedFace {
    std::string family;
    FaceFile file;
    int32_t fc_weight = FC_WEIGHT_REGULAR;
    int32_t fc_slant = FC_SLANT_ROMAN;
    int32_t fc_width = FC_WIDTH_NORMAL;
};

// Fontconfig lists a family's typographic name first and its legacy name (the one that tells
// "DejaVu Sans Condensed" from "DejaVu Sans") last; the platform enumerates legacy names.
std::string legacy_family(FcPattern* pattern) {
    std::string family;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        family = reinterpret_cast<const char*>(value);
    return family;
}

std::optional<std::vector<ListedFace>> list_faces(FcConfig* config) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT,
                                            FC_WIDTH, FC_SCALABLE, FC_VARIABLE, nullptr);
    FcFontSet* set = pattern && objects ? FcFontList(config, pattern, objects) : nullptr;
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    if (!set)
        return std::nullopt;
    std::vector<ListedFace> faces;
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        FcBool scalable = FcFalse;
        FcBool variable = FcFalse;
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        FcPatternGetBool(font, FC_VARIABLE, 0, &variable);
        FcChar8* file = nullptr;
        if (!scalable || variable || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        ListedFace face;
        face.family = legacy_family(font);
        face.file.path = reinterpret_cast<const char*>(file);
        int value = 0;
        if (FcPatternGetInteger(font, FC_INDEX, 0, &value) == FcResultMatch)
            face.file.index = value;
        if (FcPatternGetInteger(font, FC_WEIGHT, 0, &value) == FcResultMatch)
            face.fc_weight = value;
        if (FcPatternGetInteger(font, FC_SLANT, 0, &value) == FcResultMatch)
            face.fc_slant = value;
        if (FcPatternGetInteger(font, FC_WIDTH, 0, &value) == FcResultMatch)
            face.fc_width = value;
        if (!face.family.empty())
            faces.push_back(std::move(face));
    }
    FcFontSetDestroy(set);
    return faces;
}

// A family's faces by weight, then upright before italic, then normal width first; one face per
// weight and slant.
void order_family(std::vector<ListedFace>& faces) {
    const auto key = [](const ListedFace& f) {
        return std::tuple(f.fc_weight, f.fc_slant, std::abs(f.fc_width - FC_WIDTH_NORMAL),
                          f.file.path, f.file.index);
    };
    std::sort(faces.begin(), faces.end(),
              [&](const ListedFace& a, const ListedFace& b) { return key(a) < key(b); });
    faces.erase(std::unique(faces.begin(), faces.end(),
                            [](const ListedFace& a, const ListedFace& b) {
                                return a.fc_weight == b.fc_weight && a.fc_slant == b.fc_slant;
                            }),
                faces.end());
}

// The face at its own size: cell height 16 and the average width that height gives.
std::optional<EnumeratedFont> describe(const ListedFace& listed, const std::string& face_name,
                                       uint8_t charset) {
    FT_Face face = thread_face(listed.file);
    if (!face)
        return std::nullopt;
    const FaceMeasures measures = read_measures(face);
    EnumeratedFont font;
    LogicalFont& logical = font.logical;
    logical.height = DEFAULT_CELL_HEIGHT;
    logical.weight = measures.weight;
    logical.italic = listed.fc_slant != FC_SLANT_ROMAN ? 1 : 0;
    logical.charset = charset;
    logical.out_precision = 3;  // stroke precision: an outline font
    logical.clip_precision = 2; // stroke clipping
    logical.quality = 1;        // draft quality
    logical.pitch_and_family = static_cast<uint8_t>(
        (measures.fixed_pitch ? FIXED_PITCH : VARIABLE_PITCH) | measures.family);
    logical.set_face_name(face_name);
    logical.width = text_metrics(measures, logical, em_size(measures, logical)).average_char_width;
    font.metrics = text_metrics(measures, logical, em_size(measures, logical));
    font.type = TRUETYPE_FONTTYPE;
    return font;
}

} // namespace

std::optional<std::vector<EnumeratedFont>> FontLibrary::enumerate() {
    std::lock_guard lock(m_configuration->mutex);
    std::optional<std::vector<ListedFace>> listed = list_faces(m_configuration->config);
    if (!listed)
        return std::nullopt;

    struct Family {
        std::string name;
        std::vector<ListedFace> faces;
        uint8_t charset = ANSI_CHARSET;
    };
    // Keyed by the folded name so that the order ignores case; the exact name breaks ties.
    std::map<std::pair<std::string, std::string>, Family> families;
    for (ListedFace& face : *listed) {
        Family& family = families[{fold_case(face.family), face.family}];
        family.name = face.family;
        family.faces.push_back(std::move(face));
    }
    for (auto& [key, family] : families)
        order_family(family.faces);

    // An alias becomes a family of its own when fontconfig resolves it to a listed
    // metric-compatible family; a real face of that name is listed as it is.
    for (const FaceAlias& alias : face_aliases()) {
        const std::string folded = fold_case(alias.name);
        const auto same_name = [&](const auto& entry) { return entry.first.first == folded; };
        if (std::any_of(families.begin(), families.end(), same_name))
            continue;
        const std::optional<MatchedFace> matched =
            m_configuration->match(alias.name, FW_NORMAL, false);
        if (!matched)
            continue;
        const auto compatible = metric_compatible_families(alias.base);
        const bool accepted = std::any_of(compatible.begin(), compatible.end(), [&](const char* f) {
            return fold_case(f) == fold_case(matched->family);
        });
        const auto target = families.find({fold_case(matched->family), matched->family});
        if (!accepted || target == families.end())
            continue;
        Family copy{alias.name, target->second.faces, alias.charset};
        families.emplace(std::pair{folded, std::string(alias.name)}, std::move(copy));
    }

    std::vector<EnumeratedFont> fonts;
    for (const auto& [key, family] : families)
        for (const ListedFace& face : family.faces)
            if (std::optional<EnumeratedFont> font = describe(face, family.name, family.charset))
                fonts.push_back(*font);
    return fonts;
}

} // namespace fonts
