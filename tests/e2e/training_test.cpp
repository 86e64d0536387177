// The training on the real program, driven by a scripted user on the virtual clock: whole runs
// whose trace, summary screen and results record agree with the answer times, the bars above the
// image, and the ways out before the end (both buttons, a menu command) that leave no record.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using e2e::joined_lines;
using e2e::ProgramRun;
using raster::Bitmap;
using raster::Pixel;
using Steps = std::vector<std::string>;

// The training volume the parameter dialog always gives (its box cannot be changed).
constexpr int32_t IMAGES = 100;
constexpr int32_t SURFACE_WIDTH = 980;

// Snapshot pixels, 0xFFRRGGBB.
constexpr Pixel WHITE = 0xFFFFFFFF;
constexpr Pixel CYAN = 0xFF00FFFF;
constexpr Pixel BLUE = 0xFF0000FF;
constexpr Pixel GREEN = 0xFF00FF00;
constexpr Pixel RED = 0xFFFF0000;
constexpr Pixel DARK_GREEN = 0xFF007700;
constexpr Pixel OLIVE = 0xFF999900;
constexpr Pixel TEXT_GREEN = 0xFF00AA00;

// A click in the first pause starts a training at K = 2.
const std::string START_TRAINING = e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 click left\n";

enum class Reply { correct, wrong, none };

// What the scripted user does with one image: the button and after how many seconds from the
// finished figure (at least the 0.2 s of the image's tone), and a snapshot 0.3 s in, if named.
struct PlannedImage {
    Reply reply = Reply::none;
    double after = 0.0;
    std::string snapshot;
};

// The script lines for the images, in order.
std::string images_script(const std::vector<PlannedImage>& plan) {
    std::string script;
    char line[96];
    for (size_t n = 0; n < plan.size(); ++n) {
        const PlannedImage& image = plan[n];
        const std::string on_image = "on image i=" + std::to_string(n + 1);
        double delay = image.after;
        if (!image.snapshot.empty()) {
            script += on_image + " after 0.3 snapshot " + image.snapshot + "\n";
            delay -= 0.3;
        }
        if (image.reply == Reply::none)
            continue;
        const char* button = image.reply == Reply::correct ? "correct" : "wrong";
        std::snprintf(line, sizeof line, "%s after %.3f answer %s\n",
                      image.snapshot.empty() ? on_image.c_str() : "", delay, button);
        script += line[0] == ' ' ? line + 1 : line;
    }
    return script;
}

// The summary's numbers worked out from the plan: the mean over the answered images, push-ups
// for errors and, above a 1 s mean, for the excess time of the correct answers.
struct Expected {
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t unanswered = 0;
    double mean = 0.0;
    int32_t pushups = 0;
};

Expected expected_summary(const std::vector<PlannedImage>& plan) {
    Expected e;
    double total = 0.0;
    for (const PlannedImage& image : plan) {
        e.correct += image.reply == Reply::correct;
        e.wrong += image.reply == Reply::wrong;
        e.unanswered += image.reply == Reply::none;
        if (image.reply != Reply::none)
            total += image.after;
    }
    if (e.correct + e.wrong > 0)
        e.mean = total / (e.correct + e.wrong);
    e.pushups = 2 * e.wrong + e.unanswered;
    if (e.mean > 1.0)
        e.pushups = static_cast<int32_t>(e.correct * (e.mean - 1.0) / 4.0 + e.pushups);
    return e;
}

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

Bitmap snapshot_of(const ProgramRun& run, std::string_view name) {
    std::string error;
    std::optional<Bitmap> bitmap = raster::read_png(run.snapshot(name), &error);
    EXPECT_TRUE(bitmap.has_value()) << name << ": " << error;
    return bitmap ? std::move(*bitmap) : Bitmap(1, 1);
}

// How many pixels of that colour lie in x1..x2, y1..y2 (both corners included).
int32_t count_pixels(const Bitmap& bitmap, Pixel pixel, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2) {
    int32_t count = 0;
    for (int32_t y = y1; y <= std::min(y2, bitmap.height() - 1); ++y)
        for (int32_t x = x1; x <= std::min(x2, bitmap.width() - 1); ++x)
            count += bitmap.pixel(x, y) == pixel;
    return count;
}

