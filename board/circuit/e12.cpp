#include "board/circuit/e12.h"

#include <array>
#include <cmath>

namespace vantrel::circuit {

namespace {

/// The series in tenths, so that every value is an exact integer times a power of ten.
constexpr std::array<int, 12> kE12Tenths{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};

bool positiveFinite(double v) {
    return std::isfinite(v) && v > 0.0;
}

} // namespace

int e12Step(double value, int direction, double minValue, double maxValue, double *result) {
    if (!positiveFinite(value) || !positiveFinite(minValue) || !positiveFinite(maxValue) ||
        (direction != 1 && direction != -1) || result == nullptr) {
        return kE12ArgumentError;
    }
    constexpr double kSame = 1e-9;
    // Candidates from the decade below the value's to the decade above, in rising order; the
    // first beyond the value (going up) or the last before it (going down) wins.
    const int decade = static_cast<int>(std::floor(std::log10(value)));
    double best = std::nan("");
    for (int d = decade - 1; d <= decade + 1; ++d) {
        for (const int tenths : kE12Tenths) {
            // Dividing by an exact power of ten rounds correctly, multiplying by 0.1 does not.
            const double candidate =
                d >= 1 ? tenths * std::pow(10.0, d - 1) : tenths / std::pow(10.0, 1 - d);
            const bool beyond = direction > 0 ? candidate > value * (1.0 + kSame)
                                              : candidate < value * (1.0 - kSame);
            if (beyond && (direction < 0 || std::isnan(best))) {
                best = candidate;
            }
        }
    }
    if (std::isnan(best) || best < minValue * (1.0 - kSame) || best > maxValue * (1.0 + kSame)) {
        return kE12LimitError;
    }
    *result = best;
    return 0;
}

} // namespace vantrel::circuit
