#include "controls/vertical.h"

#include "app/state.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "ui/uir_constants.h"

#include <algorithm>

namespace {

constexpr int kAjudaVoltDiv = 16;
constexpr int kAjudaCalibVolts = 17; // the vertical calibration knobs: "CALIB VOLTS"
constexpr int kAjudaYpos = 14;
constexpr int kAjudaInvert = 15;

// The two channels' dialogs are alike, so one constant addresses either one's control.
static_assert(YPOS1_YPOS == YPOS2_YPOS);
static_assert(YCAL1_YCAL == YCAL2_YCAL && YCAL1_LED == YCAL2_LED);

// Loads a fresh Volts/Div dialog, lists the steps, selects the step of `canal` and shows it.
int abrir_voltdiv(int canal) {
    const int painel = LoadPanel(Painel_Principal, "volt.uir", PANELVOLT);
    if (painel < 0) {
        return -1;
    }
    Painel_Volt = painel;
    for (int passo = 0; passo < vantrel::kVoltSteps; ++passo) {
        InsertListItem(Painel_Volt, PANELVOLT_LISTAVOLT, passo, Esc_VoltTab[passo].label, passo);
    }
    Canal = canal;
    SetCtrlVal(Painel_Volt, PANELVOLT_LISTAVOLT, Esc_VoltID[Canal]);
    coloca_junto(Painel_Volt, canal == 0 ? PANEL_VOLTDIV1 : PANEL_VOLTDIV2);
    InstallPopup(Painel_Volt);
    return 0;
}

// Loads a fresh Y-POS dialog (panel YPOS1 or YPOS2) with its knob at the channel's position.
int abrir_ypos(int canal, int numero, int &handle) {
    const int painel = LoadPanel(Painel_Principal, "volt.uir", numero);
    if (painel < 0) {
        return -1;
    }
    handle = painel;
    Canal = canal;
    SetCtrlVal(handle, YPOS1_YPOS, y_offset[Canal]);
    coloca_junto(handle, canal == 0 ? PANEL_PICTURE_6 : PANEL_PICTURE_7);
    InstallPopup(handle);
    return 0;
}

// The calibration dialogs stay loaded, so their knobs show where the user left them.
void abrir_ycal(int canal, int handle) {
    Canal = canal;
    coloca_junto(handle, canal == 0 ? PANEL_PICTURE_8 : PANEL_PICTURE_9);
    InstallPopup(handle);
}

// One wheel notch moves the Volts/Div knob one step, as choosing the next step in its list.
void roda_voltdiv(int canal, int passos) {
    const int passo = std::clamp(Esc_VoltID[canal] + passos, 0, vantrel::kVoltSteps - 1);
    if (passo != Esc_VoltID[canal]) {
        Esc_VoltID[canal] = passo;
        act_voltdiv_sig(Esc_VoltID[canal], canal);
        mostra_frontal();
    }
}

void define_ypos(int canal, double posicao) {
    y_offset[canal] = posicao;
    mostra_frontal();
}

// The calibration dialogs stay loaded, so the wheel turns their own knob, by tenths of a step.
void roda_ycal(int canal, int handle, int decimos) {
    Canal = canal;
    TurnKnobTenths(handle, YCAL1_YCAL, decimos);
}

// INV: the indicator is lit while the trace is inverted.
void inverter(int canal, int indicador) {
    if (inversao[canal] == -1) {
        inversao[canal] = 1;
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 1);
    } else {
        inversao[canal] = -1;
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 0);
    }
    mostra_frontal();
}

} // namespace

int volt_div1(int, int, int event, void *, int eventData1, int) {
    if (const int passos = roda_frontal(event, eventData1)) {
        roda_voltdiv(0, passos);
    }
    return clique_frontal(event, kAjudaVoltDiv) ? abrir_voltdiv(0) : 0;
}

int volt_div2(int, int, int event, void *, int eventData1, int) {
    if (const int passos = roda_frontal(event, eventData1)) {
        roda_voltdiv(1, passos);
    }
    return clique_frontal(event, kAjudaVoltDiv) ? abrir_voltdiv(1) : 0;
}

int valorvolt(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        GetCtrlVal(panel, PANELVOLT_LISTAVOLT, &Esc_VoltID[Canal]);
        act_voltdiv_sig(Esc_VoltID[Canal], Canal);
        mostra_frontal();
    }
    return 0;
}

int fecha_voltdiv(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Volt);
    return 0;
}

int QuitTime(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        RemovePopup(0);
    }
    return 0;
}

int y_pos1_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        define_ypos(0, KnobStepTenths(y_offset[0], kAlcanceYpos.minimo, kAlcanceYpos.maximo,
                                      kAlcanceYpos.passo, decimos));
    }
    return clique_frontal(event, kAjudaYpos) ? abrir_ypos(0, YPOS1, Painel_YposI) : 0;
}

int y_pos2_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        define_ypos(1, KnobStepTenths(y_offset[1], kAlcanceYpos.minimo, kAlcanceYpos.maximo,
                                      kAlcanceYpos.passo, decimos));
    }
    return clique_frontal(event, kAjudaYpos) ? abrir_ypos(1, YPOS2, Painel_YposII) : 0;
}

int f_ypos(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        double posicao = y_offset[Canal];
        GetCtrlVal(panel, YPOS1_YPOS, &posicao);
        define_ypos(Canal, posicao);
    }
    return 0;
}

int fecha_ypos1(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_YposI);
    return 0;
}

int fecha_ypos2(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_YposII);
    return 0;
}

int x_cal1_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        roda_ycal(0, Painel_YcalI, decimos);
    }
    if (clique_frontal(event, kAjudaCalibVolts)) {
        abrir_ycal(0, Painel_YcalI);
    }
    return 0;
}

int x_cal2_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        roda_ycal(1, Painel_YcalII, decimos);
    }
    if (clique_frontal(event, kAjudaCalibVolts)) {
        abrir_ycal(1, Painel_YcalII);
    }
    return 0;
}

int f_ycal(int panel, int, int event, void *, int, int) {
    if (event != EVENT_VAL_CHANGED) {
        return 0;
    }
    double knob = 1.0;
    GetCtrlVal(panel, YCAL1_YCAL, &knob);
    y_calib[Canal] = 2.0 - knob;
    marca_calibracao(panel, YCAL1_LED, Canal == 0 ? PANEL_CAL1_TEXT : PANEL_CAL2_TEXT,
                     y_calib[Canal]);
    mostra_frontal();
    return 0;
}

int fecha_painel(int, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        RemovePopup(0);
    }
    return 0;
}

int invert1(int, int, int event, void *, int, int) {
    if (clique_frontal(event, kAjudaInvert)) {
        inverter(0, PANEL_INV1_TEXT);
    }
    return 0;
}

int invert2(int, int, int event, void *, int, int) {
    if (clique_frontal(event, kAjudaInvert)) {
        inverter(1, PANEL_INV2_TEXT);
    }
    return 0;
}
