// The oscilloscope screen: its graticule, the ranges plots keep, what the phosphor keeps, how
// repaints coalesce. The drawing of the traces themselves is tested on its own (test_beam).

#include "engine/graph_widget.h"

#include <QImage>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 400;
constexpr int kSamples = 600;
constexpr int kRed = 0xff0000; // stands out from the green-grey graticule in the red channel
constexpr int kThin = 0;

/// The beam's core: its centre pixels are drawn in the exact plot colour (full red), while
/// the graticule (red below 70) with the halo added stays well below.
bool isTrace(QRgb pixel) {
    return qRed(pixel) > 200;
}

/// Whether the trace shows within two pixels of a point.
bool traceNear(const QImage &image, QPointF at) {
    const int cx = static_cast<int>(at.x());
    const int cy = static_cast<int>(at.y());
    for (int y = cy - 2; y <= cy + 2; ++y) {
        for (int x = cx - 2; x <= cx + 2; ++x) {
            if (image.valid(x, y) && isTrace(image.pixel(x, y)))
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

/// A time-based trace across the whole screen at a constant level.
int plotLevel(GraphWidget &graph, double level, int style = kThin, int colour = kRed) {
    std::array<double, kSamples> y{};
    y.fill(level);
    graph.setAxisRange(0, -300.0, 300.0);
    return graph.addWaveform(y.data(), kSamples, 1.0, 0.0, -300.0, 1.0, style, colour);
}

bool showsLevel(const QImage &image, double level) {
    return traceNear(image, QPointF(kWidth / 3.0, rowOfLevel(level)));
}

} // namespace

class TestGraphWidget : public QObject {
    Q_OBJECT
private slots:
    void traceOnAGraticuleLineStaysDistinguishable_data();
    void traceOnAGraticuleLineStaysDistinguishable();
    void afterglowKeepsAFadingTraceOnlyWhenOn_data();
    void afterglowKeepsAFadingTraceOnlyWhenOn();
    void graticuleHasTenByEightDivisionsWhateverTheRanges();
    void xyFigureKeepsTheRangeItWasPlottedWith();
    void deletedPlotShowsUntilTheNextPaint();
    void screenSettlesOnTheLivePlots();
    void manyChangesBetweenFramesGiveOneRepaint();
    void aSteadyPictureLetsItsBuffersGo();
    void alternatingTheSameTracesCostsNoRepaint();
    void retainedPlotsAreBoundedWhileHidden();
    void replottedPictureIsRetainedOnce();
    void unknownHandlesAndMissingDataAreRefused();
};

/// The trace colour of intensity step v, as the intensity dialog sets it.
int intensityColour(int v) {
    return (45 - 4 * v) << 16 | (165 + 9 * v) << 8 | (145 + 11 * v);
}

int brightness(QRgb pixel) {
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
}

/// Light added by a level trace at `offset` rows from its core, summed over a division's
/// columns (away from the centre line and its ticks), against the empty screen.
int glowAt(const QImage &lit, const QImage &empty, double level, int offset) {
    const int row = static_cast<int>(rowOfLevel(level)) + offset;
    int sum = 0;
    for (int column = kWidth / 10 + 3; column < kWidth / 5 - 3; ++column)
        sum += brightness(lit.pixel(column, row)) - brightness(empty.pixel(column, row));
    return sum;
}

void TestGraphWidget::traceOnAGraticuleLineStaysDistinguishable_data() {
    QTest::addColumn<double>("level");
    QTest::newRow("division line") << 5.0;
    QTest::newRow("centre line") << 0.0;
}

void TestGraphWidget::traceOnAGraticuleLineStaysDistinguishable() {
    QFETCH(double, level);
    const int dim = intensityColour(0);
    GraphWidget empty;
    GraphWidget graph;
    plotLevel(graph, level, kThin, dim);
    const QImage dark = empty.renderImage(QSize(kWidth, kHeight));
    const QImage image = graph.renderImage(QSize(kWidth, kHeight));
    const int row = static_cast<int>(rowOfLevel(level));
    const int column = kWidth * 3 / 20; // mid-division, off the ticks
    // The line lies on the grid line itself, drawn over it in its own colour...
    QCOMPARE(static_cast<int>(image.pixel(column, row) & 0xffffff), dim);
    QVERIFY(brightness(image.pixel(column, row)) > 1.8 * brightness(dark.pixel(column, row)));
    // ...and its halo lights the rows beside it, which the bare graticule leaves dark.
    QVERIFY(glowAt(image, dark, level, 2) > 0);
    QVERIFY(glowAt(image, dark, level, -2) > 0);
}

void TestGraphWidget::afterglowKeepsAFadingTraceOnlyWhenOn_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("off") << false;
    QTest::newRow("on") << true;
}

void TestGraphWidget::afterglowKeepsAFadingTraceOnlyWhenOn() {
    QFETCH(bool, on);
    const int colour = intensityColour(10);
    GraphWidget empty;
    const QImage dark = empty.renderImage(QSize(kWidth, kHeight));
    GraphWidget graph;
    graph.setAfterglow(on);
    graph.resize(kWidth, kHeight);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));

    plotLevel(graph, 2.5, kThin, colour);
    graph.repaint();
    // The trace moves away: the next repaint still shows it once (it was on the screen since
    // the last), the one after that only what the phosphor keeps of it.
    graph.deleteAllPlots();
    plotLevel(graph, -2.5, kThin, colour);
    graph.repaint();
    graph.repaint();
    const QPoint at(kWidth * 3 / 20, static_cast<int>(rowOfLevel(2.5)));
    const auto shown = [&] { return brightness(graph.lastFrame().pixel(at)); };
    const int tube = brightness(dark.pixel(at));
    QCOMPARE(graph.lastFrame().size(), dark.size());
    // A steady picture costs no repaints, once the afterglow has faded.
    const auto staysIdle = [&] {
        QTest::qWait(4 * GraphWidget::kFrameIntervalMs); // the frame the changes asked for
        const int before = graph.repaintCount();
        QTest::qWait(150);
        return graph.repaintCount() == before;
    };
    if (!on) {
        QCOMPARE(shown(), tube);
        QVERIFY(staysIdle());
        return;
    }
    const int first = shown();
    QVERIFY2(first > tube + 30 && first < brightness(static_cast<QRgb>(colour)) - 30,
             qPrintable(QString("%1 over a tube of %2").arg(first).arg(tube)));
    QTest::qWait(40);
    graph.repaint();
    QVERIFY2(shown() < first, qPrintable(QString("%1 after %2").arg(shown()).arg(first)));
    QTest::qWait(600);
    graph.repaint();
    QCOMPARE(shown(), tube);
    QVERIFY(staysIdle());
}

