#pragma once

// Stepping a component value through the E12 series (1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3,
// 3.9, 4.7, 5.6, 6.8, 8.2 times a power of ten).

namespace vantrel::circuit {

/// Status: no E12 value lies in that direction within [minValue, maxValue].
inline constexpr int kE12LimitError = -21201;
/// Status: a value or bound is not finite and positive, or direction is neither +1 nor -1.
inline constexpr int kE12ArgumentError = -21202;

/// The nearest E12 value strictly above (direction +1) or strictly below (direction -1)
/// `value`, which need not itself be an E12 value; values within 1e-9 relative of an E12
/// value count as that value. The result lies within [minValue, maxValue].
/// @return 0 and *result, or kE12LimitError / kE12ArgumentError (then *result is untouched).
int e12Step(double value, int direction, double minValue, double maxValue, double *result);

} // namespace vantrel::circuit
