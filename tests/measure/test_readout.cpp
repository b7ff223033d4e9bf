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
QString shownText(int channel) {
    QCoreApplication::processEvents();
    const auto *view = qobject_cast<const NumericView *>(
        EngineControlWidget(Painel_Principal, kReadouts[channel].value));
    return view != nullptr ? view->text() : QString();
}

/// Whether `text` fits, unclipped, inside a numeric display.
bool fitsNumeric(int control, const QString &text) {
    const QWidget *view = EngineControlWidget(Painel_Principal, control);
    const int room = view->width() - 2 * NumericView::kTextMargin;
    return QFontMetrics(view->font()).horizontalAdvance(text) <= room;
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
    void extremeFiguresFit_data();
    void extremeFiguresFit();
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
        {"cal frequency", Source::Calibrator, 1, "1000"},
        {"cal period", Source::Calibrator, 2, "0.001"},
        {"cal peak-to-peak", Source::Calibrator, 3, "2"},
        {"cal maximum", Source::Calibrator, 4, "1"},
        {"cal minimum", Source::Calibrator, 5, "-1"},
        {"cal mean", Source::Calibrator, 6, "0"},
        {"cal rms", Source::Calibrator, 7, "1"},
        {"sine frequency", Source::SineWithOffset, 1, "100"},
        {"sine period", Source::SineWithOffset, 2, "0.01"},
        {"sine peak-to-peak", Source::SineWithOffset, 3, "4"},
        {"sine maximum", Source::SineWithOffset, 4, "3"},
        {"sine minimum", Source::SineWithOffset, 5, "-1"},
        {"sine mean", Source::SineWithOffset, 6, "1"},
        {"sine rms", Source::SineWithOffset, 7, "1.732"},
        {"off frequency", Source::Disconnected, 1, "1000"},
        {"off period", Source::Disconnected, 2, "0.001"},
        {"off peak-to-peak", Source::Disconnected, 3, "0"},
        {"off mean", Source::Disconnected, 6, "0"},
        {"off rms", Source::Disconnected, 7, "0"},
        {"0 Hz frequency", Source::Constant, 1, "0"},
        {"0 Hz period", Source::Constant, 2, "inf"},
        {"0 Hz peak-to-peak", Source::Constant, 3, "0"},
        {"0 Hz minimum", Source::Constant, 5, "-2.5"},
        {"0 Hz mean", Source::Constant, 6, "-2.5"},
        {"0 Hz rms", Source::Constant, 7, "2.5"},
        {"2 MHz frequency", Source::Fastest, 1, "2000000"},
        {"2 MHz period", Source::Fastest, 2, "5e-07"},
        {"2 MHz mean", Source::Fastest, 6, "0"},
        {"0.01 Hz frequency", Source::Slowest, 1, "0.01"},
        {"0.01 Hz period", Source::Slowest, 2, "100"},
        {"0.01 Hz minimum", Source::Slowest, 5, "-15"},
        {"0.01 Hz rms", Source::Slowest, 7, "8.66"},
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
    QCOMPARE(shownText(channel), text);
    QVERIFY2(fitsNumeric(kReadouts[channel].value, text), qPrintable(text));
    const QWidget *unit = EngineControlWidget(Painel_Principal, kReadouts[channel].unit);
    const QString unitText = QString::fromStdString(shownUnit(channel));
    QVERIFY(QFontMetrics(unit->font()).horizontalAdvance(unitText) <= unit->width());
}

void ReadoutTest::extremeFiguresFit_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    // What a measurement of a spreadsheet waveform can produce, beyond what the generators make.
    QTest::newRow("tiny negative") << -1.23456e-5 << "-1.235e-05";
    QTest::newRow("small negative") << -0.00123456 << "-0.001235";
    QTest::newRow("large negative") << -123456.7 << "-123500";
    QTest::newRow("huge") << 12345678.0 << "1.235e+07";
    QTest::newRow("rounds up a decade") << 9.99996 << "10";
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "-inf";
    QTest::newRow("tiny exponent") << -1.23456e-100 << "-1.235e-100";
}

void ReadoutTest::extremeFiguresFit() {
    QFETCH(double, value);
    QFETCH(QString, text);

    for (int c = 0; c < 2; ++c) {
        SetCtrlVal(Painel_Principal, kReadouts[c].value, value);
        QCOMPARE(shownText(c), text);
        QVERIFY2(fitsNumeric(kReadouts[c].value, text), qPrintable(text));
        // The control keeps the exact value; only the figure is rounded.
        QCOMPARE(shownValue(c), value);
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
