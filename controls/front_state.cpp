#include "controls/front_state.h"

#include "app/state.h"
#include "controls/scale_tables.h"
#include "engine/engine.h"
#include "engine/translate.h"
#include "sim/input_routing.h"
#include "ui/uir_constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace {

constexpr double kUnidadesPorDivisaoX = 60.0;
constexpr double kUnidadesPorDivisaoY = 2.5;

constexpr std::array<const char *, 3> kNomeAcoplamento = {"DC", "AC", "GD"};

const char *ligado(bool on) {
    return on ? Tr(QT_TRANSLATE_NOOP("Vantrel", "ligado"))
              : Tr(QT_TRANSLATE_NOOP("Vantrel", "desligado"));
}

std::string formata(const char *formato, double valor) {
    std::array<char, 96> texto{};
    std::snprintf(texto.data(), texto.size(), formato, valor);
    return texto.data();
}

/// `valor` with `casas` decimals, or as many more (up to two) as a fine step left in it.
std::string decimal(double valor, int casas, bool sinal) {
    while (casas < 2 && std::abs(valor * std::pow(10.0, casas) -
                                 std::round(valor * std::pow(10.0, casas))) > 1e-6) {
        ++casas;
    }
    std::array<char, 32> texto{};
    std::snprintf(texto.data(), texto.size(), sinal ? "%+.*f" : "%.*f", casas, valor);
    return texto.data();
}

void dica(int controlo, const std::string &texto) {
    SetCtrlAttribute(Painel_Principal, controlo, ATTR_TOOLTIP_TEXT, texto.c_str());
}

void ponteiro(int controlo, double graus) {
    SetCtrlAttribute(Painel_Principal, controlo, ATTR_POINTER_ANGLE, graus);
}

void alavanca(int controlo, int paragem) {
    SetCtrlAttribute(Painel_Principal, controlo, ATTR_LEVER_POSITION, paragem);
}

void premido(int controlo, int teclas) {
    SetCtrlAttribute(Painel_Principal, controlo, ATTR_PRESSED_KEYS, teclas);
}

// A knob of a dialog that stays loaded: its own range gives the pointer's sweep.
double angulo_dialogo(int painel, int botao, double valor) {
    double minimo = 0.0;
    double maximo = 1.0;
    GetCtrlAttribute(painel, botao, ATTR_MIN_VALUE, &minimo);
    GetCtrlAttribute(painel, botao, ATTR_MAX_VALUE, &maximo);
    return KnobPointerAngle(valor, minimo, maximo);
}

double angulo(const AlcanceBotao &alcance, double valor) {
    return KnobPointerAngle(valor, alcance.minimo, alcance.maximo);
}

std::string texto_calibracao(const char *nome, double factor) {
    return formata(nome, 2.0 - factor) +
           (factor == 1.0 ? Tr(QT_TRANSLATE_NOOP("Vantrel", " (calibrado)"))
                          : Tr(QT_TRANSLATE_NOOP("Vantrel", " (não calibrado)")));
}

