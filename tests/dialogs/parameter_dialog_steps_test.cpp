// The parameter dialog's steps against a stand-in for its windows: the texts written into the
// fields, and the dialog shown again with the values as typed and a message.
#include "app/activities.h"
#include "app/parameter_dialog.h"
#include "runtime/cp1251.h"
#include "tests/dialogs/fake_dialog_windows.h"

#include <gtest/gtest.h>

namespace {

// Template items of the parameter dialog.
constexpr size_t START_ITEM = 0;
constexpr size_t LEAVE_ITEM = 1;
constexpr size_t DISTANCE_ITEM = 3;
constexpr size_t DIAGONAL_ITEM = 7;
constexpr size_t NY_ITEM = 15;
constexpr size_t NX_ITEM = 16;
constexpr size_t VOLUME_ITEM = 17;

class ParameterDialogSteps : public testing::Test {
protected:
    void SetUp() override {
        dialogs::set_dialog_window_port(&m_windows);
        while (dialogs::take_dialog_event()) {
        }
    }
    void TearDown() override { dialogs::set_dialog_window_port(nullptr); }

    FakeWindows m_windows;
};

} // namespace

TEST_F(ParameterDialogSteps, FieldsShowTheDefaultsRightJustified) {
    m_windows.on_open[1] = {{START_ITEM, DIALOG_CLICKED}};
    app_ask_parameters();
    const std::map<size_t, std::string>& shown = m_windows.windows[1].texts;
    EXPECT_EQ(shown.at(DISTANCE_ITEM), " 200.0");
    EXPECT_EQ(shown.at(DIAGONAL_ITEM), " 17.70");
    EXPECT_EQ(shown.at(NY_ITEM), " 768");
    EXPECT_EQ(shown.at(NX_ITEM), "1024");
    EXPECT_EQ(shown.at(VOLUME_ITEM), " 100");
    EXPECT_EQ(cp1251_to_utf8(shown.at(START_ITEM)), "Начать работу");
    EXPECT_EQ(cp1251_to_utf8(shown.at(LEAVE_ITEM)), "Выйти из программы");
    const ViewingParameters& accepted = app_viewing_parameters();
    EXPECT_FLOAT_EQ(accepted.distance_cm, 200.0f);
    EXPECT_FLOAT_EQ(accepted.diagonal_in, 17.7f);
    EXPECT_EQ(accepted.screen_nx, 1024);
    EXPECT_EQ(accepted.screen_ny, 768);
    EXPECT_EQ(accepted.training_volume, 100);
}

TEST_F(ParameterDialogSteps, RefusedDialogComesBackAsTypedWithItsMessage) {
    m_windows.typed[1] = {{DISTANCE_ITEM, "75"}, {NX_ITEM, "0"}};
    m_windows.on_open[1] = {{START_ITEM, DIALOG_CLICKED}};
    m_windows.typed[2] = {{NX_ITEM, "1280"}};
    m_windows.on_open[2] = {{START_ITEM, DIALOG_CLICKED}};
    app_ask_parameters();
    EXPECT_EQ(m_windows.windows[2].texts.at(DISTANCE_ITEM), "75");
    EXPECT_EQ(m_windows.windows[2].texts.at(NX_ITEM), "0");
    EXPECT_EQ(m_windows.messages[2], "Nx: нужно целое число пикселов от 320 до 9999.");
    EXPECT_EQ(m_windows.messages.count(1), 0u);
    // The refused field has the focus, its text selected, so that typing replaces it.
    EXPECT_EQ(m_windows.focused.at(2), NX_ITEM);
    EXPECT_EQ(m_windows.focused.count(1), 0u);
    EXPECT_FLOAT_EQ(app_viewing_parameters().distance_cm, 75.0f);
    EXPECT_EQ(app_viewing_parameters().screen_nx, 1280);
}