// The lines of talvena.rtr in a run's data folder, CP1251 bytes without their CR LF.
std::vector<std::string> results_lines(const fs::path& folder) {
    std::ifstream in(folder / "talvena.rtr", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The lines of talvena-trials.csv in a run's data folder.
std::vector<std::string> trials_lines(const fs::path& folder) {
    std::ifstream in(folder / "talvena-trials.csv");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Columns first..last (1-based) of a record line.
std::string columns(const std::string& line, size_t first, size_t last) {
    return line.size() < last ? std::string() : line.substr(first - 1, last - first + 1);
}

std::string right_aligned(int32_t value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%*d", width, value);
    return text;
}

// The plan of the whole training: every tenth image from the third left unanswered, every
// tenth from the seventh answered wrongly after 2.5 s, the others correctly after 1.0 to 1.75 s.
// Images 3, 50 and the last are photographed while their answer is awaited.
std::vector<PlannedImage> slow_plan() {
    std::vector<PlannedImage> plan(IMAGES);
    for (int32_t i = 1; i <= IMAGES; ++i) {
        PlannedImage& image = plan[static_cast<size_t>(i - 1)];
        if (i % 10 == 3)
            image = {Reply::none, 0.0, ""};
        else if (i % 10 == 7)
            image = {Reply::wrong, 2.5, ""};
        else
            image = {Reply::correct, 1.0 + 0.25 * (i % 4), ""};
    }
    plan[2].snapshot = "image-3";
    plan[49].snapshot = "image-50";
    plan[IMAGES - 1].snapshot = "image-100";
    return plan;
}

// A whole training draws its hundred gratings through the instrumented primitives: under the
// sanitizers that takes longer than a run of the program is given. The shorter runs cover the
// same code there; whole trainings are left to the normal build.
constexpr const char* WHOLE_RUNS_SKIPPED = "a whole training is too slow under the sanitizers";
bool whole_runs_skipped() {
#ifdef TALVENA_SANITIZED_BUILD
    return true;
#else
    return false;
#endif
}

ProgramRun run_whole_training(std::string_view label, const std::vector<PlannedImage>& plan) {
    return e2e::run_program(label, START_TRAINING + images_script(plan) +
                                       "on summary snapshot summary\n"
                                       "after 1 click left\n"
                                       "on pause K=2 after 1 menu Выход\n");
}

} // namespace

// One whole training, slow and with errors, shared by the tests that look at it.
class WholeTraining : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (whole_runs_skipped())
            return;
        s_plan = new std::vector<PlannedImage>(slow_plan());
        // Set up before any test runs, the folder is named after no test: each test binary that
        // ctest starts in parallel needs a folder of its own.
        s_run = new ProgramRun(run_whole_training("slow-" + std::to_string(getpid()), *s_plan));
    }
    static void TearDownTestSuite() {
        delete s_run;
        delete s_plan;
    }
    void SetUp() override {
        if (whole_runs_skipped())
            GTEST_SKIP() << WHOLE_RUNS_SKIPPED;
    }
    static const std::vector<PlannedImage>& plan() { return *s_plan; }
    static const ProgramRun& run() { return *s_run; }

private:
    static inline std::vector<PlannedImage>* s_plan = nullptr;
    static inline ProgramRun* s_run = nullptr;
};

