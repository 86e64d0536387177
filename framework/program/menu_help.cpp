// Help on menu commands: the topic table, the help file's lookup and help mode.
#include "framework/program/menu_help.h"

#include "framework/program/error_reports.h"
#include "framework/program/program_state.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/menu_help.h"
#include "runtime/trace.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// Built-in command and its help topic.
constexpr std::array<std::pair<int32_t, int32_t>, 16> HELP_TOPICS{{
    {1000, 1000},
    {1004, 1002},
    {1006, 1015},
    {1007, 1016},
    {1008, 1012},
    {1009, 1013},
    {1010, 1010},
    {1011, 1011},
    {1012, 1009},
    {1015, 1008},
    {1018, 1001},
    {1019, 1017},
    {1020, 1018},
    {1021, 1007},
    {1022, 1014},
    {1023, 1004},
}};

bool is_file(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

} // namespace

namespace framework {

std::optional<int32_t> help_topic(int32_t command) {
    for (const auto& [known, topic] : HELP_TOPICS)
        if (known == command)
            return topic;
    return std::nullopt;
}

// An empty directory in PATH would stand for the working directory, where the bare name that
// ends the search is looked for anyway.
std::string find_help_file(std::string_view named, std::string_view search_path) {
    if (!named.empty() && is_file(std::filesystem::path(named)))
        return std::string(named);
    while (!search_path.empty()) {
        const size_t colon = search_path.find(':');
        const std::string_view directory = search_path.substr(0, colon);
        search_path =
            colon == std::string_view::npos ? std::string_view() : search_path.substr(colon + 1);
        if (directory.empty())
            continue;
        const std::filesystem::path candidate = std::filesystem::path(directory) / HELP_FILE_NAME;
        if (is_file(candidate))
            return candidate.string();
    }
    return HELP_FILE_NAME;
}

const std::string& help_file() {
    static const std::string file = find_help_file(environment("NORVEL_HLP"), environment("PATH"));
    return file;
}

// A generic viewer takes no topic, so the trace records which one was asked for.
void show_menu_help(int32_t command) {
    const std::optional<int32_t> topic =
        ui::child_window_active() ? help_topic(command) : std::nullopt;
    if (!topic) {
        show_message_later(program_title(), framework_text(GW_TEXT_NO_MENU_HELP));
        return;
    }
    const std::string& file = help_file();
    rt_trace_event("help", {{"file", file}, {"topic", *topic}});
    if (!is_file(file) || !ui::open_help_file(file))
        show_message_later(program_title(), "Cannot open the help file " + file);
}

} // namespace framework
