// Message boxes over the frame.
#include "platform/ui/message_box.h"

#include "platform/ui/frame_internal.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

ui::MessageBoxAnswerer g_answerer;

QMessageBox::Icon icon_of(ui::MessageKind kind) {
    switch (kind) {
    case ui::MessageKind::information:
        return QMessageBox::Information;
    case ui::MessageKind::question:
        return QMessageBox::Question;
    case ui::MessageKind::warning:
        return QMessageBox::Warning;
    case ui::MessageKind::error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standard_of(ui::MessageButton button) {
    switch (button) {
    case ui::MessageButton::ok:
        return QMessageBox::Ok;
    case ui::MessageButton::yes:
        return QMessageBox::Yes;
    case ui::MessageButton::no:
        return QMessageBox::No;
    case ui::MessageButton::none:
        return QMessageBox::NoButton;
    }
    return QMessageBox::NoButton;
}

ui::MessageButton button_of(int result) {
    switch (result) {
    case QMessageBox::Ok:
        return ui::MessageButton::ok;
    case QMessageBox::Yes:
        return ui::MessageButton::yes;
    case QMessageBox::No:
        return ui::MessageButton::no;
    default:
        return ui::MessageButton::none;
    }
}

// The English access key of a standard button, which it keeps whatever the language of its text.
int english_access_key(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return Qt::Key_Y;
    case QMessageBox::No:
        return Qt::Key_N;
    case QMessageBox::Ok:
        return Qt::Key_O;
    default:
        return 0;
    }
}

// A button's access key clicks it at once: the one its text shows in the run's language ("Д" and
// "Н" for the Russian Yes and No) or its English one (Y, N, O), so that a user or a script used to
// those keeps them. The box's own handling animates the click and finishes it on a timer a tenth
// of a second later, after the key's input has ended.
class AccessKeyClicks : public QObject {
public:
    explicit AccessKeyClicks(QMessageBox& box) : m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_box || event->type() != QEvent::KeyPress)
            return false;
        const auto* key_event = static_cast<QKeyEvent*>(event);
        if (key_event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            return false;
        for (QAbstractButton* button : m_box.buttons()) {
            const QKeySequence shortcut = button->shortcut();
            if ((!shortcut.isEmpty() && shortcut[0].key() == key_event->key()) ||
                english_access_key(m_box.standardButton(button)) == key_event->key()) {
                button->click();
                return true;
            }
        }
        return false;
    }

private:
    QMessageBox& m_box;
};

} // namespace

namespace ui {

MessageButton show_message_box(const MessageBoxSpec& spec, const MessageAnswerCall& on_answer) {
    if (g_answerer)
        if (std::optional<MessageButton> answer = g_answerer(spec)) {
            if (on_answer)
                on_answer(*answer);
            return *answer;
        }
    const QMessageBox::StandardButtons buttons = spec.buttons == MessageButtons::yes_no
                                                     ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok;
    QMessageBox box(icon_of(spec.kind), QString::fromStdString(spec.caption),
                    QString::fromStdString(spec.text), buttons, detail::frame());
    box.setDefaultButton(standard_of(spec.default_button));
    box.setEscapeButton(spec.buttons == MessageButtons::yes_no ? QMessageBox::No : QMessageBox::Ok);
    AccessKeyClicks access_keys(box);
    box.installEventFilter(&access_keys);
    // `finished` is emitted inside the input that closes the box; exec() returns only once the
    // box's event loop has wound down.
    bool answered = false;
    QObject::connect(&box, &QMessageBox::finished, [&](int result) {
        answered = true;
        if (on_answer)
            on_answer(button_of(result));
    });
    const MessageButton chosen = button_of(box.exec());
    if (!answered && on_answer)
        on_answer(chosen);
    return chosen;
}

void set_message_box_answerer(MessageBoxAnswerer answerer) {
    g_answerer = std::move(answerer);
}

} // namespace ui
