#pragma once

// Exact response of a linear time-invariant system to a periodic input given as one period
// of samples: the samples are taken to the frequency domain (KissFFT), each harmonic k is
// multiplied by the transfer function at k times the fundamental, and the result is taken
// back. This is the periodic steady state, with no start-up transient.

#include <complex>
#include <functional>

namespace vantrel::circuit {

/// Status: fewer than one sample.
inline constexpr int kPeriodicCountError = -21101;
/// Status: null buffer, negative or non-finite fundamental, or a non-finite sample.
inline constexpr int kPeriodicArgumentError = -21102;
/// Status: the transfer function returned a non-finite value.
inline constexpr int kPeriodicTransferError = -21103;

/// Complex gain of a real system at a frequency in hertz (>= 0). For negative frequencies the
/// conjugate is used, as for every real system.
using Transfer = std::function<std::complex<double>(double frequencyHz)>;

/// Replaces samples[0..n-1], one period of a signal whose fundamental is fundamentalHz, by
/// the periodic response of the system `transfer`. The harmonic at the Nyquist frequency
/// (even n) is scaled by the real part of the gain, which is what sampling such a response
/// gives. fundamentalHz == 0 means a DC signal: every sample is scaled by Re transfer(0).
/// @return 0; kPeriodicCountError, kPeriodicArgumentError or kPeriodicTransferError, and then
///         the samples are left untouched.
int filterPeriodic(double *samples, int n, double fundamentalHz, const Transfer &transfer);

/// Gain of a first-order low-pass filter (an RC with the output across C): 1 / (1 + j f/fc).
std::complex<double> lowPassGain(double frequencyHz, double cutoffHz);

/// Gain of a first-order high-pass filter (output across R): (j f/fc) / (1 + j f/fc).
std::complex<double> highPassGain(double frequencyHz, double cutoffHz);

} // namespace vantrel::circuit
