// Help on menu items: F1 over a highlighted item, help mode's topics and boxes, the help file's
// lookup.
#include "framework/program/menu_help.h"
#include "framework/program/menus.h"
#include "framework/program/program_state.h"
#include "platform/ui/child_view.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/menu_help.h"
#include "tests/framework/program/drawing_window.h"
#include "tests/framework/program/ui_environment.h"
#include "tests/support/temp_folder.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;

const std::string NO_HELP = "Help not available for menu item";

void write_file(const std::filesystem::path& path) {
    std::ofstream(path) << "help\n";
}

bool traced(const std::string& line) {
    const auto events = ui_test::trace_events();
    return std::find(events.begin(), events.end(), line) != events.end();
}

std::vector<std::string> help_events() {
    std::vector<std::string> found;
    for (const std::string& event : ui_test::trace_events())
        if (event.starts_with("help "))
            found.push_back(event);
    return found;
}

QAction* bar_item(const std::string& label) {
    for (QAction* action : ui_test::main_window()->menuBar()->actions())
        if (action->text().remove(QLatin1Char('&')).toStdString() == label)
            return action;
    return nullptr;
}

void press_f1(QWidget& widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

// The help file of these tests is named by NORVEL_HLP before the first help request, which
// finds it once for the process. No real viewer is ever started: the opener records the files
// it is given and answers with `viewer_starts`.
class MenuHelpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static test_support::TempFolder folder;
        s_help_file = (folder.path() / "help.hlp").string();
        write_file(s_help_file);
        setenv("NORVEL_HLP", s_help_file.c_str(), 1);
    }

    void SetUp() override {
        ui::set_help_file_opener([this](const std::string& path) {
            m_opened.push_back(path);
            return m_viewer_starts;
        });
        ui_test::message_log().boxes.clear();
        static const int32_t window = ui_test::open_drawing_window(34, 200, 120);
        ui::activate_view(window);
        ASSERT_TRUE(ui_test::pump_until([] { return ui::top_level_labels().size() == 3; }));
        ui_test::clear_trace_events();
    }
    void TearDown() override {
        gw_set_run_state(GW_RUNNING);
        framework::reset_menus();
        ui_test::install_initial_menus();
        ui_test::pump(20ms);
    }

    // Lets boxes shown later come up, and returns their texts.
    static std::vector<std::string> box_texts() {
        QCoreApplication::processEvents();
        std::vector<std::string> texts;
        for (const ui::MessageBoxSpec& box : ui_test::message_log().boxes) {
            EXPECT_EQ(box.caption, framework::program_title());
            EXPECT_EQ(box.buttons, ui::MessageButtons::ok);
            texts.push_back(box.text);
        }
        return texts;
    }

    static inline std::string s_help_file;
    std::vector<std::string> m_opened;
    bool m_viewer_starts = true;
};

// F1 works while the program is paused too, and the About box of "Инструкция" does not come.
TEST_F(MenuHelpTest, F1OnHighlightedInstructionOpensItsTopicInsteadOfAbout) {
    gw_set_run_state(GW_PAUSED);
    QMenuBar* bar = ui_test::main_window()->menuBar();
    QAction* item = bar_item("Инструкция");
    ASSERT_NE(item, nullptr);
    bar->setActiveAction(item);
    ASSERT_EQ(bar->activeAction(), item);
    press_f1(*bar);

    EXPECT_EQ(m_opened, std::vector<std::string>{s_help_file});
    EXPECT_EQ(help_events(), std::vector<std::string>{"help file=" + s_help_file + " topic=1001"});
    EXPECT_FALSE(traced("menu label=Инструкция"));
    EXPECT_TRUE(box_texts().empty());
    EXPECT_EQ(bar->activeAction(), nullptr);
}

// An application command has no topic; it is not carried out, and the next ordinary choice is.
TEST_F(MenuHelpTest, F1OnAnApplicationItemSaysThereIsNoHelpAndCallsNothing) {
    const int32_t calls = ui_test::menu_calls().second;
    QMenuBar* bar = ui_test::main_window()->menuBar();
    bar->setActiveAction(bar_item("Итоги_тренировок"));
    press_f1(*bar);
    EXPECT_EQ(ui_test::menu_calls().second, calls);
    EXPECT_EQ(box_texts(), std::vector<std::string>{NO_HELP});
    EXPECT_FALSE(traced("menu label=Итоги_тренировок"));
    EXPECT_TRUE(m_opened.empty());

    ASSERT_TRUE(ui::choose_top_level_item("Итоги_тренировок"));
    EXPECT_EQ(ui_test::menu_calls().second, calls + 1);
}

