// The dialog layer against a stand-in for its windows: the control table, values by selector, and
// the modal run with its callbacks, writing and reading.
#include "dialogs/dialog.h"
#include "tests/dialogs/fake_dialog_windows.h"

#include <gtest/gtest.h>

namespace {

// Items: 0 static 10, 1 edit 20, 2 push 1, 3 push 2, 4 static -1, 5 static -1, 6 check box 30.
constexpr const char* TEMPLATES = R"(
DIALOG 7 SMALL
CAPTION "Small"
STYLE WS_POPUP WS_CAPTION
SIZE 100 60
FONT 8 "MS Sans Serif"
CONTROL STATIC   10 "Label"  1 1 40 8  WS_CHILD WS_VISIBLE
CONTROL EDIT     20 "abc"    1 12 40 12 WS_CHILD WS_VISIBLE WS_BORDER
CONTROL BUTTON    1 "OK"     1 30 40 14 WS_CHILD WS_VISIBLE BS_PUSHBUTTON
CONTROL BUTTON    2 "Cancel" 50 30 40 14 WS_CHILD WS_VISIBLE BS_DEFPUSHBUTTON
CONTROL STATIC   -1 "one"    50 1 40 8  WS_CHILD WS_VISIBLE
CONTROL STATIC   -1 "two"    50 12 40 8 WS_CHILD WS_VISIBLE
CONTROL BUTTON   30 "Check"  1 45 40 8  WS_CHILD WS_VISIBLE BS_AUTOCHECKBOX
CONTROL LISTICON 40 "left out" 1 50 4 4 WS_CHILD
END
DIALOG 8 RADIOS
CONTROL BUTTON 11 "a" 0 0 1 1 WS_GROUP BS_AUTORADIOBUTTON
CONTROL BUTTON 12 "b" 0 0 1 1 BS_AUTORADIOBUTTON
CONTROL BUTTON 13 "c" 0 0 1 1 BS_AUTORADIOBUTTON
CONTROL STATIC 14 "s" 0 0 1 1 WS_GROUP
CONTROL BUTTON 15 "d" 0 0 1 1 WS_GROUP BS_AUTORADIOBUTTON
END
)";

class DialogLayer : public testing::Test {
protected:
    void SetUp() override {
        dialogs::replace_dialog_templates(TEMPLATES);
        dialogs::set_dialog_window_port(&m_windows);
        while (dialogs::take_dialog_event()) {
        }
        ASSERT_TRUE(dialog_init(7, m_dialog));
    }
    void TearDown() override {
        dialogs::set_dialog_window_port(nullptr);
        dialogs::use_built_in_dialog_templates();
    }

    std::string text_of(int32_t id, size_t length = 10) {
        std::string buffer;
        EXPECT_TRUE(dialog_get_text(m_dialog, id, buffer, length));
        return buffer;
    }

    FakeWindows m_windows;
    DialogRecord m_dialog;
};

} // namespace

TEST_F(DialogLayer, InitBuildsTheControlTableInTemplateOrder) {
    EXPECT_EQ(m_dialog.return_value, 1);
    EXPECT_TRUE(m_dialog.changed);
    EXPECT_EQ(m_dialog.window, 0);
    ASSERT_EQ(m_dialog.controls.size(), 7u) << "an item of an unknown class is left out";
    const ControlType TYPES[] = {ControlType::static_text, ControlType::edit_box,
                                 ControlType::push_button, ControlType::push_button,
                                 ControlType::static_text, ControlType::static_text,
                                 ControlType::check_box};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(m_dialog.controls[i].type, TYPES[i]) << i;
        EXPECT_TRUE(m_dialog.controls[i].logicals[0]) << "enabled";
        EXPECT_EQ(m_dialog.controls[i].texts[0].size(), DIALOG_TEXT_LENGTH);
    }
    EXPECT_EQ(m_dialog.controls[0].texts[0].substr(0, 6), "Label ");
    EXPECT_EQ(text_of(20, 5), "abc  ");
}

TEST_F(DialogLayer, DuplicateIdsAreUnaddressable) {
    EXPECT_TRUE(m_dialog.controls[4].unaddressable);
    EXPECT_TRUE(m_dialog.controls[5].unaddressable);
    EXPECT_FALSE(dialog_set_text(m_dialog, 65535, "x"));
    std::string buffer;
    EXPECT_FALSE(dialog_get_text(m_dialog, 65535, buffer, 5));
    EXPECT_FALSE(dialog_set_text(m_dialog, 99, "x")) << "unknown id";

    // Their template texts are never rewritten by the layer.
    m_windows.on_open[1] = {{2, DIALOG_CLICKED}};
    dialog_run_modal(m_dialog);
    EXPECT_EQ(m_windows.windows[1].texts.count(4), 0u);
    EXPECT_EQ(m_windows.windows[1].texts.count(5), 0u);
}

