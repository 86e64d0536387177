// The alias faces and their metric-compatible stand-ins.
#include "platform/fonts/face_aliases.h"

#include "platform/fonts/logical_font.h"

#include <array>

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

} // namespace

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

} // namespace fonts
