// Dialog edit boxes and the keyboard: a digits-only box drops every other typed character, also
// when the program put a blank into it, while an ordinary box takes everything.
#include "platform/ui/dialog_internal.h"
#include "platform/ui/dialog_window.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ui::DialogControlSpec edit_box(int32_t id, const char* text, bool digits_only) {
    ui::DialogControlSpec spec;
    spec.kind = ui::DialogControlKind::edit_box;
    spec.id = id;
    spec.text = text;
    spec.width = 40;
    spec.height = 12;
    spec.y = id == 1 ? 5 : 25;
    spec.tab_stop = true;
    spec.border = true;
    spec.digits_only = digits_only;
    return spec;
}

TEST(DialogKeys, DigitsOnlyBoxesTakeOnlyDigitsFromTheKeyboard) {
    ui::DialogSpec spec;
    spec.caption = "keys";
    spec.width = 100;
    spec.height = 50;
    // The resolution's default begins with a blank, as the program writes it.
    spec.controls = {edit_box(1, " 768", true), edit_box(2, "abc", false)};
    const int32_t window = ui::open_dialog(spec, 0, [](int32_t, size_t, ui::DialogNotification) {});
    ASSERT_NE(window, 0);
    ui::detail::DialogWindow* dialog = ui::detail::dialog_of(window);
    ASSERT_NE(dialog, nullptr);
    auto* digits = qobject_cast<QLineEdit*>(dialog->control(0));
    auto* anything = qobject_cast<QLineEdit*>(dialog->control(1));
    ASSERT_NE(digits, nullptr);
    ASSERT_NE(anything, nullptr);

    digits->setCursorPosition(static_cast<int>(digits->text().size()));
    QTest::keyClicks(digits, "1x 2-y3");
    EXPECT_EQ(digits->text().toStdString(), " 768123");
    QTest::keyClick(digits, Qt::Key_Backspace);
    QTest::keyClick(digits, Qt::Key_Home);
    QTest::keyClick(digits, Qt::Key_Delete);
    EXPECT_EQ(digits->text().toStdString(), "76812");

    anything->setCursorPosition(static_cast<int>(anything->text().size()));
    QTest::keyClicks(anything, "1x 2");
    EXPECT_EQ(anything->text().toStdString(), "abc1x 2");
    ui::close_dialog(window);
}

} // namespace
