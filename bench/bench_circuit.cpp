// One solve of each experiment board for a 600-sample period; the smoothed rectifiers also
// at the corners of their range, where the solver works hardest.
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

/// A smoothed rectifier at the corners of its range: 20 V peak, frequency 0.01 Hz or 2 MHz,
/// RL 10 Ω or 1 MΩ, C 10 pF or 10 mF.
void solveSmoothedCorner(benchmark::State &state) {
    const int board = static_cast<int>(state.range(0));
    const double freqHz = state.range(1) != 0 ? 2e6 : 0.01;
    const std::vector<double> values{state.range(2) != 0 ? 1e6 : 10.0,
                                     state.range(3) != 0 ? 10e-3 : 10e-12};
    std::vector<double> drive(600);
    for (int i = 0; i < 600; ++i) {
        drive[i] = 20.0 * std::sin(2.0 * std::numbers::pi * i / 600);
    }
    std::vector<double> probes(3 * 600);
    int status = 0;
    for (auto _ : state) {
        status = solveBoard(board, values.data(), drive.data(), 600, freqHz, probes.data());
        benchmark::DoNotOptimize(probes.data());
    }
    state.SetLabel(status == 0 ? "settled" : "did not settle");
}

} // namespace

// Arguments: board index, smoothing capacitor present.
BENCHMARK(solveDefaultBoard)
    ->ArgsProduct({{kDivider, kRcLowPass, kRcHighPass, kRlcSeries, kClipper, kZenerRegulator}, {0}})
    ->ArgsProduct({{kHalfWave, kBridge}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// Arguments: board, 2 MHz (else 0.01 Hz), RL 1 MΩ (else 10 Ω), C 10 mF (else 10 pF).
BENCHMARK(solveSmoothedCorner)
    ->ArgsProduct({{kHalfWave, kBridge}, {0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
