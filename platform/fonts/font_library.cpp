// Loading the font configuration with the alias faces, and creating fonts.
#include "platform/fonts/font_library.h"

#include "platform/fonts/face_aliases.h"
#include "platform/fonts/font_metrics.h"
#include "platform/fonts/fontconfig_access.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace fonts {

namespace {

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
    for (const FaceAlias& alias : face_aliases()) {
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

} // namespace

std::string LogicalFont::face_name() const {
    return std::string(face.data(), strnlen(face.data(), face.size()));
}

void LogicalFont::set_face_name(const std::string& name) {
    face = {};
    std::memcpy(face.data(), name.data(), std::min(name.size(), face.size() - 1));
}

FontLibrary::FontLibrary(std::unique_ptr<FontConfiguration> configuration)
    : m_configuration(std::move(configuration)) {}
FontLibrary::~FontLibrary() = default;

std::unique_ptr<FontLibrary> FontLibrary::open(const FontSource& source) {
    FcConfig* config = load_config(source);
    if (!config)
        return nullptr;
    return std::unique_ptr<FontLibrary>(
        new FontLibrary(std::make_unique<FontConfiguration>(config)));
}

std::shared_ptr<const Font> FontLibrary::create(const LogicalFont& logical) {
    std::optional<MatchedFace> matched;
    {
        std::lock_guard lock(m_configuration->mutex);
        matched = m_configuration->match(logical.face_name(), logical.weight, logical.italic != 0);
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
