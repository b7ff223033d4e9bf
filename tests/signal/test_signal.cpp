#include "generator/signal/signal.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <thread>
#include <vector>

namespace {

constexpr double kOneOver600 = 0.0016666666666666668;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool near(double actual, double expected, double tolerance) {
    return std::fabs(actual - expected) <= tolerance;
}

/// Equal values, or both NaN.
bool same(double actual, double expected) {
    return (std::isnan(actual) && std::isnan(expected)) || actual == expected;
}

/// Everything a routine may write, preset to values no routine would produce.
struct Outputs {
    std::array<double, 4> out{42.0, 42.0, 42.0, 42.0};
    double phase = 12.5;
    double value = 42.0;
    double min = 42.0;
    int maxIndex = 42;
    int minIndex = 42;
    bool operator==(const Outputs &) const = default;
};

constexpr std::array<double, 4> kInput{1.0, 2.0, 3.0, 4.0};

struct Routine {
    const char *name;
    int (*call)(int n, Outputs &o);
};

// cycles 1.0 exceeds any bad count, so SinePattern also shows that the count is checked first.
constexpr std::array<Routine, 8> kRoutines{{
    {"SinePattern", [](int n, Outputs &o) { return SinePattern(n, 1.0, 0.0, 1.0, o.out.data()); }},
    {"SquareWave",
     [](int n, Outputs &o) { return SquareWave(n, 1.0, 0.1, &o.phase, 50.0, o.out.data()); }},
    {"TriangleWave",
     [](int n, Outputs &o) { return TriangleWave(n, 1.0, 0.1, &o.phase, o.out.data()); }},
    {"Set1D", [](int n, Outputs &o) { return Set1D(o.out.data(), n, 7.0); }},
    {"Clear1D", [](int n, Outputs &o) { return Clear1D(o.out.data(), n); }},
    {"Mean", [](int n, Outputs &o) { return Mean(kInput.data(), n, &o.value); }},
    {"RMS", [](int n, Outputs &o) { return RMS(kInput.data(), n, &o.value); }},
    {"MaxMin1D",
     [](int n, Outputs &o) {
         return MaxMin1D(kInput.data(), n, &o.value, &o.maxIndex, &o.min, &o.minIndex);
     }},
}};

std::vector<double> sequenceOnFreshThread(bool emptyRangeFirst) {
    std::vector<double> draws;
    std::thread worker([&] {
        if (emptyRangeFirst) {
            Random(5.0, 2.0);
        }
        for (int i = 0; i < 5; ++i) {
            draws.push_back(Random(0.0, 1.0));
        }
    });
    worker.join();
    return draws;
}

} // namespace

class TestSignal : public QObject {
    Q_OBJECT

private slots:
    void badCountFailsAndWritesNothing_data();
    void badCountFailsAndWritesNothing();
    void sinePatternLimitsCycles_data();
    void sinePatternLimitsCycles();
    void sinePatternTracesOnePeriod();
    void squareWaveHighForDutyFraction_data();
    void squareWaveHighForDutyFraction();
    void squareWaveSystemCallFallsAfterSample300();
    void triangleWaveIsInPhaseWithSine();
    void wavesContinueAcrossCalls_data();
    void wavesContinueAcrossCalls();
    void clear1DWritesPositiveZeroOverExactlyN();
    void meanAndRms_data();
    void meanAndRms();
    void meanSumsInExtendedPrecision();
    void maxMinReportsFirstOccurrenceSkippingNaN_data();
    void maxMinReportsFirstOccurrenceSkippingNaN();
    void maxMinSharedIndexKeepsMinimum();
    void randomWithMaxBelowMinReturnsMin();
    void randomStaysInHalfOpenRangeAndVaries();
    void randomSequenceIsPerThreadAndEmptyRangeDrawsNothing();
};

void TestSignal::badCountFailsAndWritesNothing_data() {
    QTest::addColumn<int>("routine");
    QTest::addColumn<int>("n");
    for (int r = 0; r < int(kRoutines.size()); ++r) {
        for (int n : {0, -1, std::numeric_limits<int>::min()}) {
            QTest::addRow("%s n=%d", kRoutines[r].name, n) << r << n;
        }
    }
}