void TestGraphWidget::graticuleHasTenByEightDivisionsWhateverTheRanges() {
    GraphWidget graph;
    graph.setAxisRange(0, -12.5, 12.5);
    graph.setAxisRange(1, -3.0, 7.0);
    const QImage image = graph.renderImage(QSize(kWidth, kHeight));
    // Lines met along a row and a column through the middle of a division (off the ticks).
    const auto linesAlong = [&](bool row, int at) {
        QList<int> lines;
        for (int i = 0; i < (row ? kWidth : kHeight); ++i) {
            if (qGreen(row ? image.pixel(i, at) : image.pixel(at, i)) > 45)
                lines.append(i);
        }
        return lines;
    };
    const QList<int> columns = linesAlong(true, kHeight * 3 / 16);
    const QList<int> rows = linesAlong(false, kWidth / 4);
    QCOMPARE(columns.size(), 11);
    QCOMPARE(rows.size(), 9);
    for (int i = 0; i < columns.size(); ++i)
        QVERIFY(std::abs(columns[i] - i * kWidth / 10.0) <= 1.0);
    for (int j = 0; j < rows.size(); ++j)
        QVERIFY(std::abs(rows[j] - j * kHeight / 8.0) <= 1.0);
}

void TestGraphWidget::xyFigureKeepsTheRangeItWasPlottedWith() {
    GraphWidget graph;
    graph.setAxisRange(0, -12.5, 12.5);
    const std::array<double, 2> x{6.25, 6.25};
    const std::array<double, 2> y{-5.0, 5.0};
    QVERIFY(graph.addXY(x.data(), y.data(), 2, kThin, kRed) > 0);
    plotLevel(graph, 7.5); // sets X to -300..300 for the time-based trace
    QCOMPARE(graph.axisMin(0), -300.0);

    const QImage image = graph.renderImage(QSize(kWidth, kHeight));
    const double xyColumn = kWidth / 2.0 + 6.25 / 12.5 * kWidth / 2.0;
    const double ytColumn = kWidth / 2.0 + 6.25 / 300.0 * kWidth / 2.0;
    QVERIFY(traceNear(image, QPointF(xyColumn, kHeight / 2.0)));
    QVERIFY(!traceNear(image, QPointF(ytColumn, kHeight / 2.0)));
    QVERIFY(traceNear(image, QPointF(kWidth / 8.0, rowOfLevel(7.5))));
}

