#include "generator/generator.h"

#include "app/state.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "generator/signal/frequency.h"
#include "generator/signal/si_value.h"
#include "generator/signal/signal.h"
#include "help/help.h"
#include "ui/uir_constants.h"

#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace {

/// While an exercise hides the generator's settings, its panels do not open.
bool gerador_bloqueado = false;

constexpr char kFicheiro[] = "gerador.uir";

/// Help pages of the PHASE knob and of the typed frequency, after the book's first twelve.
constexpr int kPaginaFase = 13;
constexpr int kPaginaFreqDigitada = 14;

/// A range button of `GER_ESC` and its label on the front panel, by multiplier.
struct Escala {
    int factor;
    int botao;
    int legenda;
};

constexpr std::array<Escala, 7> kEscalas{{
    {1, GER_ESC_range1, GERADOR_ESC_TEXT_7},
    {10, GER_ESC_range10, GERADOR_ESC_TEXT_6},
    {100, GER_ESC_range100, GERADOR_ESC_TEXT_5},
    {1000, GER_ESC_range1k, GERADOR_ESC_TEXT_4},
    {10000, GER_ESC_range10k, GERADOR_ESC_TEXT_3},
    {100000, GER_ESC_range100k, GERADOR_ESC_TEXT_2},
    {1000000, GER_ESC_range1m, GERADOR_ESC_TEXT_1},
}};

/// A waveform button of `GER_ONDA` and its icon on the front panel, by `tipo_onda` value.
struct Forma {
    int tipo;
    int botao;
    int icone;
};

constexpr std::array<Forma, 3> kFormas{{
    {1, GER_ONDA_QUAD, GERADOR_ONDA_TEXT_1},
    {2, GER_ONDA_TRIA, GERADOR_ONDA_TEXT_2},
    {3, GER_ONDA_SINU, GERADOR_ONDA_TEXT_3},
}};

/// The output attenuator's positions (dB) with their keys in `ATENUA` and their gains.
struct Atenuacao {
    int db;
    int botao;
    double ganho;
};

constexpr std::array<Atenuacao, 3> kAtenuacoes{{
    {0, ATENUA_ATT_0, 1.0},
    {20, ATENUA_ATT_20, 0.1},
    {40, ATENUA_ATT_40, 0.01},
}};

/// Gain of the attenuator position `db`; an unknown position passes the signal whole.
double ganho_de(int db) {
    for (const Atenuacao &a : kAtenuacoes) {
        if (a.db == db) {
            return a.ganho;
        }
    }
    return 1.0;
}

/// The dialog of a generator command opens beside its picture, clear of the tube.
void coloca_junto(int dialogo, int picture) {
    PlacePanelBeside(dialogo, Painel_Gerador, picture, Painel_Principal, PANEL_MOSTRAR);
}

/// A picture of the front panel: the left click opens `dialogo` beside `picture`, the right
/// click a help page.
int abre_dialogo(int event, int dialogo, int picture, int pagina) {
    if (event == EVENT_LEFT_CLICK) {
        coloca_junto(dialogo, picture);
        InstallPopup(dialogo);
    } else if (event == EVENT_RIGHT_CLICK) {
        help_G(pagina);
    }
    return 0;
}

/// A legend of the front panel that only carries its help page.
int so_ajuda(int event, int pagina) {
    if (event == EVENT_RIGHT_CLICK) {
        help_G(pagina);
    }
    return 0;
}

int escolhe_escala(int event, int factor) {
    if (event == EVENT_COMMIT) {
        botao_activo[geradorID] = factor;
        actual_ger();
    }
    return 0;
}

int escolhe_atenuacao(int event, int db) {
    if (event == EVENT_COMMIT) {
        atenuacao_G[geradorID] = db;
        actual_ger();
    }
    return 0;
}

int escolhe_forma(int event, int tipo) {
    if (event == EVENT_COMMIT) {
        tipo_onda[geradorID] = tipo;
        actual_ger();
    }
    return 0;
}