void TestSignal::badCountFailsAndWritesNothing() {
    QFETCH(int, routine);
    QFETCH(int, n);
    Outputs outputs;
    QCOMPARE(kRoutines[routine].call(n, outputs), vantrel::kSignalCountError);
    QVERIFY(outputs == Outputs{});
}

void TestSignal::sinePatternLimitsCycles_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("cycles");
    QTest::addColumn<int>("status");
    QTest::newRow("cycles equal to n") << 4 << 4.0 << 0;
    QTest::newRow("half a cycle over n") << 4 << 4.5 << vantrel::kSignalCyclesError;
    QTest::newRow("600 over 600") << 600 << 600.0 << 0;
    QTest::newRow("600.5 over 600") << 600 << 600.5 << vantrel::kSignalCyclesError;
    QTest::newRow("negative cycles") << 4 << -3.0 << 0;
}

void TestSignal::sinePatternLimitsCycles() {
    QFETCH(int, n);
    QFETCH(double, cycles);
    QFETCH(int, status);
    std::vector<double> out(n, 42.0);
    QCOMPARE(SinePattern(n, 1.0, 90.0, cycles, out.data()), status);
    // On success the first sample is sin(90 degrees); on failure nothing is written.
    QCOMPARE(out[0], status == 0 ? 1.0 : 42.0);
}

void TestSignal::sinePatternTracesOnePeriod() {
    std::array<double, 600> out{};
    QCOMPARE(SinePattern(600, 2.5, 0.0, 1.0, out.data()), 0);
    QVERIFY(out[0] == 0.0);
    for (int i = 0; i < 600; ++i) {
        const double expected = 2.5 * std::sin(2.0 * std::numbers::pi * i / 600.0);
        QVERIFY2(near(out[i], expected, 1e-12), qPrintable(QString::number(i)));
    }
    // A phase shifts the start: 90 degrees starts at the peak.
    QCOMPARE(SinePattern(600, 2.5, 90.0, 1.0, out.data()), 0);
    QVERIFY(out[0] == 2.5);
}

void TestSignal::squareWaveHighForDutyFraction_data() {
    QTest::addColumn<double>("duty");
    QTest::addColumn<double>("phase");
    QTest::addColumn<QString>("pattern");
    // One cycle per eight samples: 45 degrees a step, exact in binary.
    QTest::newRow("duty -10 clamps to 0") << -10.0 << 0.0 << "----------------";
    QTest::newRow("duty 0") << 0.0 << 0.0 << "----------------";
    QTest::newRow("duty 25") << 25.0 << 0.0 << "++------++------";
    QTest::newRow("duty 50") << 50.0 << 0.0 << "++++----++++----";
    QTest::newRow("duty 50 from -90") << 50.0 << -90.0 << "--++++----++++--";
    QTest::newRow("duty 100") << 100.0 << 0.0 << "++++++++++++++++";
    QTest::newRow("duty 150 clamps to 100") << 150.0 << 0.0 << "++++++++++++++++";
}

void TestSignal::squareWaveHighForDutyFraction() {
    QFETCH(double, duty);
    QFETCH(double, phase);
    QFETCH(QString, pattern);
    std::vector<double> out(pattern.size());
    QCOMPARE(SquareWave(int(out.size()), 3.0, 0.125, &phase, duty, out.data()), 0);
    QString actual;
    for (double v : out) {
        QVERIFY(v == 3.0 || v == -3.0);
        actual += v > 0 ? QLatin1Char('+') : QLatin1Char('-');
    }
    QCOMPARE(actual, pattern);
}

void TestSignal::squareWaveSystemCallFallsAfterSample300() {
    // The accumulated phase of sample 300 lands just below 180 degrees.
    std::array<double, 600> out{};
    double phase = 0.0;
    QCOMPARE(SquareWave(600, 2.0, kOneOver600, &phase, 50.0, out.data()), 0);
    for (int i = 0; i < 600; ++i) {
        QVERIFY2(out[i] == (i <= 300 ? 2.0 : -2.0), qPrintable(QString::number(i)));
    }
    QVERIFY(phase >= 0.0 && phase < 360.0);
}

