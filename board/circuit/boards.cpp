#include "board/circuit/boards.h"

#include "board/circuit/nonlinear.h"
#include "board/circuit/periodic.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vantrel::circuit {

namespace {

using Complex = std::complex<double>;

bool componentsValid(const Board &board, const double *values) {
    for (int c = 0; c < board.componentCount; ++c) {
        const Component &part = board.components[c];
        const double v = values[c];
        const bool absent = part.switchable && v == 0.0;
        if (!absent && !(v >= part.minValue && v <= part.maxValue)) {
            return false;
        }
    }
    return true;
}

/// Writes probe p as the drive through `transfer`.
int filteredProbe(const double *drive, int n, double freqHz, const Transfer &transfer,
                  double *probe) {
    std::copy(drive, drive + n, probe);
    return filterPeriodic(probe, n, freqHz, transfer);
}

/// Probes of the RC boards: the gain across C is 1/(1 + jωRC), across R the rest.
int solveRc(const double *values, bool outputAcrossR, const double *drive, int n, double freqHz,
            double *probes) {
    const double r = outputAcrossR ? values[1] : values[0];
    const double c = outputAcrossR ? values[0] : values[1];
    const double cutoffHz = 1.0 / (2.0 * std::numbers::pi * r * c);
    double *acrossC = probes + (outputAcrossR ? 2 : 1) * n;
    double *acrossR = probes + (outputAcrossR ? 1 : 2) * n;
    const int status = filteredProbe(
        drive, n, freqHz, [cutoffHz](double f) { return lowPassGain(f, cutoffHz); }, acrossC);
    if (status != 0) {
        return status;
    }
    return filteredProbe(
        drive, n, freqHz, [cutoffHz](double f) { return highPassGain(f, cutoffHz); }, acrossR);
}

/// Probes of the series RLC: each element's impedance over the loop's, written so that
/// ω = 0 (no current, all the drive across C) needs no special case.
int solveRlc(const double *values, const double *drive, int n, double freqHz, double *probes) {
    const double r = values[0];
    const double l = values[1];
    const double c = values[2];
    // Z_x / Z_loop multiplied through by jωC: Z_loop jωC = 1 - ω²LC + jωRC.
    const auto loop = [=](double f) {
        const double w = 2.0 * std::numbers::pi * f;
        return Complex(1.0 - w * w * l * c, w * r * c);
    };
    const std::array<Transfer, 3> gains{
        [=](double f) { return Complex(0.0, 2.0 * std::numbers::pi * f * r * c) / loop(f); },
        [=](double f) {
            const double w = 2.0 * std::numbers::pi * f;
            return Complex(-w * w * l * c, 0.0) / loop(f);
        },
        [=](double f) { return 1.0 / loop(f); },
    };
    for (int p = 0; p < 3; ++p) {
        const int status = filteredProbe(drive, n, freqHz, gains[p], probes + (p + 1) * n);
        if (status != 0) {
            return status;
        }
    }
    return 0;
}

/// Fills probes 1.. of `board` into `probes` (probe 0 is already the drive).
int solveProbes(int board, const double *values, const double *drive, int n, double freqHz,
                double *probes, long maxSteps) {
    switch (board) {
    case kDivider: {
        const double ratio = values[1] / (values[0] + values[1]);
        std::transform(drive, drive + n, probes + n, [ratio](double v) { return v * ratio; });
        return 0;
    }
    case kRcLowPass:
        return solveRc(values, false, drive, n, freqHz, probes);
    case kRcHighPass:
        return solveRc(values, true, drive, n, freqHz, probes);
    case kRlcSeries:
        return solveRlc(values, drive, n, freqHz, probes);
    default:
        return solveDiodeBoard(board, values, drive, n, freqHz, probes, maxSteps);
    }
}

} // namespace

int solveBoard(int board, const double *componentValues, const double *drive, int n, double freqHz,
               double *probesOut, long maxSteps) {
    if (n < 1) {
        return kBoardCountError;
    }
    if (componentValues == nullptr || drive == nullptr || probesOut == nullptr ||
        !std::isfinite(freqHz) || freqHz < 0.0 ||
        !std::all_of(drive, drive + n, [](double v) { return std::isfinite(v); })) {
        return kBoardArgumentError;
    }
    if (board < 0 || board >= kBoardCount) {
        return kBoardIndexError;
    }
    const Board &table = kBoards[board];
    if (!componentsValid(table, componentValues)) {
        return kBoardComponentError;
    }
    // Solved aside, so that a failure leaves the caller's buffer as it was.
    std::vector<double> probes(static_cast<std::size_t>(table.probeCount) * n);
    std::copy(drive, drive + n, probes.begin());
    const int status =
        solveProbes(board, componentValues, drive, n, freqHz, probes.data(), maxSteps);
    // After the checks above only the numbers can fail: a diode solve that did not settle,
    // or a gain that overflowed.
    if (status != 0) {
        return kBoardNotConverged;
    }
    if (!std::all_of(probes.begin(), probes.end(), [](double v) { return std::isfinite(v); })) {
        return kBoardNotConverged;
    }
    std::copy(probes.begin(), probes.end(), probesOut);
    return 0;
}

const char *boardStatusText(int status) {
    switch (status) {
    case 0:
        return "";
    case kBoardNotConverged:
        return "não convergiu";
    case kBoardComponentError:
        return "valor de componente fora dos limites";
    case kBoardIndexError:
        return "placa desconhecida";
    default:
        return "sinal de entrada inválido";
    }
}

} // namespace vantrel::circuit
