// The user's profile: integer settings in an INI file in the user's configuration folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace framework {

// $XDG_CONFIG_HOME/talvena/talvena.ini, or ~/.config/talvena/talvena.ini; empty when neither
// variable is set.
std::filesystem::path profile_path();

// The integer under [section] key= in the file, or `fallback` when the file, the section or
// the key is missing or the value is not a number. Section and key names ignore case.
int32_t profile_int(const std::filesystem::path& path, const std::string& section,
                    const std::string& key, int32_t fallback);

} // namespace framework
