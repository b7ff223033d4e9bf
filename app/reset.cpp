#include "app/reset.h"

#include "app/startup.h"
#include "app/state.h"
#include "controls/front_state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <array>

namespace {

constexpr char kTitulo[] = "Reiniciar";

// Indicators of the information area that are lit only while their function is on.
constexpr std::array kIndicadoresApagados{
    PANEL_INV1_TEXT, PANEL_INV2_TEXT, PANEL_XMAG_TEXT, PANEL_SLOPE_TEXT, PANEL_XY_TEXT,
    PANEL_CH_TEXT,   PANEL_DUAL_TEXT, PANEL_ADD_TEXT,  PANEL_VERT_TEXT,  PANEL_ATNORM_TEXT,
};
// The calibration knobs start at their calibrated end.
constexpr std::array kIndicadoresCal{PANEL_CAL_TEXT, PANEL_CAL1_TEXT, PANEL_CAL2_TEXT};

constexpr std::array kModos{PANEL_CANA_BUTTON_CH_CHG, PANEL_CANA_BUTTON_DUAL, PANEL_CANA_BUTTON_ADD,
                            PANEL_CANA_BUTTON_VERT};

void reinicia_dialogos() {
    SetCtrlVal(Painel_Xpos, PANEL_XPOS_XPOS, 0.0);
    SetCtrlVal(Painel_CalibX, P_CAL_X_XCAL, 1.0);
    SetCtrlVal(Painel_CalibX, P_CAL_X_LED, 1);
    for (const int painel : {Painel_YcalI, Painel_YcalII}) {
        SetCtrlVal(painel, YCAL1_YCAL, 1.0);
        SetCtrlVal(painel, YCAL1_LED, 1);
    }
    for (const int botao : kModos) {
        SetCtrlVal(Painel_Canais, botao, 0);
    }
}

void reinicia_painel_principal() {
    for (const int indicador : kIndicadoresApagados) {
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 1);
    }
    for (const int indicador : kIndicadoresCal) {
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 0);
    }
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH1, "Desligado");
    SetCtrlVal(Painel_Principal, PANEL_STRING_CH2, "Desligado");
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHI, 0);
    SetCtrlVal(Painel_Principal, PANEL_DADOS_CHII, 0);
}

bool confirma(const char *mensagem) {
    return ConfirmPopup(kTitulo, mensagem) == 1;
}

} // namespace

void reinicia_osciloscopio() {
    valores_iniciais_osciloscopio();
    reinicia_dialogos();
    reinicia_painel_principal();
    if (Ligado == 1) {
        // The screen starts again from the reset settings: no X-Y figure, the new scales.
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

void Reiniciar_osc(int, int, void *, int) {
    if (confirma("  Reiniciar o osciloscópio com os valores iniciais?  ")) {
        reinicia_osciloscopio();
    }
}

void Reiniciar_ger1(int, int, void *, int) {
    if (confirma("  Reiniciar o gerador 1 com os valores iniciais?  ")) {
        reinicia_gerador(0);
    }
}

void Reiniciar_ger2(int, int, void *, int) {
    if (confirma("  Reiniciar o gerador 2 com os valores iniciais?  ")) {
        reinicia_gerador(1);
    }
}

void Reiniciar_tudo(int, int, void *, int) {
    if (confirma("  Reiniciar o osciloscópio e os dois geradores com os valores iniciais?  ")) {
        reinicia_osciloscopio();
        reinicia_gerador(0);
        reinicia_gerador(1);
    }
}
