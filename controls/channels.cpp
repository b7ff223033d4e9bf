#include "controls/channels.h"

#include <algorithm>
#include <array>

#include "app/state.h"
#include "controls/board_dialog.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "controls/vertical.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "measure/spreadsheet_link.h"
#include "ui/uir_constants.h"

namespace {

constexpr int kAjudaCanais = 20;
constexpr int kAjudaEntrada = 19;
constexpr int kAjudaFonte = 18;

// Values of `ChIN` and of the source ring.
constexpr int kFonteGerador = 1;
constexpr int kFonteExcel = 2;
constexpr int kFontePlaca = 5;

// The source dialog is as wide as this, so CH II's opens with its right edge at the mouse.
constexpr int kLarguraFonte = 253;

/// Couples channel `c` as `op` (0 DC, 1 AC, 2 GND): DC and AC let the signal through, GND
/// grounds the input.
void define_entrada(int c, int op) {
    entrada_op[c] = op;
    canais_op[c] = op == 0 || op == 1 ? 1 : 0;
    mostra_frontal();
}

// The two channels' coupling dialogs are alike, so one constant addresses either one's slide.
static_assert(ENTR1_ENT == ENTR2_ENT);

// Lights `indicador` on the main panel while `ligado` is 1.
void indicar(int indicador, int ligado) {
    SetCtrlAttribute(Painel_Principal, indicador, ATTR_DIMMED, ligado ? 0 : 1);
    mostra_frontal();
}

int estado_botao(int panel, int botao) {
    int estado = 0;
    GetCtrlVal(panel, botao, &estado);
    return estado;
}

// Loads a fresh coupling dialog (panel ENTR1 or ENTR2) showing the channel's coupling.
int abrir_entrada(int canal, int numero, int &handle) {
    const int painel = LoadPanel(Painel_Principal, "canais.uir", numero);
    if (painel < 0) {
        return -1;
    }
    handle = painel;
    Canal = canal;
    coloca_junto(handle, canal == 0 ? PANEL_PICTURE_10 : PANEL_PICTURE_11);
    InstallPopup(handle);
    SetCtrlVal(handle, ENTR1_ENT, entrada_op[Canal]);
    return 0;
}

/// The coupling switch of channel `c` on the front panel: the wheel steps it towards GND
/// (clockwise, up the switch) or DC, the clicks open its dialog.
int entrada_frontal(int c, int event, int notches, int picture, int &dialogo) {
    if (const int passos = roda_frontal(event, notches)) {
        define_entrada(c, std::clamp(entrada_op[c] + passos, 0, 2));
    }
    return clique_frontal(event, kAjudaEntrada) ? abrir_entrada(c, picture, dialogo) : 0;
}

// Loads a fresh source dialog beside the mouse with the channel's source preselected.
int abrir_fonte(int canal) {
    const int painel = LoadPanel(Painel_Principal, "canais.uir", ENTRADAS);
    if (painel < 0) {
        return -1;
    }
    Painel_Entradas = painel;
    Canal = canal;
    int x = 0;
    int y = 0;
    // The dialog's position is taken within the main panel, so the mouse is read there too:
    // the dialog then opens at the pointer wherever the window stands on the screen.
    GetRelativeMouseState(Painel_Principal, 0, &x, &y, nullptr, nullptr, nullptr);
    SetPanelPos(Painel_Entradas, y, canal == 0 ? x : x - kLarguraFonte);
    SetCtrlVal(Painel_Entradas, ENTRADAS_ENTRADA, ChIN[Canal]);
    InstallPopup(Painel_Entradas);
    return 0;
}

/// The display modes in the order the wheel steps through them over the mode keys.
enum Modo : int { kModoCh1, kModoCh2, kModoDual, kModoAlternado, kModoAdd, kModos };

int modo_atual() {
    if (add_op != 0) {
        return kModoAdd;
    }
    if (dual_op != 0) {
        return vert_op != 0 ? kModoAlternado : kModoDual;
    }
    return estado_botao(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG) != 0 ? kModoCh2 : kModoCh1;
}

/// Sets one key of the mode dialog as a click would: its value, then its callback's commit.
void carrega(int botao, int estado, int (*callback)(int, int, int, void *, int, int)) {
    if (estado_botao(Painel_Canais, botao) != estado) {
        SetCtrlVal(Painel_Canais, botao, estado);
        callback(Painel_Canais, botao, EVENT_COMMIT, nullptr, 0, 0);
    }
}

/// Goes to mode `modo` through the keys' own callbacks. The DUAL and ADD modes keep CH I/II,
/// which then chooses the triggering channel; ADD is pressed before DUAL is released by it.
void define_modo(int modo) {
    if (modo == kModoCh1 || modo == kModoCh2) {
        carrega(PANEL_CANA_BUTTON_CH_CHG, modo == kModoCh2 ? 1 : 0, ch_fn);
    }
    carrega(PANEL_CANA_BUTTON_VERT, modo == kModoAlternado ? 1 : 0, vert_fn);
    carrega(PANEL_CANA_BUTTON_ADD, modo == kModoAdd ? 1 : 0, add_fn);
    carrega(PANEL_CANA_BUTTON_DUAL, modo == kModoDual || modo == kModoAlternado ? 1 : 0, dual_fn);
}

} // namespace

