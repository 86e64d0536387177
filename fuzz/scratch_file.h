// What the fuzz targets share: a scratch file for the readers that take a path, and checks that
// end the run when a reader breaks its own contract or ends the program.
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

// Makes every way the program can end (STOP, STOP with a text, a fatal error of the run-time,
// which is also how a terminal error of the calendar stops it) break the contract instead of
// quietly ending the process, so that the fuzzer keeps the input. For LLVMFuzzerInitialize.
void fail_when_the_program_ends();

} // namespace fuzz_support