void TestGraphWidget::deletedPlotShowsUntilTheNextPaint() {
    GraphWidget graph;
    graph.resize(kWidth, kHeight);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));

    const int gone = plotLevel(graph, 2.5);
    plotLevel(graph, -2.5);
    QVERIFY(graph.deletePlot(gone));
    QCOMPARE(graph.plotCount(), 1);
    QImage image = graph.renderImage(QSize(kWidth, kHeight));
    QVERIFY(showsLevel(image, 2.5));
    QVERIFY(showsLevel(image, -2.5));

    const int before = graph.repaintCount();
    graph.repaint();
    QCOMPARE(graph.repaintCount(), before + 1);
    image = graph.renderImage(QSize(kWidth, kHeight));
    QVERIFY(!showsLevel(image, 2.5));
    QVERIFY(showsLevel(image, -2.5));
}

// Whatever plots and deletes came before, with frames shown between some of them and the window
// repainting out of turn, the screen settles on a fresh render of the live plots alone: within
// two frame intervals, or as soon as a loaded machine delivers the frames.
void TestGraphWidget::screenSettlesOnTheLivePlots() {
    GraphWidget graph;
    graph.resize(kWidth, kHeight);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    std::mt19937 random(19);
    const auto pick = [&random](int count) { return static_cast<int>(random() % count); };
    std::vector<std::pair<int, double>> live; // handle and level, in plotting order
    for (int round = 0; round < 40; ++round) {
        for (int step = pick(6); step >= 0; --step) {
            const int action = pick(5);
            if (action <= 1 || (action == 2 && live.empty())) {
                const double level = -7.5 + 2.5 * pick(7);
                live.emplace_back(plotLevel(graph, level), level);
            } else if (action == 2) {
                const auto gone = live.begin() + pick(static_cast<int>(live.size()));
                QVERIFY(graph.deletePlot(gone->first));
                live.erase(gone);
            } else if (action == 3) {
                graph.repaint();
            } else {
                QTest::qWait(GraphWidget::kFrameIntervalMs);
            }
        }
        GraphWidget fresh;
        for (const auto &[handle, level] : live)
            plotLevel(fresh, level);
        const QImage expected = fresh.renderImage(QSize(kWidth, kHeight));
        QTest::qWait(2 * GraphWidget::kFrameIntervalMs);
        QTRY_VERIFY2(graph.lastFrame() == expected, qPrintable(QString("round %1").arg(round)));
    }
}

void TestGraphWidget::aSteadyPictureLetsItsBuffersGo() {
    GraphWidget graph;
    graph.resize(kWidth, kHeight);
    plotLevel(graph, 2.5);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QTRY_VERIFY(graph.repaintCount() > 0);
    const QImage shown = graph.lastFrame();
    QVERIFY(graph.heldBytes() >= shown.sizeInBytes());
    QTRY_COMPARE_WITH_TIMEOUT(graph.heldBytes(), qsizetype{0}, 10 * GraphWidget::kReleaseAfterMs);
    // Asked again, it draws the same picture.
    QCOMPARE(graph.lastFrame(), shown);
}