/// A knob of a generator dialog: its value becomes the shown generator's setting.
int le_botao(int panel, int control, int event, double (&ajuste)[2]) {
    if (event == EVENT_VAL_CHANGED) {
        GetCtrlVal(panel, control, &ajuste[geradorID]);
        actual_ger();
    }
    return 0;
}

/// A knob picture of the front panel over `picture` whose setting lives in the knob
/// `botao` of the dialog `dialogo`: its pointer and tooltip follow the dialog's knob.
void mostra_botao(int picture, int dialogo, int botao, const char *formato) {
    double valor = 0.0;
    double minimo = 0.0;
    double maximo = 1.0;
    GetCtrlVal(dialogo, botao, &valor);
    GetCtrlAttribute(dialogo, botao, ATTR_MIN_VALUE, &minimo);
    GetCtrlAttribute(dialogo, botao, ATTR_MAX_VALUE, &maximo);
    SetCtrlAttribute(Painel_Gerador, picture, ATTR_POINTER_ANGLE,
                     KnobPointerAngle(valor, minimo, maximo));
    std::array<char, 64> dica{};
    std::snprintf(dica.data(), dica.size(), formato, valor);
    SetCtrlAttribute(Painel_Gerador, picture, ATTR_TOOLTIP_TEXT, dica.data());
}

/// The key of `valor` among `chaves` (its bit in a pressed-keys mask), or 0 when none.
template <typename T, std::size_t N>
int tecla_de(const std::array<T, N> &chaves, int valor, int T::*campo) {
    for (std::size_t i = 0; i < N; ++i) {
        if (chaves[i].*campo == valor) {
            return 1 << i;
        }
    }
    return 0;
}

/// The FUNCTION keys' tooltip: the waveform, and the ramp or pulse it has become.
void mostra_funcao(int g) {
    std::array<char, 80> dica{};
    if (tipo_onda[g] == 1 && ciclo_G[g] != 50.0) {
        std::snprintf(dica.data(), dica.size(),
                      Tr(QT_TRANSLATE_NOOP("Vantrel", "FUNCTION: impulso, ciclo %.0f %%")),
                      ciclo_G[g]);
    } else if (tipo_onda[g] == 2 && rampa_G[g] != 50.0) {
        std::snprintf(dica.data(), dica.size(),
                      Tr(QT_TRANSLATE_NOOP("Vantrel", "FUNCTION: rampa, subida %.0f %%")),
                      rampa_G[g]);
    } else {
        constexpr std::array<const char *, 4> kNomeForma{
            "", QT_TRANSLATE_NOOP("Vantrel", "FUNCTION: quadrada"),
            QT_TRANSLATE_NOOP("Vantrel", "FUNCTION: triangular"),
            QT_TRANSLATE_NOOP("Vantrel", "FUNCTION: sinusoidal")};
        std::snprintf(dica.data(), dica.size(), "%s",
                      Tr(kNomeForma[tipo_onda[g] >= 1 && tipo_onda[g] <= 3 ? tipo_onda[g] : 0]));
    }
    SetCtrlAttribute(Painel_Gerador, GERADOR_PICTURE_5, ATTR_TOOLTIP_TEXT, dica.data());
}

/// The phase read-out and the tooltips of the RAMP/PULSE, ATT, SYNC and VCF areas.
void mostra_extras(int g) {
    std::array<char, 96> texto{};
    std::snprintf(texto.data(), texto.size(), fase_G[g] == 0.0 ? "PHASE %.0f°" : "PHASE %+.0f°",
                  fase_G[g]);
    SetCtrlVal(Painel_Gerador, GERADOR_TEXTMSG_FASE, texto.data());
    std::snprintf(texto.data(), texto.size(),
                  Tr(QT_TRANSLATE_NOOP(
                      "Vantrel", "RAMP/PULSE: subida da rampa %.0f %%, ciclo do impulso %.0f %%")),
                  rampa_G[g], ciclo_G[g]);
    SetCtrlAttribute(Painel_Gerador, GERADOR_DECORATION_13, ATTR_TOOLTIP_TEXT, texto.data());
    std::snprintf(texto.data(), texto.size(), "ATT: %s%d dB", atenuacao_G[g] == 0 ? "" : "−",
                  atenuacao_G[g]);
    SetCtrlAttribute(Painel_Gerador, GERADOR_DECORATION_14, ATTR_TOOLTIP_TEXT, texto.data());
    std::snprintf(
        texto.data(), texto.size(),
        Tr(QT_TRANSLATE_NOOP(
            "Vantrel",
            "SYNC: quadrada TTL 0/5 V do gerador %d; entrada \"Sync do gerador %d\" do CH %s")),
        g + 1, g + 1, g == 0 ? "II" : "I");
    SetCtrlAttribute(Painel_Gerador, GERADOR_DECORATION_15, ATTR_TOOLTIP_TEXT, texto.data());
    SetCtrlAttribute(
        Painel_Gerador, GERADOR_DECORATION_16, ATTR_TOOLTIP_TEXT,
        QT_TRANSLATE_NOOP("Vantrel", "VCF: o varrimento de frequência não é simulado"));
}

