// The panel resource files against the instrument's tables: every panel, every control with its
// identifier, constant, kind, stored text, callback, load-time state and settings, the main
// panel's menu bar, and the failures of a damaged or incomplete installation.

#include "app/callbacks.h"
#include "engine/engine.h"
#include "engine/engine_qt.h"
#include "engine/engine_testing.h"
#include "ui/uir_constants.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- Panels ---------------------------------------------------------------------------------

struct Panel {
    const char *file;
    const char *constant;
    int generated; ///< the generated panel constant
    int number;
    int top, left, height, width;
    const char *key; ///< names the panel in the tables below: its constant, unless two files
                     ///< share that constant
};

#define PNL(FILE, P, NUM, TOP, LEFT, H, W)                                                         \
    { FILE, #P, P, NUM, TOP, LEFT, H, W, #P }
#define PNL_KEY(KEY, FILE, P, NUM, TOP, LEFT, H, W)                                                \
    { FILE, #P, P, NUM, TOP, LEFT, H, W, KEY }

const auto kPanels = std::to_array<Panel>({
    PNL("oscil.uir", PANEL, 1, 46, 46, 700, 1003),
    PNL("time.uir", P_CAL_X, 1, 82, 810, 168, 138),
    PNL("time.uir", PANEL_XPOS, 2, 82, 637, 186, 138),
    PNL("time.uir", PANELTIME, 3, 166, 787, 392, 104),
    PNL("volt.uir", PANELVOLT, 1, 333, 707, 266, 104),
    PNL("volt.uir", YCAL1, 2, 250, 636, 168, 138),
    PNL("volt.uir", YCAL2, 3, 250, 814, 168, 138),
    PNL("volt.uir", YPOS1, 4, 266, 518, 186, 138),
    PNL("volt.uir", YPOS2, 5, 266, 800, 186, 138),
    PNL("opcoes.uir", FOCUS, 1, 130, 536, 168, 138),
    PNL("opcoes.uir", INTENS, 2, 60, 536, 168, 138),
    PNL("opcoes.uir", LEVEL, 3, 84, 835, 186, 160),
    PNL("opcoes.uir", HOLDOFF, 4, 130, 836, 168, 150),
    PNL("opcoes.uir", TESTER, 5, 300, 120, 246, 330),
    PNL("canais.uir", ENTR1, 1, 415, 598, 136, 92),
    PNL("canais.uir", ENTR2, 2, 415, 800, 136, 92),
    PNL("canais.uir", ENTRADAS, 3, 100, 242, 112, 253),
    PNL("canais.uir", PANEL_CANA, 4, 416, 624, 116, 276),
    PNL("canais.uir", EXTERNO, 5, 100, 242, 112, 253),
    PNL("acerca.uir", ACERCA, 1, 24, 3, 404, 702),
    PNL_KEY("AJUDA", "ajuda.uir", AJUDA, 1, 24, 3, 336, 598),
    PNL_KEY("AJUDA_G", "ajudaG.uir", AJUDA, 1, 24, 3, 336, 598),
});

/// Every panel of every file with its title: a dialog's title names what it sets.
struct Title {
    const char *file;
    int number;
    const char *title;
};

const auto kTitles = std::to_array<Title>({
    {"oscil.uir", PANEL, "Vantrel v1.5"},
    {"time.uir", P_CAL_X, "Calibração horizontal"},
    {"time.uir", PANEL_XPOS, "Posição X"},
    {"time.uir", PANELTIME, "Tempo/Div"},
    {"volt.uir", PANELVOLT, "Volts/Div"},
    {"volt.uir", YCAL1, "Calibração vertical – CH I"},
    {"volt.uir", YCAL2, "Calibração vertical – CH II"},
    {"volt.uir", YPOS1, "Posição Y – CH I"},
    {"volt.uir", YPOS2, "Posição Y – CH II"},
    {"opcoes.uir", FOCUS, "Foco"},
    {"opcoes.uir", INTENS, "Intensidade"},
    {"opcoes.uir", LEVEL, "Nível de trigger"},
    {"opcoes.uir", HOLDOFF, "Hold-off do trigger"},
    {"opcoes.uir", TESTER, "Testador de componentes"},
    {"canais.uir", ENTR1, "Acoplamento – CH I"},
    {"canais.uir", ENTR2, "Acoplamento – CH II"},
    {"canais.uir", ENTRADAS, ""}, // a prompt beside the mouse: its text says what it sets
    {"canais.uir", PANEL_CANA, "Operar nos Canais"},
    {"canais.uir", EXTERNO, ""}, // a prompt beside the mouse, as the inputs'
    {"gerador.uir", AMPLIT, "Amplitude"},
    {"gerador.uir", FREQ, "Frequência"},
    {"gerador.uir", GER_ESC, "Gama de frequência"},
    {"gerador.uir", GER_ONDA, "Forma de onda"},
    {"gerador.uir", GERADOR, "Gerador"},
    {"gerador.uir", OFFSET, "Offset"},
    {"ddedemo.uir", PANEL, "Ligação ao Excel"},
    {"acerca.uir", ACERCA, ""},
    {"ajuda.uir", AJUDA, ""},
    {"ajudaG.uir", AJUDA, ""},
});

// ---- Controls -------------------------------------------------------------------------------

constexpr int kHidden = 1;
constexpr int kDimmed = 2;

struct Control {
    const char *panel; ///< key of the panel
    int id;
    const char *constant;
    int generated; ///< the generated control constant
    EngineControlKind kind;
    const char *text;     ///< caption, or stored text of the text kinds; nullptr: not compared
    const char *callback; ///< "" for none
    int state;            ///< kHidden | kDimmed at load
};

#define CTRL(P, ID, C, KIND, TEXT, CB, STATE)                                                      \
    { #P, ID, #C, P##_##C, KIND, TEXT, CB, STATE }
#define CTRL_KEY(KEY, P, ID, C, KIND, TEXT, CB, STATE)                                             \
    { KEY, ID, #C, P##_##C, KIND, TEXT, CB, STATE }
// The help panel of either book: the same controls, each book with its own callbacks.
#define HELP_PANEL(KEY, BACK, MORE, CLOSE, NEXT)                                                   \
    CTRL_KEY(KEY, AJUDA, 2, HELP_BOX, CTRL_TEXT_BOX, "Texto de ajuda", "", 0),                     \
        CTRL_KEY(KEY, AJUDA, 3, ANT_BTN, CTRL_COMMAND_BUTTON, "<<  __Anterior", BACK, 0),          \
        CTRL_KEY(KEY, AJUDA, 4, COMMANDBUTTON_4, CTRL_COMMAND_BUTTON, "__Mais", MORE, 0),          \
        CTRL_KEY(KEY, AJUDA, 5, FECHA_AJU, CTRL_COMMAND_BUTTON, "__Fechar", CLOSE, 0),             \
        CTRL_KEY(KEY, AJUDA, 6, SEG_BTN, CTRL_COMMAND_BUTTON, "__Seguinte  >>", NEXT, 0),          \
        CTRL_KEY(KEY, AJUDA, 7, OP_NUM, CTRL_NUMERIC, nullptr, "", kHidden)
// Shorthands for the kinds that fill the main panel.
#define PIC(P, ID, C, CB) CTRL(P, ID, C, CTRL_PICTURE, nullptr, CB, 0)
#define DECO(P, ID, C) CTRL(P, ID, C, CTRL_DECORATION, nullptr, "", 0)
#define MARK(P, ID, C) CTRL(P, ID, C, CTRL_DECORATION, nullptr, "", kHidden)
#define TXT(P, ID, C, TEXT, STATE) CTRL(P, ID, C, CTRL_TEXT_MSG, TEXT, "", STATE)
#define BTN(P, ID, C, TEXT, CB, STATE) CTRL(P, ID, C, CTRL_COMMAND_BUTTON, TEXT, CB, STATE)

constexpr int kInfo = kHidden | kDimmed; // information texts of functions inactive at load

const auto kControls = std::to_array<Control>({
    // oscil.uir: the front panel.
    MARK(PANEL, 2, TIMEDIV_1),
    MARK(PANEL, 3, TIMEDIV_2),
    MARK(PANEL, 4, TIMEDIV_3),
    MARK(PANEL, 5, TIMEDIV_4),
    MARK(PANEL, 6, TIMEDIV_5),
    MARK(PANEL, 7, TIMEDIV_6),
    MARK(PANEL, 8, TIMEDIV_7),
    MARK(PANEL, 9, TIMEDIV_8),
    MARK(PANEL, 10, TIMEDIV_9),
    MARK(PANEL, 11, TIMEDIV_10),
    MARK(PANEL, 12, TIMEDIV_11),
    MARK(PANEL, 13, TIMEDIV_12),
    MARK(PANEL, 14, TIMEDIV_13),
    MARK(PANEL, 15, TIMEDIV_14),
    MARK(PANEL, 16, TIMEDIV_15),
    MARK(PANEL, 17, TIMEDIV_16),
    MARK(PANEL, 18, TIMEDIV_17),
    BTN(PANEL, 19, QUITBUTTON, "__SAIR", "QuitCallback", 0),
    CTRL(PANEL, 20, LEDPOWER, CTRL_LED, nullptr, "", 0),
    CTRL(PANEL, 21, MOSTRAR, CTRL_GRAPH, "Graf", "ecran", 0),
    CTRL(PANEL, 22, TIMER_P, CTRL_TIMER, nullptr, "Actualizar", 0),
    PIC(PANEL, 23, POWERBUTTON, "Power_btn"),
    PIC(PANEL, 24, TIMEDIV, "timediv"),
    TXT(PANEL, 25, TEXTMSG_3, "Volts/Div: ", 0),
    DECO(PANEL, 26, DECORATION_5),
    TXT(PANEL, 27, VOLT_INFO_2, "", kHidden),
    TXT(PANEL, 28, TEXTMSG_2, "Volts/Div: ", 0),
    DECO(PANEL, 29, DECORATION_3),
    TXT(PANEL, 30, VOLT_INFO_1, "", kHidden),
    TXT(PANEL, 31, TEXTMSG, "Time/Div: ", 0),
    TXT(PANEL, 32, TIME_INFO, "", kHidden),
    DECO(PANEL, 33, DECORATION_2),
    PIC(PANEL, 34, XPOSBTN, "x_pos_btn"),
    DECO(PANEL, 35, DECORATION_6),
    PIC(PANEL, 36, VOLTDIV1, "volt_div1"),
    PIC(PANEL, 37, VOLTDIV2, "volt_div2"),
    DECO(PANEL, 38, DECORATION_4),
    TXT(PANEL, 39, TEXTMSG_4, "Canal 1", 0),
    TXT(PANEL, 40, TEXTMSG_5, "Canal 2", 0),
    TXT(PANEL, 41, TEXTMSG_12, "CH II", 0),
    TXT(PANEL, 42, TEXTMSG_13, "Grandezas dos sinais de entrada", 0),
    TXT(PANEL, 43, TEXTMSG_11, "CH I", 0),
    TXT(PANEL, 44, TEXTMSG_10, "Modo de Visualização", 0),
    TXT(PANEL, 45, TEXTMSG_6, "Tempo", 0),
    TXT(PANEL, 46, TEXTMSG_7,
        "AJUDA: Para obter ajuda acerca de um comando, carregar com o botão direito do rato em "
        "cima do respectivo comando.",
        0),
    PIC(PANEL, 47, PICTURE_CANAIS, "canais_fn"),
    PIC(PANEL, 48, PICTURE_2, "calib_X"),
    PIC(PANEL, 49, PICTURE_3, "focus_btn"),
    PIC(PANEL, 50, PICTURE_4, "intens_btn"),
    PIC(PANEL, 51, PICTURE_5, "invert1"),
    TXT(PANEL, 52, VERT_TEXT, "VERT", kInfo),
    TXT(PANEL, 53, ADD_TEXT, "ADD", kInfo),
    TXT(PANEL, 54, DUAL_TEXT, "DUAL", kInfo),
    TXT(PANEL, 55, CH_TEXT, "CH I/II", kInfo),
    MARK(PANEL, 56, DECORATION_8), // no box around the row labels: they are not buttons
    MARK(PANEL, 57, DECORATION_10),
    MARK(PANEL, 58, DECORATION_9),
    DECO(PANEL, 59, DECORATION_7),
    PIC(PANEL, 60, PICTURE_6, "y_pos1_btn"),
    PIC(PANEL, 61, PICTURE_7, "y_pos2_btn"),
    PIC(PANEL, 62, PICTURE_8, "x_cal1_btn"),
    PIC(PANEL, 63, PICTURE_9, "x_cal2_btn"),
    PIC(PANEL, 64, PICTURE_10, "entrada1_btn"),
    PIC(PANEL, 65, PICTURE_11, "entrada2_btn"),
    PIC(PANEL, 66, PICTURE_12, "modoxy_btn"),
    PIC(PANEL, 67, PICTURE_13, "slope_btn"),
    PIC(PANEL, 68, PICTURE_14, "level_btn"),
    PIC(PANEL, 69, PICTURE_15, "invert2"),
    TXT(PANEL, 70, INV2_TEXT, "INV", kInfo),
    TXT(PANEL, 71, ATNORM_TEXT, "AT/NM", kInfo),
    TXT(PANEL, 72, XMAG_TEXT, "XMAG", kInfo),
    TXT(PANEL, 73, SLOPE_TEXT, "+ / -", kInfo),
    TXT(PANEL, 74, CAL_TEXT, "CAL", kHidden),
    TXT(PANEL, 75, CAL1_TEXT, "CAL", kHidden),
    TXT(PANEL, 76, CAL2_TEXT, "CAL", kHidden),
    TXT(PANEL, 77, GND2_TEXT, "GND", kInfo),
    TXT(PANEL, 78, AC2_TEXT, "AC", kInfo),
    TXT(PANEL, 79, DC2_TEXT, "DC", kInfo),
    TXT(PANEL, 80, GND1_TEXT, "GND", kInfo),
    TXT(PANEL, 81, AC1_TEXT, "AC", kInfo),
    TXT(PANEL, 82, DC1_TEXT, "DC", kInfo),
    TXT(PANEL, 83, XY_TEXT, "X-Y", kInfo),
    DECO(PANEL, 84, DECORATION_23),
    TXT(PANEL, 85, INV1_TEXT, "INV", kInfo),
    DECO(PANEL, 86, DECORATION_12),
    DECO(PANEL, 87, DECORATION_13),
    DECO(PANEL, 88, DECORATION_25),
    DECO(PANEL, 89, DECORATION_14),
    DECO(PANEL, 90, DECORATION_24),
    DECO(PANEL, 91, DECORATION_15),
    DECO(PANEL, 92, DECORATION_22),
    DECO(PANEL, 93, DECORATION_16),
    DECO(PANEL, 94, DECORATION_21),
    DECO(PANEL, 95, DECORATION_17),
    DECO(PANEL, 96, DECORATION_20),
    DECO(PANEL, 97, DECORATION_18),
    DECO(PANEL, 98, DECORATION_19),
    CTRL(PANEL, 99, TIMER_2, CTRL_TIMER, nullptr, "", 0),
    DECO(PANEL, 100, DECORATION_26),
    PIC(PANEL, 101, PICTURE_16, "xmag_btn"),
    DECO(PANEL, 102, DECORATION),
    MARK(PANEL, 103, TIMEDIV_18),
    MARK(PANEL, 104, VOLTDIV1_1),
    MARK(PANEL, 105, VOLTDIV1_2),
    MARK(PANEL, 106, VOLTDIV1_3),
    MARK(PANEL, 107, VOLTDIV1_4),
    MARK(PANEL, 108, VOLTDIV1_5),
    MARK(PANEL, 109, VOLTDIV1_6),
    MARK(PANEL, 110, VOLTDIV1_7),
    MARK(PANEL, 111, VOLTDIV1_8),
    MARK(PANEL, 112, VOLTDIV1_9),
    MARK(PANEL, 113, VOLTDIV1_10),
    MARK(PANEL, 114, VOLTDIV1_12),
    MARK(PANEL, 115, VOLTDIV1_11),
    MARK(PANEL, 116, VOLTDIV2_1),
    MARK(PANEL, 117, VOLTDIV2_2),
    MARK(PANEL, 118, VOLTDIV2_3),
    MARK(PANEL, 119, VOLTDIV2_4),
    MARK(PANEL, 120, VOLTDIV2_5),
    MARK(PANEL, 121, VOLTDIV2_6),
    MARK(PANEL, 122, VOLTDIV2_7),
    MARK(PANEL, 123, VOLTDIV2_8),
    MARK(PANEL, 124, VOLTDIV2_9),
    MARK(PANEL, 125, VOLTDIV2_10),
    MARK(PANEL, 126, VOLTDIV2_11),
    MARK(PANEL, 127, VOLTDIV2_12),
    MARK(PANEL, 128, GND2),
    MARK(PANEL, 129, AC2),
    MARK(PANEL, 130, DC2),
    MARK(PANEL, 131, GND1),
    MARK(PANEL, 132, AC1),
    MARK(PANEL, 133, DC1),
    PIC(PANEL, 134, PICTURE_17, "atnm"),
    PIC(PANEL, 135, PICTURE_18, "canal1"),
    PIC(PANEL, 136, PICTURE_19, "canal2"),
    CTRL(PANEL, 137, TIMER_3, CTRL_TIMER, nullptr, "act_entr", 0),
    PIC(PANEL, 138, PICTURE_20, "tvsep_fn"),
    PIC(PANEL, 139, TRIG, "Trig_btn"),
    PIC(PANEL, 140, COMPONENT, "component_btn"),
    PIC(PANEL, 141, EXT_TRIG, "Ext_btn"),
    PIC(PANEL, 142, PICTURE, ""),
    PIC(PANEL, 143, CALIB_PONT, "calp_btn"),
    DECO(PANEL, 144, DECORATION_27),
    PIC(PANEL, 145, HOLDOFF, "holdoff_btn"),
    CTRL(PANEL, 146, DECORATION_11, CTRL_DECORATION, nullptr, "informP", 0),
    CTRL(PANEL, 147, DECORATION_28, CTRL_DECORATION, nullptr, "informP", 0),
    CTRL(PANEL, 148, STRING_CH2, CTRL_STRING, "Desligado", "nome_ch2", 0),
    CTRL(PANEL, 149, STRING_CH1, CTRL_STRING, "Desligado", "nome_ch1", 0),
    TXT(PANEL, 150, TEXTMSG_8, "Entrada:", 0),
    CTRL(PANEL, 151, DADOS_CHII, CTRL_RING, nullptr, "", 0),
    TXT(PANEL, 152, TEXTMSG_9, "Entrada:", 0),
    CTRL(PANEL, 153, DADOS_CHI, CTRL_RING, nullptr, "", 0),
    CTRL(PANEL, 154, DAD_CHII, CTRL_NUMERIC, nullptr, "", kHidden),
    CTRL(PANEL, 155, DAD_CHI, CTRL_NUMERIC, nullptr, "", kHidden),
    CTRL(PANEL, 156, TIMER_DADOS, CTRL_TIMER, nullptr, "act_dados", 0),
    TXT(PANEL, 157, GRD_NOME1, "qq", kHidden),
    TXT(PANEL, 158, GRD_NOME2, "aa", kHidden),
    TXT(PANEL, 159, TRIG_TEXT, "AC", kHidden),
    TXT(PANEL, 160, EXT_TEXT, "EXT", kInfo),
    TXT(PANEL, 161, COMP_TEXT, "TESTER", kInfo),

    // time.uir
    BTN(P_CAL_X, 2, SAIR_XPOS, "__Sair", "fecha_painel", 0),
    CTRL(P_CAL_X, 3, XCAL, CTRL_KNOB, nullptr, "f_calx", 0),
    CTRL(P_CAL_X, 4, LED, CTRL_LED, "Cal", "", 0),
    BTN(PANEL_XPOS, 2, SAIR_XPOS, "__Sair", "fecha_painel", 0),
    CTRL(PANEL_XPOS, 3, XPOS, CTRL_KNOB, nullptr, "f_xpos", 0),
    TXT(PANEL_XPOS, 4, TEXTMSG, "0", 0),
    CTRL(PANELTIME, 2, LISTATEMP, CTRL_LIST_BOX, "Time / Div", "ValorTime", 0),
    BTN(PANELTIME, 3, QUITBUTTON1, "__QUIT", "QuitTime", kHidden),
    BTN(PANELTIME, 4, SAIR_TIME, "__Sair", "fecha_timediv", 0),

    // volt.uir
    CTRL(PANELVOLT, 2, LISTAVOLT, CTRL_LIST_BOX, "Volts / Div", "valorvolt", 0),
    BTN(PANELVOLT, 3, QUITBUTTON1, "__QUIT", "QuitTime", kHidden),
    BTN(PANELVOLT, 4, SAIR_VOLT, "__Sair", "fecha_voltdiv", 0),
    BTN(YCAL1, 2, SAIR_XPOS, "__Sair", "fecha_painel", 0),
    CTRL(YCAL1, 3, YCAL, CTRL_KNOB, nullptr, "f_ycal", 0),
    CTRL(YCAL1, 4, LED, CTRL_LED, "Cal", "", 0),
    BTN(YCAL2, 2, SAIR_XPOS, "__Sair", "fecha_painel", 0),
    CTRL(YCAL2, 3, YCAL, CTRL_KNOB, nullptr, "f_ycal", 0),
    CTRL(YCAL2, 4, LED, CTRL_LED, "Cal", "", 0),
    BTN(YPOS1, 2, SAIR_YPOS2, "__Sair", "fecha_ypos1", 0),
    CTRL(YPOS1, 3, YPOS, CTRL_KNOB, nullptr, "f_ypos", 0),
    TXT(YPOS1, 4, TEXTMSG, "0", 0),
    BTN(YPOS2, 2, SAIR_YPOS2, "__Sair", "fecha_ypos2", 0),
    CTRL(YPOS2, 3, YPOS, CTRL_KNOB, nullptr, "f_ypos", 0),
    TXT(YPOS2, 4, TEXTMSG, "0", 0),

    // opcoes.uir
    BTN(FOCUS, 2, SAIR_FOCUS, "__Sair", "fecha_focus", 0),
    CTRL(FOCUS, 3, FOCUS_BT, CTRL_KNOB, nullptr, "f_focus", 0),
    BTN(INTENS, 2, SAIR_INTENS, "__Sair", "fecha_intens", 0),
    CTRL(INTENS, 3, INTENS_BT, CTRL_KNOB, nullptr, "f_intens", 0),
    BTN(LEVEL, 2, SAIR_LEVEL, "__Sair", "fecha_level", 0),
    CTRL(LEVEL, 3, LEVEL_BT, CTRL_KNOB, nullptr, "f_level", 0),
    TXT(LEVEL, 4, TEXTMSG, "0", 0),
    TXT(LEVEL, 5, TEXTMSG_2, "+", 0),
    TXT(LEVEL, 6, TEXTMSG_3, "_", 0),
    BTN(HOLDOFF, 2, SAIR_HOLDOFF, "__Sair", "fecha_holdoff", 0),
    CTRL(HOLDOFF, 3, HOLDOFF_BT, CTRL_KNOB, nullptr, "f_holdoff", 0),
    TXT(TESTER, 2, TEXTMSG, "Componente nas tomadas TEST:", 0),
    CTRL(TESTER, 3, COMPONENTE, CTRL_RING, nullptr, "f_componente", 0),
    TXT(TESTER, 4, NOME_VALOR, "Resistência (Ω)", 0),
    CTRL(TESTER, 5, VALOR, CTRL_STRING, "1k", "", 0),
    TXT(TESTER, 6, NOME_VALOR2, "Capacidade (F)", 0),
    CTRL(TESTER, 7, VALOR2, CTRL_STRING, "1u", "", 0),
    BTN(TESTER, 8, CONFIRMAR, "__Confirmar", "aplic_testador", 0),
    BTN(TESTER, 9, CANCELAR, "__Cancelar", "fecha_testador", 0),
    TXT(TESTER, 10, UNIDADES, "Ex.: 4,7k  100n  2,2u  5,1", 0),

    // canais.uir
    CTRL(ENTR1, 2, ENT, CTRL_SLIDE, nullptr, "f_entrada", 0),
    BTN(ENTR1, 3, SAIR_canais, "__Sair", "fecha_entrada", 0),
    CTRL(ENTR2, 2, ENT, CTRL_SLIDE, nullptr, "f_entrada", 0),
    BTN(ENTR2, 3, SAIR_canais, "__Sair", "fecha_entrada", 0),
    CTRL(ENTRADAS, 2, ENTRADA, CTRL_RING, nullptr, "", 0),
    BTN(ENTRADAS, 3, CONTINUAR, "__Confirmar", "aplic_entr", 0),
    BTN(ENTRADAS, 4, CANCELAR, "__Cancelar", "fecha_canais", 0),
    TXT(ENTRADAS, 5, TEXTMSG, "Escolher entrada a utilizar:", 0),
    CTRL(PANEL_CANA, 2, BUTTON_VERT, CTRL_TOGGLE_BUTTON, "VERT.", "vert_fn", 0),
    CTRL(PANEL_CANA, 3, BUTTON_ADD, CTRL_TOGGLE_BUTTON, "ADD", "add_fn", 0),
    CTRL(PANEL_CANA, 4, BUTTON_DUAL, CTRL_TOGGLE_BUTTON, "DUAL", "dual_fn", 0),
    CTRL(PANEL_CANA, 5, BUTTON_CH_CHG, CTRL_TOGGLE_BUTTON, "CH I/II", "ch_fn", 0),
    BTN(PANEL_CANA, 6, SAIR_canais, "__Sair", "fecha_painel", 0),
    TXT(PANEL_CANA, 7, TEXTTRIG, "TRIG I/II", 0),
    CTRL(EXTERNO, 2, FONTE, CTRL_RING, nullptr, "", 0),
    BTN(EXTERNO, 3, CONTINUAR, "__Confirmar", "aplic_ext", 0),
    BTN(EXTERNO, 4, CANCELAR, "__Cancelar", "fecha_ext", 0),
    TXT(EXTERNO, 5, TEXTMSG, "Sinal de disparo externo:", 0),

    // acerca.uir: the texts that name people and places are the program's own, so only the
    // fixed ones are compared.
    PIC(ACERCA, 2, PICTURE, ""),
    TXT(ACERCA, 3, TEXTMSG, nullptr, 0),
    TXT(ACERCA, 4, TEXTMSG_10, "Orientador:", 0),
    TXT(ACERCA, 5, TEXTMSG_16, "Data:", 0),
    TXT(ACERCA, 6, TEXTMSG_14, "Versão:", 0),
    TXT(ACERCA, 7, TEXTMSG_2, "Autor:", 0),
    TXT(ACERCA, 8, TEXTMSG_3, "Est.Ensino:", 0),
    TXT(ACERCA, 9, TEXTMSG_4, nullptr, 0),
    TXT(ACERCA, 10, TEXTMSG_5, nullptr, 0),
    TXT(ACERCA, 11, TEXTMSG_11, nullptr, 0),
    TXT(ACERCA, 12, TEXTMSG_6, nullptr, 0),
    TXT(ACERCA, 13, TEXTMSG_7, nullptr, 0),
    TXT(ACERCA, 14, TEXTMSG_9, nullptr, 0),
    TXT(ACERCA, 15, TEXTMSG_8, nullptr, 0),
    PIC(ACERCA, 16, PICTURE_2, ""),
    PIC(ACERCA, 17, PICTURE_3, ""),
    TXT(ACERCA, 18, TEXTMSG_12, nullptr, 0),
    TXT(ACERCA, 19, TEXTMSG_13, nullptr, 0),
    TXT(ACERCA, 20, TEXTMSG_15, "", 0), // the program writes its version
    TXT(ACERCA, 21, TEXTMSG_17, nullptr, 0),
    BTN(ACERCA, 22, FECHAR, "Fechar", "fecha_acerca", kHidden),
    TXT(ACERCA, 23, TEXTMSG_18, nullptr, 0),
    // ajuda.uir and ajudaG.uir.
    HELP_PANEL("AJUDA", "aj_ant", "abrir_pag", "fechar_ajuda", "aj_seg"),
    HELP_PANEL("AJUDA_G", "ajG_ant", "abrir_pagG", "fechar_ajudaG", "ajG_seg"),
});

// ---- Settings of some controls, looked up by panel constant and identifier -------------------

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

/// Knobs and numeric displays.
struct Range {
    const char *panel;
    int id;
    EngineDataType type;
    double min, max, increment, value;
};

const auto kRanges = std::to_array<Range>({
    {"PANEL", 154, VAL_DOUBLE, -kNoLimit, kNoLimit, 1.0, 0.0},
    {"PANEL", 155, VAL_DOUBLE, -kNoLimit, kNoLimit, 1.0, 0.0},
    {"P_CAL_X", 3, VAL_DOUBLE, 1.0, 1.4, 0.01, 1.0},
    {"PANEL_XPOS", 3, VAL_DOUBLE, -500.0, 500.0, 500.0, 0.0},
    {"YCAL1", 3, VAL_DOUBLE, 1.0, 1.4, 0.01, 1.0},
    {"YCAL2", 3, VAL_DOUBLE, 1.0, 1.4, 0.01, 1.0},
    {"YPOS1", 3, VAL_DOUBLE, -10.0, 10.0, 1.0, 0.0},
    {"YPOS2", 3, VAL_DOUBLE, -10.0, 10.0, 1.0, 0.0},
    {"FOCUS", 3, VAL_FLOAT, -10.0, 10.0, 2.0, 0.0},
    {"INTENS", 3, VAL_INTEGER, 0.0, 10.0, 1.0, 5.0},
    {"LEVEL", 3, VAL_DOUBLE, -10.0, 10.0, 0.5, 0.0},
    {"HOLDOFF", 3, VAL_DOUBLE, 0.0, 10.0, 0.5, 0.0},
    {"AJUDA", 7, VAL_INTEGER, -kNoLimit, kNoLimit, 1.0, 0.0},
    {"AJUDA_G", 7, VAL_INTEGER, -kNoLimit, kNoLimit, 1.0, 0.0},
});

/// Integer values at load: LEDs, toggle buttons, rings.
struct IntValue {
    const char *panel;
    int id;
    int value;
};

const auto kIntValues = std::to_array<IntValue>({
    {"PANEL", 20, 0},
    {"PANEL", 151, 0},
    {"PANEL", 153, 0},
    {"P_CAL_X", 4, 1},
    {"YCAL1", 4, 1},
    {"YCAL2", 4, 1},
    {"PANEL_CANA", 2, 0},
    {"PANEL_CANA", 3, 0},
    {"PANEL_CANA", 4, 0},
    {"PANEL_CANA", 5, 0},
});

struct Timer {
    const char *panel;
    int id;
    double interval;
    int enabled;
};

const auto kTimers = std::to_array<Timer>({
    {"PANEL", 22, 0.1, 0},
    {"PANEL", 99, 0.01, 1},
    {"PANEL", 137, 0.01, 1},
    {"PANEL", 156, 0.5, 1},
});

struct Item {
    const char *label;
    int value;
};

const auto kQuantities = std::to_array<Item>({{"", 0},
                                              {"Frequência", 1},
                                              {"Periodo", 2},
                                              {"Tensão pico-pico", 3},
                                              {"Valor máximo", 4},
                                              {"Valor Minimo", 5},
                                              {"Valor Médio", 6},
                                              {"Valor Eficaz", 7}});
const auto kCouplings = std::to_array<Item>({{"DC", 0}, {"AC", 1}, {"GD", 2}});
const auto kSources = std::to_array<Item>({{"Gerador de Sinais", 1},
                                           {"Folha de Excel", 2},
                                           {"Cal. 0.2V", 3},
                                           {"Cal. 2V", 4},
                                           {"Placa de circuitos", 5},
                                           {"Sync do outro gerador", 6},
                                           {"Desligada", 0}});
const auto kExternalSources = std::to_array<Item>({{"Desligado", 0},
                                                   {"Gerador 1", 1},
                                                   {"Gerador 2", 2},
                                                   {"Cal 0.2Vpp", 3},
                                                   {"Cal 2Vpp", 4},
                                                   {"Sync G1", 5},
                                                   {"Sync G2", 6}});
const auto kComponents = std::to_array<Item>({{"Nada (circuito aberto)", 0},
                                              {"Curto-circuito", 1},
                                              {"Resistência", 2},
                                              {"Condensador", 3},
                                              {"Bobina", 4},
                                              {"RC série", 5},
                                              {"Díodo de silício", 6},
                                              {"Díodo de silício invertido", 7},
                                              {"Díodo Zener", 8},
                                              {"LED", 9}});

/// Items of rings, slides and list boxes (the step lists are filled on opening, stored empty).
struct Items {
    const char *panel;
    int id;
    std::span<const Item> items;
};

const auto kItems = std::to_array<Items>({
    {"PANEL", 151, kQuantities},
    {"PANEL", 153, kQuantities},
    {"PANELTIME", 2, {}},
    {"PANELVOLT", 2, {}},
    {"ENTR1", 2, kCouplings},
    {"ENTR2", 2, kCouplings},
    {"ENTRADAS", 2, kSources},
    {"EXTERNO", 2, kExternalSources},
    {"TESTER", 3, kComponents},
});

/// Shortcut keys of buttons; every other button has none.
struct Shortcut {
    const char *panel;
    int id;
    const char *key;
};

const auto kShortcuts = std::to_array<Shortcut>({
    {"ENTRADAS", 3, "Ctrl+A"},
    {"ENTRADAS", 4, "Ctrl+C"},
    {"EXTERNO", 3, "Ctrl+A"},
    {"EXTERNO", 4, "Ctrl+C"},
    {"AJUDA", 3, "Ctrl+A"},
    {"AJUDA", 4, "Ctrl+M"},
    {"AJUDA", 5, "Ctrl+F"},
    {"AJUDA", 6, "Ctrl+S"},
    {"AJUDA_G", 3, "Ctrl+A"},
    {"AJUDA_G", 4, "Ctrl+M"},
    {"AJUDA_G", 5, "Ctrl+F"},
    {"AJUDA_G", 6, "Ctrl+S"},
});

/// Sizes (height x width) of the front-panel pictures.
struct Size {
    const char *panel;
    int id;
    int height, width;
};

const auto kSizes = std::to_array<Size>({
    {"PANEL", 23, 29, 40},    {"PANEL", 24, 90, 87},     {"PANEL", 34, 57, 38},
    {"PANEL", 36, 80, 80},    {"PANEL", 37, 80, 77},     {"PANEL", 47, 52, 129},
    {"PANEL", 48, 35, 37},    {"PANEL", 49, 37, 37},     {"PANEL", 50, 37, 36},
    {"PANEL", 51, 30, 28},    {"PANEL", 60, 58, 36},     {"PANEL", 61, 54, 36},
    {"PANEL", 62, 36, 33},    {"PANEL", 63, 36, 37},     {"PANEL", 64, 54, 35},
    {"PANEL", 65, 53, 31},    {"PANEL", 66, 31, 29},     {"PANEL", 67, 33, 31},
    {"PANEL", 68, 44, 43},    {"PANEL", 69, 33, 29},     {"PANEL", 101, 32, 33},
    {"PANEL", 134, 32, 32},   {"PANEL", 135, 56, 53},    {"PANEL", 136, 55, 51},
    {"PANEL", 138, 82, 56},   {"PANEL", 139, 104, 64},   {"PANEL", 140, 101, 135},
    {"PANEL", 141, 110, 142}, {"PANEL", 142, 505, 1003}, {"PANEL", 143, 72, 69},
    {"PANEL", 145, 62, 51},
});

// ---- The main panel's menu bar --------------------------------------------------------------

struct MenuEntry {
    const char *constant; ///< menu, item or submenu item constant below the menu bar
    int generated;
    const char *text; ///< nullptr for a separator
    const char *callback;
    const char *shortcut;
};

#define MENU(NAME, TEXT, CB, KEY)                                                                  \
    { #NAME, MenuBar_##NAME, TEXT, CB, KEY }

// In document order: menus and items are numbered from 2.
const auto kMenuEntries = std::to_array<MenuEntry>({
    MENU(Fich, "Ficheiro", "", ""),
    MENU(Fich_abrir_cfg, "Abrir configuração…", "Abrir_config", "Ctrl+O"),
    MENU(Fich_guardar_cfg, "Guardar configuração…", "Guardar_config", "Ctrl+S"),
    MENU(Fich_abrir_ex, "Abrir exercício…", "Abrir_exercicio", ""),
    MENU(Fich_SEPARATOR_3, nullptr, "", ""),
    MENU(Fich_SEPARATOR_4, nullptr, "", ""),
    MENU(Fich_criar_ex, "Criar exercício…", "Criar_ex", ""),
    MENU(Fich_resultados, "Resultados…", "Resultados_ex", ""),
    MENU(Fich_SEPARATOR_5, nullptr, "", ""),
    MENU(Fich_RST, "Reiniciar", "", ""),
    MENU(Fich_RST_osc, "Reiniciar Osciloscopio", "Reiniciar_osc", ""),
    MENU(Fich_RST_ger1, "Reiniciar Gerador 1", "Reiniciar_ger1", ""),
    MENU(Fich_RST_ger2, "Reiniciar Gerador 2", "Reiniciar_ger2", ""),
    MENU(Fich_RST_SEPARATOR_2, nullptr, "", ""),
    MENU(Fich_RST_all, "Reiniciar Tudo", "Reiniciar_tudo", ""),
    MENU(Fich_SEPARATOR, nullptr, "", ""),
    MENU(Fich_sair, "Sair", "Sair_prog", "Ctrl+Q"),
    MENU(ecra, "Ecrã", "", ""),
    MENU(ecra_cap_clip, "Capturar para Clipboard", "Cap_Clip", ""),
    MENU(ecra_cap_fich, "Capturar para Ficheiro", "Cap_Fich", ""),
    MENU(geradores, "Geradores", "", ""),
    MENU(geradores_abrir_ger1, "Gerador 1", "Abrir_ger1", ""),
    MENU(geradores_abrir_ger2, "Gerador 2", "Abrir_ger2", ""),
    MENU(sobre, "Sobre", "", ""),
    MENU(sobre_pagina, "Página Oficial", "abrir_page", ""),
    MENU(sobre_prog, "Acerca", "exibir_acerca", ""),
    MENU(sobre_idioma, "Idioma / Language", "", ""),
    MENU(sobre_idioma_idioma_pt, "Português", "Idioma_pt", ""),
    MENU(sobre_idioma_idioma_en, "English", "Idioma_en", ""),
});

static_assert(MenuBar == 1);

// ---- Helpers --------------------------------------------------------------------------------

template <typename Row>
const Row *find(std::span<const Row> rows, const std::string &panel, int id) {
    const auto it =
        std::ranges::find_if(rows, [&](const Row &r) { return panel == r.panel && id == r.id; });
    return it == rows.end() ? nullptr : &*it;
}

bool usesLabel(EngineControlKind kind) {
    return kind != CTRL_TEXT_MSG && kind != CTRL_STRING && kind != CTRL_TEXT_BOX;
}

bool isButton(EngineControlKind kind) {
    return kind == CTRL_COMMAND_BUTTON || kind == CTRL_TOGGLE_BUTTON;
}

/// Reads an int attribute, failing the test on an engine error.
int intAttr(int panel, int control, int attribute) {
    int value = -12345;
    const int rc = GetCtrlAttribute(panel, control, attribute, &value);
    if (rc < 0) {
        qWarning("GetCtrlAttribute(%d, %d, %d) failed: %d", panel, control, attribute, rc);
    }
    return value;
}

double doubleAttr(int panel, int control, int attribute) {
    double value = std::numeric_limits<double>::quiet_NaN();
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

std::string stringAttr(int panel, int control, int attribute) {
    std::string value = "<unset>";
    GetCtrlAttribute(panel, control, attribute, &value);
    return value;
}

/// Equal, both beyond any finite limit on the same side, or within a relative 1e-9.
bool sameNumber(double actual, double expected) {
    if (std::isinf(expected)) {
        return std::signbit(actual) == std::signbit(expected) &&
               std::fabs(actual) >= std::numeric_limits<double>::max() / 2;
    }
    return std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
}

QByteArray q(const std::string &s) {
    return QByteArray::fromStdString(s);
}

/// Fails the test, showing both numbers, unless they are the same by sameNumber.
#define COMPARE_NUMBER(ACTUAL, EXPECTED)                                                           \
    do {                                                                                           \
        const double actual_ = (ACTUAL);                                                           \
        const double expected_ = (EXPECTED);                                                       \
        QVERIFY2(sameNumber(actual_, expected_),                                                   \
                 qPrintable(                                                                       \
                     QString("%1 is %2, expected %3").arg(#ACTUAL).arg(actual_).arg(expected_)));  \
    } while (false)

} // namespace

class ResourceTest : public QObject {
    Q_OBJECT

    std::map<std::string, int> handles_; ///< panel constant -> handle

    int handle(const char *panel) const { return handles_.at(panel); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void panelMatchesTable_data();
    void panelMatchesTable();
    void titleNamesWhatThePanelSets_data();
    void titleNamesWhatThePanelSets();
    void controlMatchesTable_data();
    void controlMatchesTable();
    void everyNamedCallbackResolves();
    void menuBarMatchesTable();
    void damagedFileFailsToLoad_data();
    void damagedFileFailsToLoad();
    void missingPanelNumberFailsToLoad();
    void sharedPanelsNameNoFixedGenerator();
    void aboutSupervisorLineIsAPerson();
};

void ResourceTest::initTestCase() {
    std::array<char *, 2> argv{const_cast<char *>("test_resources"), nullptr};
    QCOMPARE(InitCVIRTE(nullptr, argv.data(), nullptr), 1);
    RegisterInstrumentCallbacks();
    // A control that names a callback the program lacks makes its panel fail to load.
    SetStrictCallbackResolution(1);
    // Each settings row must name a control of the table, or it would silently check nothing.
    const std::span<const Control> controls(kControls);
    const auto known = [&](const char *panel, int id) {
        return find(controls, panel, id) != nullptr;
    };
    for (const auto &r : kRanges)
        QVERIFY2(known(r.panel, r.id), r.panel);
    for (const auto &r : kIntValues)
        QVERIFY2(known(r.panel, r.id), r.panel);
    for (const auto &r : kTimers)
        QVERIFY2(known(r.panel, r.id), r.panel);
    for (const auto &r : kItems)
        QVERIFY2(known(r.panel, r.id), r.panel);
    for (const auto &r : kShortcuts)
        QVERIFY2(known(r.panel, r.id), r.panel);
    for (const auto &r : kSizes)
        QVERIFY2(known(r.panel, r.id), r.panel);

    // Loaded as the program loads them: the dialogs and the about panel are children of the
    // main panel, whose top and left they are placed within.
    const int main = LoadPanel(0, "oscil.uir", 1);
    QVERIFY2(main > 0, GetEngineErrorText());
    handles_["PANEL"] = main;
    for (const auto &p : kPanels) {
        if (std::string(p.constant) == "PANEL") {
            continue;
        }
        const int h = LoadPanel(main, p.file, p.number);
        QVERIFY2(
            h > 0,
            qPrintable(
                QString("%1 panel %2: %3").arg(p.file).arg(p.number).arg(GetEngineErrorText())));
        handles_[p.key] = h;
    }
}

void ResourceTest::cleanupTestCase() {
    EngineReset();
}

void ResourceTest::panelMatchesTable_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        QTest::newRow(kPanels[i].key) << static_cast<int>(i);
    }
}

void ResourceTest::panelMatchesTable() {
    QFETCH(int, row);
    const Panel &p = kPanels[static_cast<std::size_t>(row)];
    const int h = handle(p.key);
    QCOMPARE(p.generated, p.number);

    std::string text;
    QCOMPARE(GetPanelAttribute(h, ATTR_CONSTANT_NAME, &text), 0);
    QCOMPARE(q(text), QByteArray(p.constant));
    int value = 0;
    GetPanelAttribute(h, ATTR_PANEL_NUMBER, &value);
    QCOMPARE(value, p.number);
    GetPanelAttribute(h, ATTR_TOP, &value);
    QCOMPARE(value, p.top);
    GetPanelAttribute(h, ATTR_LEFT, &value);
    QCOMPARE(value, p.left);
    GetPanelAttribute(h, ATTR_HEIGHT, &value);
    QCOMPARE(value, p.height);
    GetPanelAttribute(h, ATTR_WIDTH, &value);
    QCOMPARE(value, p.width);

    // The table lists the panel's controls without gaps from identifier 2.
    const auto count = std::ranges::count_if(
        kControls, [&](const Control &c) { return std::string(c.panel) == p.key; });
    GetPanelAttribute(h, ATTR_NUM_CTRLS, &value);
    QCOMPARE(value, static_cast<int>(count));
    QCOMPARE(GetPanelMenuBar(h) > 0, std::string(p.constant) == "PANEL");
}

void ResourceTest::titleNamesWhatThePanelSets_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("title");
    for (const Title &t : kTitles) {
        QTest::addRow("%s %d", t.file, t.number)
            << t.file << t.number << QString::fromUtf8(t.title);
    }
}

void ResourceTest::titleNamesWhatThePanelSets() {
    QFETCH(QString, file);
    QFETCH(int, number);
    QFETCH(QString, title);
    const int h = LoadPanel(handle("PANEL"), file.toUtf8().constData(), number);
    QVERIFY2(h > 0, GetEngineErrorText());
    std::string text;
    QCOMPARE(GetPanelAttribute(h, ATTR_TITLE, &text), 0);
    DiscardPanel(h);
    QCOMPARE(QString::fromStdString(text), title);
}

void ResourceTest::controlMatchesTable_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Control &c = kControls[i];
        QTest::addRow("%s %d %s", c.panel, c.id, c.constant) << static_cast<int>(i);
    }
}

void ResourceTest::controlMatchesTable() {
    QFETCH(int, row);
    const Control &c = kControls[static_cast<std::size_t>(row)];
    const int h = handle(c.panel);
    const std::string panel = c.panel;

    QCOMPARE(c.generated, c.id);
    QCOMPARE(q(stringAttr(h, c.id, ATTR_CONSTANT_NAME)), QByteArray(c.constant));
    QCOMPARE(intAttr(h, c.id, ATTR_CTRL_KIND), static_cast<int>(c.kind));
    QCOMPARE(q(stringAttr(h, c.id, ATTR_CALLBACK_NAME)), QByteArray(c.callback));
    if (c.kind != CTRL_TIMER) {
        QCOMPARE(intAttr(h, c.id, ATTR_VISIBLE), (c.state & kHidden) ? 0 : 1);
        QCOMPARE(intAttr(h, c.id, ATTR_DIMMED), (c.state & kDimmed) ? 1 : 0);
    }
    if (c.text != nullptr) {
        std::string text = "<unset>";
        if (usesLabel(c.kind)) {
            text = stringAttr(h, c.id, ATTR_LABEL_TEXT);
        } else {
            QCOMPARE(GetCtrlVal(h, c.id, &text), 0);
        }
        QCOMPARE(q(text), QByteArray(c.text));
    }
    if (isButton(c.kind)) {
        const Shortcut *s = find(std::span<const Shortcut>(kShortcuts), panel, c.id);
        QCOMPARE(q(stringAttr(h, c.id, ATTR_SHORTCUT_KEY)), QByteArray(s ? s->key : ""));
    }
    if (const Range *r = find(std::span<const Range>(kRanges), panel, c.id)) {
        QCOMPARE(intAttr(h, c.id, ATTR_DATA_TYPE), static_cast<int>(r->type));
        COMPARE_NUMBER(doubleAttr(h, c.id, ATTR_MIN_VALUE), r->min);
        COMPARE_NUMBER(doubleAttr(h, c.id, ATTR_MAX_VALUE), r->max);
        COMPARE_NUMBER(doubleAttr(h, c.id, ATTR_INCR_VALUE), r->increment);
        double value = std::numeric_limits<double>::quiet_NaN();
        QCOMPARE(GetCtrlVal(h, c.id, &value), 0);
        COMPARE_NUMBER(value, r->value);
    }
    if (const IntValue *v = find(std::span<const IntValue>(kIntValues), panel, c.id)) {
        int value = -1;
        QCOMPARE(GetCtrlVal(h, c.id, &value), 0);
        QCOMPARE(value, v->value);
    }
    if (const Timer *t = find(std::span<const Timer>(kTimers), panel, c.id)) {
        COMPARE_NUMBER(doubleAttr(h, c.id, ATTR_INTERVAL), t->interval);
        QCOMPARE(intAttr(h, c.id, ATTR_ENABLED), t->enabled);
    }
    if (const Items *list = find(std::span<const Items>(kItems), panel, c.id)) {
        int count = -1;
        QCOMPARE(GetNumListItems(h, c.id, &count), 0);
        QCOMPARE(count, static_cast<int>(list->items.size()));
        for (int i = 0; i < count; ++i) {
            std::string label;
            int value = -1;
            GetLabelFromIndex(h, c.id, i, &label);
            GetValueFromIndex(h, c.id, i, &value);
            const Item &expected = list->items[static_cast<std::size_t>(i)];
            QCOMPARE(q(label), QByteArray(expected.label));
            QCOMPARE(value, expected.value);
        }
    }
    if (const Size *s = find(std::span<const Size>(kSizes), panel, c.id)) {
        QCOMPARE(intAttr(h, c.id, ATTR_HEIGHT), s->height);
        QCOMPARE(intAttr(h, c.id, ATTR_WIDTH), s->width);
    }
}

void ResourceTest::everyNamedCallbackResolves() {
    // Whatever the files name, not only what the table expects.
    for (const auto &[constant, h] : handles_) {
        int count = 0;
        GetPanelAttribute(h, ATTR_NUM_CTRLS, &count);
        for (int id = 2; id < count + 2; ++id) {
            const std::string name = stringAttr(h, id, ATTR_CALLBACK_NAME);
            if (!name.empty()) {
                QVERIFY2(FindCallback(name.c_str()) != nullptr,
                         qPrintable(
                             QString("%1 %2: %3").arg(constant.c_str()).arg(id).arg(name.c_str())));
            }
        }
    }
}

void ResourceTest::menuBarMatchesTable() {
    const int main = handle("PANEL");
    QVERIFY(GetPanelMenuBar(main) > 0);
    QWidget *window = EnginePanelWidget(main);
    QVERIFY(window != nullptr);
    const auto *bar = window->findChild<QMenuBar *>();
    QVERIFY(bar != nullptr);

    // Menus, items and submenu items in document order, the order that numbers them.
    std::vector<const QAction *> entries;
    std::function<void(const QList<QAction *> &)> walk = [&](const QList<QAction *> &actions) {
        for (const QAction *action : actions) {
            entries.push_back(action);
            if (action->menu() != nullptr) {
                walk(action->menu()->actions());
            }
        }
    };
    walk(bar->actions());
    QCOMPARE(entries.size(), kMenuEntries.size());

    for (std::size_t i = 0; i < kMenuEntries.size(); ++i) {
        const MenuEntry &e = kMenuEntries[i];
        const QAction *action = entries[i];
        QCOMPARE(e.generated, static_cast<int>(i) + 2);
        if (e.text == nullptr) {
            QVERIFY2(action->isSeparator(), e.constant);
        } else {
            QCOMPARE(action->text(), QString::fromUtf8(e.text));
        }
        QCOMPARE(action->shortcut().toString(), QString(e.shortcut));
        if (e.callback[0] != '\0') {
            QVERIFY2(FindMenuCallback(e.callback) != nullptr, e.callback);
        }
    }
}

void ResourceTest::damagedFileFailsToLoad_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("keep"); ///< bytes kept of the file
    for (const char *file : {"oscil.uir", "time.uir", "volt.uir", "opcoes.uir", "canais.uir",
                             "acerca.uir", "ajuda.uir", "ajudaG.uir"}) {
        QTest::addRow("%s cut in half", file) << QString(file) << qint64(-1);
    }
    QTest::newRow("time.uir emptied") << QString("time.uir") << qint64(0);
    // Well formed, but far past any panel's size: refused before it is read.
    QTest::newRow("time.uir padded to 9 MB") << QString("time.uir") << qint64(9'000'000);
}

void ResourceTest::damagedFileFailsToLoad() {
    QFETCH(QString, file);
    QFETCH(qint64, keep); ///< bytes kept of the file; more: padded with blanks to that size
    const QString source = qEnvironmentVariable("VANTREL_RESOURCE_DIR");
    QVERIFY2(!source.isEmpty(), "VANTREL_RESOURCE_DIR names the staged resources");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"oscil.uir", "time.uir", "volt.uir", "opcoes.uir", "canais.uir",
                             "acerca.uir", "ajuda.uir", "ajudaG.uir"}) {
        QVERIFY(QFile::copy(source + '/' + name, dir.filePath(name)));
    }
    QFile damaged(dir.filePath(file));
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    if (keep > damaged.size()) {
        QVERIFY(damaged.seek(damaged.size()));
        QVERIFY(damaged.write(QByteArray(keep - damaged.size(), ' ')) > 0);
    } else {
        QVERIFY(damaged.resize(keep < 0 ? damaged.size() / 2 : keep));
    }
    damaged.close();

    EngineSetResourceDir(qPrintable(dir.path()));
    const int h = LoadPanel(0, qPrintable(file), 1);
    const QString error = GetEngineErrorText();
    EngineSetResourceDir(nullptr);
    QVERIFY2(h < 0, qPrintable(QString::number(h)));
    QVERIFY2(error.contains(file), qPrintable(error));
}

void ResourceTest::missingPanelNumberFailsToLoad() {
    QCOMPARE(LoadPanel(0, "time.uir", 4), static_cast<int>(kEngineNoSuchPanel));
    QCOMPARE(LoadPanel(0, "acerca.uir", 2), static_cast<int>(kEngineNoSuchPanel));
    QVERIFY(LoadPanel(0, "absent.uir", 1) < 0);
}

QTEST_MAIN(ResourceTest)
void ResourceTest::sharedPanelsNameNoFixedGenerator() {
    // One generator front serves both generators: its artwork may not print a number of its
    // own beside the "Gerador nº" display.
    QFile art(
        QDir(qEnvironmentVariable("VANTREL_RESOURCE_DIR")).filePath("art/generator_front.svg"));
    QVERIFY(art.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(art.readAll());
    const QRegularExpression text(QStringLiteral("<text[^>]*>([^<]*)</text>"));
    const QRegularExpression numbered(QStringLiteral("\\b(FG|GER|Gerador)\\s*-?\\s*[0-9]"));
    int texts = 0;
    for (const QRegularExpressionMatch &m : text.globalMatch(svg)) {
        ++texts;
        QVERIFY2(!numbered.match(m.captured(1)).hasMatch(), qPrintable(m.captured(1)));
    }
    QVERIFY(texts > 0);
}

void ResourceTest::aboutSupervisorLineIsAPerson() {
    // The line after "Orientador:" names a person, not the school or one of its parts, which
    // have lines of their own.
    std::string supervisor;
    QCOMPARE(GetCtrlVal(handle("ACERCA"), ACERCA_TEXTMSG_11, &supervisor), 0);
    const QString line = QString::fromStdString(supervisor);
    for (const char *body : {"Departamento", "Escola", "Instituto", "Universidade", "Faculdade"}) {
        QVERIFY2(!line.contains(QLatin1String(body)), qPrintable(line));
    }
    for (int other : {ACERCA_TEXTMSG_4, ACERCA_TEXTMSG_5, ACERCA_TEXTMSG_6, ACERCA_TEXTMSG_7,
                      ACERCA_TEXTMSG_8, ACERCA_TEXTMSG_9}) {
        std::string text;
        GetCtrlVal(handle("ACERCA"), other, &text);
        QVERIFY(text != supervisor);
    }
    QVERIFY(!line.trimmed().isEmpty());
}

#include "test_resources.moc"
