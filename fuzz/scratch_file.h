// What the fuzz targets share: a scratch file for the readers that take a path, and checks that
// end the run when a reader breaks its own contract.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fuzz_support {

// Writes the input whole into this process's scratch file in the temporary folder (made on first
// use, removed at exit) and returns the file's path. Every call replaces what the file held.
const std::filesystem::path& write_scratch_file(const uint8_t* data, size_t size);

// Ends the run with "contract broken: <what>" when `holds` is false, so that the fuzzer keeps the
// input as a crash.
void check(bool holds, std::string_view what);

} // namespace fuzz_support