void mostra_vertical() {
    for (int c = 0; c < 2; ++c) {
        const char *canal = c == 0 ? "I" : "II";
        const int volts = c == 0 ? PANEL_VOLTDIV1 : PANEL_VOLTDIV2;
        const auto &marcas = VoltStepMarks(c);
        const int passo =
            Esc_VoltID[c] >= 0 && Esc_VoltID[c] < vantrel::kVoltSteps ? Esc_VoltID[c] : 0;
        ponteiro(volts, angulo_para_marca(volts, marcas[passo]));
        dica(volts, std::string("VOLTS/DIV CH ") + canal + ": " + VoltStepLabel(Esc_VoltID[c]));

        const int ypos = c == 0 ? PANEL_PICTURE_6 : PANEL_PICTURE_7;
        ponteiro(ypos, angulo(kAlcanceYpos, y_offset[c]));
        dica(ypos, std::string("Y-POS ") + canal + ": " +
                       decimal(y_offset[c] / kUnidadesPorDivisaoY, 1, true) + " div");

        const int ycal = c == 0 ? PANEL_PICTURE_8 : PANEL_PICTURE_9;
        const int painel_cal = c == 0 ? Painel_YcalI : Painel_YcalII;
        ponteiro(ycal, angulo_dialogo(painel_cal, YCAL1_YCAL, 2.0 - y_calib[c]));
        dica(ycal,
             texto_calibracao(c == 0 ? "VAR. Volts/Div CH I: %.2f" : "VAR. Volts/Div CH II: %.2f",
                              y_calib[c]));

        const int inv = c == 0 ? PANEL_PICTURE_5 : PANEL_PICTURE_15;
        premido(inv, inversao[c] == -1 ? 1 : 0);
        dica(inv, std::string("INV CH ") + canal + ": " + ligado(inversao[c] == -1));

        const int acoplamento = c == 0 ? PANEL_PICTURE_10 : PANEL_PICTURE_11;
        const int modo = entrada_op[c] >= 0 && entrada_op[c] <= 2 ? entrada_op[c] : 1;
        dica(acoplamento, std::string("DC/AC/GD CH ") + canal + ": " + kNomeAcoplamento[modo]);

        const int entrada = c == 0 ? PANEL_PICTURE_18 : PANEL_PICTURE_19;
        const char *fonte = nome_fonte(ChIN[c], c);
        dica(entrada, std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "Entrada CH "))) + canal + ": " +
                          Tr(fonte != nullptr ? fonte : nome_fonte(0, c)));
    }
}

void mostra_horizontal() {
    const int passo = Esc_TempoID >= 0 && Esc_TempoID < vantrel::kTimeSteps ? Esc_TempoID : 0;
    ponteiro(PANEL_TIMEDIV, angulo_para_marca(PANEL_TIMEDIV, TimeStepMarks()[passo]));
    dica(PANEL_TIMEDIV, std::string("TIME/DIV: ") + TimeStepLabel(Esc_TempoID));

    const double xpos = atraso - atraso_orig;
    ponteiro(PANEL_XPOSBTN, angulo_dialogo(Painel_Xpos, PANEL_XPOS_XPOS, xpos));
    dica(PANEL_XPOSBTN, "X-POS: " + decimal(xpos / kUnidadesPorDivisaoX, 1, true) + " div");

    ponteiro(PANEL_PICTURE_2, angulo_dialogo(Painel_CalibX, P_CAL_X_XCAL, 2.0 - calib));
    dica(PANEL_PICTURE_2, texto_calibracao("VAR. Time/Div: %.2f", calib));

    premido(PANEL_PICTURE_16, xmag != 1.0 ? 1 : 0);
    dica(PANEL_PICTURE_16, xmag != 1.0 ? "X-MAG: x10" : "X-MAG: x1");
}

