// Units opened as windows on the framework: their titles, their records as text, closing with
// and without keeping the window, and the standard units in the default window.
#include "framework/program/text_units.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "runtime/cp1251.h"
#include "runtime/units.h"
#include "runtime/window_units.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TextUnitsTest : public ::testing::Test {
protected:
    void SetUp() override { framework::attach_text_units(); }
    void TearDown() override { rt_set_window_unit_hooks({}); }

    static std::vector<std::string> stored(int32_t window_number) {
        gw_child_window* window = gw_find_window(window_number);
        if (!window)
            return {};
        framework::SurfaceAccess access(window->surface);
        std::vector<std::string> texts;
        for (const framework::TextRun& run : window->text_window.store)
            texts.push_back(cp1251_to_utf8(run.text));
        return texts;
    }
};

TEST_F(TextUnitsTest, UnitWindowsAreTitledByTheOpenOrByTheirUnit) {
    const struct {
        int32_t unit;
        const char* title; // nullptr: opened on "USER"
        const char* shown;
    } CASES[] = {
        {7, nullptr, "Unit 7"},
        {12, "", "Unit 12"},
        {8, "Итоги тренировок", "Итоги тренировок"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.shown);
        const int status = c.title
                               ? rt_open_window(c.unit, c.title)
                               : rt_open(c.unit, "USER", RtOpenStatus::unknown, RtPosition::asis);
        ASSERT_EQ(status, RT_IOSTAT_OK);
        const std::optional<int32_t> window = rt_unit_window(c.unit);
        ASSERT_TRUE(window.has_value());
        EXPECT_EQ(gw_window_title(*window), c.shown);
        // The unit's window takes the focus: it is the opening thread's active window.
        EXPECT_EQ(framework::thread_active_window(), *window);
        EXPECT_EQ(gw_find_window(*window)->placement.state, 4);
        EXPECT_EQ(gw_find_window(*window)->placement.x, GW_PLACEMENT_DEFAULT);
        rt_close(c.unit);
        EXPECT_EQ(gw_find_window(*window), nullptr);
    }
}

TEST_F(TextUnitsTest, RecordsBecomeLinesAndAKeptWindowKeepsThem) {
    ASSERT_EQ(rt_open_window(9, "Журнал"), RT_IOSTAT_OK);
    const int32_t window = *rt_unit_window(9);
    rt_write_line(9, utf8_to_cp1251("первая"));
    rt_write_line(9, "");
    rt_write_line(9, "third");
    EXPECT_EQ(stored(window), (std::vector<std::string>{"первая", "third"}));
    EXPECT_EQ(gw_find_window(window)->text_window.cursor_row, 4);

    rt_close(9, RtWindowClose::keep);
    ASSERT_NE(gw_find_window(window), nullptr);
    EXPECT_EQ(gw_find_window(window)->slot_state(), WindowSlotState::closed);
    EXPECT_EQ(gw_window_title(window), "Журнал-Closed");
    EXPECT_EQ(stored(window), (std::vector<std::string>{"первая", "third"}));
    EXPECT_FALSE(rt_unit_window(9).has_value());
    gw_close_child_window(window, 0);
}

TEST_F(TextUnitsTest, StandardUnitsWriteToTheDefaultWindow) {
    const int32_t default_window = gw_default_window();
    rt_write_line(RT_STANDARD_OUTPUT_UNIT, "out");
    rt_write_line(RT_STANDARD_ERROR_UNIT, "err");
    const std::vector<std::string> texts = stored(default_window);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "out");
    EXPECT_EQ(texts.back(), "err");
    EXPECT_EQ(gw_find_window(default_window)->configured.load(), 1);
}

} // namespace