// Every image's answer is judged against the side its figure was drawn on, with the answer time
// the scripted user took; the summary counts them, and the record in talvena.rtr says the same.
TEST_F(WholeTraining, TraceSummaryAndRecordAgreeWithTheAnswers) {
    ASSERT_EQ(run().exit_code, 0) << run().output << run().trace_text();
    const std::vector<e2e::TraceEvent>& trace = run().trace;
    const size_t start = run().find("training-start ");
    ASSERT_LT(start + 1 + 4 * IMAGES, trace.size()) << run().trace_text();
    EXPECT_EQ(trace[start].text(), "training-start K=2 N=100");

    // Each image: its figure's side, the image's tone, the answer, the answer's tone; and its
    // line in the trials file, stamped with the training's start (second 1 of the run).
    const std::vector<std::string> trials = trials_lines(run().user_data_folder());
    ASSERT_EQ(trials.size(), 1u + IMAGES);
    for (int32_t i = 1; i <= IMAGES; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const PlannedImage& image = plan()[static_cast<size_t>(i - 1)];
        const size_t shown = start + 1 + 4 * static_cast<size_t>(i - 1);
        ASSERT_EQ(trace[shown].name, "image");
        ASSERT_EQ(trace[shown].value("i"), std::to_string(i));
        const std::string side = trace[shown].value("side");
        ASSERT_TRUE(side == "1" || side == "-1") << side;
        const int32_t named = side == "-1" ? 1 : 2; // the left button names the left side
        std::string answer;
        std::string tone;
        double dt = image.after;
        switch (image.reply) {
        case Reply::correct:
            answer = "buttons=" + std::to_string(named) + " verdict=correct";
            tone = "tone hz=800 ms=200";
            break;
        case Reply::wrong:
            answer = "buttons=" + std::to_string(3 - named) + " verdict=wrong";
            tone = "tone hz=200 ms=300";
            break;
        case Reply::none:
            answer = "buttons=0 verdict=none";
            tone = "tone hz=400 ms=300";
            dt = 5.0;
            break;
        }
        EXPECT_EQ(trace[shown + 1].text(), "tone hz=1000 ms=200");
        EXPECT_EQ(trace[shown + 2].text(),
                  "answer i=" + std::to_string(i) + " " + answer + " dt=" + fixed(dt, 3) +
                      (image.reply == Reply::none ? "" : " input=mouse"));
        EXPECT_EQ(trace[shown + 3].text(), tone);
        EXPECT_NEAR(trace[shown + 2].time - trace[shown].time, dt, 1e-6);
        const std::string verdict = answer.substr(answer.find("verdict=") + 8);
        EXPECT_EQ(trials[static_cast<size_t>(i)],
                  "2026-12-10T10:00:01,training," + std::to_string(i) + ",,2," + side + ",,," +
                      verdict + "," + (image.reply == Reply::none ? "" : fixed(dt, 3)) + ",1,");
    }

    const Expected e = expected_summary(plan());
    EXPECT_EQ(e.correct, 80);
    EXPECT_EQ(fixed(e.mean, 2), "1.47");
    EXPECT_EQ(e.pushups, 39); // 2·10 + 10 for the errors, trunc(80 × 0.47 / 4) = 9 for slowness
    const size_t summary = start + 1 + 4 * IMAGES;
    EXPECT_EQ(joined_lines(run().steps(summary)),
              joined_lines({"summary N=100 correct=80 wrong=10 unanswered=10 mean=1.47 pushups=39",
                            "record kind=training", "wait-click", "figure K=2", "pause K=2",
                            "menu label=Выход", "tone hz=0 ms=350", "exit code=0"}));

    // The header and one training record, written at the summary's time: 10:00 plus the run.
    const std::vector<std::string> lines = results_lines(run().user_data_folder());
    ASSERT_EQ(lines.size(), 2u);
    const std::string& record = lines[1];
    ASSERT_EQ(record.size(), 115u);
    const auto seconds = static_cast<int32_t>(trace[summary].time);
    EXPECT_EQ(columns(record, 2, 11), "10.12.2026");
    EXPECT_EQ(columns(record, 16, 17), "10");
    EXPECT_EQ(columns(record, 22, 23), right_aligned(seconds / 60, 2));
    EXPECT_EQ(columns(record, 28, 29), right_aligned(seconds % 60, 2));
    EXPECT_EQ(columns(record, 37, 43), "  200.0");
    EXPECT_EQ(columns(record, 48, 49), "Is");
    EXPECT_EQ(columns(record, 51, 54), "   2");
    EXPECT_EQ(columns(record, 60, 63), " 100");
    EXPECT_EQ(columns(record, 68, 71), "  80");
    EXPECT_EQ(columns(record, 77, 80), "  10");
    EXPECT_EQ(columns(record, 86, 89), "  10");
    EXPECT_EQ(columns(record, 96, 103), "    1.47");
    EXPECT_EQ(columns(record, 112, 115), "  39");
}

