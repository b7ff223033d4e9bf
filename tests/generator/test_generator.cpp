// The function generators driven as a user drives them: clicks on the generator's front panel,
// the range and waveform buttons and the knobs of its dialogs; then the output buffers, the
// frequencies, the indicators and the pop-ups are checked.

#include "app/callbacks.h"
#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "ui/uir_constants.h"

#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct RangeButton {
    int button; ///< toggle of GER_ESC
    int label;  ///< its indicator on GERADOR
};

// Left to right by factor: 1, 10, 100, 1K, 10K, 100K, 1M.
constexpr std::array<RangeButton, 7> kRangeButtons{{
    {GER_ESC_range1, GERADOR_ESC_TEXT_7},
    {GER_ESC_range10, GERADOR_ESC_TEXT_6},
    {GER_ESC_range100, GERADOR_ESC_TEXT_5},
    {GER_ESC_range1k, GERADOR_ESC_TEXT_4},
    {GER_ESC_range10k, GERADOR_ESC_TEXT_3},
    {GER_ESC_range100k, GERADOR_ESC_TEXT_2},
    {GER_ESC_range1m, GERADOR_ESC_TEXT_1},
}};

struct WaveButton {
    int button; ///< toggle of GER_ONDA
    int icon;   ///< its indicator on GERADOR
};

// By tipo_onda: square, triangle, sine.
constexpr std::array<WaveButton, 3> kWaveButtons{{
    {GER_ONDA_QUAD, GERADOR_ONDA_TEXT_1},
    {GER_ONDA_TRIA, GERADOR_ONDA_TEXT_2},
    {GER_ONDA_SINU, GERADOR_ONDA_TEXT_3},
}};

int attribute(int panel, int control, int which) {
    int value = -1;
    GetCtrlAttribute(panel, control, which, &value);
    return value;
}

double number(int panel, int control) {
    double value = -12345.0;
    GetCtrlVal(panel, control, &value);
    return value;
}

/// Sets a dialog knob and reports the change as the user's turn of the knob would.
void turn(int panel, int control, double value) {
    SetCtrlVal(panel, control, value);
    EngineSendEvent(panel, control, EVENT_VAL_CHANGED);
}

void press(int panel, int control) {
    EngineSendEvent(panel, control, EVENT_COMMIT);
}

void click(int control) {
    EngineSendEvent(Painel_Gerador, control, EVENT_LEFT_CLICK);
}

bool near(double actual, double expected, double tolerance = 1e-9) {
    return std::fabs(actual - expected) <= tolerance * std::max(1.0, std::fabs(expected));
}

} // namespace

class GeneratorTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void waveformSamples_data();
    void waveformSamples();
    void frequencyIsRangeTimesKnob_data();
    void frequencyIsRangeTimesKnob();
    void waveformButtonsActAsRadioGroup_data();
    void waveformButtonsActAsRadioGroup();
    void knobAtZeroGivesFlatOffset_data();
    void knobAtZeroGivesFlatOffset();
    void powerOffGivesSilenceButShowsFrequency();
    void ledFollowsOnlyThePowerSwitch();
    void openingShowsTheChannelsGenerator_data();
    void openingShowsTheChannelsGenerator();
    void picturesOpenTheirDialogs_data();
    void picturesOpenTheirDialogs();
    void rightClickOpensItsHelpPage_data();
    void rightClickOpensItsHelpPage();
    void closeButtonRemovesTheGeneratorPanel();
    void closeButtonActsOncePerClick_data();
    void closeButtonActsOncePerClick();
    void failedLoadLeavesStateUntouched();
};

void GeneratorTest::init() {
    EngineSetResourceDir(nullptr);
    EngineReset();
    Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
    QVERIFY2(Painel_Principal > 0, GetEngineErrorText());
    // A fresh run: the offsets keep their load-time value, start-up sets the rest.
    offset[0] = offset[1] = 0.0;
    QCOMPARE(iniciar_gerador(), 0);
    geradorID = 0;
    actual_ger();
    geradorID = 1;
    actual_ger();
}

void GeneratorTest::waveformSamples_data() {
    QTest::addColumn<int>("waveButton");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("dcOffset");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<double>("expected");

    // The square is high through sample 300 and low from 301: the edge of the half period.
    QTest::newRow("square high half") << GER_ONDA_QUAD << 2.0 << 1.0 << 0 << 300 << 3.0;
    QTest::newRow("square low half") << GER_ONDA_QUAD << 2.0 << 1.0 << 301 << 599 << -1.0;
    QTest::newRow("sine starts at offset") << GER_ONDA_SINU << 2.0 << 1.0 << 0 << 0 << 1.0;
    QTest::newRow("sine peak") << GER_ONDA_SINU << 2.0 << 1.0 << 150 << 150 << 3.0;
    QTest::newRow("sine trough") << GER_ONDA_SINU << 2.0 << 1.0 << 450 << 450 << -1.0;
    QTest::newRow("triangle rising") << GER_ONDA_TRIA << 4.0 << -0.5 << 75 << 75 << 1.5;
    QTest::newRow("triangle peak") << GER_ONDA_TRIA << 4.0 << -0.5 << 150 << 150 << 3.5;
}

