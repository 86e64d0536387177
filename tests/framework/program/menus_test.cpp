// Menus: the application's items, identifiers, the label rule, About, dispatch and states.
#include "framework/program/builtin_commands.h"
#include "framework/program/menus.h"
#include "framework/program/program_state.h"
#include "framework/program/status_bar.h"
#include "platform/ui/child_view.h"
#include "platform/ui/frame_internal.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/window_hooks.h"
#include "tests/framework/program/drawing_window.h"
#include "tests/framework/program/ui_environment.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

int32_t plain_callback(int32_t) {
    return 0;
}

// The frame shows the application's menu bar only while a child window is active: each test
// starts with one. The application's three items are made again after each test (with new
// identifiers).
class MenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_test::message_log().boxes.clear();
        static const int32_t window = ui_test::open_drawing_window(31, 200, 120);
        m_window = window;
        ui::activate_view(m_window);
        ASSERT_TRUE(ui_test::pump_until([] { return ui::top_level_labels().size() == 3; }));
    }
    void TearDown() override {
        framework::reset_menus();
        ui_test::install_initial_menus();
        ui_test::pump(20ms);
    }

    int32_t m_window = 0;
};

TEST_F(MenusTest, InitialSettingsMadeThreeTopLevelCommands) {
    const auto items = framework::menu_bar_items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].label, "&Выход");
    EXPECT_EQ(items[0].command, 1101);
    EXPECT_EQ(items[1].label, "&Итоги_тренировок");
    EXPECT_EQ(items[1].command, 1102);
    // The About routine carries its built-in command and uses up no application identifier.
    EXPECT_EQ(items[2].command, 1018);
    for (const auto& item : items)
        EXPECT_FALSE(item.drop_down);
    // No default tree: the status bar item is nowhere.
    EXPECT_FALSE(framework::command_present(1015));
    const auto labels = ui::top_level_labels();
    EXPECT_EQ(labels, (std::vector<std::string>{"&Выход", "&Итоги_тренировок", "&Инструкция"}));
}

TEST_F(MenusTest, ChoosingAnItemCallsItsCallbackOnTheGuiThreadUnlessPaused) {
    ui_test::clear_trace_events();
    const int32_t before = ui_test::menu_calls().second;
    ASSERT_TRUE(ui::choose_top_level_item("Итоги_тренировок"));
    EXPECT_EQ(ui_test::menu_calls().second, before + 1);
    EXPECT_EQ(ui_test::menu_calls().last_checked, 0);
    const auto events = ui_test::trace_events();
    EXPECT_NE(std::find(events.begin(), events.end(), "menu label=Итоги_тренировок"), events.end());

    gw_set_run_state(GW_PAUSED);
    ASSERT_TRUE(ui::choose_top_level_item("Итоги_тренировок"));
    EXPECT_EQ(ui_test::menu_calls().second, before + 1);
    gw_set_run_state(GW_RUNNING);

    // A checked item passes 1.
    gw_set_menu_item_state(2, 0, GW_MENU_CHECKED);
    ui_test::pump(20ms);
    ASSERT_TRUE(ui::choose_top_level_item("Итоги_тренировок"));
    EXPECT_EQ(ui_test::menu_calls().last_checked, 1);
    EXPECT_FALSE(ui::choose_top_level_item("Нет такого"));
}

TEST_F(MenusTest, AboutShowsTheTextUnderTheProgramTitle) {
    std::string text;
    for (int index = 0; index < 512; ++index)
        text += "Ж"; // 512 characters, 1024 bytes
    ASSERT_EQ(gw_set_about_text(text.c_str()), 0);
    EXPECT_EQ(gw_set_about_text((text + "Ж").c_str()), -1);
    EXPECT_EQ(framework::about_text(), text);
    ASSERT_TRUE(ui::choose_top_level_item("Инструкция"));
    // The command ends with its box still to come, so that a scripted user is not held up.
    EXPECT_TRUE(ui_test::message_log().boxes.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(ui_test::message_log().boxes.size(), 1u);
    const ui::MessageBoxSpec& box = ui_test::message_log().boxes[0];
    EXPECT_EQ(box.kind, ui::MessageKind::information);
    EXPECT_EQ(box.caption, framework::program_title());
    EXPECT_EQ(box.text, text);
}

TEST_F(MenusTest, LabelRuleAndTurningACommandIntoADropDown) {
    ASSERT_EQ(gw_append_menu_item(4, 4, "Tools", plain_callback), 1);
    const int32_t tools = framework::menu_bar_items()[3].command;
    ASSERT_EQ(gw_append_menu_item(4, GW_MENU_CHECKED, "E&xit", plain_callback), 1);
    ASSERT_EQ(gw_append_menu_item(4, 4, "Tile", gw_menu_tile), 1);
    const auto items = framework::menu_bar_items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3].label, "&Tools");
    EXPECT_TRUE(items[3].drop_down);
    ASSERT_EQ(items[3].items.size(), 2u);
    EXPECT_EQ(items[3].items[0].label, "E&xit");
    EXPECT_EQ(items[3].items[0].command, tools + 1);
    EXPECT_EQ(items[3].items[0].flags, GW_MENU_CHECKED);
    EXPECT_EQ(items[3].items[1].command, 1011);

    // Out of range: menu 0 and two past the last.
    EXPECT_EQ(gw_append_menu_item(0, 4, "x", plain_callback), 0);
    EXPECT_EQ(gw_append_menu_item(6, 4, "x", plain_callback), 0);
    EXPECT_EQ(gw_insert_menu_item(4, 4, 4, "x", plain_callback), 0);

    ui_test::pump(20ms);
    QMenu* menu = ui_test::main_window()->menuBar()->actions()[3]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions()[0]->text().toStdString(), "E&xit");
    EXPECT_TRUE(menu->actions()[0]->isChecked());
}

