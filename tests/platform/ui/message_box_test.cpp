// Message boxes: the answer is heard inside the key that gives it, before the box's own event
// loop has wound down, so that a thread waiting for it is never behind the next input.
#include "platform/ui/message_box.h"
#include "tests/framework/program/ui_environment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MessageBox, TheAnswerIsHeardWithinTheKeyThatGivesIt) {
    const struct {
        const char* name;
        ui::MessageButtons buttons;
        int key;
        ui::MessageButton expected;
    } CASES[] = {
        {"Enter takes the default No", ui::MessageButtons::yes_no, Qt::Key_Return,
         ui::MessageButton::no},
        {"Escape is No", ui::MessageButtons::yes_no, Qt::Key_Escape, ui::MessageButton::no},
        {"Y is Yes", ui::MessageButtons::yes_no, Qt::Key_Y, ui::MessageButton::yes},
        {"N is No", ui::MessageButtons::yes_no, Qt::Key_N, ui::MessageButton::no},
        {"Enter on OK", ui::MessageButtons::ok, Qt::Key_Return, ui::MessageButton::ok},
    };
    // The recording answerer of these tests steps aside: the boxes are shown.
    ui::set_message_box_answerer({});
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        ui::MessageBoxSpec spec;
        spec.kind = ui::MessageKind::warning;
        spec.caption = "caption";
        spec.text = "text";
        spec.buttons = c.buttons;
        spec.default_button =
            c.buttons == ui::MessageButtons::yes_no ? ui::MessageButton::no : ui::MessageButton::ok;

        std::optional<ui::MessageButton> heard;
        std::optional<ui::MessageButton> heard_when_key_returned;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier,
                            c.key == Qt::Key_Y ? QStringLiteral("y") : QString());
            QApplication::sendEvent(box, &press);
            heard_when_key_returned = heard;
        });
        const ui::MessageButton returned =
            ui::show_message_box(spec, [&](ui::MessageButton button) { heard = button; });
        EXPECT_EQ(returned, c.expected);
        EXPECT_EQ(heard, c.expected);
        EXPECT_EQ(heard_when_key_returned, c.expected);
    }
    ui::set_message_box_answerer([](const ui::MessageBoxSpec& spec) {
        ui_test::message_log().boxes.push_back(spec);
        return std::optional<ui::MessageButton>(ui_test::message_log().next_answer);
    });
}

// The window system's own button texts speak the run's language, Russian here as in any run
// without a catalogue; the English access keys above still answer.
TEST(MessageBox, StandardButtonsSpeakTheRunsLanguage) {
    ui::set_message_box_answerer({});
    ui::MessageBoxSpec spec;
    spec.buttons = ui::MessageButtons::yes_no;
    spec.default_button = ui::MessageButton::no;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            texts.append(button->text().remove(QLatin1Char('&')));
        box->reject();
    });
    ui::show_message_box(spec);
    texts.sort();
    EXPECT_EQ(texts, QStringList({QStringLiteral("Да"), QStringLiteral("Нет")}));
    ui::set_message_box_answerer([](const ui::MessageBoxSpec& answered) {
        ui_test::message_log().boxes.push_back(answered);
        return std::optional<ui::MessageButton>(ui_test::message_log().next_answer);
    });
}

} // namespace
