// The signal read-out beside the screen: a source is routed into the channel's input buffer by
// the input timer, the quantity is chosen in the channel's ring, and the read-out timer's tick
// writes the value and its unit.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/control_widgets.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "ui/uir_constants.h"

#include <QComboBox>
#include <QFontMetrics>
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

/// The read-out's figure as the panel shows it.
QString shownFigure(int channel) {
    QCoreApplication::processEvents();
    const auto *view = qobject_cast<const NumericView *>(
        EngineControlWidget(Painel_Principal, kReadouts[channel].value));
    return view != nullptr ? view->text() : QString();
}

/// The figure and the unit, as they read side by side.
QString shownReadout(int channel) {
    return shownFigure(channel) + ' ' + QString::fromStdString(shownUnit(channel));
}

/// Whether the figure fits, unclipped, inside its numeric display, and the unit in its text.
bool readoutFits(int channel) {
    const QWidget *view = EngineControlWidget(Painel_Principal, kReadouts[channel].value);
    const QWidget *unit = EngineControlWidget(Painel_Principal, kReadouts[channel].unit);
    const int room = view->width() - 2 * NumericView::kTextMargin;
    return QFontMetrics(view->font()).horizontalAdvance(shownFigure(channel)) <= room &&
           QFontMetrics(unit->font())
                   .horizontalAdvance(QString::fromStdString(shownUnit(channel))) <= unit->width();
}

/// The sources of the read-out test table.
enum class Source { Calibrator, SineWithOffset, Disconnected, Constant, Fastest, Slowest };

void connectSource(int channel, Source source) {
    const int generator = channel;
    QCOMPARE(iniciar_gerador(), 0);
    geradorID = generator;
    switch (source) {
    case Source::Calibrator:
    case Source::Disconnected:
        ChIN[channel] = kSource2Vpp;
        break;
    case Source::SineWithOffset:
        amplit[generator] = 2.0;
        offset[generator] = 1.0;
        ChIN[channel] = kSourceGenerator;
        break;
    case Source::Constant:
        botao_freq[generator] = 0.0;
        offset[generator] = -2.5;
        ChIN[channel] = kSourceGenerator;
        break;
    case Source::Fastest:
        botao_activo[generator] = 1000000;
        botao_freq[generator] = 2.0;
        ChIN[channel] = kSourceGenerator;
        break;
    case Source::Slowest:
        botao_activo[generator] = 1;
        botao_freq[generator] = 0.01;
        amplit[generator] = 10.0;
        offset[generator] = -5.0;
        ChIN[channel] = kSourceGenerator;
        break;
    }
    actual_ger();
    tick();
    if (source == Source::Disconnected) {
        ChIN[channel] = kSourceOff;
        tick();
    }
    offset[generator] = 0.0;
}

int visible(int control) {
    int value = -1;
    GetCtrlAttribute(Painel_Principal, control, ATTR_VISIBLE, &value);
    return value;
}

} // namespace

Q_DECLARE_METATYPE(Source)

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
    void shownTextIsWholeAndFits_data();
    void shownTextIsWholeAndFits();
    void valuesReadWithAnSiPrefix_data();
    void valuesReadWithAnSiPrefix();
    void quantityNamesFitTheirRings_data();
    void quantityNamesFitTheirRings();
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
        row("frequency") << c << 1 << 1000.0 << "kHz";
        row("period") << c << 2 << 0.001 << "ms";
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

