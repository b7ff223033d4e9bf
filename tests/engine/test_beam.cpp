// The tube's drawing over plain pixels: where a trace's core lands, how wide it is, how its
// halo follows intensity and focus, and where a trace leaving the screen is cut.

#include "engine/beam/tube.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 400;
constexpr int kSamples = 600;
constexpr std::uint32_t kRed = 0xffff0000; // stands out from the dark tube in the red channel
constexpr std::uint32_t kTube = 0xff0a1812;
constexpr bool kThin = false;
constexpr bool kThick = true;

using Points = std::vector<beam::Point>;

/// A frame of `width` x `height` pixels drawn over a flat tube.
struct Frame {
    int width = kWidth;
    int height = kHeight;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

Frame draw(const std::vector<beam::Trace> &traces, double focus = 0.0, double logical = 1.0,
           int width = kWidth, int height = kHeight) {
    const std::vector<std::uint32_t> tube(static_cast<std::size_t>(width * height), kTube);
    Frame frame{width, height, tube};
    beam::Phosphor phosphor;
    beam::ComposeFrame({frame.pixels.data(), width, height, width},
                       {tube.data(), width, height, width}, traces, logical, focus, phosphor, -1.0);
    return frame;
}

int red(std::uint32_t pixel) {
    return static_cast<int>((pixel >> 16) & 0xffU);
}

int brightness(std::uint32_t pixel) {
    return red(pixel) + static_cast<int>((pixel >> 8) & 0xffU) + static_cast<int>(pixel & 0xffU);
}

/// The beam's core: its centre pixels are drawn in the exact trace colour (full red), while the
/// tube with the halo added stays well below.
bool isTrace(std::uint32_t pixel) {
    return red(pixel) > 200;
}

/// Pixel rows of one column that show the trace.
int traceRowCount(const Frame &frame, int column, QList<int> *rows = nullptr) {
    int count = 0;
    for (int row = 0; row < frame.height; ++row) {
        if (isTrace(frame.at(column, row))) {
            ++count;
            if (rows != nullptr)
                rows->append(row);
        }
    }
    return count;
}

/// Whether the trace shows within two pixels of a point.
bool traceNear(const Frame &frame, double x, double y) {
    for (int row = static_cast<int>(y) - 2; row <= static_cast<int>(y) + 2; ++row) {
        for (int column = static_cast<int>(x) - 2; column <= static_cast<int>(x) + 2; ++column) {
            if (column >= 0 && row >= 0 && column < frame.width && row < frame.height &&
                isTrace(frame.at(column, row)))
                return true;
        }
    }
    return false;
}

/// The pixel row of a Y level with the screen's eight divisions of 2.5 units.
double rowOfLevel(double level) {
    const double division = kHeight / 8.0;
    return kHeight / 2.0 - level / 2.5 * division;
}

/// A time-based trace across the whole screen (X -300..300, Y -10..10) at a constant level.
beam::Trace levelTrace(const Points &points, bool thick, std::uint32_t colour = kRed) {
    return beam::Trace{&points, -300.0, 300.0, -10.0, 10.0, thick, colour};
}

Points levelPoints(double level) {
    Points points(kSamples);
    for (int i = 0; i < kSamples; ++i)
        points[static_cast<std::size_t>(i)] = {-300.0 + i, level};
    return points;
}

/// The trace colour of intensity step v, as the intensity dialog sets it.
std::uint32_t intensityColour(int v) {
    return 0xff000000U |
           static_cast<std::uint32_t>((45 - 4 * v) << 16 | (165 + 9 * v) << 8 | (145 + 11 * v));
}

/// Light added by a level trace at `offset` rows from its core, summed over a division's
/// columns, against the bare tube.
int glowAt(const Frame &lit, double level, int offset) {
    const int row = static_cast<int>(rowOfLevel(level)) + offset;
    int sum = 0;
    for (int column = kWidth / 10 + 3; column < kWidth / 5 - 3; ++column)
        sum += brightness(lit.at(column, row)) - brightness(kTube);
    return sum;
}

/// Rows beyond the core, on one side, over which a level trace visibly lights the tube.
int glowReach(const Frame &frame, double level) {
    int rows = 0;
    while (rows < 80 && glowAt(frame, level, rows + 1) > 100)
        ++rows;
    return rows;
}

} // namespace

