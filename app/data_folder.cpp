// The data folder and the program's folder.
#include "app/data_folder.h"

#include <system_error>
#include <utility>

namespace {

std::filesystem::path data_folder = ".";

} // namespace

void app_set_data_folder(std::filesystem::path folder) {
    data_folder = folder.empty() ? std::filesystem::path(".") : std::move(folder);
}

std::filesystem::path app_data_folder() {
    return data_folder;
}

std::filesystem::path app_program_folder() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::filesystem::path() : program.parent_path();
}
