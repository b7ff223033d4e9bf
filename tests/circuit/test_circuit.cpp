#include "board/circuit/boards.h"
#include "board/circuit/devices.h"
#include "board/circuit/e12.h"
#include "board/circuit/periodic.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <vector>

using namespace vantrel::circuit;

namespace {

constexpr int kN = 600;
constexpr double kPi = std::numbers::pi;
constexpr double kSentinel = 42.0;

std::vector<double> defaults(int board) {
    std::vector<double> values;
    for (int c = 0; c < kBoards[board].componentCount; ++c) {
        const Component &part = kBoards[board].components[c];
        values.push_back(part.presentByDefault ? part.defaultValue : 0.0);
    }
    return values;
}

std::vector<double> sine(double amplitude) {
    std::vector<double> wave(kN);
    for (int i = 0; i < kN; ++i) {
        wave[i] = amplitude * std::sin(2.0 * kPi * i / kN);
    }
    return wave;
}

/// +amplitude on the first half period, -amplitude on the second.
std::vector<double> square(double amplitude) {
    std::vector<double> wave(kN, -amplitude);
    std::fill(wave.begin(), wave.begin() + kN / 2, amplitude);
    return wave;
}

/// Probes of a solve that must succeed.
std::vector<double> solved(int board, const std::vector<double> &values,
                           const std::vector<double> &drive, double freqHz) {
    std::vector<double> probes(kBoards[board].probeCount * drive.size(), kSentinel);
    const int status =
        solveBoard(board, values.data(), drive.data(), int(drive.size()), freqHz, probes.data());
    if (status != 0) {
        qWarning("board %d at %g Hz: status %d", board, freqHz, status);
        return {};
    }
    return probes;
}

/// The fundamental of one period of samples, as a phasor of its sine component.
std::complex<double> fundamental(const double *x) {
    std::complex<double> sum;
    for (int i = 0; i < kN; ++i) {
        sum += x[i] * std::polar(1.0, -2.0 * kPi * i / kN);
    }
    return sum * std::complex<double>(0.0, 2.0 / kN);
}

double peakToPeak(const double *x) {
    const auto [lo, hi] = std::minmax_element(x, x + kN);
    return *hi - *lo;
}

} // namespace

class TestCircuit : public QObject {
    Q_OBJECT

private slots:
    void everyBoardSolvesItsDefaults_data();
    void everyBoardSolvesItsDefaults();
    void linearBoardsMatchClosedForms_data();
    void linearBoardsMatchClosedForms();
    void rlcResonanceMaximisesVr_data();
    void rlcResonanceMaximisesVr();
    void rcSquareResponseAfterOneTimeConstant_data();
    void rcSquareResponseAfterOneTimeConstant();
    void smoothedRippleIsLoadCurrentOverFC_data();
    void smoothedRippleIsLoadCurrentOverFC();
    void diodeBoardsHoldTheirLevels_data();
    void diodeBoardsHoldTheirLevels();
    void badInputFailsAndWritesNothing_data();
    void badInputFailsAndWritesNothing();
    void junctionModelsMeetTheirDataPoints_data();
    void junctionModelsMeetTheirDataPoints();
    void junctionModelsStayFiniteWithTrueSlopes();
    void periodicDelayRotatesAnyBuffer_data();
    void periodicDelayRotatesAnyBuffer();
    void e12Steps_data();
    void e12Steps();
};

void TestCircuit::everyBoardSolvesItsDefaults_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<double>("freqHz");
    QTest::addColumn<bool>("squareDrive");
    for (int b = 0; b < kBoardCount; ++b) {
        for (const double f : {0.0, 100.0}) {
            for (const bool sq : {false, true}) {
                QTest::addRow("%s %g Hz %s", kBoards[b].name, f, sq ? "square" : "sine")
                    << b << f << sq;
            }
        }
    }
}