void GeneratorTest::waveformSamples() {
    QFETCH(int, waveButton);
    QFETCH(double, amplitude);
    QFETCH(double, dcOffset);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(double, expected);

    ab_gerador(0);
    press(Painel_Ger_Onda, waveButton);
    turn(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, amplitude);
    turn(Painel_Ger_offset, OFFSET_roda_offset, dcOffset);

    for (int i = first; i <= last; ++i) {
        QVERIFY2(near(onda_G[0][i], expected),
                 qPrintable(QString("sample %1 is %2").arg(i).arg(onda_G[0][i])));
    }
    // The other generator keeps its 3 V sine.
    QVERIFY(near(onda_G[1][150], 3.0));
}

void GeneratorTest::frequencyIsRangeTimesKnob_data() {
    QTest::addColumn<int>("range");
    QTest::addColumn<double>("knob");
    QTest::addColumn<double>("expected");

    QTest::newRow("1 x 0.01") << 0 << 0.01 << 0.01;
    QTest::newRow("10 x 1.5") << 1 << 1.5 << 15.0;
    QTest::newRow("100 x 0.25") << 2 << 0.25 << 25.0;
    QTest::newRow("1K x 1.2") << 3 << 1.2 << 1200.0;
    QTest::newRow("10K x 0.5") << 4 << 0.5 << 5000.0;
    QTest::newRow("100K x 1.75") << 5 << 1.75 << 175000.0;
    QTest::newRow("1M x 2.0") << 6 << 2.0 << 2.0e6;
}

void GeneratorTest::frequencyIsRangeTimesKnob() {
    QFETCH(int, range);
    QFETCH(double, knob);
    QFETCH(double, expected);

    ab_gerador(1);
    turn(Painel_Ger_Freq, FREQ_roda_gerador, knob);
    press(Painel_Ger_Esc, kRangeButtons[range].button);
    QVERIFY(near(freq_G[1], expected));
    QVERIFY(near(number(Painel_Gerador, GERADOR_Freq_text), expected));
    QCOMPARE(freq_G[0], 100.0);

    // Pressing the chosen range again keeps it chosen: the group is rewritten from the state.
    press(Painel_Ger_Esc, kRangeButtons[range].button);
    for (int i = 0; i < static_cast<int>(kRangeButtons.size()); ++i) {
        const int chosen = i == range ? 1 : 0;
        QCOMPARE(static_cast<int>(number(Painel_Ger_Esc, kRangeButtons[i].button)), chosen);
        QCOMPARE(attribute(Painel_Gerador, kRangeButtons[i].label, ATTR_DIMMED), 1 - chosen);
    }
    QVERIFY(near(freq_G[1], expected));
}

void GeneratorTest::waveformButtonsActAsRadioGroup_data() {
    QTest::addColumn<int>("wave");
    QTest::newRow("square") << 0;
    QTest::newRow("triangle") << 1;
    QTest::newRow("sine") << 2;
}

void GeneratorTest::waveformButtonsActAsRadioGroup() {
    QFETCH(int, wave);

    ab_gerador(0);
    // From another waveform, then the same button twice.
    press(Painel_Ger_Onda, kWaveButtons[(wave + 1) % 3].button);
    press(Painel_Ger_Onda, kWaveButtons[wave].button);
    press(Painel_Ger_Onda, kWaveButtons[wave].button);
    QCOMPARE(tipo_onda[0], wave + 1);
    for (int i = 0; i < 3; ++i) {
        const int chosen = i == wave ? 1 : 0;
        QCOMPARE(static_cast<int>(number(Painel_Ger_Onda, kWaveButtons[i].button)), chosen);
        QCOMPARE(attribute(Painel_Gerador, kWaveButtons[i].icon, ATTR_DIMMED), 1 - chosen);
    }
    QCOMPARE(tipo_onda[1], 3);
}

void GeneratorTest::knobAtZeroGivesFlatOffset_data() {
    waveformButtonsActAsRadioGroup_data();
}

void GeneratorTest::knobAtZeroGivesFlatOffset() {
    QFETCH(int, wave);

    ab_gerador(1);
    press(Painel_Ger_Onda, kWaveButtons[wave].button);
    turn(Painel_Ger_offset, OFFSET_roda_offset, -2.5);
    turn(Painel_Ger_Freq, FREQ_roda_gerador, 0.0);
    QCOMPARE(freq_G[1], 0.0);
    for (double v : onda_G[1]) {
        QCOMPARE(v, -2.5);
    }
}

