// Reading and setting the attributes of panels.
#include "engine/engine.h"
#include "engine/model.h"
#include "engine/panel_life.h"
#include "engine/translators.h"
#include "engine/view_format.h"

#include <QWidget>

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
    case ATTR_DOCKED:
        return DockPanelWindow(*target, value != 0);
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
                                                             : ShownText(target->title));
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
        *value = PanelWindowShown(*target) ? 1 : 0;
        return kEngineOk;
    case ATTR_DOCKED:
        *value = target->docked ? 1 : 0;
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
