// The trigger's coupling filters, mains clock and hold-off crossings, and the component
// tester's V-I figure, checked against the circuit theory they stand for.

#include "generator/signal/si_value.h"
#include "sim/numeric/component_tester.h"
#include "sim/numeric/trigger_signal.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <vector>

namespace {

constexpr int kN = 600;
constexpr double kPi = std::numbers::pi;

std::vector<double> sine(double amplitude, double offset = 0.0, double phase = 0.0) {
    std::vector<double> s(kN);
    for (int i = 0; i < kN; ++i) {
        s[i] = offset + amplitude * std::sin(2.0 * kPi * i / kN + phase);
    }
    return s;
}

/// Fundamental of one period as a phasor of a sine (amplitude, phase in radians).
std::complex<double> fundamental(const std::vector<double> &s) {
    std::complex<double> sum;
    for (int i = 0; i < kN; ++i) {
        sum += s[i] * std::polar(1.0, -2.0 * kPi * i / kN);
    }
    // sin(x + p) = Im(e^{j(x+p)}): the bin holds (A / 2j) e^{jp}.
    return sum * std::complex<double>(0.0, 2.0) / double(kN);
}

/// Two equal pulses per period, at 0 and at 30 % of it.
std::vector<double> doublePulse() {
    std::vector<double> s(kN, 0.0);
    for (int i : {0, 180}) {
        std::fill_n(s.begin() + i, 30, 1.0);
    }
    return s;
}

} // namespace

class SimNumericTest : public QObject {
    Q_OBJECT

private slots:
    // A first-order filter at its corner: gain 1/sqrt(2), phase +45 (HF) or -45 (LF) degrees;
    // far above the corner LF leaves f0/f of the signal.
    void firstOrderCouplings_data() {
        QTest::addColumn<int>("coupling");
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("degrees");
        const double atCorner = 1.0 / std::sqrt(2.0);
        QTest::newRow("HF corner") << int(trigsig::kHF) << 1500.0 << atCorner << 45.0;
        QTest::newRow("LF corner") << int(trigsig::kLF) << 1500.0 << atCorner << -45.0;
        const double r = 100e3 / 1500.0;
        QTest::newRow("LF 100 kHz") << int(trigsig::kLF) << 100e3 << 1.0 / std::hypot(1.0, r)
                                    << -std::atan(r) * 180.0 / kPi;
        QTest::newRow("AC") << int(trigsig::kAC) << 50.0 << 1.0 << 0.0;
    }
    void firstOrderCouplings() {
        QFETCH(int, coupling);
        QFETCH(double, hz);
        QFETCH(double, gain);
        QFETCH(double, degrees);
        auto s = sine(2.0, 0.5);
        trigsig::couple(s, hz, coupling);
        const auto f = fundamental(s);
        QVERIFY2(std::abs(std::abs(f) / 2.0 - gain) <= 0.01 * gain,
                 qPrintable(QString::number(std::abs(f))));
        QVERIFY(std::abs(std::arg(f) * 180.0 / kPi - degrees) <= 1.0);
    }

    // What the level is compared with: AC and HF lose the offset, DC and LF keep it.
    void couplingKeepsOrRemovesOffset_data() {
        QTest::addColumn<int>("coupling");
        QTest::addColumn<double>("mean");
        QTest::newRow("AC") << int(trigsig::kAC) << 0.0;
        QTest::newRow("DC") << int(trigsig::kDC) << 1.0;
        QTest::newRow("HF") << int(trigsig::kHF) << 0.0;
        QTest::newRow("LF") << int(trigsig::kLF) << 1.0;
    }
    void couplingKeepsOrRemovesOffset() {
        QFETCH(int, coupling);
        QFETCH(double, mean);
        auto s = sine(2.0, 1.0);
        trigsig::couple(s, 50.0, coupling);
        QVERIFY(std::abs(std::accumulate(s.begin(), s.end(), 0.0) / kN - mean) < 1e-9);
    }

