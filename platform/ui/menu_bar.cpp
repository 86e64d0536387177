// The frame's menu bars, rebuilt from plain data and switched as child windows are activated.
#include "platform/ui/menu_bar.h"

#include "platform/ui/frame_internal.h"
#include "platform/ui/menu_help_internal.h"
#include "platform/ui/window_hooks.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// Which bar the frame shows: the final one wins over the other two for good.
enum class Shown : uint8_t { none, active, inactive, final };

struct MenuBarState {
    ui::MenuBars bars;
    std::vector<ui::MenuEntry> final_entries;
    bool final_shown = false;
    Shown shown = Shown::none;
    QPointer<QMenu> window_list;
    QPointer<QMdiArea> watched_area;
};

MenuBarState g_state;

const char* const WINDOW_LIST_PROPERTY = "talvena_window_list_item";

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

std::vector<QMdiSubWindow*> listed_windows() {
    std::vector<QMdiSubWindow*> windows;
    if (QMdiArea* area = ui::detail::mdi_area())
        for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder))
            if (window->isVisible())
                windows.push_back(window);
    return windows;
}

// The child windows are listed below the drop-down's own items each time it opens, numbered
// from 1, the active one checked; choosing one activates it.
void fill_window_list(QMenu& menu) {
    for (QAction* action : menu.actions())
        if (action->property(WINDOW_LIST_PROPERTY).toBool()) {
            menu.removeAction(action);
            action->deleteLater();
        }
    const std::vector<QMdiSubWindow*> windows = listed_windows();
    if (windows.empty())
        return;
    if (!menu.actions().isEmpty())
        menu.addSeparator()->setProperty(WINDOW_LIST_PROPERTY, true);
    QMdiArea* area = ui::detail::mdi_area();
    for (size_t index = 0; index < windows.size(); ++index) {
        const QString number = QString::number(index + 1);
        const QString prefix = index < 9 ? QStringLiteral("&") + number : number;
        QAction* action = menu.addAction(prefix + QLatin1Char(' ') + windows[index]->windowTitle());
        action->setProperty(WINDOW_LIST_PROPERTY, true);
        action->setCheckable(true);
        action->setChecked(windows[index] == area->currentSubWindow());
        QObject::connect(action, &QAction::triggered,
                         [window = QPointer<QMdiSubWindow>(windows[index])] {
                             if (QMdiArea* mdi = ui::detail::mdi_area(); mdi && window)
                                 mdi->setActiveSubWindow(window);
                         });
    }
}

// A Qt menu has no item that starts a new column (it only wraps into columns when it is taller
// than the screen), so an entry's column break is not shown: the items stay in one column.
void build_bar(QMenuBar& bar, const std::vector<ui::MenuEntry>& entries, int32_t window_list) {
    bar.clear();
    ui::detail::watch_help_key(bar);
    g_state.window_list = nullptr;
    for (size_t index = 0; index < entries.size(); ++index) {
        const ui::MenuEntry& entry = entries[index];
        if (!entry.drop_down) {
            fill_action(*bar.addAction(QString::fromStdString(entry.label)), entry);
            continue;
        }
        QMenu* menu = bar.addMenu(QString::fromStdString(entry.label));
        ui::detail::watch_help_key(*menu);
        menu->setEnabled(!entry.greyed && !entry.disabled);
        for (const ui::MenuEntry& item : entry.items) {
            if (item.separator)
                menu->addSeparator();
            else
                fill_action(*menu->addAction(QString::fromStdString(item.label)), item);
        }
        if (static_cast<int32_t>(index) == window_list) {
            g_state.window_list = menu;
            QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { fill_window_list(*menu); });
        }
    }
}

// Shows the bar that fits; a bar already shown is not rebuilt, so that switching never deletes
// the item whose command is being carried out.
void show_fitting_bar(bool rebuild) {
    QMainWindow* frame = ui::detail::frame();
    if (!frame)
        return;
    Shown wanted = g_state.final_shown         ? Shown::final
                   : ui::child_window_active() ? Shown::active
                                               : Shown::inactive;
    if (wanted == g_state.shown && !rebuild)
        return;
    g_state.shown = wanted;
    switch (wanted) {
    case Shown::final:
        build_bar(*frame->menuBar(), g_state.final_entries, -1);
        break;
    case Shown::active:
        build_bar(*frame->menuBar(), g_state.bars.active, g_state.bars.window_list);
        break;
    default:
        build_bar(*frame->menuBar(), g_state.bars.inactive, -1);
        break;
    }
}

// Activation changes are followed later, outside the signal: the change may come from a menu
// item (the window list) whose action must outlive its own trigger.
void watch_activation() {
    QMdiArea* area = ui::detail::mdi_area();
    if (!area || g_state.watched_area == area)
        return;
    g_state.watched_area = area;
    QObject::connect(
        area, &QMdiArea::subWindowActivated, area, [] { show_fitting_bar(false); },
        Qt::QueuedConnection);
}

QMenu* drop_down(const std::string& label) {
    QMainWindow* frame = ui::detail::frame();
    if (!frame)
        return nullptr;
    const QString wanted = QString::fromStdString(label);
    for (QAction* action : frame->menuBar()->actions())
        if (action->menu() && without_ampersands(action->text()) == wanted)
            return action->menu();
    return nullptr;
}

std::vector<QAction*> window_list_actions() {
    std::vector<QAction*> actions;
    QMenu* menu = g_state.window_list;
    if (!menu)
        return actions;
    fill_window_list(*menu);
    for (QAction* action : menu->actions())
        if (action->property(WINDOW_LIST_PROPERTY).toBool() && !action->isSeparator())
            actions.push_back(action);
    return actions;
}

} // namespace

namespace ui {

void set_menu_bars(MenuBars bars) {
    g_state.bars = std::move(bars);
    watch_activation();
    show_fitting_bar(true);
}

void show_final_menu_bar(const std::vector<MenuEntry>& entries) {
    g_state.final_entries = entries;
    g_state.final_shown = true;
    show_fitting_bar(true);
}

// While a window closes or a box has the activation the area may have no current window for a
// moment; the window activated last that is still shown then counts as active, so that the menu
// bar does not flicker to the minimal one and back.
void refresh_menu_bar() {
    show_fitting_bar(false);
}

bool child_window_active() {
    QMdiArea* area = detail::mdi_area();
    if (!area)
        return false;
    if (const QMdiSubWindow* current = area->currentSubWindow(); current && current->isVisible())
        return true;
    for (const QMdiSubWindow* window : area->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (window->isVisible())
            return true;
    return false;
}

bool choose_top_level_item(const std::string& label) {
    QMainWindow* frame = detail::frame();
    if (!frame)
        return false;
    show_fitting_bar(false);
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

bool choose_drop_down_item(const std::string& menu, const std::string& label) {
    QMenu* found = drop_down(menu);
    if (!found)
        return false;
    const QString wanted = QString::fromStdString(label);
    for (QAction* action : found->actions()) {
        if (without_ampersands(action->text()) != wanted || !action->isEnabled())
            continue;
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

std::vector<std::string> window_list_labels() {
    std::vector<std::string> labels;
    for (QAction* action : window_list_actions())
        labels.push_back(action->text().toStdString());
    return labels;
}

bool choose_window_list_item(int32_t index) {
    const std::vector<QAction*> actions = window_list_actions();
    if (index < 0 || index >= static_cast<int32_t>(actions.size()))
        return false;
    actions[static_cast<size_t>(index)]->trigger();
    return true;
}

} // namespace ui
