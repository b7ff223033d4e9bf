#pragma once
/// The component tester: a 50 Hz sine of 7 Vrms open circuit drives, through a fixed series
/// resistor, the component on the TEST sockets. The voltage across the component deflects X
/// and its current deflects Y, so one period traces the component's V-I figure.
/// Standard library and the circuit's device models only.

#include <span>
#include <string>

namespace tester {

/// Components that the TEST sockets can hold (the order of the dialog's list).
enum Kind : int {
    kOpen = 0,
    kShort,
    kResistor,
    kCapacitor,
    kInductor,
    kSeriesRC,
    kDiode,
    kDiodeReversed,
    kZener,
    kLed,
    kKinds
};

inline constexpr double kSourceRms = 7.0;     ///< open-circuit voltage, volts RMS
inline constexpr double kSourceHz = 50.0;     ///< test frequency
inline constexpr double kSeriesOhms = 1000.0; ///< fixed resistor between source and socket
inline constexpr double kUnitsPerVolt = 1.0;  ///< X screen units per volt across the component
inline constexpr double kUnitsPerAmp = 800.0; ///< Y screen units per ampere through it

/// One component: its kind and up to two values (see `valueRange`).
struct Part {
    int kind = kResistor;
    double value = 1000.0;
    double value2 = 1e-06;
};

/// What a value of a kind means and the range it may take.
struct ValueRange {
    const char *name; ///< Portuguese label of the value, "" when the kind has none
    const char *unit; ///< its unit symbol
    double min, max, start;
};

/// The first (`which` 0) or second (1, the C of a series RC) value of a kind.
ValueRange valueRange(int kind, int which);

/// Writes a value as `parseSiValue` reads it: at most four significant figures and the SI prefix
/// that leaves 1 to 999 before it, with the decimal comma ("4,7k", "100n", "0,65").
std::string formatValue(double value);

/// One period of the figure in screen units: x[i] and y[i] at source phase 2 pi i / size.
/// False (and nothing written) for an unknown kind, a value outside its range or buffers of
/// different sizes.
bool figure(const Part &part, std::span<double> x, std::span<double> y);

} // namespace tester
