// A program that runs only the parameter dialog, started and scripted as the talvena executable
// is: a drawing window on unit 1, the dialog, then a STOP. The end-to-end tests drive it.
#include "app/activities.h"
#include "app/drawing_window.h"
#include "app/framework_calls.h"
#include "framework/child_window.h"
#include "framework/frame.h"
#include "framework/gw_graphics.h"
#include "framework/harness/run_setup.h"
#include "framework/harness/script_runner.h"
#include "framework/scripted_user.h"
#include "framework/startup.h"
#include "framework/window_system.h"
#include "runtime/stop.h"

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const framework::harness::HarnessOptionsResult parsed =
        framework::harness::parse_harness_options(arguments);
    if (parsed.error) {
        std::fprintf(stderr, "%s\n", parsed.error->c_str());
        return 2;
    }
    framework::harness::HarnessSetup setup =
        framework::harness::apply_harness_options(parsed.options);
    if (setup.error) {
        std::fprintf(stderr, "%s\n", setup.error->c_str());
        return 2;
    }
    static std::unique_ptr<framework::harness::ScriptRunner> runner;
    GwApplication application;
    application.initial_settings = [] { return 1; };
    application.main = [] {
        gw_window_settings frame;
        frame.state = 4;
        frame.height = 768;
        frame.width = 1024;
        gw_set_window_state(GW_FRAME_WINDOW_NUMBER, frame);
        gw_open_unit_window(APP_DRAWING_UNIT, "talvena");
        gw_window_config config;
        config.surface_width = APP_DRAWING_WIDTH;
        config.surface_height = APP_DRAWING_HEIGHT;
        config.text_columns = -1;
        config.text_rows = -1;
        config.colors = -1;
        if (fw_set_window_config(APP_DRAWING_UNIT, config) == 0)
            fw_set_window_config(APP_DRAWING_UNIT, config);
        app_ask_parameters();
        fw_close_unit(APP_DRAWING_UNIT);
        rt_stop();
    };
    const std::filesystem::path snapshots = framework::harness::snapshot_folder(parsed.options);
    application.on_ready = [&setup, snapshots] {
        if (!setup.script)
            return;
        runner = std::make_unique<framework::harness::ScriptRunner>(
            std::move(*setup.script), framework::script_target(),
            [](std::function<void()> work) { framework::on_gui_and_wait(std::move(work)); },
            snapshots);
        runner->start();
    };
    GwStartupOptions options;
    options.headless = parsed.options.headless;
    return gw_startup(argc, argv, application, options);
}