/// Writes every indicator and knob of the panels from the state of generator `g`, so that
/// the dialogs always show the generator being edited, and the front's knobs and keys with
/// them.
void mostra_gerador(int g) {
    SetCtrlVal(Painel_Gerador, GERADOR_GER_ID, g + 1);
    SetCtrlVal(Painel_Gerador, GERADOR_Freq_text, freq_G[g]);
    SetCtrlVal(Painel_Ger_Ampl, AMPLIT_roda_gerador_2, amplit[g]);
    SetCtrlVal(Painel_Ger_Freq, FREQ_roda_gerador, botao_freq[g]);
    SetCtrlVal(Painel_Ger_offset, OFFSET_roda_offset, offset[g]);
    SetCtrlVal(Painel_Ger_Fase, FASE_roda_fase, fase_G[g]);
    SetCtrlVal(Painel_Ger_Rampa, RAMPA_roda_rampa, rampa_G[g]);
    SetCtrlVal(Painel_Ger_Rampa, RAMPA_roda_ciclo, ciclo_G[g]);
    for (const Atenuacao &a : kAtenuacoes) {
        SetCtrlVal(Painel_Ger_Att, a.botao, a.db == atenuacao_G[g] ? 1 : 0);
    }
    mostra_botao(GERADOR_PICTURE_3, Painel_Ger_Freq, FREQ_roda_gerador, "FREQUENCY: %.2f x RANGE");
    mostra_botao(GERADOR_PICTURE_4, Painel_Ger_Ampl, AMPLIT_roda_gerador_2, "AMPLITUDE: %.1f V");
    mostra_botao(GERADOR_PICTURE_6, Painel_Ger_offset, OFFSET_roda_offset, "OFFSET: %+.1f V");
    mostra_botao(GERADOR_PICTURE_FASE, Painel_Ger_Fase, FASE_roda_fase, "PHASE: %+.0f°");
    mostra_extras(g);
    SetCtrlAttribute(Painel_Gerador, GERADOR_ESCALA_F, ATTR_PRESSED_KEYS,
                     tecla_de(kEscalas, botao_activo[g], &Escala::factor));
    SetCtrlAttribute(Painel_Gerador, GERADOR_PICTURE_5, ATTR_PRESSED_KEYS,
                     tecla_de(kFormas, tipo_onda[g], &Forma::tipo));
    SetCtrlAttribute(Painel_Gerador, GERADOR_PICTURE_2, ATTR_TOOLTIP_TEXT,
                     ger_enable[g] != 0 ? QT_TRANSLATE_NOOP("Vantrel", "POWER: ligado")
                                        : QT_TRANSLATE_NOOP("Vantrel", "POWER: desligado"));
    std::array<char, 64> dica{};
    std::snprintf(dica.data(), dica.size(), "RANGE: x%d", botao_activo[g]);
    SetCtrlAttribute(Painel_Gerador, GERADOR_ESCALA_F, ATTR_TOOLTIP_TEXT, dica.data());
    mostra_funcao(g);
}

/// A knob picture of the front panel: the wheel turns the dialog's knob in place (by `tenths` of
/// its step: Ctrl turns it finely), the clicks act as on any other picture.
int botao_frontal(int event, int tenths, int picture, int dialogo, int botao, int pagina) {
    if (event == EVENT_MOUSE_WHEEL) {
        TurnKnobTenths(dialogo, botao, tenths);
        return 0;
    }
    return abre_dialogo(event, dialogo, picture, pagina);
}

