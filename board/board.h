#pragma once
/// The experiment board on the bench, between the circuit solver and the instrument: the last
/// solution is kept and solved again only when the board, a component or the drive changed, so
/// that both channels probing one board share one solve and an unchanged board costs a
/// comparison per routing tick.

#include "board/circuit/boards.h"

#include <array>
#include <string>
#include <vector>

namespace vantrel::board {

/// Samples of one period of the drive and of every probe.
inline constexpr int kSamples = 600;

/// The solution of one board for one drive, solved only when its inputs change.
class SolveCache {
public:
    SolveCache();

    /// Brings the solution up to date with these inputs: `values` holds the board's component
    /// values in table order (0 for a removed part), `drive` kSamples samples of one period of
    /// `freqHz`. Solves only when any input differs from the previous call's, failures
    /// included (a failed solve is not retried until something changes).
    /// @return 0, or the solver's negative status (see board/circuit/boards.h).
    int update(int board, const double *values, const double *drive, double freqHz);
    /// Probe `probe` of the last solution (kSamples samples), or nullptr when the last update
    /// failed or the board has no such probe.
    const double *probe(int probe) const;
    /// Status of the last update.
    int status() const { return status_; }
    /// Solves run so far.
    long solveCount() const { return solves_; }

private:
    bool sameInputs(int board, const double *values, const double *drive, double freqHz) const;

    int board_ = -1;
    std::array<double, circuit::kMaxComponents> values_{};
    std::array<double, kSamples> drive_{};
    double freqHz_ = -1.0;
    int status_ = circuit::kBoardIndexError;
    long solves_ = 0;
    std::vector<double> probes_;
};

/// The one solution that the input routing and the board dialog share.
SolveCache &bancada();

/// A value in its unit with an SI prefix and a decimal comma, as a user reads and types it:
/// "1,5 kΩ", "100 nF", "22 µF", "2,7 V".
std::string formatValue(double value, const char *unit);

} // namespace vantrel::board
