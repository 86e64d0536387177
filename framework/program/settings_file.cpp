// The user's profile: integer settings in an INI file.
#include "framework/program/settings_file.h"

#include "runtime/small_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool same_name(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

namespace framework {

std::filesystem::path profile_path() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::filesystem::path(config) / "talvena" / "talvena.ini";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config" / "talvena" / "talvena.ini";
    return {};
}

int32_t profile_int(const std::filesystem::path& path, const std::string& section,
                    const std::string& key, int32_t fallback) {
    // A settings file is a few lines; anything larger, or not a regular file, holds no setting.
    constexpr size_t MAX_SETTINGS_BYTES = 64 * 1024;
    const RtSmallFile file = rt_read_small_file(path, MAX_SETTINGS_BYTES);
    std::istringstream lines(file.text.value_or(std::string()));
    std::string line;
    bool in_section = false;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            in_section = same_name(trimmed(line.substr(1, line.size() - 2)), section);
            continue;
        }
        const size_t equals = line.find('=');
        if (!in_section || equals == std::string::npos ||
            !same_name(trimmed(line.substr(0, equals)), key))
            continue;
        const std::string value = trimmed(line.substr(equals + 1));
        int32_t number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        return error == std::errc() && end == value.data() + value.size() ? number : fallback;
    }
    return fallback;
}

} // namespace framework
