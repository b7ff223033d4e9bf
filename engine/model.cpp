#include "engine/model.h"

#include <QApplication>

namespace {
/// An application object still alive when the program's statics are destroyed.
QApplication *lingeringApplication = nullptr;
} // namespace

EngineState::~EngineState() {
    // Qt cannot end its application object once main has returned; one that InitCVIRTE made
    // and CloseCVIRTE did not end is left to the operating system.
    if (ownApplication != nullptr) {
        lingeringApplication = ownApplication.release();
    }
}

EngineState &Engine() {
    static EngineState state;
    return state;
}

Panel *FindPanel(int handle) {
    auto &panels = Engine().panels;
    const auto found = panels.find(handle);
    return found == panels.end() ? nullptr : found->second.get();
}

Control *FindControl(int panel, int control) {
    Panel *owner = FindPanel(panel);
    if (owner == nullptr || control < 2 ||
        control - 2 >= static_cast<int>(owner->controls.size())) {
        return nullptr;
    }
    return &owner->controls[static_cast<std::size_t>(control - 2)];
}

int SelectedValue(const Control &control) {
    if (control.index < 0 || control.index >= static_cast<int>(control.items.size())) {
        return 0;
    }
    return control.items[static_cast<std::size_t>(control.index)].value;
}

void InitialiseModel(Control &control) {
    const ControlSpec &definition = control.definition;
    control.label = definition.label;
    control.text = definition.text;
    control.number = definition.value;
    control.items = definition.items;
    control.min = definition.min;
    control.max = definition.max;
    control.increment = definition.increment;
    control.hasMin = definition.hasMin;
    control.hasMax = definition.hasMax;
    control.visible = !definition.hidden;
    control.dimmed = definition.dimmed;
    control.interval = definition.interval;
    control.timerEnabled = definition.enabled;
    if (!control.items.empty()) {
        control.index = 0;
        for (std::size_t i = 0; i < control.items.size(); ++i) {
            if (control.items[i].value == static_cast<int>(definition.value)) {
                control.index = static_cast<int>(i);
                break;
            }
        }
    }
}
