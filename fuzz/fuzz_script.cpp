// Fuzzes the script parser: any text gives either lines in file order with safe snapshot names,
// or the first error with its line and no lines.
#include "fuzz/scratch_file.h"
#include "scripted/script.h"

#include <string_view>

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const scripted::ScriptParseResult result = scripted::parse_script(text);
    if (result.error) {
        check(result.script.lines.empty(), "a script with an error has no lines");
        check(result.error->line_number >= 1, "an error in a text names its line");
        check(!result.error->message.empty(), "an error has a message");
        return 0;
    }
    int32_t previous = 0;
    for (const scripted::ScriptLine& line : result.script.lines) {
        check(line.line_number > previous, "lines come in file order");
        previous = line.line_number;
        if (line.action.kind == scripted::ActionKind::snapshot)
            check(!line.action.text.empty() && line.action.text.front() != '.' &&
                      line.action.text.find('/') == std::string::npos,
                  "a snapshot name stays inside its folder");
    }
    return 0;
}
