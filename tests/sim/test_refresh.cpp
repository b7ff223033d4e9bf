// The power switch, the refresh cycle's display modes and what the screen shows.

#include "controls/scale_tables.h"
#include "engine/engine_qt.h"
#include "engine/graph_widget.h"
#include "sim/autostart.h"
#include "sim/refresh.h"
#include "sim_fixture.h"

#include <QImage>
#include <QtTest>

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>

namespace {

constexpr std::array kTimeMarks{
    PANEL_TIMEDIV_1,  PANEL_TIMEDIV_2,  PANEL_TIMEDIV_3,  PANEL_TIMEDIV_4,  PANEL_TIMEDIV_5,
    PANEL_TIMEDIV_6,  PANEL_TIMEDIV_7,  PANEL_TIMEDIV_8,  PANEL_TIMEDIV_9,  PANEL_TIMEDIV_10,
    PANEL_TIMEDIV_11, PANEL_TIMEDIV_12, PANEL_TIMEDIV_13, PANEL_TIMEDIV_14, PANEL_TIMEDIV_15,
    PANEL_TIMEDIV_16, PANEL_TIMEDIV_17, PANEL_TIMEDIV_18,
};
constexpr std::array kVoltMarks{
    PANEL_VOLTDIV1_1,  PANEL_VOLTDIV1_2,  PANEL_VOLTDIV1_3,  PANEL_VOLTDIV1_4,  PANEL_VOLTDIV1_5,
    PANEL_VOLTDIV1_6,  PANEL_VOLTDIV1_7,  PANEL_VOLTDIV1_8,  PANEL_VOLTDIV1_9,  PANEL_VOLTDIV1_10,
    PANEL_VOLTDIV1_11, PANEL_VOLTDIV1_12, PANEL_VOLTDIV2_1,  PANEL_VOLTDIV2_2,  PANEL_VOLTDIV2_3,
    PANEL_VOLTDIV2_4,  PANEL_VOLTDIV2_5,  PANEL_VOLTDIV2_6,  PANEL_VOLTDIV2_7,  PANEL_VOLTDIV2_8,
    PANEL_VOLTDIV2_9,  PANEL_VOLTDIV2_10, PANEL_VOLTDIV2_11, PANEL_VOLTDIV2_12,
};

int clickPower(int event = EVENT_LEFT_CLICK) {
    return Power_btn(Painel_Principal, PANEL_POWERBUTTON, event, nullptr, 0, 0);
}

int refresh() {
    return Actualizar(Painel_Principal, PANEL_TIMER_P, EVENT_TIMER_TICK, nullptr, 0, 0);
}

int visible(int control) {
    return simtest::ctrlInt(Painel_Principal, control, ATTR_VISIBLE);
}

int plotCount() {
    return simtest::ctrlInt(Painel_Principal, PANEL_MOSTRAR, ATTR_PLOT_COUNT);
}

double refreshInterval() {
    double seconds = -1.0;
    GetCtrlAttribute(Painel_Principal, PANEL_TIMER_P, ATTR_INTERVAL, &seconds);
    return seconds;
}

/// Traces on the screen as bits: bit n - 1 for trace n.
int drawnTraces() {
    int mask = 0;
    for (int t = 0; t < 4; ++t) {
        mask |= plot_exist[t] == 1 ? 1 << t : 0;
    }
    return mask;
}

std::string text(int control) {
    std::string value;
    GetCtrlVal(Painel_Principal, control, &value);
    return value;
}

/// Both inputs "Cal 2Vpp" (+-1 V at 1 kHz), as the input timer leaves them.
void feedCalibrators() {
    for (int c = 0; c < 2; ++c) {
        simtest::fillSquare(c, -1.0, 1.0);
        freq[c] = 1000.0;
    }
}

void setChannelSwitch(int pressed) {
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, pressed);
}

QImage screen() {
    return EngineRenderGraph(Painel_Principal, PANEL_MOSTRAR, QSize(600, 400));
}