void ReadoutTest::shownTextIsWholeAndFits_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<Source>("source");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QString>("text");

    struct Row {
        const char *name;
        Source source;
        int quantity;
        const char *text;
    };
    const Row rows[] = {
        {"cal frequency", Source::Calibrator, 1, "1.000 kHz"},
        {"cal period", Source::Calibrator, 2, "1.000 ms"},
        {"cal peak-to-peak", Source::Calibrator, 3, "2.000 V"},
        {"cal minimum", Source::Calibrator, 5, "-1.000 V"},
        {"cal mean", Source::Calibrator, 6, "0 V"},
        {"sine period", Source::SineWithOffset, 2, "10.00 ms"},
        {"sine rms", Source::SineWithOffset, 7, "1.732 V"},
        {"off frequency", Source::Disconnected, 1, "1.000 kHz"},
        {"off peak-to-peak", Source::Disconnected, 3, "0 V"},
        {"0 Hz frequency", Source::Constant, 1, "0 Hz"},
        {"0 Hz period", Source::Constant, 2, "∞ s"},
        {"0 Hz mean", Source::Constant, 6, "-2.500 V"},
        {"2 MHz frequency", Source::Fastest, 1, "2.000 MHz"},
        {"2 MHz period", Source::Fastest, 2, "500.0 ns"},
        {"0.01 Hz frequency", Source::Slowest, 1, "10.00 mHz"},
        {"0.01 Hz period", Source::Slowest, 2, "100.0 s"},
        {"0.01 Hz minimum", Source::Slowest, 5, "-15.00 V"},
        {"0.01 Hz rms", Source::Slowest, 7, "8.660 V"},
    };
    for (int c = 0; c < 2; ++c) {
        for (const Row &row : rows) {
            QTest::addRow("%s %s", c == 0 ? "CH I" : "CH II", row.name)
                << c << row.source << row.quantity << QString::fromUtf8(row.text);
        }
    }
}

void ReadoutTest::shownTextIsWholeAndFits() {
    QFETCH(int, channel);
    QFETCH(Source, source);
    QFETCH(int, quantity);
    QFETCH(QString, text);

    choose(channel, quantity);
    connectSource(channel, source);
    QCOMPARE(shownReadout(channel), text);
    QVERIFY2(readoutFits(channel), qPrintable(text));
}

void ReadoutTest::valuesReadWithAnSiPrefix_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    // What a spreadsheet waveform can produce, beyond what the generators make: a constant
    // buffer of `value` volts for the voltages, `value` Hz for the frequency and the period.
    QTest::newRow("1 nV") << 4 << 1e-9 << "1.000 nV";
    QTest::newRow("-12.35 µV") << 5 << -1.23456e-5 << "-12.35 µV";
    QTest::newRow("999.9 µV") << 4 << 0.00099994 << "999.9 µV";
    QTest::newRow("rounds up to 1 mV") << 4 << 0.00099996 << "1.000 mV";
    QTest::newRow("-1.235 mV") << 6 << -0.00123456 << "-1.235 mV";
    QTest::newRow("1.414 V") << 4 << std::sqrt(2.0) << "1.414 V";
    QTest::newRow("rounds up to 10 V") << 4 << 9.99996 << "10.00 V";
    QTest::newRow("-123.5 kV") << 5 << -123456.7 << "-123.5 kV";
    QTest::newRow("below a picovolt") << 4 << -1.23456e-100 << "0 V";
    QTest::newRow("12.35 MHz") << 1 << 12345678.0 << "12.35 MHz";
    QTest::newRow("period of 10 MHz") << 2 << 1e7 << "100.0 ns";
    QTest::newRow("period of 1 Hz") << 2 << 1.0 << "1.000 s";
}

void ReadoutTest::valuesReadWithAnSiPrefix() {
    QFETCH(int, quantity);
    QFETCH(double, value);
    QFETCH(QString, text);

    for (int c = 0; c < 2; ++c) {
        std::fill(std::begin(onda_entCh[c]), std::end(onda_entCh[c]), value);
        freq[c] = value;
        choose(c, quantity);
        EngineTickTimer(Painel_Principal, PANEL_TIMER_DADOS);
        QCOMPARE(shownReadout(c), text);
        QVERIFY2(readoutFits(c), qPrintable(text));
        // The control keeps the value in base units; only the text is scaled.
        if (quantity == 4 || quantity == 1) {
            QCOMPARE(shownValue(c), value);
        }
    }
}

void ReadoutTest::quantityNamesFitTheirRings_data() {
    QTest::addColumn<int>("ring");
    QTest::newRow("CH I") << int(PANEL_DADOS_CHI);
    QTest::newRow("CH II") << int(PANEL_DADOS_CHII);
}

void ReadoutTest::quantityNamesFitTheirRings() {
    QFETCH(int, ring);
    auto *combo = qobject_cast<QComboBox *>(EngineControlWidget(Painel_Principal, ring));
    QVERIFY(combo != nullptr);
    // The combo box's own size hint makes room for its longest item, frame and arrow.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QVERIFY2(combo->sizeHint().width() <= combo->width(),
             qPrintable(QString::number(combo->sizeHint().width())));
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
