// Dialog windows on Qt Widgets: the layout in dialog units, the controls, Enter and Escape, and
// the scripted user's typing and pressing.
#include "platform/ui/dialog_window.h"

#include "platform/ui/frame_internal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <cmath>
#include <map>
#include <optional>

namespace {

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
QFont dialog_font(const std::string& face, int32_t points) {
    QFont font(QString::fromStdString(face));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return font;
}

BaseUnits base_units(const QFont& font) {
    const QFontMetrics metrics(font);
    const int32_t letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

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

QWidget* DialogWindow::create_control(const ui::DialogControlSpec& spec, size_t index) {
    using ui::DialogControlKind;
    using ui::DialogNotification;
    const QString text = QString::fromStdString(spec.text);
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case DialogControlKind::static_text: {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        widget = label;
        break;
    }
    case DialogControlKind::group_box:
        widget = new QGroupBox(text, this);
        break;
    case DialogControlKind::push_button: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, index] { notify(index, DialogNotification::clicked); });
        widget = button;
        break;
    }
    case DialogControlKind::check_box:
    case DialogControlKind::radio_button: {
        QAbstractButton* button = spec.kind == DialogControlKind::check_box
                                      ? static_cast<QAbstractButton*>(new QCheckBox(text, this))
                                      : new QRadioButton(text, this);
        connect(button, &QAbstractButton::clicked, this,
                [this, index] { notify(index, DialogNotification::clicked); });
        widget = button;
        break;
    }
    case DialogControlKind::edit_box: {
        auto* edit = new QLineEdit(text, this);
        edit->setFrame(spec.border);
        edit->setReadOnly(spec.read_only);
        if (spec.digits_only)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        connect(edit, &QLineEdit::textEdited, this, [this, index] {
            notify(index, DialogNotification::updated);
            notify(index, DialogNotification::changed);
        });
        widget = edit;
        break;
    }
    case DialogControlKind::scroll_bar: {
        auto* bar = new QScrollBar(spec.width >= spec.height ? Qt::Horizontal : Qt::Vertical, this);
        bar->setRange(0, 100);
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, index] { notify(index, DialogNotification::changed); });
        widget = bar;
        break;
    }
    case DialogControlKind::list_box: {
        auto* list = new QListWidget(this);
        connect(list, &QListWidget::currentRowChanged, this,
                [this, index] { notify(index, DialogNotification::selection_changed); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, index] { notify(index, DialogNotification::double_clicked); });
        widget = list;
        break;
    }
    case DialogControlKind::combo_box:
    case DialogControlKind::drop_down_list: {
        auto* combo = new QComboBox(this);
        combo->setEditable(spec.kind == DialogControlKind::combo_box);
        connect(combo, &QComboBox::activated, this,
                [this, index] { notify(index, DialogNotification::selection_changed); });
        if (combo->isEditable())
            connect(combo, &QComboBox::editTextChanged, this,
                    [this, index] { notify(index, DialogNotification::changed); });
        widget = combo;
        break;
    }
    }
    widget->setProperty("control_id", spec.id);
    widget->setGeometry(m_units.rect(spec.x, spec.y, spec.width, spec.height));
    if (spec.kind == DialogControlKind::static_text || spec.kind == DialogControlKind::group_box)
        widget->setFocusPolicy(Qt::NoFocus);
    else if (!spec.tab_stop)
        widget->setFocusPolicy(Qt::ClickFocus);
    widget->setVisible(spec.visible);
    return widget;
}

// Open dialogs by window, and the order in which they were opened.
std::map<int32_t, QPointer<DialogWindow>> g_dialogs;
std::vector<int32_t> g_open_order;
int32_t g_next_handle = 1;

DialogWindow* dialog_of(int32_t window) {
    const auto found = g_dialogs.find(window);
    return found == g_dialogs.end() ? nullptr : found->second.data();
}

