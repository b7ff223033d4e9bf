// The typed-value reader over arbitrary text: the first byte picks the unit. A value that
// reads lies within the limits, and so does what a shorter or longer spelling of it reads.

#include "generator/signal/si_value.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    constexpr std::array<std::string_view, 6> kUnits{"Ω", "F", "H", "V", "Hz", ""};
    const std::string_view unit = kUnits[data[0] % kUnits.size()];
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    double value = -1.0;
    const int status = parseSiValue(text, unit, 1e-12, 1e9, &value);
    if (status == 0 && !(std::isfinite(value) && value >= 1e-12 && value <= 1e9)) {
        std::abort();
    }
    if (status != 0 && (value != -1.0 || status < vantrel::kSiValueAboveMax ||
                        status > vantrel::kSiValueEmpty || *siValueStatusText(status) == '\0')) {
        std::abort();
    }
    return 0;
}
