// The parameter dialog end to end: the program started headless on the virtual clock and driven by
// a scripted user; its trace up to the accepted parameters, its exit code and a snapshot.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The program's trace without times: the tests compare what happened and in which order.
struct ScriptedRun {
    int exit_code = -1;
    std::string trace;
    fs::path folder;
};

ScriptedRun run_script(const std::string& name, const std::string& script) {
    const e2e::ProgramRun run = e2e::run_program(name, script, {.seed = 1});
    return {run.exit_code, run.trace_text(), run.folder};
}

// The lines of a trace from the first dialog-shown on, up to the accepted parameters when there
// are any (the start screen follows them).
std::string from_dialog(const std::string& trace) {
    const size_t first = trace.find("dialog-shown");
    if (first == std::string::npos)
        return trace;
    const size_t accepted = trace.find("parameters ", first);
    const size_t end =
        accepted == std::string::npos ? trace.size() : trace.find('\n', accepted) + 1;
    return trace.substr(first, end - first);
}

// Accepted parameters lead to the start screen; the run ends there by closing the frame.
constexpr const char* CLOSE_AFTER_PARAMETERS = "on parameters close\n";

} // namespace

TEST(ParameterDialog, AcceptedValuesAsTyped) {
    const struct {
        const char* name;
        const char* typing;
        const char* parameters;
    } CASES[] = {
        {"defaults", "", "parameters distance=200.0 diagonal=17.7 nx=1024 ny=768 volume=100"},
        {"whole-distance", "dialog set 1000 50\n",
         "parameters distance=50.0 diagonal=17.7 nx=1024 ny=768 volume=100"},
        {"diagonal", "dialog set 1001 17.3\n",
         "parameters distance=200.0 diagonal=17.3 nx=1024 ny=768 volume=100"},
        // Only the first 10 characters are read: "150.000000" of "150.0000000099".
        {"long", "dialog set 1000 150.0000000099\n",
         "parameters distance=150.0 diagonal=17.7 nx=1024 ny=768 volume=100"},
        // Digits-only boxes drop whatever else is typed.
        {"digits-only", "dialog set 1003 12x80\ndialog set 1002 1024\n",
         "parameters distance=200.0 diagonal=17.7 nx=1280 ny=1024 volume=100"},
    };
    for (const auto& c : CASES) {
        const ScriptedRun run = run_script(
            c.name, std::string("on dialog-shown id=101 ") +
                        (c.typing[0] ? "" : "dialog press 1\n") + c.typing +
                        (c.typing[0] ? "dialog press 1\n" : "") + CLOSE_AFTER_PARAMETERS);
        EXPECT_EQ(run.exit_code, 0) << c.name;
        EXPECT_EQ(from_dialog(run.trace), std::string("dialog-shown id=101\n"
                                                      "dialog-closed id=101 button=1\n") +
                                              c.parameters + "\n")
            << c.name;
    }
}

TEST(ParameterDialog, EnterStartsAndEscapeOrLeaveButtonEnds) {
    const ScriptedRun enter =
        run_script("enter", std::string("on dialog-shown key Enter\n") + CLOSE_AFTER_PARAMETERS);
    EXPECT_NE(enter.trace.find("dialog-closed id=101 button=1\nparameters "), std::string::npos)
        << enter.trace;

    for (const char* leave : {"key Escape", "dialog press 2"}) {
        const ScriptedRun run = run_script("leave", std::string("on dialog-shown ") + leave + "\n");
        EXPECT_EQ(run.exit_code, 0) << leave;
        // The drawing window closes and a silent tone of no length comes before the end.
        EXPECT_EQ(from_dialog(run.trace), "dialog-shown id=101\ndialog-closed id=101 button=2\n"
                                          "tone hz=0 ms=0\nexit code=0\n")
            << leave << ": no parameters, no question";
    }
}

