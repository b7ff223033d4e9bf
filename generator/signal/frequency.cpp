#include "generator/signal/frequency.h"

#include <array>
#include <cmath>

namespace vantrel {

std::optional<FrequencySetting> FrequencySettingFor(double hz) {
    if (!(hz >= kLowestTypedHz && hz <= kHighestTypedHz)) {
        return std::nullopt;
    }
    constexpr std::array<int, 7> kRanges{1, 10, 100, 1000, 10000, 100000, 1000000};
    constexpr double kStepsPerUnit = 100.0; // the dial moves in hundredths
    constexpr double kLastStep = 200.0;
    for (const int range : kRanges) {
        const double steps = std::round(hz / range * kStepsPerUnit);
        if (steps <= kLastStep) {
            return FrequencySetting{range, steps / kStepsPerUnit};
        }
    }
    return std::nullopt;
}

} // namespace vantrel
