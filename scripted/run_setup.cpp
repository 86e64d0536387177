// Start-up of a scripted run: script, folders, clock and trace, each failure a message.
#include "scripted/run_setup.h"

#include "platform/ui/menu_help.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <system_error>

namespace scripted {
namespace {

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

std::optional<std::string> prepare_folders(const RunOptions& options) {
    std::error_code error;
    if (!options.data_dir.empty() && !std::filesystem::is_directory(options.data_dir, error))
        return "--data-dir expects an existing folder, not " + quoted(options.data_dir);
    if (!options.snapshot_dir.empty()) {
        std::filesystem::create_directories(options.snapshot_dir, error);
        if (!std::filesystem::is_directory(options.snapshot_dir, error))
            return "--snapshot-dir: cannot create the folder " + quoted(options.snapshot_dir);
    }
    return std::nullopt;
}

// A scripted run never starts the desktop's help viewer: the trace's `help` event, written for
// every opening, is all that is left of it. A file that does not exist is still reported.
void keep_help_in_the_trace(const RunOptions& options) {
    if (options.headless || options.virtual_clock || !options.script.empty())
        ui::set_help_file_opener([](const std::string&) { return true; });
}

} // namespace

RunSetup apply_run_options(const RunOptions& options) {
    RunSetup setup;
    if (!options.script.empty()) {
        ScriptParseResult parsed = load_script(options.script);
        if (parsed.error) {
            setup.error = describe_script_error(options.script, *parsed.error);
            return setup;
        }
        setup.script = std::move(parsed.script);
    }
    if (auto error = prepare_folders(options)) {
        setup.error = std::move(error);
        return setup;
    }
    if (options.virtual_clock)
        rt_use_virtual_clock(options.start_time.value_or(DEFAULT_START_TIME));
    if (!options.trace.empty() && !rt_trace_open(options.trace)) {
        setup.error = "--trace: cannot create the file " + quoted(options.trace);
        return setup;
    }
    keep_help_in_the_trace(options);
    return setup;
}

std::filesystem::path snapshot_folder(const RunOptions& options) {
    return options.snapshot_dir.empty() ? std::filesystem::path(".") : options.snapshot_dir;
}

} // namespace scripted
