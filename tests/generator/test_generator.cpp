// The function generators driven as a user drives them: clicks on the generator's front panel,
// the range and waveform buttons and the knobs of its dialogs; then the output buffers, the
// frequencies, the indicators and the pop-ups are checked.

#include "app/callbacks.h"
#include "app/state.h"
#include "controls/horizontal.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "sim/input_routing.h"
#include "sim/sampling.h"
#include "ui/uir_constants.h"

#include <QApplication>
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

/// Both channels fed by their generators at 1 kHz, DC coupled, routed and sampled once with
/// ".1 ms" per division, so that each trace spans exactly one period.
void sampleBothGenerators(int xy) {
    for (int g = 0; g < 2; ++g) {
        geradorID = g;
        botao_activo[g] = 1000;
        botao_freq[g] = 1.0;
        actual_ger();
        ChIN[g] = 1;
        entrada_op[g] = 0;
        Esc_Volt[g] = 2.5F;
    }
    modoxy = xy;
    xC1 = xC2 = 0.0;
    act_entr(0, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    calc_onda(0.8 * 1e-4);
}

/// The circular shift k (0..599) for which trace 1 sample i best matches trace 0 sample i + k.
int bestShift() {
    int best = 0;
    double bestError = 1e300;
    for (int k = 0; k < vantrel::kSamples; ++k) {
        double error = 0.0;
        for (int i = 0; i < vantrel::kSamples; ++i) {
            const double d = onda[1][i] - onda[0][(i + k) % vantrel::kSamples];
            error += d * d;
        }
        if (error < bestError) {
            bestError = error;
            best = k;
        }
    }
    return best;
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
    void phaseShiftsTheDualTraces_data();
    void phaseShiftsTheDualTraces();
    void lissajousOfTwoSines_data();
    void lissajousOfTwoSines();
    void rampAndPulseSamples_data();
    void rampAndPulseSamples();
    void attenuatorScalesTheWholeOutput_data();
    void attenuatorScalesTheWholeOutput();
    void syncIsATtlSquareInStep_data();
    void syncIsATtlSquareInStep();
    void typedFrequency_data();
    void typedFrequency();
    void openPanelLeavesTheScopeOperable();
    void shortScreenKeepsThePanelDetached_data();
    void shortScreenKeepsThePanelDetached();
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
    press(Painel_Gerador, GERADOR_fechar_btn);

    ab_gerador(1 - channel);
    ab_gerador(channel);
    // Shown beside the oscilloscope, not as a pop-up over it.
    QCOMPARE(EnginePanelShown(Painel_Gerador), 1);
    QCOMPARE(EnginePopupDepth(), 0);
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
    QTest::newRow("PHASE") << GERADOR_PICTURE_FASE << FASE;
    QTest::newRow("RAMP/PULSE") << GERADOR_DECORATION_13 << RAMPA;
    QTest::newRow("ATT") << GERADOR_DECORATION_14 << ATENUA;
}

void GeneratorTest::picturesOpenTheirDialogs() {
    QFETCH(int, picture);
    QFETCH(int, dialog);

    ab_gerador(0);
    // A right click opens help, not the dialog.
    EngineSendEvent(Painel_Gerador, picture, EVENT_RIGHT_CLICK);
    QCOMPARE(EngineTopPopup(), Painel_Ajuda);
    press(Painel_Ajuda, AJUDA_FECHA_AJU);
    QCOMPARE(EnginePopupDepth(), 0);

    click(picture);
    QCOMPARE(EnginePopupDepth(), 1);
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
    QTest::newRow("PHASE") << GERADOR_PICTURE_FASE << 13;
    QTest::newRow("typed frequency") << GERADOR_FREQ_DIGITADA << 14;
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
    QCOMPARE(EnginePopupDepth(), 1);
    QCOMPARE(EngineTopPopup(), Painel_Ajuda);
    QCOMPARE(int(number(Painel_Ajuda, AJUDA_OP_NUM)), page);
    press(Painel_Ajuda, AJUDA_FECHA_AJU);
    QCOMPARE(EnginePopupDepth(), 0);
    QVERIFY(settings() == before);
}

void GeneratorTest::closeButtonRemovesTheGeneratorPanel() {
    ab_gerador(1);
    press(Painel_Gerador, GERADOR_fechar_btn);
    QCOMPARE(EnginePanelShown(Painel_Gerador), 0);
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
    QCOMPARE(EnginePanelShown(Painel_Gerador), 1);

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

void GeneratorTest::phaseShiftsTheDualTraces_data() {
    QTest::addColumn<int>("waveButton");
    QTest::addColumn<double>("phase1");
    QTest::addColumn<double>("phase2");
    QTest::newRow("sine +90") << GER_ONDA_SINU << 0.0 << 90.0;
    QTest::newRow("sine -90") << GER_ONDA_SINU << 0.0 << -90.0;
    QTest::newRow("sine 1 degree") << GER_ONDA_SINU << 0.0 << 1.0;
    QTest::newRow("sine difference of two") << GER_ONDA_SINU << 30.0 << 75.0;
    QTest::newRow("triangle +180") << GER_ONDA_TRIA << 0.0 << 180.0;
    QTest::newRow("square +45") << GER_ONDA_QUAD << -20.0 << 25.0;
}

// With both generators at one frequency, DUAL shows CH II shifted by the difference of the two
// phases: 600 x phase / 360 display samples at one period per screen.
void GeneratorTest::phaseShiftsTheDualTraces() {
    QFETCH(int, waveButton);
    QFETCH(double, phase1);
    QFETCH(double, phase2);
    const std::array<double, 2> phases{phase1, phase2};
    for (int g = 0; g < 2; ++g) {
        ab_gerador(g);
        press(Painel_Ger_Onda, waveButton);
        turn(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, 2.0);
        turn(Painel_Ger_Fase, FASE_roda_fase, phases[g]);
    }
    sampleBothGenerators(0);
    const double expected = std::fmod(600.0 * (phase2 - phase1) / 360.0 + 600.0, 600.0);
    const double distance = std::fabs(bestShift() - expected);
    QVERIFY2(std::min(distance, 600.0 - distance) <= 1.0,
             qPrintable(QString("shift %1, expected %2").arg(bestShift()).arg(expected)));
}

void GeneratorTest::lissajousOfTwoSines_data() {
    QTest::addColumn<double>("amplitude2");
    QTest::addColumn<double>("phase2");
    QTest::newRow("90 degrees, equal amplitudes: circle") << 2.0 << 90.0;
    QTest::newRow("90 degrees, 3 V against 2 V: ellipse") << 3.0 << 90.0;
    QTest::newRow("-90 degrees: ellipse the other way round") << 3.0 << -90.0;
    QTest::newRow("0 degrees: rising line") << 3.0 << 0.0;
    QTest::newRow("180 degrees: falling line") << 2.0 << 180.0;
}

// X-Y of two 1 kHz sines: at +-90 degrees the figure is an ellipse on the axes whose axis ratio
// is the amplitude ratio (a circle for equal amplitudes); at 0 or 180 degrees a line.
void GeneratorTest::lissajousOfTwoSines() {
    QFETCH(double, amplitude2);
    QFETCH(double, phase2);
    ab_gerador(0);
    turn(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, 2.0);
    ab_gerador(1);
    turn(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, amplitude2);
    turn(Painel_Ger_Fase, FASE_roda_fase, phase2);
    sampleBothGenerators(1);

    double a = 0.0;
    double b = 0.0;
    for (int i = 0; i < vantrel::kSamples; ++i) {
        a = std::max(a, std::fabs(onda[0][i]));
        b = std::max(b, std::fabs(onda[1][i]));
    }
    QVERIFY(std::fabs(b / a - amplitude2 / 2.0) <= 1e-3 * amplitude2 / 2.0);
    const bool ellipse = std::fabs(phase2) == 90.0;
    const double slope = std::cos(phase2 * M_PI / 180.0) * b / a;
    for (int i = 0; i < vantrel::kSamples; ++i) {
        const double x = onda[0][i];
        const double y = onda[1][i];
        const double off = ellipse ? (x * x) / (a * a) + (y * y) / (b * b) - 1.0 : y - slope * x;
        QVERIFY2(std::fabs(off) < 1e-6, qPrintable(QString("point %1 off by %2").arg(i).arg(off)));
    }
}

void GeneratorTest::rampAndPulseSamples_data() {
    QTest::addColumn<int>("waveButton");
    QTest::addColumn<double>("share");
    QTest::addColumn<QList<int>>("samples");
    QTest::addColumn<QList<double>>("values");

    // Ramps of 2 V peak: 0 V rising at sample 0, the peak after half the rise, the trough half
    // a rise before the period's end.
    QTest::newRow("ramp 80 %") << GER_ONDA_TRIA << 80.0 << QList<int>{0, 120, 240, 300, 360, 480}
                               << QList<double>{0.0, 1.0, 2.0, 0.0, -2.0, -1.0};
    QTest::newRow("sawtooth 100 %") << GER_ONDA_TRIA << 100.0 << QList<int>{0, 150, 299, 300, 450}
                                    << QList<double>{0.0, 1.0, 2.0 - 4.0 / 600.0, -2.0, -1.0};
    QTest::newRow("falling sawtooth 0 %") << GER_ONDA_TRIA << 0.0 << QList<int>{0, 300, 599}
                                          << QList<double>{2.0, 0.0, -2.0 + 4.0 / 600.0};
    QTest::newRow("ramp 50 % is the triangle")
        << GER_ONDA_TRIA << 50.0 << QList<int>{0, 150, 450} << QList<double>{0.0, 2.0, -2.0};
    // Pulses: high through the duty cycle's last sample, low from the next.
    QTest::newRow("pulse 1 %") << GER_ONDA_QUAD << 1.0 << QList<int>{0, 5, 6, 599}
                               << QList<double>{2.0, 2.0, -2.0, -2.0};
    QTest::newRow("pulse 30 %") << GER_ONDA_QUAD << 30.0 << QList<int>{0, 179, 180, 599}
                                << QList<double>{2.0, 2.0, -2.0, -2.0};
    QTest::newRow("pulse 99 %") << GER_ONDA_QUAD << 99.0 << QList<int>{0, 593, 594, 599}
                                << QList<double>{2.0, 2.0, -2.0, -2.0};
}

void GeneratorTest::rampAndPulseSamples() {
    QFETCH(int, waveButton);
    QFETCH(double, share);
    QFETCH(QList<int>, samples);
    QFETCH(QList<double>, values);
    ab_gerador(0);
    press(Painel_Ger_Onda, waveButton);
    // The ramp's share and the pulse's duty cycle are separate knobs; the other one stays.
    turn(Painel_Ger_Rampa, waveButton == GER_ONDA_TRIA ? RAMPA_roda_rampa : RAMPA_roda_ciclo,
         share);
    for (int k = 0; k < samples.size(); ++k) {
        QVERIFY2(near(onda_G[0][samples[k]], values[k], 1e-12),
                 qPrintable(QString("sample %1 is %2").arg(samples[k]).arg(onda_G[0][samples[k]])));
    }
    if (waveButton == GER_ONDA_QUAD) {
        // A pulse spends exactly its share of the 600 samples high.
        const auto high = std::count(std::begin(onda_G[0]), std::end(onda_G[0]), 2.0);
        QCOMPARE(static_cast<double>(high), 6.0 * share);
    }
    // The sine ignores both knobs.
    press(Painel_Ger_Onda, GER_ONDA_SINU);
    QVERIFY(near(onda_G[0][150], 2.0));
}

void GeneratorTest::attenuatorScalesTheWholeOutput_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("gain");
    QTest::newRow("-20 dB") << ATENUA_ATT_20 << 0.1;
    QTest::newRow("-40 dB") << ATENUA_ATT_40 << 0.01;
}

void GeneratorTest::attenuatorScalesTheWholeOutput() {
    QFETCH(int, key);
    QFETCH(double, gain);
    ab_gerador(1);
    press(Painel_Ger_Onda, GER_ONDA_TRIA);
    turn(Painel_Ger_offset, OFFSET_roda_offset, 1.3);
    std::vector<double> full(std::begin(onda_G[1]), std::end(onda_G[1]));
    press(Painel_Ger_Att, key);
    QCOMPARE(atenuacao_G[1], gain == 0.1 ? 20 : 40);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        QCOMPARE(onda_G[1][i], full[i] * gain);
    }
    // The keys act as one radio group, and 0 dB gives the whole output back.
    QCOMPARE(int(number(Painel_Ger_Att, key)), 1);
    press(Painel_Ger_Att, ATENUA_ATT_0);
    QCOMPARE(int(number(Painel_Ger_Att, key)), 0);
    QVERIFY(std::equal(full.begin(), full.end(), std::begin(onda_G[1])));
}