void mostra_disparo_extra() {
    constexpr std::array<const char *, 5> kAcoplamento{"AC", "DC", "HF", "LF", "~"};
    constexpr std::array<const char *, 5> kAcoplamentoDica{
        QT_TRANSLATE_NOOP("Vantrel", "AC (sem componente contínua)"),
        QT_TRANSLATE_NOOP("Vantrel", "DC (sinal completo)"),
        QT_TRANSLATE_NOOP("Vantrel", "HF (passa-alto, 1,5 kHz)"),
        QT_TRANSLATE_NOOP("Vantrel", "LF (passa-baixo, 1,5 kHz)"),
        QT_TRANSLATE_NOOP("Vantrel", "~ (rede de 50 Hz)")};
    const int acopl = trig_acopl >= 0 && trig_acopl < 5 ? trig_acopl : 0;
    SetCtrlVal(Painel_Principal, PANEL_TRIG_TEXT, kAcoplamento[acopl]);
    alavanca(PANEL_TRIG, acopl);
    dica(PANEL_TRIG,
         std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "TRIG. (acoplamento do disparo): "))) +
             Tr(kAcoplamentoDica[acopl]));

    constexpr std::array<const char *, 7> kFonteExterna{QT_TRANSLATE_NOOP("Vantrel", "Desligado"),
                                                        QT_TRANSLATE_NOOP("Vantrel", "Gerador 1"),
                                                        QT_TRANSLATE_NOOP("Vantrel", "Gerador 2"),
                                                        "Cal 0.2Vpp",
                                                        "Cal 2Vpp",
                                                        "Sync G1",
                                                        "Sync G2"};
    const int ext = trig_ext >= 0 && trig_ext < kTrigExtSources ? trig_ext : 0;
    SetCtrlAttribute(Painel_Principal, PANEL_EXT_TEXT, ATTR_DIMMED, ext == 0 ? 1 : 0);
    dica(PANEL_EXT_TRIG, std::string("TRIG. EXT. INP.: ") +
                             (ext >= kTrigExtBoard ? Tr(QT_TRANSLATE_NOOP("Vantrel", "Placa: ")) +
                                                         placa_ponto_nome(ext - kTrigExtBoard)
                                                   : std::string(Tr(kFonteExterna[ext]))));

    ponteiro(PANEL_HOLDOFF, angulo(kAlcanceHoldoff, holdoff));
    dica(PANEL_HOLDOFF,
         holdoff > 0.0
             ? formata(Tr(QT_TRANSLATE_NOOP("Vantrel", "HOLD OFF: %.1f varrimentos")), holdoff)
             : std::string(Tr(QT_TRANSLATE_NOOP("Vantrel", "HOLD OFF: mínimo"))));

    constexpr std::array<const char *, 3> kTvsep{"OFF", "H", "V"};
    const int sep = tvsep >= 0 && tvsep < 3 ? tvsep : 0;
    alavanca(PANEL_PICTURE_20, sep);
    dica(PANEL_PICTURE_20,
         std::string("TV SEP: ") + kTvsep[sep] +
             Tr(QT_TRANSLATE_NOOP("Vantrel",
                                  " (sem efeito: não há sinal de vídeo composto para separar)")));

    premido(PANEL_COMPONENT, testador == 1 ? 1 : 0);
    dica(PANEL_COMPONENT,
         std::string("COMPONENT TESTER: ") + ligado(testador == 1) +
             Tr(QT_TRANSLATE_NOOP("Vantrel", "; tomadas TEST: clique para escolher o componente")));
}

void mostra_disparo_e_ecra() {
    ponteiro(PANEL_PICTURE_14, angulo(kAlcanceLevel, levelt));
    dica(PANEL_PICTURE_14, "LEVEL: " + decimal(levelt, 1, true));
    premido(PANEL_PICTURE_13, slopet == -1 ? 1 : 0);
    dica(PANEL_PICTURE_13, slopet == -1
                               ? Tr(QT_TRANSLATE_NOOP("Vantrel", "SLOPE: - (descendente)"))
                               : Tr(QT_TRANSLATE_NOOP("Vantrel", "SLOPE: + (ascendente)")));
    premido(PANEL_PICTURE_17, autot == 0 ? 1 : 0);
    dica(PANEL_PICTURE_17, autot == 0 ? "AT/NM: NORM" : "AT/NM: AUTO");
    premido(PANEL_PICTURE_12, modoxy == 1 ? 1 : 0);
    dica(PANEL_PICTURE_12, std::string("X-Y: ") + ligado(modoxy == 1));
    ponteiro(PANEL_PICTURE_4, angulo(kAlcanceIntens, intens_val));
    dica(PANEL_PICTURE_4, formata("INTENS: %.0f", intens_val));
    ponteiro(PANEL_PICTURE_3, angulo(kAlcanceFocus, focus_val));
    dica(PANEL_PICTURE_3, "FOCUS: " + decimal(focus_val, 0, true));
    // The beam blurs the more, the farther FOCUS is from its centre.
    SetGraphBeamFocus(Painel_Principal, PANEL_MOSTRAR,
                      std::min(1.0, std::abs(focus_val) / kAlcanceFocus.maximo));
    dica(PANEL_POWERBUTTON, std::string("POWER: ") + ligado(Ligado == 1));
    mostra_disparo_extra();
    dica(PANEL_CALIB_PONT, Tr(QT_TRANSLATE_NOOP("Vantrel", "CALIBRATOR: 0.2 V e 2 V, 1 kHz")));
}