/// How much pixel (x, y) changed between two pictures.
int change(const QImage &before, const QImage &after, int x, int y) {
    const QRgb a = before.pixel(x, y);
    const QRgb b = after.pixel(x, y);
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

/// The row of column x that changed most.
int brightestChangeRow(const QImage &before, const QImage &after, int x) {
    int best = 0;
    int bestRow = -1;
    for (int y = 0; y < after.height(); ++y) {
        const int d = change(before, after, x, y);
        if (d > best) {
            best = d;
            bestRow = y;
        }
    }
    return bestRow;
}

/// The strongest change within +-2 rows of `row` in column x.
int changeNear(const QImage &before, const QImage &after, int x, int row) {
    int best = 0;
    for (int y = std::max(0, row - 2); y <= std::min(after.height() - 1, row + 2); ++y) {
        best = std::max(best, change(before, after, x, y));
    }
    return best;
}

/// Pixel row of a screen Y value on a picture `height` pixels high (Y runs -10 .. +10).
int rowOf(double y, int height) {
    return static_cast<int>(std::lround((10.0 - y) / 20.0 * height));
}

} // namespace

class TestRefresh : public QObject {
    Q_OBJECT
private slots:
    void init();

    void displayModeChoosesTraces_data();
    void displayModeChoosesTraces();
    void addTraceIsSampleSum();
    void normalWithoutTriggerPointHidesTriggeredTrace_data();
    void normalWithoutTriggerPointHidesTriggeredTrace();
    void xyIntervalIsOnePeriodOfChannelOne_data();
    void xyIntervalIsOnePeriodOfChannelOne();
    void readoutsFollowStepsEveryTick();
    void tracesUseFocusAndIntensity();

    void powerCycleClearsScreenAndMarks();
    void rightClickOnPowerDoesNotSwitch();
    void scaleStepShowsOneMark_data();
    void scaleStepShowsOneMark();

    void startPoweredOnSetsMode_data();
    void startPoweredOnSetsMode();

    void calibratorTraceLiesOnItsRows();
    void alternatingDualFrameShowsBothTraces();
};

void TestRefresh::init() {
    simtest::loadPanels();
    simtest::resetState();
    feedCalibrators();
}

void TestRefresh::displayModeChoosesTraces_data() {
    QTest::addColumn<int>("xy");
    QTest::addColumn<int>("dual");
    QTest::addColumn<int>("add");
    QTest::addColumn<int>("vert");
    QTest::addColumn<int>("chSwitch");
    QTest::addColumn<int>("chopBefore");
    QTest::addColumn<int>("traces"); // bit n - 1: trace n on the screen
    QTest::addColumn<double>("interval");
    QTest::addColumn<int>("triggerAfter");
    QTest::addColumn<int>("chopAfter");
    QTest::addColumn<double>("xMin");

    QTest::newRow("CH I") << 0 << 0 << 0 << 0 << 0 << 0 << 0b0001 << 0.1 << 1 << 0 << -300.0;
    QTest::newRow("CH II") << 0 << 0 << 0 << 0 << 1 << 0 << 0b0010 << 0.1 << 2 << 0 << -300.0;
    QTest::newRow("VERT. without DUAL")
        << 0 << 0 << 0 << 1 << 0 << 0 << 0b0001 << 0.1 << 1 << 0 << -300.0;
    QTest::newRow("ADD") << 0 << 0 << 1 << 0 << 0 << 0 << 0b0100 << 0.1 << 1 << 0 << -300.0;
    QTest::newRow("DUAL") << 0 << 1 << 0 << 0 << 1 << 0 << 0b0011 << 0.1 << 2 << 0 << -300.0;
    QTest::newRow("alternating, first tick CH II")
        << 0 << 1 << 0 << 1 << 0 << 0 << 0b0010 << 1e-05 << 1 << 1 << -300.0;
    QTest::newRow("alternating, CH I turn")
        << 0 << 1 << 0 << 1 << 0 << 1 << 0b0001 << 1e-05 << 2 << 2 << -300.0;
    QTest::newRow("alternating overrides the CH I/II switch")
        << 0 << 1 << 0 << 1 << 1 << 2 << 0b0010 << 1e-05 << 1 << 1 << -300.0;
    QTest::newRow("X-Y over DUAL")
        << 1 << 1 << 0 << 0 << 0 << 0 << 0b1000 << 0.001 << 1 << 0 << -12.5;
}

