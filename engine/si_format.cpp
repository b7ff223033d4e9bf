#include "engine/si_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vantrel {

namespace {

constexpr std::array<const char *, 9> kPrefixes{"p", "n", "µ", "m", "", "k", "M", "G", "T"};
constexpr int kLowestPower = -12;
constexpr int kHighestPower = kLowestPower + 3 * (static_cast<int>(kPrefixes.size()) - 1);

/// Decimal exponent of `magnitude` once rounded to `digits` digits: 9.9996 at 4 digits is 10.00.
int roundedExponent(double magnitude, int digits) {
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    const double unit = std::pow(10.0, exponent - digits + 1);
    return std::round(magnitude / unit) * unit >= std::pow(10.0, exponent + 1) ? exponent + 1
                                                                               : exponent;
}

std::string printed(const char *format, int decimals, double value) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), format, decimals, value);
    return text.data();
}

} // namespace

SiText SiFormat(double value, int digits) {
    digits = std::clamp(digits, 1, 17);
    if (std::isnan(value)) {
        return {"-", ""};
    }
    if (std::isinf(value)) {
        return {value < 0 ? "-∞" : "∞", ""};
    }
    if (value == 0.0) {
        return {"0", ""};
    }
    const int exponent = roundedExponent(std::fabs(value), digits);
    // The power of a thousand at or below the exponent: -1 and -3 take milli, -4 micro.
    const int power = static_cast<int>(std::floor(exponent / 3.0)) * 3;
    if (power < kLowestPower || power > kHighestPower) {
        return {printed("%.*e", digits - 1, value), ""};
    }
    const int decimals = std::max(0, digits - 1 - (exponent - power));
    return {printed("%.*f", decimals, value / std::pow(10.0, power)),
            kPrefixes[static_cast<std::size_t>((power - kLowestPower) / 3)]};
}

} // namespace vantrel
