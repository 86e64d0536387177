// The scripted demonstration that scripts/run shows when there is no display: run the way
// scripts/run runs it, it goes through the start screen, ends with code 0 and leaves its trace
// and every snapshot its script takes.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path SOURCE_DIR = TALVENA_SOURCE_DIR;

// The names of the script's `snapshot NAME` actions, in order. A word that begins with '#'
// starts a comment.
std::vector<std::string> snapshot_names(const fs::path& script) {
    std::vector<std::string> names;
    std::ifstream in(script);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        for (std::string word; words >> word && word[0] != '#';)
            if (word == "snapshot" && words >> word)
                names.push_back(word);
    }
    return names;
}

} // namespace

TEST(Demo, RunsThroughTheStartScreenAndLeavesTraceAndSnapshots) {
    // talvena_demo of scripts/lib.sh is what scripts/run calls; sourcing the file only defines.
    const e2e::ProgramRun run = e2e::run_command(
        "demo",
        {"bash", "-c", "source \"$0\" && talvena_demo \"$1\" shots",
         (SOURCE_DIR / "scripts" / "lib.sh").string(), e2e::program_path().string()},
        "shots/trace.txt");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find((run.folder / "shots").string()), std::string::npos)
        << "says where its files are:\n"
        << run.output;

    const std::string trace = run.trace_text();
    for (const char* step :
         {"parameters ", "figure K=2", "figure K=4", "training-start K=4", "image i=4",
          "aborted what=training", "level V=0.1", "vision-result V=0.0", "record kind=vision",
          // The sample history of 48 records and the vision test just taken.
          "chart records=49 vision=20 training=29 stopped=0 file=read", "message caption=talvena"})
        EXPECT_NE(run.find(step), run.trace.size()) << step << " missing from\n" << trace;
    ASSERT_FALSE(run.trace.empty());
    EXPECT_EQ(run.trace.back().text(), "exit code=0") << trace;
    EXPECT_EQ(trace.find("script-error"), std::string::npos) << trace;

    const std::vector<std::string> names =
        snapshot_names(SOURCE_DIR / "demo" / "start-screen.script");
    EXPECT_GE(names.size(), 9u);
    for (const std::string& name : names)
        for (const std::string& file : {name + ".png", name + "-frame.png"}) {
            std::string error;
            EXPECT_TRUE(raster::read_png(run.folder / "shots" / file, &error).has_value())
                << file << ": " << error;
        }
}
