// The command-line options: one table of option names, each with how its value is read.
#include "scripted/options.h"

#include <array>
#include <charconv>

namespace scripted {
namespace {

struct OptionError {
    std::string message;
};

enum class OptionName : uint8_t {
    headless,
    virtual_clock,
    seed,
    start_time,
    data_dir,
    config_dir,
    script,
    trace,
    trace_texts,
    snapshot_dir,
    dialog_templates,
    language,
    help,
    version
};

struct OptionInfo {
    std::string_view name;
    OptionName id;
    std::string_view value; // what the value is, empty for a flag
};

constexpr std::array<OptionInfo, 14> OPTIONS = {{
    {"--headless", OptionName::headless, ""},
    {"--virtual-clock", OptionName::virtual_clock, ""},
    {"--seed", OptionName::seed, "N"},
    {"--start-time", OptionName::start_time, "YYYY-MM-DDTHH:MM:SS"},
    {"--data-dir", OptionName::data_dir, "DIR"},
    {"--config-dir", OptionName::config_dir, "DIR"},
    {"--script", OptionName::script, "FILE"},
    {"--trace", OptionName::trace, "FILE"},
    {"--trace-texts", OptionName::trace_texts, ""},
    {"--snapshot-dir", OptionName::snapshot_dir, "DIR"},
    {"--dialog-templates", OptionName::dialog_templates, "FILE"},
    {"--language", OptionName::language, "ru|en"},
    {"--help", OptionName::help, ""},
    {"--version", OptionName::version, ""},
}};

const OptionInfo* find_option(std::string_view name) {
    for (const OptionInfo& info : OPTIONS)
        if (info.name == name)
            return &info;
    return nullptr;
}

std::optional<std::string> apply(RunOptions& options, const OptionInfo& info,
                                 std::string_view value) {
    const std::string name(info.name);
    switch (info.id) {
    case OptionName::headless:
        options.headless = true;
        break;
    case OptionName::virtual_clock:
        options.virtual_clock = true;
        break;
    case OptionName::trace_texts:
        options.trace_texts = true;
        break;
    case OptionName::help:
        options.help = true;
        break;
    case OptionName::version:
        options.version = true;
        break;
    case OptionName::seed: {
        int32_t seed = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
        if (value.empty() || value.front() == '-' || error != std::errc() ||
            end != value.data() + value.size())
            return name + " expects a whole number from 0 to 2147483647, not '" +
                   std::string(value) + "'";
        options.seed = seed;
        break;
    }
    case OptionName::start_time:
        options.start_time = rt_parse_date_time(value);
        if (!options.start_time)
            return name + " expects a date and time YYYY-MM-DDTHH:MM:SS that exists, not '" +
                   std::string(value) + "'";
        break;
    case OptionName::language:
        options.language = language::language_named(value);
        if (!options.language)
            return name + " expects ru or en, not '" + std::string(value) + "'";
        break;
    case OptionName::data_dir:
    case OptionName::config_dir:
    case OptionName::script:
    case OptionName::trace:
    case OptionName::snapshot_dir:
    case OptionName::dialog_templates: {
        if (value.empty())
            return name + " expects " + std::string(info.value) + ", not an empty name";
        std::filesystem::path& path = info.id == OptionName::data_dir     ? options.data_dir
                                      : info.id == OptionName::config_dir ? options.config_dir
                                      : info.id == OptionName::script     ? options.script
                                      : info.id == OptionName::trace      ? options.trace
                                      : info.id == OptionName::snapshot_dir
                                          ? options.snapshot_dir
                                          : options.dialog_templates;
        path = std::filesystem::path(std::string(value));
        break;
    }
    }
    return std::nullopt;
}

} // namespace

RunOptionsResult parse_run_options(std::span<const std::string_view> arguments) {
    RunOptionsResult result;
    std::array<bool, OPTIONS.size()> seen{};
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const OptionInfo* info = argument.starts_with("--") ? find_option(name) : nullptr;
        if (!info) {
            result.error = argument.starts_with("-")
                               ? "unknown option '" + std::string(name) + "' (see --help)"
                               : "unexpected argument '" + std::string(argument) + "' (see --help)";
            return result;
        }
        const auto index = static_cast<size_t>(info - OPTIONS.data());
        if (seen[index]) {
            result.error = std::string(info->name) + " is given more than once";
            return result;
        }
        seen[index] = true;
        std::string_view value;
        if (info->value.empty()) {
            if (equals != std::string_view::npos) {
                result.error = std::string(info->name) + " takes no value";
                return result;
            }
        } else if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            result.error =
                std::string(info->name) + " expects " + std::string(info->value) + " after it";
            return result;
        }
        if (auto error = apply(result.options, *info, value)) {
            result.error = std::move(error);
            return result;
        }
    }
    return result;
}

std::string run_options_usage(std::string_view program_name) {
    std::string text = "Usage: " + std::string(program_name) + " [options]\n\n";
    text += R"(Options for scripted, deterministic runs:
  --headless                  no display: draw off screen
  --virtual-clock             time starts at 0 and advances only while the program waits
                              (never past the script's next action) and plays tones;
                              drawing takes no time
  --seed N                    seed the random generator with exactly N advances
                              instead of the time of day
  --start-time YYYY-MM-DDTHH:MM:SS
                              the local date and time at virtual time 0
                              (virtual clock only; default 2000-01-01T00:00:00)
  --data-dir DIR              folder of talvena.rtr, talvena-trials.csv and talvena.sym
                              (default: . when it holds talvena.rtr, else
                              $XDG_DATA_HOME/talvena)
  --config-dir DIR            folder of the remembered parameters (default:
                              $XDG_CONFIG_HOME/talvena; none with --headless or
                              --virtual-clock)
  --script FILE               run the scripted user in FILE
  --trace FILE                write the trace of events to FILE
  --trace-texts               the trace also tells every text drawn, where it starts
                              and how wide it is (event text)
  --snapshot-dir DIR          folder for the snapshot action's PNG files (default: .)
  --dialog-templates FILE     read the dialog templates from FILE instead of the built-in
                              ones (an empty file: no templates)
  --language ru|en            the language of the program's texts (default: the locale's,
                              from LANGUAGE, LC_ALL, LC_MESSAGES or LANG; Russian with
                              --headless or --virtual-clock)
  --help                      show this text and end
  --version                   show the version and end
)";
    return text;
}

} // namespace scripted
