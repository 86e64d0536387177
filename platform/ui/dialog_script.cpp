// The scripted user in dialogs: typing into edit boxes, pressing buttons, and the frame with its
// dialogs and message boxes as a snapshot shows it.
#include "platform/ui/dialog_internal.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/frame_internal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>

namespace ui {

using detail::DialogWindow;
using detail::top_dialog;

bool script_dialog_set(int32_t id, const std::string& text, std::string& reason) {
    DialogWindow* dialog = top_dialog();
    if (!dialog) {
        reason = "no dialog on screen";
        return false;
    }
    const std::optional<size_t> index = dialog->find(id);
    auto* edit = index ? qobject_cast<QLineEdit*>(dialog->control(*index)) : nullptr;
    if (!edit) {
        reason = "no edit box " + std::to_string(id);
        return false;
    }
    if (edit->isReadOnly() || !edit->isEnabled()) {
        reason = "edit box " + std::to_string(id) + " cannot be changed";
        return false;
    }
    // Typed text passes the box's own filter: a digits-only box drops every other character.
    QString typed = QString::fromStdString(text);
    if (dialog->spec().controls[*index].digits_only)
        typed.removeIf([](QChar c) { return c < u'0' || c > u'9'; });
    edit->setFocus();
    edit->setText(typed);
    Q_EMIT edit->textEdited(typed);
    return true;
}

bool script_dialog_press(int32_t id, std::string& reason) {
    DialogWindow* dialog = top_dialog();
    if (!dialog) {
        reason = "no dialog on screen";
        return false;
    }
    const std::optional<size_t> index = dialog->find(id);
    auto* button = index ? qobject_cast<QAbstractButton*>(dialog->control(*index)) : nullptr;
    if (!button || !button->isEnabled()) {
        reason = "no button " + std::to_string(id) + " to press";
        return false;
    }
    button->click();
    return true;
}

namespace {

// The offscreen window system draws no window decorations, so a snapshot draws a box's caption
// bar and border itself, the client area standing where it stands on the screen.
void draw_decorated(QPainter& painter, QWidget& box, const QPoint& frame_origin) {
    const QPoint at = box.mapToGlobal(QPoint(0, 0)) - frame_origin;
    const int32_t bar = QFontMetrics(box.font()).height() + 6;
    const QRect outer(at.x() - 3, at.y() - bar - 3, box.width() + 6, box.height() + bar + 6);
    painter.fillRect(outer, QColor(0xc0, 0xc0, 0xc0));
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    const QRect caption(at.x(), at.y() - bar, box.width(), bar - 1);
    painter.fillRect(caption, QColor(0x00, 0x00, 0x80));
    painter.setPen(Qt::white);
    painter.setFont(box.font());
    painter.drawText(caption.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     box.windowTitle());
    painter.drawPixmap(at, box.grab());
}

} // namespace

// The frame, then the dialogs in the order they were opened, then any message box on top.
raster::Bitmap grab_frame_with_dialogs() {
    QMainWindow* frame = detail::frame();
    if (!frame)
        return {};
    QImage image = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint frame_origin = frame->mapToGlobal(QPoint(0, 0));
    QPainter painter(&image);
    for (int32_t handle : detail::dialogs_in_opening_order()) {
        DialogWindow* dialog = detail::dialog_of(handle);
        if (dialog && dialog->isVisible())
            draw_decorated(painter, *dialog, frame_origin);
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible())
            draw_decorated(painter, *box, frame_origin);
    }
    painter.end();
    raster::Bitmap bitmap(image.width(), image.height());
    for (int32_t y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const raster::Pixel*>(image.constScanLine(y));
        std::copy(line, line + image.width(), bitmap.row(y));
    }
    return bitmap;
}

} // namespace ui
