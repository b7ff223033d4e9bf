// Plots on the screen control, its axes, beam focus and afterglow, and its picture.
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/graph_widget.h"
#include "engine/model.h"
#include "engine/operation_support.h"

#include <cmath>

namespace {
GraphWidget *graphFor(int panel, int control, int &error) {
    Control *target = LookupControl(panel, control, error);
    if (target == nullptr) {
        return nullptr;
    }
    GraphWidget *graph = GraphOf(*target);
    if (graph == nullptr) {
        error = kEngineBadAttribute;
    }
    return graph;
}
} // namespace

int SetAxisScalingMode(int panel, int control, int axis, int mode, double min, double max) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (mode != VAL_MANUAL) {
        return kEngineOk; // the screen always keeps a fixed range
    }
    if (!(min < max)) {
        return kEngineBadValue;
    }
    graph->setAxisRange(axis == VAL_XAXIS ? 0 : 1, min, max);
    return kEngineOk;
}

int PlotWaveform(int panel, int control, const double *y, int count, int, double gain,
                 double offset, double x0, double dx, int plotStyle, int, int, int, int color) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    const int handle = graph->addWaveform(y, count, gain, offset, x0, dx, plotStyle, color);
    return handle > 0 ? handle : kEngineBadValue;
}

int PlotXY(int panel, int control, const double *x, const double *y, int count, int, int,
           int plotStyle, int, int, int, int color) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    const int handle = graph->addXY(x, y, count, plotStyle, color);
    return handle > 0 ? handle : kEngineBadValue;
}

int DeleteGraphPlot(int panel, int control, int plotHandle, int) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    if (plotHandle == VAL_ALL_PLOTS) {
        graph->deleteAllPlots();
        return kEngineOk;
    }
    return graph->deletePlot(plotHandle) ? kEngineOk : kEngineNoSuchPlot;
}

int SetGraphBeamFocus(int panel, int control, double distance) {
    int error = kEngineOk;
    GraphWidget *graph = graphFor(panel, control, error);
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
    GraphWidget *graph = graphFor(panel, control, error);
    if (graph == nullptr) {
        return error;
    }
    graph->setAfterglow(on != 0);
    return kEngineOk;
}

QImage EngineRenderGraph(int panel, int control, QSize size) {
    Control *target = FindControl(panel, control);
    GraphWidget *graph = target != nullptr ? GraphOf(*target) : nullptr;
    if (graph == nullptr) {
        return {};
    }
    return RenderScreen(*target, *graph, size.isEmpty() ? graph->size() : size);
}