void TestSignal::triangleWaveIsInPhaseWithSine() {
    std::array<double, 600> out{};
    double phase = 0.0;
    QCOMPARE(TriangleWave(600, 2.0, kOneOver600, &phase, out.data()), 0);
    QVERIFY(out[0] == 0.0);
    QCOMPARE(std::distance(out.begin(), std::max_element(out.begin(), out.end())), 150);
    QCOMPARE(std::distance(out.begin(), std::min_element(out.begin(), out.end())), 450);
    const std::array<std::pair<int, double>, 6> samples{
        {{75, 1.0}, {150, 2.0}, {225, 1.0}, {300, 0.0}, {450, -2.0}, {525, -1.0}}};
    for (auto [index, expected] : samples) {
        QVERIFY2(near(out[index], expected, 1e-9), qPrintable(QString::number(index)));
    }
    QVERIFY(phase >= 0.0 && phase < 360.0);
}

void TestSignal::wavesContinueAcrossCalls_data() {
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("phase");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("one period split") << kOneOver600 << 0.0 << 250 << 350;
    // 1/128 cycle is 2.8125 degrees, exact in binary, so wrapping loses nothing.
    QTest::newRow("several periods") << 0.0078125 << 0.0 << 300 << 333;
    QTest::newRow("running backwards") << -0.0078125 << 10.0 << 77 << 200;
    QTest::newRow("start above 360") << 0.0078125 << 1000.0 << 50 << 50;
    QTest::newRow("start below 0") << 0.0078125 << -725.5 << 40 << 90;
}

void TestSignal::wavesContinueAcrossCalls() {
    QFETCH(double, frequency);
    QFETCH(double, phase);
    QFETCH(int, first);
    QFETCH(int, second);
    using Wave = int (*)(int, double, double *, double[]);
    const std::array<Wave, 2> waves{
        [](int n, double f, double *p, double out[]) {
            return SquareWave(n, 1.5, f, p, 30.0, out);
        },
        [](int n, double f, double *p, double out[]) { return TriangleWave(n, 1.5, f, p, out); }};
    for (Wave wave : waves) {
        std::vector<double> whole(first + second);
        double wholePhase = phase;
        QCOMPARE(wave(first + second, frequency, &wholePhase, whole.data()), 0);

        std::vector<double> split(first + second);
        double splitPhase = phase;
        QCOMPARE(wave(first, frequency, &splitPhase, split.data()), 0);
        QVERIFY(splitPhase >= 0.0 && splitPhase < 360.0);
        QCOMPARE(wave(second, frequency, &splitPhase, split.data() + first), 0);

        QVERIFY(split == whole);
        QCOMPARE(splitPhase, wholePhase);
        QVERIFY(wholePhase >= 0.0 && wholePhase < 360.0);
    }
}

void TestSignal::clear1DWritesPositiveZeroOverExactlyN() {
    std::array<double, 5> array{-0.0, -1.0, 2.0, -0.0, 9.0};
    QCOMPARE(Clear1D(array.data(), 4), 0);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(array[i] == 0.0 && !std::signbit(array[i]));
    }
    QCOMPARE(array[4], 9.0);
    QCOMPARE(Set1D(array.data(), 3, -7.5), 0);
    QCOMPARE(array[2], -7.5);
    QVERIFY(array[3] == 0.0);
}

void TestSignal::meanAndRms_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("rms");
    QTest::newRow("1 to 4") << QList<double>{1, 2, 3, 4} << 2.5 << std::sqrt(7.5);
    QTest::newRow("symmetric") << QList<double>{-3, 3} << 0.0 << 3.0;
    QTest::newRow("single negative") << QList<double>{-2} << -2.0 << 2.0;
    QList<double> sine(600);
    SinePattern(600, 2.0, 0.0, 1.0, sine.data());
    QTest::newRow("sine period") << sine << 0.0 << std::sqrt(2.0);
}

void TestSignal::meanAndRms() {
    QFETCH(QList<double>, values);
    QFETCH(double, mean);
    QFETCH(double, rms);
    double actualMean = 42.0;
    double actualRms = 42.0;
    QCOMPARE(Mean(values.constData(), int(values.size()), &actualMean), 0);
    QCOMPARE(RMS(values.constData(), int(values.size()), &actualRms), 0);
    QVERIFY2(near(actualMean, mean, 1e-12), qPrintable(QString::number(actualMean, 'g', 17)));
    QVERIFY2(near(actualRms, rms, 1e-12), qPrintable(QString::number(actualRms, 'g', 17)));
}

