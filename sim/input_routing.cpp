#include "sim/input_routing.h"

#include "app/state.h"
#include "engine/engine.h"
#include "generator/signal/signal.h"

#include <algorithm>

namespace {

/// Values of `ChIN`.
enum Source : int {
    kOff = 0,
    kGenerator = 1,
    kSpreadsheet = 2,
    kCal02 = 3,
    kCal2 = 4,
    kOtherSync = 6
};

/// Frequency of both calibrator outputs, Hz.
constexpr double kCalibratorHz = 1000.0;

/// One period of the calibrator square wave: the first half low, the second half high.
void fillCalibrator(double *buffer, double level) {
    std::fill(buffer, buffer + vantrel::kSamples / 2, -level);
    std::fill(buffer + vantrel::kSamples / 2, buffer + vantrel::kSamples, level);
}

void routeChannel(int c) {
    double *buffer = onda_entCh[c];
    switch (ChIN[c]) {
    case kOff:
        // A disconnected input keeps the frequency of its last source.
        Clear1D(buffer, vantrel::kSamples);
        break;
    case kGenerator:
        // Generator 1 feeds CH I and generator 2 feeds CH II.
        std::copy_n(onda_G[c], vantrel::kSamples, buffer);
        freq[c] = freq_G[c];
        break;
    case kSpreadsheet:
        std::copy_n(onda_E[c], vantrel::kSamples, buffer);
        freq[c] = freq_E[c];
        break;
    case kCal02:
        fillCalibrator(buffer, 0.1);
        freq[c] = kCalibratorHz;
        break;
    case kCal2:
        fillCalibrator(buffer, 1.0);
        freq[c] = kCalibratorHz;
        break;
    case kOtherSync:
        // The SYNC output of the other channel's generator: CH I takes generator 2's.
        std::copy_n(onda_sync[1 - c], vantrel::kSamples, buffer);
        freq[c] = freq_G[1 - c];
        break;
    default:
        break;
    }
}

} // namespace

int act_entr(int /*panel*/, int /*control*/, int event, void * /*callbackData*/, int /*eventData1*/,
             int /*eventData2*/) {
    if (event != EVENT_TIMER_TICK) {
        return 0;
    }
    routeChannel(0);
    routeChannel(1);
    return 0;
}
