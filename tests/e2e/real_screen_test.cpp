// The program on a real X server of a laptop's size, on the real clock: the parameter dialog
// offers the screen's own resolution and the diagonal its reported size gives, a resolution other
// than the screen's is questioned before the start, and the frame, status bar included, stays on
// the screen; and without a display the program says so instead of starting.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

bool xvfb_present() {
    return std::system("command -v xvfb-run >/dev/null 2>&1") == 0;
}

e2e::ProgramRun run_on_laptop_screen(std::string_view label, const std::string& script) {
    return e2e::run_command(
        label,
        {"sh", "-c",
         "printf '%s' \"$0\" > script.txt && exec xvfb-run -a -s '-screen 0 1366x768x24' "
         "env QT_QPA_PLATFORM=xcb \"$1\" --script script.txt --trace trace.txt "
         "--snapshot-dir . --data-dir . --config-dir config",
         script, e2e::program_path().string()},
        "trace.txt");
}

TEST(RealScreen, FirstValuesComeFromTheScreenAndTheFrameStaysOnIt) {
    if (!xvfb_present())
        GTEST_SKIP() << "xvfb-run is not installed";
    // Xvfb reports its size at 96 dpi in whole millimetres: 361 x 203 mm, a diagonal of 16.31
    // inches.
    const e2e::ProgramRun run =
        run_on_laptop_screen("laptop", "on dialog-shown id=101 after 0.5 dialog press 1\n"
                                       "on parameters after 1.5 snapshot started\n"
                                       "after 0.3 close\n");
    EXPECT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    EXPECT_LT(run.find("parameters distance=200.0 diagonal=16.31 nx=1366 ny=768 volume=100"),
              run.trace.size())
        << run.trace_text();
    EXPECT_EQ(run.find("message "), run.trace.size()) << "no warning for the screen's resolution";
    // Xvfb has no monitor to tell its size: the diagonal is the 96 dpi stand-in, and the dialog
    // says it is a guess.
    EXPECT_LT(run.find("diagonal-guessed"), run.find("parameters ")) << run.trace_text();
    std::string error;
    const std::optional<raster::Bitmap> frame =
        raster::read_png(run.snapshot("started-frame"), &error);
    ASSERT_TRUE(frame) << error;
    EXPECT_LE(frame->width(), 1366);
    EXPECT_LE(frame->height(), 768);
    EXPECT_TRUE(fs::exists(run.folder / "config" / "parameters.ini"));
}

TEST(RealScreen, AResolutionOtherThanTheScreensIsQuestioned) {
    if (!xvfb_present())
        GTEST_SKIP() << "xvfb-run is not installed";
    // Yes (Enter, the default) goes back to the dialog; No goes on with what was typed.
    const e2e::ProgramRun run = run_on_laptop_screen(
        "other_resolution", "on dialog-shown id=101 after 0.5 dialog set 1003 1024\n"
                            "dialog press 1\n"
                            "on message after 0.5 key Enter\n"
                            "on dialog-shown id=101 after 0.5 dialog press 1\n"
                            "on message after 0.5 key N\n"
                            "on parameters after 1 close\n");
    EXPECT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t first = run.find("message caption=talvena text=Разрешение_этого_экрана_—_1366_×_"
                                  "768_пикселов,_а_введено_1024_×_768.");
    ASSERT_LT(first, run.trace.size()) << run.trace_text();
    const size_t again = run.find("dialog-shown id=101", first);
    ASSERT_LT(again, run.trace.size()) << run.trace_text();
    const size_t second = run.find("message caption=talvena", again);
    ASSERT_LT(second, run.trace.size()) << run.trace_text();
    EXPECT_LT(run.find("parameters distance=200.0 diagonal=16.31 nx=1024 ny=768", second),
              run.trace.size())
        << run.trace_text();
}

// Without a display the program says so, with the way to run without one, and ends with status
// 1: when no display is named, and when the one named cannot be opened (the window system would
// otherwise abort inside its start).
TEST(RealScreen, WithoutADisplayTheProgramSaysSoAndEnds) {
    for (const char* display : {"", ":29999"}) {
        const e2e::ProgramRun run =
            e2e::run_command(*display ? "unopenable" : "none",
                             {"env", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                              std::string("DISPLAY=") + display, e2e::program_path().string()});
        EXPECT_EQ(run.exit_code, 1) << display << run.output;
        EXPECT_NE(run.output.find("talvena: no display"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("--headless"), std::string::npos) << run.output;
    }
}

} // namespace
