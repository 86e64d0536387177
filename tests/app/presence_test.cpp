// Away and back: an answer window's time stands still while the drawing window is away, and the
// status bar asks for a larger window while it is too small.
#include "app/answer_clock.h"
#include "app/presence.h"
#include "app/screen_note.h"
#include "framework/program/status_bar.h"
#include "runtime/clock.h"
#include "runtime/modal_time.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Presence, AnswerTimeLeavesTheAwayTimeOutForEveryReason) {
    const struct {
        const char* reason;
        GwPresence away;
    } cases[] = {
        {"hidden", {.frame_exposed = false, .focus_elsewhere = false, .surface_whole = true}},
        {"focus elsewhere", {.frame_exposed = true, .focus_elsewhere = true, .surface_whole = true}},
        {"too small", {.frame_exposed = true, .focus_elsewhere = false, .surface_whole = false}},
    };
    rt_use_virtual_clock({2026, 12, 10, 10, 0, 0});
    for (const auto& c : cases) {
        const AnswerClock clock;
        rt_clock_advance(500'000);
        app_note_presence(c.away);
        EXPECT_TRUE(rt_modal_away()) << c.reason;
        rt_clock_advance(5'000'000);
        EXPECT_EQ(clock.elapsed_us(), 500'000) << c.reason;
        app_note_presence(GwPresence{});
        EXPECT_FALSE(rt_modal_away()) << c.reason;
        rt_clock_advance(200'000);
        EXPECT_EQ(clock.elapsed_us(), 700'000) << c.reason;
    }
    rt_use_real_clock();
}

TEST(Presence, TooSmallAWindowIsNotedBeforeTheStatusText) {
    app_show_status("Уровень 1.0");
    app_note_presence({.frame_exposed = true, .focus_elsewhere = false, .surface_whole = false});
    const std::string shown = framework::status_message();
    EXPECT_NE(shown.find("Окно мало для картинки"), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with(" Уровень 1.0")) << shown;
    app_note_presence(GwPresence{});
    EXPECT_EQ(framework::status_message(), "Уровень 1.0");
}

} // namespace