void TestRefresh::displayModeChoosesTraces() {
    QFETCH(int, xy);
    QFETCH(int, dual);
    QFETCH(int, add);
    QFETCH(int, vert);
    QFETCH(int, chSwitch);
    QFETCH(int, chopBefore);
    QFETCH(int, traces);
    QFETCH(double, interval);
    QFETCH(int, triggerAfter);
    QFETCH(int, chopAfter);
    QFETCH(double, xMin);

    clickPower();
    // A simultaneous DUAL screen first, so that every mode must erase what it does not draw.
    dual_op = 1;
    refresh();
    QCOMPARE(plotCount(), 2);
    // And the X range of an X-Y figure, so that every mode must set its own.
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_XAXIS, VAL_MANUAL, -12.5, 12.5);

    modoxy = xy;
    dual_op = dual;
    add_op = add;
    vert_op = vert;
    chop_ch = chopBefore;
    setChannelSwitch(chSwitch);
    QCOMPARE(refresh(), 0);

    QCOMPARE(drawnTraces(), traces);
    QCOMPARE(plotCount(), std::popcount(static_cast<unsigned>(traces)));
    QCOMPARE(refreshInterval(), interval);
    QCOMPARE(trigger_ch, triggerAfter);
    QCOMPARE(chop_ch, chopAfter);
    auto *graph = qobject_cast<GraphWidget *>(EngineControlWidget(Painel_Principal, PANEL_MOSTRAR));
    QVERIFY(graph != nullptr);
    QCOMPARE(graph->axisMin(0), xMin);
    QCOMPARE(graph->axisMax(0), -xMin);
}

void TestRefresh::addTraceIsSampleSum() {
    simtest::fillSquare(1, 3.0, 3.0); // a constant 3 V on CH II
    entrada_op[0] = entrada_op[1] = 0;
    clickPower();
    add_op = 1;
    refresh();
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(onda[2][i], onda[0][i] + onda[1][i]);
    }
    QCOMPARE(onda[2][0], 2.5 + 7.5);
}

void TestRefresh::normalWithoutTriggerPointHidesTriggeredTrace_data() {
    QTest::addColumn<int>("dual");
    QTest::addColumn<int>("add");
    QTest::addColumn<int>("chSwitch");
    QTest::addColumn<int>("triggerBefore"); // as the previous refresh left it
    QTest::addColumn<int>("traces");
    QTest::newRow("DUAL keeps CH II") << 1 << 0 << 0 << 1 << 0b0010;
    QTest::newRow("DUAL on CH II keeps CH I") << 1 << 0 << 1 << 2 << 0b0001;
    // The sampling runs before the switch is read: a new switch position acts one tick later.
    QTest::newRow("switch to CH II acts next tick") << 1 << 0 << 1 << 1 << 0b0010;
    QTest::newRow("ADD still drawn") << 0 << 1 << 0 << 1 << 0b0100;
    QTest::newRow("CH I alone: dark screen") << 0 << 0 << 0 << 1 << 0;
}

void TestRefresh::normalWithoutTriggerPointHidesTriggeredTrace() {
    QFETCH(int, dual);
    QFETCH(int, add);
    QFETCH(int, chSwitch);
    QFETCH(int, triggerBefore);
    QFETCH(int, traces);

    clickPower();
    dual_op = dual;
    add_op = add;
    setChannelSwitch(chSwitch);
    trigger_ch = triggerBefore;
    autot = 0;
    levelt = 1.5; // above the calibrator's +1 V
    refresh();
    QCOMPARE(drawnTraces(), traces);
    QCOMPARE(plotCount(), std::popcount(static_cast<unsigned>(traces)));
    QCOMPARE(trigger_ch, chSwitch + 1);
}