void GeneratorTest::powerOffGivesSilenceButShowsFrequency() {
    ab_gerador(0);
    press(Painel_Ger_Esc, GER_ESC_range1k);
    turn(Painel_Ger_Freq, FREQ_roda_gerador, 1.2);
    turn(Painel_Ger_offset, OFFSET_roda_offset, 2.0);

    click(GERADOR_PICTURE_2);
    QCOMPARE(ger_enable[0], 0);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_LED)), 0);
    QCOMPARE(freq_G[0], 0.0);
    for (double v : onda_G[0]) {
        QCOMPARE(v, 0.0);
    }
    QVERIFY(near(number(Painel_Gerador, GERADOR_Freq_text), 1200.0));

    // Changes while off are kept and show once the output is back on.
    press(Painel_Ger_Onda, GER_ONDA_QUAD);
    QCOMPARE(freq_G[0], 0.0);
    click(GERADOR_PICTURE_2);
    QCOMPARE(ger_enable[0], 1);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_LED)), 1);
    QVERIFY(near(freq_G[0], 1200.0));
    QVERIFY(near(onda_G[0][0], 4.0));
    QVERIFY(near(onda_G[0][599], 0.0));
}

void GeneratorTest::ledFollowsOnlyThePowerSwitch() {
    ab_gerador(0);
    click(GERADOR_PICTURE_2);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_LED)), 0);

    // Showing generator 2 (on) and rebuilding it leave the lamp as the switch set it.
    RemovePopup(0);
    ab_gerador(1);
    press(Painel_Ger_Esc, GER_ESC_range10);
    QCOMPARE(ger_enable[1], 1);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_LED)), 0);

    // The switch toggles the shown generator: generator 2 goes off, generator 1 stays off.
    click(GERADOR_PICTURE_2);
    QCOMPARE(ger_enable[1], 0);
    QCOMPARE(ger_enable[0], 0);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_LED)), 0);
}

void GeneratorTest::openingShowsTheChannelsGenerator_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("shownNumber");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("dcOffset");
    QTest::addColumn<double>("knob");

    // Generator 1 is set apart from its start values so that both differ in every knob.
    QTest::newRow("CH I") << 0 << 1 << 7.0 << 1.5 << 0.4;
    QTest::newRow("CH II") << 1 << 2 << 3.0 << 0.0 << 1.0;
}

void GeneratorTest::openingShowsTheChannelsGenerator() {
    QFETCH(int, channel);
    QFETCH(int, shownNumber);
    QFETCH(double, amplitude);
    QFETCH(double, dcOffset);
    QFETCH(double, knob);

    ab_gerador(0);
    turn(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, 7.0);
    turn(Painel_Ger_offset, OFFSET_roda_offset, 1.5);
    turn(Painel_Ger_Freq, FREQ_roda_gerador, 0.4);
    RemovePopup(0);

    ab_gerador(1 - channel);
    RemovePopup(0);
    ab_gerador(channel);
    QCOMPARE(EngineTopPopup(), Painel_Gerador);
    QCOMPARE(geradorID, channel);
    QCOMPARE(static_cast<int>(number(Painel_Gerador, GERADOR_GER_ID)), shownNumber);
    QCOMPARE(number(Painel_Ger_Ampl, AMPLIT_roda_gerador_2), amplitude);
    QCOMPARE(number(Painel_Ger_offset, OFFSET_roda_offset), dcOffset);
    QCOMPARE(number(Painel_Ger_Freq, FREQ_roda_gerador), knob);
    QVERIFY(near(number(Painel_Gerador, GERADOR_Freq_text), 100.0 * knob));
}

void GeneratorTest::picturesOpenTheirDialogs_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("dialog");

    QTest::newRow("RANGE") << GERADOR_ESCALA_F << GER_ESC;
    QTest::newRow("FREQUENCY") << GERADOR_PICTURE_3 << FREQ;
    QTest::newRow("AMPLITUDE") << GERADOR_PICTURE_4 << AMPLIT;
    QTest::newRow("FUNCTION") << GERADOR_PICTURE_5 << GER_ONDA;
    QTest::newRow("OFFSET") << GERADOR_PICTURE_6 << OFFSET;
}

void GeneratorTest::picturesOpenTheirDialogs() {
    QFETCH(int, picture);
    QFETCH(int, dialog);

    ab_gerador(0);
    // A right click opens help, not the dialog.
    EngineSendEvent(Painel_Gerador, picture, EVENT_RIGHT_CLICK);
    QCOMPARE(EngineTopPopup(), Painel_Ajuda);
    press(Painel_Ajuda, AJUDA_FECHA_AJU);
    QCOMPARE(EngineTopPopup(), Painel_Gerador);

    click(picture);
    QCOMPARE(EnginePopupDepth(), 2);
    int shown = 0;
    GetPanelAttribute(EngineTopPopup(), ATTR_PANEL_NUMBER, &shown);
    QCOMPARE(shown, dialog);
    QCOMPARE(ger_enable[0], 1);
}