/// Start values of generator `g`: a 100 Hz sine, switched on, 2 V (generator 1) or 3 V
/// (generator 2) peak. The offset keeps its value: it starts at 0 with the program.
void valores_iniciais(int g) {
    botao_freq[g] = 1.0;
    tipo_onda[g] = 3;
    botao_activo[g] = 100;
    ger_enable[g] = 1;
    amplit[g] = g == 0 ? 2.0 : 3.0;
    fase_G[g] = 0.0;
    rampa_G[g] = 50.0;
    ciclo_G[g] = 50.0;
    atenuacao_G[g] = 0;
}

} // namespace

int iniciar_gerador() {
    // Every panel is loaded before any state changes: a failure leaves the state as it was.
    const std::array<std::pair<int *, int>, 9> paineis{{
        {&Painel_Gerador, GERADOR},
        {&Painel_Ger_Esc, GER_ESC},
        {&Painel_Ger_Freq, FREQ},
        {&Painel_Ger_Ampl, AMPLIT},
        {&Painel_Ger_Onda, GER_ONDA},
        {&Painel_Ger_offset, OFFSET},
        {&Painel_Ger_Fase, FASE},
        {&Painel_Ger_Rampa, RAMPA},
        {&Painel_Ger_Att, ATENUA},
    }};
    for (const auto &[handle, numero] : paineis) {
        *handle = LoadPanel(Painel_Principal, kFicheiro, numero);
        if (*handle < 0) {
            return -1;
        }
    }
    valores_iniciais(0);
    valores_iniciais(1);
    // The generator opens docked below the oscilloscope's front; the user may detach it.
    SetPanelAttribute(Painel_Gerador, ATTR_DOCKED, 1);
    return 0;
}

void reinicia_gerador(int g) {
    if (g != 0 && g != 1) {
        return;
    }
    valores_iniciais(g);
    offset[g] = 0.0;
    const int mostrado = geradorID;
    if (mostrado == g) {
        // The output lamp shows the power of the generator on the panel.
        SetCtrlVal(Painel_Gerador, GERADOR_LED, 1);
    }
    geradorID = g;
    actual_ger();
    geradorID = mostrado;
    if (mostrado != g) {
        // The panels go back to the generator they show.
        actual_ger();
    }
}

void alinha_geradores() {
    const int mostrado = geradorID;
    geradorID = 1 - mostrado;
    actual_ger();
    geradorID = mostrado;
    actual_ger();
    SetCtrlVal(Painel_Gerador, GERADOR_LED, ger_enable[mostrado] != 0 ? 1 : 0);
}

void ab_gerador(int channel) {
    if (gerador_bloqueado) {
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Gerador"),
                     QT_TRANSLATE_NOOP("Vantrel", "O painel do gerador está bloqueado neste "
                                                  "exercício: meça o sinal no osciloscópio."));
        return;
    }
    geradorID = channel;
    // Below the tube, so that the student sees the signal change while setting it.
    int topo = 0;
    int altura = 0;
    GetCtrlAttribute(Painel_Principal, PANEL_MOSTRAR, ATTR_TOP, &topo);
    GetCtrlAttribute(Painel_Principal, PANEL_MOSTRAR, ATTR_HEIGHT, &altura);
    int esquerda = 0;
    GetPanelAttribute(Painel_Gerador, ATTR_LEFT, &esquerda);
    SetPanelPos(Painel_Gerador, topo + altura + 2, esquerda);
    // Beside the oscilloscope, not over it: the front stays operable while the panel is open.
    // Without its panel file the generator still runs; the user is told why nothing opens.
    if (DisplayPanel(Painel_Gerador) != 0) {
        MessagePopup(
            QT_TRANSLATE_NOOP("Vantrel", "Gerador"),
            QT_TRANSLATE_NOOP(
                "Vantrel",
                "O painel do gerador não pôde ser carregado (ficheiro \"gerador.uir\" em falta ou "
                "danificado).\nO gerador continua a funcionar com as definições actuais."));
    }
    // A screen too short for the docked panel opens it as its own window: the key says so.
    int acoplado = 1;
    GetPanelAttribute(Painel_Gerador, ATTR_DOCKED, &acoplado);
    SetCtrlAttribute(Painel_Gerador, GERADOR_destacar_btn, ATTR_LABEL_TEXT,
                     acoplado != 0 ? QT_TRANSLATE_NOOP("Vantrel", "__Destacar")
                                   : QT_TRANSLATE_NOOP("Vantrel", "__Acoplar"));
    actual_ger();
}