TEST(ParameterDialog, UnusableValuesAreRefusedUntilMended) {
    const ScriptedRun run =
        run_script("refused", "on dialog-shown dialog set 1000 abc\n"
                              "dialog set 1001\n"
                              "dialog set 1003 0\n"
                              "dialog press 1\n"
                              "on dialog-refused field=1000 dialog set 1000 60\n"
                              "dialog press 1\n"
                              "on dialog-refused field=1001 dialog set 1001 15.6\n"
                              "key Enter\n"
                              "on dialog-refused field=1003 after 0.1 snapshot refused\n"
                              "dialog set 1003 1366\n"
                              "dialog press 1\n" +
                                  std::string(CLOSE_AFTER_PARAMETERS));
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(from_dialog(run.trace),
              "dialog-shown id=101\ndialog-closed id=101 button=1\ndialog-refused field=1000\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\ndialog-refused field=1001\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\ndialog-refused field=1003\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\n"
              "parameters distance=60.0 diagonal=15.6 nx=1366 ny=768 volume=100\n");
    EXPECT_TRUE(fs::exists(run.folder / "refused-frame.png"));
}

namespace {

// Pixels of the dialog's message line, in its alert colour (anti-aliased text included).
int32_t alert_pixels(const fs::path& snapshot) {
    std::string error;
    const std::optional<raster::Bitmap> frame = raster::read_png(snapshot, &error);
    EXPECT_TRUE(frame.has_value()) << error;
    if (!frame)
        return -1;
    int32_t count = 0;
    for (int32_t y = 0; y < frame->height(); ++y)
        for (int32_t x = 0; x < frame->width(); ++x) {
            const raster::Pixel pixel = frame->row(y)[x];
            const uint32_t red = pixel >> 16 & 0xFF;
            const uint32_t green = pixel >> 8 & 0xFF;
            const uint32_t blue = pixel & 0xFF;
            count += red >= 0x90 && green < 0x60 && blue < 0x60;
        }
    return count;
}

} // namespace

// After a refusal the refused field has the focus with its text selected: what the user types
// next replaces it. The refusal's message stays while it is true and goes once the values are
// read again, here when the dialog comes back from the size check.
TEST(ParameterDialog, ARefusalPointsAtItsFieldUntilTheValuesAreReadAgain) {
    const ScriptedRun run = run_script("focus", "on dialog-shown id=101 dialog set 1003 99999\n"
                                                "dialog press 1\n"
                                                "on dialog-refused field=1003 after 0.1 "
                                                "snapshot refused\n"
                                                "key 1\nkey 3\nkey 6\nkey 6\n"
                                                "dialog press 3\n"
                                                "on card key Escape\n"
                                                "on dialog-shown id=101 after 0.1 snapshot back\n"
                                                "dialog press 1\n" +
                                                    std::string(CLOSE_AFTER_PARAMETERS));
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(from_dialog(run.trace),
              "dialog-shown id=101\ndialog-closed id=101 button=1\ndialog-refused field=1003\n"
              "dialog-shown id=101\ndialog-closed id=101 button=3\n"
              "card diagonal=17.70 width=298 height=188\n"
              "card-end accepted=0 diagonal=17.70\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\n"
              "parameters distance=200.0 diagonal=17.7 nx=1366 ny=768 volume=100\n");
    EXPECT_GT(alert_pixels(run.folder / "refused-frame.png"), 50);
    EXPECT_EQ(alert_pixels(run.folder / "back-frame.png"), 0);
}

