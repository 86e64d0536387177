// The talvena executable: reads the command line, prepares a scripted run when one is asked
// for, and hands the program to the window framework.
#include "app/data_folder.h"
#include "app/program_language.h"
#include "app/random.h"
#include "app/remembered_parameters.h"
#include "app/results_file.h"
#include "app/startup.h"
#include "dialogs/dialog_template.h"
#include "framework/program/process.h"
#include "framework/program/program_startup.h"
#include "framework/text/drawn_text_trace.h"
#include "runtime/small_file.h"
#include "runtime/trace.h"
#include "scripted/options.h"
#include "scripted/run_setup.h"
#include "scripted/script_runner.h"
#include "scripted/scripted_user.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using scripted::RunOptions;

// The project's version, which the package carries as well.
constexpr std::string_view VERSION = "talvena " TALVENA_VERSION;

// Lives as long as the process: the framework ends the process from inside gw_startup.
std::unique_ptr<scripted::ScriptRunner> g_script_runner;

void start_script(scripted::Script script, const RunOptions& options) {
    auto invoke_on_gui = [](std::function<void()> work) {
        framework::on_gui_and_wait(std::move(work));
    };
    g_script_runner =
        std::make_unique<scripted::ScriptRunner>(std::move(script), scripted::script_target(),
                                                 invoke_on_gui, scripted::snapshot_folder(options));
    // The observer's own draws: from --seed when given, so that a run repeats exactly.
    if (options.seed)
        g_script_runner->seed_observer(scripted::observer_seed(*options.seed));
    g_script_runner->start();
}

// No window can be shown: the user is told why and what runs without a display, and the program
// ends with status 1. Called from inside the window system's start as well, so it ends the
// process itself.
[[noreturn]] void no_display() {
    std::fputs("talvena: no display to show the program's window on (DISPLAY and WAYLAND_DISPLAY "
               "name none that can be opened).\nStart it on a desktop, or use --headless for a "
               "scripted run without a display; see 'talvena --help'.\n",
               stderr);
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const auto parsed = scripted::parse_run_options(arguments);
    if (parsed.error) {
        std::fprintf(stderr, "talvena: %s\nTry 'talvena --help'.\n", parsed.error->c_str());
        return 2;
    }
    const RunOptions& options = parsed.options;
    if (options.help) {
        std::fputs(scripted::run_options_usage("talvena").c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%.*s\n", static_cast<int>(VERSION.size()), VERSION.data());
        return 0;
    }

    scripted::RunSetup setup = scripted::apply_run_options(options);
    if (setup.error) {
        std::fprintf(stderr, "talvena: %s\n", setup.error->c_str());
        return 2;
    }
    if (!options.dialog_templates.empty()) {
        constexpr size_t MAX_TEMPLATE_BYTES = 1 << 20;
        const RtSmallFile file = rt_read_small_file(options.dialog_templates, MAX_TEMPLATE_BYTES);
        if (!file.text) {
            std::fprintf(stderr, "talvena: --dialog-templates: cannot read '%s': %s\n",
                         options.dialog_templates.c_str(), file.reason.c_str());
            return 2;
        }
        dialogs::replace_dialog_templates(*file.text);
    }
    // Without --data-dir the files are the user's: an existing history in the working folder
    // where it is, else the user's data folder.
    if (!options.data_dir.empty())
        app_set_data_folder(options.data_dir);
    else
        app_use_default_data_folder(RESULTS_FILE_NAME);
    rt_trace_event("results-file",
                   {{"path", app_results_file_shown().string()},
                    {"from", app_data_folder_source_name(app_data_folder_source())}});
    // A scripted run without a display or on the virtual clock repeats exactly: it starts from
    // the fixed parameters and remembers nothing, unless it is given a folder to remember in.
    const bool repeatable_run = options.headless || options.virtual_clock;
    app_choose_language(options.language, repeatable_run ? language::RunKind::repeatable
                                                         : language::RunKind::interactive);
    if (!options.config_dir.empty())
        app_set_config_folder(options.config_dir);
    else if (!repeatable_run)
        app_set_config_folder(app_default_config_folder());
    app_set_screen_values_wanted(!repeatable_run);
    if (options.seed)
        app_set_random_seed_advances(*options.seed);
    framework::trace_drawn_texts(options.trace_texts);

    GwApplication application;
    application.initial_settings = [] { return app_initial_settings() ? -1 : 0; };
    application.main = [] { app_main(); };
    if (setup.script) {
        application.on_ready = [script = std::move(*setup.script), options]() mutable {
            start_script(std::move(script), options);
        };
    }
    // argv is handed over as it came: the window system reads its own options from it.
    const int exit_code = gw_startup(argc, argv, application,
                                     {.headless = options.headless, .on_no_display = no_display});
    if (exit_code == 0)
        no_display();
    return exit_code;
}
