// Remembering the viewing parameters between runs, and first values from the screen.
#include "app/remembered_parameters.h"

#include "app/data_folder.h"
#include "runtime/small_file.h"
#include "runtime/whole_write.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::optional<std::filesystem::path> g_config_folder;
bool g_screen_values_wanted = false;

constexpr size_t MAX_FILE_BYTES = 4096;
constexpr double MM_PER_INCH = 25.4;
constexpr double SMALLEST_SCREEN_IN = 7.0;
constexpr double LARGEST_SCREEN_IN = 120.0;

template <typename T>
bool positive_number(const std::string& text, T& value) {
    T read{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(read))
            return false;
    }
    if (!(read > 0))
        return false;
    value = read;
    return true;
}

// The shortest text that reads back as the same float, in the C way whatever the locale.
std::string real_text(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

void app_set_config_folder(std::optional<std::filesystem::path> folder) {
    g_config_folder = std::move(folder);
}

std::optional<std::filesystem::path> app_config_folder() {
    return g_config_folder;
}

std::optional<std::filesystem::path> app_default_config_folder() {
    return app_base_directory_folder(app_environment("XDG_CONFIG_HOME"), app_environment("HOME"),
                                     ".config");
}

void app_set_screen_values_wanted(bool wanted) {
    g_screen_values_wanted = wanted;
}

bool app_screen_values_wanted() {
    return g_screen_values_wanted;
}

std::optional<ViewingParameters> app_load_remembered_parameters(const ViewingParameters& defaults) {
    if (!g_config_folder)
        return std::nullopt;
    const RtSmallFile file =
        rt_read_small_file(*g_config_folder / REMEMBERED_PARAMETERS_FILE, MAX_FILE_BYTES);
    if (!file.text)
        return std::nullopt;
    std::map<std::string, std::string> values;
    std::istringstream lines(*file.text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    ViewingParameters parameters = defaults;
    if (!positive_number(values["distance_cm"], parameters.distance_cm) ||
        !positive_number(values["diagonal_in"], parameters.diagonal_in) ||
        !positive_number(values["screen_nx"], parameters.screen_nx) ||
        !positive_number(values["screen_ny"], parameters.screen_ny))
        return std::nullopt;
    return parameters;
}

bool app_remember_parameters(const ViewingParameters& parameters) {
    if (!g_config_folder)
        return true;
    std::error_code error;
    std::filesystem::create_directories(*g_config_folder, error);
    if (error)
        return false;
    const std::string text = "# talvena: the viewing parameters accepted last\n"
                             "distance_cm=" +
                             real_text(parameters.distance_cm) + "\n" +
                             "diagonal_in=" + real_text(parameters.diagonal_in) + "\n" +
                             "screen_nx=" + std::to_string(parameters.screen_nx) + "\n" +
                             "screen_ny=" + std::to_string(parameters.screen_ny) + "\n";
    const std::filesystem::path path = *g_config_folder / REMEMBERED_PARAMETERS_FILE;
    const std::filesystem::path temporary = path.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool written = rt_write_whole(fd, text).error == 0 && rt_sync_descriptor(fd) == 0;
    written = ::close(fd) == 0 && written;
    written = written && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written)
        ::unlink(temporary.c_str());
    return written;
}

ViewingParameters app_parameters_from_screen(const ViewingParameters& defaults,
                                             const ScreenSize& screen) {
    ViewingParameters parameters = defaults;
    if (screen.width_px <= 0 || screen.height_px <= 0)
        return parameters;
    parameters.screen_nx = screen.width_px;
    parameters.screen_ny = screen.height_px;
    const double diagonal = std::hypot(screen.width_mm, screen.height_mm) / MM_PER_INCH;
    if (diagonal >= SMALLEST_SCREEN_IN && diagonal <= LARGEST_SCREEN_IN)
        parameters.diagonal_in = static_cast<float>(std::round(diagonal * 100.0) / 100.0);
    return parameters;
}