void GeneratorTest::syncIsATtlSquareInStep_data() {
    QTest::addColumn<double>("phase");
    QTest::addColumn<int>("power");
    QTest::newRow("phase 0") << 0.0 << 1;
    QTest::newRow("phase +90") << 90.0 << 1;
    QTest::newRow("phase -135") << -135.0 << 1;
    QTest::newRow("switched off") << 0.0 << 0;
}

// The SYNC output is 5 V while the generator's sine is positive and 0 V while it is negative,
// whatever its amplitude, offset and attenuator; the other channel takes it as its source.
void GeneratorTest::syncIsATtlSquareInStep() {
    QFETCH(double, phase);
    QFETCH(int, power);
    ab_gerador(0);
    turn(Painel_Ger_Fase, FASE_roda_fase, phase);
    press(Painel_Ger_Att, ATENUA_ATT_40);
    std::vector<double> sine(std::begin(onda_G[0]), std::end(onda_G[0]));
    turn(Painel_Ger_offset, OFFSET_roda_offset, -3.0);
    if (power == 0) {
        click(GERADOR_PICTURE_2);
    }
    for (int i = 0; i < vantrel::kSamples; ++i) {
        const double expected = power == 0 || sine[i] < -1e-9 ? 0.0 : 5.0;
        if (power == 0 || std::fabs(sine[i]) > 1e-9) {
            QCOMPARE(onda_sync[0][i], expected);
        } else {
            QVERIFY(onda_sync[0][i] == 0.0 || onda_sync[0][i] == 5.0);
        }
    }
    ChIN[1] = 6;
    act_entr(0, 0, EVENT_TIMER_TICK, nullptr, 0, 0);
    QVERIFY(std::equal(std::begin(onda_sync[0]), std::end(onda_sync[0]), onda_entCh[1]));
    QCOMPARE(freq[1], freq_G[0]);
    ChIN[1] = 0;
}

