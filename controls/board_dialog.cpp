#include "controls/board_dialog.h"

#include "app/state.h"
#include "board/board.h"
#include "board/circuit/e12.h"
#include "controls/front_state.h"
#include "engine/engine.h"
#include "engine/language.h"
#include "engine/translate.h"
#include "generator/generator.h"
#include "generator/signal/si_value.h"
#include "help/help.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

namespace circuit = vantrel::circuit;
/// A component's value as the board writes it, with the decimal mark of the program's language
/// (a comma in Portuguese, a point in English).
std::string formatValue(double value, const char *unit) {
    std::string text = vantrel::board::formatValue(value, unit);
    if (CurrentUiLanguage() == UiLanguage::English) {
        std::replace(text.begin(), text.end(), ',', '.');
    }
    return text;
}

constexpr int kAjudaPlaca = 24;
constexpr int kFontePlaca = 5;
constexpr int kTopo = 2;
constexpr int kEsquerda = 530;
// A typed text is quoted back in a message up to this many characters.
constexpr std::size_t kCitacaoMaxima = 16;
// Components outside the E12 series step by a tenth of their value.
constexpr double kPassoLivre = 1.1;

constexpr std::array kEsquemas{PLACA_ESQUEMA_0, PLACA_ESQUEMA_1, PLACA_ESQUEMA_2, PLACA_ESQUEMA_3,
                               PLACA_ESQUEMA_4, PLACA_ESQUEMA_5, PLACA_ESQUEMA_6, PLACA_ESQUEMA_7};
static_assert(kEsquemas.size() == circuit::kBoardCount);

/// The controls of one component's row.
struct Linha {
    int nome, valor, menos, mais, presente;
};
constexpr std::array<Linha, vantrel::kComponentesPlaca> kLinhas{{
    {PLACA_NOME_0, PLACA_VALOR_0, PLACA_MENOS_0, PLACA_MAIS_0, PLACA_PRESENTE_0},
    {PLACA_NOME_1, PLACA_VALOR_1, PLACA_MENOS_1, PLACA_MAIS_1, PLACA_PRESENTE_1},
    {PLACA_NOME_2, PLACA_VALOR_2, PLACA_MENOS_2, PLACA_MAIS_2, PLACA_PRESENTE_2},
}};

/// The board settings as the dialog found them, and the channel's source before it, which
/// "Sair" brings back.
struct Copia {
    int tipo = 0;
    int gerador = 0;
    std::array<int, 2> ponto{};
    std::array<std::array<double, vantrel::kComponentesPlaca>, vantrel::kPlacas> valores{};
    std::array<std::array<int, vantrel::kComponentesPlaca>, vantrel::kPlacas> presente{};
    int fonte = 0;
    std::string nome;
};
Copia copia;

const circuit::Board &placa() {
    return circuit::kBoards[static_cast<std::size_t>(placa_tipo)];
}

const circuit::Component &componente(int k) {
    return placa().components[static_cast<std::size_t>(k)];
}

int canalDoNome(int canal) {
    return canal == 0 ? PANEL_STRING_CH1 : PANEL_STRING_CH2;
}

/// The row whose control `campo` is `control`, or -1.
int linhaDe(int control, int Linha::*campo) {
    for (int k = 0; k < vantrel::kComponentesPlaca; ++k) {
        if (kLinhas[static_cast<std::size_t>(k)].*campo == control) {
            return k;
        }
    }
    return -1;
}

void mensagem(const std::string &texto) {
    SetCtrlVal(Painel_Placa, PLACA_MENSAGEM, texto.c_str());
}

void guarda() {
    copia.tipo = placa_tipo;
    copia.gerador = placa_gerador;
    std::copy_n(placa_ponto, 2, copia.ponto.begin());
    for (int b = 0; b < vantrel::kPlacas; ++b) {
        std::copy_n(placa_valores[b], vantrel::kComponentesPlaca, copia.valores[b].begin());
        std::copy_n(placa_presente[b], vantrel::kComponentesPlaca, copia.presente[b].begin());
    }
}

void repoe() {
    placa_tipo = copia.tipo;
    placa_gerador = copia.gerador;
    std::copy_n(copia.ponto.begin(), 2, placa_ponto);
    for (int b = 0; b < vantrel::kPlacas; ++b) {
        std::copy_n(copia.valores[b].begin(), vantrel::kComponentesPlaca, placa_valores[b]);
        std::copy_n(copia.presente[b].begin(), vantrel::kComponentesPlaca, placa_presente[b]);
    }
}

