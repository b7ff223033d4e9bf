#include "engine/dispatch.h"

#include "engine/control_sync.h"
#include "engine/model.h"

#include <algorithm>
#include <cmath>
#include <functional>

int DispatchEvent(int panel, int control, int event, int data1, int data2) {
    Control *target = FindControl(panel, control);
    if (target == nullptr || target->callback == nullptr) {
        return 0;
    }
    const CtrlCallbackPtr callback = target->callback;
    const int result = callback(panel, control, event, nullptr, data1, data2);
    FlushDirtyControls();
    return result;
}

int DispatchMenuItem(int menuBar, int item) {
    EngineState &engine = Engine();
    const auto owner = engine.menuBarPanels.find(menuBar);
    if (owner == engine.menuBarPanels.end()) {
        return kEngineBadHandle;
    }
    const int panelHandle = owner->second;
    Panel *panel = FindPanel(panelHandle);
    if (panel == nullptr) {
        return kEngineBadHandle;
    }
    std::string callbackName;
    std::function<bool(const std::vector<MenuItemSpec> &)> find;
    find = [&](const std::vector<MenuItemSpec> &items) {
        for (const MenuItemSpec &entry : items) {
            if (entry.id == item) {
                callbackName = entry.callback;
                return true;
            }
            if (find(entry.children)) {
                return true;
            }
        }
        return false;
    };
    if (!find(panel->definition.menuBar->menus)) {
        return kEngineBadControl;
    }
    const auto callback = engine.menuCallbacks.find(callbackName);
    if (callbackName.empty() || callback == engine.menuCallbacks.end()) {
        return 0;
    }
    callback->second(menuBar, item, nullptr, panelHandle);
    FlushDirtyControls();
    return 0;
}

void UpdateTimer(Panel &, Control &control) {
    QTimer *timer = control.timer;
    if (timer == nullptr) {
        return;
    }
    // 1 ms is the fastest tick the engine delivers, a day the slowest (a longer interval would
    // not fit the timer's int milliseconds).
    constexpr double kSlowestMs = 86400.0 * 1000.0;
    const int milliseconds =
        static_cast<int>(std::lround(std::clamp(control.interval * 1000.0, 1.0, kSlowestMs)));
    // A timer without a callback keeps its settings but never wakes the program up: its ticks
    // would have no effect.
    const bool run = control.timerEnabled && Engine().timersArmed && control.callback != nullptr;
    if (timer->interval() != milliseconds) {
        timer->setInterval(milliseconds);
    }
    if (run && !timer->isActive()) {
        timer->start();
    } else if (!run && timer->isActive()) {
        timer->stop();
    }
}

void ArmAllTimers() {
    EngineState &engine = Engine();
    engine.timersArmed = true;
    for (auto &[handle, panel] : engine.panels) {
        for (Control &control : panel->controls) {
            UpdateTimer(*panel, control);
        }
    }
}
