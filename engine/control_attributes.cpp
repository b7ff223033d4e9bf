// Reading and setting the attributes of controls.
#include "engine/control_sync.h"
#include "engine/dispatch.h"
#include "engine/engine.h"
#include "engine/graph_widget.h"
#include "engine/layout.h"
#include "engine/model.h"
#include "engine/operation_support.h"
#include "engine/picture_state.h"

#include <cmath>
#include <limits>

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    switch (attribute) {
    case ATTR_CTRL_MODE:
        return SetInputMode(panel, control, value == VAL_INDICATOR ? 0 : 1);
    case ATTR_INTERVAL:
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
        return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
    case ATTR_CTRL_VAL:
        return SetCtrlVal(panel, control, value);
    case ATTR_POINTER_ANGLE:
    case ATTR_PRESSED_KEYS:
        return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
    default:
        break;
    }
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    Panel &owner = *FindPanel(panel);
    switch (attribute) {
    case ATTR_VISIBLE:
        if (target->visible != (value != 0)) {
            target->visible = value != 0;
            MarkDirty(owner, *target);
        }
        return kEngineOk;
    case ATTR_DIMMED:
        if (target->dimmed != (value != 0)) {
            target->dimmed = value != 0;
            MarkDirty(owner, *target);
        }
        return kEngineOk;
    case ATTR_ENABLED:
        if (target->definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        target->timerEnabled = value != 0;
        UpdateTimer(owner, *target);
        return kEngineOk;
    case ATTR_TOP:
    case ATTR_LEFT:
    case ATTR_HEIGHT:
    case ATTR_WIDTH: {
        ControlSpec &definition = target->definition;
        int &field = attribute == ATTR_TOP      ? definition.top
                     : attribute == ATTR_LEFT   ? definition.left
                     : attribute == ATTR_HEIGHT ? definition.height
                                                : definition.width;
        field = value;
        PlaceControl(owner, *target);
        return kEngineOk;
    }
    default:
        return kEngineBadAttribute;
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    if (attribute == ATTR_CTRL_VAL) {
        return SetCtrlVal(panel, control, value);
    }
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    Panel &owner = *FindPanel(panel);
    switch (attribute) {
    case ATTR_INTERVAL:
        if (target->definition.kind != CTRL_TIMER || !(value >= 0.0) || !std::isfinite(value)) {
            return target->definition.kind != CTRL_TIMER ? kEngineBadAttribute : kEngineBadValue;
        }
        target->interval = value;
        UpdateTimer(owner, *target);
        return kEngineOk;
    case ATTR_MIN_VALUE:
    case ATTR_MAX_VALUE:
    case ATTR_INCR_VALUE:
        if (target->definition.kind != CTRL_KNOB && target->definition.kind != CTRL_NUMERIC) {
            return kEngineBadAttribute;
        }
        if (attribute == ATTR_MIN_VALUE) {
            target->min = value;
            target->hasMin = true;
        } else if (attribute == ATTR_MAX_VALUE) {
            target->max = value;
            target->hasMax = true;
        } else {
            if (!(value > 0.0)) {
                return kEngineBadValue;
            }
            target->increment = value;
        }
        target->number = CoercedNumber(*target, target->number);
        MarkDirty(owner, *target);
        return kEngineOk;
    case ATTR_VISIBLE:
    case ATTR_DIMMED:
    case ATTR_ENABLED:
        return SetCtrlAttribute(panel, control, attribute, static_cast<int>(value));
    default:
        return SetPictureStateAttribute(owner, *target, attribute, value);
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, const char *value) {
    if (attribute == ATTR_CTRL_VAL) {
        return SetCtrlVal(panel, control, value);
    }
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (attribute != ATTR_LABEL_TEXT) {
        return SetTooltipAttribute(*FindPanel(panel), *target, attribute,
                                   value != nullptr ? value : "");
    }
    const std::string label = value != nullptr ? value : "";
    if (target->label != label) {
        target->label = label;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

int GetCtrlAttribute(int panel, int control, int attribute, int *value) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    const ControlSpec &definition = target->definition;
    switch (attribute) {
    case ATTR_VISIBLE:
        *value = target->visible ? 1 : 0;
        return kEngineOk;
    case ATTR_DIMMED:
        *value = target->dimmed ? 1 : 0;
        return kEngineOk;
    case ATTR_ENABLED:
        if (definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        *value = target->timerEnabled ? 1 : 0;
        return kEngineOk;
    case ATTR_CTRL_KIND:
        *value = definition.kind;
        return kEngineOk;
    case ATTR_CTRL_MODE:
        *value = !target->inputEnabled         ? VAL_INDICATOR
                 : definition.callback.empty() ? VAL_NORMAL
                                               : VAL_HOT;
        return kEngineOk;
    case ATTR_DATA_TYPE:
        *value = IsTextKind(definition.kind) ? VAL_STRING
                 : definition.kind == CTRL_KNOB || definition.kind == CTRL_NUMERIC
                     ? definition.dataType
                     : VAL_INTEGER;
        return kEngineOk;
    case ATTR_TOP:
        *value = definition.top;
        return kEngineOk;
    case ATTR_LEFT:
        *value = definition.left;
        return kEngineOk;
    case ATTR_HEIGHT:
        *value = definition.height;
        return kEngineOk;
    case ATTR_WIDTH:
        *value = definition.width;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    case ATTR_PLOT_COUNT:
        if (GraphWidget *graph = GraphOf(*target)) {
            *value = graph->plotCount();
            return kEngineOk;
        }
        return kEngineBadAttribute;
    case ATTR_PRESSED_KEYS: {
        double mask = 0.0;
        const int result = GetPictureStateAttribute(*target, attribute, &mask);
        *value = static_cast<int>(mask);
        return result;
    }
    default:
        return kEngineBadAttribute;
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, double *value) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    const bool ranged =
        target->definition.kind == CTRL_KNOB || target->definition.kind == CTRL_NUMERIC;
    switch (attribute) {
    case ATTR_INTERVAL:
        if (target->definition.kind != CTRL_TIMER) {
            return kEngineBadAttribute;
        }
        *value = target->interval;
        return kEngineOk;
    case ATTR_MIN_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->hasMin ? target->min : std::numeric_limits<double>::lowest();
        return kEngineOk;
    case ATTR_MAX_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->hasMax ? target->max : std::numeric_limits<double>::max();
        return kEngineOk;
    case ATTR_INCR_VALUE:
        if (!ranged) {
            return kEngineBadAttribute;
        }
        *value = target->increment;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    default:
        return GetPictureStateAttribute(*target, attribute, value);
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string *value) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    switch (attribute) {
    case ATTR_LABEL_TEXT:
        *value = target->label;
        return kEngineOk;
    case ATTR_CONSTANT_NAME:
        *value = target->definition.constant;
        return kEngineOk;
    case ATTR_CALLBACK_NAME:
        *value = target->definition.callback;
        return kEngineOk;
    case ATTR_SHORTCUT_KEY:
        *value = target->definition.shortcut;
        return kEngineOk;
    case ATTR_CTRL_VAL:
        return GetCtrlVal(panel, control, value);
    default:
        return GetTooltipAttribute(*target, attribute, value);
    }
}