TEST_F(MenusTest, EveryTwentiethItemStartsAColumnAndIdentifiersAreNotReused) {
    ASSERT_EQ(gw_append_menu_item(4, 4, "Many", plain_callback), 1);
    for (int index = 0; index < 41; ++index)
        ASSERT_EQ(gw_append_menu_item(4, 4, "item", plain_callback), 1);
    const auto items = framework::menu_bar_items()[3].items;
    ASSERT_EQ(items.size(), 41u);
    for (size_t index = 0; index < items.size(); ++index)
        EXPECT_EQ(items[index].column_break, index == 20 || index == 40) << index;
    const int32_t last = items.back().command;
    ASSERT_EQ(gw_delete_menu_item(4, 41), 1);
    ASSERT_EQ(gw_append_menu_item(4, 4, "again", plain_callback), 1);
    EXPECT_EQ(framework::menu_bar_items()[3].items.back().command, last + 1);
}

TEST_F(MenusTest, StatesTextsAndInsertion) {
    ASSERT_EQ(gw_insert_menu_item(1, 0, 4, "First", plain_callback), 1);
    EXPECT_EQ(framework::menu_bar_items()[0].label, "&First");
    EXPECT_EQ(framework::menu_bar_items()[1].label, "&Выход");
    ASSERT_EQ(gw_set_menu_item_state(1, 0, GW_MENU_GREYED), 1);
    EXPECT_EQ(framework::menu_bar_items()[0].flags, GW_MENU_GREYED);
    ASSERT_EQ(gw_set_menu_item_state(1, 0, GW_MENU_ENABLED), 1);
    EXPECT_EQ(framework::menu_bar_items()[0].flags, 0);
    // A check request wins over an enable request given with it.
    ASSERT_EQ(gw_set_menu_item_state(1, 0, GW_MENU_CHECKED | GW_MENU_GREYED), 1);
    EXPECT_EQ(framework::menu_bar_items()[0].flags, GW_MENU_CHECKED);
    ASSERT_EQ(gw_set_menu_item_text(1, 0, "Renamed"), 1);
    EXPECT_EQ(framework::menu_bar_items()[0].label, "&Renamed");
    EXPECT_EQ(framework::menu_bar_items()[0].flags, GW_MENU_CHECKED);
    EXPECT_EQ(gw_set_menu_item_state(9, 0, GW_MENU_GREYED), 0);
    ui_test::pump(20ms);
    EXPECT_EQ(ui::top_level_labels()[0], "&Renamed");
}

TEST_F(MenusTest, MenuCommandRefusesApplicationCallbacks) {
    EXPECT_EQ(gw_menu_command(plain_callback), -1);
    ASSERT_EQ(ui_test::message_log().boxes.size(), 1u);
    EXPECT_EQ(ui_test::message_log().boxes[0].caption, "Easel Error");
    EXPECT_EQ(gw_menu_command(99), -1);
    EXPECT_EQ(gw_menu_command(gw_menu_about), 0);
    ui_test::pump(20ms);
    ASSERT_EQ(ui_test::message_log().boxes.size(), 3u);
    EXPECT_EQ(ui_test::message_log().boxes[2].caption, framework::program_title());
}

TEST_F(MenusTest, EndOfRunGreysOnlyApplicationItems) {
    framework::set_application_items_greyed(true);
    const auto items = framework::menu_bar_items();
    EXPECT_EQ(items[0].flags & GW_MENU_GREYED, GW_MENU_GREYED);
    EXPECT_EQ(items[1].flags & GW_MENU_GREYED, GW_MENU_GREYED);
    EXPECT_EQ(items[2].flags & GW_MENU_GREYED, 0);
    ui_test::pump(20ms);
    EXPECT_FALSE(ui::choose_top_level_item("Выход"));
}

