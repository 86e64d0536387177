// Where the program keeps its files: the data folder and how it was chosen, the folder of the
// executable and the folder of the installed program's shared files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

// How the data folder came about.
enum class DataFolderSource : uint8_t {
    given,          // named by --data-dir (or set by a caller)
    working_folder, // the working folder, which already held the results file at start-up
    user_data,      // the user's data folder, $XDG_DATA_HOME/talvena
};

// The folder of talvena.rtr and talvena-trials.csv, and the first place talvena.sym is looked
// for: the working directory unless set. Set it at start-up, before the application thread runs.
void app_set_data_folder(std::filesystem::path folder,
                         DataFolderSource source = DataFolderSource::given);
std::filesystem::path app_data_folder();
DataFolderSource app_data_folder_source();

// The source as the trace names it: "data-dir", "working-folder" or "user-data".
std::string_view app_data_folder_source_name(DataFolderSource source);

// The program's folder under a base directory of the user's, from the values of the base's
// variable and of HOME (empty when unset): <base>/talvena when the base is an absolute path (the
// base directory rules ignore a relative one), else $HOME/<home_default>/talvena; nothing when
// HOME is empty as well.
std::optional<std::filesystem::path> app_base_directory_folder(std::string_view base,
                                                               std::string_view home,
                                                               std::string_view home_default);

// The user's data folder of the program, from the values of XDG_DATA_HOME and HOME:
// $XDG_DATA_HOME/talvena, else $HOME/.local/share/talvena.
std::optional<std::filesystem::path> app_user_data_folder(std::string_view xdg_data_home,
                                                          std::string_view home);

// The value of an environment variable; empty when unset.
std::string_view app_environment(const char* name);

struct DataFolderChoice {
    std::filesystem::path folder;
    DataFolderSource source = DataFolderSource::given;
};

// The data folder of a run that names none. The working folder `working` when it already holds
// an entry named `results_file`, whatever it is, so that an existing history is used where it is
// (and trouble with it is reported, not hidden by a fresh file elsewhere); else `user_folder`;
// the working folder when there is no user folder.
DataFolderChoice app_choose_data_folder(const std::filesystem::path& working,
                                        std::string_view results_file,
                                        const std::optional<std::filesystem::path>& user_folder);

// Chooses as above from the working directory and the environment, and sets the data folder.
void app_use_default_data_folder(std::string_view results_file);

// Before a file is written into the data folder: when it is the user's data folder and does not
// exist yet, makes it and every missing folder above it, each with mode 0700 as the base
// directory rules ask, so that the folder appears with the first file written. A folder given or
// the working folder is never made. Returns 0, or the errno of the folder that could not be made.
int app_create_data_folder();

// The folder holding the running executable (empty when it cannot be found out).
std::filesystem::path app_program_folder();

// Where an installed program's shared files are, given the executable's folder: the data
// directory of the installed layout seen from its binary directory (bin/../share/talvena), so
// that an installed tree works under any prefix. Empty when the program's folder is.
std::filesystem::path app_installed_data_folder(const std::filesystem::path& program_folder);