void GeneratorTest::typedFrequency_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("range"); // 0: refused
    QTest::addColumn<double>("dial");
    QTest::addColumn<bool>("rounded");

    QTest::newRow("2k") << "2k" << 1000 << 2.0 << false;
    QTest::newRow("2,5 kHz") << "2,5 kHz" << 10000 << 0.25 << false;
    QTest::newRow("150") << "150" << 100 << 1.5 << false;
    QTest::newRow("150 hz, spaces") << "  150 hz " << 100 << 1.5 << false;
    QTest::newRow("1.5MHz") << "1.5MHz" << 1000000 << 1.5 << false;
    QTest::newRow("2 MHz, the top") << "2 MHz" << 1000000 << 2.0 << false;
    QTest::newRow("500 mHz") << "500 mHz" << 1 << 0.5 << false;
    QTest::newRow("0,01, the bottom") << "0,01" << 1 << 0.01 << false;
    QTest::newRow("1234 between dial steps") << "1234" << 1000 << 1.23 << true;
    QTest::newRow("letters") << "abc" << 0 << 0.0 << false;
    QTest::newRow("number then letters") << "12x" << 0 << 0.0 << false;
    QTest::newRow("two separators") << "1,5.3" << 0 << 0.0 << false;
    QTest::newRow("negative") << "-5" << 0 << 0.0 << false;
    QTest::newRow("zero") << "0" << 0 << 0.0 << false;
    QTest::newRow("beyond 2 MHz") << "2.5 MHz" << 0 << 0.0 << false;
    QTest::newRow("empty") << "" << 0 << 0.0 << false;
}

