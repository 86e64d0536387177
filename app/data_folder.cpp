// The data folder, its choice and its making, and the program's folders.
#include "app/data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace {

std::filesystem::path data_folder = ".";
DataFolderSource data_folder_source = DataFolderSource::given;

bool is_folder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

// Makes `folder` and the missing folders above it with mode 0700 (less the umask). Returns 0 or
// the errno of the first mkdir that failed; a folder made meanwhile by another process counts as
// made, and a file in a folder's place is ENOTDIR, a path through something that is not a folder.
int make_folders(const std::filesystem::path& folder) {
    if (folder.empty() || is_folder(folder))
        return 0;
    const std::filesystem::path parent = folder.parent_path();
    if (parent != folder)
        if (const int error = make_folders(parent); error != 0)
            return error;
    if (::mkdir(folder.c_str(), 0700) == 0)
        return 0;
    const int error = errno;
    if (error == EEXIST)
        return is_folder(folder) ? 0 : ENOTDIR;
    return error;
}

} // namespace

void app_set_data_folder(std::filesystem::path folder, DataFolderSource source) {
    data_folder = folder.empty() ? std::filesystem::path(".") : std::move(folder);
    data_folder_source = source;
}

std::filesystem::path app_data_folder() {
    return data_folder;
}

DataFolderSource app_data_folder_source() {
    return data_folder_source;
}

std::string_view app_data_folder_source_name(DataFolderSource source) {
    switch (source) {
    case DataFolderSource::working_folder:
        return "working-folder";
    case DataFolderSource::user_data:
        return "user-data";
    case DataFolderSource::given:
        break;
    }
    return "data-dir";
}

std::optional<std::filesystem::path> app_base_directory_folder(std::string_view base,
                                                               std::string_view home,
                                                               std::string_view home_default) {
    if (base.starts_with('/'))
        return std::filesystem::path(base) / "talvena";
    if (!home.empty())
        return std::filesystem::path(home) / home_default / "talvena";
    return std::nullopt;
}

std::optional<std::filesystem::path> app_user_data_folder(std::string_view xdg_data_home,
                                                          std::string_view home) {
    return app_base_directory_folder(xdg_data_home, home, ".local/share");
}

std::string_view app_environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// A dangling link or a folder by the results file's name still counts: it is what the user's
// history would be, and reading or writing it says what is wrong with it.
DataFolderChoice app_choose_data_folder(const std::filesystem::path& working,
                                        std::string_view results_file,
                                        const std::optional<std::filesystem::path>& user_folder) {
    std::error_code ignored;
    const bool history_here =
        std::filesystem::exists(std::filesystem::symlink_status(working / results_file, ignored));
    if (history_here || !user_folder)
        return {working, DataFolderSource::working_folder};
    return {*user_folder, DataFolderSource::user_data};
}

void app_use_default_data_folder(std::string_view results_file) {
    std::error_code failed;
    std::filesystem::path working = std::filesystem::current_path(failed);
    if (failed)
        working = ".";
    const DataFolderChoice choice = app_choose_data_folder(
        working, results_file,
        app_user_data_folder(app_environment("XDG_DATA_HOME"), app_environment("HOME")));
    app_set_data_folder(choice.folder, choice.source);
}

int app_create_data_folder() {
    if (data_folder_source != DataFolderSource::user_data)
        return 0;
    return make_folders(data_folder);
}

std::filesystem::path app_program_folder() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::filesystem::path() : program.parent_path();
}

// TALVENA_INSTALLED_DATA_RELATIVE is the build's: the data directory from the binary directory.
std::filesystem::path app_installed_data_folder(const std::filesystem::path& program_folder) {
    if (program_folder.empty())
        return {};
    return (program_folder / TALVENA_INSTALLED_DATA_RELATIVE).lexically_normal();
}