class TestBeam : public QObject {
    Q_OBJECT
private slots:
    void traceLiesOnItsLevelOnly_data();
    void traceLiesOnItsLevelOnly();
    void coreWidensWithStyleAndScale_data();
    void coreWidensWithStyleAndScale();
    void coreHasTheIntensityColourAndGlowsWithIt_data();
    void coreHasTheIntensityColourAndGlowsWithIt();
    void haloWidensWithTheFocusDistance_data();
    void haloWidensWithTheFocusDistance();
    void segmentsLeavingTheScreenAreCutAtItsEdge_data();
    void segmentsLeavingTheScreenAreCutAtItsEdge();
};

void TestBeam::traceLiesOnItsLevelOnly_data() {
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("thick");
    QTest::newRow("+2.5 thin") << 2.5 << kThin;
    QTest::newRow("-2.5 thin") << -2.5 << kThin;
    QTest::newRow("+2.5 thick") << 2.5 << kThick;
    QTest::newRow("-2.5 thick") << -2.5 << kThick;
}

void TestBeam::traceLiesOnItsLevelOnly() {
    QFETCH(double, level);
    QFETCH(bool, thick);
    const Points points = levelPoints(level);
    const Frame frame = draw({levelTrace(points, thick)});

    // The last sample lies one X unit short of the right border.
    const double expected = rowOfLevel(level);
    for (int column = 0; column < kWidth * (kSamples - 1) / kSamples; ++column) {
        QList<int> rows;
        QVERIFY2(traceRowCount(frame, column, &rows) > 0,
                 qPrintable(QString("column %1 has no trace").arg(column)));
        for (const int row : rows)
            QVERIFY2(std::abs(row + 0.5 - expected) <= 2.5,
                     qPrintable(QString("column %1 lit at row %2").arg(column).arg(row)));
    }
}

void TestBeam::coreWidensWithStyleAndScale_data() {
    // The core's rows in the wider drawing are at least `factor` times those of the narrower,
    // less `slack`.
    QTest::addColumn<bool>("narrowThick");
    QTest::addColumn<bool>("wideThick");
    QTest::addColumn<double>("wideScale");
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("slack");
    QTest::newRow("thick over thin") << kThin << kThick << 1.0 << 1 << -1;
    QTest::newRow("thick at twice the panel scale") << kThick << kThick << 2.0 << 2 << 1;
}

void TestBeam::coreWidensWithStyleAndScale() {
    QFETCH(bool, narrowThick);
    QFETCH(bool, wideThick);
    QFETCH(double, wideScale);
    QFETCH(int, factor);
    QFETCH(int, slack);
    const Points points = levelPoints(3.75);
    const int size = static_cast<int>(wideScale);
    const Frame narrow = draw({levelTrace(points, narrowThick)});
    const Frame wide =
        draw({levelTrace(points, wideThick)}, 0.0, wideScale, size * kWidth, size * kHeight);
    const int narrowRows = traceRowCount(narrow, narrow.width / 7);
    const int wideRows = traceRowCount(wide, wide.width / 7);
    QVERIFY2(wideRows >= factor * narrowRows - slack,
             qPrintable(QString("%1 rows against %2").arg(wideRows).arg(narrowRows)));
}

void TestBeam::coreHasTheIntensityColourAndGlowsWithIt_data() {
    QTest::addColumn<bool>("thick");
    QTest::newRow("thin") << kThin;
    QTest::newRow("thick") << kThick;
}

void TestBeam::coreHasTheIntensityColourAndGlowsWithIt() {
    QFETCH(bool, thick);
    const double level = 3.75; // between grid lines
    const Points points = levelPoints(level);
    int previousGlow = 0;
    for (int v = 0; v <= 10; ++v) {
        const Frame frame = draw({levelTrace(points, thick, intensityColour(v))});
        const std::uint32_t core = frame.at(kWidth / 7, static_cast<int>(rowOfLevel(level)));
        QCOMPARE(core & 0xffffffU, intensityColour(v) & 0xffffffU);
        // The halo a few rows off the core grows with the intensity.
        const int glow = glowAt(frame, level, 4) + glowAt(frame, level, -4);
        QVERIFY2(glow > previousGlow, qPrintable(QString("intensity %1 glows %2, the step below %3")
                                                     .arg(v)
                                                     .arg(glow)
                                                     .arg(previousGlow)));
        previousGlow = glow;
    }
}

