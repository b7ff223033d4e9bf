#pragma once
/// A measured value as a meter shows it: a figure of a few significant digits and the SI prefix
/// of its unit ("1.000" and "m" for 0.001). Standard library only.

#include <string>

namespace vantrel {

struct SiText {
    std::string figure; ///< "1.000", "-500.0", "0", "∞", "-1.235e-15"
    std::string prefix; ///< "p", "n", "µ", "m", "", "k", "M", "G" or "T"
};

/// `value` rounded to `digits` significant digits (1 to 17), in C notation, scaled by the prefix
/// that leaves 1 to 999 before the decimal point. Zero is "0" and an infinity "∞" or "-∞", both
/// without a prefix; a value beyond pico and tera keeps its exponent ("1.235e-15").
SiText SiFormat(double value, int digits);

} // namespace vantrel
