// Message boxes over the frame.
#include "platform/ui/message_box.h"

#include "platform/ui/frame_internal.h"

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

} // namespace

namespace ui {

MessageButton show_message_box(const MessageBoxSpec& spec) {
    if (g_answerer)
        if (std::optional<MessageButton> answer = g_answerer(spec))
            return *answer;
    const QMessageBox::StandardButtons buttons = spec.buttons == MessageButtons::yes_no
                                                     ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok;
    QMessageBox box(icon_of(spec.kind), QString::fromStdString(spec.caption),
                    QString::fromStdString(spec.text), buttons, detail::frame());
    box.setDefaultButton(standard_of(spec.default_button));
    box.setEscapeButton(spec.buttons == MessageButtons::yes_no ? QMessageBox::No : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageButton::ok;
    case QMessageBox::Yes:
        return MessageButton::yes;
    case QMessageBox::No:
        return MessageButton::no;
    default:
        return MessageButton::none;
    }
}

void set_message_box_answerer(MessageBoxAnswerer answerer) {
    g_answerer = std::move(answerer);
}

} // namespace ui
