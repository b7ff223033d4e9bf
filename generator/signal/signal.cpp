#include "generator/signal/signal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295; // pi / 180
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegreesToHalfTurns = 0.005555555555555556; // 1 / 180

/// Maps a phase in degrees onto [0, 360) the way fmod does, lifting negative remainders.
double WrapDegrees(double degrees) {
    double p = std::fmod(degrees, 360.0);
    if (p < 0.0) {
        p += 360.0;
    }
    return p;
}

/// Unit triangle over u = phase / 180 in [0, 2): rises 0 -> 1 on [0, 0.5), falls 1 -> -1
/// on [0.5, 1.5), rises -1 -> 0 on [1.5, 2).
double UnitTriangle(double u) {
    if (u < 0.5) {
        return 2.0 * u;
    }
    if (u < 1.5) {
        return 2.0 * (1.0 - u);
    }
    return 2.0 * (u - 2.0);
}

/// Unit ramp over the fraction s in [0, 1) of a period measured from its lowest point: rises
/// -1 -> 1 over [0, rising), falls 1 -> -1 over [rising, 1).
double UnitRamp(double s, double rising) {
    if (s < rising) {
        return -1.0 + 2.0 * s / rising;
    }
    return 1.0 - 2.0 * (s - rising) / (1.0 - rising);
}

/// Wichmann-Hill state, one per thread.
struct WichmannHill {
    /// Any constant whose low 14 bits are not all zero; zero bits would never seed.
    std::int32_t baseSeed = 0x075BCD15;
    int reseed = 1; ///< When set, the next draw derives s1, s2, s3 afresh from baseSeed.
    int s1 = 0;     ///< 0 means not yet seeded.
    int s2 = 0;
    int s3 = 0;
    double w1 = 0.0;
    double w2 = 0.0;
    double w3 = 0.0;

    /// Next number, uniform on [0, 1).
    double Draw() {
        if (reseed != 0) {
            reseed = 0;
            s1 = 0;
        }
        while (s1 == 0) {
            s1 = baseSeed & 0x3FFF;
            s2 = (s1 * 8191) & 0x3FFF;
            s3 = (s2 * 8191) & 0x3FFF;
            w1 = 1.0 / 30269.0;
            w2 = 1.0 / 30307.0;
            w3 = 1.0 / 30323.0;
        }
        s1 = (s1 * 171) % 30269;
        s2 = (s2 * 172) % 30307;
        s3 = (s3 * 170) % 30323;
        const double t = s1 * w1 + s2 * w2 + s3 * w3;
        double u = t - std::floor(t);
        if (u < 0.0) {
            u += 1.0;
        }
        return u;
    }
};

thread_local WichmannHill randomState;

} // namespace

int SinePattern(int n, double amplitude, double phase, double cycles, double out[]) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    if (cycles > n) {
        return vantrel::kSignalCyclesError;
    }
    double x = phase * kDegreesToRadians;
    const double dx = cycles * kTwoPi / n;
    // The angle advances by repeated addition, rounded to double at every step.
    for (int i = 0; i < n; ++i) {
        out[i] = amplitude * std::sin(x);
        x = x + dx;
    }
    return 0;
}

int SquareWave(int n, double amplitude, double frequency, double *phase, double dutyCycle,
               double out[]) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    const double duty = std::clamp(dutyCycle * 0.01, 0.0, 1.0);
    const double highUntil = 360.0 * duty;
    const double step = frequency * 360.0;
    double current = *phase;
    for (int i = 0; i < n; ++i) {
        out[i] = WrapDegrees(current) < highUntil ? amplitude : -amplitude;
        current = current + step;
    }
    *phase = WrapDegrees(current);
    return 0;
}

int TriangleWave(int n, double amplitude, double frequency, double *phase, double out[]) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    const double step = frequency * 360.0;
    double current = *phase;
    for (int i = 0; i < n; ++i) {
        out[i] = amplitude * UnitTriangle(WrapDegrees(current) * kDegreesToHalfTurns);
        current = current + step;
    }
    *phase = WrapDegrees(current);
    return 0;
}

int RampWave(int n, double amplitude, double frequency, double *phase, double risingShare,
             double out[]) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    const double rising = std::clamp(risingShare * 0.01, 0.0, 1.0);
    const double step = frequency * 360.0;
    const double start = *phase;
    for (int i = 0; i < n; ++i) {
        // Each phase from the start and the index, so the corners fall on their exact samples.
        // The lowest point lies half a rise before 0 degrees.
        double s = WrapDegrees(start + i * step) / 360.0 + 0.5 * rising;
        if (s >= 1.0) {
            s -= 1.0;
        }
        out[i] = amplitude * UnitRamp(s, rising);
    }
    *phase = WrapDegrees(start + n * step);
    return 0;
}

int PulseWave(int n, double amplitude, double frequency, double *phase, double dutyCycle,
              double out[]) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    // A sample that lies on the falling edge but for rounding already belongs to the low part.
    constexpr double kEdgeDegrees = 1e-9;
    const double highUntil = 360.0 * std::clamp(dutyCycle * 0.01, 0.0, 1.0) - kEdgeDegrees;
    const double step = frequency * 360.0;
    const double start = *phase;
    for (int i = 0; i < n; ++i) {
        out[i] = WrapDegrees(start + i * step) < highUntil ? amplitude : -amplitude;
    }
    *phase = WrapDegrees(start + n * step);
    return 0;
}

int Set1D(double array[], int n, double value) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    std::fill_n(array, n, value);
    return 0;
}

int Clear1D(double array[], int n) {
    return Set1D(array, n, 0.0);
}

int Mean(const double array[], int n, double *mean) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    long double sum = 0.0L;
    for (int i = 0; i < n; ++i) {
        sum += array[i];
    }
    *mean = static_cast<double>(sum / n);
    return 0;
}

int RMS(const double array[], int n, double *rms) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    long double sum = 0.0L;
    for (int i = 0; i < n; ++i) {
        const long double v = array[i];
        sum += v * v;
    }
    *rms = static_cast<double>(std::sqrt(sum / n));
    return 0;
}

int MaxMin1D(const double array[], int n, double *max, int *maxIndex, double *min, int *minIndex) {
    if (n < 1) {
        return vantrel::kSignalCountError;
    }
    int first = 0;
    while (first < n && std::isnan(array[first])) {
        ++first;
    }
    double hi = std::numeric_limits<double>::quiet_NaN();
    double lo = hi;
    int hiIndex = -1;
    int loIndex = -1;
    if (first < n) {
        hi = lo = array[first];
        hiIndex = loIndex = first;
        // Strict comparisons keep the first occurrence of each extreme; NaN compares false.
        for (int i = first + 1; i < n; ++i) {
            if (array[i] > hi) {
                hi = array[i];
                hiIndex = i;
            } else if (array[i] < lo) {
                lo = array[i];
                loIndex = i;
            }
        }
    }
    // Minimum's index last: it wins when both index pointers share one int.
    *max = hi;
    *maxIndex = hiIndex;
    *min = lo;
    *minIndex = loIndex;
    return 0;
}

double Random(double min, double max) {
    const double diff = max - min;
    if (diff < 0.0) {
        return min;
    }
    return min + randomState.Draw() * diff;
}