void mostra_modos() {
    int ch2 = 0;
    GetCtrlVal(Painel_Canais, PANEL_CANA_BUTTON_CH_CHG, &ch2);
    // Keys 0 to 3 of the artwork: CH I/II, DUAL, ADD, VERT.
    const int teclas = (ch2 != 0 ? 1 : 0) | (dual_op != 0 ? 2 : 0) | (add_op != 0 ? 4 : 0) |
                       (vert_op != 0 ? 8 : 0);
    premido(PANEL_PICTURE_CANAIS, teclas);
    std::string texto = ch2 != 0 ? "CH II" : "CH I";
    if (dual_op != 0) {
        texto += vert_op != 0 ? Tr(QT_TRANSLATE_NOOP("Vantrel", ", DUAL alternado")) : ", DUAL";
    } else if (add_op != 0) {
        texto += ", ADD";
    } else if (vert_op != 0) {
        texto += ", VERT.";
    }
    dica(PANEL_PICTURE_CANAIS, "CH I/II, DUAL, ADD, VERT.: " + texto);
}

} // namespace

double angulo_para_marca(int botao, int marca) {
    std::array<int, 4> b{};
    std::array<int, 4> m{};
    for (std::size_t i = 0; i < b.size(); ++i) {
        constexpr std::array<int, 4> kGeometria{ATTR_TOP, ATTR_LEFT, ATTR_HEIGHT, ATTR_WIDTH};
        GetCtrlAttribute(Painel_Principal, botao, kGeometria[i], &b[i]);
        GetCtrlAttribute(Painel_Principal, marca, kGeometria[i], &m[i]);
    }
    const double dx = (m[1] + m[3] / 2.0) - (b[1] + b[3] / 2.0);
    const double dy = (m[0] + m[2] / 2.0) - (b[0] + b[2] / 2.0);
    return std::atan2(dx, -dy) * 180.0 / std::numbers::pi;
}

void mostra_frontal() {
    mostra_vertical();
    mostra_horizontal();
    mostra_disparo_e_ecra();
    mostra_modos();
}

void coloca_junto(int dialogo, int botao) {
    PlacePanelBeside(dialogo, Painel_Principal, botao, Painel_Principal, PANEL_MOSTRAR);
}

int roda_frontal(int event, int notches) {
    return event == EVENT_MOUSE_WHEEL && Ligado == 1 ? notches : 0;
}

int roda_fina(int event, int eventData1, int eventData2) {
    return event == EVENT_MOUSE_WHEEL && Ligado == 1 ? WheelTenths(eventData1, eventData2) : 0;
}

const char *nome_fonte(int fonte, int canal) {
    // Value 5 is the experiment board (the main panel names it by board and point, see
    // `placa_nome`); 6 is the SYNC output of the other channel's generator.
    constexpr std::array<const char *, 7> kNomes = {
        QT_TRANSLATE_NOOP("Vantrel", "Desligado"),
        QT_TRANSLATE_NOOP("Vantrel", "Gerador"),
        "Excel",
        "Cal 0.2Vpp",
        "Cal 2Vpp",
        QT_TRANSLATE_NOOP("Vantrel", "Placa de circuitos"),
        nullptr};
    if (fonte == 6) {
        return canal == 0 ? "Sync G2" : "Sync G1";
    }
    return fonte >= 0 && fonte < static_cast<int>(kNomes.size()) ? kNomes[fonte] : nullptr;
}
