#pragma once

// Typed frequencies: the generator setting (range and dial) that gives a frequency. The text
// itself is read by `parseSiValue` (si_value.h).

#include <optional>

namespace vantrel {

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