int canais_fn(int, int, int event, void *, int eventData1, int) {
    // The wheel steps CH I, CH II, DUAL, DUAL alternating (VERT.), ADD; back the other way.
    if (const int passos = roda_frontal(event, eventData1)) {
        const int modo = std::clamp(modo_atual() + passos, 0, kModos - 1);
        if (modo != modo_atual()) {
            define_modo(modo);
        }
    }
    if (clique_frontal(event, kAjudaCanais)) {
        coloca_junto(Painel_Canais, PANEL_PICTURE_CANAIS);
        InstallPopup(Painel_Canais);
    }
    return 0;
}

int ch_fn(int panel, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        indicar(PANEL_CH_TEXT, estado_botao(panel, PANEL_CANA_BUTTON_CH_CHG));
    }
    return 0;
}

int dual_fn(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    dual_op = estado_botao(panel, PANEL_CANA_BUTTON_DUAL) ? 1 : 0;
    indicar(PANEL_DUAL_TEXT, dual_op);
    if (dual_op == 1) {
        SetCtrlVal(panel, PANEL_CANA_BUTTON_ADD, 0);
        add_op = 0;
        indicar(PANEL_ADD_TEXT, 0);
    }
    return 0;
}

int add_fn(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    add_op = estado_botao(panel, PANEL_CANA_BUTTON_ADD) ? 1 : 0;
    indicar(PANEL_ADD_TEXT, add_op);
    if (add_op == 1) {
        SetCtrlVal(panel, PANEL_CANA_BUTTON_DUAL, 0);
        dual_op = 0;
        indicar(PANEL_DUAL_TEXT, 0);
    }
    return 0;
}

int vert_fn(int panel, int, int event, void *, int, int) {
    if (event == EVENT_COMMIT) {
        vert_op = estado_botao(panel, PANEL_CANA_BUTTON_VERT) ? 1 : 0;
        indicar(PANEL_VERT_TEXT, vert_op);
    }
    return 0;
}

int entrada1_btn(int, int, int event, void *, int eventData1, int) {
    return entrada_frontal(0, event, eventData1, ENTR1, Painel_YentI);
}

int entrada2_btn(int, int, int event, void *, int eventData1, int) {
    return entrada_frontal(1, event, eventData1, ENTR2, Painel_YentII);
}

int f_entrada(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        int op = entrada_op[Canal];
        GetCtrlVal(panel, ENTR1_ENT, &op);
        define_entrada(Canal, op);
    }
    return 0;
}

int fecha_entrada(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Canal == 0 ? Painel_YentI : Painel_YentII);
    return 0;
}

int canal1(int, int, int event, void *, int, int) {
    return clique_frontal(event, kAjudaFonte) ? abrir_fonte(0) : 0;
}

int canal2(int, int, int event, void *, int, int) {
    return clique_frontal(event, kAjudaFonte) ? abrir_fonte(1) : 0;
}

int aplic_entr(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    const int canal = Canal;
    int fonte = 0;
    GetCtrlVal(panel, ENTRADAS_ENTRADA, &fonte);
    // The board names the channel by its board and point, and asks for them in its own dialog.
    if (fonte == kFontePlaca) {
        DiscardPanel(Painel_Entradas);
        return abrir_placa(canal);
    }
    // A value that names no source leaves everything as it was.
    const char *nome = nome_fonte(fonte, canal);
    if (nome == nullptr) {
        return 0;
    }
    ChIN[canal] = fonte;
    // Discarded before the generator or the data link shows its own pop-up.
    DiscardPanel(Painel_Entradas);
    if (fonte == kFonteGerador) {
        ab_gerador(canal);
    } else if (fonte == kFonteExcel) {
        iniciar_excel(canal);
    }
    SetCtrlVal(Painel_Principal, canal == 0 ? PANEL_STRING_CH1 : PANEL_STRING_CH2, nome);
    mostra_frontal();
    return 0;
}

namespace {

/// The generator behind channel `canal`'s source: its own for "Gerador", the other one for its
/// SYNC output.
void abre_gerador_da_fonte(int event, int canal) {
    constexpr int kFonteSync = 6;
    if (event != EVENT_LEFT_CLICK) {
        return;
    }
    if (ChIN[canal] == kFonteGerador) {
        ab_gerador(canal);
    } else if (ChIN[canal] == kFonteSync) {
        ab_gerador(1 - canal);
    }
}

} // namespace

int nome_ch1(int, int, int event, void *, int, int) {
    abre_gerador_da_fonte(event, 0);
    return 0;
}

int nome_ch2(int, int, int event, void *, int, int) {
    abre_gerador_da_fonte(event, 1);
    return 0;
}

int fecha_canais(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Entradas);
    return 0;
}
