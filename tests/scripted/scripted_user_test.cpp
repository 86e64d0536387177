// The scripted user's target: input through the real paths, menus, keys and snapshots.
#include "framework/graphics/gw_graphics.h"
#include "framework/program/mouse.h"
#include "platform/raster/png.h"
#include "platform/ui/child_view.h"
#include "runtime/units.h"
#include "scripted/scripted_user.h"
#include "tests/framework/program/drawing_window.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using scripted::ScriptButtons;
using scripted::ScriptPoint;

struct Event {
    int32_t event, key_state, x, y;
    friend bool operator==(const Event&, const Event&) = default;
};

std::vector<Event>& events() {
    static std::vector<Event> recorded;
    return recorded;
}

int32_t record(int32_t, int32_t event, int32_t key_state, int32_t x, int32_t y) {
    events().push_back({event, key_state, x, y});
    return 0;
}

class ScriptTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        events().clear();
        m_window = ui_test::open_drawing_window(1, 1200, 900);
        ASSERT_EQ(gw_register_mouse_callback(1, 27, record), 0);
    }
    void TearDown() override { rt_close(1); }
    int32_t m_window = 0;
};

TEST_F(ScriptTargetTest, PressesReachTheCallbackAtTheSurfacePixel) {
    scripted::ScriptTarget& target = scripted::script_target();
    ui::scroll_view_to(m_window, 100, 50);
    EXPECT_TRUE(target.press(ScriptButtons::left, ScriptPoint{150, 80}).done);
    EXPECT_TRUE(target.press(ScriptButtons::right, ScriptPoint{150, 80}).done);
    EXPECT_TRUE(target.release(ScriptButtons::both, ScriptPoint{151, 81}).done);
    // Without a point: the surface's centre.
    EXPECT_TRUE(target.press(ScriptButtons::right, std::nullopt).done);
    EXPECT_EQ(events(), (std::vector<Event>{{1, 1, 150, 80},
                                            {8, 3, 150, 80},
                                            {2, 2, 151, 81},
                                            {16, 0, 151, 81},
                                            {8, 2, 600, 450}}));
    EXPECT_TRUE(target.release(ScriptButtons::right, std::nullopt).done);
}

TEST_F(ScriptTargetTest, MenuKeyAndDialogActions) {
    scripted::ScriptTarget& target = scripted::script_target();
    const int32_t before = ui_test::menu_calls().second;
    EXPECT_TRUE(target.menu("Итоги_тренировок").done);
    EXPECT_EQ(ui_test::menu_calls().second, before + 1);
    EXPECT_FALSE(target.menu("Нет").done);
    EXPECT_TRUE(target.key("Enter").done);
    EXPECT_TRUE(target.key("a").done);
    EXPECT_FALSE(target.key("NoSuchKey").done);
    const scripted::ScriptActionResult dialog = target.dialog_press(1);
    EXPECT_FALSE(dialog.done);
    EXPECT_EQ(dialog.reason, "no dialog on screen");
    EXPECT_FALSE(target.dialog_set(1001, "200").done);
}

TEST_F(ScriptTargetTest, SnapshotWritesTheSurfaceExactlyAndTheFrame) {
    gw_set_color_rgb(0x00FF00);
    gw_move_to(10, 10, nullptr);
    gw_line_to(1100, 850);
    const test_support::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    ASSERT_TRUE(scripted::script_target().snapshot(folder.string(), "shot").done);
    const std::optional<raster::Bitmap> surface = raster::read_png(folder / "shot.png");
    ASSERT_TRUE(surface);
    framework::SurfaceAccess access(framework::window_record(m_window)->surface);
    EXPECT_TRUE(*surface == access.bitmap());
    const std::optional<raster::Bitmap> frame = raster::read_png(folder / "shot-frame.png");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width(), ui_test::main_window()->width());
}

} // namespace
