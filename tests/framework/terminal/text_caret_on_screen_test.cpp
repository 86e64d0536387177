// The text caret on screen: its place after text output, shown only with the focus, moving with
// scrolling, and drawn over the view without touching the surface.
#include "framework/terminal/text_output.h"
#include "framework/windows/child_window.h"
#include "platform/ui/child_view.h"
#include "runtime/units.h"
#include "tests/framework/program/drawing_window.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int32_t CELL_WIDTH = 8;
constexpr int32_t CELL_HEIGHT = 16;
constexpr int32_t UNIT = 7;

bool same_caret(const ui::CaretSpec& a, const ui::CaretSpec& b) {
    return a.enabled == b.enabled && a.x == b.x && a.y == b.y && a.width == b.width &&
           a.height == b.height;
}

std::string describe(const ui::CaretSpec& caret) {
    return (caret.enabled ? "enabled at " : "disabled at ") + std::to_string(caret.x) + "," +
           std::to_string(caret.y) + " " + std::to_string(caret.width) + "x" +
           std::to_string(caret.height);
}

// Gives the window's view the keyboard focus, as a click on it would.
void focus_view(int32_t number) {
    ui_test::main_window()->activateWindow();
    ui::activate_view(number);
    ui_test::surface_widget(number)->parentWidget()->setFocus();
    ui_test::pump_until([&] { return ui_test::surface_widget(number)->parentWidget()->hasFocus(); },
                        1s);
}

void write(int32_t number, const std::string& text) {
    ASSERT_EQ(gw_write_text(text.data(), static_cast<int32_t>(text.size()), number),
              static_cast<int32_t>(text.size()));
}

QImage shown(int32_t number) {
    return ui_test::surface_widget(number)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

raster::Bitmap surface_copy(int32_t number) {
    framework::SurfaceAccess access(framework::window_record(number)->surface);
    return access.bitmap();
}

// A unit's window of `width` x `height` pixels in 8 x 16 cells.
class TextCaretTest : public ::testing::Test {
protected:
    void open(int16_t width, int16_t height) {
        m_number = ui_test::open_drawing_window(UNIT, width, height, "caret",
                                                framework::cell_size(CELL_WIDTH, CELL_HEIGHT));
        ASSERT_GT(m_number, 0);
    }
    void TearDown() override { rt_close(UNIT); }

    void reconfigure() {
        gw_window_config config;
        config.surface_width = 400;
        config.surface_height = 200;
        config.font_cell = framework::cell_size(CELL_WIDTH, CELL_HEIGHT);
        ASSERT_EQ(gw_set_window_config(config), 1);
    }

    // The view's caret once the GUI thread has taken the latest one.
    ui::CaretSpec caret_when(const ui::CaretSpec& expected) {
        ui_test::pump_until([&] { return same_caret(ui::view_state(m_number).caret, expected); },
                            500ms);
        return ui::view_state(m_number).caret;
    }

    int32_t m_number = 0;
};

// A 400 x 200 surface holds 12 rows of 50 cells; the cursor's cell (row r, column c) is at pixel
// ((c - 1) x 8, (r - 1) x 16).
TEST_F(TextCaretTest, CaretStandsAtTheCursorAfterTextAndAConfigurationHidesIt) {
    open(400, 200);
    std::string fourteen_lines;
    for (int32_t line = 1; line <= 14; ++line)
        fourteen_lines += "line " + std::to_string(line) + "\n";
    const struct {
        const char* what;
        std::vector<std::string> writes;
        bool reconfigure_after;
        ui::CaretSpec caret;
    } CASES[] = {
        {"a fresh configuration shows none", {}, false, {false, 0, 0, 0, 0}},
        {"after a text, on the cell after it", {"abc"}, false, {true, 24, 0, 2, 16}},
        {"after a line feed, at the next row's start", {"abc\n"}, false, {true, 0, 16, 2, 16}},
        {"after the text window scrolled, on its last row",
         {fourteen_lines + "ab"},
         false,
         {true, 16, 11 * 16, 2, 16}},
        {"a configuration hides it", {"abc"}, true, {false, 0, 0, 0, 0}},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.what);
        reconfigure();
        for (const std::string& text : c.writes)
            write(m_number, text);
        if (c.reconfigure_after)
            reconfigure();
        const ui::CaretSpec caret = caret_when(c.caret);
        EXPECT_TRUE(same_caret(caret, c.caret)) << describe(caret);
    }
}