// The progress bar is cyan up to x = (W - 1)·i div N after image i and blue beyond; the status
// bar is green while the answer is awaited.
TEST_F(WholeTraining, BarsShowTheProgressAndTheAwaitedAnswer) {
    const struct {
        const char* snapshot;
        int32_t last_cyan;
    } CASES[] = {
        {"image-3", 29},   // 979 · 3 div 100
        {"image-50", 489}, // 979 · 50 div 100, where 980 · 50 div 100 would give 490
        {"image-100", SURFACE_WIDTH - 1},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.snapshot);
        const Bitmap bitmap = snapshot_of(run(), c.snapshot);
        ASSERT_EQ(bitmap.width(), SURFACE_WIDTH);
        for (int32_t y = 0; y <= 19; ++y)
            for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
                const Pixel expected = y >= 10 ? GREEN : x <= c.last_cyan ? CYAN : BLUE;
                ASSERT_EQ(bitmap.pixel(x, y), expected) << "x=" << x << " y=" << y;
            }
        // Below the bars the grating; only its undrawn column 0 keeps the start's dark green.
        const int32_t bottom = bitmap.height() - 1;
        EXPECT_EQ(count_pixels(bitmap, DARK_GREEN, 0, 20, 0, bottom), bottom - 19);
        EXPECT_EQ(count_pixels(bitmap, DARK_GREEN, 1, 20, SURFACE_WIDTH - 1, bottom), 0);
    }
}

namespace {

// Where the summary's texts stand: each region must hold some pixels of its colour.
struct TextRegion {
    const char* what;
    Pixel color;
    int32_t x1, y1, x2, y2;
};

void expect_texts(const Bitmap& bitmap, const std::vector<TextRegion>& regions) {
    for (const TextRegion& r : regions)
        EXPECT_GT(count_pixels(bitmap, r.color, r.x1, r.y1, r.x2, r.y2), 20) << r.what;
}

} // namespace

// The counts in olive across the top, the mean in green, the push-ups owed in red, the prompt in
// blue; the rest of the screen white.
TEST_F(WholeTraining, SummaryScreenHoldsItsTextsInPlace) {
    const Bitmap bitmap = snapshot_of(run(), "summary");
    expect_texts(bitmap, {
                             {"images", OLIVE, 30, 0, 249, 50},
                             {"errors", OLIVE, 250, 0, 499, 50},
                             {"unanswered", OLIVE, 500, 0, 979, 50},
                             {"mean answer time", TEXT_GREEN, 50, 120, 399, 170},
                             {"the mean", TEXT_GREEN, 400, 55, 650, 180},
                             {"seconds", TEXT_GREEN, 655, 120, 760, 170},
                             {"do", RED, 30, 280, 199, 350},
                             {"the push-ups", RED, 200, 235, 369, 360},
                             {"push-ups, please", RED, 370, 280, 979, 350},
                             {"prompt", BLUE, 60, 550, 979, 600},
                         });
    const int32_t bottom = bitmap.height() - 1;
    EXPECT_EQ(count_pixels(bitmap, WHITE, 0, 380, 979, 540), 980 * 161);
    EXPECT_EQ(count_pixels(bitmap, WHITE, 900, 0, 979, bottom), 80 * (bottom + 1));
    EXPECT_EQ(count_pixels(bitmap, WHITE, 0, 610, 979, bottom), 980 * (bottom - 609));
}

