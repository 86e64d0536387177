// Loading the font configuration with the alias faces, matching and creating fonts.
#include "platform/fonts/font_library.h"

#include "platform/fonts/font_metrics.h"
#include "platform/fonts/fontconfig_access.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace fonts {

namespace {

constexpr std::array<FaceAlias, 6> ALIASES = {{
    {"Arial", "Arial", ANSI_CHARSET},
    {"Arial Cyr", "Arial", CYRILLIC_CHARSET},
    {"Courier New", "Courier New", ANSI_CHARSET},
    {"Courier New Cyr", "Courier New", CYRILLIC_CHARSET},
    {"Times New Roman", "Times New Roman", ANSI_CHARSET},
    {"Times New Roman Cyr", "Times New Roman", CYRILLIC_CHARSET},
}};

constexpr std::array<const char*, 3> SERIF = {"Times New Roman", "Liberation Serif", "Tinos"};
constexpr std::array<const char*, 3> SANS = {"Arial", "Liberation Sans", "Arimo"};
constexpr std::array<const char*, 3> MONO = {"Courier New", "Liberation Mono", "Cousine"};

// Each alias accepts its original family and that family's metric-compatible stand-ins with
// binding "same", so that fontconfig weighs them as the family asked for: a weight or slant
// then still finds the real bold or italic face. The stand-ins are named directly, as the
// system's own rules for the original names have already been applied by the time these run.
std::string alias_rules(const FontSource& source) {
    std::string xml = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
    // A configuration of our own has no cache directory unless it names one.
    if (!source.cache_directory.empty())
        xml += "<cachedir>" + source.cache_directory + "</cachedir>\n";
    else if (!source.directories.empty())
        xml += "<cachedir prefix=\"xdg\">fontconfig</cachedir>\n";
    for (const FaceAlias& alias : ALIASES) {
        xml += "<alias binding=\"same\"><family>";
        xml += alias.name;
        xml += "</family><accept>";
        for (const char* family : metric_compatible_families(alias.base))
            if (std::strcmp(family, alias.name) != 0)
                xml += std::string("<family>") + family + "</family>";
        xml += "</accept></alias>\n";
    }
    xml += "</fontconfig>\n";
    return xml;
}

FcConfig* load_config(const FontSource& source) {
    FcConfig* config = source.directories.empty() ? FcInitLoadConfigAndFonts() : FcConfigCreate();
    if (!config)
        return nullptr;
    const std::string rules = alias_rules(source);
    bool ok = FcConfigParseAndLoadFromMemory(
                  config, reinterpret_cast<const FcChar8*>(rules.c_str()), FcTrue) == FcTrue;
    for (const std::string& directory : source.directories)
        ok = ok && FcConfigAppFontAddDir(
                       config, reinterpret_cast<const FcChar8*>(directory.c_str())) == FcTrue;
    if (!ok) {
        FcConfigDestroy(config);
        return nullptr;
    }
    return config;
}

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

std::string LogicalFont::face_name() const {
    return std::string(face.data(), strnlen(face.data(), face.size()));
}

void LogicalFont::set_face_name(const std::string& name) {
    face = {};
    std::memcpy(face.data(), name.data(), std::min(name.size(), face.size() - 1));
}

std::span<const FaceAlias> face_aliases() {
    return ALIASES;
}

std::span<const char* const> metric_compatible_families(const std::string& base) {
    if (base == "Times New Roman")
        return SERIF;
    if (base == "Arial")
        return SANS;
    return MONO;
}

std::string fold_case(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::optional<MatchedFace> FontLibrary::Impl::match(const std::string& family, int32_t weight,
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

FontLibrary::FontLibrary(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
FontLibrary::~FontLibrary() = default;

std::unique_ptr<FontLibrary> FontLibrary::open(const FontSource& source) {
    auto impl = std::make_unique<Impl>();
    impl->config = load_config(source);
    if (!impl->config)
        return nullptr;
    return std::unique_ptr<FontLibrary>(new FontLibrary(std::move(impl)));
}

std::shared_ptr<const Font> FontLibrary::create(const LogicalFont& logical) {
    std::optional<MatchedFace> matched;
    {
        std::lock_guard lock(m_impl->mutex);
        matched = m_impl->match(logical.face_name(), logical.weight, logical.italic != 0);
    }
    if (!matched)
        return nullptr;
    FT_Face face = thread_face(matched->file);
    if (!face)
        return nullptr;

    const FaceMeasures measures = read_measures(face);
    const EmSize em = em_size(measures, logical);
    std::shared_ptr<Font> font(new Font());
    font->m_logical = logical;
    font->m_metrics = text_metrics(measures, logical, em);
    font->m_path = matched->file.path;
    font->m_face_index = matched->file.index;
    font->m_family = matched->family;
    font->m_style = matched->style;
    font->m_em_x = std::max<int64_t>(std::lround(em.x * 64), 1);
    font->m_em_y = std::max<int64_t>(std::lround(em.y * 64), 1);
    font->m_synthetic_italic = logical.italic != 0 && matched->fc_slant == FC_SLANT_ROMAN;
    font->m_synthetic_bold = logical.weight >= FW_BOLD && matched->fc_weight < FC_WEIGHT_DEMIBOLD;
    const double y_scale = em.y / measures.units_per_em;
    font->m_underline_offset =
        static_cast<int32_t>(std::lround(-measures.underline_position * y_scale));
    font->m_underline_thickness =
        std::max(1, static_cast<int32_t>(std::lround(measures.underline_thickness * y_scale)));
    return font;
}

} // namespace fonts