    // LINE: at each refresh the sweep starts with the mains; a signal f Hz away from a
    // multiple of 50 Hz moves on by f x (refresh time) periods, its beat.
    void mainsPhaseAdvancesByTheBeat_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("samplesPerRefresh");
        QTest::newRow("1000 Hz stands") << 1000.0 << 0.0;
        QTest::newRow("1001 Hz") << 1001.0 << 60.0;  // 1 Hz beat x 0.1 s = 0.1 period
        QTest::newRow("999.5 Hz") << 999.5 << 570.0; // -0.05 period per refresh
        QTest::newRow("50 Hz") << 50.0 << 0.0;
    }
    void mainsPhaseAdvancesByTheBeat() {
        QFETCH(double, hz);
        QFETCH(double, samplesPerRefresh);
        const long long step = trigsig::mainsCyclesPerRefresh(0.1);
        QCOMPARE(step, 5LL);
        for (long long cycle = 0; cycle < 200; cycle += step) {
            const double a = trigsig::mainsPhase(hz, cycle, kN);
            const double b = trigsig::mainsPhase(hz, cycle + step, kN);
            QVERIFY(a >= 0.0 && a < kN);
            const double advance = std::fmod(b - a + kN, double(kN));
            QVERIFY2(std::abs(advance - samplesPerRefresh) < 1e-6 ||
                         std::abs(advance - samplesPerRefresh - kN) < 1e-6,
                     qPrintable(QString::number(advance)));
        }
        QCOMPARE(trigsig::mainsCyclesPerRefresh(1e-05), 1LL);
    }

    // Hold-off on a double pulse: a sweep of 20 % of the period lands alternately on the two
    // pulses; once the hold-off passes the second pulse every sweep starts on the first.
    void holdoffSkipsTheSecondCrossing_data() {
        QTest::addColumn<double>("holdoffPeriods");
        QTest::addColumn<int>("distinctStarts");
        QTest::newRow("short") << 0.02 << 2;
        QTest::newRow("past the second pulse") << 0.2 << 1;
        QTest::newRow("whole periods more") << 2.2 << 1;
    }
    void holdoffSkipsTheSecondCrossing() {
        QFETCH(double, holdoffPeriods);
        QFETCH(int, distinctStarts);
        const auto s = doublePulse();
        double start = 0.0;
        std::vector<int> starts;
        for (int sweep = 0; sweep < 8; ++sweep) {
            const int next = trigsig::nextSweepStart(s, 0.5, 1, start, 0.2, holdoffPeriods);
            QVERIFY(next == 0 || next == 180);
            starts.push_back(next);
            start = next;
        }
        std::sort(starts.begin(), starts.end());
        QCOMPARE(int(std::unique(starts.begin(), starts.end()) - starts.begin()), distinctStarts);
    }

    void crossingNeedsTheLevelPassed() {
        const auto s = sine(1.0);
        QCOMPARE(trigsig::crossingFrom(s, 2.0, 1, 0), -1);
        const int up = trigsig::crossingFrom(s, 0.5, 1, 0);
        QVERIFY(s[up] > 0.5 && s[up - 1] <= 0.5);
        const int down = trigsig::crossingFrom(s, 0.5, -1, 0);
        QVERIFY(s[down] < 0.5 && s[down - 1] >= 0.5);
    }

    // A resistor's figure is the line I = V / R: the slope on the screen is R's.
    void resistorGivesItsSlope_data() {
        QTest::addColumn<double>("ohms");
        for (double r : {22.0, 330.0, 1000.0, 4700.0}) {
            QTest::newRow(qPrintable(QString::number(r))) << r;
        }
    }
    void resistorGivesItsSlope() {
        QFETCH(double, ohms);
        std::vector<double> x(kN), y(kN);
        QVERIFY(tester::figure({tester::kResistor, ohms, 0.0}, x, y));
        // Least-squares slope through the origin.
        double xy = 0.0, xx = 0.0;
        for (int i = 0; i < kN; ++i) {
            xy += x[i] * y[i];
            xx += x[i] * x[i];
        }
        const double expected = tester::kUnitsPerAmp / (tester::kUnitsPerVolt * ohms);
        QVERIFY(std::abs(xy / xx - expected) <= 0.005 * expected);
    }

    // Reactances: an ellipse whose half axes (peak V over peak I) give the reactance, the
    // open socket a flat line and the short a vertical one.
    void reactanceSetsTheEllipse_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("ohms");
        const double w = 2.0 * kPi * tester::kSourceHz;
        QTest::newRow("1 uF") << int(tester::kCapacitor) << 1e-6 << 1.0 / (w * 1e-6);
        QTest::newRow("10 uF") << int(tester::kCapacitor) << 10e-6 << 1.0 / (w * 10e-6);
        QTest::newRow("3 H") << int(tester::kInductor) << 3.0 << w * 3.0;
        QTest::newRow("open") << int(tester::kOpen) << 0.0 << qInf();
        QTest::newRow("short") << int(tester::kShort) << 0.0 << 0.0;
    }
    void reactanceSetsTheEllipse() {
        QFETCH(int, kind);
        QFETCH(double, value);
        QFETCH(double, ohms);
        std::vector<double> x(kN), y(kN);
        QVERIFY(tester::figure({kind, value, 0.0}, x, y));
        const double vPeak = *std::max_element(x.begin(), x.end()) / tester::kUnitsPerVolt;
        const double iPeak = *std::max_element(y.begin(), y.end()) / tester::kUnitsPerAmp;
        if (std::isinf(ohms)) {
            QCOMPARE(iPeak, 0.0);
        } else {
            QVERIFY(std::abs(vPeak - ohms * iPeak) <= 0.005 * (ohms * iPeak) + 1e-12);
        }
        // Open and short reach the source's whole voltage or current.
        const double sourcePeak = tester::kSourceRms * std::sqrt(2.0);
        QVERIFY(vPeak <= sourcePeak * 1.0001 && iPeak <= sourcePeak / tester::kSeriesOhms * 1.0001);
    }

    // Junctions: a silicon diode conducts at 0.55 to 0.75 V and blocks the other way (the
    // reversed one the opposite); a Zener also conducts backwards at its voltage.
    void junctionsBend_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("forwardMin");
        QTest::addColumn<double>("forwardMax");
        QTest::addColumn<double>("reverseMin");
        QTest::addColumn<double>("reverseMax");
        const double open = tester::kSourceRms * std::sqrt(2.0);
        QTest::newRow("diode") << int(tester::kDiode) << 0.65 << 0.55 << 0.75 << -open * 1.0001
                               << -open * 0.999;
        QTest::newRow("reversed") << int(tester::kDiodeReversed) << 0.65 << open * 0.999
                                  << open * 1.0001 << -0.75 << -0.55;
        QTest::newRow("Zener 5.1") << int(tester::kZener) << 5.1 << 0.55 << 0.75 << -5.3 << -4.9;
        QTest::newRow("red LED") << int(tester::kLed) << 1.8 << 1.6 << 1.9 << -open * 1.0001
                                 << -open * 0.999;
    }
    void junctionsBend() {
        QFETCH(int, kind);
        QFETCH(double, value);
        QFETCH(double, forwardMin);
        QFETCH(double, forwardMax);
        QFETCH(double, reverseMin);
        QFETCH(double, reverseMax);
        std::vector<double> x(kN), y(kN);
        QVERIFY(tester::figure({kind, value, 0.0}, x, y));
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        QVERIFY2(*hi >= forwardMin && *hi <= forwardMax, qPrintable(QString::number(*hi)));
        QVERIFY2(*lo >= reverseMin && *lo <= reverseMax, qPrintable(QString::number(*lo)));
        // Every point lies on the source's load line: V + R I is the source's sine.
        for (int i = 0; i < kN; ++i) {
            const double source =
                tester::kSourceRms * std::sqrt(2.0) * std::sin(2.0 * kPi * i / kN);
            QVERIFY(std::abs(x[i] + tester::kSeriesOhms * y[i] / tester::kUnitsPerAmp - source) <
                    1e-6);
        }
    }

    void refusedParts_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("value");
        QTest::newRow("unknown kind") << int(tester::kKinds) << 1.0;
        QTest::newRow("0 ohm") << int(tester::kResistor) << 0.0;
        QTest::newRow("NaN farad") << int(tester::kCapacitor) << qQNaN();
        QTest::newRow("Zener 100 V") << int(tester::kZener) << 100.0;
    }
    void refusedParts() {
        QFETCH(int, kind);
        QFETCH(double, value);
        std::vector<double> x(kN, 7.0), y(kN, 7.0);
        QVERIFY(!tester::figure({kind, value, 1e-6}, x, y));
        QCOMPARE(x.front(), 7.0);
    }

    // What the dialog writes it reads back, to its four figures.
    void writtenValuesReadBack() {
        for (double v : {1e-12, 4.7e-9, 2.2e-6, 0.65, 5.1, 999.0, 4700.0, 1e6, 10e6}) {
            double read = 0.0;
            QCOMPARE(parseSiValue(tester::formatValue(v), "", 1e-15, 1e15, &read), 0);
            QVERIFY2(std::abs(read - v) <= 5e-4 * v, tester::formatValue(v).c_str());
        }
    }
};

QTEST_APPLESS_MAIN(SimNumericTest)
#include "test_sim_numeric.moc"
