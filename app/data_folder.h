// Where the program keeps its files: the data folder and the folder of the executable.
#pragma once

#include <filesystem>

// The folder of talvena.rtr and talvena.sym: the working directory unless set. Set it at
// start-up, before the application thread runs.
void app_set_data_folder(std::filesystem::path folder);
std::filesystem::path app_data_folder();

// The folder holding the running executable (empty when it cannot be found out).
std::filesystem::path app_program_folder();
