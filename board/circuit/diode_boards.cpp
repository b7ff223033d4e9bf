#include "board/circuit/boards.h"
#include "board/circuit/devices.h"
#include "board/circuit/nonlinear.h"

#include <boost/numeric/odeint.hpp>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace vantrel::circuit {

namespace {

namespace odeint = boost::numeric::odeint;
using State = boost::numeric::ublas::vector<double>;
using Matrix = boost::numeric::ublas::matrix<double>;

/// A function's value and derivative at one point.
struct Slope {
    double value;
    double derivative;
};

/// Root of a decreasing function on [lo, hi] where g(lo) >= 0 >= g(hi): Newton steps from
/// `guess`, held inside the bracket that the signs keep shrinking (bisection when a step
/// leaves it). Returns NaN if it does not settle, which the caller reports.
template <class Function>
double decreasingRoot(Function g, double lo, double hi, double guess) {
    double v = std::clamp(guess, lo, hi);
    for (int iteration = 0; iteration < 200; ++iteration) {
        const Slope s = g(v);
        if (s.value == 0.0) {
            return v;
        }
        (s.value > 0.0 ? lo : hi) = v;
        double next = v - s.value / s.derivative;
        if (!(next > lo && next < hi)) {
            next = 0.5 * (lo + hi);
        }
        if (std::fabs(next - v) <= 1e-13 * (1.0 + std::fabs(v)) || hi - lo <= 1e-15) {
            return next;
        }
        v = next;
    }
    return std::nan("");
}

/// Current into the output node of a rectifier (its load and capacitor), with its
/// derivatives by the output voltage and by the drive.
struct Feed {
    double currentA;
    double byOutput;
    double byDrive;
};

Feed halfWaveFeed(double output, double drive) {
    const JunctionPoint d = junctionAt(kSiliconDiode, drive - output);
    return {d.currentA, -d.conductanceS, d.conductanceS};
}

/// The bridge with `output` across its load: the drive's node is at `drive`, the other at 0;
/// diodes lead from both into the positive output node P and from the negative node
/// N = P - output into both. P settles where as much current enters P as leaves N.
Feed bridgeFeed(double output, double drive) {
    const auto inP = [&](double p) {
        return std::pair{junctionAt(kSiliconDiode, drive - p), junctionAt(kSiliconDiode, -p)};
    };
    const auto fromN = [&](double p) {
        return std::pair{junctionAt(kSiliconDiode, p - output - drive),
                         junctionAt(kSiliconDiode, p - output)};
    };
    const double lo = std::min({0.0, drive, output, output + drive});
    const double hi = std::max({0.0, drive, output, output + drive});
    const double p = decreasingRoot(
        [&](double v) {
            const auto [a, b] = inP(v);
            const auto [c, d] = fromN(v);
            return Slope{a.currentA + b.currentA - c.currentA - d.currentA,
                         -(a.conductanceS + b.conductanceS + c.conductanceS + d.conductanceS)};
        },
        lo, hi, 0.5 * (drive + output));
    const auto [a, b] = inP(p);
    const auto [c, d] = fromN(p);
    const double in = a.conductanceS + b.conductanceS;
    const double total = in + c.conductanceS + d.conductanceS;
    // How P moves with the output and the drive, from the balance at P held at zero.
    const double pByOutput = (c.conductanceS + d.conductanceS) / total;
    const double pByDrive = (a.conductanceS + c.conductanceS) / total;
    return {a.currentA + b.currentA, -in * pByOutput, a.conductanceS - in * pByDrive};
}

/// Output of a rectifier without capacitor: the feed equals the load current.
template <class FeedAt>
double unsmoothedOutput(FeedAt feed, double drive, double loadOhm, double guess) {
    const double reach = std::fabs(drive) + 1e-9;
    return decreasingRoot(
        [&](double v) {
            const Feed f = feed(v, drive);
            return Slope{f.currentA - v / loadOhm, f.byOutput - 1.0 / loadOhm};
        },
        -reach, reach, guess);
}

/// The drive between two samples, as a straight line in time measured in periods.
struct Segment {
    double start; ///< time of the first sample, periods
    double value; ///< drive at `start`, volts
    double slope; ///< volts per period
    double at(double t) const { return value + slope * (t - start); }
};

/// A rectifier with smoothing capacitor: C dv/dt = feed - v / RL, in time measured in
/// periods so that the steps do not depend on the frequency.
template <class FeedAt>
class Smoothed {
public:
    Smoothed(FeedAt feed, double loadOhm, double capacitanceF, double periodS)
        : feed_(feed), loadOhm_(loadOhm), scale_(periodS / capacitanceF) {}

