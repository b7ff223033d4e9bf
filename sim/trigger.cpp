#include "sim/trigger.h"

#include "app/state.h"
#include "engine/engine.h"
#include "generator/signal/signal.h"
#include "sim/input_routing.h"
#include "sim/numeric/trigger_signal.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>

namespace {

using TriggerSignal = std::array<double, vantrel::kSamples>;

/// 7500 / 600: with `Esc_Tempo` (0.8 x seconds per division) the time across the screen.
constexpr double kSweepFactor = 12.5;

int nextIndex(int i) {
    return i == vantrel::kSamples - 1 ? 0 : i + 1;
}

/// Walks the period forward from `from` up to, not including, `to` (wrapping across the
/// buffer's end) and returns the first sample beyond the level in the slope's direction, or
/// `to` when none is. The range test sits inside the walk: an empty walk (a constant signal)
/// counts as triggered at `to`.
int walk(const TriggerSignal &signal, int from, int to, double max, double min, bool rising) {
    for (int i = from; i != to; i = nextIndex(i)) {
        if (max < levelt || min > levelt) {
            return -1;
        }
        if (rising ? signal[i] > levelt : signal[i] < levelt) {
            return i;
        }
    }
    return to;
}

/// The signal compared with the level, in volts, through the trigger coupling: the source on
/// the EXT socket as it is, or channel c's input times its vertical calibration (untouched by
/// Volts/Div, inversion, position and the input coupling). Its frequency goes to `hz`.
void triggerSignal(int c, TriggerSignal &signal, double &hz) {
    if (fonte_disparo(trig_ext, signal.data(), &hz)) {
        trigsig::couple(signal, hz, trig_acopl);
        return;
    }
    std::copy_n(onda_entCh[c], vantrel::kSamples, signal.begin());
    hz = freq[c];
    trigsig::couple(signal, hz, trig_acopl);
    for (double &v : signal) {
        v *= y_calib[c];
    }
}

/// Turned HOLD OFF: the sweeps follow each other in time, and each starts at the first
/// crossing after the previous sweep and the hold-off.
int continuousTrigger(const TriggerSignal &signal, double hz) {
    const double sweepPeriods = hz * kSweepFactor * Esc_Tempo / calib;
    const int start = trigsig::nextSweepStart(signal, levelt, slopet, fase_disparo, sweepPeriods,
                                              holdoff * sweepPeriods);
    if (start >= 0) {
        fase_disparo = start;
    }
    return start;
}

} // namespace

int trigger(int channel) {
    if (channel != 1 && channel != 2) {
        return -1;
    }
    TriggerSignal signal;
    double hz = 0.0;
    triggerSignal(channel - 1, signal, hz);
    double max = 0.0;
    double min = 0.0;
    int maxIndex = 0;
    int minIndex = 0;
    MaxMin1D(signal.data(), vantrel::kSamples, &max, &maxIndex, &min, &minIndex);
    SetCtrlAttribute(Painel_Principal, PANEL_ATNORM_TEXT, ATTR_DIMMED, autot == 0 ? 0 : 1);
    // Every element NaN: no extreme, no trigger point.
    if (maxIndex < 0 || minIndex < 0 || (slopet != 1 && slopet != -1)) {
        return -1;
    }
    if (holdoff > 0.0) {
        return continuousTrigger(signal, hz);
    }
    if (slopet == 1) {
        return walk(signal, minIndex, maxIndex, max, min, true);
    }
    return walk(signal, maxIndex, minIndex, max, min, false);
}