// In an open drop-down F1 takes its highlighted item and closes the menu; F1 without a
// highlighted command item is left alone.
TEST_F(MenuHelpTest, F1InAnOpenDropDownTakesTheHighlightedItem) {
    // The first item appended to a new top-level command makes it a drop-down's title.
    ASSERT_EQ(gw_append_menu_item(4, 4, "Окна", gw_menu_tile), 1);
    ASSERT_EQ(gw_append_menu_item(4, 4, "Мозаика", gw_menu_tile), 1);
    ASSERT_EQ(gw_append_menu_item(4, 4, "Каскад", gw_menu_cascade), 1);
    ui_test::pump(20ms);
    QAction* title = bar_item("Окна");
    ASSERT_NE(title, nullptr);
    QMenu* menu = title->menu();
    ASSERT_NE(menu, nullptr);

    QMenuBar* bar = ui_test::main_window()->menuBar();
    bar->setActiveAction(title);
    ASSERT_TRUE(ui_test::pump_until([&] { return menu->isVisible(); }));
    ASSERT_EQ(menu->activeAction(), nullptr);
    press_f1(*menu);
    EXPECT_TRUE(help_events().empty());
    EXPECT_TRUE(menu->isVisible());

    menu->setActiveAction(menu->actions()[1]);
    press_f1(*menu);
    EXPECT_EQ(help_events(), std::vector<std::string>{"help file=" + s_help_file + " topic=1010"});
    EXPECT_TRUE(ui_test::pump_until([&] { return !menu->isVisible(); }));
    EXPECT_TRUE(box_texts().empty());
}

// Help mode through the dispatch, command by command: a topic is opened, anything else says so.
TEST_F(MenuHelpTest, HelpModeOpensTheTopicOfEachBuiltInCommand) {
    const struct {
        int32_t command;
        std::optional<int32_t> topic;
    } cases[] = {
        {1000, 1000}, {1004, 1002}, {1006, 1015}, {1007, 1016}, {1008, 1012}, {1009, 1013},
        {1010, 1010}, {1011, 1011}, {1012, 1009}, {1015, 1008}, {1018, 1001}, {1019, 1017},
        {1020, 1018}, {1021, 1007}, {1022, 1014}, {1023, 1004}, {10, {}},     {11, {}},
        {1001, {}},   {1005, {}},   {1013, {}},   {1016, {}},   {1017, {}},   {1101, {}},
    };
    for (const auto& [command, topic] : cases) {
        ui_test::clear_trace_events();
        ui_test::message_log().boxes.clear();
        m_opened.clear();
        framework::show_menu_help(command);
        if (topic) {
            EXPECT_EQ(help_events(), std::vector<std::string>{"help file=" + s_help_file +
                                                              " topic=" + std::to_string(*topic)})
                << command;
            EXPECT_EQ(m_opened.size(), 1u) << command;
            EXPECT_TRUE(box_texts().empty()) << command;
        } else {
            EXPECT_TRUE(help_events().empty()) << command;
            EXPECT_TRUE(m_opened.empty()) << command;
            EXPECT_EQ(box_texts(), std::vector<std::string>{NO_HELP}) << command;
        }
    }
}

TEST_F(MenuHelpTest, AViewerThatCannotBeStartedIsReported) {
    m_viewer_starts = false;
    ASSERT_TRUE(ui::choose_top_level_item_for_help("Инструкция"));
    EXPECT_EQ(help_events().size(), 1u);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Cannot open the help file " + s_help_file});
}

// The lookup from given values of NORVEL_HLP and PATH.
TEST(HelpFileTest, NamedFileThenPathThenTheBareName) {
    test_support::TempFolder folder;
    const std::filesystem::path named = folder.path() / "named.hlp";
    const std::filesystem::path first = folder.path() / "first";
    const std::filesystem::path second = folder.path() / "second";
    const std::filesystem::path empty = folder.path() / "empty";
    write_file(named);
    for (const auto& directory : {first, second, empty})
        std::filesystem::create_directories(directory);
    write_file(first / "NORVEL.HLP");
    write_file(second / "NORVEL.HLP");
    // A folder that bears the file's name is no help file.
    std::filesystem::create_directories(empty / "NORVEL.HLP");
    const std::string missing = (folder.path() / "missing.hlp").string();
    const std::string path = "::" + empty.string() + ":" + second.string() + ":" + first.string();

    const struct {
        std::string named;
        std::string search_path;
        std::string expected;
    } cases[] = {
        {named.string(), path, named.string()},
        {missing, path, (second / "NORVEL.HLP").string()},
        {"", first.string() + ":", (first / "NORVEL.HLP").string()},
        {missing, empty.string(), "NORVEL.HLP"},
        {"", "", "NORVEL.HLP"},
        {folder.path().string(), "", "NORVEL.HLP"},
    };
    for (const auto& one : cases)
        EXPECT_EQ(framework::find_help_file(one.named, one.search_path), one.expected)
            << one.named << " | " << one.search_path;
}

} // namespace
