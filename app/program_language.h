// The language the program speaks in this run, chosen at start-up.
#pragma once

#include "platform/language/language_choice.h"

#include <filesystem>
#include <optional>
#include <vector>

// The folders searched for the catalogues, in order: translations/ beside the program (the build
// tree) and in the installed share/talvena/.
std::vector<std::filesystem::path> app_catalogue_folders();

// Chooses the run's language from the option and the locale and loads its catalogue; a missing
// catalogue leaves the program Russian. Returns the language in effect. Before any thread starts.
language::Language app_choose_language(std::optional<language::Language> option,
                                       language::RunKind run);