void mostraLinhas() {
    for (int k = 0; k < vantrel::kComponentesPlaca; ++k) {
        const Linha &linha = kLinhas[static_cast<std::size_t>(k)];
        const bool usada = k < placa().componentCount;
        for (const int control : {linha.nome, linha.valor, linha.menos, linha.mais}) {
            SetCtrlAttribute(Painel_Placa, control, ATTR_VISIBLE, usada ? 1 : 0);
        }
        const bool removivel = usada && componente(k).switchable;
        SetCtrlAttribute(Painel_Placa, linha.presente, ATTR_VISIBLE, removivel ? 1 : 0);
        if (!usada) {
            continue;
        }
        const circuit::Component &parte = componente(k);
        const std::string nome = std::string(parte.name) + " (" + parte.unit + ")";
        SetCtrlVal(Painel_Placa, linha.nome, nome.c_str());
        SetCtrlVal(Painel_Placa, linha.valor,
                   formatValue(placa_valores[placa_tipo][k], parte.unit).c_str());
        const int presente = placa_presente[placa_tipo][k];
        SetCtrlVal(Painel_Placa, linha.presente, presente);
        SetCtrlAttribute(
            Painel_Placa, linha.presente, ATTR_LABEL_TEXT,
            (std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "Com "))) + parte.name).c_str());
        for (const int control : {linha.valor, linha.menos, linha.mais}) {
            SetCtrlAttribute(Painel_Placa, control, ATTR_DIMMED, presente != 0 ? 0 : 1);
        }
    }
}

void mostraPontos() {
    ClearListCtrl(Painel_Placa, PLACA_PONTO);
    for (int p = 0; p < placa().probeCount; ++p) {
        InsertListItem(Painel_Placa, PLACA_PONTO, -1, placa().probes[static_cast<std::size_t>(p)],
                       p);
    }
    SetCtrlVal(Painel_Placa, PLACA_PONTO, placa_ponto[Canal]);
}

void mostraPlaca() {
    SetCtrlVal(Painel_Placa, PLACA_PLACA, placa_tipo);
    SetCtrlVal(Painel_Placa, PLACA_GERADOR, placa_gerador);
    for (int b = 0; b < vantrel::kPlacas; ++b) {
        SetCtrlAttribute(Painel_Placa, kEsquemas[static_cast<std::size_t>(b)], ATTR_VISIBLE,
                         b == placa_tipo ? 1 : 0);
    }
    SetCtrlVal(Painel_Placa, PLACA_DESCRICAO, Tr(placa().description));
    mostraPontos();
    mostraLinhas();
}

/// After a change the circuit sees: the channels on the board are named again and the message
/// line says whether the circuit has a solution.
void aplica() {
    const int estado = placa_resolve();
    for (int c = 0; c < 2; ++c) {
        if (ChIN[c] == kFontePlaca) {
            mostra_fonte_placa(c);
        }
    }
    mensagem(estado == 0
                 ? ""
                 : Tr(QT_TRANSLATE_NOOP("Vantrel", "Não convergiu: o cálculo do circuito não "
                                                   "estabilizou com estes valores. Os pontos da "
                                                   "placa mostram uma linha a 0 V.")));
    mostra_frontal();
}

std::string citacao(const std::string &texto) {
    return texto.size() <= kCitacaoMaxima ? texto : texto.substr(0, kCitacaoMaxima) + "…";
}

/// Why a typed value was refused, and what the component keeps.
std::string recusa(int k, const std::string &texto, int codigo) {
    const circuit::Component &parte = componente(k);
    std::string porque;
    switch (codigo) {
    case vantrel::kSiValueEmpty:
        porque = Tr(QT_TRANSLATE_NOOP("Vantrel", "falta o valor"));
        break;
    case vantrel::kSiValueNegative:
        porque = Tr(QT_TRANSLATE_NOOP("Vantrel", "o valor não pode ser negativo"));
        break;
    case vantrel::kSiValueZero:
        porque = Tr(QT_TRANSLATE_NOOP("Vantrel", "o valor não pode ser zero"));
        break;
    case vantrel::kSiValueBelowMin:
        porque = Tr(QT_TRANSLATE_NOOP("Vantrel", "o mínimo é ")) +
                 formatValue(parte.minValue, parte.unit);
        break;
    case vantrel::kSiValueAboveMax:
        porque = Tr(QT_TRANSLATE_NOOP("Vantrel", "o máximo é ")) +
                 formatValue(parte.maxValue, parte.unit);
        break;
    default:
        porque = "\"" + citacao(texto) +
                 Tr(QT_TRANSLATE_NOOP("Vantrel",
                                      "\" não é um valor (por exemplo 1,5k, 4k7, 100n, 22u)"));
        break;
    }
    return std::string(parte.name) + ": " + porque +
           Tr(QT_TRANSLATE_NOOP("Vantrel", ". Mantém-se ")) +
           formatValue(placa_valores[placa_tipo][k], parte.unit) + ".";
}

