#include "controls/horizontal.h"

#include "app/state.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "controls/scale_tables.h"
#include "controls/vertical.h"
#include "engine/engine.h"
#include "ui/uir_constants.h"

#include <algorithm>

namespace {

constexpr int kAjudaTimeDiv = 12;
constexpr int kAjudaXpos = 9;
constexpr int kAjudaCalibX = 13; // "CALIB TIME"
constexpr int kAjudaXmag = 21;

} // namespace

int timediv(int, int, int event, void *, int eventData1, int) {
    if (const int passos = roda_frontal(event, eventData1)) {
        // One notch is one step of the list, as choosing the next item in the dialog.
        const int passo = std::clamp(Esc_TempoID + passos, 0, vantrel::kTimeSteps - 1);
        if (passo != Esc_TempoID) {
            Esc_TempoID = passo;
            act_timediv_sig(Esc_TempoID);
            mostra_frontal();
        }
    }
    if (!clique_frontal(event, kAjudaTimeDiv)) {
        return 0;
    }
    const int painel = LoadPanel(Painel_Principal, "time.uir", PANELTIME);
    if (painel < 0) {
        return -1;
    }
    Painel_Time = painel;
    for (int passo = 0; passo < vantrel::kTimeSteps; ++passo) {
        InsertListItem(Painel_Time, PANELTIME_LISTATEMP, passo, Esc_TempoTab[passo].label, passo);
    }
    SetCtrlVal(Painel_Time, PANELTIME_LISTATEMP, Esc_TempoID);
    coloca_junto(Painel_Time, PANEL_TIMEDIV);
    InstallPopup(Painel_Time);
    return 0;
}

int ValorTime(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        GetCtrlVal(panel, PANELTIME_LISTATEMP, &Esc_TempoID);
        act_timediv_sig(Esc_TempoID);
        mostra_frontal();
    }
    return 0;
}

int fecha_timediv(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Time);
    return 0;
}

int x_pos_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        TurnKnobTenths(Painel_Xpos, PANEL_XPOS_XPOS, decimos);
    }
    if (clique_frontal(event, kAjudaXpos)) {
        coloca_junto(Painel_Xpos, PANEL_XPOSBTN);
        InstallPopup(Painel_Xpos);
    }
    return 0;
}

int f_xpos(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        double knob = 0.0;
        GetCtrlVal(panel, PANEL_XPOS_XPOS, &knob);
        atraso = atraso_orig + knob;
        mostra_frontal();
    }
    return 0;
}

int calib_X(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        TurnKnobTenths(Painel_CalibX, P_CAL_X_XCAL, decimos);
    }
    if (clique_frontal(event, kAjudaCalibX)) {
        coloca_junto(Painel_CalibX, PANEL_PICTURE_2);
        InstallPopup(Painel_CalibX);
    }
    return 0;
}

int f_calx(int panel, int, int event, void *, int, int) {
    if (event != EVENT_VAL_CHANGED) {
        return 0;
    }
    double knob = 1.0;
    GetCtrlVal(panel, P_CAL_X_XCAL, &knob);
    calib = 2.0 - knob;
    marca_calibracao(panel, P_CAL_X_LED, PANEL_CAL_TEXT, calib);
    mostra_frontal();
    return 0;
}

int xmag_btn(int, int, int event, void *, int, int) {
    if (!clique_frontal(event, kAjudaXmag)) {
        return 0;
    }
    // The indicator is lit while the magnification is on.
    if (xmag == 1.0) {
        xmag = 10.0;
        SetCtrlAttribute(Painel_Principal, PANEL_XMAG_TEXT, ATTR_DIMMED, 0);
    } else {
        xmag = 1.0;
        SetCtrlAttribute(Painel_Principal, PANEL_XMAG_TEXT, ATTR_DIMMED, 1);
    }
    mostra_frontal();
    return 0;
}