// The drive comes out unchanged as probe 0, every probe is finite, and a DC drive settles
// where no capacitor carries current (switched-in capacitors included).
void TestCircuit::everyBoardSolvesItsDefaults() {
    QFETCH(int, board);
    QFETCH(double, freqHz);
    QFETCH(bool, squareDrive);
    const Board &table = kBoards[board];
    std::vector<double> values;
    for (int c = 0; c < table.componentCount; ++c) {
        values.push_back(table.components[c].defaultValue);
    }
    const std::vector<double> drive = squareDrive ? square(2.0) : sine(2.0);
    const std::vector<double> probes = solved(board, values, drive, freqHz);
    QVERIFY(!probes.empty());
    QVERIFY(std::equal(drive.begin(), drive.end(), probes.begin()));
    QVERIFY(std::all_of(probes.begin(), probes.end(), [](double v) { return std::isfinite(v); }));
    if (freqHz == 0.0 && table.components[table.componentCount - 1].switchable) {
        values.back() = 0.0;
        QCOMPARE(solved(board, values, drive, 0.0), probes);
    }
}

void TestCircuit::linearBoardsMatchClosedForms_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("freqHz");
    QTest::addColumn<int>("probe");
    QTest::addColumn<std::complex<double>>("gain");
    const double fc = 1.0 / (2.0 * kPi * 1.5e3 * 1e-6);
    for (const double x : {0.1, 1.0, 10.0}) {
        const std::complex<double> lowPass = 1.0 / std::complex<double>(1.0, x);
        QTest::addRow("low-pass VC at %g fc", x)
            << int(kRcLowPass) << std::vector{1.5e3, 1e-6} << x * fc << 1 << lowPass;
        QTest::addRow("high-pass VR at %g fc", x)
            << int(kRcHighPass) << std::vector{1e-6, 1.5e3} << x * fc << 1 << 1.0 - lowPass;
    }
    // fc = 2 MHz: only the product of frequency and time constant matters.
    QTest::newRow("low-pass VC at fc = 2 MHz")
        << int(kRcLowPass) << std::vector{1.0 / (2.0 * kPi * 2e6 * 1e-9), 1e-9} << 2e6 << 1
        << 1.0 / std::complex<double>(1.0, 1.0);
    QTest::newRow("divider") << int(kDivider) << std::vector{4.7e3, 2.2e3} << 100.0 << 1
                             << std::complex<double>(2.2 / 6.9);
    QTest::newRow("divider DC") << int(kDivider) << std::vector{10.0, 1e6} << 0.0 << 1
                                << std::complex<double>(1e6 / (1e6 + 10.0));
}

// Amplitude within 0.1 % and phase within 0.2 degrees of the closed form.
void TestCircuit::linearBoardsMatchClosedForms() {
    QFETCH(int, board);
    QFETCH(std::vector<double>, values);
    QFETCH(double, freqHz);
    QFETCH(int, probe);
    QFETCH(std::complex<double>, gain);
    const std::vector<double> drive = freqHz > 0.0 ? sine(3.0) : std::vector<double>(kN, 3.0);
    const std::vector<double> probes = solved(board, values, drive, freqHz);
    QVERIFY(!probes.empty());
    if (freqHz == 0.0) {
        QCOMPARE(probes[probe * kN], 3.0 * gain.real());
        return;
    }
    const std::complex<double> measured = fundamental(&probes[probe * kN]) / 3.0;
    QVERIFY2(std::fabs(std::abs(measured) / std::abs(gain) - 1.0) < 1e-3,
             qPrintable(QString::number(std::abs(measured))));
    QVERIFY(std::fabs(std::arg(measured / gain)) * 180.0 / kPi < 0.2);
}

void TestCircuit::rlcResonanceMaximisesVr_data() {
    QTest::addColumn<std::vector<double>>("values");
    QTest::newRow("defaults, about 107 Hz") << defaults(kRlcSeries);
    QTest::newRow("Q 1, 1.6 kHz") << std::vector{100.0, 10e-3, 1e-6};
    QTest::newRow("Q 10, 1.6 MHz") << std::vector{10.0, 10e-6, 1e-9};
}

