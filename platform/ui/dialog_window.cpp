// Dialog windows on Qt Widgets: the layout in dialog units, the controls, their values, and Enter
// and Escape.
#include "platform/ui/dialog_window.h"

#include "platform/ui/dialog_internal.h"
#include "platform/ui/frame_internal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <map>

namespace ui::detail {

namespace {

// A digits-only box takes only digits from the keyboard. Text the program puts in stays as it is
// (the resolution's " 768" with its leading blank), and so do editing keys and shortcuts: a
// validator over the whole text would refuse the blank and then stop filtering.
class DigitKeysOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            const bool printable = !typed.isEmpty() && typed.front().isPrint();
            if (printable && !std::all_of(typed.begin(), typed.end(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; }))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

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
        // A read-only box looks it: its ground is the dialog's, not the white of a box to type in.
        if (spec.read_only) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            edit->setPalette(palette);
        }
        if (spec.digits_only)
            edit->installEventFilter(new DigitKeysOnly(edit));
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

} // namespace ui::detail

namespace {

using ui::detail::dialog_of;
using ui::detail::DialogWindow;

// Open dialogs by window, and the order in which they were opened.
std::map<int32_t, QPointer<DialogWindow>> g_dialogs;
std::vector<int32_t> g_open_order;
int32_t g_next_handle = 1;

} // namespace

namespace ui::detail {

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

const std::vector<int32_t>& dialogs_in_opening_order() {
    return g_open_order;
}

} // namespace ui::detail

namespace {

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
    // Modal: the frame's menus and windows take no input while a dialog is up.
    dialog->setWindowModality(Qt::ApplicationModal);
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

void focus_dialog_control(int32_t window, size_t control) {
    DialogWindow* dialog = dialog_of(window);
    QWidget* widget = dialog ? dialog->control(control) : nullptr;
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
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

} // namespace ui