void TestSignal::meanSumsInExtendedPrecision() {
    if constexpr (std::numeric_limits<long double>::digits <= 53) {
        QSKIP("long double is no wider than double here");
    }
    // In double the two ones vanish against 1e16 and the mean comes out 0.
    const std::array<double, 4> values{1e16, 1.0, 1.0, -1e16};
    double mean = 42.0;
    QCOMPARE(Mean(values.data(), 4, &mean), 0);
    QCOMPARE(mean, 0.5);
}

void TestSignal::maxMinReportsFirstOccurrenceSkippingNaN_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<double>("min");
    QTest::addColumn<int>("minIndex");
    QTest::newRow("ties keep first") << QList<double>{3, 1, 3, 1} << 3.0 << 0 << 1.0 << 1;
    QTest::newRow("single") << QList<double>{7} << 7.0 << 0 << 7.0 << 0;
    QTest::newRow("falling") << QList<double>{5, 4, 3} << 5.0 << 0 << 3.0 << 2;
    QTest::newRow("leading NaNs") << QList<double>{kNaN, kNaN, 2, 5, -1} << 5.0 << 3 << -1.0 << 4;
    QTest::newRow("one value after NaN") << QList<double>{kNaN, 4} << 4.0 << 1 << 4.0 << 1;
    QTest::newRow("NaNs inside") << QList<double>{1, kNaN, 0, kNaN, 9} << 9.0 << 4 << 0.0 << 2;
    QTest::newRow("all NaN") << QList<double>{kNaN, kNaN, kNaN} << kNaN << -1 << kNaN << -1;
}

void TestSignal::maxMinReportsFirstOccurrenceSkippingNaN() {
    QFETCH(QList<double>, values);
    QFETCH(double, max);
    QFETCH(int, maxIndex);
    QFETCH(double, min);
    QFETCH(int, minIndex);
    double actualMax = 42.0;
    double actualMin = 42.0;
    int actualMaxIndex = 42;
    int actualMinIndex = 42;
    QCOMPARE(MaxMin1D(values.constData(), int(values.size()), &actualMax, &actualMaxIndex,
                      &actualMin, &actualMinIndex),
             0);
    QVERIFY(same(actualMax, max));
    QCOMPARE(actualMaxIndex, maxIndex);
    QVERIFY(same(actualMin, min));
    QCOMPARE(actualMinIndex, minIndex);
}

void TestSignal::maxMinSharedIndexKeepsMinimum() {
    const std::array<double, 3> values{2.0, 9.0, -4.0};
    double max = 0.0;
    double min = 0.0;
    int index = 42;
    QCOMPARE(MaxMin1D(values.data(), 3, &max, &index, &min, &index), 0);
    QCOMPARE(index, 2);
    QCOMPARE(max, 9.0);
    QCOMPARE(min, -4.0);
}

void TestSignal::randomWithMaxBelowMinReturnsMin() {
    QCOMPARE(Random(5.0, 2.0), 5.0);
    QCOMPARE(Random(-1.0, -3.0), -1.0);
}

void TestSignal::randomStaysInHalfOpenRangeAndVaries() {
    double lowest = 600.0;
    double highest = 0.0;
    double sum = 0.0;
    constexpr int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        const double r = Random(0.0, 600.0);
        QVERIFY2(r >= 0.0 && r < 600.0, qPrintable(QString::number(r, 'g', 17)));
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        sum += r;
    }
    QVERIFY(lowest < 1.0);
    QVERIFY(highest > 599.0);
    QVERIFY(near(sum / draws, 300.0, 10.0));
}

void TestSignal::randomSequenceIsPerThreadAndEmptyRangeDrawsNothing() {
    Random(0.0, 1.0); // advance this thread's generator; the others must not notice
    const std::vector<double> plain = sequenceOnFreshThread(false);
    const std::vector<double> afterEmptyRange = sequenceOnFreshThread(true);
    QCOMPARE(plain.size(), size_t(5));
    QVERIFY(plain == afterEmptyRange);
    QVERIFY(plain[0] != plain[1]);
}

QTEST_GUILESS_MAIN(TestSignal)
#include "test_signal.moc"