void TestBeam::haloWidensWithTheFocusDistance_data() {
    // Steps of (thick, focus distance), each reaching farther than the one before.
    QTest::addColumn<QList<bool>>("thick");
    QTest::addColumn<QList<double>>("distances");
    // The knob's positions 0, 2, ... 10 on either side; thick from 4 on.
    QTest::newRow("thin") << QList<bool>{kThin, kThin} << QList<double>{0.0, 0.2};
    QTest::newRow("thick") << QList<bool>(4, kThick) << QList<double>{0.4, 0.6, 0.8, 1.0};
    QTest::newRow("thin, all the way")
        << QList<bool>(6, kThin) << QList<double>{0.0, 0.2, 0.4, 0.6, 0.8, 1.0};
    // A thick beam is at least as blurred as the knob's first thick position.
    QTest::newRow("thick in focus over thin")
        << QList<bool>{kThin, kThick} << QList<double>{0.0, 0.0};
}

void TestBeam::haloWidensWithTheFocusDistance() {
    QFETCH(QList<bool>, thick);
    QFETCH(QList<double>, distances);
    const double level = 3.75; // between grid lines
    const Points points = levelPoints(level);
    int previous = -1;
    for (qsizetype i = 0; i < distances.size(); ++i) {
        const Frame frame = draw({levelTrace(points, thick[i], intensityColour(5))}, distances[i]);
        const std::uint32_t core = frame.at(kWidth / 7, static_cast<int>(rowOfLevel(level)));
        QCOMPARE(core & 0xffffffU, intensityColour(5) & 0xffffffU);
        const int reach = glowReach(frame, level);
        QVERIFY2(reach > previous,
                 qPrintable(QString("focus %1 reaches %2 rows, the step before %3")
                                .arg(distances[i])
                                .arg(reach)
                                .arg(previous)));
        previous = reach;
    }
}

void TestBeam::segmentsLeavingTheScreenAreCutAtItsEdge_data() {
    // Points in X-Y units (X -12.5..12.5, Y -10..10); where the trace must and must not show.
    QTest::addColumn<QList<QPointF>>("curve");
    QTest::addColumn<QList<QPointF>>("lit");
    QTest::addColumn<QList<QPointF>>("dark");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("from inside to far above")
        << QList<QPointF>{{0, 0}, {0, 1e9}} << QList<QPointF>{{0, 5}, {0, 9.5}}
        << QList<QPointF>{{0, -5}};
    QTest::newRow("both ends far outside")
        << QList<QPointF>{{-1e9, 5}, {1e9, 5}} << QList<QPointF>{{-12, 5}, {0, 5}, {12, 5}}
        << QList<QPointF>{{0, 0}};
    QTest::newRow("diagonal through the screen")
        << QList<QPointF>{{-25, -20}, {25, 20}} << QList<QPointF>{{0, 0}, {6.25, 5}, {-10, -8}}
        << QList<QPointF>{{6.25, -5}};
    QTest::newRow("non-finite sample breaks the line")
        << QList<QPointF>{{-10, -5}, {-5, -5}, {nan, 0}, {5, 5}, {10, 5}}
        << QList<QPointF>{{-7.5, -5}, {7.5, 5}} << QList<QPointF>{{0, 0}, {-2.5, -2.5}, {2.5, 2.5}};
}

void TestBeam::segmentsLeavingTheScreenAreCutAtItsEdge() {
    QFETCH(QList<QPointF>, curve);
    QFETCH(QList<QPointF>, lit);
    QFETCH(QList<QPointF>, dark);
    Points points;
    for (const QPointF &p : curve)
        points.push_back({p.x(), p.y()});
    const Frame frame = draw({beam::Trace{&points, -12.5, 12.5, -10.0, 10.0, kThin, kRed}});
    const auto shows = [&](QPointF p) {
        return traceNear(frame, (p.x() + 12.5) / 25.0 * kWidth, (10.0 - p.y()) / 20.0 * kHeight);
    };
    for (const QPointF &p : lit)
        QVERIFY2(shows(p), qPrintable(QString("dark at %1,%2").arg(p.x()).arg(p.y())));
    for (const QPointF &p : dark)
        QVERIFY2(!shows(p), qPrintable(QString("lit at %1,%2").arg(p.x()).arg(p.y())));
}

QTEST_APPLESS_MAIN(TestBeam)
#include "test_beam.moc"