void bloqueia_gerador(int bloqueado) {
    gerador_bloqueado = bloqueado != 0;
    if (gerador_bloqueado) {
        for (const int painel :
             {Painel_Gerador, Painel_Ger_Esc, Painel_Ger_Freq, Painel_Ger_Ampl, Painel_Ger_Onda,
              Painel_Ger_offset, Painel_Ger_Fase, Painel_Ger_Rampa, Painel_Ger_Att}) {
            HidePanel(painel);
        }
    }
}

void Abrir_ger1(int, int, void *, int) {
    ab_gerador(0);
}

void Abrir_ger2(int, int, void *, int) {
    ab_gerador(1);
}

int actual_ger() {
    const int g = geradorID;
    act_escala(botao_activo[g]);
    act_tipo(tipo_onda[g]);
    freq_G[g] = botao_activo[g] * botao_freq[g];
    // The read-out shows range x knob even while the output is off.
    mostra_gerador(g);
    sintetiza_gerador(g);
    return 0;
}

void sintetiza_gerador(int g) {
    double *saida = onda_G[g];
    double *sync = onda_sync[g];
    if (ger_enable[g] == 0) {
        Set1D(saida, vantrel::kSamples, 0.0);
        Set1D(sync, vantrel::kSamples, 0.0);
        freq_G[g] = 0.0;
        return;
    }
    const double ganho = ganho_de(atenuacao_G[g]);
    if (freq_G[g] == 0.0) {
        Set1D(saida, vantrel::kSamples, offset[g] * ganho);
        Set1D(sync, vantrel::kSamples, 0.0);
        return;
    }
    // Every rebuild starts the period at the set phase, so the buffer never depends on its
    // history, and two generators of one frequency keep exactly the difference of their phases.
    constexpr double kUmPeriodo = 1.0 / vantrel::kSamples;
    double fase = fase_G[g];
    switch (tipo_onda[g]) {
    case 1:
        // The plain square keeps its own routine, so the start-up wave is exactly as before.
        if (ciclo_G[g] == 50.0) {
            SquareWave(vantrel::kSamples, amplit[g], kUmPeriodo, &fase, 50.0, saida);
        } else {
            PulseWave(vantrel::kSamples, amplit[g], kUmPeriodo, &fase, ciclo_G[g], saida);
        }
        break;
    case 2:
        // The plain triangle keeps its own routine, so the start-up wave is exactly as before.
        if (rampa_G[g] == 50.0) {
            TriangleWave(vantrel::kSamples, amplit[g], kUmPeriodo, &fase, saida);
        } else {
            RampWave(vantrel::kSamples, amplit[g], kUmPeriodo, &fase, rampa_G[g], saida);
        }
        break;
    default:
        SinePattern(vantrel::kSamples, amplit[g], fase_G[g], 1.0, saida);
        break;
    }
    for (int i = 0; i < vantrel::kSamples; ++i) {
        saida[i] = (saida[i] + offset[g]) * ganho;
    }
    // SYNC: TTL levels, high during the first half of every period of the output.
    constexpr double kMeioTTL = 2.5;
    fase = fase_G[g];
    SquareWave(vantrel::kSamples, kMeioTTL, kUmPeriodo, &fase, 50.0, sync);
    for (int i = 0; i < vantrel::kSamples; ++i) {
        sync[i] += kMeioTTL;
    }
}

