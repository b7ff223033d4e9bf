#include "sim/numeric/component_tester.h"

#include "board/circuit/devices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <string>

// Marks a shown text for the translation tools; it stays the plain text here (the panel
// translates it).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tester {

namespace {

using vantrel::circuit::DiodeModel;
using vantrel::circuit::junctionAt;

constexpr double kSourcePeak = kSourceRms * std::numbers::sqrt2;
constexpr double kOmega = 2.0 * std::numbers::pi * kSourceHz;

/// Current at which the silicon diode's and the LED's conduction voltage is given, amperes.
constexpr double kDiodeRatedA = 1e-3;
constexpr double kLedRatedA = 10e-3;

constexpr std::array<ValueRange, kKinds> kFirst{{
    {"", "", 0.0, 0.0, 0.0},
    {"", "", 0.0, 0.0, 0.0},
    {QT_TRANSLATE_NOOP("Vantrel", "Resistência (Ω)"), "Ω", 1.0, 10e6, 1000.0},
    {QT_TRANSLATE_NOOP("Vantrel", "Capacidade (F)"), "F", 1e-12, 1.0, 1e-6},
    {QT_TRANSLATE_NOOP("Vantrel", "Indutância (H)"), "H", 1e-6, 1000.0, 10.0},
    {QT_TRANSLATE_NOOP("Vantrel", "Resistência (Ω)"), "Ω", 1.0, 10e6, 1000.0},
    {QT_TRANSLATE_NOOP("Vantrel", "Tensão de condução a 1 mA (V)"), "V", 0.3, 1.0, 0.65},
    {QT_TRANSLATE_NOOP("Vantrel", "Tensão de condução a 1 mA (V)"), "V", 0.3, 1.0, 0.65},
    {QT_TRANSLATE_NOOP("Vantrel", "Tensão de Zener (V)"), "V", 1.0, 30.0, 5.1},
    {QT_TRANSLATE_NOOP("Vantrel", "Tensão direta a 10 mA (V)"), "V", 1.4, 4.0, 1.8},
}};
constexpr ValueRange kRcCapacitor{QT_TRANSLATE_NOOP("Vantrel", "Capacidade (F)"), "F", 1e-12, 1.0,
                                  1e-6};
constexpr ValueRange kNone{"", "", 0.0, 0.0, 0.0};

bool inRange(const ValueRange &range, double v) {
    return range.name[0] == '\0' || (v >= range.min && v <= range.max);
}

/// A junction model whose current at `ratedA` flows at `volts`: only Is changes.
DiodeModel ratedAt(DiodeModel model, double volts, double ratedA) {
    const double nVt = model.emissionCoefficient * vantrel::circuit::kThermalVoltageV;
    model.saturationCurrentA = ratedA / std::expm1(volts / nVt);
    return model;
}

/// Current through the component for a voltage across it (junctions only).
double junctionCurrent(const Part &part, double v) {
    using namespace vantrel::circuit;
    switch (part.kind) {
    case kDiode:
        return junctionAt(ratedAt(kSiliconDiode, part.value, kDiodeRatedA), v).currentA;
    case kDiodeReversed:
        return -junctionAt(ratedAt(kSiliconDiode, part.value, kDiodeRatedA), -v).currentA;
    case kZener:
        return junctionAt(zenerDiode(part.value), v).currentA;
    default:
        return junctionAt(ratedAt(kRedLed, part.value, kLedRatedA), v).currentA;
    }
}

/// Voltage across a junction fed by `source` volts through the series resistor: the current
/// grows with the voltage, so (source - v) / R - i(v) has one root between 0 and the source.
double junctionVoltage(const Part &part, double source) {
    double lo = std::min(0.0, source);
    double hi = std::max(0.0, source);
    for (int k = 0; k < 80 && hi - lo > 1e-12; ++k) {
        const double mid = 0.5 * (lo + hi);
        if ((source - mid) / kSeriesOhms - junctionCurrent(part, mid) > 0.0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

/// Impedance of a linear component at the test frequency; nullopt-like: false for junctions.
bool impedance(const Part &part, std::complex<double> &z) {
    const std::complex<double> j{0.0, 1.0};
    switch (part.kind) {
    case kResistor:
        z = part.value;
        return true;
    case kCapacitor:
        z = 1.0 / (j * kOmega * part.value);
        return true;
    case kInductor:
        z = j * kOmega * part.value;
        return true;
    case kSeriesRC:
        z = part.value + 1.0 / (j * kOmega * part.value2);
        return true;
    default:
        return false;
    }
}

} // namespace

ValueRange valueRange(int kind, int which) {
    if (kind < 0 || kind >= kKinds) {
        return kNone;
    }
    if (which == 0) {
        return kFirst[kind];
    }
    return kind == kSeriesRC ? kRcCapacitor : kNone;
}

std::string formatValue(double value) {
    constexpr std::array<std::pair<double, const char *>, 7> kScales{{
        {1e6, "M"},
        {1e3, "k"},
        {1.0, ""},
        {1e-3, "m"},
        {1e-6, "u"},
        {1e-9, "n"},
        {1e-12, "p"},
    }};
    double scale = 1.0;
    const char *prefix = "";
    // Values from 0.1 to 1 stay plain ("0.65 V" reads better than "650m").
    if (value < 0.1 || value >= 1000.0) {
        for (const auto &[factor, name] : kScales) {
            scale = factor;
            prefix = name;
            if (std::abs(value) >= factor * 0.9995) {
                break;
            }
        }
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.4g%s", value / scale, prefix);
    // The decimal comma, as the dialog's user writes it.
    std::string written = text.data();
    std::replace(written.begin(), written.end(), '.', ',');
    return written;
}

bool figure(const Part &part, std::span<double> x, std::span<double> y) {
    if (part.kind < 0 || part.kind >= kKinds || x.size() != y.size() || x.empty() ||
        !inRange(valueRange(part.kind, 0), part.value) ||
        !inRange(valueRange(part.kind, 1), part.value2)) {
        return false;
    }
    const std::size_t n = x.size();
    std::complex<double> z;
    const bool linear = impedance(part, z);
    // Phasors of the sine source: the component's voltage and current.
    const std::complex<double> current = kSourcePeak / (kSeriesOhms + z);
    const std::complex<double> voltage = current * z;
    for (std::size_t i = 0; i < n; ++i) {
        const double theta = 2.0 * std::numbers::pi * static_cast<double>(i) / n;
        const double source = kSourcePeak * std::sin(theta);
        double v = 0.0;
        double a = 0.0;
        if (part.kind == kOpen) {
            v = source;
        } else if (part.kind == kShort) {
            a = source / kSeriesOhms;
        } else if (linear) {
            v = std::abs(voltage) * std::sin(theta + std::arg(voltage));
            a = std::abs(current) * std::sin(theta + std::arg(current));
        } else {
            v = junctionVoltage(part, source);
            a = (source - v) / kSeriesOhms;
        }
        x[i] = v * kUnitsPerVolt;
        y[i] = a * kUnitsPerAmp;
    }
    return true;
}

} // namespace tester
