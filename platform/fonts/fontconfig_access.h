// Private to the fonts library: the fontconfig configuration behind a FontLibrary and the
// alias table.
#pragma once

#include "platform/fonts/face_cache.h"
#include "platform/fonts/font_library.h"

#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <span>
#include <string>

namespace fonts {

// A matched face and how it differs from what was asked for.
struct MatchedFace {
    FaceFile file;
    std::string family;
    std::string style;
    int32_t fc_weight = FC_WEIGHT_REGULAR;
    int32_t fc_slant = FC_SLANT_ROMAN;
};

struct FontLibrary::Impl {
    FcConfig* config = nullptr;
    std::mutex mutex; // guards config and matches
    std::map<std::string, std::optional<MatchedFace>> matches;

    ~Impl() {
        if (config)
            FcConfigDestroy(config);
    }

    // Fontconfig's best face for a family, weight (OpenType scale) and slant; nothing when no
    // face matches at all. Caller holds the mutex.
    std::optional<MatchedFace> match(const std::string& family, int32_t weight, bool italic);
};

std::span<const FaceAlias> face_aliases();

// The families that stand in for one of the original platform's families, best first.
std::span<const char* const> metric_compatible_families(const std::string& base);

// Lower-case ASCII letters, for comparing names without regard to case.
std::string fold_case(std::string text);

} // namespace fonts