// Golden-section search for the largest fundamental of VR over +-20 % of 1/(2 pi sqrt(LC)):
// the peak lies within 0.5 % of it, and there VR equals the drive and VL cancels VC.
void TestCircuit::rlcResonanceMaximisesVr() {
    QFETCH(std::vector<double>, values);
    const double f0 = 1.0 / (2.0 * kPi * std::sqrt(values[1] * values[2]));
    const std::vector<double> drive = sine(1.0);
    const auto vr = [&](double f) {
        const std::vector<double> probes = solved(kRlcSeries, values, drive, f);
        return probes.empty() ? 0.0 : std::abs(fundamental(&probes[kN]));
    };
    double lo = 0.8 * f0;
    double hi = 1.2 * f0;
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    while (hi - lo > 1e-4 * f0) {
        const double a = hi - ratio * (hi - lo);
        const double b = lo + ratio * (hi - lo);
        (vr(a) < vr(b) ? lo : hi) = vr(a) < vr(b) ? a : b;
    }
    QVERIFY2(std::fabs(lo / f0 - 1.0) < 5e-3, qPrintable(QString::number(lo / f0)));
    const std::vector<double> atF0 = solved(kRlcSeries, values, drive, f0);
    QVERIFY(std::fabs(std::abs(fundamental(&atF0[kN])) - 1.0) < 1e-6);
    QVERIFY(std::abs(fundamental(&atF0[2 * kN]) + fundamental(&atF0[3 * kN])) < 1e-6);
}

void TestCircuit::rcSquareResponseAfterOneTimeConstant_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<double>("freqHz");
    QTest::addColumn<double>("capacitanceF");
    for (const int board : {int(kRcLowPass), int(kRcHighPass)}) {
        QTest::addRow("%s 100 Hz", kBoards[board].name) << board << 100.0 << 1e-6;
        QTest::addRow("%s 2 MHz", kBoards[board].name) << board << 2e6 << 1e-9;
    }
}

// RC = 20.5 sample intervals, and the sampled edge sits half an interval before sample 0:
// sample 20 is one time constant after the step, where VC has covered 1 - 1/e of it and VR
// the rest.
void TestCircuit::rcSquareResponseAfterOneTimeConstant() {
    QFETCH(int, board);
    QFETCH(double, freqHz);
    QFETCH(double, capacitanceF);
    const double r = 20.5 / (kN * freqHz * capacitanceF);
    const std::vector<double> values =
        board == kRcLowPass ? std::vector{r, capacitanceF} : std::vector{capacitanceF, r};
    const std::vector<double> probes = solved(board, values, square(1.0), freqHz);
    QVERIFY(!probes.empty());
    const int vc = board == kRcLowPass ? 1 : 2;
    const double covered = 1.0 - 1.0 / std::numbers::e;
    QVERIFY(std::fabs((probes[vc * kN + 20] + 1.0) / 2.0 / covered - 1.0) < 5e-3);
    QVERIFY(std::fabs(probes[(3 - vc) * kN + 20] / 2.0 / (1.0 - covered) - 1.0) < 5e-3);
}

void TestCircuit::smoothedRippleIsLoadCurrentOverFC_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<double>("freqHz");
    QTest::addColumn<double>("loadOhm");
    QTest::addColumn<double>("capacitanceF");
    QTest::addColumn<double>("tolerance");
    for (const int board : {int(kHalfWave), int(kBridge)}) {
        // The bridge's two pulses per period take a larger share of it, and the diodes'
        // soft knees spread them, so its ripple falls further short of the ideal I / (2 f C).
        const double tolerance = board == kHalfWave ? 0.05 : 0.1;
        QTest::addRow("%s 100 Hz", kBoards[board].name)
            << board << 100.0 << 1e3 << 1e-3 << tolerance;
        QTest::addRow("%s 0.01 Hz", kBoards[board].name)
            << board << 0.01 << 1e6 << 10e-3 << tolerance;
        QTest::addRow("%s 2 MHz", kBoards[board].name) << board << 2e6 << 1e3 << 50e-9 << tolerance;
    }
}

// RL C f = 100: the capacitor discharges almost linearly for almost the whole period (each
// half period in the bridge, whose output repeats every half period), so the ripple is
// close to the load current over f C (2 f C).
void TestCircuit::smoothedRippleIsLoadCurrentOverFC() {
    QFETCH(int, board);
    QFETCH(double, freqHz);
    QFETCH(double, loadOhm);
    QFETCH(double, capacitanceF);
    QFETCH(double, tolerance);
    const std::vector<double> probes = solved(board, {loadOhm, capacitanceF}, sine(20.0), freqHz);
    QVERIFY(!probes.empty());
    const double *output = &probes[kN];
    const double mean = std::accumulate(output, output + kN, 0.0) / kN;
    const double pulses = board == kBridge ? 2.0 : 1.0;
    const double expected = mean / loadOhm / (pulses * freqHz * capacitanceF);
    QVERIFY2(std::fabs(peakToPeak(output) / expected - 1.0) < tolerance,
             qPrintable(QString("%1 V against %2 V").arg(peakToPeak(output)).arg(expected)));
    for (int i = 0; board == kBridge && i < kN / 2; ++i) {
        QVERIFY(std::fabs(output[i + kN / 2] - output[i]) < 1e-5 * 20.0);
    }
}

