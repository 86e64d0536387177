// Choosing the run's language from the command line and the locale.
#include "platform/language/language_choice.h"

#include <array>

namespace language {
namespace {

// "ru_RU.UTF-8" -> "ru"; "C.UTF-8" -> "C".
std::string_view language_part(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

Language language_of_locale(std::string_view locale) {
    return language_part(locale) == "ru" ? Language::russian : Language::english;
}

// The first entry of a LANGUAGE list that names a language the program speaks.
Language language_of_list(std::string_view list) {
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view entry = language_part(list.substr(0, colon));
        if (entry == "ru")
            return Language::russian;
        if (entry == "en")
            return Language::english;
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return Language::english;
}

} // namespace

std::optional<Language> language_named(std::string_view name) {
    if (name == "ru")
        return Language::russian;
    if (name == "en")
        return Language::english;
    return std::nullopt;
}

std::string_view language_code(Language language) {
    return language == Language::russian ? "ru" : "en";
}

Language language_from_environment(const EnvironmentLookup& lookup) {
    constexpr std::array<const char*, 4> VARIABLES = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* variable : VARIABLES) {
        const char* value = lookup(variable);
        if (!value || *value == '\0')
            continue;
        return variable == VARIABLES[0] ? language_of_list(value) : language_of_locale(value);
    }
    return Language::english;
}

Language choose_language(std::optional<Language> option, RunKind run,
                         const EnvironmentLookup& lookup) {
    if (option)
        return *option;
    if (run == RunKind::repeatable)
        return Language::russian;
    return language_from_environment(lookup);
}

} // namespace language