// The size check from the dialog's third button: the card's outline at the values' pitch, steps
// of 0.1 inch that make it larger (+, Up, Right) or smaller (-, Down, Left); Enter writes the
// diagonal reached into the dialog, Escape leaves the dialog's as it was; unusable values are
// refused before the check as before a start.
TEST(ParameterDialog, SizeCheckChangesTheDiagonalOrLeavesIt) {
    const ScriptedRun accepted = run_script("card", "on dialog-shown id=101 dialog set 1003 1366\n"
                                                    "dialog set 1001 15,6\n"
                                                    "dialog press 3\n"
                                                    "on card after 0.1 key +\n"
                                                    "after 0.1 key Up\n"
                                                    "after 0.1 key -\n"
                                                    "after 0.1 key Right\n"
                                                    "after 0.1 snapshot card\n"
                                                    "key Enter\n"
                                                    "on dialog-shown id=101 dialog press 1\n" +
                                                        std::string(CLOSE_AFTER_PARAMETERS));
    EXPECT_EQ(accepted.exit_code, 0);
    EXPECT_EQ(from_dialog(accepted.trace),
              "dialog-shown id=101\ndialog-closed id=101 button=3\n"
              "card diagonal=15.60 width=339 height=213\n"
              "card diagonal=15.50 width=341 height=215\n"
              "card diagonal=15.40 width=343 height=216\n"
              "card diagonal=15.50 width=341 height=215\n"
              "card diagonal=15.40 width=343 height=216\n"
              "card-end accepted=1 diagonal=15.40\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\n"
              "parameters distance=200.0 diagonal=15.4 nx=1366 ny=768 volume=100\n");

    // The outline as drawn: two pixels of black whose outer edge is the card's size.
    std::string error;
    const std::optional<raster::Bitmap> card =
        raster::read_png(accepted.folder / "card.png", &error);
    ASSERT_TRUE(card.has_value()) << error;
    constexpr raster::Pixel BLACK = 0xFF000000;
    const auto black_run = [&](int32_t y) {
        int32_t left = card->width();
        int32_t right = -1;
        for (int32_t x = 0; x < card->width(); ++x)
            if (card->row(y)[x] == BLACK) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        return right - left + 1;
    };
    int32_t top = -1;
    int32_t bottom = -1;
    const int32_t middle_x = 40 + 343 / 2;
    for (int32_t y = 130; y < card->height(); ++y)
        if (card->row(y)[middle_x] == BLACK) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    EXPECT_EQ(bottom - top + 1, 216);
    EXPECT_EQ(black_run(top + 216 / 2), 343);

    const ScriptedRun left = run_script("card-left", "on dialog-shown id=101 dialog press 3\n"
                                                     "on card key -\n"
                                                     "key Escape\n"
                                                     "on dialog-shown id=101 dialog press 1\n" +
                                                         std::string(CLOSE_AFTER_PARAMETERS));
    EXPECT_EQ(from_dialog(left.trace),
              "dialog-shown id=101\ndialog-closed id=101 button=3\n"
              "card diagonal=17.70 width=244 height=154\n"
              "card diagonal=17.80 width=242 height=153\n"
              "card-end accepted=0 diagonal=17.80\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\n"
              "parameters distance=200.0 diagonal=17.7 nx=1024 ny=768 volume=100\n");

    const ScriptedRun refused =
        run_script("card-refused", "on dialog-shown id=101 dialog set 1001\n"
                                   "dialog press 3\n"
                                   "on dialog-shown id=101 dialog press 2\n");
    EXPECT_EQ(from_dialog(refused.trace),
              "dialog-shown id=101\ndialog-closed id=101 button=3\ndialog-refused field=1001\n"
              "dialog-shown id=101\ndialog-closed id=101 button=2\ntone hz=0 ms=0\nexit code=0\n");
}

TEST(ParameterDialog, ReadOnlyVolumeCannotBeTyped) {
    const ScriptedRun run =
        run_script("volume", std::string("on dialog-shown dialog set 1004 5\ndialog press 1\n") +
                                 CLOSE_AFTER_PARAMETERS);
    EXPECT_NE(run.trace.find("script-error line=1 reason=edit_box_1004_cannot_be_changed"),
              std::string::npos)
        << run.trace;
    EXPECT_NE(run.trace.find("volume=100"), std::string::npos);
}

