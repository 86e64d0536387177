// The run's language from --language and the locale's variables, as a table of cases.
#include "platform/language/language_choice.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

using language::Language;
using language::RunKind;

struct LocaleCase {
    const char* name;
    std::optional<Language> option;
    RunKind run;
    std::map<std::string, std::string> environment;
    Language expected;
};

constexpr RunKind INTERACTIVE = RunKind::interactive;
constexpr RunKind REPEATABLE = RunKind::repeatable;
constexpr Language RU = Language::russian;
constexpr Language EN = Language::english;

TEST(LanguageChoice, FollowsTheOptionThenTheLocalesVariablesInOrder) {
    const LocaleCase cases[] = {
        {"nothing set: the C locale", {}, INTERACTIVE, {}, EN},
        {"LANG Russian", {}, INTERACTIVE, {{"LANG", "ru_RU.UTF-8"}}, RU},
        {"LANG English", {}, INTERACTIVE, {{"LANG", "en_GB.UTF-8"}}, EN},
        {"LANG German is English", {}, INTERACTIVE, {{"LANG", "de_DE.UTF-8"}}, EN},
        {"LANG C", {}, INTERACTIVE, {{"LANG", "C"}}, EN},
        {"LANG POSIX", {}, INTERACTIVE, {{"LANG", "POSIX"}}, EN},
        {"LANG C.UTF-8", {}, INTERACTIVE, {{"LANG", "C.UTF-8"}}, EN},
        {"bare ru", {}, INTERACTIVE, {{"LANG", "ru"}}, RU},
        {"modifier", {}, INTERACTIVE, {{"LANG", "ru_UA@euro"}}, RU},
        {"LC_MESSAGES over LANG",
         {},
         INTERACTIVE,
         {{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "ru_RU.UTF-8"}},
         EN},
        {"LC_ALL over LC_MESSAGES",
         {},
         INTERACTIVE,
         {{"LC_ALL", "ru_RU.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}},
         RU},
        {"LANGUAGE over LC_ALL",
         {},
         INTERACTIVE,
         {{"LANGUAGE", "en"}, {"LC_ALL", "ru_RU.UTF-8"}},
         EN},
        {"an empty variable is passed over",
         {},
         INTERACTIVE,
         {{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "ru_RU.UTF-8"}},
         RU},
        {"LANGUAGE list: first known", {}, INTERACTIVE, {{"LANGUAGE", "de:ru:en"}}, RU},
        {"LANGUAGE list: English first", {}, INTERACTIVE, {{"LANGUAGE", "en_GB:ru"}}, EN},
        {"LANGUAGE list: none known",
         {},
         INTERACTIVE,
         {{"LANGUAGE", "de:fr"}, {"LANG", "ru_RU.UTF-8"}},
         EN},
        {"repeatable run is Russian", {}, REPEATABLE, {{"LANG", "en_US.UTF-8"}}, RU},
        {"repeatable run with the option", EN, REPEATABLE, {{"LANG", "ru_RU.UTF-8"}}, EN},
        {"option over the locale", RU, INTERACTIVE, {{"LANGUAGE", "en"}}, RU},
        {"option English", EN, INTERACTIVE, {{"LC_ALL", "ru_RU.UTF-8"}}, EN},
    };
    for (const LocaleCase& c : cases) {
        const auto lookup = [&](const char* variable) -> const char* {
            const auto found = c.environment.find(variable);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(language::choose_language(c.option, c.run, lookup), c.expected) << c.name;
    }
}

TEST(LanguageChoice, NamesOnlyTheLanguagesItSpeaks) {
    EXPECT_EQ(language::language_named("ru"), RU);
    EXPECT_EQ(language::language_named("en"), EN);
    for (const char* name : {"", "RU", "de", "en_US", "russian"})
        EXPECT_EQ(language::language_named(name), std::nullopt) << name;
}

} // namespace
