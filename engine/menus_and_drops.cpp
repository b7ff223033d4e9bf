// Menu items added at run time, and files dropped on a panel's window.
#include "engine/dispatch.h"
#include "engine/engine.h"
#include "engine/model.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QAction>
#include <QMenu>

namespace {

/// Ids of added items start above any that a resource file numbers.
constexpr int kFirstAddedItem = 100000;

Panel *MenuBarPanel(int menuBar) {
    const auto owner = Engine().menuBarPanels.find(menuBar);
    return owner != Engine().menuBarPanels.end() ? FindPanel(owner->second) : nullptr;
}

} // namespace

int NewMenuItem(int menuBar, int menu, const char *text, int beforeItem, MenuCallbackPtr callback,
                void *callbackData) {
    Panel *panel = MenuBarPanel(menuBar);
    if (panel == nullptr) {
        return kEngineBadHandle;
    }
    const auto menuAction = panel->menuActions.find(menu);
    if (menuAction == panel->menuActions.end() || menuAction->second == nullptr ||
        menuAction->second->menu() == nullptr) {
        return kEngineBadControl;
    }
    QMenu *target = menuAction->second->menu();
    QAction *before = nullptr;
    if (beforeItem != 0) {
        const auto found = panel->menuActions.find(beforeItem);
        if (found == panel->menuActions.end() || found->second == nullptr ||
            !target->actions().contains(found->second.data())) {
            return kEngineBadControl;
        }
        before = found->second.data();
    }
    static int nextItem = kFirstAddedItem;
    const int item = nextItem++;
    auto *action = new QAction(ShownText(text != nullptr ? text : ""), target);
    target->insertAction(before, action);
    QObject::connect(action, &QAction::triggered, target,
                     [menuBar, item] { DispatchMenuItem(menuBar, item); });
    panel->menuActions[item] = action;
    panel->addedMenuItems[item] = {callback, callbackData};
    return item;
}

int DiscardMenuItem(int menuBar, int menuItem) {
    Panel *panel = MenuBarPanel(menuBar);
    if (panel == nullptr) {
        return kEngineBadHandle;
    }
    if (panel->addedMenuItems.erase(menuItem) == 0) {
        return kEngineBadControl;
    }
    delete panel->menuActions[menuItem].data();
    panel->menuActions.erase(menuItem);
    return kEngineOk;
}

int SetPanelFileDropCallback(int panel, FileDropCallbackPtr callback) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    target->fileDrop = callback;
    if (target->window != nullptr) {
        target->window->setAcceptDrops(callback != nullptr);
    }
    return kEngineOk;
}
