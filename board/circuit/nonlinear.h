#pragma once

// The boards with diodes (internal to the circuit library; callers use solveBoard).

namespace vantrel::circuit {

/// Fills probes 1.. of a diode board (kHalfWave, kBridge, kClipper, kZenerRegulator) for
/// validated arguments; probe 0 is already the drive.
/// @return 0, or kBoardNotConverged when the work bound ran out or a number went wrong.
int solveDiodeBoard(int board, const double *values, const double *drive, int n, double freqHz,
                    double *probes, long maxSteps);

} // namespace vantrel::circuit