int act_escala(int range) {
    for (const Escala &e : kEscalas) {
        const int escolhida = e.factor == range ? 1 : 0;
        SetCtrlVal(Painel_Ger_Esc, e.botao, escolhida);
        SetCtrlAttribute(Painel_Gerador, e.legenda, ATTR_DIMMED, 1 - escolhida);
    }
    return 0;
}

int act_tipo(int type) {
    for (const Forma &f : kFormas) {
        const int escolhida = f.tipo == type ? 1 : 0;
        SetCtrlVal(Painel_Ger_Onda, f.botao, escolhida);
        SetCtrlAttribute(Painel_Gerador, f.icone, ATTR_DIMMED, 1 - escolhida);
    }
    return 0;
}

// ---- Front panel ------------------------------------------------------------------------------

int Power_ger(int, int, int event, void *, int, int) {
    if (event == EVENT_LEFT_CLICK) {
        // The LED follows the switch only: rebuilding or showing the other generator keeps it.
        const int ligar = ger_enable[geradorID] == 0 ? 1 : 0;
        SetCtrlVal(Painel_Gerador, GERADOR_LED, ligar);
        ger_enable[geradorID] = ligar;
        actual_ger();
    } else if (event == EVENT_RIGHT_CLICK) {
        help_G(1);
    }
    return 0;
}

int destaca_gerador(int panel, int control, int event, void *, int, int) {
    if (event == EVENT_RIGHT_CLICK) {
        help_G(1);
        return 0;
    }
    if (event != EVENT_COMMIT) {
        return 0;
    }
    int acoplado = 0;
    GetPanelAttribute(panel, ATTR_DOCKED, &acoplado);
    SetPanelAttribute(panel, ATTR_DOCKED, acoplado != 0 ? 0 : 1);
    // A screen too short for both faces keeps the panel in its own window.
    int agora = acoplado;
    GetPanelAttribute(panel, ATTR_DOCKED, &agora);
    SetCtrlAttribute(panel, control, ATTR_LABEL_TEXT,
                     agora != 0 ? QT_TRANSLATE_NOOP("Vantrel", "__Destacar")
                                : QT_TRANSLATE_NOOP("Vantrel", "__Acoplar"));
    if (agora == acoplado) {
        MessagePopup(QT_TRANSLATE_NOOP("Vantrel", "Gerador"),
                     QT_TRANSLATE_NOOP("Vantrel", "O ecrã não tem altura para o painel do gerador "
                                                  "por baixo do osciloscópio: o painel fica numa "
                                                  "janela própria."));
    }
    return 0;
}

int SairGerador(int panel, int, int event, void *, int, int) {
    // A mouse press reports a left click and, when the button is released, a commit; the
    // accelerator and the window's close box report the commit alone. Hiding twice is harmless.
    if (event == EVENT_LEFT_CLICK || event == EVENT_COMMIT) {
        HidePanel(panel);
    } else if (event == EVENT_RIGHT_CLICK) {
        help_G(1);
    }
    return 0;
}

int most_esc(int, int, int event, void *, int, int) {
    return abre_dialogo(event, Painel_Ger_Esc, GERADOR_ESCALA_F, 10);
}

int most_freq(int, int, int event, void *, int eventData1, int eventData2) {
    return botao_frontal(event, WheelTenths(eventData1, eventData2), GERADOR_PICTURE_3,
                         Painel_Ger_Freq, FREQ_roda_gerador, 11);
}

int most_ampl(int, int, int event, void *, int eventData1, int eventData2) {
    return botao_frontal(event, WheelTenths(eventData1, eventData2), GERADOR_PICTURE_4,
                         Painel_Ger_Ampl, AMPLIT_roda_gerador_2, 8);
}

int most_onda(int, int, int event, void *, int, int) {
    return abre_dialogo(event, Painel_Ger_Onda, GERADOR_PICTURE_5, 3);
}

int most_offset(int, int, int event, void *, int eventData1, int eventData2) {
    return botao_frontal(event, WheelTenths(eventData1, eventData2), GERADOR_PICTURE_6,
                         Painel_Ger_offset, OFFSET_roda_offset, 7);
}

int info_fn(int, int, int event, void *, int, int) {
    return so_ajuda(event, 12);
}

