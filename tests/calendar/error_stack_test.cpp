// The error stack: substitution, the printed form, passing errors up, and misuse that stops.
#include "calendar/day_number.h"
#include "calendar/error_stack.h"
#include "tests/calendar/error_capture.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using calendar_test::ErrorCaptureTest;

// A literal text as an extended regular expression, for death-test output.
std::string literal_pattern(std::string_view text) {
    std::string pattern;
    for (const char c : text) {
        if (std::string_view("\\.^$|()[]{}*+?").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

std::string joined_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The whole printed form of a rejected month, through the real output and the real stop. The
// child runs alone in a fresh process, so the user's level has no error left by other tests.
TEST(ErrorStackDeathTest, MonthThirteenPrintsTheTerminalMessageWithTracebackAndStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<std::string> expected{
        "",
        " *** TERMINAL ERROR 1 from cal_day_number.  MONTH = 13.  MONTH must be greater",
        " ***          than or equal to 1 and less than or equal to 12.",
        "     Here is a traceback of subprogram calls in reverse order:",
        "     Routine name                    Error type  Error code",
        "     ------------                    ----------  ----------",
        "     cal_day_number                       5           1",
        "     UNKNOWN ?                            0           0",
    };
    EXPECT_EXIT(cal_day_number(1, 13, 2020), testing::ExitedWithCode(2),
                "^" + literal_pattern(joined_lines(expected)));
}

TEST(ErrorStackDeathTest, PushBeyondFiftyLevelsStops) {
    EXPECT_EXIT(
        {
            // The user's level is the first of the fifty.
            for (int level = 2; level <= ERR_STACK_LIMIT; ++level)
                err_push("level_" + std::to_string(level));
            std::fputs("49 pushed\n", stderr);
            err_push("one_too_many");
        },
        testing::ExitedWithCode(2),
        "49 pushed\n(.|\n)*" +
            literal_pattern("Error condition in err_push.  Push would cause stack level to "
                            "exceed 50."));
}

TEST(ErrorStackDeathTest, MisuseStopsWithItsMessage) {
    struct Case {
        const char* what;
        void (*misuse)();
        const char* message;
    };
    const Case cases[] = {
        {"mismatched pop",
         [] {
             err_push("cal_day_number");
             err_pop("cal_day_numbr");
         },
         "Error condition in err_pop.  cal_day_numbr does not match the name cal_day_number "
         "in the stack."},
        {"pop of an empty stack", [] { err_pop("cal_day_number"); },
         "Error condition in err_pop.  Cannot pop from cal_day_number because stack is "
         "empty."},
        {"illegal type", [] { err_post(8, 1, "eight"); },
         ".  Error from err_post.  Illegal error type specified."},
        {"illegal selector", [] { err_level_type(2); },
         ".  The argument passed to err_level_type must be 0 or 1."},
    };
    // The texts that start with ".  " end the heading's sentence; the others follow a blank.
    // The same message, in one line, is what the program's fatal stop reports.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string_view message = c.message;
        const std::string heading = std::string("TERMINAL ERROR") +
                                    (message.starts_with('.') ? "" : " ") + std::string(message);
        EXPECT_EXIT(c.misuse(), testing::ExitedWithCode(2),
                    "\n \\*\\*\\* " + literal_pattern(heading.substr(0, 40)) + "(.|\n)*" +
                        "talvena: " + literal_pattern(heading));
    }
}

TEST(ErrorStackDeathTest, FatalErrorStopsWhenItsLevelIsPopped) {
    EXPECT_EXIT(
        {
            err_push("fatal_routine");
            err_post(4, 9, "Deferred.");
            std::fputs("posted\n", stderr);
            err_pop("fatal_routine");
        },
        testing::ExitedWithCode(2), "posted\n\n \\*\\*\\* FATAL    ERROR 9 from fatal_routine\\.");
}

TEST(ErrorStackDeathTest, NoteAndWarningDoNotStop) {
    EXPECT_EXIT(
        {
            err_push("mild_routine");
            err_post(1, 1, "A note.");
            err_post(3, 2, "A warning.");
            err_pop("mild_routine");
            std::fputs("still running\n", stderr);
            std::exit(7);
        },
        testing::ExitedWithCode(7), "WARNING  ERROR 2 from mild_routine(.|\n)*still running");
}

using ErrorStackTest = ErrorCaptureTest;

TEST_F(ErrorStackTest, TokensAreReplacedByTheirValues) {
    err_set_int(1, -7);
    err_set_int(9, 2147483647);
    err_set_int(0, 5);  // ignored
    err_set_int(10, 5); // ignored
    err_set_text(1, "first");
    err_set_text(-2, "set through -2");
    err_set_text(3, std::string(300, 'x'));
    struct Case {
        const char* message;
        std::string text;
    };
    const Case cases[] = {
        {"%(I1) and %(I9)", "-7 and 2147483647"},
        {"%(L1), %(L2).", "first, set through -2."},
        {"%(L3)", std::string(255, 'x')},
        {"%(I0) %(i1) %(I1 %(X1) %(R1) %(L)", "%(I0) %(i1) %(I1 %(X1) %(R1) %(L)"},
        {"%(I1)%(I1)", "-7-7"},
        {"100%", "100%"},
    };
    err_push("substitution");
    for (const Case& c : cases) {
        clear();
        err_post(1, 1, c.message);
        ASSERT_EQ(m_posts.size(), 1u);
        EXPECT_EQ(m_posts[0].text, c.text) << c.message;
    }
    err_pop("substitution");
}

TEST_F(ErrorStackTest, MessageTextIsCutAfterSubstitution) {
    err_set_text(4, std::string(255, 'y'));
    err_push("long_message");
    err_post(1, 1, "%(L4)%(L4)%(L4)%(L4)%(L4)");
    err_pop("long_message");
    ASSERT_EQ(m_posts.size(), 1u);
    EXPECT_EQ(m_posts[0].text, std::string(1024, 'y'));
}

// Lines break at the last blank that fits, a word longer than a line is cut, and "%/" ends a
// line early.
TEST_F(ErrorStackTest, LongMessagesContinueOnFurtherLines) {
    err_push("layout");
    err_post(6, 12,
             "This warning is long enough to need a continuation line after the first one.%/"
             "Forced break, then a word of seventy letters: " +
                 std::string(70, 'w') + " end.");
    const std::vector<std::string> expected{
        "",
        " *** WARNING  ERROR 12 from layout.  This warning is long enough to need a",
        " ***          continuation line after the first one.",
        " ***          Forced break, then a word of seventy letters:",
        " ***          " + std::string(64, 'w'),
        " ***          wwwwww end.",
        "     Here is a traceback of subprogram calls in reverse order:",
    };
    ASSERT_GE(m_printed.size(), expected.size());
    EXPECT_EQ(std::vector(m_printed.begin(), m_printed.begin() + 7), expected);
    err_pop("layout");
}

// A warning of type 3 is printed when its level is popped; the error passes up to the caller,
// whose traceback marks the levels called from inside the library.
TEST_F(ErrorStackTest, WarningIsPrintedOnPopAndPassedUp) {
    err_push("outer");
    err_push("inner");
    err_post(3, 4, "Inner warning.");
    EXPECT_TRUE(m_printed.empty());
    EXPECT_EQ(err_level_type(0), 3);
    err_pop("inner");
    const std::vector<std::string> expected{
        "",
        " *** WARNING  ERROR 4 from inner.  Inner warning.",
        "     Here is a traceback of subprogram calls in reverse order:",
        "     Routine name                    Error type  Error code",
        "     ------------                    ----------  ----------",
        "     inner                                3           4    (Called internally)",
        "     outer                                0           0",
    };
    ASSERT_GE(m_printed.size(), expected.size());
    EXPECT_EQ(std::vector(m_printed.begin(), m_printed.begin() + 7), expected);
    EXPECT_EQ(err_level_type(1), 3);
    err_pop("outer");
}

// Notes and alerts stay at their level; nothing is printed for them.
TEST_F(ErrorStackTest, NotesAndAlertsAreNeitherPrintedNorPassedUp) {
    err_push("caller");
    for (const int32_t type : {1, 2}) {
        err_push("quiet");
        err_post(type, 1, "Quiet.");
        EXPECT_EQ(err_level_type(0), type);
        err_pop("quiet");
    }
    EXPECT_TRUE(m_printed.empty());
    EXPECT_EQ(err_level_type(0), 2); // an alert passes up, unprinted
    err_pop("caller");
}

TEST_F(ErrorStackTest, NamesCompareOverThirtyTwoCharacters) {
    const std::string long_name = "a_routine_name_of_more_than_32_characters";
    err_push(long_name);
    // Only the first 32 characters are kept, so a name differing after them matches.
    err_pop(long_name.substr(0, 32) + "_different_tail");
    err_push("padded");
    err_pop("padded   ");
    EXPECT_TRUE(m_printed.empty());
}

} // namespace
