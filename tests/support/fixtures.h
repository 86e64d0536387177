// Where the tests find their reference data.
#pragma once

#include <filesystem>

namespace test_support {

// The folder of shipped fixtures: $TALVENA_FIXTURES when it is set, else tests/fixtures of the
// source tree.
std::filesystem::path fixtures_dir();

} // namespace test_support
