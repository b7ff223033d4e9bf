#include "engine/operation_support.h"

#include "engine/graph_widget.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstring>

bool Headless() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

bool IsNumericKind(EngineControlKind kind) {
    return kind == CTRL_NUMERIC || kind == CTRL_KNOB || kind == CTRL_LED ||
           kind == CTRL_TOGGLE_BUTTON;
}

bool IsItemKind(EngineControlKind kind) {
    return kind == CTRL_RING || kind == CTRL_LIST_BOX || kind == CTRL_SLIDE;
}

bool IsTextKind(EngineControlKind kind) {
    return kind == CTRL_TEXT_MSG || kind == CTRL_STRING || kind == CTRL_TEXT_BOX;
}

namespace {

bool hasRange(const Control &control) {
    return control.definition.kind == CTRL_KNOB ||
           (control.definition.kind == CTRL_NUMERIC && control.hasMin && control.hasMax);
}

} // namespace

double CoercedNumber(const Control &control, double value) {
    if (hasRange(control)) {
        value = std::clamp(value, control.min, std::max(control.min, control.max));
    }
    switch (control.definition.dataType) {
    case VAL_INTEGER:
        return std::round(value);
    case VAL_FLOAT:
        return static_cast<float>(value);
    default:
        return value;
    }
}

Control *LookupControl(int panel, int control, int &error) {
    Control *target = FindControl(panel, control);
    error = target != nullptr             ? kEngineOk
            : FindPanel(panel) == nullptr ? kEngineBadHandle
                                          : kEngineBadControl;
    return target;
}

int CopyText(const std::string &text, char *buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) {
        return kEngineBadValue;
    }
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count == text.size() ? kEngineOk : kEngineBadValue;
}

GraphWidget *GraphOf(Control &control) {
    return control.definition.kind == CTRL_GRAPH ? qobject_cast<GraphWidget *>(control.view.data())
                                                 : nullptr;
}

/// The screen drawn at `size`, its beams as wide relative to it as on the panel.
QImage RenderScreen(const Control &control, GraphWidget &graph, QSize size) {
    const int stored = control.definition.width;
    const double scale = stored > 0 ? static_cast<double>(size.width()) / stored : 1.0;
    return graph.renderImage(size, scale);
}
