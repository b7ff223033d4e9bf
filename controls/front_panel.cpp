#include "controls/front_panel.h"

#include "app/state.h"
#include "engine/engine.h"
#include "help/help.h"

bool clique_frontal(int event, int pagina_ajuda) {
    if (event == EVENT_RIGHT_CLICK) {
        help_O(pagina_ajuda);
    }
    return event == EVENT_LEFT_CLICK && Ligado == 1;
}

void fecha_dialogo(int event, int painel) {
    if (event == EVENT_COMMIT) {
        RemovePopup(0);
        DiscardPanel(painel);
    }
}

void marca_calibracao(int painel, int led, int indicador, double factor) {
    // Only the knob's end position is calibrated: then the Time/Div or Volts/Div label holds.
    if (factor == 1.0) {
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 0);
        SetCtrlVal(painel, led, 1);
        CVI_Beep();
    } else {
        SetCtrlVal(painel, led, 0);
        SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, 1);
    }
}
