#include "app/reset.h"

#include "app/startup.h"
#include "app/state.h"
#include "controls/channels.h"
#include "controls/front_state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "generator/generator.h"
#include "sim/input_routing.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <array>

namespace {

constexpr char kTitulo[] = QT_TRANSLATE_NOOP("Vantrel", "Reiniciar");

/// Value of `ChIN` for the experiment board, which the main panel names by board and point.
constexpr int kFontePlacaReset = 5;

// Indicators of the information area that are lit only while their function is on.
struct Indicador {
    int controlo;
    bool aceso;
};

std::array<Indicador, 14> indicadores(int ch2) {
    return {{
        {PANEL_INV1_TEXT, inversao[0] == -1},
        {PANEL_INV2_TEXT, inversao[1] == -1},
        {PANEL_XMAG_TEXT, xmag != 1.0},
        {PANEL_SLOPE_TEXT, slopet == -1},
        {PANEL_XY_TEXT, modoxy == 1},
        {PANEL_CH_TEXT, ch2 != 0},
        {PANEL_DUAL_TEXT, dual_op != 0},
        {PANEL_ADD_TEXT, add_op != 0},
        {PANEL_VERT_TEXT, vert_op != 0},
        {PANEL_ATNORM_TEXT, autot == 0},
        // The calibration lamps are lit while their knob is at its calibrated end.
        {PANEL_CAL_TEXT, calib == 1.0},
        {PANEL_CAL1_TEXT, y_calib[0] == 1.0},
        {PANEL_CAL2_TEXT, y_calib[1] == 1.0},
        {PANEL_COMP_TEXT, testador == 1},
    }};
}

void alinha_dialogos(int ch2) {
    SetCtrlVal(Painel_Xpos, PANEL_XPOS_XPOS, atraso - atraso_orig);
    SetCtrlVal(Painel_CalibX, P_CAL_X_XCAL, 2.0 - calib);
    SetCtrlVal(Painel_CalibX, P_CAL_X_LED, calib == 1.0 ? 1 : 0);
    const std::array paineis{Painel_YcalI, Painel_YcalII};
    for (std::size_t c = 0; c < paineis.size(); ++c) {
        SetCtrlVal(paineis[c], YCAL1_YCAL, 2.0 - y_calib[c]);
        SetCtrlVal(paineis[c], YCAL1_LED, y_calib[c] == 1.0 ? 1 : 0);
    }
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, ch2);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_DUAL, dual_op);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_ADD, add_op);
    SetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_VERT, vert_op);
}

void alinha_painel_principal(int ch2) {
    for (const Indicador &i : indicadores(ch2)) {
        SetCtrlAttribute(Painel_Principal, i.controlo, ATTR_DIMMED, i.aceso ? 0 : 1);
    }
    for (int c = 0; c < 2; ++c) {
        if (ChIN[c] == kFontePlacaReset) {
            mostra_fonte_placa(c);
            continue;
        }
        const char *nome = nome_fonte(ChIN[c], c);
        SetCtrlVal(Painel_Principal, c == 0 ? PANEL_STRING_CH1 : PANEL_STRING_CH2,
                   nome != nullptr ? nome : QT_TRANSLATE_NOOP("Vantrel", "Desligado"));
    }
}

bool confirma(const char *mensagem) {
    return ConfirmPopup(kTitulo, mensagem) == 1;
}

} // namespace

void alinha_osciloscopio(int ch2) {
    alinha_dialogos(ch2);
    alinha_painel_principal(ch2);
    if (Ligado == 1) {
        // The screen starts again from the new settings: no X-Y figure, the new scales.
        for (int traco = 1; traco <= 4; ++traco) {
            apagar(traco);
        }
        act_timediv_sig(Esc_TempoID);
        act_voltdiv_sig(Esc_VoltID[0], 0);
        act_voltdiv_sig(Esc_VoltID[1], 1);
    } else {
        // As at start-up, the scales get their values at the next power-on.
        Esc_Tempo = 0.0F;
        Esc_Volt[0] = 0.0F;
        Esc_Volt[1] = 0.0F;
    }
    mostra_frontal();
}

void reinicia_osciloscopio() {
    valores_iniciais_osciloscopio();
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHI, 0);
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHII, 0);
    alinha_osciloscopio(0);
}

void Reiniciar_osc(int, int, void *, int) {
    if (confirma(QT_TRANSLATE_NOOP("Vantrel",
                                   "  Reiniciar o osciloscópio com os valores iniciais?  "))) {
        reinicia_osciloscopio();
    }
}

void Reiniciar_ger1(int, int, void *, int) {
    if (confirma(
            QT_TRANSLATE_NOOP("Vantrel", "  Reiniciar o gerador 1 com os valores iniciais?  "))) {
        reinicia_gerador(0);
    }
}

void Reiniciar_ger2(int, int, void *, int) {
    if (confirma(
            QT_TRANSLATE_NOOP("Vantrel", "  Reiniciar o gerador 2 com os valores iniciais?  "))) {
        reinicia_gerador(1);
    }
}

void Reiniciar_tudo(int, int, void *, int) {
    if (confirma(QT_TRANSLATE_NOOP(
            "Vantrel",
            "  Reiniciar o osciloscópio e os dois geradores com os valores iniciais?  "))) {
        reinicia_osciloscopio();
        reinicia_gerador(0);
        reinicia_gerador(1);
    }
}
