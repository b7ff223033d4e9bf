#pragma once

// Typed frequencies: reading a value written with an SI prefix, and the generator setting
// (range and dial) that gives it.

#include <optional>
#include <string_view>

namespace vantrel {

/// Reads a number written as a person types it: an optional sign, digits with a decimal comma
/// or point, then optionally an SI prefix (m 1e-3, k or K 1e3, M 1e6) and the unit `unit`
/// (letter case ignored), spaces allowed between them: "150", "2k", "2,5 kHz", "1.5MHz".
/// Returns nothing for empty text, a missing number, other letters or trailing characters.
std::optional<double> ParseSiValue(std::string_view text, std::string_view unit);

/// A generator frequency setting: range multiplier (1, 10, ... 1000000) and dial position
/// (0 .. 2 in steps of 0.01); the frequency is range x dial.
struct FrequencySetting {
    int range = 1;
    double dial = 0.0;
};

inline constexpr double kLowestTypedHz = 0.01;
inline constexpr double kHighestTypedHz = 2.0e6;

/// The setting nearest to `hz`: the finest range whose dial reaches it, the dial rounded to its
/// nearest step. Nothing when `hz` lies outside [kLowestTypedHz, kHighestTypedHz] or is not a
/// number.
std::optional<FrequencySetting> FrequencySettingFor(double hz);

} // namespace vantrel
