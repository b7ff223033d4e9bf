// The panel loader over arbitrary bytes. It must never crash or reach undefined behaviour, a
// refusal must say why, and every panel it accepts must hold only numbers that the widgets can
// take: the checks below abort, and so report a finding, on any panel that does not.

#include "engine/resource_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kMaxExtent = 4096;
constexpr int kMaxPanelNumber = 16;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}

void checkControl(const ControlSpec &control) {
    require(!control.constant.empty());
    require(within(control.top, -kMaxExtent, kMaxExtent));
    require(within(control.left, -kMaxExtent, kMaxExtent));
    require(within(control.height, 0, kMaxExtent));
    require(within(control.width, 0, kMaxExtent));
    require(std::isfinite(control.value) && std::isfinite(control.increment));
    require(std::isfinite(control.min) && std::isfinite(control.max));
    require(!(control.hasMin && control.hasMax) || control.min <= control.max);
    require(control.increment >= 0.0);
    require(std::isfinite(control.interval) && control.interval >= 0.0);
    require(control.xMin < control.xMax && control.yMin < control.yMax);
    require(within(control.fontSize, 0, 144));
    if (!control.items.empty()) {
        // The selected item is found by the value as an int.
        require(std::trunc(control.value) == control.value);
        require(std::abs(control.value) <= 2147483648.0);
    }
}

void checkPanel(const PanelSpec &panel, int number) {
    require(panel.number == number);
    require(!panel.constant.empty());
    require(within(panel.top, -kMaxExtent, kMaxExtent));
    require(within(panel.left, -kMaxExtent, kMaxExtent));
    require(within(panel.height, 1, kMaxExtent));
    require(within(panel.width, 1, kMaxExtent));
    for (const ControlSpec &control : panel.controls) {
        checkControl(control);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // The program's files number their panels from 1 without gaps.
    for (int number = 1; number <= kMaxPanelNumber; ++number) {
        const PanelLoadResult result = ParsePanelSpec(bytes, "fuzz.uir", number);
        if (result.error != kEngineOk) {
            require(result.error < 0 && !result.message.empty());
            break;
        }
        checkPanel(result.panel, number);
    }
    return 0;
}
