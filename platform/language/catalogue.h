// The message catalogue of the run's language: every text the user sees is written in Russian in
// the code and the resources, and looked up here by its context and Russian text before it is
// shown. Without a catalogue the Russian text is shown as it stands.
#pragma once

#include "platform/language/language_choice.h"

#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace language {

// The catalogue's file name for a language: "talvena_en.qm".
std::string catalogue_file_name(Language language);

// Makes `wanted` the run's language, loading its catalogue from the first of `folders` that holds
// it. Returns the language in effect: Russian when `wanted` is Russian or no folder holds a
// readable catalogue. Call it once at start-up, before any other thread runs.
Language use_language(Language wanted, std::span<const std::filesystem::path> folders);

// Loads the catalogue at `path` as the run's language (tests). Returns false, leaving the
// language as it was, when it cannot be read.
bool use_catalogue(Language language, const std::filesystem::path& path);

// Goes back to Russian without a catalogue (tests).
void use_russian();

// The run's language in effect.
Language current_language();

// The text in the run's language, UTF-8: the catalogue's translation of `source` in `context`,
// or `source` itself when there is none. Both are UTF-8 and end with a null. Thread-safe once
// the language is set.
std::string translate(const char* context, const char* source);
std::string translate(const char* context, std::string_view source);

// Marks a text of a table for the catalogue where it stands; it is translated where it is shown.
#define TRANSLATABLE(context, text) text

// The text with "%1" to "%9" replaced by the arguments in turn; a number with no argument stays.
// Translations move the places where values go, so texts with values are written this way.
std::string fill_in(std::string_view text, std::initializer_list<std::string_view> arguments);

// Installs the window system's own translations (the buttons of boxes, the standard context
// menus) for the run's language. Call it on the GUI thread once the application object exists.
void install_toolkit_translations();

} // namespace language
