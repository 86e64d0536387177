// Command-line options: each option's value, each mistake's message, and the start-up they cause.
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "scripted/options.h"
#include "scripted/run_setup.h"
#include "tests/support/temp_folder.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

using namespace scripted;

RunOptionsResult parse(std::vector<std::string_view> arguments) {
    return parse_run_options(arguments);
}

TEST(RunOptionsTest, ReadsEveryOption) {
    const RunOptionsResult result = parse(
        {"--headless", "--virtual-clock", "--seed", "42", "--start-time", "2024-02-29T23:59:58",
         "--data-dir", "data", "--script=demo.script", "--trace", "run.trace", "--snapshot-dir",
         "shots dir", "--config-dir=conf", "--language=en", "--trace-texts"});
    ASSERT_FALSE(result.error) << *result.error;
    const RunOptions& options = result.options;
    EXPECT_TRUE(options.headless);
    EXPECT_TRUE(options.virtual_clock);
    EXPECT_EQ(options.seed, 42);
    EXPECT_EQ(options.start_time, (RtDateTime{2024, 2, 29, 23, 59, 58}));
    EXPECT_EQ(options.data_dir, "data");
    EXPECT_EQ(options.script, "demo.script");
    EXPECT_EQ(options.trace, "run.trace");
    EXPECT_EQ(options.snapshot_dir, "shots dir");
    EXPECT_EQ(options.config_dir, "conf");
    EXPECT_EQ(options.language, language::Language::english);
    EXPECT_TRUE(options.trace_texts);
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.version);
}

TEST(RunOptionsTest, NothingGivenMeansAnOrdinaryRun) {
    const RunOptionsResult result = parse({});
    ASSERT_FALSE(result.error);
    EXPECT_FALSE(result.options.headless);
    EXPECT_FALSE(result.options.virtual_clock);
    EXPECT_FALSE(result.options.seed);
    EXPECT_TRUE(result.options.trace.empty());
    EXPECT_TRUE(result.options.script.empty());
    EXPECT_FALSE(result.options.language);
    EXPECT_FALSE(result.options.trace_texts);
    EXPECT_EQ(parse({"--language", "ru"}).options.language, language::Language::russian);

    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"--version"}).options.version);
    EXPECT_EQ(parse({"--seed=0"}).options.seed, 0);
    EXPECT_EQ(parse({"--seed", "2147483647"}).options.seed, 2147483647);
}

struct ErrorCase {
    std::vector<std::string_view> arguments;
    std::string_view message;
};

TEST(RunOptionsTest, EachMistakeNamesTheOptionAndWhatItExpects) {
    const ErrorCase cases[] = {
        {{"--fast"}, "unknown option '--fast' (see --help)"},
        {{"-h"}, "unknown option '-h' (see --help)"},
        {{"--seed=7=8"}, "--seed expects a whole number from 0 to 2147483647, not '7=8'"},
        {{"script.txt"}, "unexpected argument 'script.txt' (see --help)"},
        {{"--seed"}, "--seed expects N after it"},
        {{"--seed", "-1"}, "--seed expects a whole number from 0 to 2147483647, not '-1'"},
        {{"--seed", "12x"}, "--seed expects a whole number from 0 to 2147483647, not '12x'"},
        {{"--seed", "2147483648"},
         "--seed expects a whole number from 0 to 2147483647, not '2147483648'"},
        {{"--seed="}, "--seed expects a whole number from 0 to 2147483647, not ''"},
        {{"--start-time"}, "--start-time expects YYYY-MM-DDTHH:MM:SS after it"},
        {{"--start-time", "2023-02-29T10:00:00"},
         "--start-time expects a date and time YYYY-MM-DDTHH:MM:SS that exists, not "
         "'2023-02-29T10:00:00'"},
        {{"--start-time", "2024-01-01 10:00:00"},
         "--start-time expects a date and time YYYY-MM-DDTHH:MM:SS that exists, not "
         "'2024-01-01 10:00:00'"},
        {{"--trace"}, "--trace expects FILE after it"},
        {{"--trace="}, "--trace expects FILE, not an empty name"},
        {{"--data-dir", ""}, "--data-dir expects DIR, not an empty name"},
        {{"--snapshot-dir"}, "--snapshot-dir expects DIR after it"},
        {{"--script"}, "--script expects FILE after it"},
        {{"--headless=yes"}, "--headless takes no value"},
        {{"--language", "de"}, "--language expects ru or en, not 'de'"},
        {{"--language"}, "--language expects ru|en after it"},
        {{"--seed", "1", "--seed", "2"}, "--seed is given more than once"},
        {{"--virtual-clock", "--virtual-clock"}, "--virtual-clock is given more than once"},
    };
    for (const ErrorCase& test : cases) {
        SCOPED_TRACE(testing::PrintToString(test.arguments));
        const RunOptionsResult result = parse(test.arguments);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(*result.error, test.message);
    }
}

