#pragma once
/// The signal that the trigger searches, and where in a one-period buffer a sweep starts:
/// the trigger coupling (AC, DC, HF, LF, LINE), the 50 Hz mains clock of LINE, and the
/// crossings that a continuous-time trigger with hold-off picks. Standard library only.

#include <span>

namespace trigsig {

/// Positions of the TRIG. coupling selector, top to bottom.
enum Coupling : int { kAC = 0, kDC = 1, kHF = 2, kLF = 3, kLine = 4 };

/// Corner of the HF (high-pass) and LF (low-pass) couplings, first order, Hz.
inline constexpr double kCornerHz = 1500.0;
/// Mains frequency that LINE triggers on, Hz.
inline constexpr double kMainsHz = 50.0;

/// Replaces one period of a signal of frequency `hz` by what the trigger compares with the
/// level: AC removes the mean, DC keeps the signal, HF and LF pass it through the first-order
/// high-pass or low-pass at kCornerHz, harmonic by harmonic (exact for a periodic signal).
/// LINE leaves it unchanged (the level is not used).
void couple(std::span<double> period, double hz, int coupling);

/// Phase, in buffer samples (0 .. size), of a signal of frequency `hz` at the `cycle`-th
/// positive-going zero of the 50 Hz mains, both counted from the common time origin.
double mainsPhase(double hz, long long cycle, int size);

/// Mains cycles from one sweep to the next when the refresh takes `seconds`: the sweep waits
/// for the first mains zero after it; at least one cycle.
long long mainsCyclesPerRefresh(double seconds);

/// First sample at or after `from` (wrapping across the end) at which the signal crosses the
/// level in the slope's direction: it is strictly beyond the level and the sample before it is
/// not. -1 when the period has no crossing.
int crossingFrom(std::span<const double> period, double level, int slope, int from);

/// Continuous-time trigger with hold-off: the sweep that started at buffer phase `lastStart`
/// lasts `sweepPeriods` periods of the signal and the hold-off `holdoffPeriods` more; the next
/// sweep starts at the first crossing after both. Returns that buffer index, or -1.
int nextSweepStart(std::span<const double> period, double level, int slope, double lastStart,
                   double sweepPeriods, double holdoffPeriods);

} // namespace trigsig