TEST_F(DialogLayer, TextsAreCutToTheirLengthAndPadded) {
    ASSERT_TRUE(dialog_set_text(m_dialog, 20, std::string(300, 'x')));
    EXPECT_EQ(text_of(20, 300), std::string(256, 'x') + std::string(44, ' '));
    ASSERT_TRUE(dialog_set_text(m_dialog, 20, "12345678901234"));
    EXPECT_EQ(text_of(20, 10), "1234567890");
}

TEST_F(DialogLayer, SelectorsReachOnlyTheValuesATypeHas) {
    std::string buffer;
    EXPECT_TRUE(dialog_get_text(m_dialog, 20, buffer, 3, DIALOG_STATE));
    EXPECT_FALSE(dialog_get_text(m_dialog, 20, buffer, 3, DIALOG_RANGE));
    EXPECT_TRUE(dialog_get_text(m_dialog, 30, buffer, 5, DIALOG_TITLE));
    EXPECT_FALSE(dialog_get_text(m_dialog, 30, buffer, 5)) << "a check box's default is its state";
    bool checked = true;
    EXPECT_TRUE(dialog_get_logical(m_dialog, 30, checked));
    EXPECT_FALSE(checked);
    EXPECT_FALSE(dialog_get_logical(m_dialog, 20, checked, DIALOG_STATE));
    int32_t integer = 0;
    EXPECT_FALSE(dialog_get_integer(m_dialog, 20, integer));

    const auto nothing = [](DialogRecord&, int32_t, int32_t) {};
    EXPECT_FALSE(dialog_set_callback(m_dialog, 10, nothing)) << "static texts have none";
    EXPECT_TRUE(dialog_set_callback(m_dialog, 20, nothing, DIALOG_UPDATED));
    EXPECT_FALSE(dialog_set_callback(m_dialog, 20, nothing, DIALOG_CLICKED));
    EXPECT_TRUE(dialog_set_callback(m_dialog, 1, nothing, DIALOG_CLICKED));
    EXPECT_TRUE(dialog_set_callback(m_dialog, 7, nothing)) << "the dialog's own callback";
}

TEST_F(DialogLayer, RadioButtonsRecordTheirGroup) {
    DialogRecord radios;
    ASSERT_TRUE(dialog_init(8, radios));
    ASSERT_EQ(radios.controls.size(), 5u);
    for (size_t i : {0u, 1u, 2u})
        EXPECT_EQ(radios.controls[i].integers, (std::vector<int32_t>{11, 13})) << i;
    EXPECT_EQ(radios.controls[4].integers, (std::vector<int32_t>{15, 15}));
}

TEST_F(DialogLayer, MissingTemplateFailsInit) {
    DialogRecord other;
    EXPECT_FALSE(dialog_init(101, other)) << "the test's templates replace the built-in ones";
}

TEST_F(DialogLayer, PushButtonWithoutCallbackEndsWithItsId) {
    m_windows.on_open[1] = {{3, DIALOG_CLICKED}};
    EXPECT_EQ(dialog_run_modal(m_dialog), 2);
    EXPECT_EQ(m_dialog.window, 0);
    EXPECT_FALSE(m_windows.windows[1].open);
    // Every addressable control was written when the window opened.
    EXPECT_EQ(m_windows.windows[1].texts[1], "abc");
    EXPECT_EQ(m_windows.windows[1].texts[2], "OK");
}

TEST_F(DialogLayer, CallbackEndsTheDialogOnlyWhenItExits) {
    int32_t calls = 0;
    dialog_set_callback(m_dialog, 1, [&](DialogRecord& dialog, int32_t id, int32_t type) {
        EXPECT_EQ(id, 1);
        EXPECT_EQ(type, DIALOG_CLICKED);
        if (++calls == 2) {
            dialog_set_return_value(dialog, 42);
            dialog_exit(dialog);
        }
    });
    m_windows.on_open[1] = {{2, DIALOG_CLICKED}, {0, DIALOG_CLICKED}, {2, DIALOG_CLICKED}};
    EXPECT_EQ(dialog_run_modal(m_dialog), 42);
    EXPECT_EQ(calls, 2) << "a static text's notification calls nothing";
}

