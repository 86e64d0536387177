// The frame's menu bar, rebuilt from plain data.
#include "platform/ui/menu_bar.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/window_hooks.h"

#include <QMenu>
#include <QMenuBar>

namespace {

bool has_state(const ui::MenuEntry& entry) {
    return entry.greyed || entry.disabled || entry.checked;
}

QString without_ampersands(QString text) {
    return text.remove(QLatin1Char('&'));
}

void fill_action(QAction& action, const ui::MenuEntry& entry) {
    action.setEnabled(!entry.greyed && !entry.disabled);
    action.setCheckable(entry.checked);
    action.setChecked(entry.checked);
    const int32_t command = entry.command;
    const bool state = has_state(entry);
    QObject::connect(&action, &QAction::triggered, [command, state] {
        if (const auto& hook = ui::window_hooks().on_menu_command)
            hook(command, state);
    });
}

} // namespace

namespace ui {

void set_menu_bar(const std::vector<MenuEntry>& entries) {
    QMainWindow* frame = detail::frame();
    if (!frame)
        return;
    QMenuBar* bar = frame->menuBar();
    bar->clear();
    for (const MenuEntry& entry : entries) {
        if (!entry.drop_down) {
            fill_action(*bar->addAction(QString::fromStdString(entry.label)), entry);
            continue;
        }
        QMenu* menu = bar->addMenu(QString::fromStdString(entry.label));
        menu->setEnabled(!entry.greyed && !entry.disabled);
        for (const MenuEntry& item : entry.items) {
            if (item.separator)
                menu->addSeparator();
            else
                fill_action(*menu->addAction(QString::fromStdString(item.label)), item);
        }
    }
}

bool choose_top_level_item(const std::string& label) {
    QMainWindow* frame = detail::frame();
    if (!frame)
        return false;
    const QString wanted = QString::fromStdString(label);
    for (QAction* action : frame->menuBar()->actions()) {
        if (without_ampersands(action->text()) != wanted)
            continue;
        if (!action->isEnabled() || action->menu())
            return false;
        action->trigger();
        return true;
    }
    return false;
}

std::vector<std::string> top_level_labels() {
    std::vector<std::string> labels;
    if (QMainWindow* frame = detail::frame())
        for (QAction* action : frame->menuBar()->actions())
            labels.push_back(action->text().toStdString());
    return labels;
}

} // namespace ui