void GeneratorTest::typedFrequency() {
    QFETCH(QString, text);
    QFETCH(int, range);
    QFETCH(double, dial);
    QFETCH(bool, rounded);
    ab_gerador(1);
    turn(Painel_Ger_Freq, FREQ_roda_gerador, 0.7);
    SetCtrlVal(Painel_Gerador, GERADOR_FREQ_DIGITADA, text.toUtf8().constData());
    press(Painel_Gerador, GERADOR_FREQ_DIGITADA);

    std::string message;
    GetCtrlVal(Painel_Gerador, GERADOR_TEXTMSG_AVISO, &message);
    if (range == 0) {
        QVERIFY(!message.empty());
        QCOMPARE(botao_activo[1], 100);
        QCOMPARE(botao_freq[1], 0.7);
        QVERIFY(near(freq_G[1], 70.0));
        return;
    }
    QCOMPARE(message.empty(), !rounded);
    QCOMPARE(botao_activo[1], range);
    QCOMPARE(botao_freq[1], dial);
    // The dial and the range keys show the typed value, and the formula gives it back.
    QCOMPARE(number(Painel_Ger_Freq, FREQ_roda_gerador), dial);
    QVERIFY(near(freq_G[1], range * dial));
    QCOMPARE(freq_G[0], 100.0);
}

