// The program in English, end to end: through the parameter dialog (a refused value and the card
// check), the start screen, a vision test whose record cannot be written, the instructions, a
// training and the chart of a history. Nothing the trace tells holds a Cyrillic letter, every
// drawn text lies within its surface, and the scripts may name the menus in Russian.
#include "tests/e2e/program_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using e2e::ProgramRun;

// A letter of the Cyrillic block, U+0400 to U+04FF, is D0..D3 and a continuation byte in UTF-8.
bool has_cyrillic(const std::string& utf8) {
    for (size_t i = 0; i + 1 < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if (lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80)
            return true;
    }
    return false;
}

// Every value of every event in English, and every drawn text within its surface.
void expect_english_and_fitting(const ProgramRun& run) {
    size_t texts = 0;
    for (const e2e::TraceEvent& event : run.trace) {
        // A failed record's reason is the system's own error text, in the locale's language.
        for (const auto& [key, value] : event.fields) {
            if (event.name != "record-failed" || key != "reason") {
                EXPECT_FALSE(has_cyrillic(value)) << event.text();
            }
        }
        if (event.name != "text")
            continue;
        ++texts;
        const int x = std::stoi(event.value("x"));
        const int width = std::stoi(event.value("width"));
        const int surface_width = std::stoi(event.value("W"));
        EXPECT_GE(x, 0) << event.text();
        EXPECT_LE(x + width, surface_width) << event.text();
    }
    EXPECT_GT(texts, 0u) << "no drawn text was traced";
}

e2e::RunOptions english(std::function<void(const fs::path&)> prepare = {}) {
    e2e::RunOptions options;
    options.prepare = std::move(prepare);
    options.arguments = {"--language", "en", "--trace-texts"};
    return options;
}

bool traced(const ProgramRun& run, std::string_view prefix) {
    return run.find(prefix) < run.trace.size();
}

// A whole training is too slow under the sanitizers; the other screens are run there too.
bool whole_training_skipped() {
#ifdef TALVENA_SANITIZED_BUILD
    return true;
#else
    return false;
#endif
}

TEST(EnglishRun, DialogStartScreenVisionTestAndRecordFailure) {
    const ProgramRun run = e2e::run_program(
        "dialog_and_vision_test",
        "on dialog-shown id=101 dialog set 1000 far\n"
        "after 0.2 dialog press 1\n"
        "on dialog-refused field=1000 after 0.2 snapshot dialog-refused\n"
        "after 0.2 dialog set 1000 200\n"
        "after 0.2 dialog press 3\n"
        "on card after 0.2 snapshot card-check\n"
        "after 0.2 key Escape\n"
        "on dialog-shown id=101 after 0.2 dialog press 1\n"
        "on pause K=2 snapshot start-screen\n"
        "after 0.2 click right\n"
        "on ring after 0.5 answer wrong\n"
        "on ring after 0.5 answer wrong\n"
        "on ring after 0.5 answer wrong\n"
        "on message after 0.5 snapshot record-failure\n"
        "after 0.2 key Enter\n"
        "on wait-click after 0.5 click left\n"
        "on figure after 0.5 menu Инструкция\n"
        "on message after 0.5 snapshot instructions\n"
        "after 0.2 key Enter\n"
        "on figure after 0.5 menu Итоги_тренировок\n"
        "on chart after 0.5 snapshot unreadable-chart\n"
        "after 0.2 click left\n"
        "on figure after 0.5 menu Exit\n",
        english([](const fs::path& folder) { fs::create_directory(folder / "talvena.rtr"); }));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    expect_english_and_fitting(run);
    for (const char* step :
         {"window-opened unit=1 number=1025 title=Eye_Trainer", "dialog-refused field=1000",
          "card-end accepted=0", "record-failed kind=vision", "message caption=talvena",
          "text x=200 y=250 width=", "text x=60 y=550 width=", "menu label=Instructions",
          "menu label=Results", "status text=File_talvena.rtr_cannot_be_read:_", "menu label=Exit"})
        EXPECT_TRUE(traced(run, step)) << step << "\n" << run.trace_text();
    const size_t failed = run.find("record-failed");
    const size_t box = run.find("message", failed);
    ASSERT_LT(box, run.trace.size());
    EXPECT_EQ(run.trace[box].value("text").rfind("The_result_was_not_written_to_talvena.rtr:", 0),
              0u)
        << run.trace[box].text();
    for (const char* name : {"dialog-refused", "card-check", "start-screen", "record-failure",
                             "instructions", "unreadable-chart"})
        EXPECT_TRUE(fs::is_regular_file(run.snapshot(name))) << name;
}

