// Fuzzes the command line: the input is the arguments after the program name, separated by NUL
// bytes. Any arguments give either options or a message.
#include "fuzz/scratch_file.h"
#include "scripted/options.h"

#include <string_view>
#include <vector>

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    while (!rest.empty()) {
        const size_t end = rest.find('\0');
        arguments.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    const scripted::RunOptionsResult result = scripted::parse_run_options(arguments);
    if (result.error) {
        check(!result.error->empty(), "an error has a message");
        return 0;
    }
    if (result.options.seed)
        check(*result.options.seed >= 0, "a seed is never negative");
    return 0;
}
