// Choosing the run's language and finding its catalogue.
#include "app/program_language.h"

#include "app/data_folder.h"
#include "platform/language/catalogue.h"

#include <cstdlib>

std::vector<std::filesystem::path> app_catalogue_folders() {
    const std::filesystem::path program_folder = app_program_folder();
    return {program_folder / "translations",
            app_installed_data_folder(program_folder) / "translations"};
}

language::Language app_choose_language(std::optional<language::Language> option,
                                       language::RunKind run) {
    const language::Language wanted =
        language::choose_language(option, run, [](const char* name) { return std::getenv(name); });
    return language::use_language(wanted, app_catalogue_folders());
}