TEST(RunOptionsTest, UsageListsEveryOption) {
    const std::string usage = run_options_usage("talvena");
    for (std::string_view option :
         {"--headless", "--virtual-clock", "--seed N", "--start-time", "--data-dir DIR",
          "--script FILE", "--trace FILE", "--trace-texts", "--snapshot-dir DIR",
          "--language ru|en", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

class RunSetupTest : public testing::Test {
protected:
    void TearDown() override {
        rt_trace_close();
        rt_use_real_clock();
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) {
        std::ifstream file(m_dir / name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test_support::TempFolder m_folder;

    std::filesystem::path m_dir = m_folder.path();
};

TEST_F(RunSetupTest, StartsTheVirtualClockAndTheTrace) {
    write("run.script", "# nothing but\nat 1 close\n");
    RunOptions options;
    options.virtual_clock = true;
    options.start_time = RtDateTime{2024, 5, 17, 9, 30, 0};
    options.script = m_dir / "run.script";
    options.trace = m_dir / "run.trace";
    options.snapshot_dir = m_dir / "shots" / "first";
    options.data_dir = m_dir;
    const RunSetup setup = apply_run_options(options);
    ASSERT_FALSE(setup.error) << *setup.error;
    ASSERT_TRUE(setup.script);
    ASSERT_EQ(setup.script->lines.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(options.snapshot_dir));
    EXPECT_EQ(snapshot_folder(options), options.snapshot_dir);

    EXPECT_TRUE(rt_clock_is_virtual());
    EXPECT_EQ(rt_virtual_clock_start(), (RtDateTime{2024, 5, 17, 9, 30, 0}));
    rt_clock_advance(1'500'000);
    rt_trace_event("frame-shown", {{"title", "talvena"}});
    ASSERT_TRUE(rt_trace_close());
    EXPECT_EQ(read("run.trace"), "1.500 frame-shown title=talvena\n");
}

TEST_F(RunSetupTest, VirtualClockWithoutStartTimeStartsAtAFixedDate) {
    RunOptions options;
    options.virtual_clock = true;
    ASSERT_FALSE(apply_run_options(options).error);
    EXPECT_EQ(rt_virtual_clock_start(), DEFAULT_START_TIME);
    EXPECT_EQ(snapshot_folder(RunOptions{}), ".");
}

// A run that cannot start as asked does not start at all: no trace is begun and the clock stays.
TEST_F(RunSetupTest, RefusesToStartWithAMessage) {
    write("bad.script", "at 1 close\n\npress middle\n");
    struct Case {
        std::function<void(RunOptions&)> change;
        std::string message;
    };
    const Case cases[] = {
        {[&](RunOptions& o) { o.script = m_dir / "bad.script"; },
         "script " + (m_dir / "bad.script").string() +
             ", line 3: expected left, right or both after press, found 'middle'"},
        {[&](RunOptions& o) { o.script = m_dir / "missing.script"; },
         "script " + (m_dir / "missing.script").string() +
             ": cannot be read: No such file or directory"},
        {[&](RunOptions& o) { o.data_dir = m_dir / "nowhere"; },
         "--data-dir expects an existing folder, not '" + (m_dir / "nowhere").string() + "'"},
        {[&](RunOptions& o) { o.snapshot_dir = m_dir / "bad.script" / "x"; },
         "--snapshot-dir: cannot create the folder '" + (m_dir / "bad.script" / "x").string() +
             "'"},
    };
    for (const Case& test : cases) {
        RunOptions options;
        options.virtual_clock = true;
        options.trace = m_dir / "never.trace";
        test.change(options);
        const RunSetup setup = apply_run_options(options);
        ASSERT_TRUE(setup.error);
        EXPECT_EQ(*setup.error, test.message);
        EXPECT_FALSE(rt_clock_is_virtual());
        EXPECT_FALSE(rt_trace_is_open());
        EXPECT_FALSE(std::filesystem::exists(m_dir / "never.trace"));
    }

    RunOptions options;
    options.trace = m_dir / "no" / "such" / "folder.trace";
    const RunSetup setup = apply_run_options(options);
    ASSERT_TRUE(setup.error);
    EXPECT_EQ(*setup.error, "--trace: cannot create the file '" + options.trace.string() + "'");
}

} // namespace
