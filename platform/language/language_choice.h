// Which language a run speaks: the command line's choice, else the user's locale as gettext reads
// it from the environment.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace language {

// Russian is the language the program is written in; every other one comes from a catalogue.
enum class Language : uint8_t { russian, english };

// "ru" or "en" as --language takes them; nothing for any other name.
std::optional<Language> language_named(std::string_view name);

// The two letters of the language, as the catalogues' file names carry them.
std::string_view language_code(Language language);

// Reads an environment variable: its value, or nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The language of the user's locale: the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is
// set and not empty decides. Its language part (before '_', '.' or '@') "ru" means Russian, and
// anything else English, "C" and "POSIX" included. LANGUAGE may list several languages
// separated by ':'; the first one the program speaks is taken, English when there is none.
Language language_from_environment(const EnvironmentLookup& lookup);

// The language of a run. The option wins; without it a run that must repeat exactly (headless or
// on the virtual clock) is Russian whatever the locale, and any other follows the locale.
enum class RunKind : uint8_t { interactive, repeatable };
Language choose_language(std::optional<Language> option, RunKind run,
                         const EnvironmentLookup& lookup);

} // namespace language