void TestCircuit::diodeBoardsHoldTheirLevels_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("tolerance");
    // Without capacitor the rectifiers give 0 on negative halves (the bridge at the zero
    // crossings) and the crest less 0.6-0.7 V per conducting diode, one or the bridge's two.
    for (const double amplitude : {2.0, 5.0, 20.0}) {
        const double loadOhm = amplitude > 10.0 ? 10e3 : 1e3;
        QTest::addRow("half-wave, %g V", amplitude) << int(kHalfWave) << std::vector{loadOhm, 0.0}
                                                    << amplitude << amplitude - 0.65 << 0.0 << 0.05;
        QTest::addRow("bridge, %g V", amplitude) << int(kBridge) << std::vector{loadOhm, 0.0}
                                                 << amplitude << amplitude - 1.3 << 0.0 << 0.1;
    }
    // Silicon knees lie within 50 mV of 0.7 V from 1 to 10 mA, the Zeners within 50 mV of Vz.
    QTest::newRow("clipper, 10 V")
        << int(kClipper) << std::vector{1e3} << 10.0 << 0.7 << -0.7 << 0.05;
    QTest::newRow("Zener 4.7 V, 10 V")
        << int(kZenerRegulator) << std::vector{1e3, 10e3, 4.7} << 10.0 << 4.7 << -0.7 << 0.05;
    QTest::newRow("Zener 12 V, 20 V")
        << int(kZenerRegulator) << std::vector{1e3, 1e6, 12.0} << 20.0 << 12.0 << -0.7 << 0.05;
    // Below the knees the output is the drive, less what the series R drops into the load.
    QTest::newRow("clipper, 0.2 V")
        << int(kClipper) << std::vector{1e3} << 0.2 << 0.2 << -0.2 << 1e-3;
    QTest::newRow("Zener 4.7 V, 3 V")
        << int(kZenerRegulator) << std::vector{1e3, 1e6, 4.7} << 3.0 << 3.0 << -0.7 << 0.05;
}

void TestCircuit::diodeBoardsHoldTheirLevels() {
    QFETCH(int, board);
    QFETCH(std::vector<double>, values);
    QFETCH(double, amplitude);
    QFETCH(double, highest);
    QFETCH(double, lowest);
    QFETCH(double, tolerance);
    const std::vector<double> probes = solved(board, values, sine(amplitude), 100.0);
    QVERIFY(!probes.empty());
    const auto [lo, hi] = std::minmax_element(&probes[kN], &probes[2 * kN]);
    QVERIFY2(std::fabs(*hi - highest) < tolerance, qPrintable(QString::number(*hi)));
    QVERIFY2(std::fabs(*lo - lowest) < tolerance, qPrintable(QString::number(*lo)));
}

void TestCircuit::badInputFailsAndWritesNothing_data() {
    QTest::addColumn<int>("board");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("freqHz");
    QTest::addColumn<int>("component");
    QTest::addColumn<double>("componentValue");
    QTest::addColumn<double>("sample");
    QTest::addColumn<long>("maxSteps");
    QTest::addColumn<int>("status");
    const double nan = std::nan("");
    QTest::newRow("no samples") << 0 << 0 << 100.0 << 0 << 1e3 << 1.0 << 1L << kBoardCountError;
    QTest::newRow("negative count")
        << 0 << -5 << 100.0 << 0 << 1e3 << 1.0 << 1L << kBoardCountError;
    QTest::newRow("negative frequency")
        << 0 << kN << -1.0 << 0 << 1e3 << 1.0 << 1L << kBoardArgumentError;
    QTest::newRow("NaN frequency")
        << 0 << kN << nan << 0 << 1e3 << 1.0 << 1L << kBoardArgumentError;
    QTest::newRow("NaN drive") << 0 << kN << 100.0 << 0 << 1e3 << nan << 1L << kBoardArgumentError;
    QTest::newRow("board -1") << -1 << kN << 100.0 << 0 << 1e3 << 1.0 << 1L << kBoardIndexError;
    QTest::newRow("board past the table")
        << int(kBoardCount) << kN << 100.0 << 0 << 1e3 << 1.0 << 1L << kBoardIndexError;
    QTest::newRow("resistor below range")
        << int(kDivider) << kN << 100.0 << 1 << 1.0 << 1.0 << 1L << kBoardComponentError;
    QTest::newRow("resistor 0 (not switchable)")
        << int(kDivider) << kN << 100.0 << 0 << 0.0 << 1.0 << 1L << kBoardComponentError;
    QTest::newRow("capacitor above range")
        << int(kHalfWave) << kN << 100.0 << 1 << 1.0 << 1.0 << 1L << kBoardComponentError;
    QTest::newRow("NaN capacitor")
        << int(kRcLowPass) << kN << 100.0 << 1 << nan << 1.0 << 1L << kBoardComponentError;
    QTest::newRow("work bound") << int(kHalfWave) << kN << 100.0 << 1 << 1e-3 << 1.0 << 300L
                                << kBoardNotConverged;
}

