// The simulated observer in the real program: it answers every ring its seconds after the ring
// is shown, the program runs the very course the course logic gives for the same draws (result,
// answers, estimate and duration in talvena-tests.csv and the trace), the program's own random
// choices stay as they were, and `observer off` ends the answers.
#include "tests/e2e/program_run.h"
#include "tools/validation/acuity_simulation.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using e2e::ProgramRun;

const std::string START_VISION_TEST = e2e::ACCEPT_DEFAULTS + "on pause K=2 click right\n";

std::vector<std::vector<std::string>> csv_rows(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream fields_in(line);
        std::string field;
        while (std::getline(fields_in, field, ','))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

TEST(SimulatedObserver, ProgramRunsTheCourseThatTheSameDrawsGive) {
    constexpr int32_t SEED = 5;
    const scripted::ObserverModel observer{0.5, 0.035, 0.02, 0.8};
    const ProgramRun run = e2e::run_program("agree",
                                            e2e::ACCEPT_DEFAULTS + "observer 0.5 0.035 0.02 0.8\n" +
                                                "on pause K=2 click right\n"
                                                "on wait-click after 1 click left\n"
                                                "on pause click right\n"
                                                "on wait-click after 1 click left\n"
                                                "on figure after 0.5 menu Выход\n",
                                            {.seed = SEED});
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const auto rows = csv_rows(run.user_data_folder() / "talvena-tests.csv");
    ASSERT_EQ(rows.size(), 2u) << run.trace_text();
    scripted::ObserverDraws draws(scripted::observer_seed(SEED));
    size_t from = 0;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 13u);
        const SimulatedTest test = simulate_vision_test(observer, draws);
        EXPECT_EQ(row[1], fixed(test.result, 2));
        EXPECT_EQ(row[4], fixed(test.estimate.logmar, 3));
        EXPECT_EQ(row[7], std::to_string(test.counted));
        EXPECT_EQ(row[8], fixed(test.seconds, 1));
        // The trace says the same as the file.
        from = run.find("vision-estimate", from);
        ASSERT_LT(from, run.trace.size());
        EXPECT_EQ(run.trace[from].value("acuity"), row[3]);
        EXPECT_EQ(run.trace[from].value("logmar"), row[4]);
        EXPECT_EQ(run.trace[from].value("limit"), row[2]);
        ++from;
    }
    // Every ring is answered 0.8 s after it is shown.
    for (const e2e::TraceEvent& event : run.trace) {
        if (event.name == "ring-answer") {
            EXPECT_EQ(event.value("dt"), "0.800");
        }
    }
}

// The observer draws from a generator of its own: the rings' sides and tilts are those of a run
// with the same seed answered line by line.
TEST(SimulatedObserver, LeavesTheProgramsOwnRandomChoicesAlone) {
    const auto rings = [](const ProgramRun& run) {
        std::string sides;
        for (const e2e::TraceEvent& event : run.trace)
            if (event.name == "ring")
                sides += event.value("side") + "/" + event.value("tilt") + " ";
        return sides;
    };
    std::string by_lines;
    for (int ring = 0; ring < 50; ++ring)
        by_lines += "on ring after 0.5 answer correct\n";
    const std::string end = "on wait-click after 1 click left\non figure after 0.5 menu Выход\n";
    const ProgramRun scripted = e2e::run_program("by_lines", START_VISION_TEST + by_lines + end);
    // An observer far sharper than the smallest ring, never lapsing, answers every ring right.
    const ProgramRun simulated =
        e2e::run_program("by_observer", START_VISION_TEST + "observer 100 0.035 0 0.5\n" + end);
    ASSERT_EQ(scripted.exit_code, 0) << scripted.trace_text();
    ASSERT_EQ(simulated.exit_code, 0) << simulated.trace_text();
    EXPECT_EQ(rings(simulated), rings(scripted));
    EXPECT_LT(simulated.find("vision-result V=2.0"), simulated.trace.size());
}

TEST(SimulatedObserver, ObserverOffLeavesTheRingsUnanswered) {
    const ProgramRun run =
        e2e::run_program("off", START_VISION_TEST + "observer 100 0.035 0 0.5\n"
                                                    "on level-end observer off\n"
                                                    "on ring-answer verdict=none menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t level_end = run.find("level-end V=0.1 passed=1");
    ASSERT_LT(level_end, run.trace.size()) << run.trace_text();
    const size_t answer = run.find("ring-answer", level_end);
    ASSERT_LT(answer, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[answer].value("verdict"), "none");
}

} // namespace
