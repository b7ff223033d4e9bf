// What tests drive and look at: queued answers, events sent as a user would, the engine's
// state, and the widgets behind panels and controls.
#include "engine/control_sync.h"
#include "engine/dde_reset.h"
#include "engine/dispatch.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/model.h"
#include "engine/panel_life.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

void EngineQueueConfirmAnswer(int answer) {
    Engine().confirmAnswers.push_back(answer);
}

void EngineQueueFileAnswer(const char *path) {
    Engine().fileAnswers.push_back(path != nullptr ? std::optional<std::string>(path)
                                                   : std::nullopt);
}

int EnginePopupCount() {
    return Engine().popupCount;
}

std::string EngineLastPopupTitle() {
    return Engine().lastPopupTitle;
}

std::string EngineLastPopupMessage() {
    return Engine().lastPopupMessage;
}

int EngineBeepCount() {
    return Engine().beepCount;
}

int EngineQuitCount() {
    return Engine().quitCount;
}

void EngineSetPopupHandler(EnginePopupHandler handler) {
    Engine().popupHandler = std::move(handler);
}

std::optional<std::string> EngineDiscardedText(int panel, int control) {
    const auto &kept = Engine().discardedTexts;
    for (auto entry = kept.rbegin(); entry != kept.rend(); ++entry) {
        if (entry->first == panel) {
            const auto text = entry->second.find(control);
            if (text != entry->second.end()) {
                return text->second;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int EngineSendEvent(int panel, int control, int event) {
    Control *target = FindControl(panel, control);
    if (target == nullptr) {
        return FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
    }
    if (!target->visible || target->dimmed || !target->inputEnabled) {
        return 0;
    }
    if (event == EVENT_COMMIT && target->definition.kind == CTRL_TOGGLE_BUTTON) {
        target->number = target->number != 0.0 ? 0.0 : 1.0;
        MarkDirty(*FindPanel(panel), *target);
    }
    return DispatchEvent(panel, control, event);
}

int EngineActivateMenuItem(int menuBar, int menuItem) {
    return DispatchMenuItem(menuBar, menuItem);
}

int EngineTickTimer(int panel, int control) {
    const Control *target = FindControl(panel, control);
    if (target == nullptr || target->definition.kind != CTRL_TIMER) {
        return kEngineBadControl;
    }
    return DispatchEvent(panel, control, EVENT_TIMER_TICK);
}

int EngineTopPopup() {
    const auto &popups = Engine().popups;
    return popups.empty() ? 0 : popups.back();
}

int EnginePopupDepth() {
    return static_cast<int>(Engine().popups.size());
}

int EnginePanelShown(int panel) {
    const Panel *target = FindPanel(panel);
    return target != nullptr && PanelWindowShown(*target) ? 1 : 0;
}

int EnginePanelBuilt(int panel) {
    const Panel *target = FindPanel(panel);
    return target != nullptr && target->window != nullptr ? 1 : 0;
}

int EngineLoopRunning() {
    return Engine().loop != nullptr ? 1 : 0;
}

void EngineSetResourceDir(const char *directory) {
    Engine().resourceDir =
        directory != nullptr ? std::optional<std::string>(directory) : std::nullopt;
}

void EngineSetScreenArea(int width, int height) {
    if (width > 0 && height > 0) {
        Engine().screenArea = QRect(0, 0, width, height);
    } else {
        Engine().screenArea.reset();
    }
}

void EngineReset() {
    EngineState &engine = Engine();
    DdeReset();
    TerminateAllExecutables();
    std::vector<int> handles;
    for (const auto &[handle, panel] : engine.panels) {
        if (panel->parent == 0) {
            handles.push_back(handle);
        }
    }
    for (int handle : handles) {
        DestroyPanel(handle);
    }
    engine.popups.clear();
    engine.confirmAnswers.clear();
    engine.fileAnswers.clear();
    engine.popupHandler = nullptr;
    engine.discardedTexts.clear();
    engine.dirtyControls.clear();
    engine.resourceDir.reset();
    engine.programDir.reset();
    engine.screenArea.reset();
    engine.timersArmed = false;
    engine.frameTimers.clear();
    if (engine.frameClock != nullptr) {
        engine.frameClock->stop();
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QWidget *EngineControlWidget(int panel, int control) {
    Control *target = FindControl(panel, control);
    if (target != nullptr) {
        EnsureWindow(*FindPanel(panel));
    }
    return target != nullptr ? target->view.data() : nullptr;
}

QWidget *EnginePanelWidget(int panel) {
    Panel *target = FindPanel(panel);
    if (target != nullptr) {
        EnsureWindow(*target);
    }
    return target != nullptr ? target->window.data() : nullptr;
}

std::string EngineLastBrowserUrl() {
    return Engine().lastBrowserUrl;
}

std::string EngineLastFileDialogDirectory() {
    return Engine().lastFileDialogDirectory;
}
