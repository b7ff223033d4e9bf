#include "sim/trigger.h"

#include "app/state.h"
#include "engine/engine.h"
#include "generator/signal/signal.h"
#include "sim/sampling.h"
#include "ui/uir_constants.h"

#include <array>

namespace {

using TriggerSignal = std::array<double, vantrel::kSamples>;

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

} // namespace

int trigger(int channel) {
    if (channel != 1 && channel != 2) {
        return -1;
    }
    const int c = channel - 1;
    double mean = 0.0;
    dc_ext(onda_entCh[c], vantrel::kSamples, &mean);
    // Free of DC whatever the coupling, and untouched by Volts/Div, inversion and position.
    TriggerSignal signal;
    for (int i = 0; i < vantrel::kSamples; ++i) {
        signal[i] = (onda_entCh[c][i] - mean) * y_calib[c];
    }
    double max = 0.0;
    double min = 0.0;
    int maxIndex = 0;
    int minIndex = 0;
    MaxMin1D(signal.data(), vantrel::kSamples, &max, &maxIndex, &min, &minIndex);
    SetCtrlAttribute(Painel_Principal, PANEL_ATNORM_TEXT, ATTR_DIMMED, autot == 0 ? 0 : 1);
    // Every element NaN: no extreme, no trigger point.
    if (maxIndex < 0 || minIndex < 0) {
        return -1;
    }
    if (slopet == 1) {
        return walk(signal, minIndex, maxIndex, max, min, true);
    }
    if (slopet == -1) {
        return walk(signal, maxIndex, minIndex, max, min, false);
    }
    return -1;
}
