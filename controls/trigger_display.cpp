#include "controls/trigger_display.h"

#include <algorithm>
#include <cstdlib>

#include "app/state.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "controls/vertical.h"
#include "engine/engine.h"
#include "help/help.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

namespace {

constexpr int kAjudaXY = 5;
constexpr int kAjudaEcra = 6;
constexpr int kAjudaInformacoes = 8;
constexpr int kAjudaTrigger = 10; // every trigger command, TV-SEP included
constexpr int kAjudaIntens = 2;
constexpr int kAjudaFocus = 3;
constexpr int kAjudaCalib = 22;

// The FOCUS knob draws a thick trace from this distance from its centre on.
constexpr int kFocoGrosso = 4;

// Loads a fresh dialog of "opcoes.uir" and shows it with its knob at `valor`.
template <typename T>
int abrir_opcao(int numero, int knob, T valor, int &handle, int botao) {
    const int painel = LoadPanel(Painel_Principal, "opcoes.uir", numero);
    if (painel < 0) {
        return -1;
    }
    handle = painel;
    SetCtrlVal(handle, knob, valor);
    coloca_junto(handle, botao);
    InstallPopup(handle);
    return 0;
}

double passo(const AlcanceBotao &alcance, double valor, int passos) {
    return KnobStep(valor, alcance.minimo, alcance.maximo, alcance.passo, passos);
}

double passo_fino(const AlcanceBotao &alcance, double valor, int decimos) {
    return KnobStepTenths(valor, alcance.minimo, alcance.maximo, alcance.passo, decimos);
}

void define_level(double nivel) {
    levelt = nivel;
    mostra_frontal();
}

void define_holdoff(double valor) {
    holdoff = std::clamp(valor, kAlcanceHoldoff.minimo, kAlcanceHoldoff.maximo);
    mostra_frontal();
}

} // namespace

void define_intens(int v) {
    intens_val = std::clamp(v, 0, 10);
    const int red = 45 - 4 * intens_val;
    const int green = 165 + 9 * intens_val;
    const int blue = 145 + 11 * intens_val;
    OPCAO_INTENS = red * 65536 + green * 256 + blue;
    mostra_frontal();
}

void define_focus(float posicao) {
    focus_val = posicao;
    const int inteiro = static_cast<int>(focus_val); // truncates towards zero
    OPCAO_FOCUS = std::abs(inteiro) < kFocoGrosso ? VAL_THIN_LINE : VAL_FAT_LINE;
    mostra_frontal();
}

namespace {

// Pictures with no function in the simulation: a right click opens their page, nothing else.
void so_ajuda(int event, int pagina) {
    if (event == EVENT_RIGHT_CLICK) {
        help_O(pagina);
    }
}

} // namespace

int level_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        define_level(passo_fino(kAlcanceLevel, levelt, decimos));
    }
    if (!clique_frontal(event, kAjudaTrigger)) {
        return 0;
    }
    return abrir_opcao(LEVEL, LEVEL_LEVEL_BT, levelt, Painel_Level, PANEL_PICTURE_14);
}

int f_level(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        double nivel = levelt;
        GetCtrlVal(panel, LEVEL_LEVEL_BT, &nivel);
        define_level(nivel);
    }
    return 0;
}

int fecha_level(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Level);
    return 0;
}

int holdoff_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        define_holdoff(passo_fino(kAlcanceHoldoff, holdoff, decimos));
    }
    if (!clique_frontal(event, kAjudaTrigger)) {
        return 0;
    }
    return abrir_opcao(HOLDOFF, HOLDOFF_HOLDOFF_BT, holdoff, Painel_Holdoff, PANEL_HOLDOFF);
}

int f_holdoff(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        double valor = holdoff;
        GetCtrlVal(panel, HOLDOFF_HOLDOFF_BT, &valor);
        define_holdoff(valor);
    }
    return 0;
}

int fecha_holdoff(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Holdoff);
    return 0;
}

int slope_btn(int, int, int event, void *, int, int) {
    if (!clique_frontal(event, kAjudaTrigger)) {
        return 0;
    }
    // The indicator is lit while the trigger waits for the falling edge.
    if (slopet == -1) {
        slopet = 1;
        SetCtrlAttribute(Painel_Principal, PANEL_SLOPE_TEXT, ATTR_DIMMED, 1);
    } else {
        slopet = -1;
        SetCtrlAttribute(Painel_Principal, PANEL_SLOPE_TEXT, ATTR_DIMMED, 0);
    }
    mostra_frontal();
    return 0;
}

int atnm(int, int, int event, void *, int, int) {
    // The trigger search lights ATNORM_TEXT from `autot` every time it runs.
    if (clique_frontal(event, kAjudaTrigger)) {
        autot = autot == 0 ? 1 : 0;
        mostra_frontal();
    }
    return 0;
}

int modoxy_btn(int, int, int event, void *, int, int) {
    if (!clique_frontal(event, kAjudaXY)) {
        return 0;
    }
    if (modoxy != 1) {
        modoxy = 1;
        // The Y-T traces go at once; the X-Y figure starts from the first samples.
        for (int traco = 1; traco <= 4; ++traco) {
            apagar(traco);
        }
        xC1 = 0.0;
        xC2 = 0.0;
        SetCtrlAttribute(Painel_Principal, PANEL_XY_TEXT, ATTR_DIMMED, 0);
    } else {
        // The next Y-T refresh erases the X-Y figure.
        modoxy = 0;
        SetCtrlAttribute(Painel_Principal, PANEL_XY_TEXT, ATTR_DIMMED, 1);
    }
    mostra_frontal();
    return 0;
}

int intens_btn(int, int, int event, void *, int eventData1, int) {
    if (const int passos = roda_frontal(event, eventData1)) {
        define_intens(static_cast<int>(passo(kAlcanceIntens, intens_val, passos)));
    }
    if (!clique_frontal(event, kAjudaIntens)) {
        return 0;
    }
    return abrir_opcao(INTENS, INTENS_INTENS_BT, intens_val, Painel_Intens, PANEL_PICTURE_4);
}

int f_intens(int panel, int, int event, void *, int, int) {
    if (event != EVENT_VAL_CHANGED) {
        return 0;
    }
    int v = intens_val;
    GetCtrlVal(panel, INTENS_INTENS_BT, &v);
    define_intens(v);
    return 0;
}

int fecha_intens(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Intens);
    return 0;
}

int focus_btn(int, int, int event, void *, int eventData1, int eventData2) {
    if (const int decimos = roda_fina(event, eventData1, eventData2)) {
        define_focus(static_cast<float>(passo_fino(kAlcanceFocus, focus_val, decimos)));
    }
    if (!clique_frontal(event, kAjudaFocus)) {
        return 0;
    }
    return abrir_opcao(FOCUS, FOCUS_FOCUS_BT, static_cast<double>(focus_val), Painel_Focus,
                       PANEL_PICTURE_3);
}

int f_focus(int panel, int, int event, void *, int, int) {
    if (event != EVENT_VAL_CHANGED) {
        return 0;
    }
    float posicao = focus_val;
    GetCtrlVal(panel, FOCUS_FOCUS_BT, &posicao);
    define_focus(posicao);
    return 0;
}

int fecha_focus(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Focus);
    return 0;
}

int ecran(int, int, int event, void *, int, int) {
    so_ajuda(event, kAjudaEcra);
    return 0;
}

int calp_btn(int, int, int event, void *, int, int) {
    so_ajuda(event, kAjudaCalib);
    return 0;
}

int informP(int, int, int event, void *, int, int) {
    so_ajuda(event, kAjudaInformacoes);
    return 0;
}
