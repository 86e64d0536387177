// The installed fonts: their enumeration into the platform's font model, and creating fonts.
#pragma once

#include "platform/fonts/font.h"
#include "platform/fonts/logical_font.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fonts {

struct FontConfiguration;

// Where the fonts come from: the system's font configuration, or (for reproducible results)
// only the font files of the given directories.
struct FontSource {
    std::vector<std::string> directories; // empty: the system's fonts
    // Fontconfig's cache of the directories' scans; empty: the user's cache folder.
    std::string cache_directory;
};

// Thread-safe.
class FontLibrary {
public:
    // Nullptr when the font configuration cannot be loaded.
    static std::unique_ptr<FontLibrary> open(const FontSource& source);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // Every scalable face, family by family in the order of their names (without regard to
    // case), each family's faces by weight, then upright before italic. The alias faces are
    // families of their own when they resolve to an installed metric-compatible family. Each
    // face is described at its own size (cell height 16). Nothing when the listing fails.
    std::optional<std::vector<EnumeratedFont>> enumerate();

    // The font that best matches the description, by fontconfig's matching of its face name,
    // weight and slant; italic and bold are synthesised when the matched face lacks them.
    // Nullptr when no face can be opened.
    std::shared_ptr<const Font> create(const LogicalFont& font);

private:
    explicit FontLibrary(std::unique_ptr<FontConfiguration> configuration);
    std::unique_ptr<FontConfiguration> m_configuration;
};

} // namespace fonts
