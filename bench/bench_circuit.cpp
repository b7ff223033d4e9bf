// One solve of each experiment board for a 600-sample period.
#include "board/circuit/boards.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace vantrel::circuit;

void solveDefaultBoard(benchmark::State &state) {
    const int board = static_cast<int>(state.range(0));
    const bool smoothed = state.range(1) != 0;
    const Board &table = kBoards[board];
    std::vector<double> values;
    for (int c = 0; c < table.componentCount; ++c) {
        const Component &part = table.components[c];
        values.push_back(part.switchable && !smoothed ? 0.0 : part.defaultValue);
    }
    std::vector<double> drive(600);
    for (int i = 0; i < 600; ++i) {
        drive[i] = 5.0 * std::sin(2.0 * std::numbers::pi * i / 600);
    }
    std::vector<double> probes(static_cast<std::size_t>(table.probeCount) * 600);
    for (auto _ : state) {
        const int status =
            solveBoard(board, values.data(), drive.data(), 600, 100.0, probes.data());
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(probes.data());
    }
    state.SetLabel(table.name);
}

} // namespace

// Arguments: board index, smoothing capacitor present.
BENCHMARK(solveDefaultBoard)
    ->ArgsProduct({{kDivider, kRcLowPass, kRcHighPass, kRlcSeries, kClipper, kZenerRegulator}, {0}})
    ->ArgsProduct({{kHalfWave, kBridge}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