void TestRefresh::xyIntervalIsOnePeriodOfChannelOne_data() {
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("interval");
    QTest::newRow("1 kHz") << 1000.0 << 0.001;
    QTest::newRow("2 Hz") << 2.0 << 0.5;
    QTest::newRow("1 Hz") << 1.0 << 1.0;
    QTest::newRow("0.5 Hz") << 0.5 << 1.0;
    QTest::newRow("0 Hz") << 0.0 << 1.0;
}

void TestRefresh::xyIntervalIsOnePeriodOfChannelOne() {
    QFETCH(double, frequency);
    QFETCH(double, interval);
    clickPower();
    modoxy = 1;
    freq[0] = frequency;
    refresh();
    QCOMPARE(refreshInterval(), interval);
    QCOMPARE(drawnTraces(), 0b1000);
}

void TestRefresh::readoutsFollowStepsEveryTick() {
    clickPower();
    refresh();
    QCOMPARE(text(PANEL_TIME_INFO), std::string("20 ms"));
    QCOMPARE(text(PANEL_VOLT_INFO_1), std::string("1 V"));

    // A step changed elsewhere shows at the next tick, X-Y included.
    Esc_TempoID = 17;
    Esc_VoltID[0] = 0;
    Esc_VoltID[1] = 11;
    modoxy = 1;
    refresh();
    QCOMPARE(text(PANEL_TIME_INFO), std::string(".5 us"));
    QCOMPARE(text(PANEL_VOLT_INFO_1), std::string("20 V"));
    QCOMPARE(text(PANEL_VOLT_INFO_2), std::string("5 mV"));
}

void TestRefresh::tracesUseFocusAndIntensity() {
    Esc_TempoID = 10; // ".1 ms": one period, high half first
    clickPower();
    refresh();
    const QImage thin = screen();
    OPCAO_FOCUS = VAL_FAT_LINE;
    OPCAO_INTENS = MakeColor(255, 0, 0);
    refresh();
    const QImage thick = screen();

    // Column 100 lies on the high half of the trace (+2.5).
    const int row = rowOf(2.5, thick.height());
    const QRgb centre = thick.pixel(100, row);
    QVERIFY(qRed(centre) > 2 * qGreen(centre));
    int thinRows = 0;
    int thickRows = 0;
    for (int y = row - 6; y <= row + 6; ++y) {
        thinRows += qGreen(thin.pixel(100, y)) > 150 ? 1 : 0;
        thickRows += qRed(thick.pixel(100, y)) > 150 ? 1 : 0;
    }
    QVERIFY2(thickRows > thinRows, qPrintable(QString("%1 %2").arg(thickRows).arg(thinRows)));
}

void TestRefresh::powerCycleClearsScreenAndMarks() {
    Esc_TempoID = 17;
    Esc_VoltID[0] = 10;
    clickPower();
    QCOMPARE(Ligado, 1);
    QCOMPARE(simtest::ctrlInt(Painel_Principal, PANEL_TIMER_P, ATTR_ENABLED), 1);
    QCOMPARE(visible(PANEL_TIME_INFO), 1);
    QCOMPARE(visible(PANEL_TIMEDIV_18), 1);
    QCOMPARE(visible(PANEL_VOLTDIV1_11), 1);
    QCOMPARE(Esc_Tempo, 0.16F / 400000.0F);

    dual_op = 1;
    refresh();
    modoxy = 1;
    refresh();
    modoxy = 0;
    refresh();
    QCOMPARE(plotCount(), 2);

    clickPower();
    QCOMPARE(Ligado, 0);
    QCOMPARE(drawnTraces(), 0);
    QCOMPARE(plotCount(), 0);
    QCOMPARE(simtest::ctrlInt(Painel_Principal, PANEL_TIMER_P, ATTR_ENABLED), 0);
    for (int control :
         {PANEL_TIME_INFO, PANEL_VOLT_INFO_1, PANEL_XMAG_TEXT, PANEL_AC1, PANEL_DC2}) {
        QCOMPARE(visible(control), 0);
    }
    for (int mark : kTimeMarks) {
        QCOMPARE(visible(mark), 0);
    }
    for (int mark : kVoltMarks) {
        QCOMPARE(visible(mark), 0);
    }
    // The chosen steps come back at the next power-on.
    QCOMPARE(Esc_TempoID, 17);
    clickPower();
    QCOMPARE(visible(PANEL_TIMEDIV_18), 1);
    QCOMPARE(visible(PANEL_VOLTDIV1_11), 1);
}

