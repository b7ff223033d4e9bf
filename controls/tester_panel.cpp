#include "controls/tester_panel.h"

#include "app/state.h"
#include "controls/front_panel.h"
#include "controls/front_state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "generator/signal/si_value.h"
#include "sim/numeric/component_tester.h"
#include "sim/refresh.h"
#include "ui/uir_constants.h"

#include <string>

namespace {

constexpr int kAjudaComponent = 23;
constexpr char kTitulo[] = QT_TRANSLATE_NOOP("Vantrel", "Testador de componentes");

// The key of the artwork lies left of this x (control pixels); the TEST sockets right of it.
constexpr int kFimDaTecla = 60;

/// Shows the values that `kind` takes: their names, and `first`/`second` in the text fields
/// (hidden when the kind has no such value).
void mostra_valores(int painel, int kind, double first, double second) {
    const int nomes[2] = {TESTER_NOME_VALOR, TESTER_NOME_VALOR2};
    const int campos[2] = {TESTER_VALOR, TESTER_VALOR2};
    const double valores[2] = {first, second};
    for (int v = 0; v < 2; ++v) {
        const tester::ValueRange alcance = tester::valueRange(kind, v);
        const bool tem = alcance.name[0] != '\0';
        SetCtrlAttribute(painel, nomes[v], ATTR_VISIBLE, tem ? 1 : 0);
        SetCtrlAttribute(painel, campos[v], ATTR_VISIBLE, tem ? 1 : 0);
        if (tem) {
            SetCtrlVal(painel, nomes[v], alcance.name);
            SetCtrlVal(painel, campos[v], tester::formatValue(valores[v]).c_str());
        }
    }
}

/// Reads value `v` of the dialog for `kind` into `valor`; false, after telling the user why,
/// when it is not a number in range.
bool le_valor(int painel, int campo, int kind, int v, double &valor) {
    const tester::ValueRange alcance = tester::valueRange(kind, v);
    if (alcance.name[0] == '\0') {
        valor = alcance.start;
        return true;
    }
    std::string texto;
    GetCtrlVal(painel, campo, &texto);
    double lido = 0.0;
    const int estado = parseSiValue(texto, alcance.unit, alcance.min, alcance.max, &lido);
    if (estado != 0) {
        const std::string limites =
            std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", " Use um valor de "))) +
            tester::formatValue(alcance.min) + " " + alcance.unit +
            Tr(QT_TRANSLATE_NOOP("Vantrel", " a ")) + tester::formatValue(alcance.max) + " " +
            alcance.unit +
            Tr(QT_TRANSLATE_NOOP("Vantrel", " (ex.: 4,7k  100n  2,2u). Nada foi alterado."));
        const char *motivo =
            estado == vantrel::kSiValueEmpty ? Tr(QT_TRANSLATE_NOOP("Vantrel", "falta o valor."))
            : estado == vantrel::kSiValueBelowMin || estado == vantrel::kSiValueAboveMax
                ? Tr(QT_TRANSLATE_NOOP("Vantrel", "valor fora dos limites."))
                : Tr(QT_TRANSLATE_NOOP("Vantrel", "não é um valor válido."));
        const std::string mensagem =
            std::string(Tr(alcance.name)) + ": \"" + texto + "\" - " + motivo + limites;
        MessagePopup(kTitulo, mensagem.c_str());
        return false;
    }
    valor = lido;
    return true;
}

void liga_testador(bool ligar) {
    testador = ligar ? 1 : 0;
    // The time-base traces or the V-I figure go at once; the next refresh draws the other.
    for (int traco = 1; traco <= 4; ++traco) {
        apagar(traco);
    }
    SetCtrlAttribute(Painel_Principal, PANEL_COMP_TEXT, ATTR_DIMMED, ligar ? 0 : 1);
    mostra_frontal();
}

int abre_tomadas() {
    const int painel = LoadPanel(Painel_Principal, "opcoes.uir", TESTER);
    if (painel < 0) {
        return -1;
    }
    Painel_Testador = painel;
    SetCtrlVal(Painel_Testador, TESTER_COMPONENTE, testador_comp);
    mostra_valores(Painel_Testador, testador_comp, testador_valor[0], testador_valor[1]);
    coloca_junto(Painel_Testador, PANEL_COMPONENT);
    InstallPopup(Painel_Testador);
    return 0;
}

} // namespace

int component_btn(int, int, int event, void *, int, int eventData2) {
    if (!clique_frontal(event, kAjudaComponent)) {
        return 0;
    }
    if (eventData2 >= kFimDaTecla) {
        return abre_tomadas();
    }
    liga_testador(testador == 0);
    return 0;
}

int f_componente(int panel, int, int event, void *, int, int) {
    if (event == EVENT_VAL_CHANGED) {
        int kind = testador_comp;
        GetCtrlVal(panel, TESTER_COMPONENTE, &kind);
        // The kind's own start values; the one connected keeps its values.
        const double first =
            kind == testador_comp ? testador_valor[0] : tester::valueRange(kind, 0).start;
        const double second =
            kind == testador_comp ? testador_valor[1] : tester::valueRange(kind, 1).start;
        mostra_valores(panel, kind, first, second);
    }
    return 0;
}

int aplic_testador(int panel, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT) {
        return 0;
    }
    int kind = testador_comp;
    GetCtrlVal(panel, TESTER_COMPONENTE, &kind);
    if (kind < 0 || kind >= tester::kKinds) {
        MessagePopup(kTitulo,
                     QT_TRANSLATE_NOOP("Vantrel", "Componente desconhecido: nada foi alterado."));
        return 0;
    }
    double first = 0.0;
    double second = 0.0;
    if (!le_valor(panel, TESTER_VALOR, kind, 0, first) ||
        !le_valor(panel, TESTER_VALOR2, kind, 1, second)) {
        return 0;
    }
    testador_comp = kind;
    testador_valor[0] = first;
    testador_valor[1] = second;
    fecha_dialogo(event, Painel_Testador);
    mostra_frontal();
    return 0;
}

int fecha_testador(int, int, int event, void *, int, int) {
    fecha_dialogo(event, Painel_Testador);
    return 0;
}