// Every command of the generator's front carries its page of the generator book; asking for
// it changes nothing of either generator.
void GeneratorTest::rightClickOpensItsHelpPage_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("page");
    QTest::newRow("POWER") << GERADOR_PICTURE_2 << 1;
    QTest::newRow("Fechar") << GERADOR_fechar_btn << 1;
    QTest::newRow("ATT") << GERADOR_DECORATION_14 << 2;
    QTest::newRow("FUNCTION") << GERADOR_PICTURE_5 << 3;
    QTest::newRow("OUTPUT") << GERADOR_DECORATION_17 << 4;
    QTest::newRow("VCF") << GERADOR_DECORATION_16 << 5;
    QTest::newRow("SYNC") << GERADOR_DECORATION_15 << 6;
    QTest::newRow("OFFSET") << GERADOR_PICTURE_6 << 7;
    QTest::newRow("AMPLITUDE") << GERADOR_PICTURE_4 << 8;
    QTest::newRow("RAMP/PULSE") << GERADOR_DECORATION_13 << 9;
    QTest::newRow("RANGE") << GERADOR_ESCALA_F << 10;
    QTest::newRow("FREQUENCY") << GERADOR_PICTURE_3 << 11;
    QTest::newRow("INFO") << GERADOR_DECORATION_12 << 12;
}

void GeneratorTest::rightClickOpensItsHelpPage() {
    QFETCH(int, command);
    QFETCH(int, page);
    ab_gerador(1);
    const auto settings = [] {
        return std::vector<double>{double(ger_enable[0]),
                                   double(ger_enable[1]),
                                   double(tipo_onda[1]),
                                   double(botao_activo[1]),
                                   freq_G[1],
                                   amplit[1],
                                   offset[1],
                                   onda_G[1][123],
                                   number(Painel_Gerador, GERADOR_LED)};
    };
    const auto before = settings();
    EngineSendEvent(Painel_Gerador, command, EVENT_RIGHT_CLICK);
    QCOMPARE(EnginePopupDepth(), 2);
    QCOMPARE(EngineTopPopup(), Painel_Ajuda);
    QCOMPARE(int(number(Painel_Ajuda, AJUDA_OP_NUM)), page);
    press(Painel_Ajuda, AJUDA_FECHA_AJU);
    QCOMPARE(EngineTopPopup(), Painel_Gerador);
    QVERIFY(settings() == before);
}

void GeneratorTest::closeButtonRemovesTheGeneratorPanel() {
    ab_gerador(1);
    press(Painel_Gerador, GERADOR_fechar_btn);
    QCOMPARE(EnginePopupDepth(), 0);
    // Closing keeps the generator running.
    QCOMPARE(freq_G[1], 100.0);
}

void GeneratorTest::closeButtonActsOncePerClick_data() {
    QTest::addColumn<QList<int>>("events");
    QTest::newRow("left click") << QList<int>{EVENT_LEFT_CLICK};
    QTest::newRow("commit") << QList<int>{EVENT_COMMIT};
    QTest::newRow("left click then commit") << QList<int>{EVENT_LEFT_CLICK, EVENT_COMMIT};
    QTest::newRow("mouse") << QList<int>{};
}

void GeneratorTest::closeButtonActsOncePerClick() {
    QFETCH(QList<int>, events);

    // Another pop-up lies under the generator panel; closing the generator must spare it.
    const int below = LoadPanel(Painel_Principal, "opcoes.uir", LEVEL);
    QVERIFY(below > 0);
    InstallPopup(below);
    ab_gerador(0);
    QCOMPARE(EnginePopupDepth(), 2);

    if (events.isEmpty()) {
        QWidget *button = EngineControlWidget(Painel_Gerador, GERADOR_fechar_btn);
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    for (int event : events) {
        EngineSendEvent(Painel_Gerador, GERADOR_fechar_btn, event);
    }
    QCOMPARE(EnginePopupDepth(), 1);
    QCOMPARE(EngineTopPopup(), below);
    QCOMPARE(EnginePanelShown(Painel_Gerador), 0);
}

void GeneratorTest::failedLoadLeavesStateUntouched() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    EngineSetResourceDir(empty.path().toUtf8().constData());
    amplit[0] = 9.0;
    tipo_onda[1] = 1;
    ger_enable[0] = 0;
    QCOMPARE(iniciar_gerador(), -1);
    QCOMPARE(amplit[0], 9.0);
    QCOMPARE(tipo_onda[1], 1);
    QCOMPARE(ger_enable[0], 0);
}

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    RegisterInstrumentCallbacks();
    GeneratorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_generator.moc"