void TestCircuit::badInputFailsAndWritesNothing() {
    QFETCH(int, board);
    QFETCH(int, n);
    QFETCH(double, freqHz);
    QFETCH(int, component);
    QFETCH(double, componentValue);
    QFETCH(double, sample);
    QFETCH(long, maxSteps);
    QFETCH(int, status);
    std::vector<double> values = defaults(std::clamp(board, 0, kBoardCount - 1));
    values[component] = componentValue;
    std::vector<double> drive = sine(5.0);
    drive[kN / 3] = sample;
    std::vector<double> probes(kMaxProbes * kN, kSentinel);
    QCOMPARE(solveBoard(board, values.data(), drive.data(), n, freqHz, probes.data(), maxSteps),
             status);
    QVERIFY(std::all_of(probes.begin(), probes.end(), [](double v) { return v == kSentinel; }));
    QVERIFY(*boardStatusText(status) != '\0');
    QCOMPARE(solveBoard(0, nullptr, drive.data(), kN, 1.0, probes.data()), kBoardArgumentError);
    QCOMPARE(solveBoard(0, values.data(), drive.data(), kN, 1.0, nullptr), kBoardArgumentError);
}

void TestCircuit::junctionModelsMeetTheirDataPoints_data() {
    QTest::addColumn<DiodeModel>("model");
    QTest::addColumn<double>("voltageV");
    QTest::addColumn<double>("lowestA");
    QTest::addColumn<double>("highestA");
    QTest::newRow("silicon 1 mA at 0.6-0.7 V") << kSiliconDiode << 0.6 << 0.0 << 1e-3;
    QTest::newRow("silicon 1 mA below 0.7 V") << kSiliconDiode << 0.7 << 1e-3 << 1.0;
    QTest::newRow("silicon reverse leaks Is") << kSiliconDiode << -5.0 << -1.01e-14 << -0.99e-14;
    QTest::newRow("red LED 10 mA at 1.8 V") << kRedLed << 1.8 << 9.9e-3 << 10.1e-3;
    QTest::newRow("Zener 5 mA at -Vz") << zenerDiode(4.7) << -4.7 << -5.01e-3 << -4.99e-3;
    QTest::newRow("Zener 50 mA 60 mV beyond")
        << zenerDiode(4.7) << -4.7 - 0.0596 << -0.051 << -0.049;
    QTest::newRow("Zener forward as silicon") << zenerDiode(4.7) << 0.65 << 1e-4 << 1e-2;
}

void TestCircuit::junctionModelsMeetTheirDataPoints() {
    QFETCH(DiodeModel, model);
    QFETCH(double, voltageV);
    QFETCH(double, lowestA);
    QFETCH(double, highestA);
    const double current = junctionAt(model, voltageV).currentA;
    QVERIFY2(current >= lowestA && current <= highestA, qPrintable(QString::number(current)));
}

