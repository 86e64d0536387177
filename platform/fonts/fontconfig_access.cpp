// Matching a face in the fontconfig configuration, remembered per family, weight and slant.
#include "platform/fonts/fontconfig_access.h"

#include "platform/fonts/face_aliases.h"
#include "platform/fonts/logical_font.h"

namespace fonts {

namespace {

std::string pattern_string(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

int32_t pattern_int(FcPattern* pattern, const char* object, int32_t fallback) {
    int value = 0;
    return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

} // namespace

std::optional<MatchedFace> FontConfiguration::match(const std::string& family, int32_t weight,
                                                    bool italic) {
    const std::string key = fold_case(family) + '/' + std::to_string(weight) + (italic ? "i" : "");
    if (auto found = matches.find(key); found != matches.end())
        return found->second;

    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(
        pattern, FC_WEIGHT,
        static_cast<int>(FcWeightFromOpenTypeDouble(weight > 0 ? weight : FW_NORMAL)));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);

    std::optional<MatchedFace> matched;
    if (found) {
        MatchedFace face;
        face.file = {pattern_string(found, FC_FILE), pattern_int(found, FC_INDEX, 0)};
        face.family = pattern_string(found, FC_FAMILY);
        face.style = pattern_string(found, FC_STYLE);
        face.fc_weight = pattern_int(found, FC_WEIGHT, FC_WEIGHT_REGULAR);
        face.fc_slant = pattern_int(found, FC_SLANT, FC_SLANT_ROMAN);
        if (!face.file.path.empty())
            matched = face;
        FcPatternDestroy(found);
    }
    matches.emplace(key, matched);
    return matched;
}

} // namespace fonts
