#pragma once

// Semiconductor junction models: current through a device as a function of the voltage
// across it, with the derivative (small-signal conductance) that Newton iterations and stiff
// integrators need.
//
// Voltages are anode minus cathode, currents flow from anode to cathode. The Shockley
// exponential is evaluated exactly up to an exponent of kJunctionExponentLimit and continued
// along its tangent beyond, so that no voltage, however large, gives inf or NaN.

namespace vantrel::circuit {

/// kT/q at 300 K, in volts.
inline constexpr double kThermalVoltageV = 0.025852;

/// Largest argument of exp() used by the junction models; beyond it the curve is linear.
inline constexpr double kJunctionExponentLimit = 40.0;

/// A junction diode: Shockley forward law, optional exponential reverse breakdown.
struct DiodeModel {
    double saturationCurrentA;   ///< Is, amperes (> 0)
    double emissionCoefficient;  ///< n, ideality factor (>= 1)
    double breakdownVoltageV;    ///< Vz > 0 for a Zener (reverse breakdown); 0 for none
    double breakdownCurrentA;    ///< reverse current at exactly -Vz, amperes
    double breakdownCoefficient; ///< ideality of the breakdown exponential (steepness)
};

/// Small-signal silicon diode (1N4148-like): Is = 1e-14 A, n = 1; about 0.65 V at 1 mA.
inline constexpr DiodeModel kSiliconDiode{1e-14, 1.0, 0.0, 0.0, 1.0};

/// Red LED: n = 2 and Is chosen so that 10 mA flows at 1.8 V.
inline constexpr DiodeModel kRedLed{7.60e-18, 2.0, 0.0, 0.0, 1.0};

/// Silicon Zener diode: forward like kSiliconDiode; in reverse, 5 mA (the usual test
/// current) flows at exactly -breakdownVoltageV, growing tenfold per 60 mV beyond.
constexpr DiodeModel zenerDiode(double breakdownVoltageV) {
    return {1e-14, 1.0, breakdownVoltageV, 5e-3, 1.0};
}

/// Current and its derivative at one voltage.
struct JunctionPoint {
    double currentA;     ///< anode-to-cathode current, amperes
    double conductanceS; ///< dI/dV, siemens (> 0 everywhere)
};

/// Operating point of `model` with `voltageV` across it (anode minus cathode). Finite for
/// every finite voltage; a NaN voltage gives NaN.
JunctionPoint junctionAt(const DiodeModel &model, double voltageV);

} // namespace vantrel::circuit
