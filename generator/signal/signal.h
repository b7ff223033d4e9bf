#pragma once

// Signal synthesis and statistics over caller-owned arrays of doubles.
//
// Every routine but Random returns 0 on success or a negative status code, and writes
// nothing at all when it returns an error. Arrays hold at least n elements; phases are in
// degrees; frequencies are in cycles per sample (1/600 gives one period in 600 samples).
// Output pointers must be valid and must not point into the arrays being written.

namespace vantrel {
/// Status: the number of samples n is less than 1.
inline constexpr int kSignalCountError = -20003;

/// Status: SinePattern was asked for more cycles than there are samples.
inline constexpr int kSignalCyclesError = -20012;
} // namespace vantrel

/// Writes out[i] = amplitude * sin(x_i) for i in [0, n), where x_0 = phase in radians and
/// each following angle adds cycles * 2pi / n to the previous one.
/// @param n number of samples, >= 1.
/// @param amplitude peak value, in the unit of the output.
/// @param phase starting angle in degrees.
/// @param cycles number of periods across the n samples, at most n (no lower bound).
/// @param out receives n samples.
/// @return 0, vantrel::kSignalCountError if n < 1, or vantrel::kSignalCyclesError if cycles > n.
int SinePattern(int n, double amplitude, double phase, double cycles, double out[]);

/// Writes n samples of a square wave that is +amplitude during the first dutyCycle percent
/// of each period and -amplitude during the rest, starting at *phase.
/// @param n number of samples, >= 1.
/// @param amplitude level of the high half; the low half is -amplitude.
/// @param frequency cycles per sample (may be negative: the wave then runs backwards).
/// @param phase in: phase of the first sample in degrees (any value);
///              out: phase of the sample after the last one, wrapped into [0, 360), so that
///              a later call with the same variable continues the wave without a jump.
/// @param dutyCycle percentage of the period spent high; values outside [0, 100] are clamped.
/// @param out receives n samples.
/// @return 0, or vantrel::kSignalCountError if n < 1.
int SquareWave(int n, double amplitude, double frequency, double *phase, double dutyCycle,
               double out[]);

/// Writes n samples of a triangle wave in phase with a sine: 0 at 0 degrees, +amplitude at 90,
/// -amplitude at 270, back to 0 at 360.
/// @param n number of samples, >= 1.
/// @param amplitude peak value.
/// @param frequency cycles per sample (may be negative).
/// @param phase in/out as for SquareWave: left wrapped into [0, 360) for continuation.
/// @param out receives n samples.
/// @return 0, or vantrel::kSignalCountError if n < 1.
int TriangleWave(int n, double amplitude, double frequency, double *phase, double out[]);

/// Writes n samples of a ramp that rises from -amplitude to +amplitude during the first
/// risingShare percent of each period and falls back during the rest. The rise is centred on
/// 0 degrees, where the wave crosses 0 rising, so a 50 % share traces the triangle of
/// TriangleWave and 100 % a sawtooth that jumps from +amplitude to -amplitude at 180 degrees.
/// @param n number of samples, >= 1.
/// @param amplitude peak value.
/// @param frequency cycles per sample (may be negative).
/// @param phase in/out as for SquareWave: left wrapped into [0, 360) for continuation.
/// @param risingShare percentage of the period spent rising; clamped to [0, 100] (0 gives a
///        falling sawtooth).
/// @param out receives n samples.
/// @return 0, or vantrel::kSignalCountError if n < 1.
int RampWave(int n, double amplitude, double frequency, double *phase, double risingShare,
             double out[]);

/// Writes n samples of a pulse: +amplitude during the first dutyCycle percent of each period,
/// -amplitude during the rest. Unlike SquareWave, each sample's phase is computed from the
/// start and its index, so the falling edge lies exactly at dutyCycle percent of the period
/// (sample 180 of 600 for 30 %).
/// @param n number of samples, >= 1.
/// @param amplitude level of the high part; the low part is -amplitude.
/// @param frequency cycles per sample (may be negative).
/// @param phase in/out as for SquareWave: left wrapped into [0, 360) for continuation.
/// @param dutyCycle percentage of the period spent high; clamped to [0, 100].
/// @param out receives n samples.
/// @return 0, or vantrel::kSignalCountError if n < 1.
int PulseWave(int n, double amplitude, double frequency, double *phase, double dutyCycle,
              double out[]);

/// Sets array[0..n-1] to value.
/// @return 0, or vantrel::kSignalCountError if n < 1.
int Set1D(double array[], int n, double value);

/// Sets array[0..n-1] to +0.0 (all bits zero).
/// @return 0, or vantrel::kSignalCountError if n < 1.
int Clear1D(double array[], int n);

/// Arithmetic mean of array[0..n-1], summed in extended precision (long double).
/// @return 0, or vantrel::kSignalCountError if n < 1 (then *mean is left untouched).
int Mean(const double array[], int n, double *mean);

/// Root mean square of array[0..n-1], summed in extended precision (long double).
/// @return 0, or vantrel::kSignalCountError if n < 1 (then *rms is left untouched).
int RMS(const double array[], int n, double *rms);

/// Largest and smallest values of array[0..n-1] with the index of their first occurrence.
/// NaN elements are ignored; if every element is NaN, both values are NaN and both indices -1.
/// The outputs are written in the order max, maxIndex, min, minIndex, so when both index
/// pointers point at the same int it ends up holding the minimum's index.
/// @return 0, or vantrel::kSignalCountError if n < 1 (then nothing is written).
int MaxMin1D(const double array[], int n, double *max, int *maxIndex, double *min, int *minIndex);

/// A pseudo-random double drawn uniformly from [min, max) by a Wichmann-Hill generator.
/// Each thread has its own generator, seeded with the same fixed constant on the thread's
/// first call, so every thread (and every run) sees the same sequence.
/// @return min + u * (max - min) with u in [0, 1); if max < min, returns min without
///         drawing a number.
double Random(double min, double max);