// The generator panel stays open beside the oscilloscope: no modal window stands between the
// user and the front, a knob of the front opens its own dialog, and the generator keeps its
// settings when closed and opened again.
void GeneratorTest::openPanelLeavesTheScopeOperable() {
    ab_gerador(1);
    turn(Painel_Ger_Fase, FASE_roda_fase, 90.0);
    press(Painel_Ger_Att, ATENUA_ATT_20);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    Ligado = 1;
    EngineSendEvent(Painel_Principal, PANEL_TIMEDIV, EVENT_LEFT_CLICK);
    Ligado = 0;
    QCOMPARE(EngineTopPopup(), Painel_Time);
    QCOMPARE(EnginePanelShown(Painel_Gerador), 1);
    RemovePopup(1);

    press(Painel_Gerador, GERADOR_fechar_btn);
    ab_gerador(1);
    QCOMPARE(number(Painel_Ger_Fase, FASE_roda_fase), 90.0);
    QCOMPARE(int(number(Painel_Ger_Att, ATENUA_ATT_20)), 1);
    QCOMPARE(fase_G[1], 90.0);
    QCOMPARE(atenuacao_G[1], 20);
}

// The panel opens docked where the screen has room for both faces, else detached with its key
// offering "Acoplar"; on a short screen that key explains why the panel stays in its window.
void GeneratorTest::shortScreenKeepsThePanelDetached_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("docked");   // on opening
    QTest::addColumn<bool>("afterKey"); // docked after a press of Destacar/Acoplar
    QTest::addColumn<int>("messages");
    QTest::newRow("1200 px") << 1200 << true << false << 0;
    QTest::newRow("800 px") << 800 << false << false << 1;
}

void GeneratorTest::shortScreenKeepsThePanelDetached() {
    QFETCH(int, height);
    QFETCH(bool, docked);
    QFETCH(bool, afterKey);
    QFETCH(int, messages);
    EngineSetScreenArea(1280, height);
    DisplayPanel(Painel_Principal);
    // Docked or not, and the key's label, which must offer the other way.
    const auto state = [] {
        int acoplado = -1;
        GetPanelAttribute(Painel_Gerador, ATTR_DOCKED, &acoplado);
        std::string label;
        GetCtrlAttribute(Painel_Gerador, GERADOR_destacar_btn, ATTR_LABEL_TEXT, &label);
        return std::pair(acoplado != 0, label);
    };
    const auto expected = [](bool acoplado) {
        return std::pair(acoplado, std::string(acoplado ? "__Destacar" : "__Acoplar"));
    };
    ab_gerador(1);
    QCOMPARE(state(), expected(docked));
    const int before = EnginePopupCount();
    press(Painel_Gerador, GERADOR_destacar_btn);
    QCOMPARE(state(), expected(afterKey));
    QCOMPARE(EnginePopupCount() - before, messages);
    QCOMPARE(EnginePanelShown(Painel_Gerador), 1);
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
