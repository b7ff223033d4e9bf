// Values of controls, the items of lists and rings, and the lines of text boxes.
#include "engine/control_sync.h"
#include "engine/engine.h"
#include "engine/model.h"
#include "engine/operation_support.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

int setNumber(int panel, int control, double value) {
    Control *target = FindControl(panel, control);
    if (target == nullptr) {
        return FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
    }
    const EngineControlKind kind = target->definition.kind;
    if (kind == CTRL_LED || kind == CTRL_TOGGLE_BUTTON) {
        target->number = value != 0.0 ? 1.0 : 0.0;
    } else if (IsNumericKind(kind)) {
        target->number = CoercedNumber(*target, value);
    } else if (IsItemKind(kind)) {
        const auto found =
            std::find_if(target->items.begin(), target->items.end(), [value](const ItemSpec &item) {
                return item.value == static_cast<int>(value);
            });
        if (found == target->items.end()) {
            return kEngineBadValue;
        }
        target->index = static_cast<int>(found - target->items.begin());
    } else {
        return kEngineBadValue;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    if (text.empty()) {
        return lines;
    }
    std::string line;
    std::istringstream stream(text);
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    if (text.back() == '\n') {
        lines.emplace_back();
    }
    return lines;
}

std::string joinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}

} // namespace

int SetCtrlVal(int panel, int control, int value) {
    return setNumber(panel, control, value);
}

int SetCtrlVal(int panel, int control, double value) {
    return setNumber(panel, control, value);
}

int SetCtrlVal(int panel, int control, const char *value) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    const std::string text = value != nullptr ? value : "";
    switch (target->definition.kind) {
    case CTRL_TEXT_BOX:
        if (text.empty()) {
            return kEngineOk;
        }
        target->text += text;
        break;
    case CTRL_TEXT_MSG:
    case CTRL_STRING:
        if (target->text == text) {
            return kEngineOk;
        }
        target->text = text;
        break;
    default:
        return kEngineBadValue;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetCtrlVal(int panel, int control, double *value) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr) {
        return kEngineBadValue;
    }
    if (IsNumericKind(target->definition.kind)) {
        *value = target->number;
    } else if (IsItemKind(target->definition.kind)) {
        *value = SelectedValue(*target);
    } else {
        return kEngineBadValue;
    }
    return kEngineOk;
}

int GetCtrlVal(int panel, int control, int *value) {
    double number = 0.0;
    const int error = GetCtrlVal(panel, control, &number);
    if (error == kEngineOk && value != nullptr) {
        *value = static_cast<int>(std::lround(number));
    }
    return value == nullptr ? kEngineBadValue : error;
}

int GetCtrlVal(int panel, int control, float *value) {
    double number = 0.0;
    const int error = GetCtrlVal(panel, control, &number);
    if (error == kEngineOk && value != nullptr) {
        *value = static_cast<float>(number);
    }
    return value == nullptr ? kEngineBadValue : error;
}

int GetCtrlVal(int panel, int control, std::string *value) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr || !IsTextKind(target->definition.kind)) {
        return kEngineBadValue;
    }
    *value = target->text;
    return kEngineOk;
}

int GetCtrlValString(int panel, int control, char *buffer, std::size_t size) {
    std::string text;
    const int error = GetCtrlVal(panel, control, &text);
    if (error != kEngineOk) {
        return error;
    }
    return CopyText(text, buffer, size);
}

int SetInputMode(int panel, int control, int mode) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->inputEnabled != (mode != 0)) {
        target->inputEnabled = mode != 0;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

// ---- Lists ----------------------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const char *label, int value) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!IsItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    auto &items = target->items;
    if (index < -1 || index > static_cast<int>(items.size())) {
        return kEngineBadValue;
    }
    const auto at = index == -1 ? items.end() : items.begin() + index;
    items.insert(at, ItemSpec{label != nullptr ? label : "", value});
    if (target->index < 0) {
        target->index = 0;
    } else if (index != -1 && index <= target->index) {
        ++target->index;
    }
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int ClearListCtrl(int panel, int control) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!IsItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    target->items.clear();
    target->index = -1;
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetNumListItems(int panel, int control, int *count) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!IsItemKind(target->definition.kind) || count == nullptr) {
        return kEngineBadAttribute;
    }
    *count = static_cast<int>(target->items.size());
    return kEngineOk;
}

int GetLabelFromIndex(int panel, int control, int index, std::string *label) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (label == nullptr || index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    *label = target->items[static_cast<std::size_t>(index)].label;
    return kEngineOk;
}

int GetValueFromIndex(int panel, int control, int index, int *value) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (value == nullptr || index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    *value = target->items[static_cast<std::size_t>(index)].value;
    return kEngineOk;
}

int GetCtrlIndex(int panel, int control, int *index) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (index == nullptr || !IsItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    *index = target->index;
    return kEngineOk;
}

int SetCtrlIndex(int panel, int control, int index) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (!IsItemKind(target->definition.kind)) {
        return kEngineBadAttribute;
    }
    if (index < 0 || index >= static_cast<int>(target->items.size())) {
        return kEngineBadValue;
    }
    if (target->index != index) {
        target->index = index;
        MarkDirty(*FindPanel(panel), *target);
    }
    return kEngineOk;
}

// ---- Text boxes -----------------------------------------------------------------------------

int ResetTextBox(int panel, int control, const char *text) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    target->text = text != nullptr ? text : "";
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int InsertTextBoxLine(int panel, int control, int index, const char *text) {
    int error = kEngineOk;
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    std::vector<std::string> lines = splitLines(target->text);
    if (index < -1 || index > static_cast<int>(lines.size())) {
        return kEngineBadValue;
    }
    const auto at = index == -1 ? lines.end() : lines.begin() + index;
    lines.insert(at, text != nullptr ? text : "");
    target->text = joinLines(lines);
    MarkDirty(*FindPanel(panel), *target);
    return kEngineOk;
}

int GetNumTextBoxLines(int panel, int control, int *count) {
    int error = kEngineOk;
    const Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return error;
    }
    if (count == nullptr || target->definition.kind != CTRL_TEXT_BOX) {
        return kEngineBadAttribute;
    }
    *count = static_cast<int>(splitLines(target->text).size());
    return kEngineOk;
}
