// The tube's drawing alone: one frame of two moving traces composed over a tube face, without
// the widget, the panel or Qt. Target: under 2 ms a frame at twice the stored size.

#include "engine/beam/tube.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kSamples = 600;

/// A frame of `scale` times the stored screen (500 x 400 pixels), two traces that move at every
/// frame (a sine and a square wave), thin or thick, with or without the afterglow.
void BM_ComposeMovingTraces(benchmark::State &state) {
    const double scale = static_cast<double>(state.range(0)) / 100.0;
    const bool thick = state.range(1) != 0;
    const bool afterglow = state.range(2) != 0;
    const int width = static_cast<int>(500 * scale);
    const int height = static_cast<int>(400 * scale);
    const std::vector<std::uint32_t> tube(static_cast<std::size_t>(width * height), 0xff0a1812);
    std::vector<std::uint32_t> frame(tube.size());
    std::vector<beam::Point> a(kSamples);
    std::vector<beam::Point> b(kSamples);
    const std::uint32_t colour = 0xff29a5a0;
    const std::vector<beam::Trace> traces{{&a, -300.0, 300.0, -10.0, 10.0, thick, colour},
                                          {&b, -300.0, 300.0, -10.0, 10.0, thick, colour}};
    beam::Phosphor phosphor;
    if (afterglow)
        phosphor.afterglow.resize(width, height);
    double phase = 0.0;
    for (auto _ : state) {
        phase += 0.1;
        for (int i = 0; i < kSamples; ++i) {
            const auto k = static_cast<std::size_t>(i);
            a[k] = {-300.0 + i, 7.0 * std::sin(i * 0.02 + phase)};
            b[k] = {-300.0 + i, std::sin(i * 0.2 + phase) > 0.0 ? 2.5 : -2.5};
        }
        beam::ComposeFrame({frame.data(), width, height, width},
                           {tube.data(), width, height, width}, traces, scale, 0.0, phosphor,
                           afterglow ? 16.0 : -1.0);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_ComposeMovingTraces)
    ->ArgNames({"scale_percent", "thick", "afterglow"})
    ->Args({100, 0, 0})
    ->Args({200, 0, 0})
    ->Args({200, 1, 0})
    ->Args({200, 0, 1})
    ->Args({400, 0, 0})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
