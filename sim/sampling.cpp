#include "sim/sampling.h"

#include "app/state.h"
#include "engine/engine.h"
#include "generator/signal/signal.h"
#include "sim/input_routing.h"
#include "sim/numeric/trigger_signal.h"
#include "sim/trigger.h"
#include "ui/uir_constants.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

/// Buffer samples per period, as a phase range.
constexpr double kPeriod = 600.0;
/// 7500 / 600 = 12.5: with a factor of 0.8 x seconds per division this is the time across the
/// ten divisions.
constexpr double kScreenFactor = 7500.0;
/// At most 120 periods on the screen (five display samples each).
constexpr double kMaxStep = 120.0;
/// Stands for a zero frequency in the X-Y ratio.
constexpr double kNearZeroHz = 1e-05;
/// Range of the random start phase when AUTO finds no trigger point.
constexpr double kRandomPhaseMax = 600.0;
/// Refresh interval when the timer cannot tell it, seconds.
constexpr double kSteadyRefresh = 0.1;

/// Values of `entrada_op`.
enum Coupling : int { kDC = 0, kAC = 1 };

/// Coupling labels and indicators of one channel on the main panel.
struct CouplingControls {
    int dcText, dcLamp, acText, acLamp, gndText, gndLamp;
};

constexpr std::array<CouplingControls, 2> kCoupling{{
    {PANEL_DC1_TEXT, PANEL_DC1, PANEL_AC1_TEXT, PANEL_AC1, PANEL_GND1_TEXT, PANEL_GND1},
    {PANEL_DC2_TEXT, PANEL_DC2, PANEL_AC2_TEXT, PANEL_AC2, PANEL_GND2_TEXT, PANEL_GND2},
}};

/// Lights the lamp of the selected coupling and dims the labels of the others. Each control is
/// written once with its final value, so a refresh that changes nothing touches no widget.
void showCoupling(const CouplingControls &ctl, int selectedText) {
    for (const auto &[text, lamp] :
         {std::pair{ctl.dcText, ctl.dcLamp}, std::pair{ctl.acText, ctl.acLamp},
          std::pair{ctl.gndText, ctl.gndLamp}}) {
        const bool selected = text == selectedText;
        SetCtrlAttribute(Painel_Principal, text, ATTR_DIMMED, selected ? 0 : 1);
        SetCtrlAttribute(Painel_Principal, lamp, ATTR_VISIBLE, selected ? 1 : 0);
    }
}

void applyCoupling(int c) {
    const CouplingControls &ctl = kCoupling[c];
    switch (entrada_op[c]) {
    case kDC:
        showCoupling(ctl, ctl.dcText);
        canais_op[c] = 1;
        dc_val[c] = 0.0;
        break;
    case kAC:
        showCoupling(ctl, ctl.acText);
        canais_op[c] = 1;
        // The buffer holds exactly one period, so its mean is the signal's DC component.
        dc_ext(onda_entCh[c], vantrel::kSamples, &dc_val[c]);
        break;
    default:
        // Grounded: the level removed in AC is kept for when the signal passes again.
        showCoupling(ctl, ctl.gndText);
        canais_op[c] = 0;
        break;
    }
}

/// Periods of a channel's signal across the ten divisions.
double periodsOnScreen(int c, double timeScale) {
    return kScreenFactor * freq[c] / 600.0 * timeScale * (1.0 / calib);
}

double &phaseOf(int c) {
    return c == 0 ? xC1 : xC2;
}

/// LINE: the sweep starts at the first positive-going zero of the 50 Hz mains after the
/// previous refresh, so each trace starts where its own signal stands at that moment.
void placeByMains() {
    double seconds = kSteadyRefresh;
    GetCtrlAttribute(Painel_Principal, PANEL_TIMER_P, ATTR_INTERVAL, &seconds);
    ciclo_rede += trigsig::mainsCyclesPerRefresh(seconds);
    for (int c = 0; c < 2; ++c) {
        phaseOf(c) = trigsig::mainsPhase(freq[c], ciclo_rede, vantrel::kSamples);
        canais_ver[c] = 1;
    }
    SetCtrlAttribute(Painel_Principal, PANEL_ATNORM_TEXT, ATTR_DIMMED, autot == 0 ? 0 : 1);
}