TEST_F(TextCaretTest, CaretIsVisibleOnlyWhileTheViewHasTheFocus) {
    open(400, 200);
    focus_view(m_number);
    write(m_number, "abc");
    caret_when({true, 24, 0, 2, 16});
    EXPECT_TRUE(ui::view_state(m_number).caret_visible);

    // Another child window takes the focus, then gives it back.
    const int32_t other = ui_test::open_drawing_window(UNIT + 1, 200, 100, "other");
    focus_view(other);
    EXPECT_FALSE(ui::view_state(m_number).caret_visible);
    EXPECT_TRUE(ui::view_state(m_number).caret.enabled) << "enabled still, only not shown";
    focus_view(m_number);
    EXPECT_TRUE(ui::view_state(m_number).caret_visible);
    rt_close(UNIT + 1);
}

// The offscreen platform keeps the caret steady, so what the view shows is certain: the
// surface, with the caret's pixels inverted where the scroll position puts it.
TEST_F(TextCaretTest, CaretIsDrawnOverTheViewAndNeverIntoTheSurface) {
    open(2000, 1500);
    write(m_number, "\n\n\n\nabc");
    focus_view(m_number);
    const ui::CaretSpec caret = caret_when({true, 24, 64, 2, 16});
    ASSERT_TRUE(ui::view_state(m_number).caret_visible) << describe(caret);
    ui::scroll_view_to(m_number, CELL_WIDTH, CELL_HEIGHT);
    ui_test::pump(30ms);
    const ui::ViewState state = ui::view_state(m_number);
    ASSERT_EQ(state.scroll_x, CELL_WIDTH);
    ASSERT_EQ(state.scroll_y, CELL_HEIGHT);
    ASSERT_EQ(state.device_pixel_ratio, 1.0);

    const raster::Bitmap surface = surface_copy(m_number);
    const QImage with_caret = shown(m_number);
    const auto inside_caret = [&](int32_t x, int32_t y) {
        return x >= caret.x && x < caret.x + caret.width && y >= caret.y &&
               y < caret.y + caret.height;
    };
    int32_t inverted = 0;
    int32_t wrong = 0;
    for (int32_t y = 0; y < with_caret.height(); ++y)
        for (int32_t x = 0; x < with_caret.width(); ++x) {
            const int32_t surface_x = x + state.scroll_x;
            const int32_t surface_y = y + state.scroll_y;
            const uint32_t drawn = surface.pixel(surface_x, surface_y) | 0xFF000000u;
            const uint32_t expected =
                inside_caret(surface_x, surface_y) ? drawn ^ 0x00FFFFFFu : drawn;
            inverted += inside_caret(surface_x, surface_y) ? 1 : 0;
            wrong += with_caret.pixel(x, y) != expected ? 1 : 0;
        }
    EXPECT_EQ(inverted, caret.width * caret.height);
    EXPECT_EQ(wrong, 0);

    // Without the focus the view is the surface again, and the surface never changed.
    const int32_t other = ui_test::open_drawing_window(UNIT + 1, 200, 100, "other");
    focus_view(other);
    ui_test::pump(30ms);
    const QImage without_caret = shown(m_number);
    wrong = 0;
    for (int32_t y = 0; y < without_caret.height(); ++y)
        for (int32_t x = 0; x < without_caret.width(); ++x)
            wrong += without_caret.pixel(x, y) !=
                             (surface.pixel(x + state.scroll_x, y + state.scroll_y) | 0xFF000000u)
                         ? 1
                         : 0;
    EXPECT_EQ(wrong, 0);
    const raster::Bitmap after = surface_copy(m_number);
    EXPECT_TRUE(std::equal(surface.data(), surface.data() + surface.width() * surface.height(),
                           after.data()));
    rt_close(UNIT + 1);
}

} // namespace
