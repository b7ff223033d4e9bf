#include "engine/dispatch.h"

#include "engine/control_sync.h"
#include "engine/graph_widget.h"
#include "engine/model.h"

#include <QCoreApplication>

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
    const auto added = panel->addedMenuItems.find(item);
    if (added != panel->addedMenuItems.end()) {
        const auto [function, data] = added->second;
        if (function != nullptr) {
            function(menuBar, item, data, panelHandle);
            FlushDirtyControls();
        }
        return 0;
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

namespace {

/// A timer's interval in whole milliseconds: 1 ms is the fastest tick the engine delivers, a
/// day the slowest (a longer interval would not fit the timer's int milliseconds).
int timerMilliseconds(const Control &control) {
    constexpr double kSlowestMs = 86400.0 * 1000.0;
    return static_cast<int>(std::lround(std::clamp(control.interval * 1000.0, 1.0, kSlowestMs)));
}

bool timerRuns(const Control &control) {
    return control.timerEnabled && Engine().timersArmed && control.callback != nullptr;
}

/// A running timer no slower than a frame, awake: the frame clock serves it.
bool servedPerFrame(const Control &control) {
    return timerRuns(control) && !control.timerDozing &&
           timerMilliseconds(control) <= GraphWidget::kFrameIntervalMs;
}

/// Runs a timer's callback as often as one wake-up asks (ServeTimer's rule).
void runTimer(int panel, int control) {
    const EngineState &engine = Engine();
    for (int run = 0;; ++run) {
        const Control *target = FindControl(panel, control);
        if (target == nullptr || !timerRuns(*target)) {
            return;
        }
        const int milliseconds = timerMilliseconds(*target);
        const int most =
            target->timerDozing ? 1 : std::max(1, GraphWidget::kFrameIntervalMs / milliseconds);
        if (run >= most) {
            return;
        }
        const unsigned long long pictures = engine.newPictures;
        DispatchEvent(panel, control, EVENT_TIMER_TICK);
        // A run that put no new picture on the screen would only repeat what the frame shows.
        if (engine.newPictures == pictures) {
            return;
        }
    }
}

/// The frame clock's wake-up: every timer it serves, in the order they joined, then the frame
/// checks of the screens they changed. It stops when it serves no timer any more.
void serveFrame() {
    EngineState &engine = Engine();
    // A callback may start or stop timers: those it stops are skipped, those it starts wait
    // for the next frame.
    const std::vector<std::pair<int, int>> timers = engine.frameTimers;
    for (const auto &[panel, control] : timers) {
        runTimer(panel, control);
    }
    std::erase_if(engine.frameTimers, [](const std::pair<int, int> &entry) {
        const Control *target = FindControl(entry.first, entry.second);
        return target == nullptr || !servedPerFrame(*target);
    });
    GraphWidget::ShowPendingFrames();
    if (engine.frameTimers.empty() && engine.frameClock != nullptr) {
        engine.frameClock->stop();
        GraphWidget::FrameClockStopped();
    }
}

/// Adds a timer to the frame clock's list or takes it off, starting the clock for the first.
void joinFrameClock(int panel, int control, bool join) {
    EngineState &engine = Engine();
    auto &timers = engine.frameTimers;
    const std::pair<int, int> entry{panel, control};
    const auto found = std::find(timers.begin(), timers.end(), entry);
    if (!join) {
        if (found != timers.end()) {
            timers.erase(found);
        }
        return;
    }
    if (found == timers.end()) {
        timers.push_back(entry);
    }
    if (engine.frameClock == nullptr) {
        engine.frameClock = new QTimer(QCoreApplication::instance());
        engine.frameClock->setTimerType(Qt::PreciseTimer);
        engine.frameClock->setInterval(GraphWidget::kFrameIntervalMs);
        QObject::connect(engine.frameClock, &QTimer::timeout, serveFrame);
    }
    if (!engine.frameClock->isActive()) {
        engine.frameClock->start();
    }
}

} // namespace

void UpdateTimer(Panel &panel, Control &control) {
    QTimer *timer = control.timer;
    if (timer == nullptr) {
        return;
    }
    const int milliseconds =
        std::max(timerMilliseconds(control),
                 control.timerDozing ? kDozingTimerMs : GraphWidget::kFrameIntervalMs);
    const Qt::TimerType type = milliseconds >= kDozingTimerMs ? Qt::CoarseTimer : Qt::PreciseTimer;
    const bool perFrame = servedPerFrame(control);
    // A timer without a callback keeps its settings but never wakes the program up: its ticks
    // would have no effect. One no slower than a frame is woken by the frame clock instead.
    const bool run = timerRuns(control) && !perFrame;
    if (timer->interval() != milliseconds) {
        timer->setInterval(milliseconds);
    }
    if (timer->timerType() != type) {
        timer->stop();
        timer->setTimerType(type);
    }
    if (run && !timer->isActive()) {
        timer->start();
    } else if (!run && timer->isActive()) {
        timer->stop();
    }
    joinFrameClock(panel.handle, control.id, perFrame);
}

void ServeTimer(int panel, int control) {
    runTimer(panel, control);
    // While the frame clock runs, the screens are checked after its timers have run: between
    // two of its wake-ups a screen may show one of two alternating traces only.
    const EngineState &engine = Engine();
    if (engine.frameClock == nullptr || !engine.frameClock->isActive()) {
        GraphWidget::ShowPendingFrames();
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