void TestRefresh::rightClickOnPowerDoesNotSwitch() {
    QCOMPARE(clickPower(EVENT_RIGHT_CLICK), 0);
    QCOMPARE(Ligado, 0);
    QCOMPARE(simtest::ctrlInt(Painel_Principal, PANEL_TIMER_P, ATTR_ENABLED), 0);
    clickPower();
    QCOMPARE(clickPower(EVENT_RIGHT_CLICK), 0);
    QCOMPARE(Ligado, 1);
}

void TestRefresh::scaleStepShowsOneMark_data() {
    QTest::addColumn<bool>("time");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("mark");    // 0: none
    QTest::addColumn<float>("scale"); // Esc_Tempo or Esc_Volt[channel] afterwards

    // Before each row the time base is 0.016 and both vertical scales 2.5.
    QTest::newRow(".2 s") << true << 0 << 0 << PANEL_TIMEDIV_1 << 0.16F;
    QTest::newRow("20 ms") << true << 0 << 3 << PANEL_TIMEDIV_4 << 0.16F / 10.0F;
    QTest::newRow(".5 us, apart from the others")
        << true << 0 << 17 << PANEL_TIMEDIV_18 << 0.16F / 400000.0F;
    QTest::newRow("time off") << true << 0 << -1 << 0 << 0.016F;
    QTest::newRow("time past the end") << true << 0 << 18 << 0 << 0.016F;
    QTest::newRow("20 V CH I") << false << 0 << 0 << PANEL_VOLTDIV1_1 << 0.125F;
    QTest::newRow("10 mV CH I, swapped ids") << false << 0 << 10 << PANEL_VOLTDIV1_11 << 250.0F;
    QTest::newRow("5 mV CH I, swapped ids") << false << 0 << 11 << PANEL_VOLTDIV1_12 << 500.0F;
    QTest::newRow("5 mV CH II") << false << 1 << 11 << PANEL_VOLTDIV2_12 << 500.0F;
    QTest::newRow(".2 V CH II") << false << 1 << 6 << PANEL_VOLTDIV2_7 << 12.5F;
    QTest::newRow("CH II off") << false << 1 << -1 << 0 << 2.5F;
}

void TestRefresh::scaleStepShowsOneMark() {
    QFETCH(bool, time);
    QFETCH(int, channel);
    QFETCH(int, step);
    QFETCH(int, mark);
    QFETCH(float, scale);

    // Every mark on, so that hiding the others is seen.
    for (int m : kTimeMarks) {
        SetCtrlAttribute(Painel_Principal, m, ATTR_VISIBLE, 1);
    }
    for (int m : kVoltMarks) {
        SetCtrlAttribute(Painel_Principal, m, ATTR_VISIBLE, 1);
    }
    if (time) {
        act_timediv_sig(step);
        QCOMPARE(Esc_Tempo, scale);
    } else {
        act_voltdiv_sig(step, channel);
        QCOMPARE(Esc_Volt[channel], scale);
        QCOMPARE(Esc_Volt[1 - channel], 2.5F);
    }
    const auto &marks = time ? std::span<const int>(kTimeMarks) : std::span<const int>(kVoltMarks);
    for (int m : marks) {
        // Volt marks of the other channel are left alone.
        const bool otherChannel = !time && (m >= PANEL_VOLTDIV2_1) != (channel == 1);
        QCOMPARE(visible(m), otherChannel || m == mark ? 1 : 0);
    }
}