DialogWindow* top_dialog() {
    for (auto it = g_open_order.rbegin(); it != g_open_order.rend(); ++it)
        if (DialogWindow* dialog = dialog_of(*it); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// Where the owner's client area begins on the screen: a dialog's own top-left, or the frame's
// below its menu bar.
QPoint owner_origin(QWidget* owner) {
    if (!owner)
        return {};
    if (owner == ui::detail::frame()) {
        const QMenuBar* bar = ui::detail::frame()->menuBar();
        return owner->mapToGlobal(QPoint(0, bar && bar->isVisible() ? bar->height() : 0));
    }
    return owner->mapToGlobal(QPoint(0, 0));
}

} // namespace

namespace ui {

int32_t open_dialog(const DialogSpec& spec, int32_t owner, DialogEventSink sink) {
    QWidget* owner_widget = dialog_of(owner);
    if (!owner_widget)
        owner_widget = detail::frame();
    const int32_t handle = g_next_handle++;
    auto* dialog = new DialogWindow(spec, owner_widget, handle, std::move(sink));
    const QPoint origin = owner_origin(owner_widget);
    dialog->setGeometry(
        QRect(origin + QPoint(dialog->units().across(spec.x), dialog->units().down(spec.y)),
              dialog->size()));
    g_dialogs[handle] = dialog;
    g_open_order.push_back(handle);
    dialog->show();
    dialog->activateWindow();
    dialog->raise();
    // The first control that takes the keyboard has the focus, as in any dialog.
    for (size_t index = 0; QWidget* control = dialog->control(index); ++index) {
        if (control->focusPolicy() == Qt::StrongFocus && control->isEnabled() &&
            control->isVisible()) {
            control->setFocus();
            break;
        }
    }
    return handle;
}

void close_dialog(int32_t window) {
    if (DialogWindow* dialog = dialog_of(window)) {
        dialog->hide();
        dialog->deleteLater();
    }
    g_dialogs.erase(window);
    std::erase(g_open_order, window);
}

void write_dialog_control(int32_t window, size_t control, const DialogControlState& state) {
    DialogWindow* dialog = dialog_of(window);
    QWidget* widget = dialog ? dialog->control(control) : nullptr;
    if (!widget)
        return;
    const QString text = QString::fromStdString(state.text);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        box->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
        if (button->isCheckable())
            button->setChecked(state.checked);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        bar->setRange(0, state.range);
        bar->setValue(state.position);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (!text.isEmpty() && list->findItems(text, Qt::MatchExactly).isEmpty())
            list->addItem(text);
        list->setCurrentRow(state.selection);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (!text.isEmpty() && combo->findText(text) < 0)
            combo->addItem(text);
        combo->setCurrentIndex(state.selection);
    }
    widget->setEnabled(state.enabled);
}

DialogControlState read_dialog_control(int32_t window, size_t control) {
    DialogControlState state;
    DialogWindow* dialog = dialog_of(window);
    QWidget* widget = dialog ? dialog->control(control) : nullptr;
    if (!widget)
        return state;
    state.enabled = widget->isEnabled();
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        text = box->title();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
        state.checked = button->isChecked();
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        state.position = bar->value();
        state.range = bar->maximum();
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        state.selection = list->currentRow();
        text = list->currentItem() ? list->currentItem()->text() : QString();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        state.selection = combo->currentIndex();
        text = combo->currentText();
    }
    state.text = text.toStdString();
    return state;
}

void show_dialog_message(int32_t window, const std::string& text, int32_t x, int32_t y,
                         int32_t width, int32_t height) {
    DialogWindow* dialog = dialog_of(window);
    if (!dialog)
        return;
    QLabel* message = dialog->message();
    message->setText(QString::fromStdString(text));
    message->setGeometry(dialog->units().rect(x, y, width, height));
    message->setVisible(!text.empty());
}

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

// The offscreen window system draws no window decorations, so a snapshot draws the dialog's
// caption bar and border itself, the client area standing where it stands on the screen.
raster::Bitmap grab_frame_with_dialogs() {
    QMainWindow* frame = detail::frame();
    if (!frame)
        return {};
    QImage image = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint frame_origin = frame->mapToGlobal(QPoint(0, 0));
    QPainter painter(&image);
    for (int32_t handle : g_open_order) {
        DialogWindow* dialog = dialog_of(handle);
        if (!dialog || !dialog->isVisible())
            continue;
        const QPoint at = dialog->mapToGlobal(QPoint(0, 0)) - frame_origin;
        const int32_t bar = QFontMetrics(dialog->font()).height() + 6;
        const QRect outer(at.x() - 3, at.y() - bar - 3, dialog->width() + 6,
                          dialog->height() + bar + 6);
        painter.fillRect(outer, QColor(0xc0, 0xc0, 0xc0));
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
        const QRect caption(at.x(), at.y() - bar, dialog->width(), bar - 1);
        painter.fillRect(caption, QColor(0x00, 0x00, 0x80));
        painter.setPen(Qt::white);
        painter.setFont(dialog->font());
        painter.drawText(caption.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         dialog->windowTitle());
        painter.drawPixmap(at, dialog->grab());
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
