// The signal read-out beside the screen: a source is routed into the channel's input buffer by
// the input timer, the quantity is chosen in the channel's ring, and the read-out timer's tick
// writes the value and its unit.

#include "app/callbacks.h"
#include "app/engine/engine.h"
#include "app/engine/engine_testing.h"
#include "app/state.h"
#include "generator/generator.h"
#include "ui/uir_constants.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <string>

namespace {

/// The controls of one channel's read-out.
struct Readout {
    int ring;
    int value;
    int unit;
};

constexpr Readout kReadouts[2] = {
    {PANEL_DADOS_CHI, PANEL_DAD_CHI, PANEL_GRD_NOME1},
    {PANEL_DADOS_CHII, PANEL_DAD_CHII, PANEL_GRD_NOME2},
};

constexpr int kSource2Vpp = 4;
constexpr int kSourceGenerator = 1;
constexpr int kSourceOff = 0;

/// One tick of the input timer, then one of the read-out timer.
void tick() {
    EngineTickTimer(Painel_Principal, PANEL_TIMER_3);
    EngineTickTimer(Painel_Principal, PANEL_TIMER_DADOS);
}

void choose(int channel, int quantity) {
    SetCtrlVal(Painel_Principal, kReadouts[channel].ring, quantity);
}

double shownValue(int channel) {
    double value = -12345.0;
    GetCtrlVal(Painel_Principal, kReadouts[channel].value, &value);
    return value;
}

std::string shownUnit(int channel) {
    std::string unit;
    GetCtrlVal(Painel_Principal, kReadouts[channel].unit, &unit);
    return unit;
}

int visible(int control) {
    int value = -1;
    GetCtrlAttribute(Painel_Principal, control, ATTR_VISIBLE, &value);
    return value;
}

} // namespace

class ReadoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void calibratorQuantities_data();
    void calibratorQuantities();
    void emptyItemHidesValueAndUnit_data();
    void emptyItemHidesValueAndUnit();
    void generatorSineWithOffset_data();
    void generatorSineWithOffset();
    void disconnectedInputKeepsFrequency_data();
    void disconnectedInputKeepsFrequency();
    void constantSignalHasInfinitePeriod();
};

void ReadoutTest::init() {
    EngineReset();
    Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
    QVERIFY2(Painel_Principal > 0, GetEngineErrorText());
    for (int c = 0; c < 2; ++c) {
        ChIN[c] = kSourceOff;
        freq[c] = 0.0;
        std::fill(std::begin(onda_entCh[c]), std::end(onda_entCh[c]), 0.0);
    }
}

void ReadoutTest::calibratorQuantities_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("unit");

    const char *names[] = {"CH I", "CH II"};
    for (int c = 0; c < 2; ++c) {
        const auto row = [&](const char *what) -> QTestData & {
            return QTest::addRow("%s %s", names[c], what);
        };
        row("frequency") << c << 1 << 1000.0 << "Hz";
        row("period") << c << 2 << 0.001 << "s";
        row("peak-to-peak") << c << 3 << 2.0 << "V";
        row("maximum") << c << 4 << 1.0 << "V";
        row("minimum") << c << 5 << -1.0 << "V";
        row("mean") << c << 6 << 0.0 << "V";
        row("rms") << c << 7 << 1.0 << "V";
    }
}

void ReadoutTest::calibratorQuantities() {
    QFETCH(int, channel);
    QFETCH(int, quantity);
    QFETCH(double, expected);
    QFETCH(QString, unit);

    // The other channel shows another quantity of nothing, so that the two cannot be mixed up.
    const int other = 1 - channel;
    ChIN[channel] = kSource2Vpp;
    choose(channel, quantity);
    choose(other, quantity == 4 ? 5 : 4);
    tick();

    QVERIFY(std::fabs(shownValue(channel) - expected) <= 1e-12);
    QCOMPARE(QString::fromStdString(shownUnit(channel)), unit);
    QCOMPARE(visible(kReadouts[channel].value), 1);
    QCOMPARE(visible(kReadouts[channel].unit), 1);
    QCOMPARE(shownValue(other), 0.0);
    QCOMPARE(shownUnit(other), std::string("V"));
}

void ReadoutTest::emptyItemHidesValueAndUnit_data() {
    QTest::addColumn<int>("channel");
    QTest::newRow("CH I") << 0;
    QTest::newRow("CH II") << 1;
}

void ReadoutTest::emptyItemHidesValueAndUnit() {
    QFETCH(int, channel);
    const Readout &r = kReadouts[channel];
    ChIN[channel] = kSource2Vpp;

    // Hidden from the first tick on, even though the panel stores a placeholder unit text.
    tick();
    QCOMPARE(visible(r.value), 0);
    QCOMPARE(visible(r.unit), 0);

    choose(channel, 1);
    tick();
    QCOMPARE(visible(r.value), 1);
    choose(channel, 0);
    tick();
    QCOMPARE(visible(r.value), 0);
    QCOMPARE(visible(r.unit), 0);
}

void ReadoutTest::generatorSineWithOffset_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("peak-to-peak") << 3 << 4.0 << 1e-9;
    QTest::newRow("maximum") << 4 << 3.0 << 1e-9;
    QTest::newRow("minimum") << 5 << -1.0 << 1e-9;
    QTest::newRow("mean") << 6 << 1.0 << 1e-9;
    QTest::newRow("rms") << 7 << std::sqrt(3.0) << 1e-9;
    QTest::newRow("frequency") << 1 << 100.0 << 0.0;
}

void ReadoutTest::generatorSineWithOffset() {
    QFETCH(int, quantity);
    QFETCH(double, expected);
    QFETCH(double, tolerance);

    // Generator 1 as start-up leaves it (a 2 V, 100 Hz sine), with +1 V of offset.
    QCOMPARE(iniciar_gerador(), 0);
    offset[0] = 1.0;
    geradorID = 0;
    actual_ger();
    ChIN[0] = kSourceGenerator;
    choose(0, quantity);
    tick();
    QVERIFY2(std::fabs(shownValue(0) - expected) <= tolerance,
             qPrintable(QString::number(shownValue(0), 'g', 17)));
    offset[0] = 0.0;
}

void ReadoutTest::disconnectedInputKeepsFrequency_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("expected");

    QTest::newRow("frequency") << 1 << 1000.0;
    QTest::newRow("period") << 2 << 0.001;
    QTest::newRow("peak-to-peak") << 3 << 0.0;
    QTest::newRow("rms") << 7 << 0.0;
}

void ReadoutTest::disconnectedInputKeepsFrequency() {
    QFETCH(int, quantity);
    QFETCH(double, expected);

    ChIN[1] = kSource2Vpp;
    choose(1, quantity);
    tick();
    ChIN[1] = kSourceOff;
    tick();
    QVERIFY(std::fabs(shownValue(1) - expected) <= 1e-12);
}

void ReadoutTest::constantSignalHasInfinitePeriod() {
    // A generator with its frequency knob at 0: a DC level of frequency 0.
    QCOMPARE(iniciar_gerador(), 0);
    botao_freq[1] = 0.0;
    geradorID = 1;
    actual_ger();
    ChIN[1] = kSourceGenerator;
    choose(1, 2);
    tick();
    QCOMPARE(shownValue(1), std::numeric_limits<double>::infinity());
    QCOMPARE(shownUnit(1), std::string("s"));
    QCOMPARE(visible(PANEL_DAD_CHII), 1);
}

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    RegisterInstrumentCallbacks();
    ReadoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_readout.moc"
