#include "engine/picture_state.h"

#include "engine/control_sync.h"
#include "engine/dispatch.h"
#include "engine/model.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kKnobSweepDegrees = 270.0;
} // namespace

double KnobStep(double value, double min, double max, double increment, int steps) {
    if (!(increment > 0.0) || !(max >= min)) {
        return value;
    }
    const double position = std::round((value - min) / increment) + steps;
    return std::clamp(min + position * increment, min, max);
}

double KnobStepTenths(double value, double min, double max, double increment, int tenths) {
    if (tenths % 10 == 0) {
        return KnobStep(value, min, max, increment, tenths / 10);
    }
    return KnobStep(value, min, max, increment / 10.0, tenths);
}

int WheelTenths(int eventData1, int eventData2) {
    return eventData2 != 0 ? eventData2 : eventData1 * 10;
}

double KnobPointerAngle(double value, double min, double max) {
    const double span = max - min;
    const double fraction = span > 0.0 ? std::clamp((value - min) / span, 0.0, 1.0) : 0.0;
    return -kKnobSweepDegrees / 2.0 + kKnobSweepDegrees * fraction;
}

int TurnKnob(int panel, int control, int steps) {
    return TurnKnobTenths(panel, control, steps * 10);
}

int TurnKnobTenths(int panel, int control, int tenths) {
    Control *knob = FindControl(panel, control);
    if (knob == nullptr) {
        return FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
    }
    if (knob->definition.kind != CTRL_KNOB) {
        return kEngineBadControl;
    }
    const double next = KnobStepTenths(knob->number, knob->min, knob->max, knob->increment, tenths);
    if (next == knob->number) {
        return 0;
    }
    knob->number = next;
    MarkDirty(*FindPanel(panel), *knob);
    DispatchEvent(panel, control, EVENT_VAL_CHANGED);
    return 1;
}

int SetPictureStateAttribute(Panel &panel, Control &control, int attribute, double value) {
    if (control.definition.kind != CTRL_PICTURE ||
        (attribute != ATTR_POINTER_ANGLE && attribute != ATTR_PRESSED_KEYS &&
         attribute != ATTR_LEVER_POSITION)) {
        return kEngineBadAttribute;
    }
    if (!std::isfinite(value)) {
        return kEngineBadValue;
    }
    if (attribute == ATTR_POINTER_ANGLE) {
        if (control.pointerAngle != value) {
            control.pointerAngle = value;
            MarkDirty(panel, control);
        }
        return kEngineOk;
    }
    if (value < 0.0 || value > 0x7fffffff) {
        return kEngineBadValue;
    }
    int &field = attribute == ATTR_PRESSED_KEYS ? control.pressedKeys : control.leverPosition;
    const int whole = static_cast<int>(value);
    if (field != whole) {
        field = whole;
        MarkDirty(panel, control);
    }
    return kEngineOk;
}

int SetTooltipAttribute(Panel &panel, Control &control, int attribute, const std::string &text) {
    if (attribute != ATTR_TOOLTIP_TEXT) {
        return kEngineBadAttribute;
    }
    if (control.tooltip != text) {
        control.tooltip = text;
        MarkDirty(panel, control);
    }
    return kEngineOk;
}

int GetPictureStateAttribute(const Control &control, int attribute, double *value) {
    if (control.definition.kind != CTRL_PICTURE) {
        return kEngineBadAttribute;
    }
    switch (attribute) {
    case ATTR_POINTER_ANGLE:
        *value = control.pointerAngle;
        return kEngineOk;
    case ATTR_PRESSED_KEYS:
        *value = control.pressedKeys;
        return kEngineOk;
    case ATTR_LEVER_POSITION:
        *value = control.leverPosition;
        return kEngineOk;
    default:
        return kEngineBadAttribute;
    }
}

int GetTooltipAttribute(const Control &control, int attribute, std::string *text) {
    if (attribute != ATTR_TOOLTIP_TEXT) {
        return kEngineBadAttribute;
    }
    *text = control.tooltip;
    return kEngineOk;
}
