// Loading, showing, placing and discarding panels, their attributes and the mouse.
#include "engine/engine.h"
#include "engine/layout.h"
#include "engine/model.h"
#include "engine/operation_support.h"
#include "engine/panel_life.h"
#include "engine/view_format.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

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

int SetPanelAttribute(int panel, int attribute, int value) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    switch (attribute) {
    case ATTR_WINDOW_ZOOM:
        target->zoom = value;
        if (target->window != nullptr && target->window->isVisible()) {
            ShowPanelWindow(*target, target->installed);
        }
        return kEngineOk;
    case ATTR_TOP:
        return SetPanelPos(panel, value, target->left);
    case ATTR_LEFT:
        return SetPanelPos(panel, target->top, value);
    case ATTR_VISIBLE:
        return value != 0 ? DisplayPanel(panel) : HidePanel(panel);
    default:
        return kEngineBadAttribute;
    }
}

int SetPanelAttribute(int panel, int attribute, const char *value) {
    Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (attribute != ATTR_TITLE) {
        return kEngineBadAttribute;
    }
    target->title = value != nullptr ? value : "";
    if (target->window != nullptr) {
        target->window->setWindowTitle(target->title.empty() ? QStringLiteral(" ")
                                                             : QText(target->title.c_str()));
    }
    return kEngineOk;
}

int GetPanelAttribute(int panel, int attribute, int *value) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_TOP:
        *value = target->top;
        return kEngineOk;
    case ATTR_LEFT:
        *value = target->left;
        return kEngineOk;
    case ATTR_HEIGHT:
        *value = target->definition.height;
        return kEngineOk;
    case ATTR_WIDTH:
        *value = target->definition.width;
        return kEngineOk;
    case ATTR_VISIBLE:
        *value = target->window != nullptr && target->window->isVisible() ? 1 : 0;
        return kEngineOk;
    case ATTR_WINDOW_ZOOM:
        *value = target->zoom;
        return kEngineOk;
    case ATTR_PANEL_NUMBER:
        *value = target->definition.number;
        return kEngineOk;
    case ATTR_NUM_CTRLS:
        *value = static_cast<int>(target->controls.size());
        return kEngineOk;
    default:
        return kEngineBadAttribute;
    }
}

int GetPanelAttribute(int panel, int attribute, std::string *value) {
    const Panel *target = FindPanel(panel);
    if (target == nullptr) {
        return kEngineBadHandle;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_TITLE:
        *value = target->title;
        return kEngineOk;
    case ATTR_CONSTANT_NAME:
        *value = target->definition.constant;
        return kEngineOk;
    default:
        return kEngineBadAttribute;
    }
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
