// The experiment board as a channel's source: what the routing copies, how often the circuit
// is solved, the board dialog's checks on typed values, and a low-pass filter followed from the
// source dialog to the read-out.

#include "app/callbacks.h"
#include "app/startup.h"
#include "app/state.h"
#include "board/board.h"
#include "controls/board_dialog.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "generator/generator.h"
#include "sim/autostart.h"
#include "ui/uir_constants.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace {

namespace circuit = vantrel::circuit;

constexpr int kFontePlaca = 5;

std::string text(int panel, int control) {
    std::string value;
    GetCtrlVal(panel, control, &value);
    return value;
}

long solves() {
    return vantrel::board::bancada().solveCount();
}

void route(int ticks = 1) {
    for (int t = 0; t < ticks; ++t) {
        EngineTickTimer(Painel_Principal, PANEL_TIMER_3);
    }
}

void setGenerator(int g, int range, double knob) {
    geradorID = g;
    botao_activo[g] = range;
    botao_freq[g] = knob;
    actual_ger();
}

// Connects `channel` to the board through its source dialog; returns the board dialog.
int chooseBoard(int channel) {
    EngineSendEvent(Painel_Principal, channel == 0 ? PANEL_PICTURE_18 : PANEL_PICTURE_19,
                    EVENT_LEFT_CLICK);
    const int sources = EngineTopPopup();
    SetCtrlVal(sources, ENTRADAS_ENTRADA, kFontePlaca);
    EngineSendEvent(sources, ENTRADAS_CONTINUAR, EVENT_COMMIT);
    return EngineTopPopup();
}

void type(int dialog, int field, const char *value) {
    SetCtrlVal(dialog, field, value);
    EngineSendEvent(dialog, field, EVENT_COMMIT);
}

double peakToPeak(const double *samples) {
    const auto [low, high] = std::minmax_element(samples, samples + vantrel::kSamples);
    return *high - *low;
}

} // namespace

class BoardTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        EngineReset();
        QVERIFY(LoadInstrumentPanels() == 0);
        inicializacoes();
        Ligado = 1;
    }

    void cleanup() { EngineReset(); }

    void entradaIsTheDrivingGeneratorsOwnBuffer() {
        setGenerator(1, 1000, 1.3);
        ChIN[0] = ChIN[1] = kFontePlaca;
        placa_ponto[0] = placa_ponto[1] = 0;
        for (int board = 0; board < vantrel::kPlacas; ++board) {
            for (int g = 0; g < 2; ++g) {
                placa_tipo = board;
                placa_gerador = g;
                route();
                for (int c = 0; c < 2; ++c) {
                    QVERIFY(std::equal(onda_G[g], onda_G[g] + vantrel::kSamples, onda_entCh[c]));
                    QCOMPARE(freq[c], freq_G[g]);
                }
            }
        }
    }

    void twoPointsShareOneSolvePerChange() {
        QCOMPARE(StartPoweredOn("dual"), 0);
        ChIN[0] = ChIN[1] = kFontePlaca;
        placa_tipo = circuit::kRlcSeries;
        placa_ponto[0] = 1;
        placa_ponto[1] = 2;
        const std::array<std::function<void()>, 5> changes{
            [] { placa_valores[circuit::kRlcSeries][2] = 47e-6; },
            [] { placa_valores[circuit::kRlcSeries][0] = 47.0; },
            [] { setGenerator(0, 1000, 1.2); },
            [] { placa_gerador = 1; },
            [] { placa_tipo = circuit::kRcLowPass; },
        };
        for (const auto &change : changes) {
            const long before = solves();
            change();
            route(5);
            EngineTickTimer(Painel_Principal, PANEL_TIMER_P);
            QCOMPARE(solves(), before + 1);
            for (int c = 0; c < 2; ++c) {
                const double *probe = vantrel::board::bancada().probe(placa_ponto[c]);
                QVERIFY(probe != nullptr);
                QVERIFY(std::equal(probe, probe + vantrel::kSamples, onda_entCh[c]));
            }
        }
    }

    void typedValuesAreCheckedBeforeTheyCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("kept");
        QTest::addColumn<QString>("message");
        QTest::newRow("resistor notation") << "4k7" << 4.7e3 << "";
        QTest::newRow("comma and unit") << "2,2 kΩ" << 2.2e3 << "";
        QTest::newRow("letters") << "abc" << 1.5e3 << "\"abc\" não é um valor";
        QTest::newRow("negative") << "-1k" << 1.5e3 << "não pode ser negativo";
        QTest::newRow("zero") << "0" << 1.5e3 << "não pode ser zero";
        QTest::newRow("huge") << "1e12" << 1.5e3 << "o máximo é 1 MΩ";
        QTest::newRow("below the range") << "1" << 1.5e3 << "o mínimo é 10 Ω";
        QTest::newRow("empty") << "" << 1.5e3 << "falta o valor";
    }
    void typedValuesAreCheckedBeforeTheyCount() {
        QFETCH(QString, typed);
        QFETCH(double, kept);
        QFETCH(QString, message);
        const int dialog = chooseBoard(1);
        QCOMPARE(dialog, Painel_Placa);
        const long before = solves();
        type(dialog, PLACA_VALOR_0, typed.toUtf8().constData());
        QCOMPARE(placa_valores[circuit::kRcLowPass][0], kept);
        QCOMPARE(text(dialog, PLACA_VALOR_0), vantrel::board::formatValue(kept, "Ω"));
        const QString shown = QString::fromStdString(text(dialog, PLACA_MENSAGEM));
        if (message.isEmpty()) {
            QVERIFY2(shown.isEmpty(), qPrintable(shown));
            QCOMPARE(solves(), before + 1);
        } else {
            QVERIFY2(shown.startsWith("R: ") && shown.contains(message) &&
                         shown.endsWith("Mantém-se 1,5 kΩ."),
                     qPrintable(shown));
            QCOMPARE(solves(), before);
        }
    }

    void rightClickOpensTheBoardHelpPage() {
        const int dialog = chooseBoard(0);
        for (const int control : {PLACA_PLACA, PLACA_ESQUEMA_1, PLACA_VALOR_0, PLACA_SAIR}) {
            EngineSendEvent(dialog, control, EVENT_RIGHT_CLICK);
            QCOMPARE(EngineTopPopup(), Painel_Ajuda);
            std::string title;
            GetCtrlAttribute(Painel_Ajuda, AJUDA_HELP_BOX, ATTR_LABEL_TEXT, &title);
            QCOMPARE(title, std::string("Ajuda: PLACA DE CIRCUITOS"));
            QVERIFY(text(Painel_Ajuda, AJUDA_HELP_BOX).find("Placa de circuitos") !=
                    std::string::npos);
            EngineSendEvent(Painel_Ajuda, AJUDA_FECHA_AJU, EVENT_COMMIT);
        }
        QCOMPARE(EngineTopPopup(), dialog);
    }

    void stepsWalkTheE12SeriesAndStopAtTheEnds() {
        const int dialog = chooseBoard(0);
        EngineSendEvent(dialog, PLACA_MAIS_0, EVENT_COMMIT);
        QCOMPARE(placa_valores[circuit::kRcLowPass][0], 1.8e3);
        EngineSendEvent(dialog, PLACA_MENOS_0, EVENT_COMMIT);
        EngineSendEvent(dialog, PLACA_MENOS_0, EVENT_COMMIT);
        QCOMPARE(placa_valores[circuit::kRcLowPass][0], 1.2e3);
        type(dialog, PLACA_VALOR_0, "1M");
        EngineSendEvent(dialog, PLACA_MAIS_0, EVENT_COMMIT);
        QCOMPARE(placa_valores[circuit::kRcLowPass][0], 1e6);
        QCOMPARE(text(dialog, PLACA_MENSAGEM), std::string("R: já está no máximo, 1 MΩ."));
    }

    void sairRestoresTheBoardAndTheChannelsSource() {
        ChIN[0] = 3;
        SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Cal 0.2Vpp");
        const int dialog = chooseBoard(0);
        QCOMPARE(ChIN[0], kFontePlaca);
        SetCtrlVal(dialog, PLACA_PLACA, static_cast<int>(circuit::kBridge));
        EngineSendEvent(dialog, PLACA_PLACA, EVENT_VAL_CHANGED);
        EngineSendEvent(dialog, PLACA_PRESENTE_1, EVENT_COMMIT);
        QCOMPARE(placa_presente[circuit::kBridge][1], 1);
        QCOMPARE(text(Painel_Principal, PANEL_STRING_CH1), std::string("Ponte: Entrada"));
        EngineSendEvent(dialog, PLACA_SAIR, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        QCOMPARE(ChIN[0], 3);
        QCOMPARE(text(Painel_Principal, PANEL_STRING_CH1), std::string("Cal 0.2Vpp"));
        QCOMPARE(placa_tipo, static_cast<int>(circuit::kRcLowPass));
        QCOMPARE(placa_presente[circuit::kBridge][1], 0);
    }

    // CH I on the input and CH II on VC of the RC low-pass, chosen as a student does; as
    // generator 1 rises through the corner 1 / (2 pi R C) the read-out of VC falls, and at the
    // corner it is 0.707 of the input, an eighth of a period (45 degrees) behind.
    void lowPassFromTheSourceDialogToTheReadout() {
        EngineSendEvent(chooseBoard(0), PLACA_CONFIRMAR, EVENT_COMMIT);
        const int dialog = chooseBoard(1);
        type(dialog, PLACA_VALOR_0, "1k");
        type(dialog, PLACA_VALOR_1, "100n");
        // Its generator's panel opens beside the front once the board is confirmed.
        EngineSendEvent(dialog, PLACA_GERADOR_PAINEL, EVENT_COMMIT);
        QCOMPARE(EngineTopPopup(), 0);
        QCOMPARE(geradorID, 0);
        int shown = 0;
        GetPanelAttribute(Painel_Gerador, ATTR_VISIBLE, &shown);
        QCOMPARE(shown, 1);
        QCOMPARE(text(Painel_Principal, PANEL_STRING_CH1), std::string("Passa-baixo: Entrada"));
        QCOMPARE(text(Painel_Principal, PANEL_STRING_CH2), std::string("Passa-baixo: VC"));
        SetCtrlVal(Painel_Principal, PANEL_DADOS_CHII, 3);
        const double cornerHz = 1.0 / (2.0 * std::numbers::pi * 1e3 * 100e-9);
        double previous = 1e9;
        for (const double hz : {100.0, 300.0, cornerHz, 3e3, 1e4}) {
            setGenerator(0, 1000, hz / 1000.0);
            route();
            EngineTickTimer(Painel_Principal, PANEL_TIMER_DADOS);
            double vpp = 0.0;
            GetCtrlVal(Painel_Principal, PANEL_DAD_CHII, &vpp);
            QVERIFY2(vpp < previous, qPrintable(QString::number(hz)));
            previous = vpp;
        }
        setGenerator(0, 1000, cornerHz / 1000.0);
        route();
        QVERIFY(std::abs(peakToPeak(onda_entCh[1]) / peakToPeak(onda_entCh[0]) - std::sqrt(0.5)) <
                1e-3);
        const auto crest = [](const double *s) {
            return std::max_element(s, s + vantrel::kSamples) - s;
        };
        QVERIFY(std::abs(crest(onda_entCh[1]) - crest(onda_entCh[0]) - vantrel::kSamples / 8) <= 1);
    }
};

int main(int argc, char *argv[]) {
    if (InitCVIRTE(nullptr, argv, nullptr) == 0) {
        return 1;
    }
    RegisterInstrumentCallbacks();
    SetStrictCallbackResolution(1);
    BoardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_board.moc"
