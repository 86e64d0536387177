// F1 on the frame's menus, the help request it makes, and the help file's opener.
#include "platform/ui/menu_help.h"

#include "platform/ui/menu_bar.h"
#include "platform/ui/menu_help_internal.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QUrl>
#include <atomic>
#include <cstdint>

namespace {

// Set while an item is being chosen in help mode; the menu dispatch takes it.
std::atomic<int32_t> g_help_requested{0};
ui::HelpFileOpener g_opener;

// Only an item that carries a command can be asked about: choosing a drop-down's title opens
// it, and a greyed or disabled item cannot be chosen at all.
bool is_command_item(const QAction* action) {
    return action && !action->menu() && !action->isSeparator() && action->isEnabled();
}

QAction* highlighted_action(QObject& menu) {
    if (auto* drop_down = qobject_cast<QMenu*>(&menu))
        return drop_down->activeAction();
    if (auto* bar = qobject_cast<QMenuBar*>(&menu))
        return bar->activeAction();
    return nullptr;
}

void send_key(QWidget& widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

// A drop-down's item is chosen as Enter chooses it, which closes every open menu before the
// item's command runs. On the bar Escape first leaves its keyboard mode, giving the focus back,
// and the item is then chosen as a click would. An item whose choice never reaches the menu
// dispatch (a window-list item) leaves no request behind for the next choice.
void choose_for_help(QWidget& menu, QAction& action) {
    g_help_requested.store(1, std::memory_order_relaxed);
    if (qobject_cast<QMenu*>(&menu)) {
        send_key(menu, Qt::Key_Return);
    } else {
        const QPointer<QAction> chosen(&action);
        send_key(menu, Qt::Key_Escape);
        if (chosen)
            chosen->trigger();
    }
    g_help_requested.store(0, std::memory_order_relaxed);
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return QObject::eventFilter(watched, event);
        auto* menu = qobject_cast<QWidget*>(watched);
        QAction* action = highlighted_action(*watched);
        if (!menu || !is_command_item(action))
            return QObject::eventFilter(watched, event);
        choose_for_help(*menu, *action);
        return true;
    }
};

} // namespace

namespace ui {

bool take_help_request() {
    return g_help_requested.exchange(0, std::memory_order_relaxed) != 0;
}

bool choose_top_level_item_for_help(const std::string& label) {
    g_help_requested.store(1, std::memory_order_relaxed);
    const bool chosen = choose_top_level_item(label);
    g_help_requested.store(0, std::memory_order_relaxed);
    return chosen;
}

// Qt hands the file to the desktop's handler for its type and does not wait for the viewer.
bool open_help_file(const std::string& path) {
    if (g_opener)
        return g_opener(path);
    const QString file = QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void set_help_file_opener(HelpFileOpener opener) {
    g_opener = std::move(opener);
}

} // namespace ui

namespace ui::detail {

void watch_help_key(QWidget& menu) {
    static QPointer<HelpKeyFilter> filter;
    if (!filter)
        filter = new HelpKeyFilter(QCoreApplication::instance());
    menu.installEventFilter(filter);
}

} // namespace ui::detail
