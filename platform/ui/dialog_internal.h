// Private to the window system: the dialog windows behind dialog handles, for the dialog files.
#pragma once

#include "platform/ui/dialog_spec.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace ui::detail {

// Dialog units are a quarter of the font's average character width across and an eighth of its
// height down. The average width is that of the 52 Latin letters, rounded as the dialog manager
// rounds it ((sum / 26 + 1) / 2); the height is the font's line height. A length in units becomes
// pixels as units * base / 4 (or / 8), rounded to the nearest pixel.
struct BaseUnits {
    int32_t x = 6;
    int32_t y = 13;

    int32_t across(int32_t units) const {
        return static_cast<int32_t>(std::lround(units * x / 4.0));
    }
    int32_t down(int32_t units) const { return static_cast<int32_t>(std::lround(units * y / 8.0)); }
    QRect rect(int32_t left, int32_t top, int32_t width, int32_t height) const {
        return {across(left), down(top), across(width), down(height)};
    }
};

// The dialog's font: the face at `points` on a 96-dot-per-inch screen, its em height in pixels
// rounded as the platform rounds point sizes.
inline QFont dialog_font(const std::string& face, int32_t points) {
    QFont font(QString::fromStdString(face));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return font;
}

inline BaseUnits base_units(const QFont& font) {
    const QFontMetrics metrics(font);
    const int32_t letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

// A dialog on screen: its controls by the index of their specs, and its message line.
class DialogWindow : public QDialog {
public:
    DialogWindow(const ui::DialogSpec& spec, QWidget* owner, int32_t handle,
                 ui::DialogEventSink sink)
        : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_spec(spec),
          m_handle(handle), m_sink(std::move(sink)) {
        setWindowTitle(QString::fromStdString(spec.caption));
        setModal(true);
        const QFont font = dialog_font(spec.font_face, spec.font_points);
        setFont(font);
        m_units = base_units(font);
        for (size_t index = 0; index < spec.controls.size(); ++index)
            m_controls.push_back(create_control(spec.controls[index], index));
        m_message = new QLabel(this);
        m_message->setStyleSheet(QStringLiteral("color: #c00000"));
        m_message->setWordWrap(true);
        m_message->hide();
        setFixedSize(m_units.across(spec.width), m_units.down(spec.height));
    }

    int32_t handle() const { return m_handle; }
    const ui::DialogSpec& spec() const { return m_spec; }
    QWidget* control(size_t index) const {
        return index < m_controls.size() ? m_controls[index] : nullptr;
    }
    const BaseUnits& units() const { return m_units; }
    QLabel* message() const { return m_message; }

    // The first control with that id, or nothing.
    std::optional<size_t> find(int32_t id) const {
        for (size_t index = 0; index < m_spec.controls.size(); ++index)
            if (m_spec.controls[index].id == id)
                return index;
        return std::nullopt;
    }

    void notify(size_t index, ui::DialogNotification what) const {
        if (m_sink)
            m_sink(m_handle, index, what);
    }

protected:
    // Enter presses the push button that has the focus, else the one with id 1; Escape the one
    // with id 2. The dialog has no default button, so nothing else answers these keys.
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) {
            QDialog::keyPressEvent(event);
            return;
        }
        int32_t id = key == Qt::Key_Escape ? 2 : 1;
        if (key != Qt::Key_Escape)
            if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
                id = focused->property("control_id").toInt();
        if (const std::optional<size_t> index = find(id);
            index && m_spec.controls[*index].kind == ui::DialogControlKind::push_button &&
            m_controls[*index]->isEnabled())
            notify(*index, ui::DialogNotification::clicked);
        event->accept();
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}

private:
    QWidget* create_control(const ui::DialogControlSpec& spec, size_t index);

    ui::DialogSpec m_spec;
    int32_t m_handle = 0;
    ui::DialogEventSink m_sink;
    BaseUnits m_units;
    std::vector<QWidget*> m_controls;
    QLabel* m_message = nullptr;
};

// The dialog with that handle, or nullptr.
DialogWindow* dialog_of(int32_t window);
// The dialog opened last that is still on screen, or nullptr.
DialogWindow* top_dialog();
// The open dialogs' handles in the order they were opened.
const std::vector<int32_t>& dialogs_in_opening_order();

} // namespace ui::detail