/// The value one step from `valor` in `sentido` (+1 up, -1 down) within the component's range;
/// false at the end of the range.
bool passo(const circuit::Component &parte, double valor, int sentido, double *novo) {
    if (parte.e12) {
        return circuit::e12Step(valor, sentido, parte.minValue, parte.maxValue, novo) == 0;
    }
    const double seguinte = sentido > 0 ? valor * kPassoLivre : valor / kPassoLivre;
    *novo = std::clamp(seguinte, parte.minValue, parte.maxValue);
    return *novo != valor;
}

bool pedeAjuda(int event) {
    if (event == EVENT_RIGHT_CLICK) {
        help_O(kAjudaPlaca);
        return true;
    }
    return false;
}

void fecha() {
    DiscardPanel(Painel_Placa);
    Painel_Placa = 0;
    mostra_frontal();
}

} // namespace

void placa_valores_iniciais() {
    placa_tipo = circuit::kRcLowPass;
    placa_gerador = 0;
    placa_ponto[0] = 0;
    placa_ponto[1] = 1;
    for (int b = 0; b < vantrel::kPlacas; ++b) {
        const circuit::Board &tabela = circuit::kBoards[static_cast<std::size_t>(b)];
        for (int k = 0; k < vantrel::kComponentesPlaca; ++k) {
            const circuit::Component &parte = tabela.components[static_cast<std::size_t>(k)];
            const bool existe = k < tabela.componentCount;
            placa_valores[b][k] = existe ? parte.defaultValue : 0.0;
            placa_presente[b][k] = existe && (!parte.switchable || parte.presentByDefault) ? 1 : 0;
        }
    }
}

int abrir_placa(int canal) {
    guarda();
    copia.fonte = ChIN[canal];
    GetCtrlVal(Painel_Principal, canalDoNome(canal), &copia.nome);
    Canal = canal;
    ChIN[canal] = kFontePlaca;
    const int painel = LoadPanel(Painel_Principal, "placa.uir", PLACA);
    if (painel < 0) {
        mostra_fonte_placa(canal);
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Placa de circuitos"),
                     QT_TRANSLATE_NOOP("Vantrel", "A janela da placa não pôde ser carregada "
                                                  "(ficheiro \"placa.uir\" em falta ou "
                                                  "danificado).\nO canal mede a placa com as "
                                                  "definições actuais."));
        return -1;
    }
    Painel_Placa = painel;
    SetPanelAttribute(Painel_Placa, ATTR_TITLE,
                      canal == 0 ? QT_TRANSLATE_NOOP("Vantrel", "Placa de circuitos – CH I")
                                 : QT_TRANSLATE_NOOP("Vantrel", "Placa de circuitos – CH II"));
    SetCtrlVal(Painel_Placa, PLACA_TXT_PONTO,
               canal == 0 ? QT_TRANSLATE_NOOP("Vantrel", "Ponto medido pelo CH I:")
                          : QT_TRANSLATE_NOOP("Vantrel", "Ponto medido pelo CH II:"));
    ClearListCtrl(Painel_Placa, PLACA_PLACA);
    for (int b = 0; b < vantrel::kPlacas; ++b) {
        InsertListItem(Painel_Placa, PLACA_PLACA, -1,
                       circuit::kBoards[static_cast<std::size_t>(b)].name, b);
    }
    mostraPlaca();
    aplica();
    // Beside the screen and above the information area, which both follow every change.
    SetPanelPos(Painel_Placa, kTopo, kEsquerda);
    InstallPopup(Painel_Placa);
    return 0;
}

int placa_escolha(int panel, int, int event, void *, int, int) {
    if (pedeAjuda(event) || event != EVENT_VAL_CHANGED) {
        return 0;
    }
    int tipo = 0;
    GetCtrlVal(panel, PLACA_PLACA, &tipo);
    if (tipo < 0 || tipo >= vantrel::kPlacas) {
        return 0;
    }
    placa_tipo = tipo;
    // A point that the new board lacks becomes its last one.
    for (int &ponto : placa_ponto) {
        ponto = std::min(ponto, placa().probeCount - 1);
    }
    mostraPlaca();
    aplica();
    return 0;
}