void TestRefresh::startPoweredOnSetsMode_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("on");
    QTest::addColumn<int>("switches"); // DUAL, ADD << 1, VERT. << 2, X-Y << 3
    QTest::addColumn<int>("traces");   // drawn by two refreshes together
    QTest::newRow("ch") << "ch" << 0 << 1 << 0b0000 << 0b0001;
    QTest::newRow("dual") << "dual" << 0 << 1 << 0b0001 << 0b0011;
    QTest::newRow("alt") << "alt" << 0 << 1 << 0b0101 << 0b0011;
    QTest::newRow("add") << "add" << 0 << 1 << 0b0010 << 0b0100;
    QTest::newRow("xy") << "xy" << 0 << 1 << 0b1000 << 0b1000;
    QTest::newRow("off") << "off" << 0 << 0 << 0b0000 << 0;
    QTest::newRow("unknown") << "chop" << -1 << 0 << 0b0000 << 0;
}

void TestRefresh::startPoweredOnSetsMode() {
    QFETCH(QString, mode);
    QFETCH(int, result);
    QFETCH(int, on);
    QFETCH(int, switches);
    QFETCH(int, traces);

    QCOMPARE(StartPoweredOn(mode.toLatin1().constData()), result);
    QCOMPARE(Ligado, on);
    QCOMPARE(dual_op | add_op << 1 | vert_op << 2 | modoxy << 3, switches);
    if (on == 0) {
        QCOMPARE(Esc_TempoID, 3);
        QCOMPARE(ChIN[0], 0);
        return;
    }
    // The channel-mode dialog shows the switches as set.
    for (auto [button, state] :
         {std::pair{PANEL_CANA_BUTTON_DUAL, dual_op}, std::pair{PANEL_CANA_BUTTON_ADD, add_op},
          std::pair{PANEL_CANA_BUTTON_VERT, vert_op}}) {
        int pressed = -1;
        GetCtrlVal(Painel_Canais, button, &pressed);
        QCOMPARE(pressed, state);
    }
    QCOMPARE(TimeStepLabel(Esc_TempoID), "1 ms");
    QCOMPARE(Esc_Tempo, 0.16F / 200.0F);
    // X-Y takes CH I from its generator for a Lissajous figure; the others show the calibrator.
    QCOMPARE(ChIN[0], modoxy == 1 ? 1 : 4);
    QCOMPARE(entrada_op[0], 0);
    int drawn = 0;
    for (int tick = 0; tick < 2; ++tick) {
        refresh();
        drawn |= drawnTraces();
    }
    QCOMPARE(drawn, traces);
}

void TestRefresh::calibratorTraceLiesOnItsRows() {
    entrada_op[0] = 0;
    Esc_TempoID = 10; // ".1 ms": one period on the screen, high half first
    clickPower();
    const QImage before = screen();
    refresh();
    const QImage after = screen();

    const int high = rowOf(2.5, after.height());
    const int low = rowOf(-2.5, after.height());
    QCOMPARE(high, after.height() * 3 / 8);
    // Away from the edges, each column's trace pixel is within a pixel of its level.
    for (int x = 20; x < 280; x += 10) {
        QVERIFY2(std::abs(brightestChangeRow(before, after, x) - high) <= 1,
                 qPrintable(QString("column %1").arg(x)));
    }
    for (int x = 320; x < 580; x += 10) {
        QVERIFY2(std::abs(brightestChangeRow(before, after, x) - low) <= 1,
                 qPrintable(QString("column %1").arg(x)));
    }
}

void TestRefresh::alternatingDualFrameShowsBothTraces() {
    // CH I: the calibrator at DC; CH II: grounded at -2 divisions.
    entrada_op[0] = 0;
    entrada_op[1] = 2;
    y_offset[1] = -5.0;
    Esc_TempoID = 10; // ".1 ms": one period of CH I, high half first
    dual_op = 1;
    vert_op = 1;
    clickPower();
    const QImage before = screen();
    refresh(); // CH II
    refresh(); // CH I
    QCOMPARE(plotCount(), 1);
    const QImage frame = screen();

    const int ch1High = rowOf(2.5, frame.height());
    const int ch2 = rowOf(-5.0, frame.height());
    for (int x : {50, 150, 250}) {
        QVERIFY2(changeNear(before, frame, x, ch1High) > 200, qPrintable(QString::number(x)));
        QVERIFY2(changeNear(before, frame, x, ch2) > 200, qPrintable(QString::number(x)));
    }
}

QTEST_MAIN(TestRefresh)
#include "test_refresh.moc"