// Fast and faultless: no push-ups, and the praise in green where the push-ups would stand.
TEST(Training, FaultlessFastRunOwesNothing) {
    if (whole_runs_skipped())
        GTEST_SKIP() << WHOLE_RUNS_SKIPPED;
    std::vector<PlannedImage> plan(IMAGES, PlannedImage{Reply::correct, 0.3, ""});
    const ProgramRun run = run_whole_training("faultless", plan);
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t summary = run.find("summary ");
    ASSERT_LT(summary, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[summary].text(),
              "summary N=100 correct=100 wrong=0 unanswered=0 mean=0.30 pushups=0");
    const Bitmap bitmap = snapshot_of(run, "summary");
    expect_texts(bitmap, {{"no errors", TEXT_GREEN, 55, 280, 979, 350}});
    EXPECT_EQ(count_pixels(bitmap, RED, 0, 0, 979, bitmap.height() - 1), 0);
    const std::vector<std::string> lines = results_lines(run.user_data_folder());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(columns(lines[1], 96, 103), "    0.30");
    EXPECT_EQ(columns(lines[1], 112, 115), "   0");
}

// Nobody answers: every image waits its 5 s, and the mean is shown and kept as 0.00.
TEST(Training, NothingAnsweredGivesAMeanOfZero) {
    if (whole_runs_skipped())
        GTEST_SKIP() << WHOLE_RUNS_SKIPPED;
    const ProgramRun run = run_whole_training("unanswered", std::vector<PlannedImage>(IMAGES));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t summary = run.find("summary ");
    ASSERT_LT(summary, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[summary].text(),
              "summary N=100 correct=0 wrong=0 unanswered=100 mean=0.00 pushups=100");
    const std::vector<std::string> lines = results_lines(run.user_data_folder());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(columns(lines[1], 96, 103), "    0.00");
    EXPECT_EQ(columns(lines[1], 112, 115), " 100");
}

// Both buttons, in the drawing of an image or while its answer is awaited, and a menu command
// while the answer is awaited end the training at once: no summary, no record. The start screen
// then begins again (after the menu command, once the chart is served).
TEST(Training, BothButtonsOrAMenuCommandEndItWithoutARecord) {
    const struct {
        const char* name;
        const char* script;
        Steps steps; // from the first image's answer on
    } CASES[] = {
        // The press comes during the answer's tone and is seen at the next image's first row.
        {"both in the drawing",
         "on image i=1 after 0.5 answer correct\n"
         "on answer i=1 press both\n"
         "after 1 release both\n",
         {"answer i=1", "tone hz=800 ms=200", "aborted what=training", "figure K=2", "pause K=2"}},
        {"both while the answer is awaited",
         "on image i=1 after 0.5 answer correct\n"
         "on image i=2 after 1 press both\n"
         "after 1 release both\n",
         {"answer i=1", "tone hz=800 ms=200", "image i=2", "tone hz=1000 ms=200",
          "aborted what=training", "figure K=2", "pause K=2"}},
        {"menu while the answer is awaited",
         "on image i=1 after 0.5 answer correct\n"
         "on image i=2 after 1 menu Итоги_тренировок\n"
         "on chart click left\n",
         {"answer i=1", "tone hz=800 ms=200", "image i=2", "tone hz=1000 ms=200",
          "menu label=Итоги_тренировок", "aborted what=training", "request value=3",
          "chart records=0 vision=0 training=0 stopped=0 file=missing", "wait-click", "figure K=2",
          "pause K=2"}},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = e2e::run_program(c.name, START_TRAINING + c.script +
                                                            "on pause K=2 after 1 menu Выход\n");
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t first = run.find("answer i=1 ");
        ASSERT_LT(first, run.trace.size()) << run.trace_text();
        Steps steps;
        for (const std::string& step : run.steps(first)) {
            // Answers and images by their number only: the sides are the seed's business.
            const bool numbered = step.starts_with("answer ") || step.starts_with("image ");
            steps.push_back(numbered ? step.substr(0, step.find(' ', step.find(' ') + 1)) : step);
        }
        Steps expected = c.steps;
        expected.insert(expected.end(), {"menu label=Выход", "tone hz=0 ms=350", "exit code=0"});
        EXPECT_EQ(joined_lines(steps), joined_lines(expected));
        EXPECT_FALSE(fs::exists(run.user_data_folder() / "talvena.rtr"));
        // The images shown so far are kept, marked unfinished.
        const std::vector<std::string> trials = trials_lines(run.user_data_folder());
        ASSERT_EQ(trials.size(), 2u);
        EXPECT_TRUE(trials[1].ends_with(",correct,0.500,0,")) << trials[1];
    }
}