TEST_F(DialogLayer, ShowingDialogReadsFromAndWritesToItsWindow) {
    std::string seen;
    dialog_set_callback(m_dialog, 20, [&](DialogRecord& dialog, int32_t, int32_t) {
        // The user typed into the box: getting a value first refreshes it from the window.
        seen.resize(0);
        dialog_get_text(dialog, 20, seen, 6);
        dialog_set_text(dialog, 10, "Typed " + seen.substr(0, 3));
        EXPECT_FALSE(dialog_set_callback(dialog, 1, nullptr)) << "not while showing";
    });
    dialog_set_callback(m_dialog, 1, [&](DialogRecord& dialog, int32_t, int32_t) {
        EXPECT_EQ(m_windows.windows[1].texts[0], "Typed xyz") << "written after the callback";
        dialog_exit(dialog);
    });
    m_windows.on_open[1] = {{1, DIALOG_CHANGED}, {2, DIALOG_CLICKED}};
    // The dialog callback runs once the window is filled: the user then types "xyz".
    dialog_set_callback(m_dialog, 7, [&](DialogRecord&, int32_t id, int32_t type) {
        EXPECT_EQ(id, 7);
        EXPECT_EQ(type, 0);
        EXPECT_EQ(m_windows.windows[1].texts[1], "abc");
        m_windows.windows[1].texts[1] = "xyz";
    });
    EXPECT_EQ(dialog_run_modal(m_dialog), 1);
    EXPECT_EQ(seen, "xyz   ");
    EXPECT_EQ(text_of(20, 4), "xyz ") << "read back when the dialog ended";
}

TEST_F(DialogLayer, NestedDialogIsOwnedByTheOuterAndRestoresIt) {
    DialogRecord inner;
    ASSERT_TRUE(dialog_init(7, inner));
    int32_t inner_result = 0;
    dialog_set_callback(m_dialog, 30, [&](DialogRecord&, int32_t, int32_t) {
        inner_result = dialog_run_modal(inner);
    });
    m_windows.on_open[1] = {{6, DIALOG_CLICKED}};
    m_windows.on_open[2] = {{2, DIALOG_CLICKED}};
    // The outer dialog's next event arrives after the inner one has ended.
    dialog_set_callback(m_dialog, 7, [&](DialogRecord&, int32_t, int32_t) {});
    dialog_set_callback(inner, 7, [&](DialogRecord&, int32_t, int32_t) {
        dialogs::post_dialog_event({1, 3, DIALOG_CLICKED});
    });
    EXPECT_EQ(dialog_run_modal(m_dialog), 2);
    EXPECT_EQ(inner_result, 1);
    EXPECT_EQ(m_windows.windows[2].owner, 1);
    EXPECT_EQ(m_windows.windows[1].owner, 0);
}

TEST_F(DialogLayer, WindowThatCannotBeCreatedGivesMinusOne) {
    m_windows.refuse = true;
    EXPECT_EQ(dialog_run_modal(m_dialog), -1);
    EXPECT_EQ(m_dialog.window, 0);
}

TEST_F(DialogLayer, MessageIsShownWhenTheDialogOpens) {
    dialog_set_message(m_dialog, "Mend it", {1, 2, 3, 4});
    m_windows.on_open[1] = {{3, DIALOG_CLICKED}};
    dialog_run_modal(m_dialog);
    EXPECT_EQ(m_windows.messages[1], "Mend it");
}

TEST(DialogStyles, UnsupportedStylesStopTheProgram) {
    const struct {
        const char* control;
        const char* message;
    } CASES[] = {
        {"BUTTON 5 \"\" 0 0 1 1 BS_OWNERDRAW", "Invalid style BS_OWNERDRAW used for control 5"},
        {"BUTTON 6 \"\" 0 0 1 1 BS_USERBUTTON", "Invalid style BS_USERBUTTON used for control 6"},
        {"BUTTON 7 \"\" 0 0 1 1 BS_CHECKBOX", "Invalid style <unknown> used for control 7"},
        {"EDIT 8 \"\" 0 0 1 1 ES_MULTILINE", "Invalid style ES_MULTILINE used for control 8"},
        {"LISTBOX 9 \"\" 0 0 1 1 LBS_OWNERDRAWFIXED",
         "Invalid style LBS_OWNERDRAWFIXED used for control 9"},
        {"COMBOBOX 65535 \"\" 0 0 1 1 CBS_OWNERDRAWVARIABLE",
         "Invalid style CBS_OWNERDRAWVARIABLE used for control 65535"},
    };
    for (const auto& c : CASES) {
        const std::string text = std::string("DIALOG 3\nCONTROL ") + c.control + "\nEND\n";
        EXPECT_EXIT(
            {
                dialogs::replace_dialog_templates(text);
                DialogRecord dialog;
                dialog_init(3, dialog);
            },
            testing::ExitedWithCode(0), c.message);
    }
}
