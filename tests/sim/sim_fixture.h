#pragma once
// Set-up shared by the simulation tests: the main panel and the channel-mode dialog as
// start-up loads them, and the instrument state back at known values.

#include "app/state.h"
#include "engine/engine.h"
#include "engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QtTest>

#include <algorithm>

namespace simtest {

/// Starts the engine once and loads the panels the simulation reaches, with the screen's
/// axis ranges of start-up. Discards whatever a previous test left.
inline void loadPanels() {
    static char name[] = "test_sim";
    static char *argv[] = {name, nullptr};
    QVERIFY(InitCVIRTE(nullptr, argv, nullptr) == 1);
    EngineReset();
    Painel_Principal = LoadPanel(0, "oscil.uir", PANEL);
    QVERIFY2(Painel_Principal > 0, GetEngineErrorText());
    Painel_Canais = LoadPanel(Painel_Principal, "canais.uir", PANEL_CANA);
    QVERIFY2(Painel_Canais > 0, GetEngineErrorText());
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_XAXIS, VAL_MANUAL, -300.0, 300.0);
    SetAxisScalingMode(Painel_Principal, PANEL_MOSTRAR, VAL_LEFT_YAXIS, VAL_MANUAL, -10.0, 10.0);
}

/// The state the simulation reads, at its start-up values, with the scales of "20 ms" and
/// "1 V" already set as the first power-on sets them.
inline void resetState() {
    Ligado = 0;
    modoxy = dual_op = add_op = vert_op = chop_ch = 0;
    OPCAO_FOCUS = VAL_THIN_LINE;
    OPCAO_INTENS = MakeColor(25, 210, 200);
    for (int c = 0; c < 2; ++c) {
        Esc_VoltID[c] = 4;
        Esc_Volt[c] = 2.5F;
        y_calib[c] = 1.0;
        y_offset[c] = 0.0;
        inversao[c] = 1;
        entrada_op[c] = 1;
        canais_op[c] = 1;
        dc_val[c] = 0.0;
        ChIN[c] = 0;
        freq[c] = 0.0;
        std::fill(std::begin(onda_entCh[c]), std::end(onda_entCh[c]), 0.0);
    }
    Esc_TempoID = 3;
    Esc_Tempo = 0.016F;
    calib = 1.0;
    atraso = atraso_orig = minimo = -300.0;
    maximo = 300.0;
    xmag = 1.0;
    levelt = 0.0;
    slopet = 1;
    autot = 1;
    trigger_ch = 1;
    xC1 = xC2 = 0.0;
    for (auto &row : onda) {
        std::fill(std::begin(row), std::end(row), 0.0);
    }
    std::fill(std::begin(canais_ver), std::end(canais_ver), 1);
    std::fill(std::begin(plot_onda), std::end(plot_onda), 0);
    std::fill(std::begin(plot_exist), std::end(plot_exist), 0);
}

/// One period of a square wave in channel c's input buffer: the first half at `first`, the
/// second half at `second` (the calibrator is -1 then +1).
inline void fillSquare(int c, double first, double second) {
    std::fill(onda_entCh[c], onda_entCh[c] + vantrel::kSamples / 2, first);
    std::fill(onda_entCh[c] + vantrel::kSamples / 2, onda_entCh[c] + vantrel::kSamples, second);
}

/// Sample i holds i volts, so that a display sample tells which buffer sample it read.
inline void fillRamp(int c) {
    for (int i = 0; i < vantrel::kSamples; ++i) {
        onda_entCh[c][i] = i;
    }
}

inline int ctrlInt(int panel, int control, int attribute) {
    int value = -1;
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

} // namespace simtest