// Broken off in the drawing of image 2, the training leaves image 1's bars: the progress of one
// image in cyan, up to x = 979 div 100 = 9, and the status bar red again.
TEST(Training, BrokenOffInTheDrawingLeavesTheLastImagesBars) {
    const ProgramRun run =
        e2e::run_program("aborted bars", START_TRAINING + "on image i=1 after 0.5 answer correct\n"
                                                          "on answer i=1 press both\n"
                                                          "on aborted snapshot aborted\n"
                                                          "after 1 release both\n"
                                                          "on pause K=2 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const Bitmap bitmap = snapshot_of(run, "aborted");
    ASSERT_EQ(bitmap.width(), SURFACE_WIDTH);
    for (int32_t y = 0; y <= 19; ++y)
        for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
            const Pixel expected = y >= 10 ? RED : x <= 9 ? CYAN : BLUE;
            ASSERT_EQ(bitmap.pixel(x, y), expected) << "x=" << x << " y=" << y;
        }
}

// A results file that cannot be written loses nothing else: the summary and its prompt are on
// screen when a message box names the file, the trials are kept, and a click after the box ends
// the summary.
TEST(Training, UnwritableResultsFileIsReportedOverTheSummary) {
    if (whole_runs_skipped())
        GTEST_SKIP() << WHOLE_RUNS_SKIPPED;
    e2e::RunOptions options;
    options.prepare = [](const fs::path& folder) { fs::create_directory(folder / "talvena.rtr"); };
    const std::vector<PlannedImage> plan(IMAGES, PlannedImage{Reply::correct, 0.3, ""});
    const ProgramRun run = e2e::run_program("unwritable",
                                            START_TRAINING + images_script(plan) +
                                                "on message after 0.5 snapshot failure\n"
                                                "after 0.5 key Enter\n"
                                                "on wait-click after 1 click left\n"
                                                "on pause K=2 after 1 menu Выход\n",
                                            options);
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t summary = run.find("summary ");
    ASSERT_LT(summary + 4, run.trace.size()) << run.trace_text();
    Steps names;
    for (size_t i = summary; i < summary + 5; ++i)
        names.push_back(run.trace[i].name);
    EXPECT_EQ(joined_lines(names),
              joined_lines({"summary", "record-failed", "message", "wait-click", "figure"}));
    EXPECT_EQ(run.trace[summary + 1].value("kind"), "training");
    EXPECT_NE(run.trace[summary + 1].value("reason").find("talvena.rtr"), std::string::npos);
    EXPECT_NE(run.trace[summary + 2].value("text").find("talvena.rtr"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(run.folder / "talvena.rtr"));
    EXPECT_EQ(trials_lines(run.folder).size(), 1u + IMAGES);

    const Bitmap bitmap = snapshot_of(run, "failure");
    expect_texts(bitmap, {{"images", OLIVE, 30, 0, 249, 50},
                          {"no errors", TEXT_GREEN, 55, 280, 979, 350},
                          {"prompt", BLUE, 60, 550, 979, 600}});
}

namespace {

// The instruction box over a running training: the image's five seconds stand still while the
// box is up (six seconds), and the answer time is the user's, before and after the box.
TEST(Training, AnswerWindowStandsStillUnderABox) {
    const ProgramRun run =
        e2e::run_program("box", START_TRAINING + "on image i=1 after 0.3 menu Инструкция\n"
                                                 "on message after 6 key Enter\n"
                                                 "after 0.5 answer correct\n"
                                                 "on answer i=1 after 0.1 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t answer = run.find("answer i=1");
    ASSERT_LT(answer, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[answer].value("verdict"), "correct") << run.trace_text();
    EXPECT_EQ(run.trace[answer].value("dt"), "0.800");
}

} // namespace