void TestGraphWidget::manyChangesBetweenFramesGiveOneRepaint() {
    GraphWidget graph;
    graph.resize(kWidth, kHeight);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QTest::qWait(50);

    const int before = graph.repaintCount();
    for (int i = 0; i < 100; ++i)
        QVERIFY(graph.deletePlot(plotLevel(graph, i % 2 == 0 ? 2.5 : -2.5)));
    QCOMPARE(graph.repaintCount(), before); // nothing paints synchronously
    QTest::qWait(50);
    QTRY_VERIFY(graph.repaintCount() > before); // a loaded machine may deliver the frame late
    const int repaints = graph.repaintCount() - before;
    QVERIFY2(repaints <= 3, qPrintable(QString::number(repaints)));
}

void TestGraphWidget::alternatingTheSameTracesCostsNoRepaint() {
    GraphWidget graph;
    graph.resize(kWidth, kHeight);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    // Alternating DUAL: one trace live, the other just deleted, swapping at every refresh.
    int live = plotLevel(graph, 2.5);
    QVERIFY(graph.deletePlot(live));
    live = plotLevel(graph, -2.5);
    QTRY_VERIFY(graph.repaintCount() > 0);
    QTest::qWait(3 * GraphWidget::kFrameIntervalMs);
    // Several refreshes per frame, as the program makes them; a loaded machine may still let a
    // frame pass without one, which shows the live trace alone for a frame.
    const int before = graph.repaintCount();
    for (int i = 0; i < 60; ++i) {
        QVERIFY(graph.deletePlot(live));
        live = plotLevel(graph, i % 2 == 0 ? 2.5 : -2.5);
        QTest::qWait(3);
    }
    QVERIFY2(graph.repaintCount() - before <= 3,
             qPrintable(QString::number(graph.repaintCount() - before)));

    // Back to one trace: the other one leaves the screen at the next frame.
    QVERIFY(graph.deletePlot(live));
    plotLevel(graph, 2.5);
    QTRY_VERIFY(!showsLevel(graph.grab().toImage(), -2.5));
    const QImage image = graph.grab().toImage();
    QVERIFY(showsLevel(image, 2.5));
    QVERIFY(!showsLevel(image, -2.5));
}

void TestGraphWidget::retainedPlotsAreBoundedWhileHidden() {
    GraphWidget graph; // never shown: it never paints
    constexpr int plots = 100;
    const auto level = [](int i) { return -9.0 + 18.0 * i / (plots - 1); };
    for (int i = 0; i < plots; ++i)
        QVERIFY(graph.deletePlot(plotLevel(graph, level(i))));
    QCOMPARE(graph.retainedCount(), GraphWidget::kMaxRetained);

    const QImage image = graph.renderImage(QSize(kWidth, kHeight));
    QVERIFY(showsLevel(image, level(plots - 1)));
    QVERIFY(!showsLevel(image, level(0)));
}

void TestGraphWidget::replottedPictureIsRetainedOnce() {
    GraphWidget graph;
    for (int i = 0; i < 20; ++i) {
        QVERIFY(graph.deletePlot(plotLevel(graph, 2.5)));
        QVERIFY(graph.deletePlot(plotLevel(graph, -2.5)));
    }
    QCOMPARE(graph.retainedCount(), 2);
    plotLevel(graph, 2.5); // the live plot shows the same picture
    QCOMPARE(graph.retainedCount(), 1);
    QVERIFY(showsLevel(graph.renderImage(QSize(kWidth, kHeight)), -2.5));
}

void TestGraphWidget::unknownHandlesAndMissingDataAreRefused() {
    GraphWidget graph;
    const int live = plotLevel(graph, 0.0);
    const int deleted = plotLevel(graph, 1.0);
    QVERIFY(graph.deletePlot(deleted));
    for (const int handle : {0, -1, live + 1000, deleted})
        QVERIFY2(!graph.deletePlot(handle), qPrintable(QString::number(handle)));

    const std::array<double, 3> v{1.0, 2.0, 3.0};
    QVERIFY(graph.addWaveform(nullptr, 3, 1.0, 0.0, 0.0, 1.0, kThin, kRed) < 0);
    QVERIFY(graph.addWaveform(v.data(), 0, 1.0, 0.0, 0.0, 1.0, kThin, kRed) < 0);
    QVERIFY(graph.addXY(v.data(), nullptr, 3, kThin, kRed) < 0);
    QCOMPARE(graph.plotCount(), 1);
}

QTEST_MAIN(TestGraphWidget)
#include "test_graph_widget.moc"