TEST(EnglishRun, TrainingSummaryAndTheChartOfAHistory) {
    const std::string history =
        test_support::file_bytes(test_support::fixtures_dir() / "results" / "talvena.rtr");
    ASSERT_FALSE(history.empty());
    std::string script = e2e::ACCEPT_DEFAULTS;
    if (!whole_training_skipped()) {
        script += "on pause K=2 after 1 click left\n";
        // Three wrong answers and one left unanswered: the summary owes push-ups.
        for (int i = 1; i <= 100; ++i) {
            const std::string on_image = "on image i=" + std::to_string(i);
            if (i == 4)
                continue;
            script +=
                on_image + (i <= 3 ? " after 0.3 answer wrong\n" : " after 0.3 answer correct\n");
        }
        script += "on summary snapshot summary\n"
                  "after 1 click left\n";
    }
    script += "on pause K=2 after 0.5 menu Results\n"
              "on chart after 0.5 snapshot chart\n"
              "after 0.2 click left\n"
              "on figure after 0.5 menu Выход\n";
    const ProgramRun run =
        e2e::run_program("training_and_chart", script, english([&](const fs::path& folder) {
                             test_support::write_bytes(folder / "talvena.rtr", history);
                         }));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    expect_english_and_fitting(run);
    for (const char* step :
         {"text x=", "chart records=", "status text=Results_file:_", "menu label=Exit"})
        EXPECT_TRUE(traced(run, step)) << step << "\n" << run.trace_text();
    EXPECT_TRUE(fs::is_regular_file(run.snapshot("chart")));
    if (whole_training_skipped())
        return;
    EXPECT_TRUE(traced(run, "summary N=100 correct=96 wrong=3 unanswered=1")) << run.trace_text();
    const std::string trace = run.trace_text();
    for (const char* text : {"text=Mean_answer_time", "text=Do", "text=push-ups,_please!",
                             "text=Press_any_mouse_button_to_continue"})
        EXPECT_NE(trace.find(text), std::string::npos) << text;
    EXPECT_TRUE(fs::is_regular_file(run.snapshot("summary")));
}

// What is stored does not depend on the language: the same vision test (three correct rings and
// a failed level, at a fixed seed) leaves the same talvena.rtr and talvena-trials.csv in Russian
// and in English, and the same events but for the texts shown.
TEST(EnglishRun, StoresExactlyWhatARussianRunStores) {
    const std::string script = e2e::ACCEPT_DEFAULTS + "on pause K=2 click right\n"
                                                      "on ring after 0.5 answer correct\n"
                                                      "on ring after 0.5 answer wrong\n"
                                                      "on ring after 0.5 answer wrong\n"
                                                      "on ring after 0.5 answer wrong\n"
                                                      "on wait-click after 0.5 click left\n"
                                                      "on figure after 0.5 menu Выход\n";
    e2e::RunOptions russian_options;
    russian_options.arguments = {"--data-dir", "."};
    e2e::RunOptions english_options = english();
    english_options.arguments.insert(english_options.arguments.end(), {"--data-dir", "."});
    const ProgramRun russian = e2e::run_program("stored_russian", script, russian_options);
    const ProgramRun in_english = e2e::run_program("stored_english", script, english_options);
    ASSERT_EQ(russian.exit_code, 0) << russian.output << russian.trace_text();
    ASSERT_EQ(in_english.exit_code, 0) << in_english.output << in_english.trace_text();
    for (const char* name : {"talvena.rtr", "talvena-trials.csv"}) {
        const std::string stored = test_support::file_bytes(russian.folder / name);
        EXPECT_FALSE(stored.empty()) << name;
        EXPECT_EQ(test_support::file_bytes(in_english.folder / name), stored) << name;
    }
    // The events without the texts a user reads.
    const auto events = [](const ProgramRun& run) {
        std::vector<std::string> kept;
        for (const e2e::TraceEvent& event : run.trace)
            if (event.name != "text" && event.name != "status" && event.name != "results-file" &&
                event.name != "window-opened" && event.name != "menu")
                kept.push_back(event.text());
        return e2e::joined_lines(kept);
    };
    EXPECT_EQ(events(in_english), events(russian));
}

} // namespace