/// EXT: the crossing found in the external source's period gives the moment at which the
/// sweep starts; each channel starts where its own signal stands at that moment.
void placeByExternal() {
    std::array<double, vantrel::kSamples> source{};
    double hz = 0.0;
    fonte_disparo(trig_ext, source.data(), &hz);
    double r = trigger(1);
    if (r == -1.0 && autot == 0) {
        canais_ver[0] = canais_ver[1] = 0;
        return;
    }
    if (r == -1.0) {
        r = Random(0.0, kRandomPhaseMax);
    }
    for (int c = 0; c < 2; ++c) {
        // Seconds from the common time origin: r / (600 hz); one frequency gives r itself.
        phaseOf(c) = hz > 0.0 ? std::fmod(r * (freq[c] / hz), kPeriod) : 0.0;
        canais_ver[c] = 1;
    }
}

/// Start phase of the refresh from the trigger channel's search. When NORMAL finds no
/// trigger point the triggered trace is hidden and keeps its phase.
void chooseStartPhase() {
    if (trig_acopl == trigsig::kLine) {
        placeByMains();
        return;
    }
    if (trig_ext != kTrigExtOff) {
        placeByExternal();
        return;
    }
    const int triggered = trigger_ch == 1 ? 0 : 1;
    const int other = 1 - triggered;
    double r = trigger(triggered + 1);
    if (r == -1.0 && autot == 0) {
        canais_ver[triggered] = 0;
    } else {
        if (r == -1.0) {
            r = Random(0.0, kRandomPhaseMax);
        }
        canais_ver[triggered] = 1;
        (triggered == 0 ? xC1 : xC2) = r;
        // Signals of one frequency stay aligned with the triggered one.
        if (freq[0] == freq[1]) {
            (other == 0 ? xC1 : xC2) = r;
        }
    }
    canais_ver[other] = 1;
}

double displaySample(int c, int k) {
    return (onda_entCh[c][k] - dc_val[c]) * y_calib[c] * Esc_Volt[c] * inversao[c] * canais_op[c] +
           y_offset[c];
}

/// Re-samples both buffers from the phases xC1 and xC2, advancing them by n1 and n2 buffer
/// samples per display sample (nearest lower sample, no interpolation).
void resample(double n1, double n2) {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda[0][i] = displaySample(0, mod(&xC1, kPeriod));
        onda[1][i] = displaySample(1, mod(&xC2, kPeriod));
        xC1 += n1;
        xC2 += n2;
    }
}

/// X-Y: the slower signal advances one buffer sample per point (one period over the 600
/// points), the faster one by the frequency ratio. The phases carry on from where they end.
void sampleXY() {
    double n1 = 1.0;
    double n2 = 1.0;
    if (freq[0] < freq[1]) {
        n2 = freq[1] / (freq[0] == 0.0 ? kNearZeroHz : freq[0]);
    } else {
        n1 = freq[0] / (freq[1] == 0.0 ? kNearZeroHz : freq[1]);
    }
    resample(n1, n2);
}

} // namespace

int calc_onda(double timeScale) {
    acdcgnd();
    if (modoxy == 1) {
        sampleXY();
        return 0;
    }
    double n1 = periodsOnScreen(0, timeScale);
    double n2 = periodsOnScreen(1, timeScale);
    // The next screen continues where this one ends: the carried phase uses the uncapped
    // step, so an untriggered trace moves on by the fraction of a period on the screen.
    double p1 = xC1 + kPeriod * n1;
    double p2 = xC2 + kPeriod * n2;
    mod(&p1, kPeriod);
    mod(&p2, kPeriod);
    if (n1 > kMaxStep) {
        n1 = kMaxStep;
    }
    if (n2 > kMaxStep) {
        n2 = kMaxStep;
    }
    chooseStartPhase();
    resample(n1, n2);
    xC1 = p1;
    xC2 = p2;
    return 0;
}

void acdcgnd() {
    applyCoupling(0);
    applyCoupling(1);
}

void dc_ext(const double *array, int count, double *result) {
    if (count < 1) {
        return;
    }
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += array[i];
    }
    *result = sum / count;
}

int mod(double *x, double period) {
    double reduced = *x;
    // Fast paths for a phase within two periods: floor(x / period) is exactly 0 below the
    // period and exactly 1 up to twice it, so these give the formula's own results. Measured:
    // the division in the loop's dependency chain made up 8 of the 12 us of a refresh.
    if (reduced >= 0.0 && reduced < period) {
        return static_cast<int>(reduced);
    }
    if (reduced >= period && reduced < 2.0 * period) {
        reduced -= period;
    } else {
        reduced -= std::floor(reduced / period) * period;
    }
    // A phase a hair below zero reduces to exactly the period after rounding, which would
    // index one past the buffer's end; a non-finite phase (a non-finite frequency) has no
    // position at all.
    if (!std::isfinite(reduced) || reduced >= period) {
        reduced = 0.0;
    }
    *x = reduced;
    return static_cast<int>(reduced);
}