// From -1 MV to +1 MV: finite, rising, and the conductance is the current's slope.
void TestCircuit::junctionModelsStayFiniteWithTrueSlopes() {
    std::vector<double> voltages{-1e6, -1e3, -50.0, 50.0, 1e3, 1e6};
    for (int step = -1000; step <= 1000; ++step) {
        voltages.push_back(step * 0.01);
    }
    std::sort(voltages.begin(), voltages.end());
    for (const DiodeModel &model : {kSiliconDiode, kRedLed, zenerDiode(5.6)}) {
        double previous = -INFINITY;
        for (const double v : voltages) {
            const JunctionPoint p = junctionAt(model, v);
            QVERIFY(std::isfinite(p.currentA) && std::isfinite(p.conductanceS));
            QVERIFY(p.currentA >= previous);
            previous = p.currentA;
            const double h = 1e-7 * std::max(1.0, std::fabs(v));
            const double slope =
                (junctionAt(model, v + h).currentA - junctionAt(model, v - h).currentA) / (2 * h);
            QVERIFY2(std::fabs(slope - p.conductanceS) <= 1e-4 * p.conductanceS + 1e-12,
                     qPrintable(QString("%1 V").arg(v)));
        }
    }
}

void TestCircuit::periodicDelayRotatesAnyBuffer_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("shift");
    for (const int n : {600, 7}) {
        for (const int shift : {0, 1, 5, n - 1}) {
            QTest::addRow("%d samples, %d", n, shift) << n << shift;
        }
    }
}

// A delay by whole samples, exp(-j 2 pi f shift T / n), moves every sample along the period:
// this checks the conjugate gains of the negative frequencies and the Nyquist harmonic.
void TestCircuit::periodicDelayRotatesAnyBuffer() {
    QFETCH(int, n);
    QFETCH(int, shift);
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i) {
        x[i] = std::fmod(i * 0.618, 1.0) - (i % 3);
    }
    std::vector<double> y = x;
    const double fundamentalHz = 50.0;
    QCOMPARE(filterPeriodic(y.data(), n, fundamentalHz,
                            [&](double f) {
                                return std::polar(1.0,
                                                  -2.0 * kPi * f * shift / (n * fundamentalHz));
                            }),
             0);
    for (int i = 0; i < n; ++i) {
        QVERIFY(std::fabs(y[(i + shift) % n] - x[i]) < 1e-12);
    }
    const std::vector<double> before = y;
    QCOMPARE(
        filterPeriodic(y.data(), n, 50.0, [](double) { return std::complex<double>(NAN, 0.0); }),
        kPeriodicTransferError);
    QCOMPARE(y, before);
}

void TestCircuit::e12Steps_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("result");
    QTest::newRow("4k7 up") << 4.7e3 << 1 << 10.0 << 1e6 << 0 << 5.6e3;
    QTest::newRow("4k7 down") << 4.7e3 << -1 << 10.0 << 1e6 << 0 << 3.9e3;
    QTest::newRow("8.2 up crosses a decade") << 8.2 << 1 << 1.0 << 100.0 << 0 << 10.0;
    QTest::newRow("10 down crosses a decade") << 10.0 << -1 << 1.0 << 100.0 << 0 << 8.2;
    QTest::newRow("1 uF, a hair above") << 1e-6 * (1 + 1e-12) << 1 << 1e-12 << 1.0 << 0 << 1.2e-6;
    QTest::newRow("off the series, up") << 5e3 << 1 << 10.0 << 1e6 << 0 << 5.6e3;
    QTest::newRow("off the series, down") << 5e3 << -1 << 10.0 << 1e6 << 0 << 4.7e3;
    QTest::newRow("33 pF down") << 33e-12 << -1 << 1e-12 << 1.0 << 0 << 27e-12;
    QTest::newRow("at the maximum") << 1e6 << 1 << 10.0 << 1e6 << kE12LimitError << 0.0;
    QTest::newRow("at the minimum") << 10.0 << -1 << 10.0 << 1e6 << kE12LimitError << 0.0;
    QTest::newRow("zero") << 0.0 << 1 << 10.0 << 1e6 << kE12ArgumentError << 0.0;
    QTest::newRow("direction 2") << 10.0 << 2 << 10.0 << 1e6 << kE12ArgumentError << 0.0;
}

void TestCircuit::e12Steps() {
    QFETCH(double, value);
    QFETCH(int, direction);
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(int, status);
    QFETCH(double, result);
    double out = kSentinel;
    QCOMPARE(e12Step(value, direction, minValue, maxValue, &out), status);
    QCOMPARE(out, status == 0 ? result : kSentinel);
}

QTEST_GUILESS_MAIN(TestCircuit)
#include "test_circuit.moc"