int ramp_fn(int, int, int event, void *, int, int) {
    return abre_dialogo(event, Painel_Ger_Rampa, GERADOR_DECORATION_13, 9);
}

int att_fn(int, int, int event, void *, int, int) {
    return abre_dialogo(event, Painel_Ger_Att, GERADOR_DECORATION_14, 2);
}

int most_fase(int, int, int event, void *, int eventData1, int eventData2) {
    return botao_frontal(event, WheelTenths(eventData1, eventData2), GERADOR_PICTURE_FASE,
                         Painel_Ger_Fase, FASE_roda_fase, kPaginaFase);
}

int sync_fn(int, int, int event, void *, int, int) {
    return so_ajuda(event, 6);
}

int vcf_fn(int, int, int event, void *, int, int) {
    return so_ajuda(event, 5);
}

int output_fn(int, int, int event, void *, int, int) {
    return so_ajuda(event, 4);
}

// ---- Dialogs ----------------------------------------------------------------------------------

int range1(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 1);
}

int range10(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 10);
}

int range100(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 100);
}

int range1k(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 1000);
}

int range10k(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 10000);
}

int range100k(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 100000);
}

int range1m(int, int, int event, void *, int, int) {
    return escolhe_escala(event, 1000000);
}

int gerad_freq(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, botao_freq);
}

int gerad_ampl(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, amplit);
}

int gerad_offset(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, offset);
}

int gerad_fase(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, fase_G);
}

int gerad_rampa(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, rampa_G);
}

int gerad_ciclo(int panel, int control, int event, void *, int, int) {
    return le_botao(panel, control, event, ciclo_G);
}

int att_0(int, int, int event, void *, int, int) {
    return escolhe_atenuacao(event, 0);
}

int att_20(int, int, int event, void *, int, int) {
    return escolhe_atenuacao(event, 20);
}

int att_40(int, int, int event, void *, int, int) {
    return escolhe_atenuacao(event, 40);
}

int freq_digitada(int panel, int control, int event, void *, int, int) {
    if (event == EVENT_RIGHT_CLICK) {
        help_G(kPaginaFreqDigitada);
        return 0;
    }
    if (event != EVENT_COMMIT) {
        return 0;
    }
    std::string texto;
    GetCtrlVal(panel, control, &texto);
    double hz = 0.0;
    const int lido =
        parseSiValue(texto, "Hz", vantrel::kLowestTypedHz, vantrel::kHighestTypedHz, &hz);
    const std::optional<vantrel::FrequencySetting> ajuste =
        lido == 0 ? vantrel::FrequencySettingFor(hz) : std::nullopt;
    if (!ajuste) {
        // Nothing changes: the generator keeps its frequency, the field says why.
        const bool numero = lido != vantrel::kSiValueEmpty && lido != vantrel::kSiValueNotNumber;
        SetCtrlVal(
            panel, GERADOR_TEXTMSG_AVISO,
            numero
                ? QT_TRANSLATE_NOOP("Vantrel",
                                    "Recusada: a frequência deve estar entre 0,01 Hz e 2 MHz.")
                : QT_TRANSLATE_NOOP(
                      "Vantrel", "Recusada: escreva um número, por exemplo 150, 2k ou 2,5 kHz."));
        return 0;
    }
    botao_activo[geradorID] = ajuste->range;
    botao_freq[geradorID] = ajuste->dial;
    actual_ger();
    std::array<char, 96> aviso{};
    const double obtida = ajuste->range * ajuste->dial;
    if (obtida != hz) {
        std::snprintf(aviso.data(), aviso.size(),
                      Tr(QT_TRANSLATE_NOOP(
                          "Vantrel", "Arredondada ao passo do regulador de frequência: %g Hz.")),
                      obtida);
    }
    SetCtrlVal(panel, GERADOR_TEXTMSG_AVISO, aviso.data());
    return 0;
}

int quad_f(int, int, int event, void *, int, int) {
    return escolhe_forma(event, 1);
}

int tria_f(int, int, int event, void *, int, int) {
    return escolhe_forma(event, 2);
}

int sinu_f(int, int, int event, void *, int, int) {
    return escolhe_forma(event, 3);
}