TEST_F(MenusTest, DefaultTreeOnlyOnAnEmptyBar) {
    EXPECT_FALSE(gw_build_default_menus());
    while (!framework::menu_bar_empty())
        gw_delete_menu_item(1, 0);
    ASSERT_TRUE(gw_build_default_menus());
    const auto items = framework::menu_bar_items();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[4].label, "&Window");
    ASSERT_EQ(items[4].items.size(), 6u);
    EXPECT_EQ(items[4].items[3].command, 1023);
    EXPECT_EQ(items[4].items[3].flags, GW_MENU_GREYED);
    EXPECT_TRUE(framework::command_present(1015));
    // Deleting a built-in item clears its mark; a separator or unknown command is refused.
    ASSERT_EQ(gw_delete_menu_item(5, 6), 1);
    EXPECT_FALSE(framework::command_present(1015));
}

TEST_F(MenusTest, WithoutAnActiveChildWindowTheMinimalBarShowsAndNothingIsForwarded) {
    // With no child window shown none is active.
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* window : ui::detail::mdi_area()->subWindowList())
        if (window->isVisible())
            shown.push_back(window);
    for (QMdiSubWindow* window : shown)
        window->hide();
    ui::detail::mdi_area()->setActiveSubWindow(nullptr);
    ASSERT_TRUE(ui_test::pump_until([] { return !ui::child_window_active(); }));
    ASSERT_TRUE(
        ui_test::pump_until([] { return ui::top_level_labels() == std::vector<std::string>{""}; }));
    // The empty item does nothing; the application's commands, chosen anyhow, are not carried
    // out, and neither is a built-in one.
    const ui_test::MenuCalls before = ui_test::menu_calls();
    ASSERT_TRUE(ui::choose_top_level_item(""));
    const int32_t second = framework::menu_bar_items()[1].command;
    ui::window_hooks().on_menu_command(second, false);
    ui::window_hooks().on_menu_command(framework::COMMAND_ABOUT, false);
    ui_test::pump(20ms);
    EXPECT_EQ(ui_test::menu_calls().second, before.second);
    EXPECT_TRUE(ui_test::message_log().boxes.empty());

    // Showing and activating the window brings the application's bar back, and its commands
    // work again.
    for (QMdiSubWindow* window : shown)
        window->show();
    ui::activate_view(m_window);
    ASSERT_TRUE(ui_test::pump_until([] { return ui::top_level_labels().size() == 3; }));
    ASSERT_TRUE(ui::choose_top_level_item("Итоги_тренировок"));
    EXPECT_EQ(ui_test::menu_calls().second, before.second + 1);
}

TEST_F(MenusTest, WindowListNamesTheShownChildWindowsAndActivatesTheChosenOne) {
    // A plain command has no drop-down to list the windows in.
    EXPECT_EQ(gw_set_window_list_menu(1), 0);
    EXPECT_EQ(gw_set_window_list_menu(4), 0);
    ASSERT_EQ(gw_append_menu_item(4, 4, "Окна", plain_callback), 1);
    ASSERT_EQ(gw_append_menu_item(4, 4, "Упорядочить", gw_menu_tile), 1);
    ASSERT_EQ(gw_set_window_list_menu(4), 1);
    const int32_t second = ui_test::open_drawing_window(32, 160, 100, "Второе");
    ASSERT_TRUE(ui_test::pump_until([] { return ui::window_list_labels().size() == 2; }));
    // The hidden default window is not listed.
    EXPECT_EQ(ui::window_list_labels(),
              (std::vector<std::string>{"&1 Тренажер для глаз", "&2 Второе"}));
    ui::activate_view(second);
    ASSERT_TRUE(ui_test::pump_until([&] { return ui::active_view() == second; }));
    ASSERT_TRUE(ui::choose_window_list_item(0));
    ASSERT_TRUE(ui_test::pump_until([&] { return ui::active_view() == m_window; }));
    EXPECT_FALSE(ui::choose_window_list_item(2));
    // Deleting the drop-down ends the list.
    ASSERT_EQ(gw_delete_menu_item(4, 0), 1);
    ui_test::pump(20ms);
    EXPECT_TRUE(ui::window_list_labels().empty());
    gw_close_child_window(second, 0);
}

TEST(StatusMessageTest, MessageSetDuringAWaitShowsWhenTheWaitEnds) {
    gw_set_status_message("before");
    gw_begin_input_wait("Mouse input pending in Graphic1", 1024);
    EXPECT_EQ(framework::status_message(), "Mouse input pending in Graphic1");
    gw_set_status_message("during");
    EXPECT_EQ(framework::status_message(), "Mouse input pending in Graphic1");
    gw_end_input_wait();
    EXPECT_EQ(framework::status_message(), "during");
    // "during" replaced the remembered "before" while the wait went on.
    gw_clear_status_message();
    EXPECT_EQ(framework::status_message(), "");
    ui_test::pump(std::chrono::milliseconds(20));
    EXPECT_EQ(ui::status_message(), "");
}

} // namespace
