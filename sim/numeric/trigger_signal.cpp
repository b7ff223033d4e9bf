#include "sim/numeric/trigger_signal.h"

#include "board/circuit/periodic.h"

#include <cmath>
#include <numeric>

namespace trigsig {

namespace {

void removeMean(std::span<double> period) {
    if (period.empty()) {
        return;
    }
    const double mean = std::accumulate(period.begin(), period.end(), 0.0) / period.size();
    for (double &v : period) {
        v -= mean;
    }
}

void filterFirstOrder(std::span<double> period, double hz, bool highPass) {
    using namespace vantrel::circuit;
    filterPeriodic(period.data(), static_cast<int>(period.size()), hz, [highPass](double f) {
        return highPass ? highPassGain(f, kCornerHz) : lowPassGain(f, kCornerHz);
    });
}

bool beyond(double v, double level, int slope) {
    return slope > 0 ? v > level : v < level;
}

} // namespace

void couple(std::span<double> period, double hz, int coupling) {
    switch (coupling) {
    case kAC:
        removeMean(period);
        break;
    case kHF:
    case kLF:
        filterFirstOrder(period, hz, coupling == kHF);
        break;
    default:
        break;
    }
}

double mainsPhase(double hz, long long cycle, int size) {
    // hz x cycle is exact for whole frequencies, so a multiple of 50 Hz stands still exactly.
    const double periods = std::fmod(hz * static_cast<double>(cycle), kMainsHz) / kMainsHz;
    const double phase = (periods - std::floor(periods)) * size;
    return phase >= size ? 0.0 : phase;
}

long long mainsCyclesPerRefresh(double seconds) {
    const double cycles = std::ceil(seconds * kMainsHz - 1e-9);
    return cycles < 1.0 || !std::isfinite(cycles) ? 1 : static_cast<long long>(cycles);
}

int crossingFrom(std::span<const double> period, double level, int slope, int from) {
    const int n = static_cast<int>(period.size());
    if (n < 2) {
        return -1;
    }
    for (int k = 0; k < n; ++k) {
        const int i = (from + k) % n;
        const int before = i == 0 ? n - 1 : i - 1;
        if (beyond(period[i], level, slope) && !beyond(period[before], level, slope)) {
            return i;
        }
    }
    return -1;
}

int nextSweepStart(std::span<const double> period, double level, int slope, double lastStart,
                   double sweepPeriods, double holdoffPeriods) {
    const double n = static_cast<double>(period.size());
    double earliest = std::fmod(lastStart + n * (sweepPeriods + holdoffPeriods), n);
    if (!std::isfinite(earliest)) {
        earliest = 0.0;
    }
    // The crossing at a whole sample lies at or after the earliest moment.
    int from = static_cast<int>(std::ceil(earliest));
    if (from >= static_cast<int>(period.size())) {
        from = 0;
    }
    return crossingFrom(period, level, slope, from);
}

} // namespace trigsig