    /// Integrates one period from `start`, writing the n sample values (samples[0] = start)
    /// and returning the value at the period's end, or NaN when *stepsLeft runs out.
    double period(const double *drive, int n, double start, double *samples, long *stepsLeft,
                  double tolerance) {
        odeint::rosenbrock4_controller<odeint::rosenbrock4<double>> stepper(tolerance, 1e-9);
        State x(1);
        x[0] = start;
        for (int i = 0; i < n; ++i) {
            samples[i] = x[0];
            const double t0 = static_cast<double>(i) / n;
            const double t1 = static_cast<double>(i + 1) / n;
            const Segment segment{t0, drive[i], (drive[(i + 1) % n] - drive[i]) * n};
            const auto rate = [&](const State &v, State &dvdt, double t) {
                const Feed f = feed_(v[0], segment.at(t));
                dvdt[0] = scale_ * (f.currentA - v[0] / loadOhm_);
            };
            const auto jacobian = [&](const State &v, Matrix &j, double t, State &dfdt) {
                const Feed f = feed_(v[0], segment.at(t));
                j(0, 0) = scale_ * (f.byOutput - 1.0 / loadOhm_);
                dfdt[0] = scale_ * f.byDrive * segment.slope;
            };
            double t = t0;
            while (t < t1) {
                if (--*stepsLeft < 0 || !std::isfinite(x[0])) {
                    return std::nan("");
                }
                step_ = std::min(step_, t1 - t);
                stepper.try_step(std::make_pair(rate, jacobian), x, t, step_);
                if (t1 - t < 1e-12) {
                    t = t1;
                }
            }
        }
        return x[0];
    }

private:
    FeedAt feed_;
    double loadOhm_;
    double scale_;            ///< period / C: seconds per period over farads
    double step_ = 1.0 / 600; ///< the last step the controller chose, periods
};

/// Periodic steady state of a smoothed rectifier into `output` (n samples). The start of the
/// period is corrected by the secant on F(v) = end(v) - v (one period per evaluation),
/// until the period closes to `tolerance` and the correction is below it too.
template <class FeedAt>
int settleSmoothed(Smoothed<FeedAt> &circuit, const double *drive, int n, double guess,
                   double tolerance, long maxSteps, double *output) {
    long stepsLeft = maxSteps;
    double start = guess;
    double previousStart = 0.0;
    double previousGap = 0.0;
    bool havePrevious = false;
    while (true) {
        const double end = circuit.period(drive, n, start, output, &stepsLeft, tolerance * 1e-3);
        if (!std::isfinite(end)) {
            return kBoardNotConverged;
        }
        const double gap = end - start;
        double next = end;
        if (havePrevious && gap != previousGap) {
            const double secant = start - gap * (start - previousStart) / (gap - previousGap);
            if (std::isfinite(secant)) {
                next = secant;
            }
        }
        if (std::fabs(gap) <= tolerance && havePrevious && std::fabs(next - start) <= tolerance) {
            return 0;
        }
        previousStart = start;
        previousGap = gap;
        havePrevious = true;
        start = next;
    }
}

double peakOf(const double *drive, int n) {
    double peak = 0.0;
    for (int i = 0; i < n; ++i) {
        peak = std::max(peak, std::fabs(drive[i]));
    }
    return peak;
}

/// A rectifier board: probe 1 the output, probe 2 (half-wave only) the diode's voltage.
template <class FeedAt>
int solveRectifier(FeedAt feed, const double *values, const double *drive, int n, double freqHz,
                   double *probes, long maxSteps) {
    const double loadOhm = values[0];
    const double capacitanceF = values[1];
    double *output = probes + n;
    double guess = 0.0;
    for (int i = 0; i < n; ++i) {
        output[i] = guess = unsmoothedOutput(feed, drive[i], loadOhm, guess);
    }
    const double peak = peakOf(drive, n);
    // In a DC steady state, or with no drive at all, the capacitor carries no current.
    if (capacitanceF > 0.0 && freqHz > 0.0 && peak > 0.0) {
        Smoothed<FeedAt> circuit(feed, loadOhm, capacitanceF, 1.0 / freqHz);
        const double start = *std::max_element(output, output + n);
        const int status = settleSmoothed(circuit, drive, n, start, 1e-6 * peak, maxSteps, output);
        if (status != 0) {
            return status;
        }
    }
    return 0;
}

/// Output across two antiparallel diodes fed through R.
double clipperOutput(double drive, double r, double guess) {
    return decreasingRoot(
        [&](double v) {
            const JunctionPoint up = junctionAt(kSiliconDiode, v);
            const JunctionPoint down = junctionAt(kSiliconDiode, -v);
            return Slope{(drive - v) / r - up.currentA + down.currentA,
                         -1.0 / r - up.conductanceS - down.conductanceS};
        },
        std::min(0.0, drive), std::max(0.0, drive), guess);
}

/// Output across a Zener (anode at ground) and its load, fed through R.
double zenerOutput(double drive, double r, double loadOhm, const DiodeModel &zener, double guess) {
    return decreasingRoot(
        [&](double v) {
            const JunctionPoint z = junctionAt(zener, -v);
            return Slope{(drive - v) / r - v / loadOhm + z.currentA,
                         -1.0 / r - 1.0 / loadOhm - z.conductanceS};
        },
        std::min(0.0, drive), std::max(0.0, drive), guess);
}

} // namespace

int solveDiodeBoard(int board, const double *values, const double *drive, int n, double freqHz,
                    double *probes, long maxSteps) {
    double *output = probes + n;
    double *third = probes + 2 * n;
    switch (board) {
    case kHalfWave: {
        const int status = solveRectifier(halfWaveFeed, values, drive, n, freqHz, probes, maxSteps);
        for (int i = 0; i < n; ++i) {
            third[i] = drive[i] - output[i];
        }
        return status;
    }
    case kBridge:
        return solveRectifier(bridgeFeed, values, drive, n, freqHz, probes, maxSteps);
    case kClipper:
        for (int i = 0; i < n; ++i) {
            output[i] = clipperOutput(drive[i], values[0], i > 0 ? output[i - 1] : 0.0);
            third[i] = drive[i] - output[i];
        }
        return 0;
    case kZenerRegulator: {
        const DiodeModel zener = zenerDiode(values[2]);
        for (int i = 0; i < n; ++i) {
            output[i] =
                zenerOutput(drive[i], values[0], values[1], zener, i > 0 ? output[i - 1] : 0.0);
            third[i] = drive[i] - output[i];
        }
        return 0;
    }
    default:
        return kBoardNotConverged;
    }
}

} // namespace vantrel::circuit
