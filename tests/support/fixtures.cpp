// Where the tests find their reference data.
#include "tests/support/fixtures.h"

#include <cstdlib>

namespace test_support {

std::filesystem::path fixtures_dir() {
    if (const char* overridden = std::getenv("TALVENA_FIXTURES"); overridden && *overridden)
        return overridden;
    return TALVENA_SOURCE_FIXTURES;
}

} // namespace test_support
