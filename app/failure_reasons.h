// What went wrong with a file, in the user's words and the run's language.
#pragma once

#include <string>

// The system's error `error` (an errno value) in the run's language for the common failures of
// files: a full disk, an exhausted quota, no permission, a read-only file system, a folder where a
// file should be, a path through something that is not a folder, a missing folder, an input/output
// error, a file too large. Any other error keeps the system's own text.
std::string app_error_text(int error);

// The action of a file whose folder could not be made (the user's data folder at the first write).
inline constexpr const char* APP_CANNOT_MAKE_FOLDER = "cannot make its folder";

// What failed, in the run's language, for the actions the files name: "cannot open", "cannot
// write", "cannot flush", "cannot close", "cannot read", APP_CANNOT_MAKE_FOLDER; any other is kept
// as it is.
std::string app_action_text(const std::string& action);
