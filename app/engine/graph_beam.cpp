// The look of a graph's beam: how far it is out of focus, and whether the phosphor keeps an
// afterglow. Operations of the engine beyond the run-time engine's own graph calls.

#include "app/engine/engine.h"
#include "app/engine/graph_widget.h"
#include "app/engine/panels.h"

#include <cmath>

namespace {

/// The graph widget of a control, with the engine's error code when there is none.
GraphWidget *beamGraph(int panel, int control, int &error) {
    Control *target = FindControl(panel, control);
    if (target == nullptr) {
        error = FindPanel(panel) == nullptr ? kEngineBadHandle : kEngineBadControl;
        return nullptr;
    }
    GraphWidget *graph = GraphOf(*target);
    error = graph != nullptr ? kEngineOk : kEngineBadAttribute;
    return graph;
}

} // namespace

int SetGraphBeamFocus(int panel, int control, double distance) {
    int error = kEngineOk;
    GraphWidget *graph = beamGraph(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (!std::isfinite(distance) || distance < 0.0 || distance > 1.0) {
        return kEngineBadValue;
    }
    graph->setBeamFocus(distance);
    return kEngineOk;
}

int SetGraphAfterglow(int panel, int control, int on) {
    int error = kEngineOk;
    GraphWidget *graph = beamGraph(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    graph->setAfterglow(on != 0);
    return kEngineOk;
}
