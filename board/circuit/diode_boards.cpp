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
/// N = P - output into both. With identical diodes P sits at (drive + output) / 2, where each
/// conducting pair shares the voltage equally, so the current is that of two half-voltages.
Feed bridgeFeed(double output, double drive) {
    const JunctionPoint forward = junctionAt(kSiliconDiode, 0.5 * (drive - output));
    const JunctionPoint reverse = junctionAt(kSiliconDiode, 0.5 * (-drive - output));
    return {forward.currentA + reverse.currentA,
            -0.5 * (forward.conductanceS + reverse.conductanceS),
            0.5 * (forward.conductanceS - reverse.conductanceS)};
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
        odeint::rosenbrock4_controller<odeint::rosenbrock4<double>> stepper(tolerance, 1e-5);
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

/// Periodic steady state of a smoothed rectifier into `output` (n samples): the voltage v at
/// the start of the period where the period's end F(v) = end(v) - v is zero. F falls as v
/// rises (the end follows the start less than one to one), so once two starts give opposite
/// signs they bracket the root and regula falsi (Illinois) closes in; before that secant
/// steps, or plain period-after-period steps, look for the bracket. Done when the period
/// closes to `closure` and the start moved by less than `closure` too.
template <class FeedAt>
int settleSmoothed(Smoothed<FeedAt> &circuit, const double *drive, int n, double guess,
                   double closure, double reach, long maxSteps, double *output) {
    long stepsLeft = maxSteps;
    const auto gapFrom = [&](double start) {
        // Each step within ten times the closure: tighter, the linearly implicit steps crawl
        // where a small capacitor makes the diode's exponential stiff.
        return circuit.period(drive, n, start, output, &stepsLeft, 10.0 * closure) - start;
    };
    double start = guess;
    double gap = gapFrom(start);
    double move = INFINITY;
    double below = NAN; // latest start whose period ends higher (F > 0), and its gap
    double belowGap = NAN;
    double above = NAN; // latest start whose period ends lower (F < 0), and its gap
    double aboveGap = NAN;
    int lastSide = 0;
    while (std::isfinite(gap)) {
        if (std::fabs(gap) <= closure && std::fabs(move) <= closure) {
            return 0;
        }
        const int side = gap > 0.0 ? 1 : -1;
        const double previous = side > 0 ? below : above;
        const double previousGap = side > 0 ? belowGap : aboveGap;
        (side > 0 ? below : above) = start;
        (side > 0 ? belowGap : aboveGap) = gap;
        double next = start + gap;
        if (std::isfinite(below) && std::isfinite(above)) {
            if (side == lastSide) {
                (side > 0 ? aboveGap : belowGap) *= 0.5;
            }
            next = below - belowGap * (above - below) / (aboveGap - belowGap);
        } else if (std::isfinite(previous) && previousGap != gap) {
            // Secant through the last two starts, to overshoot the root and bracket it.
            const double secant = start - gap * (start - previous) / (gap - previousGap);
            if ((secant - start) * gap > 0.0) {
                next = start + std::copysign(std::min(std::fabs(secant - start), reach), gap);
            }
        }
        lastSide = side;
        move = next - start;
        start = next;
        gap = gapFrom(start);
    }
    return kBoardNotConverged;
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
        const int status =
            settleSmoothed(circuit, drive, n, start, 1e-6 * peak, 2.0 * peak, maxSteps, output);
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