TEST(ParameterDialog, SnapshotShowsTheDialogOverTheFrame) {
    const ScriptedRun run =
        run_script("snapshot", "on dialog-shown snapshot dialog\ndialog press 2\n");
    EXPECT_EQ(run.exit_code, 0);
    std::string error;
    const std::optional<raster::Bitmap> frame =
        raster::read_png(run.folder / "dialog-frame.png", &error);
    ASSERT_TRUE(frame.has_value()) << error;
    // The dialog's caption bar, drawn across its client area's width, tells where it stands: 50
    // units from the frame's left, 334 units wide, at some 6 to 8 pixels to 4 units.
    constexpr raster::Pixel CAPTION = 0xFF000080;
    int32_t left = frame->width();
    int32_t right = -1;
    for (int32_t y = 0; y < frame->height(); ++y)
        for (int32_t x = 0; x < frame->width(); ++x)
            if (frame->row(y)[x] == CAPTION) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int32_t width = right - left + 1;
    EXPECT_GE(width, 334 * 5 / 4);
    EXPECT_LE(width, 334 * 9 / 4);
    EXPECT_NEAR(left * 334.0 / width, 50.0, 3.0) << "left " << left << " width " << width;
}

namespace {

// The parameters accepted in one run are the first values of the next, in the folder given with
// --config-dir; a scripted headless run without it remembers nothing and starts from the fixed
// values (its XDG_CONFIG_HOME, the run's folder, stays without a talvena folder).
TEST(ParameterDialog, AcceptedParametersComeBackAtTheNextStart) {
    const fs::path config = fs::path(testing::TempDir()) / "talvena-config-remembered";
    fs::remove_all(config);
    const std::vector<std::string> with_config = {"--config-dir", config.string()};
    const e2e::ProgramRun first =
        e2e::run_program("remember",
                         "on dialog-shown id=101 dialog set 1001 21,5\ndialog set 1000 80\n"
                         "dialog press 1\n" +
                             std::string(CLOSE_AFTER_PARAMETERS),
                         {.arguments = with_config});
    EXPECT_EQ(first.exit_code, 0) << first.output;
    EXPECT_LT(first.find("parameters distance=80.0 diagonal=21.5 nx=1024 ny=768"),
              first.trace.size())
        << first.trace_text();
    EXPECT_TRUE(fs::exists(config / "parameters.ini"));

    const e2e::ProgramRun second = e2e::run_program(
        "recall", e2e::ACCEPT_DEFAULTS + CLOSE_AFTER_PARAMETERS, {.arguments = with_config});
    EXPECT_LT(second.find("parameters distance=80.0 diagonal=21.5 nx=1024 ny=768 volume=100"),
              second.trace.size())
        << second.trace_text();

    const e2e::ProgramRun plain =
        e2e::run_program("plain", e2e::ACCEPT_DEFAULTS + CLOSE_AFTER_PARAMETERS);
    EXPECT_LT(plain.find("parameters distance=200.0 diagonal=17.7 nx=1024 ny=768"),
              plain.trace.size())
        << plain.trace_text();
    EXPECT_FALSE(fs::exists(plain.folder / "talvena"));
    fs::remove_all(config);
}

} // namespace

// A remembered value that the dialog would refuse is not offered, and the dialog says so: here
// the distance an earlier version accepted from "99999999999999999999".
TEST(ParameterDialog, RememberedValuesOutOfRangeAreNotOffered) {
    const fs::path config = fs::path(testing::TempDir()) / "talvena-config-out-of-range";
    fs::remove_all(config);
    fs::create_directories(config);
    {
        std::ofstream file(config / "parameters.ini");
        file << "distance_cm=1e+10\ndiagonal_in=21.5\nscreen_nx=1024\nscreen_ny=768\n";
    }
    const e2e::ProgramRun run =
        e2e::run_program("out-of-range",
                         "on dialog-shown id=101 after 0.1 snapshot offered\ndialog press 1\n" +
                             std::string(CLOSE_AFTER_PARAMETERS),
                         {.arguments = {"--config-dir", config.string()}});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_LT(run.find("parameters-not-offered values=дальность_1e+10_см"), run.trace.size())
        << run.trace_text();
    EXPECT_LT(run.find("parameters distance=200.0 diagonal=21.5 nx=1024 ny=768"), run.trace.size())
        << run.trace_text();
    EXPECT_GT(alert_pixels(run.snapshot("offered-frame")), 50);
    fs::remove_all(config);
}
