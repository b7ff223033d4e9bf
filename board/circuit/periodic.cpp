#include "board/circuit/periodic.h"

// The double-precision C++ template of KissFFT (header only): Debian builds the C library
// in single precision, which would cost six digits.
#include <kissfft.hh>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantrel::circuit {

namespace {

using Complex = std::complex<double>;

bool finite(Complex z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

/// Gain at harmonic k of an n-point spectrum: k above n/2 stands for the negative frequency
/// (n - k), where a real system has the conjugate gain.
Complex harmonicGain(const Transfer &transfer, int k, int n, double fundamentalHz) {
    if (2 * k == n) {
        return {transfer(k * fundamentalHz).real(), 0.0};
    }
    if (2 * k > n) {
        return std::conj(transfer((n - k) * fundamentalHz));
    }
    return transfer(k * fundamentalHz);
}

} // namespace

int filterPeriodic(double *samples, int n, double fundamentalHz, const Transfer &transfer) {
    if (n < 1) {
        return kPeriodicCountError;
    }
    if (samples == nullptr || !transfer || !std::isfinite(fundamentalHz) || fundamentalHz < 0.0 ||
        !std::all_of(samples, samples + n, [](double v) { return std::isfinite(v); })) {
        return kPeriodicArgumentError;
    }
    if (fundamentalHz == 0.0) {
        const double gain = transfer(0.0).real();
        if (!std::isfinite(gain)) {
            return kPeriodicTransferError;
        }
        std::for_each(samples, samples + n, [gain](double &v) { v *= gain; });
        return 0;
    }
    const auto count = static_cast<std::size_t>(n);
    std::vector<Complex> time(samples, samples + n);
    std::vector<Complex> spectrum(count);
    const kissfft<double> forward(count, false);
    forward.transform(time.data(), spectrum.data());
    for (int k = 0; k < n; ++k) {
        const Complex gain = harmonicGain(transfer, k, n, fundamentalHz);
        if (!finite(gain)) {
            return kPeriodicTransferError;
        }
        spectrum[k] *= gain;
    }
    // A second plan rather than assign(): assign() conjugates the twiddles but keeps the
    // direction that the radix-4 butterflies read, which breaks the inverse.
    const kissfft<double> inverse(count, true);
    inverse.transform(spectrum.data(), time.data());
    for (int i = 0; i < n; ++i) {
        samples[i] = time[i].real() / n;
    }
    return 0;
}

std::complex<double> lowPassGain(double frequencyHz, double cutoffHz) {
    return 1.0 / Complex(1.0, frequencyHz / cutoffHz);
}

std::complex<double> highPassGain(double frequencyHz, double cutoffHz) {
    const Complex jx(0.0, frequencyHz / cutoffHz);
    return jx / (1.0 + jx);
}

} // namespace vantrel::circuit
