// One refresh of the screen (sampling, trigger and plot bookkeeping) in each display mode, and
// one repaint of the screen with two traces. Runs on Qt's offscreen platform.
//
// Targets: one refresh below 10 us of computing; one repaint of two glowing traces below 2 ms
// with the panel at twice its stored size.

#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "engine/graph_widget.h"
#include "generator/signal/signal.h"
#include "sim/input_routing.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

enum Mode : int { kCh, kDual, kAlternating, kAdd, kXY };

void setMode(Mode mode) {
    modoxy = mode == kXY ? 1 : 0;
    dual_op = mode == kDual || mode == kAlternating ? 1 : 0;
    vert_op = mode == kAlternating ? 1 : 0;
    add_op = mode == kAdd ? 1 : 0;
}

int refresh() {
    return Actualizar(Painel_Principal, PANEL_TIMER_P, EVENT_TIMER_TICK, nullptr, 0, 0);
}

/// CH I: "Cal 2Vpp" at DC; CH II: a 3 V sine from generator 2 at 100 Hz, AC. AUTO trigger on a
/// rising slope at 0 V, "1 ms" and "1 V": the front panel after `--power-on`.
bool setUp(char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return false;
    }
    if (std::getenv("VANTREL_RESOURCE_DIR") == nullptr) {
        EngineSetResourceDir(VANTREL_STAGE_DIR);
    }
    Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
    Painel_Canais = LoadPanel(Painel_Principal, "canais.uir", PANEL_CANA);
    if (Painel_Principal < 0 || Painel_Canais < 0) {
        std::fprintf(stderr, "bench_refresh: %s\n", GetEngineErrorText());
        return false;
    }
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_XAXIS, VAL_MANUAL, -300.0, 300.0);
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_LEFT_YAXIS, VAL_MANUAL, -10.0, 10.0);
    SinePattern(vantrel::kSamples, 3.0, 0.0, 1.0, onda_G[1]);
    freq_G[1] = 100.0;
    ChIN[0] = 4;
    ChIN[1] = 1;
    entrada_op[0] = 0;
    act_entr(Painel_Principal, PANEL_TIMER_3, EVENT_TIMER_TICK, nullptr, 0, 0);
    Esc_TempoID = 7;
    Power_btn(Painel_Principal, PANEL_POWERBUTTON, EVENT_LEFT_CLICK, nullptr, 0, 0);
    return Ligado == 1;
}

constexpr const char *kModeNames[] = {"CH", "DUAL", "DUAL alternating", "ADD", "X-Y"};

void BM_Refresh(benchmark::State &state) {
    setMode(static_cast<Mode>(state.range(0)));
    state.SetLabel(kModeNames[state.range(0)]);
    for (auto _ : state) {
        refresh();
    }
    setMode(kCh);
}
BENCHMARK(BM_Refresh)
    ->ArgName("mode")
    ->Arg(kCh)
    ->Arg(kDual)
    ->Arg(kAlternating)
    ->Arg(kAdd)
    ->Arg(kXY)
    ->Unit(benchmark::kMicrosecond);

/// Shows the main panel with its face at `scale` times the stored size.
void showMainPanelAt(double scale) {
    DisplayPanel(Painel_Principal);
    QWidget *window = EnginePanelWidget(Painel_Principal);
    QWidget *canvas = EngineControlWidget(Painel_Principal, PANEL_MOSTRAR)->parentWidget();
    int width = 0;
    int height = 0;
    GetPanelAttribute(Painel_Principal, ATTR_WIDTH, &width);
    GetPanelAttribute(Painel_Principal, ATTR_HEIGHT, &height);
    const QSize face(static_cast<int>(width * scale), static_cast<int>(height * scale));
    window->resize(face + window->size() - canvas->size());
    QApplication::processEvents();
}

/// The graph widget repainting itself with two glowing traces as the window system asks it to,
/// at a panel scale (percent) and focus (thin or thick beams). The traces are re-plotted by each
/// refresh but do not change: the widget shows the frame it composed before.
void BM_RepaintTwoTraces(benchmark::State &state) {
    setMode(kDual);
    OPCAO_FOCUS = static_cast<int>(state.range(1));
    refresh();
    showMainPanelAt(static_cast<double>(state.range(0)) / 100.0);
    auto *graph = qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
    graph->repaint(); // builds the cached static layers once
    const int paintsBefore = graph->repaintCount();
    for (auto _ : state) {
        graph->repaint();
    }
    // Shows that every iteration really painted (an unexposed widget would not).
    state.counters["paints_per_iteration"] =
        static_cast<double>(graph->repaintCount() - paintsBefore) / state.iterations();
    state.counters["width"] = graph->width();
    state.counters["height"] = graph->height();
    OPCAO_FOCUS = VAL_THIN_LINE;
    setMode(kCh);
}
BENCHMARK(BM_RepaintTwoTraces)
    ->ArgNames({"scale_percent", "style"})
    ->Args({100, VAL_THIN_LINE})
    ->Args({200, VAL_THIN_LINE})
    ->Args({200, VAL_FAT_LINE})
    ->Args({400, VAL_THIN_LINE})
    ->Unit(benchmark::kMicrosecond);

/// The same at twice the stored size, with both traces moving at every frame, so that every
/// frame is composed afresh: tube, halo and cores of the two new traces and of the two just
/// deleted (a repaint shows once more what was deleted since the one before); with and without
/// the phosphor's afterglow.
void BM_RepaintMovingTraces(benchmark::State &state) {
    showMainPanelAt(2.0);
    auto *graph = qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
    graph->deleteAllPlots();
    graph->setAxisRange(0, -300.0, 300.0);
    const int style = static_cast<int>(state.range(0));
    graph->setAfterglow(state.range(1) != 0);
    std::array<double, vantrel::kSamples> a{};
    std::array<double, vantrel::kSamples> b{};
    double phase = 0.0;
    for (auto _ : state) {
        phase += 0.1;
        for (int i = 0; i < vantrel::kSamples; ++i) {
            a[static_cast<std::size_t>(i)] = 7.0 * std::sin(i * 0.02 + phase);
            b[static_cast<std::size_t>(i)] = std::sin(i * 0.2 + phase) > 0.0 ? 2.5 : -2.5;
        }
        graph->deleteAllPlots();
        graph->addWaveform(a.data(), vantrel::kSamples, 1.0, 0.0, -300.0, 1.0, style, OPCAO_INTENS);
        graph->addWaveform(b.data(), vantrel::kSamples, 1.0, 0.0, -300.0, 1.0, style, OPCAO_INTENS);
        graph->repaint();
    }
    graph->deleteAllPlots();
    graph->setAfterglow(false);
}
BENCHMARK(BM_RepaintMovingTraces)
    ->ArgNames({"style", "afterglow"})
    ->Args({VAL_THIN_LINE, 0})
    ->Args({VAL_FAT_LINE, 0})
    ->Args({VAL_THIN_LINE, 1})
    ->Args({VAL_FAT_LINE, 1})
    ->Unit(benchmark::kMicrosecond);

/// The screen rendered into an image of the widget's size (tube, graticule and two traces).
void BM_RenderTwoTraces(benchmark::State &state) {
    setMode(kDual);
    refresh();
    for (auto _ : state) {
        QImage image = EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR);
        benchmark::DoNotOptimize(image.constBits());
    }
    setMode(kCh);
}
BENCHMARK(BM_RenderTwoTraces)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[]) {
    // Headless unless told otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (!setUp(argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
