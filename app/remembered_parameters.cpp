// Remembering the viewing parameters between runs, and first values from the screen.
#include "app/remembered_parameters.h"

#include "app/data_folder.h"
#include "platform/language/catalogue.h"
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
// The density the window system assumes for a screen that reports no physical size.
constexpr double STAND_IN_DPI = 96.0;

double diagonal_inches(const ScreenSize& screen) {
    return std::hypot(screen.width_mm, screen.height_mm) / MM_PER_INCH;
}

bool diagonal_in_range(double inches) {
    return app_diagonal_in_range(static_cast<float>(std::round(inches * 100.0) / 100.0));
}

template <typename T>
bool number(const std::string& text, T& value) {
    T read{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc() || end != text.data() + text.size())
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

std::optional<RememberedParameters>
app_load_remembered_parameters(const ViewingParameters& defaults) {
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
    RememberedParameters remembered{defaults, {}, false};
    ViewingParameters& parameters = remembered.parameters;
    float distance = 0.0f;
    float diagonal = 0.0f;
    int32_t nx = 0;
    int32_t ny = 0;
    if (!number(values["distance_cm"], distance) || !number(values["diagonal_in"], diagonal) ||
        !number(values["screen_nx"], nx) || !number(values["screen_ny"], ny))
        return std::nullopt;
    const auto take = [&](auto value, auto& into, bool in_range, const std::string& named) {
        if (in_range)
            into = value;
        else
            remembered.not_offered.push_back(named);
        return in_range;
    };
    take(distance, parameters.distance_cm, app_distance_in_range(distance),
         language::fill_in(language::translate("parameter dialog", "дальность %1 см"),
                           {values["distance_cm"]}));
    remembered.diagonal_taken =
        take(diagonal, parameters.diagonal_in, app_diagonal_in_range(diagonal),
             language::fill_in(language::translate("parameter dialog", "диагональ %1 дюйм."),
                               {values["diagonal_in"]}));
    take(ny, parameters.screen_ny, app_resolution_in_range(ny), "Ny=" + values["screen_ny"]);
    take(nx, parameters.screen_nx, app_resolution_in_range(nx), "Nx=" + values["screen_nx"]);
    return remembered;
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
    if (!app_resolution_in_range(screen.width_px) || !app_resolution_in_range(screen.height_px))
        return parameters;
    parameters.screen_nx = screen.width_px;
    parameters.screen_ny = screen.height_px;
    const double diagonal = diagonal_inches(screen);
    if (diagonal_in_range(diagonal))
        parameters.diagonal_in = static_cast<float>(std::round(diagonal * 100.0) / 100.0);
    return parameters;
}

bool app_screen_size_reported(const ScreenSize& screen) {
    if (screen.width_px <= 0 || screen.height_px <= 0 ||
        !diagonal_in_range(diagonal_inches(screen)))
        return false;
    // The stand-in is the pixels' size at 96 dpi rounded to whole millimetres.
    const auto stand_in = [](int32_t pixels, double mm) {
        return std::abs(mm - pixels * MM_PER_INCH / STAND_IN_DPI) <= 0.5;
    };
    return !(stand_in(screen.width_px, screen.width_mm) &&
             stand_in(screen.height_px, screen.height_mm));
}