int placa_gerador_fn(int panel, int, int event, void *, int, int) {
    if (pedeAjuda(event) || event != EVENT_VAL_CHANGED) {
        return 0;
    }
    int gerador = 0;
    GetCtrlVal(panel, PLACA_GERADOR, &gerador);
    placa_gerador = gerador == 1 ? 1 : 0;
    aplica();
    return 0;
}

int placa_ponto_fn(int panel, int, int event, void *, int, int) {
    if (pedeAjuda(event) || event != EVENT_VAL_CHANGED) {
        return 0;
    }
    int ponto = 0;
    GetCtrlVal(panel, PLACA_PONTO, &ponto);
    if (ponto >= 0 && ponto < placa().probeCount) {
        placa_ponto[Canal] = ponto;
    }
    aplica();
    return 0;
}

int placa_valor(int panel, int control, int event, void *, int, int) {
    const int k = linhaDe(control, &Linha::valor);
    if (pedeAjuda(event) || event != EVENT_COMMIT || k < 0 || k >= placa().componentCount) {
        return 0;
    }
    std::string texto;
    GetCtrlVal(panel, control, &texto);
    const circuit::Component &parte = componente(k);
    double valor = 0.0;
    const int codigo = parseSiValue(texto, parte.unit, parte.minValue, parte.maxValue, &valor);
    if (codigo != 0) {
        mostraLinhas();
        mensagem(recusa(k, texto, codigo));
        return 0;
    }
    placa_valores[placa_tipo][k] = valor;
    mostraLinhas();
    aplica();
    return 0;
}

int placa_passo(int, int control, int event, void *, int, int) {
    const int abaixo = linhaDe(control, &Linha::menos);
    const int k = abaixo >= 0 ? abaixo : linhaDe(control, &Linha::mais);
    if (pedeAjuda(event) || event != EVENT_COMMIT || k < 0 || k >= placa().componentCount) {
        return 0;
    }
    const circuit::Component &parte = componente(k);
    const int sentido = abaixo >= 0 ? -1 : 1;
    double valor = 0.0;
    if (!passo(parte, placa_valores[placa_tipo][k], sentido, &valor)) {
        mensagem(std::string(parte.name) + ": " +
                 (sentido > 0 ? Tr(QT_TRANSLATE_NOOP("Vantrel", "já está no máximo, ")) +
                                    formatValue(parte.maxValue, parte.unit)
                              : Tr(QT_TRANSLATE_NOOP("Vantrel", "já está no mínimo, ")) +
                                    formatValue(parte.minValue, parte.unit)) +
                 ".");
        return 0;
    }
    placa_valores[placa_tipo][k] = valor;
    mostraLinhas();
    aplica();
    return 0;
}

int placa_presenca(int panel, int control, int event, void *, int, int) {
    const int k = linhaDe(control, &Linha::presente);
    if (pedeAjuda(event) || event != EVENT_COMMIT || k < 0 || k >= placa().componentCount) {
        return 0;
    }
    int presente = 0;
    GetCtrlVal(panel, control, &presente);
    placa_presente[placa_tipo][k] = presente != 0 ? 1 : 0;
    mostraLinhas();
    aplica();
    return 0;
}

int placa_painel_gerador(int, int, int event, void *, int, int) {
    if (!pedeAjuda(event) && event == EVENT_COMMIT) {
        // The generator's panel opens beside the front, which a modal board dialog would block:
        // the board is confirmed as it stands first.
        const int gerador = placa_gerador;
        fecha();
        ab_gerador(gerador);
    }
    return 0;
}

int placa_confirmar(int, int, int event, void *, int, int) {
    if (!pedeAjuda(event) && event == EVENT_COMMIT) {
        fecha();
    }
    return 0;
}

int placa_sair(int, int, int event, void *, int, int) {
    if (pedeAjuda(event) || event != EVENT_COMMIT) {
        return 0;
    }
    repoe();
    ChIN[Canal] = copia.fonte;
    SetCtrlVal(Painel_Principal, canalDoNome(Canal), copia.nome.c_str());
    const int outro = 1 - Canal;
    if (ChIN[outro] == kFontePlaca) {
        mostra_fonte_placa(outro);
    }
    fecha();
    return 0;
}

int placa_ajuda(int, int, int event, void *, int, int) {
    pedeAjuda(event);
    return 0;
}
