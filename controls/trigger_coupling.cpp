#include "controls/trigger_coupling.h"

#include "app/state.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

constexpr int kAjudaTrigger = 10;

// Marks of the selectors' artwork: the first position's centre and the distance between two.
constexpr double kTrigPrimeira = 14.0;
constexpr double kTrigPasso = 19.0;
constexpr int kTrigPosicoes = 5;
constexpr double kTvsepPrimeira = 16.0;
constexpr double kTvsepPasso = 25.0;
constexpr int kTvsepPosicoes = 3;

constexpr int kFontePlaca = 5; // `ChIN` of a channel that probes the board

/// The board's points are offered while the board is on the bench: a channel probes it, or the
/// socket already takes one of its points.
bool placa_na_bancada() {
    return ChIN[0] == kFontePlaca || ChIN[1] == kFontePlaca || trig_ext >= kTrigExtBoard;
}

/// Adds every point of the board on the bench to the source ring, after the fixed sources.
void lista_pontos_placa(int painel) {
    for (int ponto = 0; ponto < kTrigExtSources - kTrigExtBoard; ++ponto) {
        const std::string nome = placa_ponto_nome(ponto);
        if (!nome.empty()) {
            const std::string rotulo = Tr(QT_TRANSLATE_NOOP("Vantrel", "Placa: ")) + nome;
            InsertListItem(painel, EXTERNO_FONTE, -1, rotulo.c_str(), kTrigExtBoard + ponto);
        }
    }
}

/// Moves a selector by a click (to the position under it) or by the wheel (one position per
/// notch, upwards for a notch away from the user). True when `posicao` changed.
bool move_seletor(int event, int y, int notches, double primeira, double passo, int posicoes,
                  int &posicao) {
    int nova = posicao;
    if (const int passos = roda_frontal(event, notches)) {
        nova = std::clamp(posicao - passos, 0, posicoes - 1);
    } else if (event == EVENT_LEFT_CLICK && Ligado == 1) {
        nova = posicao_deslizante(y, primeira, passo, posicoes);
    }
    if (nova == posicao) {
        return false;
    }
    posicao = nova;
    mostra_frontal();
    return true;
}

} // namespace

int posicao_deslizante(int y, double first, double spacing, int count) {
    const long nearest = std::lround((y - first) / spacing);
    return static_cast<int>(std::clamp<long>(nearest, 0, count - 1));
}

int Trig_btn(int, int, int event, void *, int eventData1, int) {
    clique_frontal(event, kAjudaTrigger);
    move_seletor(event, eventData1, eventData1, kTrigPrimeira, kTrigPasso, kTrigPosicoes,
                 trig_acopl);
    return 0;
}

int tvsep_fn(int, int, int event, void *, int eventData1, int) {
    clique_frontal(event, kAjudaTrigger);
    move_seletor(event, eventData1, eventData1, kTvsepPrimeira, kTvsepPasso, kTvsepPosicoes, tvsep);
    return 0;
}

int Ext_btn(int, int, int event, void *, int, int) {
    if (!clique_frontal(event, kAjudaTrigger)) {
        return 0;
    }
    const int painel = LoadPanel(Painel_Principal, "canais.uir", EXTERNO);
    if (painel < 0) {
        return -1;
    }
    Painel_Externo = painel;
    if (placa_na_bancada()) {
        lista_pontos_placa(Painel_Externo);
    }
    SetCtrlVal(Painel_Externo, EXTERNO_FONTE, trig_ext);
    coloca_junto(Painel_Externo, PANEL_EXT_TRIG);
    InstallPopup(Painel_Externo);
    return 0;
}

int aplic_ext(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    int fonte = trig_ext;
    GetCtrlVal(panel, EXTERNO_FONTE, &fonte);
    std::array<double, vantrel::kSamples> amostras{};
    double hz = 0.0;
    // A source that gives no signal (a point the board lacks) is refused; "Desligado" is none.
    if (fonte < 0 || fonte >= kTrigExtSources ||
        (fonte != kTrigExtOff && !fonte_disparo(fonte, amostras.data(), &hz))) {
        MessagePopup(
            "TRIG. EXT.",
            QT_TRANSLATE_NOOP("Vantrel", "Fonte de disparo desconhecida: nada foi alterado."));
        return 0;
    }
    trig_ext = fonte;
    fecha_dialogo(event, Painel_Externo);
    mostra_frontal();
    return 0;
}

int fecha_ext(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Externo);
    return 0;
}
