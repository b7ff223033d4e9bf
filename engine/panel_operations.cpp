// Loading, showing, placing and discarding panels; the mouse; the last error's text.
#include "engine/engine.h"
#include "engine/layout.h"
#include "engine/model.h"
#include "engine/operation_support.h"
#include "engine/panel_life.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

int LoadPanel(int parentPanel, const char *fileName, int panelNumber) {
    if (!Engine().initialised) {
        Engine().errorText = "the engine is not initialised";
        return kEngineNotInitialised;
    }
    return CreatePanel(parentPanel, fileName != nullptr ? fileName : "", panelNumber);
}

int DisplayPanel(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    ShowPanelWindow(*target, target->installed);
    return kEngineOk;
}

int HidePanel(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    std::erase(Engine().popups, panel);
    target->installed = false;
    HidePanelWindow(*target);
    return kEngineOk;
}

int InstallPopup(int panel) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    // A panel docked in its parent's window is part of that window, never modal over it.
    if (target->docked) {
        ShowPanelWindow(*target, false);
        return kEngineOk;
    }
    auto &popups = Engine().popups;
    std::erase(popups, panel);
    popups.push_back(panel);
    target->installed = true;
    ShowPanelWindow(*target, true);
    return kEngineOk;
}

int RemovePopup(int removeAll) {
    auto &popups = Engine().popups;
    do {
        if (popups.empty()) {
            return kEngineOk;
        }
        const int top = popups.back();
        popups.pop_back();
        if (Panel *panel = FindPanel(top)) {
            panel->installed = false;
            HidePanelWindow(*panel);
        }
    } while (removeAll != 0);
    return kEngineOk;
}

int DiscardPanel(int panel) {
    if (FindPanel(panel) == nullptr) {
        return kEngineBadHandle;
    }
    DestroyPanel(panel);
    return kEngineOk;
}

int SetPanelPos(int panel, int top, int left) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    target->top = top;
    target->left = left;
    if (target->window != nullptr && target->window->isVisible()) {
        ShowPanelWindow(*target, target->installed);
    }
    return kEngineOk;
}

int GetPanelMenuBar(int panel) {
    const Panel *target = FindPanel(panel);
    return target != nullptr ? target->menuBar : 0;
}

int GetGlobalMouseState(int *panel, int *x, int *y, int *leftDown, int *rightDown, int *modifiers) {
    const QPoint at = QCursor::pos();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    if (panel != nullptr) {
        *panel = 0;
    }
    if (x != nullptr) {
        *x = at.x();
    }
    if (y != nullptr) {
        *y = at.y();
    }
    if (leftDown != nullptr) {
        *leftDown = (buttons & Qt::LeftButton) ? 1 : 0;
    }
    if (rightDown != nullptr) {
        *rightDown = (buttons & Qt::RightButton) ? 1 : 0;
    }
    if (modifiers != nullptr) {
        *modifiers = static_cast<int>(QGuiApplication::keyboardModifiers());
    }
    return kEngineOk;
}

int GetRelativeMouseState(int panel, int, int *x, int *y, int *leftDown, int *rightDown,
                          int *modifiers) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr || target->canvas == nullptr) {
        return kEngineBadHandle;
    }
    int globalX = 0;
    int globalY = 0;
    GetGlobalMouseState(nullptr, &globalX, &globalY, leftDown, rightDown, modifiers);
    const QPoint at =
        CanvasToPanel(*target, target->canvas->mapFromGlobal(QPoint(globalX, globalY)));
    if (x != nullptr) {
        *x = at.x();
    }
    if (y != nullptr) {
        *y = at.y();
    }
    return kEngineOk;
}

const char *GetEngineErrorText() {
    return Engine().errorText.c_str();
}
