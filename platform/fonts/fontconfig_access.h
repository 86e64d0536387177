// Private to the fonts library: the fontconfig configuration the fonts come from, and matching a
// face in it.
#pragma once

#include "platform/fonts/face_cache.h"

#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <optional>
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

// A loaded fontconfig configuration, which it owns, and the faces matched in it so far.
struct FontConfiguration {
    FcConfig* config = nullptr;
    std::mutex mutex; // guards config and matches
    std::map<std::string, std::optional<MatchedFace>> matches;

    explicit FontConfiguration(FcConfig* loaded) : config(loaded) {}
    ~FontConfiguration() {
        if (config)
            FcConfigDestroy(config);
    }
    FontConfiguration(const FontConfiguration&) = delete;
    FontConfiguration& operator=(const FontConfiguration&) = delete;

    // Fontconfig's best face for a family, weight (OpenType scale) and slant; nothing when no
    // face matches at all. Caller holds the mutex.
    std::optional<MatchedFace> match(const std::string& family, int32_t weight, bool italic);
};

} // namespace fonts
