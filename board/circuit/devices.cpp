#include "board/circuit/devices.h"

#include <cmath>

namespace vantrel::circuit {

namespace {

/// exp(x) up to the limit, then its tangent line: value and derivative, always finite.
JunctionPoint limitedExp(double x) {
    if (x <= kJunctionExponentLimit) {
        const double e = std::exp(x);
        return {e, e};
    }
    const double e = std::exp(kJunctionExponentLimit);
    return {e * (1.0 + (x - kJunctionExponentLimit)), e};
}

} // namespace

JunctionPoint junctionAt(const DiodeModel &model, double voltageV) {
    const double forwardVt = model.emissionCoefficient * kThermalVoltageV;
    const JunctionPoint forward = limitedExp(voltageV / forwardVt);
    JunctionPoint point{model.saturationCurrentA * (forward.currentA - 1.0),
                        model.saturationCurrentA * forward.conductanceS / forwardVt};
    if (model.breakdownVoltageV > 0.0) {
        const double breakdownVt = model.breakdownCoefficient * kThermalVoltageV;
        const JunctionPoint reverse =
            limitedExp((-voltageV - model.breakdownVoltageV) / breakdownVt);
        point.currentA -= model.breakdownCurrentA * reverse.currentA;
        point.conductanceS += model.breakdownCurrentA * reverse.conductanceS / breakdownVt;
    }
    return point;
}

} // namespace vantrel::circuit
