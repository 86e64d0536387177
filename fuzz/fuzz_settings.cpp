// Fuzzes the settings file reader (talvena.ini): any file gives the setting or the fallback, and
// the same answer however the section and key names are written.
#include "framework/program/settings_file.h"
#include "fuzz/scratch_file.h"

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& path = fuzz_support::write_scratch_file(data, size);
    const int32_t value = framework::profile_int(path, "talvena", "EaselMaximized", -1);
    const int32_t same = framework::profile_int(path, "TALVENA", "easelmaximized", -1);
    check(value == same, "section and key names ignore case");
    (void)framework::profile_int(path, "", "", 0);
    return 0;
}
