// Private to the fonts library: the face names that stand for the original platform's families,
// and comparing family names without regard to case.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fonts {

// The faces that programs written for the original platform name, which fontconfig resolves to
// the installed metric-compatible families: "Times New Roman", "Arial", "Courier New" and their
// Cyrillic character-set names ending in " Cyr".
struct FaceAlias {
    const char* name;
    const char* base; // the original platform's family the name stands for
    uint8_t charset;
};

std::span<const FaceAlias> face_aliases();

// The families that stand in for one of the original platform's families, best first.
std::span<const char* const> metric_compatible_families(const std::string& base);

// Lower-case ASCII letters, for comparing names without regard to case.
std::string fold_case(std::string text);

} // namespace fonts
